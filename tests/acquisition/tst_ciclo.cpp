// The polling tick: its schedule, its mailboxes, the stop during a tick, and one piece of bus
// work at a time (work asked for during a pass waits for its turn, in order, or cuts the pass).
#include "caselle.h"
#include "ciclo.h"
#include "codabus.h"
#include "fintobus.h"
#include "modello.h"
#include "attesa.h"

#include <QSignalSpy>
#include <QTest>

using namespace Generale;

class TestCiclo : public QObject {
    Q_OBJECT

    FintoBus* bus = nullptr;
    CicloAcquisizione* ciclo = nullptr;
    QStringList eventi;  // what the tick did, in order: R O Z I L A (see piccolaPianta)

    // Zone 1 on node 1 (PV at 100, remote bit 50), switch 1 on node 2 (ON 10, OFF 11), LED 1 on
    // node 3 (value 30), keep-alive read node 9 register 99.
    void piccolaPianta()
    {
        NumeroZone = NumeroInterruttori = NumeroLED = 1;
        MappaLetturaZone[0][Nodo] = MappaScritturaZone[0][Nodo] = 1;
        MappaLetturaZone[0][Decimali] = 0;
        MappaLetturaZone[0][FunzionePV] = 3;
        MappaLetturaZone[0][RegistroPV] = 100;
        MappaLetturaZone[0][FunzioneREM] = 1;
        MappaLetturaZone[0][RegistroREM] = 50;
        MappaScritturaZone[0][FunzioneREM] = 5;
        MappaScritturaZone[0][RegistroREM] = 50;
        auto& s = MappaLetturaInterruttori[0];
        s[Nodo] = 2; s[Decimali] = 0; s[FunzioneON] = 1; s[RegistroON] = 10; s[FunzioneOFF] = 1; s[RegistroOFF] = 11;
        auto& l = MappaLetturaLED[0];
        l[Nodo] = 3; l[Decimali] = 0; l[FunzioneP1] = 3; l[RegistroP1] = 30; l[Soglia] = 0; l[Colore] = 1; l[Condizione] = 1;
        LetturaAttivita = {9, 3, 99};
        bus->punto(3, 100, 1, 20);
        bus->punto(1, 50, 1, 1);
        bus->punto(1, 10, 2, 0);
        bus->punto(1, 11, 2, 1);
        bus->punto(3, 30, 3, 5);
        bus->punto(3, 99, 9, 0);
        Acquisizione::GanciAttivi().Pannello3 = [this](const QString& t) {
            if (t == QLatin1String("Remoto...")) eventi << QStringLiteral("R");
            if (t == QLatin1String("Locale...")) eventi << QStringLiteral("O");
            if (t == QLatin1String("Attivita...")) eventi << QStringLiteral("A");
        };
        bus->durante = [this] {
            const QString ultimo = bus->traffico.last();
            if (ultimo == QLatin1String("L3,100@1")) eventi << QStringLiteral("Z");
            if (ultimo == QLatin1String("L1,10@2")) eventi << QStringLiteral("I");
            if (ultimo == QLatin1String("L3,30@3")) eventi << QStringLiteral("L");
        };
    }

    // Switches 1..4 on nodes 1..4 (ON writes 1 at register 1, OFF 0 at register 2), the opener
    // on node 20 (register 5), zone 1 on node 7 with a writable SP (register 201).
    void piantaDiComandi()
    {
        NumeroInterruttori = 4;
        for (int i = 0; i < 4; ++i) {
            auto& w = MappaScritturaInterruttori[i];
            w[Nodo] = std::int16_t(i + 1); w[FunzioneON] = 6; w[RegistroON] = 1; w[FunzioneOFF] = 6; w[RegistroOFF] = 2;
            w[ValoreON] = 1; w[ValoreOFF] = 0;
        }
        auto& a = MappaScritturaApriporta[0];
        a[Nodo] = 20; a[FunzioneON] = 6; a[RegistroON] = 5; a[FunzioneOFF] = 6; a[RegistroOFF] = 5; a[ValoreON] = 1; a[ValoreOFF] = 0;
        BaseRemoto = BaseMisura = BaseLED = 301;  // nothing else falls due
    }
    // "A" door, "I3+" switch 3 ON, "I0-" switch 0 OFF, "V" SP 21,5 of zone 1.
    static void posta(const QString& r)
    {
        if (r == QLatin1String("A"))
            Acquisizione::PostaApriporta();
        else if (r == QLatin1String("V"))
            Acquisizione::PostaImpostazione({6, 201, 215, 7, 1, 1, 0});
        else
            Acquisizione::PostaInterruttore(r.mid(1, 1).toInt(), r.endsWith(QLatin1Char('+')));
    }

private slots:
    void init()
    {
        AzzeraModello();
        AcquisizioneAttiva = true;  // a tick polls only while acquisition runs
        bus = new FintoBus;
        ciclo = new CicloAcquisizione;
        eventi.clear();
    }
    void cleanup()
    {
        delete ciclo;
        delete bus;
        QCOMPARE(Acquisizione::LavoroInCorso(), false);
        QCOMPARE(Acquisizione::LavoriInAttesa(), 0);
    }

