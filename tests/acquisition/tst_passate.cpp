// The read passes, the alignment, the chrono step, the error counting and the history file.
#include "cartellatemporanea.h"
#include "ciclo.h"
#include "fintobus.h"
#include "modello.h"
#include "storicogiornaliero.h"
#include "turnotenuto.h"

#include <QTest>

using namespace Generale;
using Acquisizione::GanciAttivi;

class TestPassate : public QObject {
    Q_OBJECT

    FintoBus* bus = nullptr;
    CicloAcquisizione* ciclo = nullptr;
    QStringList allarmiZ, allarmiI;
    int lampeggi = 0;

    void registraAllarmi()
    {
        GanciAttivi().VoceAllarmeZona = [this](const QString& v) { allarmiZ << v; };
        GanciAttivi().VoceAllarmeDispositivo = [this](const QString& v) { allarmiI << v; };
        GanciAttivi().SvuotaAllarmi = [this] { allarmiZ.clear(); allarmiI.clear(); };
        GanciAttivi().Lampeggio = [this](bool on) { lampeggi += on ? 1 : 0; };
    }

private slots:
    void init()
    {
        AzzeraModello();
        bus = new FintoBus;
        ciclo = new CicloAcquisizione;
        allarmiZ.clear();
        allarmiI.clear();
        lampeggi = 0;
        registraAllarmi();
    }
    void cleanup()
    {
        delete ciclo;
        delete bus;
    }

    void valoreLetto_data()
    {
        QTest::addColumn<int>("funzione");
        QTest::addColumn<int>("grezzo");
        QTest::addColumn<int>("decimali");
        QTest::addColumn<float>("atteso");
        QTest::addColumn<int>("errori");
        QTest::newRow("register, 1 decimal") << 3 << 215 << 1 << 21.5f << 0;
        QTest::newRow("input register, 2 decimals, negative") << 4 << -150 << 2 << -1.5f << 0;
        QTest::newRow("register, 3 decimals") << 3 << 1234 << 3 << 1.234f << 0;
        QTest::newRow("register, failed read") << 3 << ValoreAssente << 1 << float(ValoreAssente) << 1;
        QTest::newRow("coil 1") << 1 << 1 << 0 << 1.0f << 0;
        QTest::newRow("discrete input 0") << 2 << 0 << 2 << 0.0f << 0;
        QTest::newRow("coil reading 2") << 1 << 2 << 0 << float(ValoreAssente) << 1;
        QTest::newRow("code outside 1..4, not read") << 6 << 215 << 0 << float(ValoreAssente) << 1;
    }
    void valoreLetto()
    {
        QFETCH(int, funzione);
        QFETCH(int, grezzo);
        QFETCH(int, decimali);
        NumeroZone = 1;
        auto& l = MappaLetturaZone[0];
        l[Nodo] = 1; l[Decimali] = std::int16_t(decimali); l[FunzionePV] = std::int16_t(funzione); l[RegistroPV] = 7;
        bus->punto(funzione, 7, 1, grezzo);
        ErroriZona[0] = 0;
        ciclo->LeggiZone();
        QTEST(ValoriZone[0][0], "atteso");
        QCOMPARE(bus->traffico.size(), funzione <= 4 ? 1 : 0);
        // PV plus four unconfigured values, each missing value one error, each good one a reset
        QFETCH(int, errori);
        QCOMPARE(ErroriZona[0], errori == 0 ? 4 : 5);
    }

    // PV resets the counter every pass: a zone with only PV configured never alarms; a zone with
    // nothing configured latches on the first value of its second pass, exactly once.
    void zoneParzialiEVuote()
    {
        NumeroZone = 2;
        auto& l = MappaLetturaZone[0];
        l[Nodo] = 1; l[Decimali] = 0; l[FunzionePV] = 3; l[RegistroPV] = 7; l[FunzioneSP] = 3; l[RegistroSP] = 8;
        bus->punto(3, 7, 1, 20);
        bus->punto(3, 8, 1, 21);
        ciclo->LeggiZone();
        QCOMPARE(ErroriZona[1], 5);
        QVERIFY(!AllarmeZona[1]);
        for (int i = 0; i < 4; ++i)
            ciclo->LeggiZone();
        QVERIFY(!AllarmeZona[0]);
        QCOMPARE(ErroriZona[0], 3);
        QCOMPARE(allarmiZ, QStringList{"Zona 02 (09/12/2026 08:14:30)"});
        QVERIFY(allarmiI.isEmpty());
        QCOMPARE(lampeggi, 1);
        QVERIFY(AllarmePresente);
    }

