// How long an operator's click waits while a tick polls the largest plant (30 zones x 5 values,
// 10 switches x 2 points, 10 LEDs, a door opener, every device with its remote bit) at 9600 baud.
// The clicks wait for the tick to end (a handler never runs inside a pass), so the delay is what
// is left of the tick when the click comes. The line is modelled: each exchange takes the silence
// of 3.5 characters, the request and the reply at 9600 8N1 and the instrument's turnaround
// (argument 1, ms, default 5), waited in the event loop as the serial port waits.
#include "ciclo.h"
#include "eventi.h"
#include "generale.h"
#include "mbus.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>
#include <qpa/qwindowsysteminterface.h>

#include <cstdio>

using namespace Generale;

namespace {

constexpr double MsCarattere = 10.0 * 1000.0 / 9600.0;  // 8N1

class Linea9600 final : public MBus::Collegamento {
public:
    explicit Linea9600(double risposta) : risposta_(risposta) {}
    std::function<void()> allaPrima;
    int scambi = 0;

    long Leggi(int funzione, long, int) override
    {
        attendi(funzione <= 2 ? 6 : 7);
        return 1;  // every remote bit already set: one read a device
    }
    long Scrivi(int, int, long valore, int) override
    {
        attendi(8);
        return valore;
    }

private:
    void attendi(int caratteriRisposta)
    {
        if (scambi++ == 0 && allaPrima)
            allaPrima();
        const double ms = MBus::TempoSilenzio(9600, 10) / 1000.0 + 8 * MsCarattere + risposta_ + caratteriRisposta * MsCarattere;
        QEventLoop attesa;
        QTimer fine;
        fine.setSingleShot(true);
        fine.setTimerType(Qt::PreciseTimer);
        QObject::connect(&fine, &QTimer::timeout, &attesa, &QEventLoop::quit);
        fine.start(int(ms + 0.5));
        attesa.exec(Piattaforma::EventiConsentiti());
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

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const double risposta = argc > 1 ? QByteArray(argv[1]).toDouble() : 5.0;
    Configura();
    MBus::ComunicazioneReale = true;
    Linea9600 linea(risposta);
    MBus::ImpostaCollegamento(&linea);
    AcquisizioneAttiva = true;

    QPushButton pulsante(QStringLiteral("Clic"));
    pulsante.resize(200, 60);
    pulsante.show();
    for (QElapsedTimer t; !t.isValid() || t.elapsed() < 200;) {
        if (!t.isValid())
            t.start();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    QElapsedTimer orologio;
    qint64 clic = -1, servito = -1;
    QObject::connect(&pulsante, &QPushButton::clicked, [&] { servito = orologio.elapsed(); });
    auto clicAccodato = [&] {
        QWindow* w = pulsante.windowHandle();
        const QPointF c = QRectF(pulsante.rect()).center();
        clic = orologio.elapsed();
        QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
            w, c, pulsante.mapToGlobal(c), Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress);
        QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
            w, c, pulsante.mapToGlobal(c), Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease);
    };

    CicloAcquisizione ciclo;
    std::printf("Click delay during a tick, 9600 8N1 modelled, turnaround %.1f ms\n", risposta);
    struct Caso {
        const char* nome;
        int contatore;  // the counter before the tick
    };
    for (const Caso& caso : {Caso{"hand-over + LEDs (every 3 s)", 2},
                             Caso{"hand-over + zones + switches + LEDs (every 60 s)", 59}}) {
        linea.scambi = 0;
        clic = servito = -1;
        linea.allaPrima = clicAccodato;
        ContatoreCicli = caso.contatore;
        orologio.start();
        ciclo.Timer_Monitor_Timer();
        const qint64 tick = orologio.elapsed();
        ciclo.Timer_Monitor.stop();
        while (servito < 0 && orologio.elapsed() < tick + 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::printf("  %-50s %3d exchanges, tick %6lld ms, click at %4lld ms served at %6lld ms: delay %6lld ms\n",
                    caso.nome, linea.scambi, tick, clic, servito, servito < 0 ? -1 : servito - clic);
    }
    MBus::ImpostaCollegamento(nullptr);
    return 0;
}
