// How long the operator waits while a tick polls the largest plant (30 zones x 5 values, 10
// switches x 2 points, 10 LEDs, a door opener, every device with its remote bit):
// - a click: from the window system's delivery to its button's handler;
// - a Stop: from the request to the end of the pass's traffic (the work that asked for the cut
//   gets its turn), the requests that left after it, and from the request to the end of the
//   Stop's own bus work.
// Three lines:
// - healthy, 9600 8N1 modelled: each exchange takes the silence of 3.5 characters, the request
//   and the reply on the wire and the instrument's turnaround (argument 1, ms, default 5);
// - dead (a pulled cable): the station's own link on a pty whose far end never answers, Retry 3,
//   TimeOut 500 ms. A pty ignores baud rate: only the time-outs matter there;
// - dying during a remote step: a master zone and its slave, handed over to local (not kept
//   remote), on the station's own link over a pty whose far end answers every request until
//   the write of 1 to a remote bit arrives (the slave put in remote to take the master's set
//   point) and from then on answers nothing; Retry 3, TimeOut 500 ms. The Stop is asked 100 ms
//   after that write arrived, while the station awaits its reply.
#include "attesa.h"
#include "cartellaprogramma.h"
#include "caselle.h"
#include "ciclo.h"
#include "codabus.h"
#include "generale.h"
#include "mbus.h"

#include <QApplication>
#include <QCoro/QCoroTask>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTimer>
#include <qpa/qwindowsysteminterface.h>

#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <stdlib.h>
#include <unistd.h>
#include <utility>

using namespace Generale;

namespace {

constexpr double MsCarattere = 10.0 * 1000.0 / 9600.0;  // 8N1

class Linea9600 final : public MBus::Collegamento {
public:
    explicit Linea9600(double risposta) : risposta_(risposta) {}
    int scambi = 0;

    QCoro::Task<long> Leggi(int funzione, long, int) override
    {
        co_await attendi(funzione <= 2 ? 6 : 7);
        co_return 1;  // every remote bit already set: one read a device
    }
    QCoro::Task<long> Scrivi(int, int, long valore, int) override
    {
        co_await attendi(8);
        co_return valore;
    }

private:
    QCoro::Task<> attendi(int caratteriRisposta)
    {
        ++scambi;
        const double ms = MBus::TempoSilenzio(9600, 10) / 1000.0 + 8 * MsCarattere + risposta_ + caratteriRisposta * MsCarattere;
        co_await Piattaforma::Dormi(int(ms + 0.5));
    }
    double risposta_;
};

void Configura()
{
    InizializzaTabelle();
    NumeroZone = MaxZone;
    NumeroInterruttori = MaxInterruttori;
    NumeroLED = MaxLED;
    ApriportaPresente = 1;
    BaseRemoto = 3;
    BaseMisura = 60;
    BaseLED = 3;
    ModoRemoto = true;
    GraficiAbilitati = false;
    auto remoto = [](auto& lettura, auto& scrittura, int registro) {
        lettura[Nodo] = scrittura[Nodo] = 1;
        lettura[FunzioneREM] = 1;
        lettura[RegistroREM] = std::int16_t(registro);
        scrittura[FunzioneREM] = 5;
        scrittura[RegistroREM] = std::int16_t(registro);
    };
    int r = 0;
    for (int i = 0; i < MaxZone; ++i) {
        auto& z = MappaLetturaZone[i];
        remoto(z, MappaScritturaZone[i], 1000 + i);
        z[Decimali] = 1;
        for (int k = 0; k < NumeroValoriZona; ++k) {
            z[CampoFunzioneValore(k)] = 3;
            z[CampoRegistroValore(k)] = std::int16_t(r++);
        }
    }
    for (int i = 0; i < MaxInterruttori; ++i) {
        auto& s = MappaLetturaInterruttori[i];
        remoto(s, MappaScritturaInterruttori[i], 1100 + i);
        s[FunzioneON] = 3; s[RegistroON] = std::int16_t(r++);
        s[FunzioneOFF] = 3; s[RegistroOFF] = std::int16_t(r++);
    }
    remoto(MappaLetturaApriporta[0], MappaScritturaApriporta[0], 1200);
    for (int i = 0; i < MaxLED; ++i) {
        auto& l = MappaLetturaLED[i];
        remoto(l, MappaScritturaLED[i], 1300 + i);
        l[FunzioneP1] = 3; l[RegistroP1] = std::int16_t(r++);
        l[Soglia] = 0; l[Colore] = 1; l[Condizione] = 1;
    }
}

// The far end of the line on a pty: takes what the station sends and notes when. Dead from the
// start, it answers nothing; otherwise it answers every request of node 1 (a bit reads 0, a
// register its address + 1, a write is echoed) until a write of 1 to a remote bit (code 5,
// FF 00) arrives: from then on the line is dead, and `allaMorte` runs once.
class Capo {
public:
    explicit Capo(const QString& com1, bool morto = true) : morto_(morto)
    {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
            return;
        QFile::link(QString::fromLocal8Bit(::ptsname(master_)), com1);
        notifica_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
        QObject::connect(notifica_.get(), &QSocketNotifier::activated, [this] {
            char blocco[256];
            ssize_t n = 0;
            while ((n = ::read(master_, blocco, sizeof blocco)) > 0) {
                byte += int(n);
                arrivati_.append(blocco, n);
            }
            richieste = byte / 8;
            ultima = orologio ? orologio->elapsed() : -1;
            rispondi();
        });
    }
    ~Capo()
    {
        notifica_.reset();
        if (master_ >= 0)
            ::close(master_);
    }
    bool pronto() const { return master_ >= 0; }
    const QElapsedTimer* orologio = nullptr;
    std::function<void()> allaMorte;
    int byte = 0;
    int richieste = 0;
    qint64 ultima = -1;  // ms, when the last request arrived

private:
    // Every request the station sends is 8 bytes.
    void rispondi()
    {
        while (arrivati_.size() >= 8) {
            const QByteArray richiesta = arrivati_.left(8);
            arrivati_.remove(0, 8);
            if (morto_ || !MBus::VerificaCrc(richiesta, 8) || std::uint8_t(richiesta[0]) != 1)
                continue;
            const auto funzione = std::uint8_t(richiesta[1]);
            if (funzione == 5 && std::uint8_t(richiesta[4]) == 0xFF && std::uint8_t(richiesta[5]) == 0) {
                morto_ = true;
                if (allaMorte)
                    std::exchange(allaMorte, {})();
                continue;
            }
            QByteArray risposta;
            if (funzione == 1 || funzione == 2) {
                risposta = richiesta.left(2) + QByteArray("\x01\x00", 2);
            } else if (funzione == 3 || funzione == 4) {
                const int valore = (std::uint8_t(richiesta[2]) << 8 | std::uint8_t(richiesta[3])) + 1;
                risposta = richiesta.left(2) + char(2) + char(valore >> 8) + char(valore & 0xFF);
            } else {
                invia(richiesta);
                continue;
            }
            const std::uint16_t crc = MBus::Crc16(risposta, int(risposta.size()));
            risposta += char(crc & 0xFF);
            risposta += char(crc >> 8);
            invia(risposta);
        }
    }
    void invia(const QByteArray& trama)
    {
        [[maybe_unused]] const ssize_t n = ::write(master_, trama.constData(), size_t(trama.size()));
    }