    void conteggioErrori_data()
    {
        QTest::addColumn<int>("tipo");  // 0 zone, 1 switch, 2 LED
        QTest::addColumn<QString>("sequenza");  // E error, G good exchange
        QTest::addColumn<int>("voci");
        QTest::newRow("zone: 5 errors, nothing") << 0 << "EEEEE" << 0;
        QTest::newRow("zone: the 6th latches once") << 0 << "EEEEEE" << 1;
        QTest::newRow("zone: 7th and later add nothing") << 0 << "EEEEEEEEEE" << 1;
        QTest::newRow("zone: a good exchange in between") << 0 << "EEEEEGEEEEE" << 0;
        QTest::newRow("zone: a good exchange keeps the latch") << 0 << "EEEEEEGEEEEEE" << 1;
        QTest::newRow("switch") << 1 << "EEEEEE" << 1;
        QTest::newRow("LED") << 2 << "EEEEEEEE" << 1;
    }
    void conteggioErrori()
    {
        QFETCH(int, tipo);
        QFETCH(QString, sequenza);
        for (QChar c : sequenza) {
            if (c == QLatin1Char('E'))
                tipo == 0 ? SegnalaErroreZona(3) : tipo == 1 ? SegnalaErroreInterruttore(3) : SegnalaErroreLED(3);
            else
                (tipo == 0 ? ErroriZona[3] : tipo == 1 ? ErroriInterruttore[3] : ErroriLED[3]) = 0;
        }
        QFETCH(int, voci);
        QCOMPARE(int((tipo == 0 ? allarmiZ : allarmiI).size()), voci);
        QCOMPARE(int((tipo == 0 ? allarmiI : allarmiZ).size()), 0);
        QCOMPARE(lampeggi, voci);
        const QString nome = tipo == 0 ? "Zona 04" : tipo == 1 ? "Interruttore 04" : "LED 04";
        if (voci)
            QVERIFY((tipo == 0 ? allarmiZ : allarmiI).first().startsWith(nome + " ("));
    }

    void azzeramentoONascondi_data()
    {
        QTest::addColumn<int>("modo");
        QTest::addColumn<bool>("zona");  // after closing, the zone keeps failing rather than the LED
        QTest::newRow("reset and close") << 0 << false;
        QTest::newRow("reset and close, the zone failing again") << 0 << true;
        QTest::newRow("close only") << 1 << false;
    }
    void azzeramentoONascondi()
    {
        QFETCH(int, modo);
        int nascosto = 0;
        bool lampeggio = true;
        GanciAttivi().NascondiMonitor = [&] { ++nascosto; };
        GanciAttivi().Lampeggio = [&](bool on) { lampeggio = on; };
        for (int i = 0; i < 6; ++i) {
            SegnalaErroreZona(0);
            SegnalaErroreLED(9);
        }
        ChiudiMonitor(modo);
        QCOMPARE(nascosto, 1);
        QCOMPARE(AllarmeZona[0], modo != 0);
        QCOMPARE(AllarmeLED[9], modo != 0);
        QCOMPARE(ErroriLED[9], modo != 0 ? 6 : 0);
        QCOMPARE(AllarmePresente, modo != 0);
        QCOMPARE(lampeggio, modo != 0);
        QCOMPARE(allarmiZ.size(), modo != 0 ? 1 : 0);
        // after the reset a zone or device that keeps failing is listed again at its 6th new error, not before
        QFETCH(bool, zona);
        const QStringList& elenco = zona ? allarmiZ : allarmiI;
        for (int i = 0; i < 5; ++i)
            zona ? SegnalaErroreZona(0) : SegnalaErroreLED(9);
        QCOMPARE(elenco.size(), modo != 0 ? 1 : 0);
        zona ? SegnalaErroreZona(0) : SegnalaErroreLED(9);
        QCOMPARE(elenco.size(), 1);
    }

