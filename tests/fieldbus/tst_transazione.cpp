// Serial transactions against a scripted port and a clock that moves only while the link waits.
#include "mbus.h"
#include "portafinta.h"

#include <QTest>
#include <QCoro/QCoroTask>
#include <QTimer>

Q_DECLARE_METATYPE(Copione)
Q_DECLARE_METATYPE(QList<Copione>)

namespace {
constexpr std::int64_t Ms = 1000;
constexpr std::int64_t TimeOut = 500 * Ms;
constexpr std::int64_t Silenzio = 3646;
const long VA = MBus::ValoreAssente;

QByteArray H(const char* esadecimale) { return QByteArray::fromHex(esadecimale); }
const QByteArray Registro215 = ConCrc(H("01030200D7"));
}  // namespace

class TestTransazione : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void lettura_data();
    void lettura();
    void scrittura_data();
    void scrittura();
    void silenzioPrimaDiOgniRichiesta();
    void portaCheNonSiApre();
    void adattatoreStaccato();
    void rispostaPrecedenteMaiRiusata();
    void rispostaTardivaMaiPresaPerLaSuccessiva_data();
    void rispostaTardivaMaiPresaPerLaSuccessiva();
    void chiacchieraDopoUnaRispostaPersa_data();
    void chiacchieraDopoUnaRispostaPersa();
    void secondaOperazioneDuranteAttesa();
    void nienteSulFiloPerRichiesteNonValide_data();
    void nienteSulFiloPerRichiesteNonValide();
    void provaSeriale();
    void simulazione();

private:
    PortaFinta porta_;
};

void TestTransazione::init()
{
    porta_.~PortaFinta();
    new (&porta_) PortaFinta;
    MBus::ImpostaPorta(&porta_);
    MBus::ImpostaOrologio(&porta_);
    MBus::ComunicazioneReale = true;
    MBus::AttesaRisposta = 0.5f;
    MBus::NumeroTentativi = 1;
}

void TestTransazione::cleanup()
{
    MBus::ImpostaPorta(nullptr);
    MBus::ImpostaOrologio(nullptr);
    QVERIFY(!MBus::Occupato());
}

// Each attempt's request is answered by the next script of the row; past the last, silence.
static void Recita(PortaFinta& porta, const QList<Copione>& copioni)
{
    porta.risponde = [copioni, n = 0](const QByteArray&) mutable { return n < copioni.size() ? copioni[n++] : Copione{}; };
}

