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
// points the chart dropped are counted, and a day that fits reads whole.
void TstCaricaStorico::piuRigheDelGrafico_data()
{
    QTest::addColumn<int>("buffer");
    QTest::addColumn<int>("righe");
    QTest::addColumn<bool>("intero");
    QTest::newRow("fits") << 100 << 100 << true;
    QTest::newRow("one line too many") << 100 << 101 << false;
    QTest::newRow("a day and a half") << 1000 << 1500 << false;
}

void TstCaricaStorico::piuRigheDelGrafico()
{
    QFETCH(int, buffer);
    QFETCH(int, righe);
    QFETCH(bool, intero);
    QByteArray giorno;
    for (int i = 0; i < righe; ++i)
        giorno += QTime(0, 0).addSecs(i).toString(QStringLiteral("'25/10/2026 'HH:mm:ss';20,0;21,0;\r\n'")).toLatin1();
    CartellaTemporanea cartella;
    cartella.scrivi(QStringLiteral("Dati/") + Nome, giorno);
    Trend trend;
    trend.ImpostaDimensioneBuffer(buffer);
    const auto esito = File_Ini::CaricaStoricoEsito(Nome, trend);
    QCOMPARE(esito.righe, long(righe));
    QCOMPARE(esito.scartate, 0L);
    QCOMPARE(esito.Completo(), intero);
    QCOMPARE(long(trend.Dati().Punti(1).size()), long(std::min(buffer, righe)));
}

QTEST_MAIN(TstCaricaStorico)
#include "tst_caricastorico.moc"
