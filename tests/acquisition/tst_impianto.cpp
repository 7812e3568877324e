// The cycle end to end against a real Modbus RTU slave (libmodbus) on a socat pty pair, the
// station's port linked as COM1 of a temporary program folder. A pty ignores baud rate and
// parity: this proves the behaviour of the cycle on a real link, not the wire timing.
#include "caselle.h"
#include "cartellatemporanea.h"
#include "ciclo.h"
#include "comandi.h"
#include "mbus.h"
#include "modello.h"
#include "codabus.h"
#include "portaseriale.h"
#include "slavemodbus.h"

#include <QCoro/QCoroTask>
#include <QTest>

#include <functional>
#include <memory>

using namespace Generale;

namespace {

// The station's own port, with every request it sends written down as "node:code,address" (and
// "=value" for a write) before it leaves.
class PortaAscoltata final : public MBus::Porta {
public:
    std::function<void(const QString& richiesta)> inviata;

    bool ImpostaCommPort(int porta) override { return MBus::P_Seriale().ImpostaCommPort(porta); }
    bool Apri() override { return MBus::P_Seriale().Apri(); }
    void Chiudi() override { MBus::P_Seriale().Chiudi(); }
    qint64 InBufferCount() override { return MBus::P_Seriale().InBufferCount(); }
    QByteArray Input() override { return MBus::P_Seriale().Input(); }
    void SvuotaIngresso() override { MBus::P_Seriale().SvuotaIngresso(); }
    bool Output(const QByteArray& t) override
    {
        if (inviata && t.size() >= 6) {
            const int funzione = std::uint8_t(t[1]);
            QString r = QStringLiteral("%1:%2,%3").arg(std::uint8_t(t[0])).arg(funzione).arg(std::uint8_t(t[2]) << 8 | std::uint8_t(t[3]));
            if (funzione == 5 || funzione == 6)
                r += QStringLiteral("=%1").arg(std::uint8_t(t[4]) << 8 | std::uint8_t(t[5]));
            inviata(r);
        }
        return MBus::P_Seriale().Output(t);
    }
    QCoro::Task<bool> AttendiDati(std::int64_t us) override { return MBus::P_Seriale().AttendiDati(us); }
    int Baud() const override { return MBus::P_Seriale().Baud(); }
    int BitPerCarattere() const override { return MBus::P_Seriale().BitPerCarattere(); }
};

// A slow instrument carries out a write and answers it this long after the request, and so
// every request while its remote bit is on: 50 ms after the station's time-out (AttesaRisposta
// 0.3 s), well before the station's next request, which waits a whole time-out of quiet after a
// failure. A pty ignores baud rate and parity: these are the slave's hold and the station's
// wait, not the wire's timing.
constexpr int RispostaLenta = 350;

}  // namespace

class TestImpianto : public QObject {
    Q_OBJECT

    std::unique_ptr<CartellaTemporanea> cartella;
    std::unique_ptr<SlaveModbus> slave;

private slots:
    void initTestCase()
    {
        cartella = std::make_unique<CartellaTemporanea>();
        slave = std::make_unique<SlaveModbus>(cartella->percorso(QStringLiteral("COM1")));
        QVERIFY2(slave->pronto(), qPrintable(slave->errore()));
        slave->aggiungiNodo(1);
        slave->aggiungiNodo(2);
        QVERIFY(MBus::ImpostaSeriale(1, QStringLiteral("9600,N,8,1")));
    }
    void cleanup()
    {
        if (slave)
            slave->impostaLento(2, 60, 0);
    }
    void cleanupTestCase()
    {
        slave.reset();
        cartella.reset();
    }

