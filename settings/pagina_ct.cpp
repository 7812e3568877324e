#include "pagina_ct.h"

#include "avvisicrono.h"
#include "comunicazioni.h"
#include "controlli.h"
#include "conversioni.h"
#include "crono.h"
#include "dialoghi.h"
#include "editorcrono.h"
#include "filecrono.h"
#include "ganci.h"
#include "generale.h"
#include "stampacrono.h"
#include "stampante.h"

#include <QApplication>
#include <QPointer>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace Generale;
using Piattaforma::IconaDialogo;
using Piattaforma::PulsantiDialogo;
using Piattaforma::RispostaDialogo;

namespace {

// The most set-points the list offers in clock mode.
constexpr int MassimoSetPoint = 1000;


const QString Titolo = QStringLiteral("Cronotermostato");

const char* const NomiGiorni[] = {"Lunedì", "Martedì", "Mercoledì", "Giovedì", "Venerdì", "Sabato", "Domenica"};


template <typename W>
W* controllo(QWidget* padre, const QString& nome, const char* suggerimento = nullptr)
{
    auto* w = new W(padre);
    w->setObjectName(nome);
    if (suggerimento)
        w->setToolTip(QString::fromUtf8(suggerimento));
    return w;
}

QLabel* etichetta(QWidget* padre, const QString& nome, const char* testo)
{
    auto* l = controllo<QLabel>(padre, nome);
    l->setTextFormat(Qt::PlainText);
    l->setText(QString::fromUtf8(testo));
    return l;
}

RispostaDialogo chiedi(const QString& testo, PulsantiDialogo pulsanti = PulsantiDialogo::SiNo,
                       const QString& titolo = Titolo)
{
    return Piattaforma::ServizioDialoghi().Messaggio(testo, titolo, pulsanti, IconaDialogo::Domanda);
}

void avvisa(const QString& testo)
{
    Piattaforma::ServizioDialoghi().Messaggio(testo, Titolo, PulsantiDialogo::OK, IconaDialogo::Esclamazione);
}

void riempi(QListWidget* lista, const QStringList& righe)
{
    lista->clear();
    lista->addItems(righe);
    lista->update();
}

QStringList voci(const QListWidget* lista)
{
    QStringList r;
    for (int i = 0; i < lista->count(); ++i)
        r << lista->item(i)->text();
    return r;
}

QStringList voci(const QComboBox* lista)
{
    QStringList r;
    for (int i = 0; i < lista->count(); ++i)
        r << lista->itemText(i);
    return r;
}

// A whole number of the settings rounded to the nearest, halves to even, inside the 16 bits a
// set-point must fit anyway (a hand-edited limit never makes the list endless).
int limite(float valore)
{
    if (!std::isfinite(valore))
        return 0;
    return int(std::nearbyint(std::clamp(double(valore), -32768.0, 32767.0)));
}

}  // namespace

