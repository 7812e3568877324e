#include "finestratrend.h"

#include "controlli.h"
#include "drag.h"
#include "formatitrend.h"
#include "operazionigrafico.h"
#include "stampagrafico.h"
#include "tempotrend.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QGridLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace {

constexpr int LarghezzaPannelloTracce = 180;

// The trace box's own text is its zone name with "&" doubled (no shortcut): the name as written.
QString nomeDellaCasella(const QCheckBox* casella)
{
    return casella->text().replace(QStringLiteral("&&"), QStringLiteral("&"));
}

QFrame* pannelloGalleggiante(const QString& nome, QWidget* genitore)
{
    auto* p = new QFrame(genitore);
    p->setObjectName(nome);
    p->setFrameShape(QFrame::Panel);
    p->setFrameShadow(QFrame::Raised);
    p->setAutoFillBackground(true);
    return p;
}

// Pictures for the two buttons whose sign no common font carries: a printer, and a cross-hair.
QIcon disegnaIcona(bool stampante, const QColor& colore)
{
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colore, 1.5));
    if (stampante) {
        p.drawRect(QRectF(5.5, 2.5, 9, 5));      // paper in
        p.drawRoundedRect(QRectF(2.5, 7.5, 15, 7), 1.5, 1.5);
        p.fillRect(QRectF(5.5, 12.5, 9, 6), Qt::white);
        p.drawRect(QRectF(5.5, 12.5, 9, 6));     // paper out
    } else {
        p.drawEllipse(QRectF(4.5, 4.5, 11, 11));
        p.drawLine(QPointF(10, 1), QPointF(10, 19));
        p.drawLine(QPointF(1, 10), QPointF(19, 10));
    }
    return QIcon(pm);
}

QLabel* etichetta(const QString& testo, QWidget* genitore, const QString& nome = QString())
{
    auto* l = new QLabel(testo, genitore);
    l->setTextFormat(Qt::PlainText);
    if (!nome.isEmpty())
        l->setObjectName(nome);
    return l;
}

}  // namespace

int FinestraTrend::CodiceMaiuscole(Qt::KeyboardModifiers modificatori)
{
    return (modificatori & Qt::ShiftModifier ? 1 : 0) | (modificatori & Qt::ControlModifier ? 2 : 0) |
           (modificatori & Qt::AltModifier ? 4 : 0);
}

FinestraTrend::FinestraTrend(const QString& nome, const QString& nomeCursore, QWidget* genitore)
    : QWidget(genitore)
{
    setObjectName(nome);
    setWindowTitle(nome);

    Frm_trend = new QFrame(this);
    Frm_trend->setObjectName(QStringLiteral("Frm_trend"));
    Trend = new ::Trend(Frm_trend);
    creaTracce();

    Barra = new QHBoxLayout;
    Barra->setContentsMargins(0, 0, 0, 0);
    Barra->setSpacing(2);
    auto* riga = new QHBoxLayout;
    riga->setContentsMargins(0, 0, 0, 0);
    riga->addWidget(Trend, 1);
    riga->addWidget(Pic_Tracce);
    auto* colonna = new QVBoxLayout(Frm_trend);
    colonna->setContentsMargins(0, 0, 0, 0);
    colonna->setSpacing(2);
    colonna->addLayout(Barra);
    colonna->addLayout(riga, 1);
    auto* tutto = new QVBoxLayout(this);
    tutto->setContentsMargins(4, 4, 4, 4);
    tutto->addWidget(Frm_trend);

    Cmd_VediCursore = CreaPulsante(QStringLiteral("Cmd_VediCursore"), QString(),
                                   QStringLiteral("Mostra / Nascondi il cursore"), Frm_trend);
    Cmd_CancellaTutto = CreaPulsante(QStringLiteral("Cmd_CancellaTutto"), QStringLiteral("✗"),
                                     QStringLiteral("Cancella tutti i dati del grafico"), Frm_trend);
    Cmd_Stampa = CreaPulsante(QStringLiteral("Cmd_Stampa"), QString(), QStringLiteral("Stampa il diagramma"), Frm_trend);
    Cmd_VediCursore->setIcon(disegnaIcona(false, palette().color(QPalette::ButtonText)));
    Cmd_Stampa->setIcon(disegnaIcona(true, palette().color(QPalette::ButtonText)));
    connect(Cmd_VediCursore, &QToolButton::clicked, this, &FinestraTrend::Cmd_VediCursore_Click);
    connect(Cmd_CancellaTutto, &QToolButton::clicked, this, &FinestraTrend::Cmd_CancellaTutto_Click);
    connect(Cmd_Stampa, &QToolButton::clicked, this, &FinestraTrend::Cmd_Stampa_Click);

    creaStatistiche();
    creaCursore(nomeCursore);
    connect(Trend, &::Trend::CursoreSpostato, this, &FinestraTrend::Trend_CursoreSpostato);
}

