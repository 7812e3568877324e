// Byte level of the Modbus link: reference frames, CRC check and the register codec.
#include "mbus.h"

#include <QTest>

#include <cmath>

class TestTrama : public QObject {
    Q_OBJECT
private slots:
    void componiTrama_data();
    void componiTrama();
    void crcDelloStandard();
    void verificaCrc_data();
    void verificaCrc();
    void decodifica_data();
    void decodifica();
    void codifica_data();
    void codifica();
    void codificaRifiutata_data();
    void codificaRifiutata();
    void silenzio_data();
    void silenzio();
};

void TestTrama::componiTrama_data()
{
    QTest::addColumn<int>("nodo");
    QTest::addColumn<int>("funzione");
    QTest::addColumn<QByteArray>("dati");
    QTest::addColumn<QByteArray>("attesa");
    QTest::newRow("lettura registro 100 nodo 1") << 1 << 3 << QByteArray::fromHex("00640001") << QByteArray::fromHex("010300640001C5D5");
    QTest::newRow("bobina ON") << 1 << 5 << QByteArray::fromHex("0000FF00") << QByteArray::fromHex("01050000FF008C3A");
    QTest::newRow("scrittura registro") << 1 << 6 << QByteArray::fromHex("00010003") << QByteArray::fromHex("010600010003980B");
}

void TestTrama::componiTrama()
{
    QFETCH(int, nodo);
    QFETCH(int, funzione);
    QFETCH(QByteArray, dati);
    QFETCH(QByteArray, attesa);
    const QByteArray t = MBus::ComponiTrama(8, std::uint8_t(nodo), std::uint8_t(funzione), std::uint8_t(dati[0]),
                                            std::uint8_t(dati[1]), std::uint8_t(dati[2]), std::uint8_t(dati[3]));
    QCOMPARE(t.size(), 8);
    QCOMPARE(t.toHex(' '), attesa.toHex(' '));
}

void TestTrama::crcDelloStandard()
{
    // The standard's own example: CRC(02 07) = 0x1241, sent as 41 12.
    QCOMPARE(MBus::Crc16(QByteArray::fromHex("0207"), 2), std::uint16_t(0x1241));
}

void TestTrama::verificaCrc_data()
{
    QTest::addColumn<QByteArray>("dati");
    QTest::addColumn<int>("lunghezza");
    QTest::addColumn<bool>("buona");
    const QByteArray lettura = MBus::ComponiTrama(8, 1, 3, 0, 100, 0, 1);
    QByteArray scambiata = lettura;
    std::swap(scambiata[6], scambiata[7]);
    QByteArray risposta = QByteArray::fromHex("010302 00D7");
    const std::uint16_t c = MBus::Crc16(risposta, 5);
    risposta.append(char(c & 0xFF)).append(char(c >> 8));
    QByteArray alterata = risposta;
    alterata[4] = char(0xD8);
    QTest::newRow("richiesta") << lettura << 8 << true;
    QTest::newRow("CRC con i byte scambiati") << scambiata << 8 << false;
    QTest::newRow("risposta di 7 byte") << risposta << 7 << true;
    QTest::newRow("byte in piu dopo la risposta") << risposta + QByteArray::fromHex("AABBCC") << 7 << true;
    QTest::newRow("un dato alterato") << alterata << 7 << false;
    QTest::newRow("troppo corta") << risposta.left(6) << 7 << false;
    QTest::newRow("vuota") << QByteArray() << 6 << false;
}

void TestTrama::verificaCrc()
{
    QFETCH(QByteArray, dati);
    QFETCH(int, lunghezza);
    QFETCH(bool, buona);
    QCOMPARE(MBus::VerificaCrc(dati, lunghezza), buona);
    MBus::DatiRicevuti = dati;
    QCOMPARE(MBus::VerificaCrc(lunghezza), buona);
}