PaginaCT::PaginaCT(Comunicazioni* finestra)
    : Pagina(finestra, QStringLiteral("Pic_CT"), 120, 480)
{
    Lab_CT_UM = new QLabel(this);
    Lab_CT_UM->setObjectName(QStringLiteral("Lab_CT_UM"));
    Lab_CT_UM->setTextFormat(Qt::PlainText);

    auto* colonna = new QVBoxLayout(this);
    colonna->setContentsMargins(6, 4, 6, 4);
    colonna->setSpacing(4);

    // The page's title is the window's label that the program mode relabels ("Impostazioni
    // cronotermostato" or "Impostazioni orologio").
    if (QLabel* titolo = finestra->Lab_Stat_Gen[6]) {
        titolo->setParent(this);
        titolo->setTextFormat(Qt::PlainText);
        QFont grassetto = titolo->font();
        grassetto.setBold(true);
        titolo->setFont(grassetto);
        colonna->addWidget(titolo);
        titolo->show();
    }

    auto* testa = new QHBoxLayout;
    Lab_CT[2] = etichetta(this, Controlli::Elemento("Lab_CT", 2), "Zona:");
    Cmb_ZonaCT = controllo<QComboBox>(this, QStringLiteral("Cmb_ZonaCT"), "Zona di riferimento");
    Cmb_ZonaCT->setMinimumContentsLength(16);
    Chk_UsaCrono = controllo<QCheckBox>(this, QStringLiteral("Chk_UsaCrono"));
    Chk_UsaCrono->setText(QStringLiteral("Usa il cronotermostato su questa zona"));
    Frm_CopiaRic = controllo<QFrame>(this, QStringLiteral("Frm_CopiaRic"));
    Frm_CopiaRic->setFrameShape(QFrame::StyledPanel);
    Chk_Copia = controllo<QCheckBox>(Frm_CopiaRic, QStringLiteral("Chk_Copia"), "Eseguire la copia dei profili tra giorni/zone");
    Chk_Copia->setText(QStringLiteral("Copia dati"));
    (new QHBoxLayout(Frm_CopiaRic))->addWidget(Chk_Copia);
    testa->addWidget(Lab_CT[2]);
    testa->addWidget(Cmb_ZonaCT);
    testa->addSpacing(12);
    testa->addWidget(Chk_UsaCrono);
    testa->addStretch();
    testa->addWidget(Frm_CopiaRic);
    colonna->addLayout(testa);

    static const char* const suggerimentiGiorni[] = {
        "Temperature impostate per il Lunedì",  "Temperature impostate per il Martedì",
        "Temperature impostate per il Mercoledì", "Temperature impostate per il Giovedì",
        "Temperature impostate per il Venerdì", "Temperature impostate per il Sabato",
        "Temperature impostate per la Domenica"};
    // Seven days and the holidays side by side inside the window's frame: a smaller face, each
    // list as wide as its rows, and one scroll bar (Sunday's) that moves the seven days together,
    // so that a line across the lists is one quarter hour of the week.
    // The face shrinks in half points until the eight lists fit the width the frame leaves.
    const int barra = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int cornice = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const int spazio = 3;
    const int disponibile = finestra->Frm_Com ? finestra->Frm_Com->width() - 2 * x() - 12 - 7 * spazio : 0;
    QFont piccolo = font();
    piccolo.setPointSizeF(std::min(piccolo.pointSizeF(), 8.0));
    auto larghezze = [&](const QFont& f) {
        const QFontMetrics m(f);
        return std::pair{m.horizontalAdvance(QStringLiteral("00:00 - -10,0")) + 4 + cornice,
                         m.horizontalAdvance(QStringLiteral("00/00/0000")) + 4 + cornice + barra};
    };
    while (disponibile > 0 && piccolo.pointSizeF() > 6.0) {
        const auto [giorno, festa] = larghezze(piccolo);
        if (7 * giorno + barra + festa <= disponibile)
            break;
        piccolo.setPointSizeF(piccolo.pointSizeF() - 0.5);
    }
    const auto [larghezzaGiorno, larghezzaFesta] = larghezze(piccolo);
    auto* griglia = new QGridLayout;
    griglia->setHorizontalSpacing(spazio);
    griglia->setVerticalSpacing(2);
    for (int d = 0; d < 7; ++d) {
        Lab_CTg[d] = etichetta(this, Controlli::Elemento("Lab_CTg", d), NomiGiorni[d]);
        Lst_CT[d] = controllo<QListWidget>(this, Controlli::Elemento("Lst_CT", d), suggerimentiGiorni[d]);
        Lst_CT[d]->setFont(piccolo);
        Lst_CT[d]->setTextElideMode(Qt::ElideNone);
        Lst_CT[d]->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        if (d < 6)
            Lst_CT[d]->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        Lst_CT[d]->setFixedWidth(larghezzaGiorno + (d == 6 ? barra : 0));
        Lst_CT[d]->setMinimumHeight(120);
        griglia->addWidget(Lab_CTg[d], 0, d);
        griglia->addWidget(Lst_CT[d], 1, d);
    }
    for (QListWidget* lista : Lst_CT)
        connect(lista->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int riga) {
            for (QListWidget* l : Lst_CT)
                l->verticalScrollBar()->setValue(riga);
        });
    Lab_CTf = etichetta(this, QStringLiteral("Lab_CTf"), "Festività");
    Lst_Festa = controllo<QListWidget>(this, QStringLiteral("Lst_Festa"), "Elenco delle festività");
    Lst_Festa->setFont(piccolo);
    Lst_Festa->setTextElideMode(Qt::ElideNone);
    Lst_Festa->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Lst_Festa->setFixedWidth(larghezzaFesta);
    Lst_Festa->setMinimumHeight(120);
    Lst_Festa->viewport()->installEventFilter(this);
    connect(Lst_Festa, &QListWidget::itemDoubleClicked, this, [this] { Lst_Festa_DblClick(); });
    griglia->addWidget(Lab_CTf, 0, 7);
    griglia->addWidget(Lst_Festa, 1, 7);
    griglia->setColumnStretch(8, 1);
    colonna->addLayout(griglia, 1);

    createEditor();
    createCopia();
    auto* posto = new QGridLayout;
    posto->addWidget(Frm_Cronotermostato, 0, 0);
    posto->addWidget(Frm_Copia, 0, 0);
    colonna->addLayout(posto);
    mostraCopia(false);
    createPulsanti();
    // The page fills the window's frame from its place to the frame's far edges, so nothing it
    // holds is cut off by the frame.
    if (QWidget* cornice = parentWidget(); cornice && cornice != finestra) {
        const int bordo = x();
        setFixedSize(cornice->width() - x() - bordo, cornice->height() - y() - bordo);
    }

    calendario_ = finestra->Calendar;
    if (QCalendarWidget* calendario = calendario_) {
        calendario->setToolTip(QStringLiteral("Definizione delle festività"));
        // Month and day names in Italian, weeks from Monday, whatever the desktop's language.
        calendario->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
        calendario->setFirstDayOfWeek(Qt::Monday);
        connect(calendario, &QCalendarWidget::clicked, this, [this] { Calendar_Click(); });
    }
    // Whoever reads the chrono files again, the page shows what they hold.
    connect(&Crono::Avvisi(), &Crono::AvvisiCrono::FileLetti, this, [this] {
        if (!leggendo_)
            mostraZona();
    });
}

