#include "grafico.h"

#include "chiavi.h"
#include "controlli.h"
#include "conversioni.h"
#include "dialoghi.h"
#include "dialogocolore.h"
#include "drag.h"
#include "file_ini.h"
#include "generale.h"
#include "geometria.h"
#include "impostagrafici.h"
#include "operazionigrafico.h"

#include <QGridLayout>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>

namespace {

using Geometria::TwipsPerPixel;
const QString SezioneGrafico = QString::fromLatin1(Chiavi::Sezione::Grafico);

// A panel position key in twips as whole pixels; text that is no number places it at 0.
int pixelDaTwips(const Chiavi::Chiave& chiave)
{
    const auto twips = Generale::LeggiNumero(File_Ini::LeggiIni(SezioneGrafico, chiave));
    if (!twips || std::fabs(*twips) > 1.0e9)
        return 0;
    return int(std::lround(*twips / TwipsPerPixel));
}

}  // namespace

Grafico::Grafico(QWidget* genitore)
    : FinestraTrend(QStringLiteral("Grafico"), QStringLiteral("Pic_Cursore"), genitore)
{
    Pic_Cursore = PannelloCursore;
    Cmd_Legenda = CreaPulsante(QStringLiteral("Cmd_Legenda"), QStringLiteral("≡"),
                               QStringLiteral("Modifica delle impostazioni del grafico"), Frm_trend);
    Cmd_Pausa = CreaPulsante(QStringLiteral("Cmd_Pausa"), QStringLiteral("‖"), QStringLiteral("Attiva/Disattiva pausa"), Frm_trend);
    Barra->addWidget(Cmd_Legenda);
    Barra->addSpacing(12);
    Barra->addWidget(Cmd_VediCursore);
    Barra->addWidget(Cmd_Pausa);
    Barra->addWidget(Cmd_CancellaTutto);
    Barra->addWidget(Cmd_Stampa);
    Barra->addStretch(1);
    connect(Cmd_Legenda, &QToolButton::clicked, this, &Grafico::Cmd_Legenda_Click);
    connect(Cmd_Pausa, &QToolButton::clicked, this, &Grafico::Cmd_Pausa_Click);

    creaLegenda();
    resize(Geometria::MinimoGrafico.width() / TwipsPerPixel, Geometria::MinimoGrafico.height() / TwipsPerPixel);
    Geometria::RegolaGeometria(this, Frm_trend, Geometria::MinimoGrafico);
    Form_Load();
}

