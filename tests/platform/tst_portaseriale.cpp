// The serial port on a pseudo-terminal: the far end is the pty's master, linked as COM1 in a
// temporary program folder. A pty takes the line settings but ignores them on the wire, so the
// settings are checked where the driver keeps them.
#include "cartellatemporanea.h"
#include "portaseriale.h"
#include "registro.h"

#include <QDir>
#include <QTest>
#include <QCoro/QCoroTask>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

using Piattaforma::PortaSeriale;

namespace {

// The kernel's terminal structure that carries any speed as a number.
struct Termios2 {
    tcflag_t c_iflag, c_oflag, c_cflag, c_lflag;
    cc_t c_line;
    cc_t c_cc[19];
    speed_t c_ispeed, c_ospeed;
};

class Pty {
public:
    explicit Pty(const CartellaTemporanea& cartella)
    {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
            return;
        slave_ = QString::fromLocal8Bit(::ptsname(master_));
        QFile::link(slave_, cartella.percorso(QStringLiteral("COM1")));
    }
    ~Pty() { chiudi(); }
    bool pronta() const { return master_ >= 0 && !slave_.isEmpty(); }
    int master() const { return master_; }
    QString slave() const { return slave_; }
    void chiudi()
    {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }
    // What the port sent, waiting at most a second for it.
    QByteArray ricevi(int quanti)
    {
        QByteArray dati;
        while (dati.size() < quanti) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, 1000) <= 0)
                break;
            char blocco[256];
            const auto n = ::read(master_, blocco, sizeof blocco);
            if (n <= 0)
                break;
            dati.append(blocco, int(n));
        }
        return dati;
    }

private:
    int master_ = -1;
    QString slave_;
};

// A port whose /dev/ttyS fallback does not exist, so a missing COMn fails on every machine.
int PortaSenzaDispositivo()
{
    for (int n = 255; n > 1; --n)
        if (!QFileInfo::exists(QStringLiteral("/dev/ttyS%1").arg(n - 1)))
            return n;
    return 0;
}

// COMn in the program folder made to lead to `bersaglio`: "" none, "rotto" a link to nothing,
// "file" a regular file, "cartella" a folder, "pty" the terminal of `pty`.
void Collega(const CartellaTemporanea& cartella, int porta, const QString& bersaglio, const Pty& pty)
{
    const QString com = cartella.percorso(QStringLiteral("COM%1").arg(porta));
    QFile::remove(com);
    if (bersaglio == u"rotto")
        QFile::link(cartella.percorso(QStringLiteral("non_esiste")), com);
    else if (bersaglio == u"file" || bersaglio == u"senza permessi")
        QFile::link(cartella.percorso(QStringLiteral("file")), com);
    else if (bersaglio == u"cartella")
        QFile::link(cartella.percorso(QStringLiteral("cartella")), com);
    else if (bersaglio == u"pty")
        QFile::link(pty.slave(), com);
}

void PreparaBersagli(const CartellaTemporanea& cartella)
{
    cartella.scrivi(QStringLiteral("file"), "non una linea");
    QDir(cartella.percorso()).mkdir(QStringLiteral("cartella"));
}

}  // namespace

class TstPortaSeriale : public QObject {
    Q_OBJECT
private slots:
    void impostazioni_data();
    void impostazioni();
    void lineaSulDispositivo_data();
    void lineaSulDispositivo();
    void byteCosiComeSono();
    void esclusivaFinoAllaChiusura();
    void adattatoreStaccato();
    void collegamentoVersoNulla_data();
    void collegamentoVersoNulla();
    void guastoNelRegistro_data();
    void guastoNelRegistro();
    void unaRigaPerGuasto_data();
    void unaRigaPerGuasto();
    void dispositivoPerLaCorsa_data();
    void dispositivoPerLaCorsa();
};

