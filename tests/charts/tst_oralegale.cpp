// The autumn and spring clock changes in Europe/Rome (the last Sunday of October 03:00 goes back
// to 02:00, the last Sunday of March 02:00 goes on to 03:00): the chart's time axis does not fold,
// the live chart keeps the repeated hour after the first one, and a history day file is drawn
// in the order its lines were written.
#include "cartellatemporanea.h"
#include "dialoghifinti.h"
#include "formatitrend.h"
#include "storico.h"
#include "tempotrend.h"
#include "trend.h"

#include <QApplication>
#include <QtTest>

#include <ctime>

namespace {

QDateTime utc(const char* testo) { return QDateTime::fromString(QString::fromLatin1(testo), Qt::ISODate); }

// A line every ten seconds, `quante` of them from `ora` of the day (as the clock reads it).
QByteArray righe(const QString& giorno, const QTime& ora, int quante, const char* valore)
{
    QByteArray testo;
    for (int i = 0; i < quante; ++i)
        testo += (giorno + ora.addSecs(10 * i).toString(QStringLiteral(" HH:mm:ss;")) + QLatin1String(valore) + QStringLiteral(";\r\n")).toLatin1();
    return testo;
}

}  // namespace

class TstOraLegale : public QObject {
    Q_OBJECT
private slots:
    void asseContinuo_data();
    void asseContinuo();
    void graficoDalVivo_data();
    void graficoDalVivo();
    void giornoDelCambio_data();
    void giornoDelCambio();
};

// The serial of a moment runs on as the moments do, and reads back as the local time.
void TstOraLegale::asseContinuo_data()
{
    QTest::addColumn<QDateTime>("istante");
    QTest::addColumn<QString>("etichetta");
    QTest::newRow("first pass 02:30") << utc("2026-10-25T00:30:00Z") << "25/10/2026 02:30:00";
    QTest::newRow("last second of the first pass") << utc("2026-10-25T00:59:59Z") << "25/10/2026 02:59:59";
    QTest::newRow("02:00 again") << utc("2026-10-25T01:00:00Z") << "25/10/2026 02:00:00";
    QTest::newRow("second pass 02:30") << utc("2026-10-25T01:30:00Z") << "25/10/2026 02:30:00";
    QTest::newRow("the evening after") << utc("2026-10-25T22:59:59Z") << "25/10/2026 23:59:59";
    QTest::newRow("spring, just before") << utc("2026-03-29T00:59:59Z") << "29/03/2026 01:59:59";
    QTest::newRow("spring, just after") << utc("2026-03-29T01:00:00Z") << "29/03/2026 03:00:00";
    QTest::newRow("a summer day") << utc("2026-07-01T10:00:00Z") << "01/07/2026 12:00:00";
}

void TstOraLegale::asseContinuo()
{
    QFETCH(QDateTime, istante);
    QFETCH(QString, etichetta);
    const QDateTime locale = istante.toLocalTime();
    const double seriale = SerialeDaDataOra(locale);
    // From the local midnight that starts the day, as many seconds as went by.
    const QDateTime mezzanotte(locale.date(), QTime(0, 0));
    const double trascorsi = (seriale - SerialeDaDataOra(mezzanotte)) * 86400;
    QCOMPARE(std::round(trascorsi), double(mezzanotte.secsTo(locale)));
    QCOMPARE(FormattaTempo(seriale, QStringLiteral("dd/mm/yyyy hh:mm:ss")), etichetta);
    QCOMPARE(DataOraDaSeriale(seriale).toMSecsSinceEpoch(), istante.toMSecsSinceEpoch());
}

// The live chart fed as the zone pass feeds it, a point every ten seconds from 01:00 summer
// time to 03:30 winter time: 20 in the first pass of the repeated hour, 30 from the second on.
// The window shown ends at the newest point: its statistics are of that pass only.
void TstOraLegale::graficoDalVivo_data()
{
    QTest::addColumn<QDateTime>("ultimo");
    QTest::addColumn<QString>("etichetta");
    QTest::addColumn<double>("media");
    QTest::newRow("first pass 02:30") << utc("2026-10-25T00:30:00Z") << "02:30:00" << 20.0;
    QTest::newRow("second pass 02:30") << utc("2026-10-25T01:30:00Z") << "02:30:00" << 30.0;
    QTest::newRow("second pass 02:59:50") << utc("2026-10-25T01:59:50Z") << "02:59:50" << 30.0;
    QTest::newRow("after it") << utc("2026-10-25T02:30:00Z") << "03:30:00" << 30.0;
}

