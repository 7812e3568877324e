// The polling tick: its schedule, its mailboxes, the stop during a tick, and one piece of bus
// work at a time (work asked for during a wait is held back, in order, and nothing runs twice).
#include "ciclo.h"
#include "codabus.h"
#include "fintobus.h"
#include "modello.h"

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

private slots:
    void init()
    {
        AzzeraModello();
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

    void soloImpostazioneMandaAncheAttivita()
    {
        piccolaPianta();
        AttivitaLinea = true;
        RichiestaImpostazione = true;
        ComandoImpostazione = {6, 201, 215, 1, 1, 1, 0};
        ciclo->Timer_Monitor_Timer();
        QVERIFY(bus->traffico.contains(QStringLiteral("S6,201=215@1")));
        QCOMPARE(bus->traffico.last(), QStringLiteral("L3,99@9"));
        QCOMPARE(RichiestaImpostazione, false);
    }

    void spegnimentoPrimaDellAccensione()
    {
        NumeroInterruttori = 2;
        for (int i = 0; i < 2; ++i) {
            auto& w = MappaScritturaInterruttori[i];
            w[Nodo] = std::int16_t(i + 1); w[FunzioneON] = 6; w[RegistroON] = 1; w[FunzioneOFF] = 6; w[RegistroOFF] = 2;
            w[ValoreON] = 1; w[ValoreOFF] = 0;
        }
        RichiestaAccensione = 1;
        RichiestaSpegnimento = 0;
        ContatoreCicli = 0;
        ciclo->Timer_Monitor_Timer();
        QCOMPARE(bus->traffico, QStringList({"S6,2=0@1", "S6,1=1@2"}));
        QCOMPARE(RichiestaAccensione, -1);
        QCOMPARE(RichiestaSpegnimento, -1);
    }

    // The slot is emptied before its command runs: a click during the command is kept for the
    // next tick instead of being lost.
    void richiestaDuranteIlComandoNonSiPerde()
    {
        auto& w = MappaScritturaInterruttori[0];
        NumeroInterruttori = 4;
        w[Nodo] = 1; w[FunzioneON] = 6; w[RegistroON] = 1; w[FunzioneOFF] = 6; w[RegistroOFF] = 2; w[ValoreON] = 1; w[ValoreOFF] = 0;
        MappaScritturaInterruttori[3] = w;
        MappaScritturaInterruttori[3][Nodo] = 4;
        RichiestaAccensione = 0;
        bus->durante = [] { if (RichiestaAccensione == -1) RichiestaAccensione = 3; };
        ciclo->Timer_Monitor_Timer();
        QCOMPARE(RichiestaAccensione, 3);
        bus->durante = nullptr;
        ciclo->Timer_Monitor_Timer();
        QCOMPARE(bus->traffico, QStringList({"S6,1=1@1", "S6,1=1@4"}));
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

    // Work asked for while a pass waits on the bus runs after the pass, in arrival order; the
    // pass is not entered again, even when a handler calls it directly.
    void lavoroDuranteUnaAttesaAspetta()
    {
        piccolaPianta();
        QStringList ordine;
        bool chiesto = false;
        bus->durante = [&] {
            ordine << bus->traffico.last();
            if (chiesto)
                return;
            chiesto = true;
            QVERIFY(Acquisizione::LavoroInCorso());
            Acquisizione::EseguiQuandoLibero([&] { ordine << QStringLiteral("Stop"); AcquisizioneAttiva = false; });
            ciclo->LeggiZone();  // a re-read handler that did not wait its turn
            Acquisizione::EseguiQuandoLibero([&] { ordine << QStringLiteral("Start"); });
            QCOMPARE(Acquisizione::LavoriInAttesa(), 3);
        };
        ciclo->LeggiZone();
        QCOMPARE(ordine, QStringList({"L3,100@1", "Stop", "L3,100@1", "Start"}));
        QCOMPARE(Acquisizione::LavoriInAttesa(), 0);
    }

    // A timer tick that falls due while other work holds the bus is queued once and runs after it.
    void tickInCodaUnaVolta()
    {
        piccolaPianta();
        AcquisizioneAttiva = true;
        ContatoreCicli = 59;
        ciclo->Timer_Monitor.setInterval(0);
        QSignalSpy fatto(ciclo, &CicloAcquisizione::TickEseguito);
        Acquisizione::EseguiQuandoLibero([&] {
            ciclo->Timer_Monitor.start();
            QTest::qWait(0);
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
            QCOMPARE(fatto.count(), 0);
            QCOMPARE(Acquisizione::LavoriInAttesa(), 1);
        });
        QCOMPARE(fatto.count(), 1);
        QCOMPARE(ContatoreCicli, 60);
        QVERIFY(ciclo->Timer_Monitor.isActive());
        ciclo->Timer_Monitor.stop();
    }

    // A Stop held back before a tick that fell due during the same wait: the stopped timer's
    // tick does not run after it, so nothing is read and nothing shown while stopped.
    void tickInCodaDopoLoStopNonParte()
    {
        piccolaPianta();
        AcquisizioneAttiva = true;
        ContatoreCicli = 59;
        ciclo->Timer_Monitor.setInterval(0);
        QSignalSpy fatto(ciclo, &CicloAcquisizione::TickEseguito);
        Acquisizione::EseguiQuandoLibero([&] {
            Acquisizione::EseguiQuandoLibero([&] {
                AcquisizioneAttiva = false;
                ciclo->Timer_Monitor.stop();
            });
            ciclo->Timer_Monitor.start();
            QTest::qWait(0);
            QCoreApplication::processEvents();
            QCOMPARE(Acquisizione::LavoriInAttesa(), 2);
        });
        QCOMPARE(fatto.count(), 0);
        QCOMPARE(ContatoreCicli, 59);
        QVERIFY(bus->traffico.isEmpty());
        QVERIFY(!ciclo->Timer_Monitor.isActive());
    }
};

QTEST_GUILESS_MAIN(TestCiclo)
#include "tst_ciclo.moc"
