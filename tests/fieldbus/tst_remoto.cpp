// Remote/local hand-over of every device class and the line-activity read, against a
// recording stand-in of the two bus operations.
#include "mbus.h"

#include <QMap>
#include <QTest>
#include <QCoro/QCoroTask>

#include <functional>

using namespace Generale;

using Lettura = std::array<long, 3>;
Q_DECLARE_METATYPE(Lettura)

namespace {

struct Operazione {
    bool scrittura;
    int funzione;
    long indirizzo;
    long valore;
    int nodo;
    bool operator==(const Operazione&) const = default;
};

class Registratore final : public MBus::Collegamento {
public:
    long stato = 0;  // what the remote-bit read gives
    long eco = 0;    // what a write gives
    QList<Operazione> operazioni;
    QCoro::Task<long> Leggi(int f, long i, int n) override
    {
        operazioni.append({false, f, i, 0, n});
        co_return stato;
    }
    QCoro::Task<long> Scrivi(int f, int i, long v, int n) override
    {
        operazioni.append({true, f, i, v, n});
        co_return eco;
    }
};

// The four device classes, each as its own pair of routines over its own tables.
struct Classe {
    std::function<QCoro::Task<bool>(int)> remoto;
    std::function<QCoro::Task<bool>(int, bool)> locale;
    std::function<void(int, int, int, int, int, int)> configura;  // index, node, read code/register, write code/register
    int indici;
};

template <typename Riga, std::size_t N>
std::function<void(int, int, int, int, int, int)> Configuratore(std::array<Riga, N>& l, std::array<Riga, N>& s)
{
    return [&l, &s](int i, int nodo, int fl, int rl, int fs, int rs) {
        l[i] = RigaVuota<Riga>();
        s[i] = RigaVuota<Riga>();
        l[i][Nodo] = std::int16_t(nodo);
        s[i][Nodo] = std::int16_t(nodo);
        l[i][FunzioneREM] = std::int16_t(fl);
        l[i][RegistroREM] = std::int16_t(rl);
        s[i][FunzioneREM] = std::int16_t(fs);
        s[i][RegistroREM] = std::int16_t(rs);
    };
}

QMap<QString, Classe> Classi()
{
    return {
        {"zona", {MBus::AttivaRemotoZona, MBus::AttivaLocaleZona, Configuratore(MappaLetturaZone, MappaScritturaZone), MaxZone}},
        {"interruttore", {MBus::AttivaRemotoInterruttore, MBus::AttivaLocaleInterruttore, Configuratore(MappaLetturaInterruttori, MappaScritturaInterruttori), MaxInterruttori}},
        {"apriporta", {MBus::AttivaRemotoApriporta, MBus::AttivaLocaleApriporta, Configuratore(MappaLetturaApriporta, MappaScritturaApriporta), 1}},
        {"LED", {MBus::AttivaRemotoLED, MBus::AttivaLocaleLED, Configuratore(MappaLetturaLED, MappaScritturaLED), MaxLED}},
    };
}

constexpr long VA = MBus::ValoreAssente;
}  // namespace

class TestRemoto : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void passaggio_data();
    void passaggio();
    void indiceFuoriTabella();
    void mantieniAttivita_data();
    void mantieniAttivita();

private:
    Registratore reg_;
};

void TestRemoto::init()
{
    reg_ = Registratore();
    MBus::ImpostaCollegamento(&reg_);
    MBus::ComunicazioneReale = true;
    ModoRemoto = false;
}

void TestRemoto::cleanup() { MBus::ImpostaCollegamento(nullptr); }