void PaginaCT::createEditor()
{
    Frm_Cronotermostato = controllo<QFrame>(this, QStringLiteral("Frm_Cronotermostato"));
    Frm_Cronotermostato->setFrameShape(QFrame::StyledPanel);
    auto* riga = new QGridLayout(Frm_Cronotermostato);
    riga->setContentsMargins(6, 4, 6, 4);
    riga->setVerticalSpacing(3);
    Lab_CT[4] = etichetta(Frm_Cronotermostato, Controlli::Elemento("Lab_CT", 4), "Giorno:");
    Cmb_Giorno = controllo<QComboBox>(Frm_Cronotermostato, QStringLiteral("Cmb_Giorno"), "Giorno di riferiemento");
    Lab_CT[0] = etichetta(Frm_Cronotermostato, Controlli::Elemento("Lab_CT", 0), "Dalle ore:");
    Cmb_DalleOre = controllo<QComboBox>(Frm_Cronotermostato, QStringLiteral("Cmb_DalleOre"), "Ora di inizio");
    Lab_CT[1] = etichetta(Frm_Cronotermostato, Controlli::Elemento("Lab_CT", 1), "Alle ore:");
    Cmb_AlleOre = controllo<QComboBox>(Frm_Cronotermostato, QStringLiteral("Cmb_AlleOre"), "Ora di fine");
    Lab_CT[3] = etichetta(Frm_Cronotermostato, Controlli::Elemento("Lab_CT", 3), "Temperatura:");
    Cmb_CT_Temp = controllo<QComboBox>(Frm_Cronotermostato, QStringLiteral("Cmb_CT_Temp"), "Tempratura desiderata");
    Cmb_CT_Temp->setEditable(true);
    Cmb_CT_Temp->setInsertPolicy(QComboBox::NoInsert);
    Cmb_CT_Temp->setMinimumContentsLength(6);
    Lab_CT_UM->setParent(Frm_Cronotermostato);
    // Day and times on the first line; the temperature, its unit and the apply button below.
    riga->addWidget(Lab_CT[4], 0, 0);
    riga->addWidget(Cmb_Giorno, 0, 1);
    riga->addWidget(Lab_CT[0], 0, 2);
    riga->addWidget(Cmb_DalleOre, 0, 3);
    riga->addWidget(Lab_CT[1], 0, 4);
    riga->addWidget(Cmb_AlleOre, 0, 5);
    riga->addWidget(Lab_CT[3], 1, 0);
    riga->addWidget(Cmb_CT_Temp, 1, 1);
    auto* invio = new QHBoxLayout;
    invio->addWidget(Lab_CT_UM);
    // Two looks of one button: at rest, and pressed while the interval goes into the programme.
    const QIcon invia = style()->standardIcon(QStyle::SP_ArrowRight);
    for (int i = 0; i < 2; ++i) {
        Img_InviaModifica[i] = controllo<QToolButton>(Frm_Cronotermostato, Controlli::Elemento("Img_InviaModifica", i), "Invia la modifica");
        Img_InviaModifica[i]->setIcon(invia);
        Img_InviaModifica[i]->setIconSize(QSize(24, 24));
        invio->addWidget(Img_InviaModifica[i]);
        connect(Img_InviaModifica[i], &QToolButton::clicked, this, [this, i] { Img_InviaModifica_Click(i); });
    }
    Img_InviaModifica[1]->setCheckable(true);
    Img_InviaModifica[1]->setChecked(true);
    Img_InviaModifica[1]->hide();
    invio->addStretch();
    riga->addLayout(invio, 1, 2, 1, 4);
    riga->setColumnStretch(6, 1);

    connect(Cmb_ZonaCT, &QComboBox::activated, this, [this] { Cmb_ZonaCT_Click(); });
    connect(Chk_UsaCrono, &QCheckBox::clicked, this, [this] { Chk_UsaCrono_Click(); });
    connect(Cmb_Giorno, &QComboBox::activated, this, [this] { Cmb_Giorno_Click(); });
    connect(Cmb_DalleOre, &QComboBox::activated, this, [this] { Cmb_DalleOre_Click(); });
}