void TstPortaSeriale::impostazioni_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<bool>("accettato");
    QTest::addColumn<int>("bitPerCarattere");
    QTest::newRow("9600 8N1") << "9600,N,8,1" << true << 10;
    QTest::newRow("parita' in minuscolo, 2 stop") << "19200,e,7,2" << true << 11;
    QTest::newRow("spazi intorno") << " 1200 , O , 8 , 1 " << true << 11;
    QTest::newRow("mark") << "4800,M,8,1" << true << 11;
    QTest::newRow("space, 5 bit") << "2400,S,5,1" << true << 8;
    QTest::newRow("velocita' senza costante") << "14400,N,8,1" << true << 10;
    QTest::newRow("parita' sconosciuta") << "9600,X,8,1" << false << 10;
    QTest::newRow("9 bit") << "9600,N,9,1" << false << 10;
    QTest::newRow("stop 1.5") << "9600,N,8,1.5" << false << 10;
    QTest::newRow("velocita' zero") << "0,N,8,1" << false << 10;
    QTest::newRow("tre parti") << "9600,N,8" << false << 10;
    QTest::newRow("non un numero") << "veloce,N,8,1" << false << 10;
}

void TstPortaSeriale::impostazioni()
{
    QFETCH(QString, testo);
    QFETCH(bool, accettato);
    QFETCH(int, bitPerCarattere);
    PortaSeriale porta;
    QCOMPARE(porta.ImpostaSettings(testo), accettato);
    QCOMPARE(porta.Settings(), accettato ? testo.trimmed() : QStringLiteral("9600,N,8,1"));
    QCOMPARE(porta.BitPerCarattere(), bitPerCarattere);
}

void TstPortaSeriale::lineaSulDispositivo_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("velocita");
    // A pty forces 8 data bits without parity: what it keeps is the kind of parity, the stop
    // bits and the parity check on input.
    QTest::addColumn<int>("cflag");
    QTest::addColumn<bool>("controlloParita");
    QTest::newRow("9600 8N1") << "9600,N,8,1" << 9600 << 0 << false;
    QTest::newRow("19200 7E2") << "19200,E,7,2" << 19200 << int(CSTOPB) << true;
    QTest::newRow("1200 8O1") << "1200,O,8,1" << 1200 << int(PARODD) << true;
    QTest::newRow("4800 mark") << "4800,M,8,1" << 4800 << int(PARODD | CMSPAR) << true;
    QTest::newRow("2400 space 6 bit") << "2400,S,6,1" << 2400 << int(CMSPAR) << true;
    QTest::newRow("14400 senza costante") << "14400,N,8,1" << 14400 << 0 << false;
}

void TstPortaSeriale::lineaSulDispositivo()
{
    QFETCH(QString, testo);
    QFETCH(int, velocita);
    QFETCH(int, cflag);
    QFETCH(bool, controlloParita);
    CartellaTemporanea cartella;
    Pty pty(cartella);
    QVERIFY(pty.pronta());
    PortaSeriale porta;
    QVERIFY(porta.ImpostaSettings(testo));
    QVERIFY(porta.Apri());
    // On a pty the master's terminal calls read the other end's settings.
    Termios2 t{};
    QCOMPARE(::ioctl(pty.master(), _IOR('T', 0x2A, Termios2), &t), 0);
    QCOMPARE(int(t.c_cflag & (PARODD | CMSPAR | CSTOPB)), cflag);
    QCOMPARE(int(t.c_ospeed), velocita);
    QVERIFY(t.c_cflag & CREAD);
    QVERIFY(t.c_cflag & CLOCAL);
    QCOMPARE(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), tcflag_t(0));
    QCOMPARE(t.c_oflag & OPOST, tcflag_t(0));
    QCOMPARE(t.c_iflag & (IXON | IXOFF | ICRNL | INLCR | IGNCR | ISTRIP), tcflag_t(0));
    QCOMPARE(bool(t.c_iflag & INPCK), controlloParita);
}

// A Modbus frame is binary: carriage returns, line feeds, flow-control characters and 0xFF
// pass both ways unchanged, and emptying the input drops only what was received before.
void TstPortaSeriale::byteCosiComeSono()
{
    CartellaTemporanea cartella;
    Pty pty(cartella);
    QVERIFY(pty.pronta());
    PortaSeriale porta;
    QVERIFY(porta.Apri());
    const QByteArray binario("\x01\x0D\x0A\x11\x13\x00\xFF\x7F\x03\x1C", 10);

    QVERIFY(porta.Output(binario));
    QCOMPARE(pty.ricevi(binario.size()), binario);

    QCOMPARE(::write(pty.master(), "vecchio", 7), 7);
    while (porta.InBufferCount() < 7)
        QVERIFY(QCoro::waitFor(porta.AttendiDati(1000000)));
    porta.SvuotaIngresso();
    QCOMPARE(porta.InBufferCount(), 0);
    QCOMPARE(::write(pty.master(), binario.constData(), binario.size()), binario.size());
    QByteArray arrivati;
    while (arrivati.size() < binario.size()) {
        QVERIFY(QCoro::waitFor(porta.AttendiDati(1000000)));
        arrivati += porta.Input();
    }
    QCOMPARE(arrivati, binario);
}

