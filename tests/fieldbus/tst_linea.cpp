// The link end to end against a real Modbus RTU slave (libmodbus) on a socat pty pair, the
// station's end linked as COM1 in a temporary program folder. A pty ignores the baud rate and
// parity: what is proven here is the protocol, not the timing on a real wire.
#include "cartellatemporanea.h"
#include "mbus.h"
#include "portaseriale.h"
#include "slavemodbus.h"

#include <QTest>
#include <QCoro/QCoroTask>

#include <memory>

using namespace Generale;

namespace {
constexpr long VA = MBus::ValoreAssente;
}

class TestLinea : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void lettura_data();
    void lettura();
    void scrittura_data();
    void scrittura();
    void eccezioneDelloSlave();
    void nodoSconosciuto();
    void duecentoOperazioni();
    void secondoApritore();
    void attesaSenzaTempoNonBlocca();
    void slaveSpentoERiacceso();
    void rispostaTardivaMaiPresaPerLaSuccessiva_data();
    void rispostaTardivaMaiPresaPerLaSuccessiva();
    void passaggioRemotoLocale();

private:
    std::unique_ptr<CartellaTemporanea> cartella_;
    std::unique_ptr<SlaveModbus> slave_;
};

void TestLinea::initTestCase()
{
    cartella_ = std::make_unique<CartellaTemporanea>();
    slave_ = std::make_unique<SlaveModbus>(cartella_->percorso(QStringLiteral("COM1")));
    QVERIFY2(slave_->pronto(), qPrintable(slave_->errore()));
    slave_->aggiungiNodo(1);
    slave_->aggiungiNodo(2);
    QVERIFY(MBus::ImpostaSeriale(1, QStringLiteral("9600,N,8,1")));
    QCOMPARE(Piattaforma::PortaSeriale::PercorsoPorta(1), cartella_->percorso(QStringLiteral("COM1")));
    MBus::ComunicazioneReale = true;
}

void TestLinea::cleanupTestCase()
{
    slave_.reset();
    cartella_.reset();
}

void TestLinea::init()
{
    MBus::AttesaRisposta = 0.5f;
    MBus::NumeroTentativi = 1;
    slave_->impostaRitardo(0);
    QVERIFY(slave_->avvia());
}

void TestLinea::lettura_data()
{
    QTest::addColumn<int>("nodo");
    QTest::addColumn<int>("funzione");
    QTest::addColumn<int>("indirizzo");
    QTest::addColumn<int>("valore");  // what the slave holds
    QTest::addColumn<long>("letto");
    QTest::newRow("registro di mantenimento") << 1 << 3 << 100 << 0x00D7 << 215L;
    QTest::newRow("registro negativo") << 1 << 3 << 101 << 0xFF00 << -256L;
    QTest::newRow("registro oltre 30000") << 2 << 3 << 0 << 31000 << 31000L;
    QTest::newRow("registro d'ingresso") << 1 << 4 << 7 << 0x7FFF << 32767L;
    QTest::newRow("bobina accesa") << 1 << 1 << 20 << 1 << 1L;
    QTest::newRow("bobina spenta") << 2 << 1 << 21 << 0 << 0L;
    QTest::newRow("ingresso discreto") << 1 << 2 << 999 << 1 << 1L;
}

void TestLinea::lettura()
{
    QFETCH(int, nodo);
    QFETCH(int, funzione);
    QFETCH(int, indirizzo);
    QFETCH(int, valore);
    QFETCH(long, letto);
    switch (funzione) {
    case 1: slave_->impostaBobina(nodo, indirizzo, valore); break;
    case 2: slave_->impostaIngressoDiscreto(nodo, indirizzo, valore); break;
    case 3: slave_->impostaRegistro(nodo, indirizzo, std::uint16_t(valore)); break;
    case 4: slave_->impostaRegistroIngresso(nodo, indirizzo, std::uint16_t(valore)); break;
    }
    QCOMPARE(QCoro::waitFor(MBus::LeggiRegistro(funzione, indirizzo, nodo)), letto);
    QVERIFY(!MBus::P_Seriale().PortOpen());
}