QToolButton* FinestraTrend::CreaPulsante(const QString& nome, const QString& simbolo, const QString& suggerimento, QWidget* genitore)
{
    auto* b = new QToolButton(genitore);
    b->setObjectName(nome);
    b->setText(simbolo);
    b->setToolTip(suggerimento);
    b->setAutoRaise(false);
    b->setFixedSize(30, 28);
    QFont f = b->font();
    f.setPointSizeF(f.pointSizeF() * 1.3);
    b->setFont(f);
    return b;
}

void FinestraTrend::creaTracce()
{
    Pic_Tracce = new QWidget(Frm_trend);
    Pic_Tracce->setObjectName(QStringLiteral("Pic_Tracce"));
    Pic_Tracce->setFixedWidth(LarghezzaPannelloTracce);
    Pic_Tracce->setFocusPolicy(Qt::ClickFocus);  // takes the focus from a box just clicked
    auto* colonna = new QVBoxLayout(Pic_Tracce);
    colonna->setContentsMargins(4, 0, 4, 4);
    colonna->setSpacing(0);
    for (int i = 0; i < NumeroRighe; ++i) {
        Chk_Trax[i] = new QCheckBox(QStringLiteral("Trax %1").arg(i + 1, 2, 10, QLatin1Char('0')), Pic_Tracce);
        Chk_Trax[i]->setObjectName(Controlli::Elemento("Chk_Trax", i));
        Chk_Trax[i]->installEventFilter(this);
        connect(Chk_Trax[i], &QCheckBox::toggled, this, [this, i] { Chk_Trax_Click(i); });
        colonna->addWidget(Chk_Trax[i]);
    }
    colonna->addStretch(1);
    auto* selezione = new QHBoxLayout;
    Cmd_Selezione[0] = CreaPulsante(QStringLiteral("Cmd_Selezione(0)"), QStringLiteral("☑"),
                                    QStringLiteral("Seleziona tutti gli elementi della lista"), Pic_Tracce);
    Cmd_Selezione[1] = CreaPulsante(QStringLiteral("Cmd_Selezione(1)"), QStringLiteral("☐"),
                                    QStringLiteral("Deseleziona tutti gli elementi della lista"), Pic_Tracce);
    for (int i = 0; i < 2; ++i) {
        connect(Cmd_Selezione[i], &QToolButton::clicked, this, [this, i] { Cmd_Selezione_Click(i); });
        selezione->addWidget(Cmd_Selezione[i]);
    }
    selezione->addStretch(1);
    colonna->addLayout(selezione);
}