void Grafico::creaLegenda()
{
    PicTraxLegenda = new QFrame(Frm_trend);
    PicTraxLegenda->setObjectName(QStringLiteral("PicTraxLegenda"));
    PicTraxLegenda->setFrameShape(QFrame::Panel);
    PicTraxLegenda->setFrameShadow(QFrame::Raised);
    PicTraxLegenda->setAutoFillBackground(true);
    PicTraxLegenda->setFocusPolicy(Qt::ClickFocus);
    PicTraxLegenda->installEventFilter(this);
    auto* griglia = new QGridLayout(PicTraxLegenda);
    griglia->setContentsMargins(6, 6, 6, 6);
    griglia->setHorizontalSpacing(4);
    griglia->setVerticalSpacing(0);
    Lab_TraxGen = new QLabel(QStringLiteral("Colori Tracce"), PicTraxLegenda);
    Lab_TraxGen->setObjectName(QStringLiteral("Lab_TraxGen"));
    QFont grassetto = Lab_TraxGen->font();
    grassetto.setBold(true);
    Lab_TraxGen->setFont(grassetto);
    griglia->addWidget(Lab_TraxGen, 0, 0, 1, 6);
    // Two columns of fifteen rows keep the panel inside the smallest window.
    for (int i = 0; i < NumeroRighe; ++i) {
        Lin_Trax[i] = new LineaLegenda(PicTraxLegenda);
        Lin_Trax[i]->setObjectName(Controlli::Elemento("Lin_Trax", i));
        Shp_Trax[i] = new CampioneLegenda(PicTraxLegenda);
        Shp_Trax[i]->setObjectName(Controlli::Elemento("Shp_Trax", i));
        Lab_Trax[i] = new QLabel(QStringLiteral("--------"), PicTraxLegenda);
        Lab_Trax[i]->setObjectName(Controlli::Elemento("Lab_Trax", i));
        Lab_Trax[i]->setTextFormat(Qt::PlainText);  // zone names as written, never markup
        Lab_Trax[i]->setMinimumWidth(Lab_Trax[i]->fontMetrics().averageCharWidth() * 20);  // the 20 characters a label shows
        Lab_Trax[i]->installEventFilter(this);
        const int r = 1 + i % 15;
        const int c = (i / 15) * 3;
        griglia->addWidget(Lin_Trax[i], r, c);
        griglia->addWidget(Shp_Trax[i], r, c + 1);
        griglia->addWidget(Lab_Trax[i], r, c + 2);
    }
    auto* comandi = new QHBoxLayout;
    comandi->setContentsMargins(0, 6, 0, 0);
    Cmd_Sfondo = CreaPulsante(QStringLiteral("Cmd_Sfondo"), QStringLiteral("▣"),
                              QStringLiteral("Definizione del colore di sfondo del grafico"), PicTraxLegenda);
    Cmd_Bordo = CreaPulsante(QStringLiteral("Cmd_Bordo"), QStringLiteral("□"),
                             QStringLiteral("Definizione del colore del bordo del grafico"), PicTraxLegenda);
    Cmd_Griglia = CreaPulsante(QStringLiteral("Cmd_Griglia"), QStringLiteral("#"),
                               QStringLiteral("Definizione del colore della griglia del grafico"), PicTraxLegenda);
    Cmd_Cursore = CreaPulsante(QStringLiteral("Cmd_Cursore"), QStringLiteral("┃"),
                               QStringLiteral("Definizione del colore del cursore del grafico"), PicTraxLegenda);
    Cmd_Limite[0] = CreaPulsante(QStringLiteral("Cmd_Limite(0)"), QStringLiteral("▲"),
                                 QStringLiteral("Valore massimo visualizzato nel grafico"), PicTraxLegenda);
    Cmd_Limite[1] = CreaPulsante(QStringLiteral("Cmd_Limite(1)"), QStringLiteral("▼"),
                                 QStringLiteral("Valore minimo visualizzato nel grafico"), PicTraxLegenda);
    Cmd_ChiudiLegenda = CreaPulsante(QStringLiteral("Cmd_ChiudiLegenda"), QStringLiteral("✓"),
                                     QStringLiteral("Fine impostazioni"), PicTraxLegenda);
    const std::pair<QToolButton*, ColoreGrafico> colori[] = {
        {Cmd_Sfondo, ColoreGrafico::Sfondo}, {Cmd_Bordo, ColoreGrafico::Bordo},
        {Cmd_Griglia, ColoreGrafico::Griglia}, {Cmd_Cursore, ColoreGrafico::Cursore}};
    for (const auto& [pulsante, quale] : colori) {
        connect(pulsante, &QToolButton::clicked, this, [this, q = quale] { Cmd_Colore_Click(q); });
        comandi->addWidget(pulsante);
    }
    comandi->addSpacing(12);
    for (int i = 0; i < 2; ++i) {
        connect(Cmd_Limite[i], &QToolButton::clicked, this, [this, i] { Cmd_Limite_Click(i); });
        comandi->addWidget(Cmd_Limite[i]);
    }
    comandi->addStretch(1);
    comandi->addWidget(Cmd_ChiudiLegenda);
    connect(Cmd_ChiudiLegenda, &QToolButton::clicked, this, &Grafico::Cmd_ChiudiLegenda_Click);
    griglia->addLayout(comandi, 16, 0, 1, 6);
    PicTraxLegenda->adjustSize();
}

void Grafico::Form_Load()
{
    Cmd_ChiudiLegenda_Click();
    Pic_Stat->hide();
    Pic_Cursore->hide();
    PreparaTrend(10000);
    Trend->raise();
    update();
}

void Grafico::collocaLegenda()
{
    namespace G = Chiavi::Grafico;
    QPoint posto(pixelDaTwips(G::InfoX), pixelDaTwips(G::InfoY));
    // A place left on a larger screen would put the panel, and the button that closes it, out of
    // sight: it opens as near that place as the chart's frame allows. The saved place stays.
    if (Frm_trend->isVisible()) {
        const QSize spazio = Frm_trend->size() - PicTraxLegenda->size();
        posto.setX(std::clamp(posto.x(), 0, std::max(0, spazio.width())));
        posto.setY(std::clamp(posto.y(), 0, std::max(0, spazio.height())));
    }
    PicTraxLegenda->move(posto);
}

void Grafico::Cmd_Legenda_Click()
{
    PicTraxLegenda->adjustSize();
    collocaLegenda();
    PicTraxLegenda->show();
    PicTraxLegenda->raise();
    PicTraxLegenda->update();
    PicTraxLegenda->setFocus();
    Trend->setFocus();
    Trend->Ridisegna();
}

void Grafico::Cmd_ChiudiLegenda_Click()
{
    PicTraxLegenda->hide();
    PicTraxLegenda->update();
    Trend->setFocus();
    Trend->Ridisegna();
}