void PaginaCT::createCopia()
{
    Frm_Copia = controllo<QFrame>(this, QStringLiteral("Frm_Copia"));
    Frm_Copia->setFrameShape(QFrame::StyledPanel);
    auto* griglia = new QGridLayout(Frm_Copia);
    Opt_Copia[0] = controllo<QRadioButton>(Frm_Copia, Controlli::Elemento("Opt_Copia", 0), "Copiare un singolo giorno per una determinata zona");
    Opt_Copia[0]->setText(QStringLiteral("Copia giorni      da:"));
    Opt_Copia[1] = controllo<QRadioButton>(Frm_Copia, Controlli::Elemento("Opt_Copia", 1), "Copiare una intera zona");
    Opt_Copia[1]->setText(QStringLiteral("Copia zone       da:"));
    Cmb_CopiaG1 = controllo<QComboBox>(Frm_Copia, QStringLiteral("Cmb_CopiaG1"), "Zona di riferimento");
    Cmb_CopiaG[0] = controllo<QComboBox>(Frm_Copia, Controlli::Elemento("Cmb_CopiaG", 0), "Giorno campione");
    Cmb_CopiaG[1] = controllo<QComboBox>(Frm_Copia, Controlli::Elemento("Cmb_CopiaG", 1), "Destinazione");
    Cmb_CopiaZ[0] = controllo<QComboBox>(Frm_Copia, Controlli::Elemento("Cmb_CopiaZ", 0), "Zona campione");
    Cmb_CopiaZ[1] = controllo<QComboBox>(Frm_Copia, Controlli::Elemento("Cmb_CopiaZ", 1), "Destinazione");
    for (QComboBox* c : {Cmb_CopiaG1, Cmb_CopiaZ[0], Cmb_CopiaZ[1]})
        c->setMinimumContentsLength(16);
    Lab_CT[5] = etichetta(Frm_Copia, Controlli::Elemento("Lab_CT", 5), "su:");
    Lab_CT[6] = etichetta(Frm_Copia, Controlli::Elemento("Lab_CT", 6), "su:");
    Cmd_Conferma[0] = controllo<QPushButton>(Frm_Copia, Controlli::Elemento("Cmd_Conferma", 0), "Esegure la copia");
    Cmd_Conferma[1] = controllo<QPushButton>(Frm_Copia, Controlli::Elemento("Cmd_Conferma", 1), "Eseguire la copia");
    for (QPushButton* b : Cmd_Conferma)
        b->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));

    griglia->addWidget(Opt_Copia[0], 0, 0);
    griglia->addWidget(Cmb_CopiaG1, 0, 1);
    griglia->addWidget(Cmb_CopiaG[0], 0, 2);
    griglia->addWidget(Lab_CT[5], 0, 3);
    griglia->addWidget(Cmb_CopiaG[1], 0, 4);
    griglia->addWidget(Cmd_Conferma[0], 0, 5);
    griglia->addWidget(Opt_Copia[1], 1, 0);
    griglia->addWidget(Cmb_CopiaZ[0], 1, 1);
    griglia->addWidget(Lab_CT[6], 1, 3);
    griglia->addWidget(Cmb_CopiaZ[1], 1, 4);
    griglia->addWidget(Cmd_Conferma[1], 1, 5);
    griglia->setColumnStretch(6, 1);

    connect(Chk_Copia, &QCheckBox::clicked, this, [this] { Chk_Copia_Click(); });
    for (int i = 0; i < 2; ++i) {
        connect(Opt_Copia[i], &QRadioButton::clicked, this, [this, i] { Opt_Copia_Click(i); });
        connect(Cmb_CopiaG[i], &QComboBox::activated, this, [this, i] { Cmb_CopiaG_Click(i); });
        connect(Cmb_CopiaZ[i], &QComboBox::activated, this, [this, i] { Cmb_CopiaZ_Click(i); });
        connect(Cmd_Conferma[i], &QPushButton::clicked, this, [this, i] { Cmd_Conferma_Click(i); });
    }
    connect(Cmb_CopiaG1, &QComboBox::activated, this, [this] { Cmb_CopiaG1_Click(); });
}

void PaginaCT::createPulsanti()
{
    static const char* const suggerimenti[] = {"Salva le modifiche ed esci", "Uscire senza salvare", "Salva le modifiche",
                                               "Rileggere i dati salvati", "Visualizzare/Nascondere il calendario",
                                               "Riordinare la lista delle festività", "Stampa i dati"};
    static const QStyle::StandardPixmap icone[] = {QStyle::SP_DialogApplyButton, QStyle::SP_DialogCloseButton,
                                                   QStyle::SP_DialogSaveButton,  QStyle::SP_BrowserReload,
                                                   QStyle::SP_FileDialogContentsView, QStyle::SP_ArrowDown,
                                                   QStyle::SP_FileIcon};
    auto* riga = new QHBoxLayout;
    riga->addStretch();
    for (int i = 0; i < 7; ++i) {
        Cmd_OK_CT[i] = controllo<QToolButton>(this, Controlli::Elemento("Cmd_OK_CT", i), suggerimenti[i]);
        // The style has no printer picture: the desktop theme's, where there is one.
        Cmd_OK_CT[i]->setIcon(i == 6 ? QIcon::fromTheme(QStringLiteral("document-print"), style()->standardIcon(icone[i]))
                                     : style()->standardIcon(icone[i]));
        Cmd_OK_CT[i]->setIconSize(QSize(24, 24));
        riga->addWidget(Cmd_OK_CT[i]);
        connect(Cmd_OK_CT[i], &QToolButton::clicked, this, [this, i] { Cmd_OK_CT_Click(i); });
    }
    static_cast<QVBoxLayout*>(layout())->addLayout(riga);
}

// ---- List filling and opening -----------------------------------------------------------------