    void led_data()
    {
        QTest::addColumn<int>("grezzo");
        QTest::addColumn<int>("decimali");
        QTest::addColumn<int>("soglia");  // register units, as the load stores it
        QTest::addColumn<int>("condizione");
        QTest::addColumn<int>("stato");
        QTest::addColumn<int>("funzione");
        for (int c = 1; c <= 6; ++c)
            QTest::addRow("equal, condition %d", c) << 20 << 0 << 20 << c << ((c == 1 || c == 2 || c == 5) ? 4 : 0) << 3;
        QTest::newRow("condition 0 is off") << 20 << 0 << 20 << 0 << 0 << 3;
        QTest::newRow("condition 7 is off") << 20 << 0 << 10 << 7 << 0 << 3;
        QTest::newRow("threshold 21,5 on 1 decimal: 21.5 equal") << 215 << 1 << 215 << 5 << 4 << 3;
        QTest::newRow("threshold 21,5 on 1 decimal: 21.6 greater") << 216 << 1 << 215 << 3 << 4 << 3;
        QTest::newRow("threshold 21,5 on 1 decimal: 21.4 not greater") << 214 << 1 << 215 << 3 << 0 << 3;
        QTest::newRow("threshold 1,50 on 2 decimals: 2.00 lower?") << 200 << 2 << 150 << 4 << 0 << 3;
        QTest::newRow("failed read") << ValoreAssente << 0 << 0 << 1 << -1 << 3;
        // A bit is read and its threshold stored without decimals, whatever the device's decimals.
        QTest::newRow("coil 1 equal to threshold 1, device with 1 decimal") << 1 << 1 << 1 << 5 << 4 << 1;
        QTest::newRow("input 1 not above threshold 1, device with 2 decimals") << 1 << 2 << 1 << 3 << 0 << 2;
    }
    void led()
    {
        QFETCH(int, grezzo);
        QFETCH(int, decimali);
        QFETCH(int, soglia);
        QFETCH(int, condizione);
        QFETCH(int, funzione);
        NumeroLED = 1;
        auto& l = MappaLetturaLED[0];
        l[Nodo] = 5; l[Decimali] = std::int16_t(decimali); l[FunzioneP1] = std::int16_t(funzione); l[RegistroP1] = 40;
        l[Soglia] = std::int16_t(soglia); l[Colore] = 4; l[Condizione] = std::int16_t(condizione);
        bus->punto(funzione, 40, 5, grezzo);
        QList<std::pair<int, int>> mostrati;
        GanciAttivi().MostraLED = [&](int i, int s) { mostrati.append({i, s}); };
        ErroriLED[0] = 3;
        ciclo->LeggiLED();
        QFETCH(int, stato);
        QCOMPARE(StatiLED[0], stato);
        QCOMPARE(mostrati, (QList<std::pair<int, int>>{{0, stato}}));
        QCOMPARE(ErroriLED[0], stato == -1 ? 4 : 0);
    }

    void interruttori()
    {
        NumeroInterruttori = 2;
        auto& a = MappaLetturaInterruttori[0];  // ON and OFF feedback on one register
        a[Nodo] = 1; a[Decimali] = 0; a[FunzioneON] = 3; a[RegistroON] = 5; a[FunzioneOFF] = 3; a[RegistroOFF] = 5;
        auto& b = MappaLetturaInterruttori[1];  // OFF feedback not configured
        b[Nodo] = 2; b[Decimali] = 1; b[FunzioneON] = 3; b[RegistroON] = 6;
        bus->punto(3, 5, 1, 1);
        bus->punto(3, 6, 2, 15);
        for (int i = 0; i < 8; ++i)
            ciclo->LeggiInterruttori();
        QCOMPARE(bus->traffico.mid(0, 2), QStringList({"L3,5@1", "L3,6@2"}));
        QCOMPARE(bus->traffico.size(), 16);
        QCOMPARE(ValoriInterruttori[0][0], 1.0f);
        QCOMPARE(ValoriInterruttori[0][1], 1.0f);
        QCOMPARE(ValoriInterruttori[1][0], 1.5f);
        QCOMPARE(ValoriInterruttori[1][1], float(ValoreAssente));
        QCOMPARE(ErroriInterruttore[1], 1);
        QVERIFY(allarmiI.isEmpty());
    }