    void schedule_data()
    {
        QTest::addColumn<int>("remoto");
        QTest::addColumn<int>("misura");
        QTest::addColumn<int>("led");
        QTest::addColumn<bool>("modoRemoto");
        QTest::addColumn<bool>("attivita");
        QTest::addColumn<int>("contatore");
        QTest::addColumn<QString>("atteso");
        QTest::addColumn<int>("contatoreDopo");
        QTest::newRow("tick 60: hand-over, zones, switches, LEDs, no keep-alive") << 3 << 60 << 3 << true << true << 59 << "RZIL" << 60;
        QTest::newRow("tick 1: nothing due, keep-alive") << 3 << 60 << 3 << true << true << 0 << "A" << 1;
        QTest::newRow("tick 1: nothing due, keep-alive off") << 3 << 60 << 3 << true << false << 0 << "" << 1;
        QTest::newRow("tick 300 runs everything and wraps") << 3 << 60 << 3 << true << true << 299 << "RZIL" << 0;
        QTest::newRow("local hand-over") << 3 << 60 << 3 << false << true << 2 << "OL" << 3;
        QTest::newRow("period 0 is due on every tick") << 0 << 60 << 3 << false << true << 0 << "O" << 1;
        QTest::newRow("LED period 0") << 3 << 60 << 0 << true << true << 0 << "L" << 1;
        QTest::newRow("period 7 on tick 7") << 3 << 7 << 5 << true << true << 6 << "ZI" << 7;
    }
    void schedule()
    {
        QFETCH(int, remoto);
        QFETCH(int, misura);
        QFETCH(int, led);
        piccolaPianta();
        BaseRemoto = remoto;
        BaseMisura = misura;
        BaseLED = led;
        QFETCH(bool, modoRemoto);
        QFETCH(bool, attivita);
        ModoRemoto = modoRemoto;
        AttivitaLinea = attivita;
        QFETCH(int, contatore);
        ContatoreCicli = contatore;
        ciclo->Timer_Monitor_Timer();
        QTEST(eventi.join(QString()), "atteso");
        QTEST(ContatoreCicli, "contatoreDopo");
    }

    // A period that does not divide 300 runs at its multiples up to 294, then 13 ticks later.
    void periodo7AttraversaIlGiro()
    {
        piccolaPianta();
        BaseMisura = 7;
        BaseRemoto = BaseLED = 301;
        QList<int> passate;
        for (int tick = 1; tick <= 320; ++tick) {
            eventi.clear();
            ciclo->Timer_Monitor_Timer();
            if (eventi.contains(QStringLiteral("Z")))
                passate << tick;
        }
        QCOMPARE(passate.size(), 44);
        QCOMPARE(passate.at(41), 294);
        QCOMPARE(passate.at(42), 307);
    }

    void senzaDispositiviIlPassaggioContaComeLavoro()
    {
        AttivitaLinea = true;
        LetturaAttivita = {9, 3, 99};
        QStringList pannello;
        Acquisizione::GanciAttivi().Pannello3 = [&](const QString& t) { pannello << t; };
        ContatoreCicli = 2;
        ciclo->Timer_Monitor_Timer();
        QCOMPARE(pannello, QStringList({"Locale...", "", "Lettura...", ""}));  // hand-over, LED pass, no keep-alive
        QVERIFY(bus->traffico.isEmpty());
    }