void TestTransazione::lettura_data()
{
    QTest::addColumn<int>("funzione");
    QTest::addColumn<int>("tentativi");
    QTest::addColumn<QList<Copione>>("copioni");
    QTest::addColumn<long>("valore");
    QTest::addColumn<int>("richieste");
    QTest::addColumn<std::int64_t>("durataMinima");
    QTest::addColumn<std::int64_t>("durataMassima");

    const std::int64_t subito = TimeOut / 2;
    QTest::newRow("risposta intera") << 3 << 1 << QList<Copione>{{{10 * Ms, Registro215}}} << 215L << 1 << 0L << subito;
    QTest::newRow("risposta in due parti") << 3 << 1 << QList<Copione>{{{5 * Ms, Registro215.left(3)}, {20 * Ms, Registro215.mid(3)}}} << 215L << 1 << 20 * Ms << subito;
    QTest::newRow("registro d'ingresso negativo") << 4 << 1 << QList<Copione>{{{5 * Ms, ConCrc(H("010402FF00"))}}} << -256L << 1 << 0L << subito;
    QTest::newRow("bobina") << 1 << 1 << QList<Copione>{{{5 * Ms, ConCrc(H("01010101"))}}} << 1L << 1 << 0L << subito;
    QTest::newRow("ingresso discreto") << 2 << 1 << QList<Copione>{{{5 * Ms, ConCrc(H("01020100"))}}} << 0L << 1 << 0L << subito;
    // A retry after a time-out first waits a time-out of quiet on the line.
    QTest::newRow("strumento muto, tre tentativi") << 3 << 3 << QList<Copione>{} << VA << 3 << 5 * TimeOut << 5 * TimeOut + 3 * (Silenzio + Ms);
    QTest::newRow("frammento di 2 byte") << 3 << 1 << QList<Copione>{{{5 * Ms, Registro215.left(2)}}} << VA << 1 << TimeOut << TimeOut + Silenzio + Ms;
    QTest::newRow("frammento, poi il secondo tentativo risponde") << 3 << 2 << QList<Copione>{{{5 * Ms, Registro215.left(2)}}, {{5 * Ms, Registro215}}} << 215L << 2 << 2 * TimeOut << 3 * TimeOut;
    QTest::newRow("risposta corta di 5 byte") << 3 << 1 << QList<Copione>{{{5 * Ms, Registro215.left(5)}}} << VA << 1 << TimeOut << 2 * TimeOut;
    QTest::newRow("altro nodo, poi la risposta giusta") << 3 << 1 << QList<Copione>{{{5 * Ms, ConCrc(H("0203021234"))}, {15 * Ms, Registro215}}} << 215L << 1 << 15 * Ms << subito;
    QTest::newRow("solo un altro nodo: si attende il time-out") << 3 << 1 << QList<Copione>{{{5 * Ms, ConCrc(H("0203021234"))}}} << VA << 1 << TimeOut << 2 * TimeOut;
    QTest::newRow("CRC errato") << 3 << 1 << QList<Copione>{{{5 * Ms, Registro215.left(6) + char(Registro215[6] ^ 1)}}} << VA << 1 << TimeOut << 2 * TimeOut;
    QTest::newRow("risposta d'eccezione non e un valore") << 3 << 1 << QList<Copione>{{{5 * Ms, ConCrc(H("018302"))}}} << VA << 1 << 0L << subito;
    QTest::newRow("eccezione, poi il secondo tentativo risponde") << 3 << 2 << QList<Copione>{{{5 * Ms, ConCrc(H("018304"))}}, {{5 * Ms, Registro215}}} << 215L << 2 << 0L << subito;
    QTest::newRow("codice funzione diverso") << 3 << 1 << QList<Copione>{{{5 * Ms, ConCrc(H("01040200D7"))}}} << VA << 1 << TimeOut << 2 * TimeOut;
    QTest::newRow("conteggio byte errato") << 3 << 1 << QList<Copione>{{{5 * Ms, ConCrc(H("01030100D7"))}}} << VA << 1 << TimeOut << 2 * TimeOut;
    QTest::newRow("byte in piu dopo la risposta") << 3 << 1 << QList<Copione>{{{5 * Ms, Registro215 + H("0011")}}} << 215L << 1 << 0L << subito;
    QTest::newRow("disturbo prima della risposta") << 3 << 1 << QList<Copione>{{{1 * Ms, H("FF00")}, {10 * Ms, Registro215}}} << 215L << 1 << 0L << subito;
    QTest::newRow("risposta dopo il time-out") << 3 << 1 << QList<Copione>{{{TimeOut + 100 * Ms, Registro215}}} << VA << 1 << TimeOut << TimeOut + 50 * Ms;
    QTest::newRow("nessun tentativo") << 3 << 0 << QList<Copione>{} << VA << 0 << 0L << 0L;
}

void TestTransazione::lettura()
{
    QFETCH(int, funzione);
    QFETCH(int, tentativi);
    QFETCH(QList<Copione>, copioni);
    QFETCH(long, valore);
    QFETCH(int, richieste);
    QFETCH(std::int64_t, durataMinima);
    QFETCH(std::int64_t, durataMassima);

    MBus::NumeroTentativi = tentativi;
    Recita(porta_, copioni);
    const std::int64_t inizio = porta_.ora;
    QCOMPARE(QCoro::waitFor(MBus::LeggiRegistro(funzione, 100, 1)), valore);
    const std::int64_t durata = porta_.ora - inizio;

    QCOMPARE(porta_.inviate.size(), richieste);
    for (const QByteArray& r : porta_.inviate)
        QCOMPARE(r, MBus::ComponiTrama(8, 1, std::uint8_t(funzione), 0, 100, 0, 1));
    QVERIFY2(durata >= durataMinima && durata <= durataMassima, qPrintable(QString::number(durata)));
    QCOMPARE(porta_.aperture, 1);
    QCOMPARE(porta_.chiusure, 1);
}

