#include "storico.h"

#include "caricastorico.h"
#include "cartellaprogramma.h"
#include "dialoghi.h"
#include "geometria.h"
#include "tempotrend.h"

#include <QApplication>
#include <QFileInfo>
#include <QLocale>
#include <QShowEvent>

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace {

using Geometria::TwipsPerPixel;

// The hourglass for the length of a load, given back on every path.
class Clessidra {
public:
    Clessidra() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Clessidra() { QApplication::restoreOverrideCursor(); }
    Clessidra(const Clessidra&) = delete;
    Clessidra& operator=(const Clessidra&) = delete;
};

// The earliest point of the day before `giorno`, +infinity without one.
double PrimoDelGiornoPrima(const DatiTrend& dati, const QDate& giorno)
{
    const double vigilia = SerialeDaDataOra(QDateTime(giorno.addDays(-1), QTime(0, 0)));
    const double mezzanotte = SerialeDaDataOra(QDateTime(giorno, QTime(0, 0)));
    double primo = std::numeric_limits<double>::infinity();
    for (int traccia = 1; traccia <= DatiTrend::MaxTracce; ++traccia) {
        const auto punti = dati.Punti(traccia);
        const auto p = std::lower_bound(punti.begin(), punti.end(), vigilia, [](const PuntoTrend& q, double t) { return q.tempo < t; });
        if (p != punti.end() && p->tempo < mezzanotte)
            primo = std::min(primo, p->tempo);
    }
    return primo;
}

}  // namespace

Storico::Storico(QWidget* genitore)
    : FinestraTrend(QStringLiteral("Storico"), QStringLiteral("Pic_CursoreS"), genitore)
{
    Pic_CursoreS = PannelloCursore;
    Cmd_Apri = CreaPulsante(QStringLiteral("Cmd_Apri"), QStringLiteral("▸"), QStringLiteral("Apri..."), Frm_trend);
    Cmd_Chiudi = CreaPulsante(QStringLiteral("Cmd_Chiudi"), QStringLiteral("◂"), QStringLiteral("Chiudi..."), Frm_trend);
    Barra->addWidget(Cmd_Apri);
    Barra->addWidget(Cmd_Chiudi);
    Barra->addSpacing(12);
    Barra->addWidget(Cmd_VediCursore);
    Barra->addWidget(Cmd_CancellaTutto);
    Barra->addWidget(Cmd_Stampa);
    Barra->addStretch(1);
    connect(Cmd_Apri, &QToolButton::clicked, this, &Storico::Cmd_Apri_Click);
    connect(Cmd_Chiudi, &QToolButton::clicked, this, &Storico::Cmd_Chiudi_Click);
    Cmd_Chiudi->setEnabled(false);

    Calendar = new QCalendarWidget(Frm_trend);
    Calendar->setObjectName(QStringLiteral("Calendar"));
    Calendar->setToolTip(QStringLiteral("Selezione del giorno da visualizzare"));
    Calendar->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    Calendar->setFirstDayOfWeek(Qt::Monday);
    Calendar->setAutoFillBackground(true);
    Calendar->adjustSize();
    Calendar->move(40, 34);
    connect(Calendar, &QCalendarWidget::clicked, this, &Storico::Calendar_Click);
    connect(Calendar, &QCalendarWidget::activated, this, &Storico::Calendar_Click);

    resize(Geometria::MinimoStorico.width() / TwipsPerPixel, Geometria::MinimoStorico.height() / TwipsPerPixel);
    Geometria::RegolaGeometria(this, Frm_trend, Geometria::MinimoStorico);
    Form_Load();
}

void Storico::Form_Load()
{
    Pic_Stat->hide();
    Pic_CursoreS->hide();
    Calendar->setSelectedDate(QDate::currentDate());
    Calendar->hide();
    // A whole day of points, where the live chart keeps 10000.
    PreparaTrend(PuntiGiorno);
    update();
}

QString Storico::NomeFileGiorno(const QDate& giorno)
{
    return giorno.toString(QStringLiteral("yyyy_MM_dd")) + QStringLiteral(".csv");
}

QString Storico::TestoGiorno(const QDate& giorno)
{
    return QLocale(QLocale::Italian, QLocale::Italy).toString(giorno, QStringLiteral("dddd dd/MM/yyyy"));
}