void TestLinea::scrittura_data()
{
    QTest::addColumn<int>("funzione");
    QTest::addColumn<long>("valore");
    QTest::addColumn<long>("eco");
    QTest::addColumn<int>("nelloSlave");
    QTest::newRow("bobina ON") << 5 << 65280L << -256L << 1;
    QTest::newRow("bobina OFF") << 5 << 0L << 0L << 0;
    QTest::newRow("registro") << 6 << 1234L << 1234L << 1234;
    QTest::newRow("registro negativo") << 6 << -5L << -5L << 0xFFFB;
}

void TestLinea::scrittura()
{
    QFETCH(int, funzione);
    QFETCH(long, valore);
    QFETCH(long, eco);
    QFETCH(int, nelloSlave);
    constexpr int indirizzo = 300;
    slave_->impostaBobina(1, indirizzo, !nelloSlave);
    slave_->impostaRegistro(1, indirizzo, 0);
    QCOMPARE(QCoro::waitFor(MBus::ScriviRegistro(funzione, indirizzo, valore, 1)), eco);
    QCOMPARE(funzione == 5 ? int(slave_->bobina(1, indirizzo)) : int(slave_->registro(1, indirizzo)), nelloSlave);
}

void TestLinea::eccezioneDelloSlave()
{
    // Address 2000 is outside the slave's table: it answers "illegal data address" (02), which
    // is a failure, never the value 2.
    MBus::NumeroTentativi = 2;
    const int prima = slave_->richieste();
    QCOMPARE(QCoro::waitFor(MBus::LeggiRegistro(3, 2000, 1)), VA);
    QVERIFY(MBus::RispostaEccezione);
    QCOMPARE(MBus::DatiRicevuti.left(3).toHex(), QByteArray("018302"));
    QCOMPARE(slave_->richieste() - prima, 2);
    QCOMPARE(QCoro::waitFor(MBus::ScriviRegistro(8, 0, 0, 1)), VA);  // diagnostics: libmodbus does not serve it
}

void TestLinea::nodoSconosciuto()
{
    MBus::AttesaRisposta = 0.1f;
    MBus::NumeroTentativi = 2;
    const int prima = slave_->richieste();
    QCOMPARE(QCoro::waitFor(MBus::LeggiRegistro(3, 100, 9)), VA);
    QVERIFY(MBus::DatiRicevuti.isEmpty());
    QCOMPARE(slave_->richieste(), prima);
}

void TestLinea::duecentoOperazioni()
{
    for (int i = 0; i < 200; ++i) {
        const int nodo = 1 + i % 2;
        if (i % 4 == 3) {
            QCOMPARE(QCoro::waitFor(MBus::ScriviRegistro(6, 500, i, nodo)), long(i));
            QCOMPARE(int(slave_->registro(nodo, 500)), i);
        } else {
            slave_->impostaRegistro(nodo, 501, std::uint16_t(i * 7));
            QCOMPARE(QCoro::waitFor(MBus::LeggiRegistro(3, 501, nodo)), long(i * 7));
        }
        QVERIFY(!MBus::P_Seriale().PortOpen());
    }
}

void TestLinea::secondoApritore()
{
    QVERIFY(MBus::ProvaSeriale(1));
    {
        Piattaforma::PortaSeriale altro;
        QVERIFY(altro.Apri());
        QVERIFY(!MBus::ProvaSeriale(1));
        QCOMPARE(QCoro::waitFor(MBus::LeggiRegistro(3, 100, 1)), VA);
    }
    QVERIFY(MBus::ProvaSeriale(1));
    slave_->impostaRegistro(1, 100, 42);
    QCOMPARE(QCoro::waitFor(MBus::LeggiRegistro(3, 100, 1)), 42L);
}

// A wait of no time (or less) looks once and returns: it never waits for bytes without end.
void TestLinea::attesaSenzaTempoNonBlocca()
{
    Piattaforma::PortaSeriale porta;
    QVERIFY(porta.Apri());
    QVERIFY(QCoro::waitFor(porta.AttendiDati(0)));
    QVERIFY(QCoro::waitFor(porta.AttendiDati(-1)));
    QCOMPARE(porta.InBufferCount(), 0);
}