    // Zone 1 (node 1, one decimal: PV 21.5, SP 20.0), zone 2 (node 2, PV an input register,
    // no decimals), a switch on node 2; every tick reads zones and switches.
    void passateConSlaveFermatoERiavviato()
    {
        AzzeraModello();
        MBus::ComunicazioneReale = true;
        MBus::AttesaRisposta = 0.2f;
        MBus::NumeroTentativi = 1;
        QDir(cartella->percorso()).mkpath(QStringLiteral("Dati"));
        GraficiAbilitati = true;
        AcquisizioneAttiva = true;
        BaseMisura = 1;
        BaseRemoto = BaseLED = 301;
        NumeroZone = 2;
        NumeroInterruttori = 1;
        auto& z0 = MappaLetturaZone[0];
        z0[Nodo] = 1; z0[Decimali] = 1; z0[FunzionePV] = 3; z0[RegistroPV] = 100; z0[FunzioneSP] = 3; z0[RegistroSP] = 101;
        auto& z1 = MappaLetturaZone[1];
        z1[Nodo] = 2; z1[Decimali] = 0; z1[FunzionePV] = 4; z1[RegistroPV] = 7;
        auto& s0 = MappaLetturaInterruttori[0];
        s0[Nodo] = 2; s0[Decimali] = 0; s0[FunzioneON] = 1; s0[RegistroON] = 20; s0[FunzioneOFF] = 1; s0[RegistroOFF] = 20;
        slave->impostaRegistro(1, 100, 215);
        slave->impostaRegistro(1, 101, 200);
        slave->impostaRegistroIngresso(2, 7, std::uint16_t(-3));
        slave->impostaBobina(2, 20, true);
        QStringList allarmi;
        Acquisizione::GanciAttivi().VoceAllarmeZona = [&](const QString& v) { allarmi << v; };
        QDateTime ora(QDate(2026, 12, 9), QTime(10, 0, 0));
        Acquisizione::GanciAttivi().Adesso = [&] { return ora; };

        CicloAcquisizione ciclo;
        int riarmati = 0;
        auto tick = [&] {
            QCoro::waitFor(ciclo.Timer_Monitor_Timer());
            // ticks are driven here, one at a time: the timer only has to be re-armed
            riarmati += ciclo.Timer_Monitor.isActive();
            ciclo.Timer_Monitor.stop();
            ora = ora.addSecs(1);
        };
        tick();
        slave->impostaRegistro(1, 100, 216);
        tick();
        QCOMPARE(ValoriInterruttori[0][0], 1.0f);
        slave->ferma();
        tick();
        tick();
        QVERIFY(AllarmeZona[0]);
        QVERIFY(AllarmeZona[1]);
        QCOMPARE(allarmi.size(), 2);
        QCOMPARE(ValoriInterruttori[0][0], float(ValoreAssente));
        QCOMPARE(riarmati, 4);  // the cycle goes on
        QVERIFY(slave->avvia());
        slave->impostaRegistro(1, 100, 199);
        tick();
        QCOMPARE(ValoriZone[0][1], 20.0f);
        QCOMPARE(ErroriZona[0], 3);  // three values not configured
        QVERIFY(AllarmeZona[0]);     // the latch stays until the operator's reset

        QCOMPARE(cartella->leggi(QStringLiteral("Dati/2026_12_09.csv")),
                 QByteArray("09/12/2026 10:00:00;21,5;-3;\r\n"
                            "09/12/2026 10:00:01;21,6;-3;\r\n"
                            "09/12/2026 10:00:02;-99999,0;-99999;\r\n"
                            "09/12/2026 10:00:03;-99999,0;-99999;\r\n"
                            "09/12/2026 10:00:04;19,9;-3;\r\n"));
    }