    bool morto_;
    int master_ = -1;
    QByteArray arrivati_;
    std::unique_ptr<QSocketNotifier> notifica_;
};

// A master zone (0) and its slave (1), each with its remote bit, handed over to local; the slave
// follows the master's set point, which differs from its own: the zone pass puts the slave in
// remote, writes the value and hands it back.
void ConfiguraMasterSlave()
{
    NumeroZone = 2;
    NumeroInterruttori = 0;
    NumeroLED = 0;
    ApriportaPresente = 0;
    ModoRemoto = false;
    MasterSlaveAbilitato = true;
    CronotermostatoAbilitato = false;
    ValoreAllineato = {false, true, false, false, false};
    ZonaSlave = {};
    ZonaSlave[1] = true;
    for (int i = 0; i < 2; ++i) {
        auto& s = MappaScritturaZone[i];
        s[Decimali] = 1;
        s[CampoFunzioneValore(1)] = 6;
        s[CampoRegistroValore(1)] = std::int16_t(2000 + i);
    }
}

struct Esito {
    qint64 clic = -1;       // ms from delivery to handler
    qint64 stop = -1;       // ms from the Stop to its turn
    int dopoLoStop = -1;    // requests that left after the Stop
    qint64 fineStop = -1;   // ms from the Stop to the end of its bus work
    qint64 tick = -1;       // ms, the whole tick
};

// When the Stop is asked: `innesco` is given the Stop and calls it, or has it called, when due.
using Innesco = std::function<void(std::function<void()> stop)>;
Innesco AlloScadere(int ms)
{
    return [ms](std::function<void()> stop) { QTimer::singleShot(ms, std::move(stop)); };
}

// Runs one full tick (counter 59: hand-over, zones, switches, LEDs); clicks the button at
// `clicAMs` (-1: never) and asks for a Stop when `innesco` says (none: never). `richieste`
// counts what left.
Esito Misura(QPushButton& pulsante, int clicAMs, const Innesco& innesco, const std::function<int()>& richieste)
{
    CicloAcquisizione ciclo;
    QElapsedTimer orologio;
    Esito esito;
    qint64 clic = -1;
    int richiesteAlloStop = 0;
    qint64 stop = -1;
    const auto connessione = QObject::connect(&pulsante, &QPushButton::clicked, [&] { esito.clic = orologio.elapsed() - clic; });
    if (clicAMs >= 0)
        QTimer::singleShot(clicAMs, [&] {
            QWindow* w = pulsante.windowHandle();
            const QPointF c = QRectF(pulsante.rect()).center();
            clic = orologio.elapsed();
            QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
                w, c, pulsante.mapToGlobal(c), Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress);
            QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
                w, c, pulsante.mapToGlobal(c), Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease);
        });
    if (innesco)
        innesco([&] {
            stop = orologio.elapsed();
            richiesteAlloStop = richieste();
            AcquisizioneAttiva = false;
            Acquisizione::EseguiQuandoLibero(
                [&]() -> QCoro::Task<> {
                    esito.stop = orologio.elapsed() - stop;
                    co_await Acquisizione::LavoroDelloStop();
                    esito.fineStop = orologio.elapsed() - stop;
                },
                true);
        });
    AcquisizioneAttiva = true;
    ContatoreCicli = 59;
    orologio.start();
    QCoro::waitFor(ciclo.Timer_Monitor_Timer());
    esito.tick = orologio.elapsed();
    ciclo.Timer_Monitor.stop();
    while (Acquisizione::LavoroInCorso() || (clicAMs >= 0 && esito.clic < 0 && orologio.elapsed() < esito.tick + 2000))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (stop >= 0)
        esito.dopoLoStop = richieste() - richiesteAlloStop;
    QObject::disconnect(connessione);
    return esito;
}