void TestLinea::slaveSpentoERiacceso()
{
    MBus::AttesaRisposta = 0.1f;
    slave_->impostaRegistro(1, 100, 77);
    QCOMPARE(QCoro::waitFor(MBus::LeggiRegistro(3, 100, 1)), 77L);
    slave_->ferma();
    for (int i = 0; i < 3; ++i)
        QCOMPARE(QCoro::waitFor(MBus::LeggiRegistro(3, 100, 1)), VA);
    QCOMPARE(QCoro::waitFor(MBus::ScriviRegistro(6, 100, 5, 1)), VA);
    QVERIFY(slave_->avvia());
    for (int i = 0; i < 3; ++i)
        QCOMPARE(QCoro::waitFor(MBus::LeggiRegistro(3, 100, 1)), 77L);
}

void TestLinea::rispostaTardivaMaiPresaPerLaSuccessiva_data()
{
    QTest::addColumn<int>("tentativi");
    QTest::addColumn<int>("ritardo");  // ms, with a time-out of 200 ms
    QTest::addColumn<int>("nodo");     // of the read that follows the late one
    QTest::addColumn<bool>("sempreLento");
    QTest::newRow("Retry 1, in ritardo di poco") << 1 << 260 << 1 << false;
    QTest::newRow("Retry 1, in ritardo di quasi due time-out") << 1 << 340 << 1 << false;
    QTest::newRow("Retry 3, in ritardo di poco") << 3 << 260 << 1 << false;
    QTest::newRow("Retry 1, in ritardo di poco, sempre lento") << 1 << 260 << 1 << true;
    QTest::newRow("Retry 1, in ritardo di quasi due time-out, altro nodo") << 1 << 340 << 2 << false;
}

// A slave that answers after the time-out: its late reply to one read (same node, same code,
// same length as the next one's) never becomes the next read's value.
void TestLinea::rispostaTardivaMaiPresaPerLaSuccessiva()
{
    QFETCH(int, tentativi);
    QFETCH(int, ritardo);
    QFETCH(int, nodo);
    QFETCH(bool, sempreLento);
    MBus::AttesaRisposta = 0.2f;
    MBus::NumeroTentativi = tentativi;
    slave_->impostaRegistro(1, 100, 11);
    slave_->impostaRegistro(nodo, 101, 22);
    slave_->impostaRegistro(1, 102, 33);

    slave_->impostaRitardo(ritardo);
    const long prima = QCoro::waitFor(MBus::LeggiRegistro(3, 100, 1));
    QVERIFY2(prima == 11 || prima == VA, qPrintable(QString::number(prima)));
    if (!sempreLento)
        slave_->impostaRitardo(0);  // the reply still held back goes out late all the same
    const long seconda = QCoro::waitFor(MBus::LeggiRegistro(3, 101, nodo));
    if (sempreLento)
        QVERIFY2(seconda == 22 || seconda == VA, qPrintable(QString::number(seconda)));
    else
        QCOMPARE(seconda, 22L);
    slave_->impostaRitardo(0);
    QCOMPARE(QCoro::waitFor(MBus::LeggiRegistro(3, 102, 1)), 33L);
}

void TestLinea::passaggioRemotoLocale()
{
    // A zone whose remote bit is coil 40 of node 2, read with code 1 and written with code 5.
    const int z = 4;
    MappaLetturaZone[z][Nodo] = 2;
    MappaLetturaZone[z][FunzioneREM] = 1;
    MappaLetturaZone[z][RegistroREM] = 40;
    MappaScritturaZone[z][Nodo] = 2;
    MappaScritturaZone[z][FunzioneREM] = 5;
    MappaScritturaZone[z][RegistroREM] = 40;
    slave_->impostaBobina(2, 40, false);
    QVERIFY(QCoro::waitFor(MBus::AttivaRemotoZona(z)));
    QVERIFY(slave_->bobina(2, 40));
    ModoRemoto = true;
    QVERIFY(QCoro::waitFor(MBus::AttivaLocaleZona(z, false)));
    QVERIFY(slave_->bobina(2, 40));
    QVERIFY(QCoro::waitFor(MBus::AttivaLocaleZona(z, true)));
    QVERIFY(!slave_->bobina(2, 40));
    ModoRemoto = false;
    MappaLetturaZone[z] = RigaVuota<RigaMappaZona>();
    MappaScritturaZone[z] = RigaVuota<RigaMappaZona>();
}

QTEST_GUILESS_MAIN(TestLinea)
#include "tst_linea.moc"