// Nobody else opens the line while the port holds it, not even root (the device lock), and
// once closed the line is free for any opener: the exclusive mode does not stay on a pty.
void TstPortaSeriale::esclusivaFinoAllaChiusura()
{
    CartellaTemporanea cartella;
    Pty pty(cartella);
    QVERIFY(pty.pronta());
    PortaSeriale porta;
    QVERIFY(porta.Apri());
    {
        PortaSeriale altra;
        QVERIFY(!altra.Apri());
        QVERIFY(!altra.PortOpen());
    }
    const QByteArray slave = QFile::encodeName(pty.slave());
    const int diretto = ::open(slave.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (diretto < 0) {
        QCOMPARE(errno, EBUSY);  // not root: TIOCEXCL refuses
    } else {
        int esclusiva = 0;
        QCOMPARE(::ioctl(diretto, TIOCGEXCL, &esclusiva), 0);
        QCOMPARE(esclusiva, 1);
        ::close(diretto);
    }
    porta.Chiudi();

    const int dopo = ::open(slave.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    QVERIFY(dopo >= 0);
    int esclusiva = 1;
    QCOMPARE(::ioctl(dopo, TIOCGEXCL, &esclusiva), 0);
    QCOMPARE(esclusiva, 0);
    ::close(dopo);
    PortaSeriale ancora;
    QVERIFY(ancora.Apri());
}

// The far end going away (a USB adapter pulled out) ends the wait with a failure at once, and
// nothing more is sent.
void TstPortaSeriale::adattatoreStaccato()
{
    CartellaTemporanea cartella;
    Pty pty(cartella);
    QVERIFY(pty.pronta());
    PortaSeriale porta;
    QVERIFY(porta.Apri());
    QVERIFY(QCoro::waitFor(porta.AttendiDati(0)));
    pty.chiudi();
    QVERIFY(!QCoro::waitFor(porta.AttendiDati(10'000'000)));
    QVERIFY(porta.InErrore());
    QVERIFY(!porta.Output(QByteArray("\x01\x03", 2)));
}

// A COMn entry present when the port number was applied is that port until the number is
// applied again. Whether its device is gone (the adapter pulled out, the link leads nowhere) or
// the entry itself is removed (a bridge that ends takes its link away), the port fails under its
// own name, never turns to /dev/ttyS<n-1>, and opens again once the name leads to a device.
void TstPortaSeriale::collegamentoVersoNulla_data()
{
    QTest::addColumn<bool>("apertaPrima");  // the port had opened on the device before it went away
    QTest::addColumn<bool>("tolto");        // the COMn entry itself is removed
    QTest::newRow("alla prima apertura") << false << false;
    QTest::newRow("dopo un'apertura riuscita") << true << false;
    QTest::newRow("COMn tolto, alla prima apertura") << false << true;
    QTest::newRow("COMn tolto dopo un'apertura riuscita") << true << true;
}

void TstPortaSeriale::collegamentoVersoNulla()
{
    QFETCH(bool, apertaPrima);
    QFETCH(bool, tolto);
    const int n = PortaSenzaDispositivo();
    QVERIFY(n > 0);
    CartellaTemporanea cartella;
    const QString com = cartella.percorso(QStringLiteral("COM%1").arg(n));
    PortaSeriale porta;
    {
        Pty pty(cartella);
        QVERIFY(pty.pronta());
        Collega(cartella, n, apertaPrima ? QStringLiteral("pty") : QStringLiteral("rotto"), pty);
        QVERIFY(porta.ImpostaCommPort(n));  // the settings load, COMn there
        if (apertaPrima) {
            QVERIFY(porta.Apri());
            porta.Chiudi();
        }
    }
    // Closing the master frees the terminal; should its node linger, the link is made to lead nowhere.
    QFile::remove(com);
    if (!tolto)
        QFile::link(cartella.percorso(QStringLiteral("non_esiste")), com);
    QCOMPARE(QFileInfo(com).isSymLink(), !tolto);
    QVERIFY(!QFileInfo(com).exists());

    {
        Registro registro;
        QVERIFY(!porta.Apri());
        QVERIFY(!porta.Apri());
        QCOMPARE(Registro::righe(), QStringList{QStringLiteral("Porta seriale COM%1 non aperta: %2 - %3")
                                                     .arg(n)
                                                     .arg(com, QString::fromLocal8Bit(std::strerror(ENOENT)))});
        QCOMPARE(porta.Percorso(), com);
    }

    Pty tornata(cartella);
    QVERIFY(tornata.pronta());
    Collega(cartella, n, QStringLiteral("pty"), tornata);
    QVERIFY(porta.Apri());
    QVERIFY(porta.Output(QByteArray("\x01\x03", 2)));
    QCOMPARE(tornata.ricevi(2), QByteArray("\x01\x03", 2));
}

// A port that does not open says on the log which device it tried and what the system answered:
// a COMn entry, even a link that leads nowhere, is the device; /dev/ttyS<n-1> only without one.
void TstPortaSeriale::guastoNelRegistro_data()
{
    QTest::addColumn<QString>("bersaglio");
    QTest::addColumn<bool>("sulCollegamento");  // the device named is COMn, not /dev/ttyS<n-1>
    QTest::addColumn<int>("errore");
    QTest::newRow("nessun COMn, nessuna /dev/ttyS") << "" << false << ENOENT;
    QTest::newRow("COMn verso nulla") << "rotto" << true << ENOENT;
    QTest::newRow("COMn verso un file") << "file" << true << ENOTTY;
    QTest::newRow("COMn verso una cartella") << "cartella" << true << EISDIR;
    QTest::newRow("linea tenuta da un altro") << "tenuta" << true << EBUSY;
    QTest::newRow("senza permessi") << "senza permessi" << true << EACCES;
}

void TstPortaSeriale::guastoNelRegistro()
{
    QFETCH(QString, bersaglio);
    QFETCH(bool, sulCollegamento);
    QFETCH(int, errore);
    if (errore == EACCES && ::geteuid() == 0)
        QSKIP("this user opens files without read or write permission (root)");
    const int n = PortaSenzaDispositivo();
    QVERIFY(n > 0);
    CartellaTemporanea cartella;
    PreparaBersagli(cartella);
    if (errore == EACCES)
        QVERIFY(QFile::setPermissions(cartella.percorso(QStringLiteral("file")), QFileDevice::Permissions()));
    Pty pty(cartella);
    QVERIFY(pty.pronta());
    const bool tenuta = bersaglio == u"tenuta";
    Collega(cartella, n, tenuta ? QStringLiteral("pty") : bersaglio, pty);
    PortaSeriale altra;
    if (tenuta) {
        QVERIFY(altra.ImpostaCommPort(n));
        QVERIFY(altra.Apri());
    }

    Registro registro;
    PortaSeriale porta;
    QVERIFY(porta.ImpostaCommPort(n));
    QVERIFY(!porta.Apri());
    const QString percorso = sulCollegamento ? cartella.percorso(QStringLiteral("COM%1").arg(n))
                                             : QStringLiteral("/dev/ttyS%1").arg(n - 1);
    QCOMPARE(Registro::righe(), QStringList{QStringLiteral("Porta seriale COM%1 non aperta: %2 - %3")
                                                 .arg(n)
                                                 .arg(percorso, QString::fromLocal8Bit(std::strerror(errore)))});
}

// One line an outage: the same failure again writes nothing, another reason writes its own
// line, and once the port has opened the next failure is written again. A step marked "+" comes
// after a settings load, which decides again which device the port is; the first step does too.
void TstPortaSeriale::unaRigaPerGuasto_data()
{
    QTest::addColumn<QStringList>("passi");  // where COMn leads at each opening
    QTest::addColumn<QString>("esiti");  // each opening: R failed and written, . failed unwritten, A opened
    QTest::newRow("stesso guasto") << QStringList{"file", "file", "file"} << "R..";
    QTest::newRow("di nuovo dopo un'apertura") << QStringList{"file", "file", "pty", "file", "file"} << "R.AR.";
    QTest::newRow("altro motivo") << QStringList{"file", "cartella", "file"} << "RRR";
    // COMn appearing is taken at the next load, not before.
    QTest::newRow("altro dispositivo") << QStringList{"", "", "cartella", "+cartella", "cartella"} << "R..R.";
}

void TstPortaSeriale::unaRigaPerGuasto()
{
    QFETCH(QStringList, passi);
    QFETCH(QString, esiti);
    const int n = PortaSenzaDispositivo();
    QVERIFY(n > 0);
    CartellaTemporanea cartella;
    PreparaBersagli(cartella);
    Pty pty(cartella);
    QVERIFY(pty.pronta());
    Registro registro;
    PortaSeriale porta;
    QString visti;
    for (QString passo : passi) {
        const bool carica = visti.isEmpty() || passo.startsWith(u'+');
        Collega(cartella, n, passo.remove(u'+'), pty);
        if (carica)
            QVERIFY(porta.ImpostaCommPort(n));
        const qsizetype prima = Registro::righe().size();
        const bool aperta = porta.Apri();
        porta.Chiudi();
        const qsizetype scritte = Registro::righe().size() - prima;
        visti += aperta ? (scritte == 0 ? u'A' : u'?') : scritte == 1 ? u'R' : scritte == 0 ? u'.' : u'?';
    }
    QCOMPARE(visti, esiti);
}

// Each settings load decides the port's device and says it on the log when it is another:
// /dev/ttyS<n-1> while the folder has had no COMn in this run, COMn from the load that finds it
// on. A COMn that has been the port stays the port at a load that finds it missing (a bridge
// restarting): that load fails under its name and opens nothing else.
void TstPortaSeriale::dispositivoPerLaCorsa_data()
{
    QTest::addColumn<QStringList>("passi");  // where COMn leads at each load
    QTest::addColumn<QString>("dispositivi");  // each load's device: S /dev/ttyS<n-1>, C COMn
    QTest::addColumn<QString>("righe");  // each load's line naming it: S, C, or . none
    QTest::addColumn<QString>("esiti");  // each load's port test: A opened, R failed
    QTest::newRow("senza COMn") << QStringList{"", ""} << "SS" << "S." << "RR";
    QTest::newRow("COMn fatto dopo") << QStringList{"", "pty", "pty"} << "SCC" << "SC." << "RAA";
    QTest::newRow("COMn tolto a un caricamento") << QStringList{"pty", "", "pty"} << "CCC" << "C.." << "ARA";
}

void TstPortaSeriale::dispositivoPerLaCorsa()
{
    QFETCH(QStringList, passi);
    QFETCH(QString, dispositivi);
    QFETCH(QString, righe);
    QFETCH(QString, esiti);
    const int n = PortaSenzaDispositivo();
    QVERIFY(n > 0);
    CartellaTemporanea cartella;
    const QString com = cartella.percorso(QStringLiteral("COM%1").arg(n));
    const QString ttyS = QStringLiteral("/dev/ttyS%1").arg(n - 1);
    Pty pty(cartella);
    QVERIFY(pty.pronta());
    Registro registro;
    PortaSeriale porta;
    const auto sigla = [&](const QString& dispositivo) {
        return dispositivo == com ? u'C' : dispositivo == ttyS ? u'S' : u'?';
    };
    const QString detto = QStringLiteral("Porta seriale COM%1: ").arg(n);
    QString visti, dette, aperte;
    for (const QString& passo : passi) {
        Collega(cartella, n, passo, pty);
        Registro::informazioni().clear();
        Registro::righe().clear();
        QVERIFY(porta.ImpostaCommPort(n));  // the settings load tests the port
        const bool aperta = porta.Apri();
        porta.Chiudi();
        visti += sigla(porta.Percorso());
        const QStringList info = Registro::informazioni();
        dette += info.isEmpty()                                    ? u'.'
                 : info.size() == 1 && info[0].startsWith(detto) ? sigla(info[0].mid(detto.size()))
                                                                   : u'?';
        aperte += aperta ? u'A' : u'R';
        // A failure names the device decided, and nothing else was tried.
        for (const QString& r : Registro::righe())
            QVERIFY2(r.contains(visti.back() == u'C' ? com : ttyS), qPrintable(r));
    }
    QCOMPARE(visti, dispositivi);
    QCOMPARE(dette, righe);
    QCOMPARE(aperte, esiti);
}

QTEST_GUILESS_MAIN(TstPortaSeriale)
#include "tst_portaseriale.moc"
