// The history reader against real day files in a temporary program folder, onto a real chart:
// what reaches the chart, and whether the day reads as whole or damaged.
#include "caricastorico.h"
#include "cartellatemporanea.h"
#include "tempotrend.h"
#include "trend.h"

#include <QTest>

namespace {
const QString Nome = QStringLiteral("2026_10_25.csv");
const QByteArray A = "25/10/2026 10:00:00;21,5;22,0;\r\n";
const QByteArray B = "25/10/2026 10:01:00;21,6;-99999,0;\r\n";
const QByteArray C = "25/10/2026 10:02:00;21.7;22.2;\r\n";

double serialeDi(const char* testo)
{
    return SerialeDaDataOra(QDateTime::fromString(QString::fromLatin1(testo), QStringLiteral("dd/MM/yyyy HH:mm:ss")));
}
}  // namespace

class TstCaricaStorico : public QObject {
    Q_OBJECT
private slots:
    void righe_data();
    void righe();
    void valoriSulleTracce();
    void fileAssente();
    void piuRigheDelGrafico_data();
    void piuRigheDelGrafico();
    void dataImpossibile_data();
    void dataImpossibile();
};

void TstCaricaStorico::righe_data()
{
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<long>("righe");
    QTest::addColumn<long>("scartate");
    QTest::addColumn<long>("punti");

    QTest::newRow("CRLF") << A + B + C << 3L << 0L << 6L;
    QTest::newRow("LF") << QByteArray(A + B + C).replace("\r\n", "\n") << 3L << 0L << 6L;
    QTest::newRow("virgola e punto") << A + C << 2L << 0L << 4L;
    QTest::newRow("riga vuota") << A + "\r\n" + B << 2L << 1L << 4L;
    QTest::newRow("riga di soli blank") << A + "   \r\n" + B << 2L << 1L << 4L;
    QTest::newRow("senza a capo in fondo") << A + B.chopped(2) << 2L << 0L << 4L;
    QTest::newRow("mezzanotte, la data sola") << "25/10/2026;20,0;20,5;\r\n" + A << 2L << 0L << 4L;
    QTest::newRow("data senza valori") << A + "25/10/2026 10:00:30;\r\n" + B << 2L << 1L << 4L;
    QTest::newRow("manca l'ultimo ;") << A + "25/10/2026 10:00:30;21,5;22\r\n" + B << 2L << 1L << 4L;
    QTest::newRow(";;") << A + "25/10/2026 10:00:30;21,5;;\r\n" + B << 2L << 1L << 4L;
    QTest::newRow("non un numero") << A + "25/10/2026 10:00:30;21,5;abc;\r\n" + B << 2L << 1L << 4L;
    QTest::newRow("due separatori") << A + "25/10/2026 10:00:30;1.234,5;22,0;\r\n" + B << 2L << 1L << 4L;
    QTest::newRow("data d'altro formato") << A + "2026-10-25 10:00:30;21,5;22,0;\r\n" + B << 2L << 1L << 4L;
    QTest::newRow("oltre 30 valori") << A + "25/10/2026 10:00:30;" + QByteArray("1;").repeated(31) + "\r\n" + B << 2L << 1L << 4L;
    QTest::newRow("troncata in mezzo dopo un ;") << A + "25/10/2026 10:00:30;21,5;\r\n" + B + C << 3L << 1L << 6L;
    QTest::newRow("troncata in fondo") << A + B + "25/10/2026 10:02:00;21,5;" << 2L << 1L << 4L;
    // Cut short just after a ";": fewer values than the line after it, though the first.
    QTest::newRow("prima riga troncata dopo un ;") << "25/10/2026 09:59:00;21,5;\r\n" + A + B << 2L << 1L << 4L;
    QTest::newRow("prima riga troncata, poi zone tolte") << "25/10/2026 09:59:00;21,5;\r\n" + A + "25/10/2026 10:01:00;1;\r\n" + "25/10/2026 10:02:00;1;\r\n" << 3L << 1L << 4L;
    // Zones removed, and one line written after it: a whole line, with its line break.
    QTest::newRow("zone tolte, una riga sola dopo") << A + B + "25/10/2026 10:02:00;21,5;\r\n" << 3L << 0L << 5L;
    QTest::newRow("zone tolte, una riga sola in tutto il file") << QByteArray("25/10/2026 10:02:00;21,5;\r\n") << 1L << 0L << 1L;
    QTest::newRow("zone tolte dopo la prima riga") << A + "25/10/2026 10:01:00;1;\r\n" + "25/10/2026 10:02:00;1;\r\n" << 3L << 0L << 4L;
    QTest::newRow("zone aggiunte a metà giornata")
        << A + B + "25/10/2026 10:02:00;1;2;3;\r\n" + "25/10/2026 10:03:00;1;2;3;\r\n" << 4L << 0L << 10L;
    QTest::newRow("riga senza fine") << A + QByteArray(100000, 'x') + "\r\n" + B << 2L << 1L << 4L;
    QTest::newRow("byte nulli di un'interruzione") << A + QByteArray(40, '\0') + "\r\n" + B << 2L << 1L << 4L;
    QTest::newRow("file vuoto") << QByteArray() << 0L << 0L << 0L;
}