void TestRemoto::passaggio_data()
{
    QTest::addColumn<QString>("classe");
    QTest::addColumn<bool>("versoRemoto");
    QTest::addColumn<bool>("forza");
    QTest::addColumn<bool>("modoRemoto");
    QTest::addColumn<bool>("reale");
    QTest::addColumn<int>("funzioneScrittura");  // -1: no remote bit to write
    QTest::addColumn<long>("stato");
    QTest::addColumn<long>("eco");
    QTest::addColumn<long>("scritto");  // -1: nothing written
    QTest::addColumn<bool>("esito");

    for (const QString& c : Classi().keys()) {
        auto riga = [&](const char* caso) -> QTestData& { return QTest::addRow("%s: %s", qPrintable(c), caso); };
        riga("remoto, senza bit di scrittura: nessun traffico") << c << true << false << false << true << -1 << 0L << 0L << -1L << true;
        riga("remoto, gia in remoto") << c << true << false << false << true << 5 << 1L << 0L << -1L << true;
        riga("remoto, bobina: eco -256") << c << true << false << false << true << 5 << 0L << -256L << 65280L << true;
        riga("remoto, registro: eco -256") << c << true << false << false << true << 6 << 0L << -256L << 65280L << true;
        riga("remoto, eco 65280 da uno strumento") << c << true << false << false << true << 5 << 0L << 65280L << 65280L << false;
        riga("remoto, eco 65280 in simulazione") << c << true << false << false << false << 5 << 0L << 65280L << 65280L << true;
        riga("remoto, scrittura fallita") << c << true << false << false << true << 5 << 0L << VA << 65280L << false;
        riga("remoto, stato 2 (codice d'eccezione)") << c << true << false << false << true << 5 << 2L << 0L << -1L << false;
        riga("remoto, lettura fallita") << c << true << false << false << true << 6 << VA << 0L << -1L << false;
        riga("locale, gia in locale") << c << false << false << false << true << 5 << 0L << 0L << -1L << true;
        riga("locale, rilascio") << c << false << false << false << true << 5 << 1L << 0L << 0L << true;
        riga("locale, eco sbagliato") << c << false << true << false << true << 6 << 1L << 7L << 0L << false;
        riga("locale, modo remoto tiene il dispositivo") << c << false << false << true << true << 5 << 1L << 0L << -1L << true;
        riga("locale, modo remoto ma forzato") << c << false << true << true << true << 6 << 1L << 0L << 0L << true;
        riga("locale, stato 2") << c << false << true << false << true << 5 << 2L << 0L << -1L << false;
        riga("locale, senza bit di scrittura") << c << false << true << false << true << -1 << 1L << 0L << -1L << true;
    }
}

void TestRemoto::passaggio()
{
    QFETCH(QString, classe);
    QFETCH(bool, versoRemoto);
    QFETCH(bool, forza);
    QFETCH(bool, modoRemoto);
    QFETCH(bool, reale);
    QFETCH(int, funzioneScrittura);
    QFETCH(long, stato);
    QFETCH(long, eco);
    QFETCH(long, scritto);
    QFETCH(bool, esito);

    const Classe k = Classi()[classe];
    const int indice = k.indici - 1;  // the last row: proves each class reads its own table
    k.configura(indice, 17, 3, 40, funzioneScrittura, 41);
    ModoRemoto = modoRemoto;
    MBus::ComunicazioneReale = reale;
    reg_.stato = stato;
    reg_.eco = eco;

    QCOMPARE(QCoro::waitFor(versoRemoto ? k.remoto(indice) : k.locale(indice, forza)), esito);

    QList<Operazione> attese;
    if (funzioneScrittura != -1)
        attese.append({false, 3, 40, 0, 17});
    if (scritto != -1)
        attese.append({true, funzioneScrittura, 41, scritto, 17});
    QCOMPARE(reg_.operazioni.size(), attese.size());
    QVERIFY(reg_.operazioni == attese);
    k.configura(indice, -1, -1, -1, -1, -1);
}

void TestRemoto::indiceFuoriTabella()
{
    for (const Classe& k : Classi()) {
        QVERIFY(!QCoro::waitFor(k.remoto(k.indici)));
        QVERIFY(!QCoro::waitFor(k.locale(-1, true)));
    }
    QVERIFY(reg_.operazioni.isEmpty());
}

void TestRemoto::mantieniAttivita_data()
{
    QTest::addColumn<bool>("attivita");
    QTest::addColumn<Lettura>("lettura");
    QTest::addColumn<bool>("esito");
    QTest::addColumn<bool>("inviata");
    QTest::newRow("spenta") << false << Lettura{1, 3, 0} << true << false;
    QTest::newRow("accesa") << true << Lettura{4, 3, 12} << true << true;
    QTest::newRow("accesa senza lettura") << true << Lettura{-1, -1, -1} << false << false;
    QTest::newRow("accesa con il registro mancante") << true << Lettura{4, 3, -1} << false << false;
}

void TestRemoto::mantieniAttivita()
{
    QFETCH(bool, attivita);
    QFETCH(Lettura, lettura);
    QFETCH(bool, esito);
    QFETCH(bool, inviata);
    AttivitaLinea = attivita;
    LetturaAttivita = lettura;
    reg_.stato = VA;  // the value is dropped: a failing read still counts as sent
    QCOMPARE(QCoro::waitFor(MBus::MantieniAttivita()), esito);
    QCOMPARE(reg_.operazioni.size(), inviata ? 1 : 0);
    if (inviata)
        QVERIFY(reg_.operazioni[0] == (Operazione{false, 3, 12, 0, 4}));
}

QTEST_GUILESS_MAIN(TestRemoto)
#include "tst_remoto.moc"