    // Master zone 1 and slave zone 2 with all five values writable (registers 200..204) and
    // different from each other: only the values chosen for alignment are written. The row's
    // master and slave values and write codes are those of SP; the other four are registers.
    void allineamento_data()
    {
        QTest::addColumn<float>("master");
        QTest::addColumn<float>("slave");
        QTest::addColumn<int>("funzioneMaster");
        QTest::addColumn<int>("funzioneSlave");
        QTest::addColumn<int>("decimaliSlave");
        QTest::addColumn<QString>("allineati");  // values chosen, e.g. "PV AL2"
        QTest::addColumn<QStringList>("traffico");
        QTest::addColumn<float>("slaveDopo");
        QTest::newRow("SP 21.5 to 1 decimal") << 21.5f << 20.0f << 6 << 6 << 1 << "SP" << QStringList{"S6,201=215@2"} << 21.5f;
        QTest::newRow("SP 21.5 to 0 decimals") << 21.5f << 20.0f << 6 << 6 << 0 << "SP" << QStringList{"S6,201=21@2"} << 21.5f;
        QTest::newRow("codes differ") << 21.5f << 20.0f << 6 << 5 << 1 << "SP" << QStringList{} << 20.0f;
        QTest::newRow("slave point not configured") << 21.5f << 20.0f << 6 << -1 << 1 << "SP" << QStringList{} << 20.0f;
        QTest::newRow("equal values") << 21.5f << 21.5f << 6 << 6 << 1 << "SP" << QStringList{} << 21.5f;
        QTest::newRow("both without value") << float(ValoreAssente) << float(ValoreAssente) << 6 << 6 << 1 << "SP" << QStringList{} << float(ValoreAssente);
        QTest::newRow("master without value") << float(ValoreAssente) << 20.0f << 6 << 6 << 1 << "SP" << QStringList{} << 20.0f;
        QTest::newRow("master too large for 16 bits") << 4000.0f << 20.0f << 6 << 6 << 1 << "SP" << QStringList{} << 20.0f;
        QTest::newRow("coil ON") << 1.0f << 0.0f << 5 << 5 << 0 << "SP" << QStringList{"S5,201=65280@2"} << 1.0f;
        QTest::newRow("coil OFF") << 0.0f << 1.0f << 5 << 5 << 0 << "SP" << QStringList{"S5,201=0@2"} << 0.0f;
        QTest::newRow("coil master neither 0 nor 1") << 2.0f << 0.0f << 5 << 5 << 0 << "SP" << QStringList{} << 0.0f;
        QTest::newRow("PV and AL2 chosen: SP and the alarms left alone") << 21.5f << 20.0f << 6 << 6 << 1 << "PV AL2"
                                                                         << QStringList{"S6,200=190@2", "S6,203=310@2"} << 20.0f;
        QTest::newRow("none chosen") << 21.5f << 20.0f << 6 << 6 << 1 << "" << QStringList{} << 20.0f;
        QTest::newRow("all five chosen, in order") << 21.5f << 20.0f << 6 << 6 << 1 << "PV SP AL1 AL2 AL3"
                                                   << QStringList{"S6,200=190@2", "S6,201=215@2", "S6,202=300@2", "S6,203=310@2", "S6,204=320@2"} << 21.5f;
    }
    void allineamento()
    {
        QFETCH(float, master);
        QFETCH(float, slave);
        QFETCH(int, funzioneMaster);
        QFETCH(int, funzioneSlave);
        QFETCH(int, decimaliSlave);
        QFETCH(QString, allineati);
        const QStringList nomi{"PV", "SP", "AL1", "AL2", "AL3"};
        const QStringList scelti = allineati.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const ValoriZona valoriMaster{19.0f, master, 30.0f, 31.0f, 32.0f};
        const ValoriZona valoriSlave{18.0f, slave, 25.0f, 26.0f, 27.0f};
        auto& m = MappaScritturaZone[0];
        auto& s = MappaScritturaZone[1];
        m[Nodo] = 1; m[Decimali] = 1;
        s[Nodo] = 2; s[Decimali] = std::int16_t(decimaliSlave);
        for (int k = 0; k < NumeroValoriZona; ++k) {
            ValoreAllineato[k] = scelti.contains(nomi[k]);
            m[CampoFunzioneValore(k)] = std::int16_t(k == 1 ? funzioneMaster : 6);
            s[CampoFunzioneValore(k)] = std::int16_t(k == 1 ? funzioneSlave : 6);
            m[CampoRegistroValore(k)] = s[CampoRegistroValore(k)] = std::int16_t(200 + k);
        }
        ValoriZone[0] = valoriMaster;
        ValoriZone[1] = valoriSlave;
        ErroriZona[1] = 4;
        ciclo->AllineaMaster(1);
        QTEST(bus->traffico, "traffico");
        QTEST(ValoriZone[1][1], "slaveDopo");
        for (int k : {0, 2, 3, 4})  // a value not chosen keeps what the slave read
            QCOMPARE(ValoriZone[1][k], ValoreAllineato[k] ? valoriMaster[k] : valoriSlave[k]);
        QFETCH(QStringList, traffico);
        QCOMPARE(ErroriZona[1], traffico.isEmpty() ? 4 : 0);
    }