void TestTrama::decodifica_data()
{
    QTest::addColumn<int>("parola");
    QTest::addColumn<int>("decimali");
    QTest::addColumn<float>("valore");
    QTest::newRow("21,5") << 0x00D7 << 1 << 21.5f;
    QTest::newRow("negativo scalato") << 0xFF00 << 1 << -25.6f;
    QTest::newRow("eco bobina ON") << 0xFF00 << 0 << -256.0f;
    QTest::newRow("31000 non scalato") << 0x7918 << 1 << 31000.0f;
    QTest::newRow("-30000 scalato") << 0x8AD0 << 1 << -3000.0f;
    QTest::newRow("30000 scalato") << 30000 << 2 << 300.0f;
    QTest::newRow("30001 non scalato") << 30001 << 2 << 30001.0f;
    QTest::newRow("-30001 non scalato") << (-30001 & 0xFFFF) << 1 << -30001.0f;
    QTest::newRow("tre decimali") << 1234 << 3 << 1.234f;
    QTest::newRow("minimo") << 0x8000 << 0 << -32768.0f;
}

void TestTrama::decodifica()
{
    QFETCH(int, parola);
    QFETCH(int, decimali);
    QFETCH(float, valore);
    QCOMPARE(MBus::DecodificaRegistro(std::uint8_t(parola & 0xFF), std::uint8_t(parola >> 8), decimali), valore);
}

void TestTrama::codifica_data()
{
    QTest::addColumn<float>("valore");
    QTest::addColumn<int>("decimali");
    QTest::addColumn<int>("parola");
    QTest::newRow("21,5 un decimale") << 21.5f << 1 << 0x00D7;
    QTest::newRow("-5") << -5.0f << 0 << 0xFFFB;
    QTest::newRow("bobina ON") << 65280.0f << 0 << 0xFF00;
    QTest::newRow("-256 come la bobina ON") << -256.0f << 0 << 0xFF00;
    QTest::newRow("cifre in piu troncate") << 21.59f << 1 << 215;
    QTest::newRow("negativo troncato") << -21.59f << 1 << (-215 & 0xFFFF);
    QTest::newRow("tra -1 e 0") << -0.5f << 1 << 0xFFFB;
    QTest::newRow("decimali mancanti completati") << 0.1f << 3 << 100;
    QTest::newRow("oltre 16 bit tiene i 16 bassi") << 70000.0f << 0 << (70000 & 0xFFFF);
    QTest::newRow("zero") << 0.0f << 2 << 0;
}

void TestTrama::codifica()
{
    QFETCH(float, valore);
    QFETCH(int, decimali);
    QFETCH(int, parola);
    std::uint8_t basso = 0x55, alto = 0x55;
    QVERIFY(MBus::CodificaRegistro(valore, basso, alto, decimali));
    QCOMPARE(alto << 8 | basso, parola);
}

void TestTrama::codificaRifiutata_data()
{
    QTest::addColumn<float>("valore");
    QTest::addColumn<int>("decimali");
    QTest::newRow("non un numero") << std::nanf("") << 0;
    QTest::newRow("infinito") << INFINITY << 1;
    QTest::newRow("oltre 32 bit") << 1e10f << 0;
    QTest::newRow("oltre 32 bit con i decimali") << 3e6f << 3;
}

void TestTrama::codificaRifiutata()
{
    QFETCH(float, valore);
    QFETCH(int, decimali);
    std::uint8_t basso = 0x55, alto = 0x66;
    QVERIFY(!MBus::CodificaRegistro(valore, basso, alto, decimali));
    QCOMPARE(basso, std::uint8_t(0x55));
    QCOMPARE(alto, std::uint8_t(0x66));
}

void TestTrama::silenzio_data()
{
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("bit");
    QTest::addColumn<qint64>("microsecondi");
    QTest::newRow("9600 8N1") << 9600 << 10 << qint64(3646);
    QTest::newRow("9600 8E1") << 9600 << 11 << qint64(4011);
    QTest::newRow("1200 8N1") << 1200 << 10 << qint64(29167);
    QTest::newRow("19200 8N1") << 19200 << 10 << qint64(1823);
    QTest::newRow("oltre 19200 fisso") << 38400 << 10 << qint64(1750);
}

void TestTrama::silenzio()
{
    QFETCH(int, baud);
    QFETCH(int, bit);
    QFETCH(qint64, microsecondi);
    QCOMPARE(qint64(MBus::TempoSilenzio(baud, bit)), microsecondi);
}

QTEST_GUILESS_MAIN(TestTrama)
#include "tst_trama.moc"