// A damaged line never stops the read: every sound line is on the chart, the damaged ones are
// counted, and only a file without them reads as whole.
void TstCaricaStorico::righe()
{
    QFETCH(QByteArray, contenuto);
    QFETCH(long, righe);
    QFETCH(long, scartate);
    QFETCH(long, punti);
    CartellaTemporanea cartella;
    cartella.scrivi(QStringLiteral("Dati/") + Nome, contenuto);
    Trend trend;
    trend.ImpostaDimensioneBuffer(86400);
    const File_Ini::EsitoStorico esito = File_Ini::CaricaStoricoEsito(Nome, trend);
    QVERIFY(esito.aperto);
    QCOMPARE(esito.righe, righe);
    QCOMPARE(esito.scartate, scartate);
    QCOMPARE(esito.punti, punti);
    long sulGrafico = 0;
    for (int t = 1; t <= 30; ++t)
        sulGrafico += long(trend.Dati().Punti(t).size());
    QCOMPARE(sulGrafico, punti);
    Trend altro;
    QCOMPARE(File_Ini::CaricaStorico(Nome, altro), scartate == 0);
}

void TstCaricaStorico::valoriSulleTracce()
{
    CartellaTemporanea cartella;
    cartella.scrivi(QStringLiteral("Dati/") + Nome, A + B + C);
    Trend trend;
    QVERIFY(File_Ini::CaricaStorico(Nome, trend));
    const auto t1 = trend.Dati().Punti(1);
    const auto t2 = trend.Dati().Punti(2);
    QCOMPARE(t1.size(), std::size_t(3));
    QCOMPARE(t1[0].tempo, serialeDi("25/10/2026 10:00:00"));
    QCOMPARE(t1[0].valore, double(21.5f));
    QCOMPARE(t1[2].valore, double(21.7f));
    QCOMPARE(t2[1].tempo, serialeDi("25/10/2026 10:01:00"));
    QCOMPARE(t2[1].valore, -99999.0);  // a failed read stays the marker: a gap on the chart
    QCOMPARE(t2[2].valore, double(22.2f));
}

void TstCaricaStorico::fileAssente()
{
    CartellaTemporanea cartella;
    Trend trend;
    trend.AggiungiPunto(1, 46000, 1);
    const auto esito = File_Ini::CaricaStoricoEsito(Nome, trend);
    QVERIFY(!esito.aperto);
    QVERIFY(!esito.Completo());
    QCOMPARE(trend.Dati().Punti(1).size(), std::size_t(1));
}

// A day with more lines than the chart can hold (the clock set back) never reads as whole: the
// points the chart dropped are counted, and a day that fits reads whole. Lines the clock set back
// go in time order among the others, the later written after the earlier of the same time, and a
// full chart keeps the latest times.
void TstCaricaStorico::piuRigheDelGrafico_data()
{
    QTest::addColumn<int>("buffer");
    QTest::addColumn<int>("righe");
    QTest::addColumn<int>("dove");      // the clock is set back every `dove` lines
    QTest::addColumn<int>("indietro");  // seconds
    QTest::addColumn<bool>("intero");
    QTest::newRow("fits") << 100 << 100 << 0 << 0 << true;
    QTest::newRow("one line too many") << 100 << 101 << 0 << 0 << false;
    QTest::newRow("a day and a half") << 1000 << 1500 << 0 << 0 << false;
    QTest::newRow("clock set back, fits") << 200 << 150 << 100 << 60 << true;
    QTest::newRow("clock set back past the first line") << 200 << 150 << 100 << 130 << true;
    QTest::newRow("clock set back, the chart full") << 100 << 150 << 100 << 60 << false;
    QTest::newRow("clock set back, the latest lines written first") << 100 << 150 << 120 << 100 << false;
    QTest::newRow("clock set back again and again") << 200 << 150 << 5 << 3 << true;
    QTest::newRow("clock set back again and again, the chart full") << 100 << 150 << 5 << 7 << false;
}

