// Decimal texts typed by an operator or stored in a settings file, and the texts the station
// shows for a value.
#include "conversioni.h"

#include <QTest>

#include <cmath>

using namespace Generale;

class TstConversioni : public QObject {
    Q_OBJECT
private slots:
    void converti_data();
    void converti();
    void formatta_data();
    void formatta();
    void leggiNumero_data();
    void leggiNumero();
};

void TstConversioni::converti_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("decimali");
    QTest::addColumn<bool>("interoOk");
    QTest::addColumn<int>("intero");
    QTest::addColumn<bool>("decimaleOk");
    QTest::addColumn<float>("decimale");

    QTest::newRow("21,5 (1)") << "21,5" << 1 << true << 215 << true << 21.5f;
    QTest::newRow("21.57 (1) taglia") << "21.57" << 1 << true << 215 << true << 21.5f;
    QTest::newRow("21 (2)") << "21" << 2 << true << 2100 << true << 21.0f;
    QTest::newRow("12,9 (0)") << "12,9" << 0 << true << 12 << true << 12.0f;
    QTest::newRow("-0,5 (1)") << "-0,5" << 1 << true << -5 << true << -0.5f;
    QTest::newRow("-0.05 (2)") << "-0.05" << 2 << true << -5 << true << -0.05f;
    QTest::newRow(",5 (1)") << ",5" << 1 << true << 5 << true << 0.5f;
    QTest::newRow("21, (1)") << "21," << 1 << true << 210 << true << 21.0f;
    QTest::newRow("1,999 (2) taglia") << "1,999" << 2 << true << 199 << true << 1.99f;
    QTest::newRow("spazi intorno") << " 21,5\t" << 1 << true << 215 << true << 21.5f;
    QTest::newRow("32767 (0)") << "32767" << 0 << true << 32767 << true << 32767.0f;
    QTest::newRow("-3276,8 (1)") << "-3276,8" << 1 << true << -32768 << true << -3276.8f;
    QTest::newRow("4000 (1) non sta in 16 bit") << "4000" << 1 << false << 0 << true << 4000.0f;
    QTest::newRow("32768 (0) non sta in 16 bit") << "32768" << 0 << false << 0 << true << 32768.0f;

    QTest::newRow("vuoto (0)") << "" << 0 << false << 0 << false << 0.0f;
    QTest::newRow("vuoto (1)") << "" << 1 << false << 0 << false << 0.0f;
    QTest::newRow("solo spazi (2)") << "  " << 2 << false << 0 << false << 0.0f;
    QTest::newRow("solo il separatore (1)") << "," << 1 << false << 0 << false << 0.0f;
    QTest::newRow("solo il segno (1)") << "-" << 1 << false << 0 << false << 0.0f;
    QTest::newRow("abc (1)") << "abc" << 1 << false << 0 << false << 0.0f;
    QTest::newRow("21, 5 spazio dentro") << "21, 5" << 1 << false << 0 << false << 0.0f;
    QTest::newRow("2 1 spazio dentro") << "2 1" << 0 << false << 0 << false << 0.0f;
    QTest::newRow("spazio nelle cifre tagliate") << "21,5 3" << 1 << false << 0 << false << 0.0f;
    QTest::newRow("lettere nelle cifre tagliate") << "21,5x" << 1 << false << 0 << false << 0.0f;
    QTest::newRow("entrambi i separatori") << "1.234,5" << 1 << false << 0 << false << 0.0f;
    QTest::newRow("due virgole") << "1,2,3" << 1 << false << 0 << false << 0.0f;
    QTest::newRow("esponente") << "1e3" << 0 << false << 0 << false << 0.0f;
    QTest::newRow("doppio segno") << "--5" << 0 << false << 0 << false << 0.0f;
}