    void allineamentoEcoRifiutata()
    {
        ValoreAllineato[0] = true;
        MappaScritturaZone[0][Nodo] = 1; MappaScritturaZone[0][FunzionePV] = 5; MappaScritturaZone[0][RegistroPV] = 3;
        MappaScritturaZone[1] = MappaScritturaZone[0];
        MappaScritturaZone[1][Nodo] = 2;
        ValoriZone[0][0] = 1.0f;
        ValoriZone[1][0] = 0.0f;
        bus->eco = [](int, int, long v, int) { return v; };  // 65280 back: only a simulation says that
        ciclo->AllineaMaster(1);
        QCOMPARE(ErroriZona[1], 1);
        QCOMPARE(ValoriZone[1][0], 0.0f);
        MBus::ComunicazioneReale = false;
        ciclo->AllineaMaster(1);
        QCOMPARE(ErroriZona[1], 0);
        QCOMPARE(ValoriZone[1][0], 1.0f);
    }

    // A Stop asked while a slave's alignment or a chrono write is under way: no value write starts
    // after it; a device found or put in remote is handed back with one write of its bit,
    // whatever its value write gave (in keep-remote mode it stays remote); a device whose remote
    // step got no answer gets nothing more.
    void sequenzaDopoUnTaglio_data()
    {
        QTest::addColumn<bool>("crono");
        QTest::addColumn<QString>("taglioA");
        QTest::addColumn<QString>("mutoDa");
        QTest::addColumn<bool>("rifiutato");   // the value write is answered with no echo of it
        QTest::addColumn<bool>("mantieni");    // keep-remote mode
        QTest::addColumn<QStringList>("traffico");
        const QString stato = "L1,60@7", remoto = "S5,60=65280@7", locale = "S5,60=0@7";
        for (bool crono : {false, true}) {
            const QString valore = crono ? "S6,201=225@7" : "S6,201=215@7";
            const QByteArray nome = crono ? "chrono: " : "alignment: ";
            QTest::newRow(nome + "cut at the remote state read, device silent")
                << crono << stato << stato << false << false << QStringList{stato};
            QTest::newRow(nome + "cut at the remote state read, answered: no remote write")
                << crono << stato << QString() << false << false << QStringList{stato};
            QTest::newRow(nome + "cut at the remote write: handed back, no value")
                << crono << remoto << QString() << false << false << QStringList{stato, remoto, locale};
            QTest::newRow(nome + "cut at the value write: it ends, then handed back")
                << crono << valore << QString() << false << false << QStringList{stato, remoto, valore, locale};
            QTest::newRow(nome + "cut at the value write, value refused: handed back")
                << crono << valore << QString() << true << false << QStringList{stato, remoto, valore, locale};
            QTest::newRow(nome + "cut at the value write, device silent from it: handed back")
                << crono << valore << valore << false << false << QStringList{stato, remoto, valore, locale};
            QTest::newRow(nome + "cut at the value write, keep-remote mode: stays remote")
                << crono << valore << QString() << true << true << QStringList{stato, remoto, valore};
        }
    }
    void sequenzaDopoUnTaglio()
    {
        QFETCH(bool, crono);
        QFETCH(QString, taglioA);
        QFETCH(QString, mutoDa);
        QFETCH(bool, rifiutato);
        QFETCH(bool, mantieni);
        ModoRemoto = mantieni;
        NumeroZone = 2;
        ConfiguraZona(0, 1, 1);
        ConfiguraZona(1, 7, 1);
        MappaLetturaZone[1][FunzioneREM] = 1;
        MappaLetturaZone[1][RegistroREM] = 60;
        MappaScritturaZone[1][FunzioneREM] = 5;
        MappaScritturaZone[1][RegistroREM] = 60;
        for (int k = 0; k < NumeroValoriZona; ++k) {
            bus->punto(3, 100 + k, 1, k == 1 ? 215 : 190);
            bus->punto(3, 100 + k, 7, k == 1 ? 200 : 190);
        }
        bus->punto(1, 60, 7, 0);  // in local
        if (crono) {
            CronotermostatoAbilitato = true;
            CronoAttivoZona[1] = true;
            IndiceCrono = 1;
            TabellaCrono[32][1][2] = 22.5f;
        } else {
            MasterSlaveAbilitato = true;
            ZonaSlave[1] = true;
            ValoreAllineato[1] = true;
        }
        bool muto = false;
        bus->eco = [&](int funzione, int, long v, int) {
            if (muto || (rifiutato && funzione == 6))
                return long(ValoreAssente);
            return v == 65280 ? -256L : v;
        };
        bus->durante = [&] {
            const QString ultima = bus->traffico.last();
            if (ultima == mutoDa) {
                muto = true;
                bus->punti.clear();
            }
            if (ultima == QLatin1String("S5,60=65280@7") && !muto)
                bus->punto(1, 60, 7, 1);
            if (ultima == taglioA)  // a Stop, waiting for the line
                Acquisizione::EseguiQuandoLibero([]() -> QCoro::Task<> { co_return; }, true);
        };
        InTurno([this]() -> QCoro::Task<> { co_await ciclo->LeggiZone(); });
        QTRY_VERIFY(BusLibero());
        const QStringList dopo = bus->traffico.mid(bus->traffico.indexOf(QStringLiteral("L1,60@7")));
        QTEST(dopo, "traffico");
    }