void Storico::Cmd_Apri_Click()
{
    Calendar->show();
    Calendar->raise();
    Cmd_Chiudi->setEnabled(true);
    Cmd_Apri->setEnabled(false);
    Calendar->setFocus();
    Calendar->update();
    update();
}

void Storico::Cmd_Chiudi_Click()
{
    Calendar->hide();
    Cmd_Chiudi->setEnabled(false);
    Cmd_Apri->setEnabled(true);
    Calendar->update();
    Trend->setFocus();
    Trend->Ridisegna();
    update();
}

int Storico::Calendar_Click()
{
    using namespace Piattaforma;
    int stato = ErroreCaricamento;
    QString testoGiorno;
    try {
        Cmd_Chiudi_Click();
        Cmd_CancellaTutto_Click();
        const QDate giorno = Calendar->selectedDate();
        if (!giorno.isValid())
            throw std::invalid_argument("giorno");
        const QString nome = NomeFileGiorno(giorno);
        testoGiorno = TestoGiorno(giorno);
        const QFileInfo file(PercorsoProgramma(QStringLiteral("Dati/") + nome));
        if (file.isFile()) {
            Clessidra clessidra;
            // Room for every line the file can hold (the clock set back makes a day longer than
            // a day): what the chart could still not hold makes the day read as not whole.
            Trend->ImpostaDimensioneBuffer(std::clamp<qint64>(file.size() / RigaMinima + 1, PuntiGiorno, DatiTrend::BufferMassimo));
            const double inizio = SerialeDaDataOra(QDateTime(giorno, QTime(0, 0)));
            Trend->ImpostaTempoFine(inizio);
            Trend->ImpostaTempoInizio(inizio - Trend->AmpiezzaTempo());
            Trend->ImpostaFinestraTempo(Trend->TempoInizio(), Trend->TempoFine());
            const bool completo = File_Ini::CaricaStorico(nome, *Trend);
            // The chosen day whole, from 00:00 to 24:00 (25 hours the day the clocks go back),
            // whatever the last line's time; from the start of the pass that crossed midnight
            // into it, whose line is stamped with its start and filed with the day it ended in.
            Trend->ImpostaFinestraTempo(std::min(inizio, PrimoDelGiornoPrima(Trend->Dati(), giorno)),
                                        SerialeDaDataOra(QDateTime(giorno.addDays(1), QTime(0, 0))));
            Trend->Ridisegna();
            stato = completo ? FileCaricato : FileDanneggiato;
        } else {
            stato = FileAssente;
        }
    } catch (...) {
        // Out of memory, a day the calendar cannot give: the status stands as it was.
    }
    const QString titolo = QStringLiteral("Lettura dati storici");
    switch (stato) {
    case FileDanneggiato:
        ServizioDialoghi().Messaggio(QStringLiteral("Attenzione: Il file relativo alla giornata di ") + testoGiorno +
                                         QStringLiteral(" è danneggiato. Il caricameto dei dati potrebbe essere errato o incompleto."),
                                     titolo, PulsantiDialogo::OK, IconaDialogo::Critico);
        break;
    case FileCaricato:
        ServizioDialoghi().Messaggio(QStringLiteral("Il file relativo alla giornata di ") + testoGiorno +
                                         QStringLiteral(" è stato caricato correttamente."),
                                     titolo, PulsantiDialogo::OK, IconaDialogo::Informazione);
        break;
    case FileAssente:
        ServizioDialoghi().Messaggio(QStringLiteral("Attenzione: Il file relativo alla giornata di ") + testoGiorno +
                                         QStringLiteral(" non è presente."),
                                     titolo, PulsantiDialogo::OK, IconaDialogo::Critico);
        break;
    default:
        ServizioDialoghi().Messaggio(QStringLiteral("Attenzione: Errore occorso durante il caricamento dei dati"), titolo,
                                     PulsantiDialogo::OK, IconaDialogo::Critico);
        break;
    }
    return stato;
}

void Storico::DopoVediCursore()
{
    Lab_Cur[0]->clear();
    Lab_Cur[1]->clear();
}

void Storico::showEvent(QShowEvent* e)
{
    // Each showing puts the chooser's buttons back in the closed state; the calendar keeps its
    // visibility. The main window coming back from the taskbar shows nothing anew: an open
    // chooser stays open then.
    if (!e->spontaneous()) {
        Cmd_Chiudi->setEnabled(false);
        Cmd_Apri->setEnabled(true);
    }
    FinestraTrend::showEvent(e);
}