void Grafico::Cmd_Colore_Click(ColoreGrafico quale)
{
    namespace G = Chiavi::Grafico;
    ColoreLong preimpostato = 0;
    ColoreLong* variabile = nullptr;
    const Chiavi::Chiave* chiave = nullptr;
    switch (quale) {
    case ColoreGrafico::Sfondo:
        preimpostato = Trend->SfondoColore();
        variabile = &Generale::ColoreSfondo;
        chiave = &G::ColoreSfondo;
        break;
    case ColoreGrafico::Bordo:
        preimpostato = Trend->BordoColore();
        variabile = &Generale::ColoreBordo;
        chiave = &G::ColoreBordo;
        break;
    case ColoreGrafico::Griglia:
        preimpostato = Trend->GrigliaColore();
        variabile = &Generale::ColoreGriglia;
        chiave = &G::ColoreGriglia;
        break;
    case ColoreGrafico::Cursore:
        // The chart holds the cursor colour complemented: the dialog opens on the colour chosen.
        preimpostato = Trend->CursoreColore() ^ 0xFFFFFFu;
        variabile = &Generale::ColoreCursore;
        chiave = &G::ColoreCursore;
        break;
    }
    if (const auto scelto = Grafici::ServizioColore().ScegliColore(preimpostato, this)) {
        // A colour the file refused is not taken: the chart keeps what the file says.
        if (File_Ini::ScriviIni(SezioneGrafico, chiave->Nome(), Grafici::TestoColore(*scelto))) {
            *variabile = *scelto;
            Generale::ImpostaGrafici();
        } else {
            File_Ini::AvvisaScritturaRifiutata(windowTitle());
        }
    }
    Cmd_ChiudiLegenda->setFocus();
}

void Grafico::Lab_Trax_DblClick(int indice)
{
    if (!Generale::UtenteAmministratore && !Generale::UtenteTecnico)
        return;
    if (indice < 0 || indice >= NumeroRighe)
        return;
    if (const auto scelto = Grafici::ServizioColore().ScegliColore(Lin_Trax[indice]->Colore(), this)) {
        if (File_Ini::ScriviIni(Generale::SezioneZona(indice), Chiavi::Dispositivo::Colore.Nome(),
                                Grafici::TestoColore(*scelto))) {
            Generale::ColoreTraccia[indice] = *scelto;
            Generale::ImpostaGrafici();
        } else {
            File_Ini::AvvisaScritturaRifiutata(windowTitle());
        }
    }
    Cmd_ChiudiLegenda->setFocus();
}

void Grafico::PicTraxLegenda_MouseDown(int pulsante, QPoint doveSchermo)
{
    if (pulsante == 2) {
        Drag::TrascinaControllo(PicTraxLegenda, Qt::RightButton, doveSchermo, [this] {
            namespace G = Chiavi::Grafico;
            // Both coordinates in one write, or neither: a refused move puts the legend back
            // where the file has it, before the operator is told.
            if (!File_Ini::ScriviIni(
                    {{SezioneGrafico, G::InfoX.Nome(), Drag::TestoPosizione(PicTraxLegenda->x() * TwipsPerPixel)},
                     {SezioneGrafico, G::InfoY.Nome(), Drag::TestoPosizione(PicTraxLegenda->y() * TwipsPerPixel)}})) {
                collocaLegenda();
                File_Ini::AvvisaScritturaRifiutata(windowTitle());
            }
            update();
        });
    }
    update();
}

void Grafico::Cmd_Limite_Click(int indice)
{
    if (indice == 0 || indice == 1) {
        const bool alto = indice == 0;
        const auto risposta = Piattaforma::ServizioDialoghi().Input(
            alto ? QStringLiteral("Inserire il valore massimo visualizzabile") : QStringLiteral("Inserire il valore minimo visualizzabile"),
            QStringLiteral("Definizione intervalli di temperature"),
            Grafici::TestoScala(alto ? Trend->ScalaAlta() : Trend->ScalaBassa()));
        if (risposta) {
            const auto limite = Grafici::CalcolaLimite(*risposta, alto, Trend->ScalaAlta(), Trend->ScalaBassa(),
                                                       Trend->LimiteAlto(), Trend->LimiteBasso());
            if (limite) {
                namespace G = Chiavi::Grafico;
                if (!File_Ini::ScriviIni(SezioneGrafico, (alto ? G::TMax : G::TMin).Nome(), limite->testo))
                    File_Ini::AvvisaScritturaRifiutata(windowTitle());
                else if (alto)
                    Trend->ImpostaScalaAlta(double(limite->valore));
                else
                    Trend->ImpostaScalaBassa(double(limite->valore));
            }
        }
    }
    Trend->Ridisegna();
    update();
    Cmd_ChiudiLegenda->setFocus();
}

void Grafico::Cmd_Pausa_Click()
{
    Trend->ImpostaInPausa(!Trend->InPausa());
    setWindowTitle(Trend->InPausa() ? QStringLiteral("Grafico - PAUSA") : QStringLiteral("Grafico"));
    update();
}

bool Grafico::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto == PicTraxLegenda && evento->type() == QEvent::MouseButtonPress && !Drag::TrascinamentoInCorso()) {
        auto* e = static_cast<QMouseEvent*>(evento);
        const int pulsante = Drag::CodicePulsante(e->button());
        PicTraxLegenda_MouseDown(pulsante, e->globalPosition().toPoint());
        return pulsante == 2;
    }
    if (evento->type() == QEvent::MouseButtonDblClick && static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton) {
        for (int i = 0; i < NumeroRighe; ++i) {
            if (oggetto == Lab_Trax[i]) {
                // A free slot's label is disabled and takes no double click.
                if (Lab_Trax[i]->isEnabled())
                    Lab_Trax_DblClick(i);
                return true;
            }
        }
    }
    return FinestraTrend::eventFilter(oggetto, evento);
}