void PaginaCT::RiempiListe(bool saltaCrono)
{
    // The slot labels exist before the zone is shown here, so the one zone choice below already
    // uses them: the second run that `saltaCrono` governs would show the same rows again.
    Q_UNUSED(saltaCrono);

    Cmb_ZonaCT->clear();
    for (int z = 0; z < std::clamp(NumeroZone, 0, MaxZone); ++z)
        Cmb_ZonaCT->addItem(NomiZone[z]);
    Cmb_ZonaCT->setCurrentIndex(Cmb_ZonaCT->count() > 0 ? 0 : -1);

    Crono::RiempiFasceOrarie();
    Cmb_DalleOre->clear();
    for (int s = 0; s < Crono::FasciaFineGiorno; ++s)
        Cmb_DalleOre->addItem(FasceOrarie[s]);
    Cmb_DalleOre->setCurrentIndex(0);
    Cmb_DalleOre_Click();

    Cmb_ZonaCT_Click();

    Cmb_Giorno->clear();
    for (const char* giorno : NomiGiorni)
        Cmb_Giorno->addItem(QString::fromUtf8(giorno));
    Cmb_Giorno->setCurrentIndex(0);
    Cmb_Giorno_Click();

    // The set-points offered: by the unit in season mode, by the display limits in clock mode.
    struct Serie {
        int primo, ultimo, passo, divisore, decimali, scelto;
    };
    Serie serie{100, 300, 5, 10, 1, 20};  // "°C", also for a unit the page does not offer
    if (ModoStagioni) {
        if (UnitaMisura == QStringLiteral("°F"))
            serie = {500, 860, 10, 10, 1, 18};
        else if (UnitaMisura == QStringLiteral("EU"))
            serie = {-100, 100, 1, 10, 1, 50};
    } else {
        // Hand-edited limits may stand in the wrong order: the span between them is offered.
        const int minimo = std::min(limite(TemperaturaMinimaAssoluta), limite(TemperaturaMassimaAssoluta));
        const int massimo = std::max(limite(TemperaturaMinimaAssoluta), limite(TemperaturaMassimaAssoluta));
        // A span of 100 or less (limits 0 and 100) offers every whole number, not tenths of it. A
        // span that would give more than a list can offer is walked with a wider step (a multiple
        // of 10) so that it still holds at most MassimoSetPoint entries.
        const int span = massimo - minimo;
        int passo = span > 100 ? 10 : 1;
        if (span / passo + 1 > MassimoSetPoint)
            passo = (span / (MassimoSetPoint - 1) / 10 + 1) * 10;
        serie = {minimo, massimo, passo, 1, 0, 0};
    }
    Cmb_CT_Temp->clear();
    for (int v = serie.primo; v <= serie.ultimo; v += serie.passo)
        Cmb_CT_Temp->addItem(FormattaDecimali(double(v) / serie.divisore, serie.decimali));
    Cmb_CT_Temp->setCurrentIndex(serie.scelto < Cmb_CT_Temp->count() ? serie.scelto : -1);

    if (calendario_) {
        calendario_->hide();
        calendario_->update();
    }
}

void PaginaCT::Apri()
{
    Chk_UsaCrono->setText(QStringLiteral("Utilizzare il cronotermostato in questa zona"));
    Chk_UsaCrono->setToolTip(QStringLiteral("Utilizzare la funzione cronotermostato nella zona selezionata"));
    // The page always opens on the editor; a copy mode left on by another way out ends here.
    if (Chk_Copia->isChecked()) {
        Chk_Copia->setChecked(false);
        Chk_Copia_Click();
    }
    mostraCopia(false);
    Mostra();
}

// ---- Editor -----------------------------------------------------------------------------------

void PaginaCT::Cmb_ZonaCT_Click()
{
    // Every zone choice reads the programme and the holidays again: what was not saved is gone.
    if (Cmb_ZonaCT->currentIndex() >= 0) {
        leggendo_ = true;
        File_Ini::CaricaCronotermostato();
        leggendo_ = false;
    }
    mostraZona();
}

void PaginaCT::mostraZona()
{
    const int zona = Cmb_ZonaCT->currentIndex();
    for (int d = 0; d < 7; ++d)
        riempi(Lst_CT[d], Crono::RigheGiorno(zona, d, Crono::FormaRiga::Editor));
    Chk_UsaCrono->setChecked(zona >= 0 && zona < MaxZone && CronoAttivoZona[zona]);
    mostraFestivita();
}

void PaginaCT::mostraFestivita()
{
    riempi(Lst_Festa, Crono::Festivita);
    if (Lst_Festa->count() > 0)
        Lst_Festa->setCurrentRow(0);
}

void PaginaCT::Chk_UsaCrono_Click()
{
    const int zona = Cmb_ZonaCT->currentIndex();
    if (zona < 0 || zona >= MaxZone)
        return;
    CronoAttivoZona[zona] = Chk_UsaCrono->isChecked();
    update();
}

void PaginaCT::Cmb_Giorno_Click()
{
    const int giorno = Cmb_Giorno->currentIndex();
    const QColor normale = QApplication::palette(Lst_CT[0]).color(QPalette::Base);
    for (int d = 0; d < 7; ++d) {
        QPalette p = Lst_CT[d]->palette();
        p.setColor(QPalette::Base, d == giorno ? QColor(255, 255, 0) : normale);
        Lst_CT[d]->setPalette(p);
        Lst_CT[d]->update();
    }
}