    void cronotermostato_data()
    {
        QTest::addColumn<QDateTime>("ora");
        QTest::addColumn<QStringList>("festivita");
        QTest::addColumn<int>("fascia");
        QTest::addColumn<int>("giorno");
        const QDate mercoledi(2026, 12, 9);
        QTest::newRow("08:14 Wednesday: slot 08:00, day 2") << QDateTime(mercoledi, QTime(8, 14, 59)) << QStringList{} << 32 << 2;
        QTest::newRow("08:15 uses 08:15") << QDateTime(mercoledi, QTime(8, 15)) << QStringList{} << 33 << 2;
        QTest::newRow("23:59 uses 23:45") << QDateTime(mercoledi, QTime(23, 59, 59)) << QStringList{} << 95 << 2;
        QTest::newRow("midnight: 00:00 of Thursday") << QDateTime(mercoledi.addDays(1), QTime(0, 0)) << QStringList{} << 0 << 3;
        QTest::newRow("holiday runs Sunday") << QDateTime(mercoledi, QTime(12, 0)) << QStringList{"25/12/2026", "09/12/2026"} << 48 << 6;
        QTest::newRow("holiday in another form never matches") << QDateTime(mercoledi, QTime(12, 0)) << QStringList{"9/12/2026", "09/12/26"} << 48 << 2;
        QTest::newRow("Sunday") << QDateTime(QDate(2026, 12, 13), QTime(6, 30)) << QStringList{} << 26 << 6;
    }
    void cronotermostato()
    {
        QFETCH(QDateTime, ora);
        QFETCH(int, fascia);
        QFETCH(int, giorno);
        QFETCH(QStringList, festivita);
        Crono::Festivita = festivita;
        GanciAttivi().Adesso = [ora] { return ora; };
        ConfiguraZona(4, 7, 1);
        IndiceCrono = 1;
        TabellaCrono[fascia][4][giorno] = 22.5f;
        ValoriZone[4][1] = 20.0f;
        ciclo->ApplicaCronotermostato(4);
        QCOMPARE(bus->traffico, QStringList{"S6,201=225@7"});
    }