void TstCaricaStorico::piuRigheDelGrafico()
{
    QFETCH(int, buffer);
    QFETCH(int, righe);
    QFETCH(int, dove);
    QFETCH(int, indietro);
    QFETCH(bool, intero);
    QByteArray giorno;
    QList<QPair<double, double>> scritti;  // (time, value) in file order
    for (int i = 0; i < righe; ++i) {
        const QTime ora = QTime(1, 0).addSecs(i - (dove > 0 ? i / dove : 0) * indietro);
        giorno += ora.toString(QStringLiteral("'25/10/2026 'HH:mm:ss';")).toLatin1() + QByteArray::number(i) + ";21,0;\r\n";
        scritti.append({SerialeDaDataOra(QDateTime(QDate(2026, 10, 25), ora)), double(i)});
    }
    std::stable_sort(scritti.begin(), scritti.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    scritti = scritti.mid(std::max(0, righe - buffer));
    CartellaTemporanea cartella;
    cartella.scrivi(QStringLiteral("Dati/") + Nome, giorno);
    Trend trend;
    trend.ImpostaDimensioneBuffer(buffer);
    const auto esito = File_Ini::CaricaStoricoEsito(Nome, trend);
    QCOMPARE(esito.righe, long(righe));
    QCOMPARE(esito.scartate, 0L);
    QCOMPARE(esito.Completo(), intero);
    QList<QPair<double, double>> sulGrafico;
    for (const PuntoTrend& p : trend.Dati().Punti(1))
        sulGrafico.append({p.tempo, p.valore});
    QCOMPARE(sulGrafico, scritti);
    QCOMPARE(long(trend.Dati().Punti(2).size()), long(std::min(buffer, righe)));
}

// A line with a date no calendar has is a damaged line and nothing more: the lines read after it,
// in that file and in the next file of the same day, keep their own times.
void TstCaricaStorico::dataImpossibile_data()
{
    QTest::addColumn<QByteArray>("riga");
    QTest::newRow("day 32") << QByteArray("32/10/2026 10:01:00;2;");
    QTest::newRow("31 February") << QByteArray("31/02/2026 10:01:00;2;");
    QTest::newRow("29 February of a common year") << QByteArray("29/02/2026 10:01:00;2;");
    QTest::newRow("month 13") << QByteArray("25/13/2026 10:01:00;2;");
    QTest::newRow("day 00") << QByteArray("00/10/2026 10:01:00;2;");
    QTest::newRow("midnight of day 32") << QByteArray("32/10/2026;2;");
}

void TstCaricaStorico::dataImpossibile()
{
    QFETCH(QByteArray, riga);
    CartellaTemporanea cartella;
    cartella.scrivi(QStringLiteral("Dati/") + Nome, "25/10/2026 10:00:00;1;\r\n" + riga + "\r\n25/10/2026 10:02:00;3;\r\n");
    Trend danneggiato;
    const auto esito = File_Ini::CaricaStoricoEsito(Nome, danneggiato);
    QCOMPARE(esito.righe, 2L);
    QCOMPARE(esito.scartate, 1L);
    QList<double> tempi;
    for (const PuntoTrend& p : danneggiato.Dati().Punti(1))
        tempi.append(p.tempo);
    QCOMPARE(tempi, (QList<double>{serialeDi("25/10/2026 10:00:00"), serialeDi("25/10/2026 10:02:00")}));

    cartella.scrivi(QStringLiteral("Dati/") + Nome, "25/10/2026 10:03:00;4;\r\n25/10/2026 10:04:00;5;\r\n");
    Trend pulito;
    QVERIFY(File_Ini::CaricaStorico(Nome, pulito));
    tempi.clear();
    for (const PuntoTrend& p : pulito.Dati().Punti(1))
        tempi.append(p.tempo);
    QCOMPARE(tempi, (QList<double>{serialeDi("25/10/2026 10:03:00"), serialeDi("25/10/2026 10:04:00")}));
}

QTEST_MAIN(TstCaricaStorico)
#include "tst_caricastorico.moc"