void PaginaCT::Cmb_DalleOre_Click()
{
    // The end is always later than the start, and "24:00" unless chosen otherwise.
    Cmb_AlleOre->clear();
    const int inizio = Cmb_DalleOre->currentIndex();
    if (inizio < 0)
        return;
    for (int i = inizio + 1; i < Cmb_DalleOre->count(); ++i)
        Cmb_AlleOre->addItem(Cmb_DalleOre->itemText(i));
    Cmb_AlleOre->addItem(FasceOrarie[Crono::FasciaFineGiorno]);
    Cmb_AlleOre->setCurrentIndex(Cmb_AlleOre->count() - 1);
    Cmb_AlleOre->update();
}

void PaginaCT::Img_InviaModifica_Click(int index)
{
    Q_UNUSED(index);
    Img_InviaModifica[0]->hide();
    Img_InviaModifica[1]->show();
    ApplicaIntervallo();
    // The pressed look stays long enough to be seen.
    [](QPointer<PaginaCT> pagina) -> QCoro::Task<> {
        co_await Acquisizione::Pausa(300);
        if (!pagina)
            co_return;
        pagina->Img_InviaModifica[0]->show();
        pagina->Img_InviaModifica[1]->hide();
    }(this);
}

void PaginaCT::ApplicaIntervallo()
{
    const int zona = Cmb_ZonaCT->currentIndex();
    const int giorno = Cmb_Giorno->currentIndex();
    if (zona < 0 || zona >= MaxZone || giorno < 0 || Cmb_DalleOre->currentIndex() < 0 || Cmb_AlleOre->currentIndex() < 0)
        return;
    const auto da = Crono::MinutiEtichetta(Cmb_DalleOre->currentText());
    const auto a = Crono::MinutiEtichetta(Cmb_AlleOre->currentText());
    if (!da || !a)
        return;
    // A value the instrument could not be sent never enters the programme.
    const auto valore = Crono::TemperaturaValida(Cmb_CT_Temp->currentText(), Crono::DecimaliZona(zona));
    if (!valore) {
        avvisa(QStringLiteral("Attenzione: Il valore inserito non è valido."));
        return;
    }
    for (int s : Crono::ApplicaIntervallo(zona, giorno, *da, *a, *valore))
        if (QListWidgetItem* riga = Lst_CT[giorno]->item(s))
            riga->setText(Crono::RigaGiorno(s, *valore, Crono::FormaRiga::Editor));
    CronoAttivoZona[zona] = Chk_UsaCrono->isChecked();
}

// ---- Buttons and holidays ---------------------------------------------------------------------

void PaginaCT::Cmd_OK_CT_Click(int index)
{
    switch (index) {
    case 0:
        if (salva())
            chiudi();
        break;
    case 1:
        chiudi();
        break;
    case 2:
        salva();
        break;
    case 3:
        rileggi();
        break;
    case 4:
        if (QCalendarWidget* calendario = calendario_) {
            if (calendario->isHidden()) {
                posizionaCalendario();
                calendario->show();
                calendario->raise();
                calendario->setFocus();
            } else {
                calendario->hide();
                setFocus();
            }
            calendario->update();
        }
        break;
    case 5:
        ordinaFestivita();
        break;
    case 6:
        StampaCronotermostato();
        break;
    default:
        break;
    }
}

bool PaginaCT::salva()
{
    // The files are replaced whole or not at all; a save that failed keeps the page and its
    // edits, and says so.
    if (File_Ini::SalvaCronotermostato())
        return true;
    avvisa(QStringLiteral("Attenzione: Non è stato possibile salvare i dati del cronotermostato."));
    return false;
}

void PaginaCT::chiudi()
{
    Finestra()->Cmd_Accessori[5]->setEnabled(true);
    if (Chk_Copia->isChecked()) {
        Chk_Copia->setChecked(false);
        Chk_Copia_Click();
    }
    hide();
    // What was not saved is dropped: the programme in effect is the files' again.
    File_Ini::CaricaCronotermostato();
    Finestra()->update();
}

void PaginaCT::rileggi()
{
    hide();
    Finestra()->update();
    File_Ini::CaricaCronotermostato();
    // Opened again as its accessory button opens it, once the configuration is loaded again, but
    // in the mode it was in.
    Finestra()->NascondiPagine([this] {
        Finestra()->Cmd_Accessori[5]->setEnabled(false);
        Chk_UsaCrono->setText(QStringLiteral("Utilizzare il cronotermostato in questa zona"));
        Chk_UsaCrono->setToolTip(QStringLiteral("Utilizzare la funzione cronotermostato nella zona selezionata"));
        mostraCopia(Chk_Copia->isChecked());
        Mostra();
        Finestra()->update();
    });
}

void PaginaCT::Calendar_Click()
{
    const QDate giorno = calendario_ ? calendario_->selectedDate() : QDate();
    if (!giorno.isValid())
        return;
    // Always "dd/MM/yyyy": the form the run-time step compares, whatever the desktop's settings.
    Crono::Festivita.append(Crono::TestoFestivita(giorno));
    Lst_Festa->addItem(Crono::Festivita.last());
}