void Stampa(const char* caso, const Esito& e)
{
    std::printf("  %-44s tick %7lld ms | click served in %5lld ms | Stop's turn after %6lld ms, %d requests after it,"
                " its work ended after %6lld ms\n",
                caso, e.tick, e.clic, e.stop, e.dopoLoStop, e.fineStop);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const double risposta = argc > 1 ? QByteArray(argv[1]).toDouble() : 5.0;
    Configura();

    QPushButton pulsante(QStringLiteral("Clic"));
    pulsante.resize(200, 60);
    pulsante.show();
    for (QElapsedTimer t; !t.isValid() || t.elapsed() < 200;) {
        if (!t.isValid())
            t.start();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }

    std::printf("Click and Stop during a full tick of the largest plant\n");
    {
        MBus::ComunicazioneReale = true;
        Linea9600 linea(risposta);
        MBus::ImpostaCollegamento(&linea);
        Stampa("healthy, 9600 8N1 modelled, click only", Misura(pulsante, 1000, {}, [&] { return linea.scambi; }));
        Stampa("healthy, 9600 8N1 modelled, Stop at 1 s", Misura(pulsante, 500, AlloScadere(1000), [&] { return linea.scambi; }));
        MBus::ImpostaCollegamento(nullptr);
    }
    {
        QTemporaryDir cartella;
        Piattaforma::ImpostaCartellaProgramma(cartella.path());
        Capo capo(cartella.filePath(QStringLiteral("COM1")));
        if (!capo.pronto()) {
            std::fprintf(stderr, "no pty\n");
            return 1;
        }
        MBus::ImpostaSeriale(1, QStringLiteral("9600,N,8,1"));
        MBus::NumeroTentativi = 3;
        MBus::AttesaRisposta = 0.5f;
        Stampa("dead line, Retry 3, TimeOut 500, Stop at 5 s", Misura(pulsante, 2000, AlloScadere(5000), [&] { return capo.richieste; }));
    }
    {
        QTemporaryDir cartella;
        Piattaforma::ImpostaCartellaProgramma(cartella.path());
        Capo capo(cartella.filePath(QStringLiteral("COM1")), false);
        if (!capo.pronto()) {
            std::fprintf(stderr, "no pty\n");
            return 1;
        }
        MBus::ImpostaPorta(nullptr);  // another line: no quiet owed from the last one
        ConfiguraMasterSlave();
        const Innesco allaMorte = [&capo](std::function<void()> stop) {
            capo.allaMorte = [stop = std::move(stop)] { QTimer::singleShot(100, stop); };
        };
        Stampa("dies at a remote step, Retry 3, TimeOut 500", Misura(pulsante, -1, allaMorte, [&] { return capo.richieste; }));
    }
    return 0;
}