    void valoreCrono_data()
    {
        QTest::addColumn<int>("funzione");
        QTest::addColumn<int>("decimali");
        QTest::addColumn<float>("programma");
        QTest::addColumn<float>("letto");
        QTest::addColumn<QStringList>("traffico");
        QTest::newRow("equal to the value read: no traffic") << 6 << 1 << 21.0f << 21.0f << QStringList{};
        QTest::newRow("failed read: written") << 6 << 1 << 21.0f << float(ValoreAssente) << QStringList{"S6,201=210@7"};
        QTest::newRow("20.5 with 0 decimals: 20, every pass") << 6 << 0 << 20.5f << 20.0f << QStringList{"S6,201=20@7"};
        QTest::newRow("coil, programme 1") << 5 << 0 << 1.0f << 0.0f << QStringList{"S5,201=65280@7"};
        QTest::newRow("coil, programme 0.5") << 5 << 0 << 0.5f << 1.0f << QStringList{"S5,201=0@7"};
        QTest::newRow("too large for 16 bits: never sent") << 6 << 1 << 5000.0f << 20.0f << QStringList{};
        QTest::newRow("programme without value: never sent") << 6 << 1 << float(ValoreAssente) << 20.0f << QStringList{};
        QTest::newRow("write point not configured") << -1 << 1 << 21.0f << 20.0f << QStringList{};
    }
    void valoreCrono()
    {
        QFETCH(int, funzione);
        QFETCH(int, decimali);
        QFETCH(float, programma);
        QFETCH(float, letto);
        ConfiguraZona(4, 7, decimali);
        MappaScritturaZone[4][FunzioneSP] = std::int16_t(funzione);
        IndiceCrono = 1;
        TabellaCrono[32][4][2] = programma;
        ValoriZone[4][1] = letto;
        ErroriZona[4] = 2;
        ciclo->ApplicaCronotermostato(4);
        ciclo->ApplicaCronotermostato(4);
        QFETCH(QStringList, traffico);
        QCOMPARE(bus->traffico, traffico + traffico);
        QCOMPARE(ErroriZona[4], traffico.isEmpty() ? 2 : 0);
    }

    void cronoSlaveAllineatoNonFaNulla()
    {
        ConfiguraZona(4, 7, 1);
        ZonaSlave[4] = true;
        ValoreAllineato[0] = true;
        IndiceCrono = 0;
        QStringList pannello;
        GanciAttivi().Pannello3 = [&](const QString& t) { pannello << t; };
        ciclo->ApplicaCronotermostato(4);
        QVERIFY(bus->traffico.isEmpty());
        QVERIFY(pannello.isEmpty());
    }

    // 65280 is the simulated echo of a coil ON: with real instruments it is an error, in
    // simulation it neither counts nor resets (the hand-overs, failing here, count one each).
    void cronoEcoSimulataDellaBobina_data()
    {
        QTest::addColumn<bool>("reale");
        QTest::addColumn<int>("errori");
        QTest::newRow("simulation") << false << 2;
        QTest::newRow("real instruments") << true << 3;
    }
    void cronoEcoSimulataDellaBobina()
    {
        ConfiguraZona(4, 7, 0);
        MappaScritturaZone[4][FunzionePV] = 5;
        MappaLetturaZone[4][FunzioneREM] = 1;
        MappaLetturaZone[4][RegistroREM] = 60;
        MappaScritturaZone[4][FunzioneREM] = 5;
        MappaScritturaZone[4][RegistroREM] = 60;
        TabellaCrono[32][4][2] = 1.0f;
        ValoriZone[4][0] = 0.0f;
        bus->eco = [](int, int, long v, int) { return v; };
        QFETCH(bool, reale);
        MBus::ComunicazioneReale = reale;
        ciclo->ApplicaCronotermostato(4);
        QVERIFY(bus->traffico.contains(QStringLiteral("S5,200=65280@7")));
        QTEST(ErroriZona[4], "errori");
    }