    // The requests run in the order they were asked for, none in place of another; one posted
    // while a command waits on the line is served by the next tick.
    void richieste_data()
    {
        QTest::addColumn<QStringList>("prima");    // posted before the tick
        QTest::addColumn<QStringList>("durante");  // posted during the tick's first write
        QTest::addColumn<QStringList>("primo");    // writes of the first tick
        QTest::addColumn<QStringList>("secondo");  // writes of the next one
        const QString on1 = "S6,1=1@1", on3 = "S6,1=1@3", on4 = "S6,1=1@4", off1 = "S6,2=0@1";
        const QStringList porta{"S6,5=1@20", "S6,5=0@20"};
        const QString sp = "S6,201=215@7";
        QTest::newRow("two switches ON in one pass: both") << QStringList{"I0+", "I3+"} << QStringList{} << QStringList{on1, on4} << QStringList{};
        QTest::newRow("OFF asked after ON runs after it") << QStringList{"I2+", "I0-"} << QStringList{} << QStringList{on3, off1} << QStringList{};
        QTest::newRow("the same switch ON then OFF: both, in order") << QStringList{"I0+", "I0-"} << QStringList{} << QStringList{on1, off1} << QStringList{};
        QTest::newRow("set-value keeps its place") << QStringList{"I0+", "V", "I3+"} << QStringList{} << QStringList{on1, sp, on4} << QStringList{};
        QTest::newRow("two door clicks before the tick: one pulse") << QStringList{"A", "A"} << QStringList{} << porta << QStringList{};
        QTest::newRow("door asked during the pulse: next tick") << QStringList{"A"} << QStringList{"A"} << porta << porta;
        QTest::newRow("switch asked during a command: next tick") << QStringList{"I0+"} << QStringList{"I3+"} << QStringList{on1} << QStringList{on4};
    }
    void richieste()
    {
        QFETCH(QStringList, prima);
        QFETCH(QStringList, durante);
        piantaDiComandi();
        for (const QString& r : prima)
            posta(r);
        bus->durante = [&] {
            if (bus->traffico.size() == 1)
                for (const QString& r : durante)
                    posta(r);
        };
        ciclo->Timer_Monitor_Timer();
        QTEST(bus->traffico, "primo");
        bus->traffico.clear();
        bus->durante = nullptr;
        ciclo->Timer_Monitor_Timer();
        QTEST(bus->traffico, "secondo");
        QVERIFY(Acquisizione::RichiesteInAttesa().empty());
    }

    void soloImpostazioneMandaAncheAttivita()
    {
        piccolaPianta();
        AttivitaLinea = true;
        Acquisizione::PostaImpostazione({6, 201, 215, 1, 1, 1, 0});
        ciclo->Timer_Monitor_Timer();
        QVERIFY(bus->traffico.contains(QStringLiteral("S6,201=215@1")));
        QCOMPARE(bus->traffico.last(), QStringLiteral("L3,99@9"));
        QVERIFY(Acquisizione::RichiesteInAttesa().empty());
    }

    void stopDuranteIlTick_data()
    {
        QTest::addColumn<bool>("ferma");
        QTest::newRow("running: re-armed") << false;
        QTest::newRow("stopped during a wait: left disabled") << true;
    }
    void stopDuranteIlTick()
    {
        QFETCH(bool, ferma);
        piccolaPianta();
        AcquisizioneAttiva = true;
        ciclo->Timer_Monitor.start();
        ContatoreCicli = 59;
        if (ferma)
            bus->durante = [] { AcquisizioneAttiva = false; };
        QSignalSpy fatto(ciclo, &CicloAcquisizione::TickEseguito);
        ciclo->Timer_Monitor_Timer();
        QCOMPARE(fatto.count(), 1);
        QCOMPARE(ciclo->Timer_Monitor.isActive(), !ferma);
        QCOMPARE(bus->traffico.filter(QStringLiteral("L3,30@3")).size(), 1);  // the LED pass still ran
    }

