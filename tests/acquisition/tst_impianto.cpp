// The cycle end to end against a real Modbus RTU slave (libmodbus) on a socat pty pair, the
// station's port linked as COM1 of a temporary program folder. A pty ignores baud rate and
// parity: this proves the behaviour of the cycle on a real link, not the wire timing.
#include "cartellatemporanea.h"
#include "ciclo.h"
#include "mbus.h"
#include "modello.h"
#include "slavemodbus.h"

#include <QCoro/QCoroTask>
#include <QTest>

#include <memory>

using namespace Generale;

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
};

QTEST_GUILESS_MAIN(TestImpianto)
#include "tst_impianto.moc"