void TestTransazione::scrittura_data()
{
    QTest::addColumn<int>("funzione");
    QTest::addColumn<long>("inviato");
    QTest::addColumn<QByteArray>("richiesta");
    QTest::addColumn<QByteArray>("risposta");
    QTest::addColumn<long>("eco");
    const QByteArray bobinaOn = ConCrc(H("01050064FF00"));
    const QByteArray registro = ConCrc(H("010600640123"));
    QTest::newRow("bobina ON: l'eco torna -256") << 5 << 65280L << bobinaOn << bobinaOn << -256L;
    QTest::newRow("bobina OFF") << 5 << 0L << ConCrc(H("010500640000")) << ConCrc(H("010500640000")) << 0L;
    QTest::newRow("registro") << 6 << 291L << registro << registro << 291L;
    QTest::newRow("registro negativo") << 6 << -5L << ConCrc(H("01060064FFFB")) << ConCrc(H("01060064FFFB")) << -5L;
    QTest::newRow("eco con CRC errato") << 6 << 291L << registro << registro.left(7) + char(registro[7] ^ 0x40) << VA;
    QTest::newRow("eccezione alla scrittura") << 6 << 291L << registro << ConCrc(H("018603")) << VA;
    QTest::newRow("eco corto") << 6 << 291L << registro << registro.left(6) << VA;
    // A write is acknowledged by the echo of its own address and value only.
    QTest::newRow("eco di un altro registro") << 6 << 291L << registro << ConCrc(H("010600650123")) << VA;
    QTest::newRow("eco di un altro valore") << 6 << 291L << registro << ConCrc(H("010600640124")) << VA;
    QTest::newRow("bobina: eco OFF a una richiesta ON") << 5 << 65280L << bobinaOn << ConCrc(H("010500640000")) << VA;
    QTest::newRow("bobina: eco di un'altra bobina") << 5 << 65280L << bobinaOn << ConCrc(H("01050065FF00")) << VA;
    QTest::newRow("eco tardiva di un'altra scrittura, poi la propria") << 6 << 291L << registro << ConCrc(H("010600070001")) + registro << 291L;
}

void TestTransazione::scrittura()
{
    QFETCH(int, funzione);
    QFETCH(long, inviato);
    QFETCH(QByteArray, richiesta);
    QFETCH(QByteArray, risposta);
    QFETCH(long, eco);
    Recita(porta_, {{{8 * Ms, risposta}}});
    QCOMPARE(QCoro::waitFor(MBus::ScriviRegistro(funzione, 100, inviato, 1)), eco);
    QCOMPARE(porta_.inviate, QList<QByteArray>{richiesta});
}

void TestTransazione::silenzioPrimaDiOgniRichiesta()
{
    // Chatter on the line when the port opens, and a slave that answers twice with a bad CRC:
    // every request still follows at least 3.5 characters of quiet.
    MBus::NumeroTentativi = 3;
    porta_.arrivaA(porta_.ora + 1 * Ms, H("AA"));
    porta_.arrivaA(porta_.ora + 3 * Ms, H("BB"));
    Recita(porta_, {{{5 * Ms, Registro215.left(6) + '\0'}, {5 * Ms + 100, H("00")}}, {{3 * Ms, H("0102")}}, {{3 * Ms, Registro215}}});
    std::int64_t ultimaAttivita = porta_.ora;
    QList<std::int64_t> ultimi;
    porta_.risponde = [&, base = porta_.risponde](const QByteArray& r) {
        ultimi.append(porta_.ultimoArrivo);
        return base(r);
    };
    QCOMPARE(QCoro::waitFor(MBus::LeggiRegistro(3, 100, 1)), 215L);
    QCOMPARE(porta_.inviate.size(), 3);
    QVERIFY(porta_.istantiInvio[0] >= ultimaAttivita + 3 * Ms + Silenzio);
    for (int i = 0; i < 3; ++i)
        QVERIFY2(porta_.istantiInvio[i] - ultimi[i] >= Silenzio, qPrintable(QString::number(i)));
    for (int i = 1; i < 3; ++i)
        QVERIFY(porta_.istantiInvio[i] - porta_.istantiInvio[i - 1] >= TimeOut + Silenzio);
}