void PaginaCT::Lst_Festa_DblClick()
{
    const int riga = Lst_Festa->currentRow();
    if (riga < 0 || riga >= Crono::Festivita.size())
        return;
    const QString giorno = Lst_Festa->item(riga)->text();
    if (chiedi(QStringLiteral("Eliminare la festività ") + giorno + QStringLiteral(" ?")) != RispostaDialogo::Si)
        return;
    // The list may have been read again while the question was open: remove that very day.
    const int indice = riga < Crono::Festivita.size() && Crono::Festivita[riga] == giorno ? riga : int(Crono::Festivita.indexOf(giorno));
    if (indice < 0)
        return;
    Crono::Festivita.removeAt(indice);
    delete Lst_Festa->takeItem(indice);
}

void PaginaCT::Lst_Festa_MouseDown(Qt::MouseButton tasto, Qt::KeyboardModifiers modificatori)
{
    if (tasto != Qt::RightButton || (modificatori & ~Qt::KeypadModifier) != Qt::ShiftModifier)
        return;
    if (chiedi(QStringLiteral("Eliminare tutte le festività dalla lista ?")) != RispostaDialogo::Si)
        return;
    Crono::Festivita.clear();
    Lst_Festa->clear();
    Lst_Festa->update();
}

void PaginaCT::ordinaFestivita()
{
    const RispostaDialogo risposta =
        chiedi(QStringLiteral("Eliminare le date doppie e precedenti alla attuale ?"), PulsantiDialogo::SiNoAnnulla);
    if (risposta == RispostaDialogo::Annulla)
        return;
    Crono::Festivita = Crono::OrdinaFestivita(Crono::Festivita, Acquisizione::Adesso().date(), risposta == RispostaDialogo::Si);
    mostraFestivita();
    if (chiedi(QStringLiteral("La lista delle festività è stata aggiornata.\nSalvare la lista ?")) == RispostaDialogo::Si
        && !File_Ini::SalvaFestivita())
        avvisa(QStringLiteral("Attenzione: Non è stato possibile salvare i dati del cronotermostato."));
}

void PaginaCT::StampaCronotermostato()
{
    if (chiedi(QStringLiteral("Stampare le impostazioni del cronotermostato sulla stampante predefinita ?"),
               PulsantiDialogo::SiNo, QStringLiteral("Stampa elenco comunicazione"))
        != RispostaDialogo::Si) {
        setFocus();
        update();
        return;
    }
    StampaCrono::Contenuto contenuto;
    contenuto.prodotto = Stampante::Prodotto();
    contenuto.zona = Cmb_ZonaCT->currentText();
    contenuto.momento = Acquisizione::Adesso();
    for (int d = 0; d < 7; ++d) {
        contenuto.giorni[d] = Lab_CTg[d]->text();
        contenuto.colonne[d] = voci(Lst_CT[d]);
    }
    contenuto.titoloFestivita = Lab_CTf->text();
    contenuto.festivita = voci(Lst_Festa);

    // No printer: nothing is printed and nothing is said, as with any printer failure.
    if (std::unique_ptr<QPrinter> stampante = Stampante::Nuova()) {
        stampante->setPageMargins(QMarginsF(7, 7, 7, 7), QPageLayout::Millimeter);
        StampaCrono::Stampa(*stampante, StampaCrono::Impagina(contenuto));
    }
    Finestra()->update();
}

// ---- Copy of days and zones -------------------------------------------------------------------

void PaginaCT::mostraCopia(bool copia)
{
    Frm_Cronotermostato->setVisible(!copia);
    Frm_Copia->setVisible(copia);
    if (isVisible())
        adjustSize();
}

void PaginaCT::Chk_Copia_Click()
{
    if (Chk_Copia->isChecked()) {
        const QStringList giorni = voci(Cmb_Giorno);
        const QStringList zone = voci(Cmb_ZonaCT);
        for (QComboBox* c : Cmb_CopiaG) {
            c->clear();
            c->addItems(giorni);
        }
        for (QComboBox* c : {Cmb_CopiaZ[0], Cmb_CopiaZ[1], Cmb_CopiaG1}) {
            c->clear();
            c->addItems(zone);
        }
        mostraCopia(true);
        Opt_Copia[0]->setChecked(true);
        Opt_Copia_Click(0);
    } else {
        Cmb_Giorno->setCurrentIndex(Cmb_Giorno->count() > 0 ? 0 : -1);
        Cmb_Giorno_Click();
        mostraCopia(false);
    }
    setFocus();
    update();
}