    // A Stop that lands while a slave's alignment or a chrono write is under way, or while the
    // hand-over to local reads a device's remote bit: a device left in remote is handed back
    // before the pass ends (in keep-remote mode it stays), so its front panel is not locked
    // after the Stop. The slave refuses the value (its register is outside the instrument's
    // map: an exception reply, every try), and the Stop comes at the value write's first try.
    // A slow instrument carries out the door's or the chrono's write of its remote bit but
    // answers too late, and from then on every request too late: it is in remote all the same,
    // and after the Stop's work it must be in local, whether the Stop comes after the command or
    // while the write awaits its reply. `dopo` is what went out from the Stop's request on: for a
    // slow instrument the exchange under way, then nothing but its hand-backs.
    void stopLasciaLoStrumentoInLocale_data()
    {
        QTest::addColumn<QString>("lavoro");
        QTest::addColumn<bool>("mantieni");  // keep-remote mode
        QTest::addColumn<bool>("lento");     // node 2 is a slow instrument
        QTest::addColumn<QString>("taglioA");  // empty: the Stop comes once the work has ended
        QTest::addColumn<QStringList>("dopo");
        QTest::addColumn<bool>("inRemoto");
        const QString valore = "2:6,1500=215", crono = "2:6,1500=225", locale = "2:5,60=0", remoto = "2:5,60=65280";
        QTest::newRow("alignment: value refused, Stop during its tries: handed back")
            << "allineamento" << false << false << valore << QStringList{valore, valore, valore, locale} << false;
        QTest::newRow("chrono: value refused, Stop during its tries: handed back")
            << "crono" << false << false << crono << QStringList{crono, crono, crono, locale} << false;
        QTest::newRow("alignment, keep-remote mode: it stays remote")
            << "allineamento" << true << false << valore << QStringList{valore, valore, valore} << true;
        QTest::newRow("hand-over to local: Stop during the state read of a device in remote")
            << "locale" << false << false << "2:1,60" << QStringList{"2:1,60", locale} << false;
        QTest::newRow("slow instrument, door click, then Stop: handed back")
            << "apriporta" << false << true << QString() << QStringList{} << false;
        QTest::newRow("slow instrument, chrono, then Stop: handed back")
            << "crono" << false << true << QString() << QStringList{} << false;
        QTest::newRow("slow instrument, chrono, Stop while its remote write awaits the reply: handed back")
            << "crono" << false << true << remoto << QStringList{remoto} << false;
    }
    void stopLasciaLoStrumentoInLocale()
    {
        QFETCH(QString, lavoro);
        QFETCH(bool, mantieni);
        QFETCH(bool, lento);
        QFETCH(QString, taglioA);
        AzzeraModello();  // no hook set: the door's warning box does not hold the work
        MBus::ComunicazioneReale = true;
        MBus::AttesaRisposta = lento ? 0.3f : 0.2f;
        MBus::NumeroTentativi = lento ? 1 : 3;  // one late try is enough, and keeps the test short
        ModoRemoto = mantieni;
        NumeroZone = 2;
        for (int z : {0, 1}) {
            auto& l = MappaLetturaZone[z];
            auto& s = MappaScritturaZone[z];
            l[Nodo] = s[Nodo] = std::int16_t(z + 1);
            l[Decimali] = s[Decimali] = 1;
            l[FunzioneSP] = 3; l[RegistroSP] = 101;
            s[FunzioneSP] = 6; s[RegistroSP] = z == 0 ? 101 : 1500;  // beyond the slave's registers
        }
        auto& l1 = MappaLetturaZone[1];
        auto& s1 = MappaScritturaZone[1];
        l1[FunzioneREM] = 1; l1[RegistroREM] = 60;
        s1[FunzioneREM] = 5; s1[RegistroREM] = 60;
        slave->impostaRegistro(1, 101, 215);
        slave->impostaRegistro(2, 101, 200);
        slave->impostaBobina(2, 60, lavoro == QLatin1String("locale"));
        slave->impostaLento(2, 60, lento ? RispostaLenta : 0);
        if (lavoro == QLatin1String("allineamento")) {
            MasterSlaveAbilitato = ZonaSlave[1] = ValoreAllineato[1] = true;
        } else if (lavoro == QLatin1String("crono")) {
            CronotermostatoAbilitato = CronoAttivoZona[1] = true;
            IndiceCrono = 1;
            TabellaCrono[32][1][2] = 22.5f;  // Wednesday 08:14, the model's clock
        } else if (lavoro == QLatin1String("apriporta")) {
            // The door opener on node 2: remote bit coil 60, its output coil 70 pulsed ON and OFF.
            ApriportaPresente = 1;
            auto& l = MappaLetturaApriporta[0];
            auto& s = MappaScritturaApriporta[0];
            l[Nodo] = s[Nodo] = 2;
            l[FunzioneREM] = 1; l[RegistroREM] = 60;
            s[FunzioneREM] = 5; s[RegistroREM] = 60;
            s[FunzioneON] = s[FunzioneOFF] = 5;
            s[RegistroON] = s[RegistroOFF] = 70;
            s[ValoreON] = 1; s[ValoreOFF] = 0;
            slave->impostaBobina(2, 70, false);
        }

        PortaAscoltata porta;
        MBus::ImpostaPorta(&porta);
        QStringList inviate;  // since the Stop was asked for
        bool fermato = false;
        porta.inviata = [&](const QString& richiesta) {
            if (richiesta == taglioA && !fermato) {  // the Stop, waiting for the line
                fermato = true;
                Acquisizione::EseguiQuandoLibero(&Acquisizione::LavoroDelloStop, true);
            }
            if (fermato)
                inviate << richiesta;
        };
        CicloAcquisizione ciclo;
        if (lavoro == QLatin1String("locale")) {
            AcquisizioneAttiva = true;
            BaseRemoto = 1;
            BaseMisura = BaseLED = 301;
            QCoro::waitFor(ciclo.Timer_Monitor_Timer());
        } else if (lavoro == QLatin1String("apriporta")) {
            Acquisizione::EseguiQuandoLibero(&AzionaApriporta);  // the click on the plant picture, acquisition off
        } else {
            QCoro::waitFor([&]() -> QCoro::Task<> {
                const Acquisizione::Turno turno = co_await Acquisizione::PrendiTurno();
                co_await ciclo.LeggiZone();
            }());
        }
        QVERIFY(QTest::qWaitFor([] { return !Acquisizione::LavoroInCorso(); }, 30000));
        if (!fermato) {
            fermato = true;
            Acquisizione::EseguiQuandoLibero(&Acquisizione::LavoroDelloStop, true);
            QVERIFY(QTest::qWaitFor([] { return !Acquisizione::LavoroInCorso(); }, 30000));
        }
        // A slow instrument carries out its last write after the station has stopped waiting
        // for it (a whole time-out after it left, so by now the slave has it).
        QVERIFY(QTest::qWaitFor([&] { return !slave->trattiene(); }, 5000));
        MBus::ImpostaPorta(nullptr);
        ciclo.Timer_Monitor.stop();
        AcquisizioneAttiva = false;
        QTEST(slave->bobina(2, 60), "inRemoto");
        QFETCH(QStringList, dopo);
        if (!lento) {
            QCOMPARE(inviate, dopo);
            return;
        }
        // How often a slow instrument is read or written back is the link's choice; what goes
        // after the exchange under way is a hand-back of its remote bit, never a value or the door.
        QCOMPARE(inviate.mid(0, dopo.size()), dopo);
        for (const QString& richiesta : inviate.mid(dopo.size()))
            QVERIFY2(richiesta == QLatin1String("2:5,60=0") || richiesta == QLatin1String("2:1,60"), qPrintable(inviate.join(' ')));
    }
};

QTEST_GUILESS_MAIN(TestImpianto)
#include "tst_impianto.moc"