void FinestraTrend::creaStatistiche()
{
    Pic_Stat = pannelloGalleggiante(QStringLiteral("Pic_Stat"), Frm_trend);
    auto* griglia = new QGridLayout(Pic_Stat);
    griglia->setContentsMargins(8, 6, 8, 6);
    griglia->setHorizontalSpacing(10);
    Lab_Stat_Gen = etichetta(QStringLiteral("Trax"), Pic_Stat, QStringLiteral("Lab_Stat_Gen"));
    QFont grassetto = Lab_Stat_Gen->font();
    grassetto.setBold(true);
    Lab_Stat_Gen->setFont(grassetto);
    griglia->addWidget(Lab_Stat_Gen, 0, 0, 1, 2);
    const char* didascalie[6] = {"Massimo visualizzato:", "Media visualizzata:", "Minimo visualizzato:",
                                 "Massimo assoluto:", "Media assoluta:", "Minimo assoluto:"};
    for (int k = 0; k < 6; ++k) {
        griglia->addWidget(etichetta(QString::fromUtf8(didascalie[k]), Pic_Stat), k + 1, 0);
        Lab_Stat[k] = etichetta(QStringLiteral("--.-"), Pic_Stat, Controlli::Elemento("Lab_Stat", k));
        Lab_Stat[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Lab_Stat[k]->setMinimumWidth(Lab_Stat[k]->fontMetrics().horizontalAdvance(QStringLiteral("-00000,0")));
        griglia->addWidget(Lab_Stat[k], k + 1, 1);
    }
    Pic_Stat->adjustSize();
    Pic_Stat->move(90, 50);
    Pic_Stat->hide();
}

void FinestraTrend::creaCursore(const QString& nomeCursore)
{
    PannelloCursore = pannelloGalleggiante(nomeCursore, Frm_trend);
    PannelloCursore->installEventFilter(this);
    auto* griglia = new QGridLayout(PannelloCursore);
    griglia->setContentsMargins(8, 6, 8, 6);
    auto* titolo = etichetta(QStringLiteral("Cursore"), PannelloCursore);
    QFont grassetto = titolo->font();
    grassetto.setBold(true);
    titolo->setFont(grassetto);
    griglia->addWidget(titolo, 0, 0, 1, 2);
    griglia->addWidget(etichetta(QStringLiteral("Zona:"), PannelloCursore), 1, 0, 1, 2);
    Cmb_Cursore = new QComboBox(PannelloCursore);
    Cmb_Cursore->setObjectName(QStringLiteral("Cmb_Cursore"));
    Cmb_Cursore->setMinimumContentsLength(20);
    connect(Cmb_Cursore, &QComboBox::currentIndexChanged, this, &FinestraTrend::Cmb_Cursore_Click);
    griglia->addWidget(Cmb_Cursore, 2, 0, 1, 2);
    griglia->addWidget(etichetta(QStringLiteral("Ora:"), PannelloCursore), 3, 0);
    griglia->addWidget(etichetta(QStringLiteral("Temperatura"), PannelloCursore), 3, 1);
    for (int k = 0; k < 2; ++k) {
        Lab_Cur[k] = etichetta(QString(), PannelloCursore, Controlli::Elemento("Lab_Cur", k));
        Lab_Cur[k]->setFrameShape(QFrame::Panel);
        Lab_Cur[k]->setFrameShadow(QFrame::Sunken);
        Lab_Cur[k]->setMinimumWidth(Lab_Cur[k]->fontMetrics().horizontalAdvance(QStringLiteral("00:00:00 ")));
        griglia->addWidget(Lab_Cur[k], 4, k);
    }
    PannelloCursore->adjustSize();
    PannelloCursore->move(480, 50);
    PannelloCursore->hide();
}

void FinestraTrend::PreparaTrend(long dimensioneBuffer)
{
    ::Trend& t = *Trend;
    t.ImpostaOpzioneLogica(false);
    t.ImpostaDimensioneBuffer(dimensioneBuffer);
    t.ImpostaAmpiezzaTempo(1.0 / 24 / 60);
    t.ImpostaTempoFine(SerialeDaDataOra(QDateTime::currentDateTime()));
    t.ImpostaTempoInizio(t.TempoFine() - t.AmpiezzaTempo());
    t.ImpostaFinestraTempo(t.TempoInizio(), t.TempoFine());
    t.ImpostaFormatoValore(QStringLiteral("##0.0"));
    t.ImpostaFormatoTempo(QStringLiteral("hh:mm:ss"));
    t.ImpostaCursoreVisibile(0);
    t.ImpostaOpzioneModo(1);
    t.Ridisegna();
}

void FinestraTrend::Chk_Trax_Click(int indice)
{
    if (indice < 0 || indice >= NumeroRighe)
        return;
    Trend->ImpostaTracciaCorrente(indice + 1);
    Trend->ImpostaTracciaVisibile(Chk_Trax[indice]->isChecked());
    Trend->Ridisegna();
    update();
    Pic_Tracce->setFocus();
}

void FinestraTrend::Chk_Trax_MouseDown(int indice, int pulsante, int maiuscole)
{
    if (indice < 0 || indice >= NumeroRighe)
        return;
    QCheckBox* casella = Chk_Trax[indice];
    Trend->ImpostaTracciaCorrente(indice + 1);
    QFont f = casella->font();
    f.setBold(true);
    casella->setFont(f);
    if (pulsante == 2 && maiuscole == 0 && Trend->TracciaVisibile()) {
        Trend->ImpostaTracciaSpessore(2);
        Trend->Ridisegna();
    }
    if (pulsante == 2 && maiuscole == 1) {
        const QString formato = Trend->FormatoValore();
        Lab_Stat_Gen->setText(nomeDellaCasella(casella));
        const double figure[6] = {Trend->VistoMax(), Trend->VistoMedia(), Trend->VistoMin(),
                                  Trend->AssolutoMax(), Trend->AssolutoMedia(), Trend->AssolutoMin()};
        for (int k = 0; k < 6; ++k)
            Lab_Stat[k]->setText(Grafici::TestoFigura(figure[k], formato));
        Pic_Stat->adjustSize();
        Pic_Stat->raise();
        Pic_Stat->show();
    }
    update();
}

void FinestraTrend::Chk_Trax_MouseUp(int indice, int pulsante, int maiuscole)
{
    if (indice < 0 || indice >= NumeroRighe)
        return;
    QCheckBox* casella = Chk_Trax[indice];
    QFont f = casella->font();
    f.setBold(false);
    casella->setFont(f);
    if (pulsante == 2) {
        Trend->ImpostaTracciaCorrente(indice + 1);
        Trend->ImpostaTracciaSpessore(1);
        Trend->Ridisegna();
        Pic_Stat->hide();
    }
    update();
}

void FinestraTrend::Cmd_Selezione_Click(int indice)
{
    // Each box that changes runs its click: the trace shown or hidden, the chart redrawn.
    const bool valore = indice == 0;
    for (QCheckBox* casella : Chk_Trax)
        casella->setChecked(valore);
}

void FinestraTrend::Cmd_VediCursore_Click()
{
    PannelloCursore->setVisible(!PannelloCursore->isVisibleTo(this));
    PannelloCursore->raise();
    Trend->ImpostaCursoreVisibile(PannelloCursore->isVisibleTo(this) ? 1 : 0);
    Trend->Ridisegna();
    DopoVediCursore();
    // The first zone is chosen; when it already was, its read-out is made afresh all the same.
    if (Cmb_Cursore->currentIndex() == 0 || Cmb_Cursore->count() == 0)
        Cmb_Cursore_Click();
    else
        Cmb_Cursore->setCurrentIndex(0);
    update();
}

void FinestraTrend::Cmb_Cursore_Click()
{
    // No zone chosen (an empty list) asks for trace 0, which has no value.
    const long traccia = Cmb_Cursore->currentIndex() + 1;
    Lab_Cur[1]->setText(Grafici::TestoFigura(Trend->ValoreCursore(traccia), Trend->FormatoValore()));
}

void FinestraTrend::Trend_CursoreSpostato(double tempo)
{
    Lab_Cur[0]->setText(FormattaTempo(tempo, Trend->FormatoTempo()));
    Cmb_Cursore_Click();
}

void FinestraTrend::Cmd_CancellaTutto_Click()
{
    Trend->CancellaPunti();
    Trend->Ridisegna();
    update();
}

void FinestraTrend::Cmd_Stampa_Click()
{
    Grafici::StampaGrafico(this);
}

void FinestraTrend::PannelloCursore_MouseDown(int pulsante, QPoint doveSchermo)
{
    if (pulsante == 2)
        Drag::TrascinaControllo(PannelloCursore, Qt::RightButton, doveSchermo);
    update();
}

bool FinestraTrend::eventFilter(QObject* oggetto, QEvent* evento)
{
    QEvent::Type tipo = evento->type();
    // The second press of a double click is a press all the same: held, it widens the trace or
    // shows its statistics like the first.
    if (tipo == QEvent::MouseButtonDblClick && oggetto != PannelloCursore)
        tipo = QEvent::MouseButtonPress;
    if (tipo != QEvent::MouseButtonPress && tipo != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(oggetto, evento);
    auto* e = static_cast<QMouseEvent*>(evento);
    const int pulsante = Drag::CodicePulsante(e->button());
    if (oggetto == PannelloCursore && tipo == QEvent::MouseButtonPress && !Drag::TrascinamentoInCorso()) {
        PannelloCursore_MouseDown(pulsante, e->globalPosition().toPoint());
        return pulsante == 2;
    }
    for (int i = 0; i < NumeroRighe; ++i) {
        if (oggetto != Chk_Trax[i])
            continue;
        if (tipo == QEvent::MouseButtonPress)
            Chk_Trax_MouseDown(i, pulsante, CodiceMaiuscole(e->modifiers()));
        else
            Chk_Trax_MouseUp(i, pulsante, CodiceMaiuscole(e->modifiers()));
        return pulsante == 2;  // the left button goes on to tick or untick the box
    }
    return QWidget::eventFilter(oggetto, evento);
}

void FinestraTrend::closeEvent(QCloseEvent* e)
{
    e->ignore();
    hide();
}