void TestTransazione::portaCheNonSiApre()
{
    MBus::NumeroTentativi = 3;
    porta_.apribile = false;
    const std::int64_t inizio = porta_.ora;
    QCOMPARE(QCoro::waitFor(MBus::LeggiRegistro(3, 100, 1)), VA);
    QCOMPARE(QCoro::waitFor(MBus::ScriviRegistro(6, 100, 1, 1)), VA);
    QCOMPARE(porta_.ora, inizio);  // no waiting for a time-out
    QVERIFY(porta_.inviate.isEmpty());
}

void TestTransazione::adattatoreStaccato()
{
    MBus::NumeroTentativi = 3;
    porta_.guastaAlSecondoAttesa = true;
    Recita(porta_, {{{100 * Ms, Registro215}}});
    QCOMPARE(QCoro::waitFor(MBus::LeggiRegistro(3, 100, 1)), VA);
    QCOMPARE(porta_.inviate.size(), 1);
    QCOMPARE(porta_.chiusure, 1);
}

void TestTransazione::rispostaPrecedenteMaiRiusata()
{
    Recita(porta_, {{{5 * Ms, Registro215}}});
    QCOMPARE(QCoro::waitFor(MBus::LeggiRegistro(3, 100, 1)), 215L);
    QCOMPARE(QCoro::waitFor(MBus::LeggiRegistro(3, 100, 1)), VA);
    QVERIFY(MBus::DatiRicevuti.isEmpty());
    QCOMPARE(QCoro::waitFor(MBus::ScriviRegistro(6, 100, 215, 1)), VA);
}

void TestTransazione::rispostaTardivaMaiPresaPerLaSuccessiva_data()
{
    QTest::addColumn<int>("tentativi");
    QTest::addColumn<std::int64_t>("ritardo");  // of the slave's replies, past the time-out
    QTest::addColumn<int>("nodo");              // of the read that follows the late one
    QTest::addColumn<bool>("sempreLento");      // the slave stays late for that read too

    const std::int64_t poco = TimeOut + 30 * Ms;
    const std::int64_t quasiDue = 2 * TimeOut - 10 * Ms;
    for (int tentativi : {1, 3}) {
        for (auto [ritardo, quanto] : {std::pair{poco, "di poco"}, std::pair{quasiDue, "di quasi due time-out"}}) {
            for (int nodo : {1, 2}) {
                for (bool lento : {false, true}) {
                    QTest::addRow("Retry %d, in ritardo %s, %s, %s", tentativi, quanto, nodo == 1 ? "stesso nodo" : "altro nodo",
                                  lento ? "sempre lento" : "poi puntuale")
                        << tentativi << ritardo << nodo << lento;
                }
            }
        }
    }
}