void TstOraLegale::graficoDalVivo()
{
    QFETCH(QDateTime, ultimo);
    QFETCH(QString, etichetta);
    QFETCH(double, media);
    Trend trend;
    trend.ImpostaAmpiezzaTempo(1.0 / 24 / 60);
    const QDateTime cambio = utc("2026-10-25T01:00:00Z");
    QList<double> presi;
    for (QDateTime t = utc("2026-10-24T23:00:00Z"); t <= ultimo; t = t.addSecs(10)) {
        presi.append(t < cambio ? 20 : 30);
        trend.AggiungiPunto(1, SerialeDaDataOra(t.toLocalTime()), presi.last());
    }
    QList<double> sulGrafico;
    for (const PuntoTrend& p : trend.Dati().Punti(1))
        sulGrafico.append(p.valore);
    QCOMPARE(sulGrafico, presi);  // in the order they were taken
    QCOMPARE(FormattaTempo(trend.TempoFine(), trend.FormatoTempo()), etichetta);
    trend.ImpostaTracciaCorrente(1);
    QCOMPARE(trend.VistoMedia(), media);
    QCOMPARE(trend.VistoMin(), media);
    QCOMPARE(trend.VistoMax(), media);
}

// A history day as the history window loads it: every line on the chart in the order written,
// ten seconds after the one before; the day drawn whole, 25 hours in autumn, 23 in spring.
void TstOraLegale::giornoDelCambio_data()
{
    QTest::addColumn<QDate>("giorno");
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<int>("ore");
    const QString autunno = QStringLiteral("25/10/2026");
    QTest::newRow("the repeated hour after the first")
        << QDate(2026, 10, 25) << righe(autunno, QTime(1, 50), 6 * 70, "20") + righe(autunno, QTime(2, 0), 6 * 70, "30") << 25;
    QTest::newRow("started late in the first pass")
        << QDate(2026, 10, 25) << righe(autunno, QTime(2, 40), 6 * 20, "20") + righe(autunno, QTime(2, 0), 6 * 40, "30") << 25;
    const QString primavera = QStringLiteral("29/03/2026");
    QTest::newRow("spring: no empty hour")
        << QDate(2026, 3, 29) << righe(primavera, QTime(1, 50), 6 * 10, "20") + righe(primavera, QTime(3, 0), 6 * 10, "30") << 23;
}

void TstOraLegale::giornoDelCambio()
{
    QFETCH(QDate, giorno);
    QFETCH(QByteArray, contenuto);
    QFETCH(int, ore);
    CartellaTemporanea cartella;
    cartella.scrivi(QStringLiteral("Dati/") + Storico::NomeFileGiorno(giorno), contenuto);
    DialoghiFinti dialoghi;
    Storico s;
    s.Calendar->setSelectedDate(giorno);
    QCOMPARE(s.Calendar_Click(), int(Storico::FileCaricato));
    QList<double> scritti;
    for (const QByteArray& riga : contenuto.split('\n'))
        if (!riga.isEmpty())
            scritti.append(riga.split(';').at(1).toDouble());
    const auto punti = s.Trend->Dati().Punti(1);
    QList<double> sulGrafico;
    for (const PuntoTrend& p : punti)
        sulGrafico.append(p.valore);
    QCOMPARE(sulGrafico, scritti);
    for (std::size_t i = 1; i < punti.size(); ++i)
        QCOMPARE(std::round((punti[i].tempo - punti[i - 1].tempo) * 86400), 10.0);
    QCOMPARE(std::round((s.Trend->TempoFine() - s.Trend->TempoInizio()) * 24 * 3600), ore * 3600.0);
}

int main(int argc, char** argv)
{
    qputenv("TZ", "Europe/Rome");
    tzset();
    QApplication app(argc, argv);
    TstOraLegale prova;
    return QTest::qExec(&prova, argc, argv);
}

#include "tst_oralegale.moc"