void PaginaCT::Opt_Copia_Click(int index)
{
    if (index != 0 && index != 1)
        return;
    const bool giorni = index == 0;
    Opt_Copia[index]->setChecked(true);
    auto imposta = [](QComboBox* c, bool attiva) {
        c->setCurrentIndex(attiva && c->count() > 0 ? 0 : -1);
        c->setEnabled(attiva);
        c->update();
    };
    imposta(Cmb_CopiaG[0], giorni);
    imposta(Cmb_CopiaG[1], giorni);
    imposta(Cmb_CopiaG1, giorni);
    Cmd_Conferma[0]->setEnabled(giorni);
    imposta(Cmb_CopiaZ[0], !giorni);
    imposta(Cmb_CopiaZ[1], !giorni);
    Cmb_ZonaCT->setCurrentIndex(Cmb_ZonaCT->count() > 0 ? 0 : -1);
    Cmb_CopiaG_Click(0);
    Cmb_ZonaCT_Click();
    Cmd_Conferma[1]->setEnabled(!giorni);
    setFocus();
    update();
}

void PaginaCT::Cmb_CopiaG1_Click()
{
    Cmb_ZonaCT->setCurrentIndex(Cmb_CopiaG1->currentIndex());
    Cmb_ZonaCT_Click();
}

void PaginaCT::Cmb_CopiaG_Click(int index)
{
    if (index != 0)
        return;
    Cmb_Giorno->setCurrentIndex(Cmb_CopiaG[0]->currentIndex());
    Cmb_Giorno_Click();
}

void PaginaCT::Cmb_CopiaZ_Click(int index)
{
    if (index != 0)
        return;
    Cmb_ZonaCT->setCurrentIndex(Cmb_CopiaZ[0]->currentIndex());
    Cmb_Giorno->setCurrentIndex(-1);
    Cmb_ZonaCT_Click();
    Cmb_Giorno_Click();
}

void PaginaCT::Cmd_Conferma_Click(int index)
{
    // The lists always show the zone chosen in the editor, in the form a copy writes.
    const int mostrata = Cmb_ZonaCT->currentIndex();
    auto ricostruisci = [&](int giorno) {
        riempi(Lst_CT[giorno], Crono::RigheGiorno(mostrata, giorno, Crono::FormaRiga::Copia));
        if (Lst_CT[giorno]->count() > 0)
            Lst_CT[giorno]->setCurrentRow(0);
    };
    if (index == 0) {
        const int zona = Cmb_CopiaG1->currentIndex();
        const int da = Cmb_CopiaG[0]->currentIndex();
        const int a = Cmb_CopiaG[1]->currentIndex();
        if (zona < 0 || da < 0 || a < 0)
            return;
        if (da == a) {
            avvisa(QStringLiteral("Attenzione: Non è possibile copiare un giorno su se stesso."));
            return;
        }
        if (chiedi(QStringLiteral("Si desidera copiare i dati relativi alla giornata di ") + Cmb_CopiaG[0]->currentText()
                   + QStringLiteral(" sulla giornata di ") + Cmb_CopiaG[1]->currentText()
                   + QStringLiteral(" relativi alla sola zona ") + Cmb_CopiaG1->currentText() + QStringLiteral("?"))
            != RispostaDialogo::Si)
            return;
        if (Crono::CopiaGiorno(zona, da, a))
            ricostruisci(a);
    } else if (index == 1) {
        const int da = Cmb_CopiaZ[0]->currentIndex();
        const int a = Cmb_CopiaZ[1]->currentIndex();
        if (da < 0 || a < 0)
            return;
        if (da == a) {
            avvisa(QStringLiteral("Attenzione: Non è possibile copiare una zona su se stessa."));
            return;
        }
        if (chiedi(QStringLiteral("Si desidera copiare i dati relativi alla zona ") + Cmb_CopiaZ[0]->currentText()
                   + QStringLiteral(" sulla zona ") + Cmb_CopiaZ[1]->currentText() + QStringLiteral("?"))
            != RispostaDialogo::Si)
            return;
        if (Crono::CopiaZona(da, a))
            for (int d = 0; d < 7; ++d)
                ricostruisci(d);
    }
}

// ---- Events -----------------------------------------------------------------------------------

bool PaginaCT::eventFilter(QObject* oggetto, QEvent* evento)
{
    // A right click on the holiday list is the list's own (Shift: delete all), never a page drag.
    if (oggetto == Lst_Festa->viewport() && evento->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(evento);
        if (mouse->button() == Qt::RightButton) {
            Lst_Festa_MouseDown(mouse->button(), mouse->modifiers());
            return true;
        }
    }
    return Pagina::eventFilter(oggetto, evento);
}

void PaginaCT::hideEvent(QHideEvent* evento)
{
    // The calendar belongs to this page: it goes when the page goes.
    if (calendario_)
        calendario_->hide();
    Pagina::hideEvent(evento);
}

void PaginaCT::moveEvent(QMoveEvent* evento)
{
    if (calendario_ && calendario_->isVisible())
        posizionaCalendario();
    Pagina::moveEvent(evento);
}

void PaginaCT::posizionaCalendario()
{
    QCalendarWidget* calendario = calendario_;
    if (!calendario)
        return;
    calendario->adjustSize();
    QWidget* padre = calendario->parentWidget();
    const QPoint lista = padre ? Lst_Festa->mapTo(padre, QPoint(0, 0)) : Lst_Festa->mapToGlobal(QPoint(0, 0));
    calendario->move(std::max(0, lista.x() - calendario->width() - 4), lista.y());
}