// The slave answers every read with a value of its own request (node and address), one reply
// after the other as a real one does, the first read's after the delay of the row. No read may
// ever take the value of another request: it gets its own or fails. A retry may take the late
// reply of its own earlier attempt: the request was the same.
void TestTransazione::rispostaTardivaMaiPresaPerLaSuccessiva()
{
    QFETCH(int, tentativi);
    QFETCH(std::int64_t, ritardo);
    QFETCH(int, nodo);
    QFETCH(bool, sempreLento);

    MBus::NumeroTentativi = tentativi;
    auto valoreDi = [](int n, int indirizzo) { return long(n * 1000 + indirizzo); };
    bool puntuale = false;
    std::int64_t libero = 0;  // when the slave has sent its last reply
    porta_.risponde = [&](const QByteArray& r) {
        const int n = std::uint8_t(r[0]);
        const int indirizzo = std::uint8_t(r[2]) << 8 | std::uint8_t(r[3]);
        const auto v = std::uint16_t(valoreDi(n, indirizzo));
        const QByteArray risposta = ConCrc(QByteArray() + char(n) + char(3) + char(2) + char(v >> 8) + char(v & 0xFF));
        libero = std::max(porta_.ora + (puntuale ? 5 * Ms : ritardo), libero + 8 * Ms);
        return Copione{{libero - porta_.ora, risposta}};
    };
    auto propriaOAssente = [&](long letto, long proprio) {
        return letto == proprio || letto == VA;
    };

    const long prima = QCoro::waitFor(MBus::LeggiRegistro(3, 100, 1));
    QVERIFY2(propriaOAssente(prima, valoreDi(1, 100)), qPrintable(QString::number(prima)));
    puntuale = !sempreLento;
    const long seconda = QCoro::waitFor(MBus::LeggiRegistro(3, 200, nodo));
    if (sempreLento)
        QVERIFY2(propriaOAssente(seconda, valoreDi(nodo, 200)), qPrintable(QString::number(seconda)));
    else
        QCOMPARE(seconda, valoreDi(nodo, 200));

    // Whatever the slave still owes is dropped before the next request; once an exchange is
    // good again, a request waits only the 3.5 characters.
    puntuale = true;
    QCOMPARE(QCoro::waitFor(MBus::LeggiRegistro(3, 300, 1)), valoreDi(1, 300));
    const std::int64_t inizio = porta_.ora;
    QCOMPARE(QCoro::waitFor(MBus::LeggiRegistro(3, 400, 2)), valoreDi(2, 400));
    QCOMPARE(porta_.istantiInvio.last() - inizio, Silenzio);
}

void TestTransazione::chiacchieraDopoUnaRispostaPersa_data()
{
    QTest::addColumn<int>("tentativi");
    QTest::addColumn<std::int64_t>("periodo");  // of the stray bytes on the line
    QTest::newRow("Retry 3, a byte every 300 ms") << 3 << 300 * Ms;
    QTest::newRow("Retry 1, a byte every 300 ms") << 1 << 300 * Ms;
    QTest::newRow("Retry 3, a byte every 20 ms") << 3 << 20 * Ms;
}