    // The exact history lines: pass time, one field per zone in its decimals, ";" after each,
    // CRLF; an unconfigured zone keeps its column; the chart gets one point per zone.
    void storico()
    {
        CartellaTemporanea cartella;
        QDir(cartella.percorso()).mkpath(QStringLiteral("Dati"));
        GraficiAbilitati = true;
        NumeroZone = 3;
        ConfiguraZona(0, 1, 1);
        ConfiguraZona(2, 3, 0);
        bus->punto(3, 100, 1, 215);
        bus->punto(3, 100, 3, -4);
        QList<std::tuple<int, QDateTime, double>> punti;
        int ridisegni = 0;
        GanciAttivi().AggiungiPunto = [&](int t, const QDateTime& d, double v) { punti.append({t, d, v}); };
        GanciAttivi().Ridisegna = [&] { ++ridisegni; };
        ciclo->LeggiZone();
        bus->punti.erase({3, 100, 1});
        ciclo->LeggiZone();
        QCOMPARE(cartella.leggi(QStringLiteral("Dati/2026_12_09.csv")),
                 QByteArray("09/12/2026 08:14:30;21,5;-99999;-4;\r\n"
                            "09/12/2026 08:14:30;-99999,0;-99999;-4;\r\n"));
        QCOMPARE(punti.size(), 6);
        QCOMPARE(punti.at(0), std::make_tuple(1, QDateTime(QDate(2026, 12, 9), QTime(8, 14, 30)), 21.5));
        QCOMPARE(ridisegni, 2);

        GraficiAbilitati = false;
        ciclo->LeggiZone();
        QCOMPARE(ridisegni, 3);
        QCOMPARE(punti.size(), 6);
        QCOMPARE(cartella.leggi(QStringLiteral("Dati/2026_12_09.csv")).count('\n'), 2);
    }

    void storicoSenzaZoneNienteRiga()
    {
        CartellaTemporanea cartella;
        QDir(cartella.percorso()).mkpath(QStringLiteral("Dati"));
        GraficiAbilitati = true;
        ciclo->LeggiZone();
        QVERIFY(QDir(cartella.percorso(QStringLiteral("Dati"))).isEmpty());
    }

    // A pass that starts before midnight and ends after it is stamped with its start and filed
    // under the day it ends in.
    void passataAMezzanotte()
    {
        CartellaTemporanea cartella;
        QDir(cartella.percorso()).mkpath(QStringLiteral("Dati"));
        GraficiAbilitati = true;
        NumeroZone = 1;
        ConfiguraZona(0, 1, 0);
        bus->punto(3, 100, 1, 7);
        QDateTime ora(QDate(2026, 12, 31), QTime(23, 59, 59));
        GanciAttivi().Adesso = [&] { return ora; };
        bus->durante = [&] { ora = ora.addSecs(2); };  // every exchange takes two seconds
        ciclo->LeggiZone();
        QCOMPARE(cartella.leggi(QStringLiteral("Dati/2027_01_01.csv")), QByteArray("31/12/2026 23:59:59;7;\r\n"));
        QVERIFY(!QFile::exists(cartella.percorso(QStringLiteral("Dati/2026_12_31.csv"))));
    }

    // A line cut short by a power failure is left alone on its own line: the next line starts
    // on a fresh one instead of being glued to it, so it reaches the reader whole.
    void storicoDopoUnaRigaTroncata()
    {
        CartellaTemporanea cartella;
        QDir(cartella.percorso()).mkpath(QStringLiteral("Dati"));
        const QString nome = QStringLiteral("Dati/2026_01_02.csv");
        QFile troncato(cartella.percorso(nome));
        QVERIFY(troncato.open(QIODevice::WriteOnly));
        troncato.write("02/01/2026 10:00:00;1;\r\n02/01/2026 10:01:00;2");
        troncato.close();
        File_Ini::ScriviStorico(QStringLiteral("02/01/2026 10:02:00;3;"), QDate(2026, 1, 2));
        File_Ini::ScriviStorico(QStringLiteral("02/01/2026 10:03:00;4;"), QDate(2026, 1, 2));
        QCOMPARE(cartella.leggi(nome), QByteArray("02/01/2026 10:00:00;1;\r\n02/01/2026 10:01:00;2\r\n"
                                                  "02/01/2026 10:02:00;3;\r\n02/01/2026 10:03:00;4;\r\n"));
    }

    void storicoSenzaCartellaPerdeSoloLaRiga()
    {
        CartellaTemporanea cartella;
        // A file where the folder should be: the folder cannot be made.
        cartella.scrivi(QStringLiteral("Dati"), QByteArray());
        File_Ini::ScriviStorico(QStringLiteral("x;"), QDate(2026, 1, 2));
        QVERIFY(!QFile::exists(cartella.percorso(QStringLiteral("Dati/2026_01_02.csv"))));
    }
};

QTEST_GUILESS_MAIN(TestPassate)
#include "tst_passate.moc"