    // Work asked for while a pass waits on the line waits for its turn, in arrival order, and
    // runs after the pass; work that asks for the cut ends the pass at its next exchange.
    void lavoroDuranteUnaPassata_data()
    {
        QTest::addColumn<bool>("taglia");
        QTest::addColumn<QStringList>("ordine");
        QTest::newRow("waits for the whole pass") << false << QStringList{"Z", "I", "L", "Stop", "Start"};
        QTest::newRow("cut at the next exchange") << true << QStringList{"Z", "Stop", "Start"};
    }
    void lavoroDuranteUnaPassata()
    {
        QFETCH(bool, taglia);
        piccolaPianta();
        AcquisizioneAttiva = true;
        ContatoreCicli = 59;
        BaseRemoto = 301;
        bus->sospendi = true;
        const auto durante = bus->durante;
        bus->durante = [&, durante] {
            durante();
            if (eventi.size() != 1)
                return;
            Acquisizione::EseguiQuandoLibero([&]() -> QCoro::Task<> { eventi << QStringLiteral("Stop"); co_return; }, taglia);
            Acquisizione::EseguiQuandoLibero([&]() -> QCoro::Task<> { eventi << QStringLiteral("Start"); co_return; });
            QCOMPARE(Acquisizione::LavoriInAttesa(), 2);
        };
        QCoro::waitFor(ciclo->Timer_Monitor_Timer());
        QVERIFY(QTest::qWaitFor([] { return !Acquisizione::LavoroInCorso(); }));
        QTEST(eventi, "ordine");
        ciclo->Timer_Monitor.stop();
    }

    // A cut asked while a device's state read is under way: its remote write does not start, and
    // the step that did not run counts neither as an error nor as an answer. A device found in
    // remote by the hand-over to local is handed back all the same: nothing would after a Stop.
    void passaggioTagliato_data()
    {
        QTest::addColumn<bool>("remoto");
        QTest::addColumn<QStringList>("traffico");
        QTest::addColumn<int>("errori");
        QTest::newRow("to remote, device in local") << true << QStringList{"L1,50@1"} << 3;
        QTest::newRow("to local, device in remote: handed back") << false << QStringList{"L1,50@1", "S5,50=0@1"} << 0;
    }
    void passaggioTagliato()
    {
        QFETCH(bool, remoto);
        piccolaPianta();
        bus->durante = {};
        ModoRemoto = remoto;
        bus->punto(1, 50, 1, remoto ? 0 : 1);
        ContatoreCicli = 2;
        BaseMisura = BaseLED = 301;
        ErroriZona[0] = 3;
        bus->durante = [] { Acquisizione::EseguiQuandoLibero([]() -> QCoro::Task<> { co_return; }, true); };
        QCoro::waitFor(ciclo->Timer_Monitor_Timer());
        QVERIFY(QTest::qWaitFor([] { return !Acquisizione::LavoroInCorso(); }));
        QTEST(bus->traffico, "traffico");
        QTEST(ErroriZona[0], "errori");
        ciclo->Timer_Monitor.stop();
    }

    // A timer tick that falls due while other work holds the turn waits once and runs after it;
    // after a Stop that came first it polls nothing.
    void tickInAttesa_data()
    {
        QTest::addColumn<bool>("fermata");
        QTest::newRow("runs after the work") << false;
        QTest::newRow("a Stop came first: nothing read") << true;
    }
    void tickInAttesa()
    {
        QFETCH(bool, fermata);
        piccolaPianta();
        AcquisizioneAttiva = true;
        ContatoreCicli = 59;
        ciclo->Timer_Monitor.setInterval(0);
        QSignalSpy fatto(ciclo, &CicloAcquisizione::TickEseguito);
        bool rilascia = false;
        auto lavoro = [&]() -> QCoro::Task<> {
            const Acquisizione::Turno turno = co_await Acquisizione::PrendiTurno();
            ciclo->Timer_Monitor.start();
            while (!rilascia)
                co_await Piattaforma::Dormi(1);
            if (fermata) {
                AcquisizioneAttiva = false;
                ciclo->Timer_Monitor.stop();
            }
        };
        auto tenuto = lavoro();
        QTest::qWait(20);
        QCOMPARE(fatto.count(), 0);
        QCOMPARE(Acquisizione::LavoriInAttesa(), 1);  // one tick, however often the timer was due
        rilascia = true;
        QVERIFY(QTest::qWaitFor([] { return !Acquisizione::LavoroInCorso(); }));
        QCOMPARE(fatto.count(), fermata ? 0 : 1);
        QCOMPARE(ContatoreCicli, fermata ? 59 : 60);
        QCOMPARE(bus->traffico.isEmpty(), fermata);
        QCOMPARE(ciclo->Timer_Monitor.isActive(), !fermata);
        ciclo->Timer_Monitor.stop();
    }
};

QTEST_GUILESS_MAIN(TestCiclo)
#include "tst_ciclo.moc"