// A line that carries a byte more often than once a time-out (noise on an unterminated RS-485
// line, an instrument talking on its own) never keeps the recovery's quiet after a lost reply:
// the requests still go out, and the reply checks keep the noise out of the values.
void TestTransazione::chiacchieraDopoUnaRispostaPersa()
{
    QFETCH(int, tentativi);
    QFETCH(std::int64_t, periodo);
    MBus::NumeroTentativi = tentativi;
    for (std::int64_t t = porta_.ora; t < porta_.ora + 200'000 * Ms; t += periodo)
        porta_.arrivaA(t, H("FF"));
    porta_.risponde = [&, persa = true](const QByteArray& r) mutable {
        if (std::exchange(persa, false))
            return Copione{};
        const auto v = std::uint8_t(r[3]);
        return Copione{{5 * Ms, ConCrc(QByteArray() + r[0] + char(3) + char(2) + char(0) + char(v))}};
    };
    QCoro::waitFor(MBus::LeggiRegistro(3, 1, 1));
    int buone = 0;
    for (int i = 2; i < 22; ++i)
        buone += QCoro::waitFor(MBus::LeggiRegistro(3, i, 1)) == i;
    QCOMPARE(buone, 20);
}

void TestTransazione::secondaOperazioneDuranteAttesa()
{
    // A window event handled while the first read waits starts a write: it must leave the line
    // alone and fail at once, and the first read must still get its own reply.
    porta_.sospendi = true;
    Recita(porta_, {{{20 * Ms, Registro215}}});
    long seconda = 0;
    bool occupatoNelGestore = false;
    int inviateNelGestore = -1;
    QTimer::singleShot(0, this, [&] {
        occupatoNelGestore = MBus::Occupato();
        seconda = QCoro::waitFor(MBus::ScriviRegistro(6, 7, 1, 2));
        inviateNelGestore = int(porta_.inviate.size());
    });
    QCOMPARE(QCoro::waitFor(MBus::LeggiRegistro(3, 100, 1)), 215L);
    QVERIFY(occupatoNelGestore);
    QCOMPARE(seconda, VA);
    QVERIFY(inviateNelGestore <= 1);
    QCOMPARE(porta_.inviate.size(), 1);
    QCOMPARE(porta_.aperture, 1);
    QVERIFY(!MBus::Occupato());
    QVERIFY(!MBus::ProvaSeriale(1) || porta_.aperture == 2);
}

void TestTransazione::nienteSulFiloPerRichiesteNonValide_data()
{
    QTest::addColumn<bool>("scrittura");
    QTest::addColumn<int>("funzione");
    QTest::addColumn<int>("nodo");
    QTest::addColumn<long>("valore");
    QTest::newRow("lettura con codice 5") << false << 5 << 1 << 1L;
    QTest::newRow("lettura con codice 0") << false << 0 << 1 << 1L;
    QTest::newRow("scrittura con codice 3") << true << 3 << 1 << 1L;
    QTest::newRow("nodo 256") << false << 3 << 256 << 1L;
    QTest::newRow("nodo -1") << true << 6 << -1 << 1L;
    // Cut to 16 bits these would reach the instrument as another number (-99999 as 31073).
    QTest::newRow("scrittura di ValoreAssente") << true << 6 << 1 << VA;
    QTest::newRow("scrittura oltre 16 bit") << true << 6 << 1 << 70000L;
    QTest::newRow("scrittura sotto -32768") << true << 6 << 1 << -32769L;
}

void TestTransazione::nienteSulFiloPerRichiesteNonValide()
{
    QFETCH(bool, scrittura);
    QFETCH(int, funzione);
    QFETCH(int, nodo);
    QFETCH(long, valore);
    MBus::NumeroTentativi = 2;
    QCOMPARE(scrittura ? QCoro::waitFor(MBus::ScriviRegistro(funzione, 1, valore, nodo)) : QCoro::waitFor(MBus::LeggiRegistro(funzione, 1, nodo)), VA);
    QVERIFY(porta_.inviate.isEmpty());
}

void TestTransazione::provaSeriale()
{
    QVERIFY(MBus::ProvaSeriale(3));
    QCOMPARE(porta_.porta, 3);
    QCOMPARE(porta_.aperture, porta_.chiusure);
    porta_.apribile = false;
    QVERIFY(!MBus::ProvaSeriale(4));
}

void TestTransazione::simulazione()
{
    MBus::ComunicazioneReale = false;
    QSet<long> registri;
    for (int i = 0; i < 300; ++i) {
        const long v = QCoro::waitFor(MBus::LeggiRegistro(3, 100, 1));
        QVERIFY(v >= 0 && v <= 400);
        registri.insert(v);
        const long b = QCoro::waitFor(MBus::LeggiRegistro(i % 2 ? 1 : 2, 100, 1));
        QVERIFY(b == 0 || b == 1);
    }
    QVERIFY(registri.size() > 10);
    QCOMPARE(QCoro::waitFor(MBus::ScriviRegistro(5, 100, 65280, 1)), 65280L);
    QCOMPARE(QCoro::waitFor(MBus::ScriviRegistro(6, 100, -7, 1)), -7L);
    // A value no register holds fails in simulation too, so a simulated run shows the fault.
    QCOMPARE(QCoro::waitFor(MBus::ScriviRegistro(6, 100, VA, 1)), VA);
    QCOMPARE(QCoro::waitFor(MBus::ScriviRegistro(6, 100, 65536, 1)), VA);
    QCOMPARE(porta_.aperture, 0);
}

QTEST_GUILESS_MAIN(TestTransazione)
#include "tst_transazione.moc"