void TstConversioni::converti()
{
    QFETCH(QString, testo);
    QFETCH(int, decimali);
    QFETCH(bool, interoOk);
    QFETCH(int, intero);
    QFETCH(bool, decimaleOk);
    QFETCH(float, decimale);

    bool ok = !interoOk;
    QCOMPARE(ConvertiInIntero(testo, decimali, &ok), qint16(intero));
    QCOMPARE(ok, interoOk);
    QCOMPARE(ConvertiInIntero(testo, decimali), qint16(intero));
    const std::optional<qint16> verificato = ConvertiInInteroVerificato(testo, decimali);
    QCOMPARE(verificato.has_value(), interoOk);
    if (verificato)
        QCOMPARE(*verificato, qint16(intero));

    ok = !decimaleOk;
    QCOMPARE(ConvertiInDecimale(testo, decimali, &ok), decimale);
    QCOMPARE(ok, decimaleOk);
}

void TstConversioni::formatta_data()
{
    QTest::addColumn<double>("valore");
    QTest::addColumn<int>("decimali");
    QTest::addColumn<QString>("atteso");

    QTest::newRow("21.46 (1)") << 21.46 << 1 << "21,5";
    QTest::newRow("7 (3)") << 7.0 << 3 << "7,000";
    QTest::newRow("-3 (2)") << -3.0 << 2 << "-3,00";
    QTest::newRow("0,25 (0) almeno una cifra") << 0.25 << 0 << "0";
    QTest::newRow("2,5 (0) metà per eccesso") << 2.5 << 0 << "3";
    QTest::newRow("-2,5 (0) metà per eccesso") << -2.5 << 0 << "-3";
    QTest::newRow("0,125 (2)") << 0.125 << 2 << "0,13";
    QTest::newRow("intero più lungo del formato") << 123456789.0 << 1 << "123456789,0";
    QTest::newRow("senza separatore delle migliaia") << 1234567.891 << 3 << "1234567,891";
    QTest::newRow("mai -0,0") << -0.04 << 1 << "0,0";
}

void TstConversioni::formatta()
{
    QFETCH(double, valore);
    QFETCH(int, decimali);
    QFETCH(QString, atteso);
    QCOMPARE(FormattaDecimali(valore, decimali), atteso);
    // What the station writes, it reads back within half a unit of the last decimal.
    const std::optional<double> riletto = LeggiNumero(atteso);
    QVERIFY(riletto);
    QVERIFY(std::abs(*riletto - valore) <= 0.5 * std::pow(10.0, -decimali) + 1e-9);
}

void TstConversioni::leggiNumero_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("numero");
    QTest::addColumn<qlonglong>("intero");

    QTest::newRow("virgola") << "1234,5" << true << 1234.5 << 1234LL;
    QTest::newRow("punto") << " 1234.5 " << true << 1234.5 << 1234LL;
    QTest::newRow("negativo, metà al pari") << "-2,5" << true << -2.5 << -2LL;
    QTest::newRow("intero") << "4380" << true << 4380.0 << 4380LL;
    QTest::newRow("vuoto") << "" << false << 0.0 << 0LL;
    QTest::newRow("spazio dentro") << "21, 5" << false << 0.0 << 0LL;
    QTest::newRow("entrambi i separatori") << "1.234,5" << false << 0.0 << 0LL;
    QTest::newRow("testo") << "abc" << false << 0.0 << 0LL;
}

void TstConversioni::leggiNumero()
{
    QFETCH(QString, testo);
    QFETCH(bool, ok);
    QFETCH(double, numero);
    QFETCH(qlonglong, intero);

    const auto n = LeggiNumero(testo);
    QCOMPARE(n.has_value(), ok);
    const auto i = LeggiIntero(testo);
    QCOMPARE(i.has_value(), ok);
    if (ok) {
        QCOMPARE(*n, numero);
        QCOMPARE(*i, intero);
    }
}

QTEST_GUILESS_MAIN(TstConversioni)
#include "tst_conversioni.moc"
