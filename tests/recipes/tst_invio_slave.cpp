// A recipe sent end to end to a real Modbus RTU slave (libmodbus) on a socat pty pair, the
// station's port linked as COM1 of a temporary program folder: registers and coils are written
// in the recipe's order and the progress reaches 100%. A pty ignores baud rate and parity.
#include "cartellatemporanea.h"
#include "dialoghifinti.h"
#include "file_ini.h"
#include "mbus.h"
#include "modello.h"
#include "slavemodbus.h"
#include "stagione.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QtTest>

using namespace Generale;

class TestInvioSlave : public QObject {
    Q_OBJECT

    // The station on the slave's line (COM1 of the program folder), `zone` zones on nodes 1, 2, ...
    static void prepara(int zone)
    {
        QVERIFY(MBus::ImpostaSeriale(1, QStringLiteral("9600,N,8,1")));
        AzzeraModello();
        MBus::ComunicazioneReale = true;
        MBus::AttesaRisposta = 0.3f;
        FileImpostazioni = QStringLiteral("Quelvar1.ini");
        NumeroZone = zone;
        for (int z = 0; z < zone; ++z)
            ConfiguraZona(z, z + 1, 0);
    }

private slots:
    void ricettaScrittaSulloSlave()
    {
        CartellaTemporanea cartella;
        SlaveModbus slave(cartella.percorso(QStringLiteral("COM1")));
        QVERIFY2(slave.pronto(), qPrintable(slave.errore()));
        slave.aggiungiNodo(1);
        slave.aggiungiNodo(2);
        slave.impostaBobina(2, 8, true);
        prepara(2);
        cartella.scrivi(QStringLiteral("Ricetta/inverno.prg"),
                        "[File]\r\nID = Quelvar\r\n[Zona 01]\r\nLinee = 3\r\n1=6,100,215;SP\r\n2=5,7,1;Uscita\r\n"
                        "3=6,101,40000;Grande\r\n[Zona 02]\r\nLinee=1\r\n1=5,8,0;Spento\r\n");
        cartella.scrivi(FileImpostazioni, "[Stagione]\r\nInverno=inverno.prg\r\n");

        DialoghiFinti dialoghi;
        Stagione s;
        QList<int> pause;
        s.Pausa = [&](int ms) { pause << ms; };
        s.Cmd_Stagione_Click(1);
        QCOMPARE(s.Lst_Dev->count(), 4);
        dialoghi.risposte.clear();
        for (auto r : {Piattaforma::RispostaDialogo::Si})
            dialoghi.risposte.enqueue(r);
        QStringList avanzamento;
        s.Pausa = [&](int ms) {
            pause << ms;
            avanzamento << s.Lab_Avanzamento->text();
        };
        s.Cmd_Invio_Stagione_Click();

        QTRY_COMPARE(dialoghi.mostrati.last().testo, QStringLiteral("Il cambio delle impostazioni è stato completato correttamente."));
        QCOMPARE(slave.registro(1, 100), std::uint16_t(215));
        QVERIFY(slave.bobina(1, 7));
        QCOMPARE(slave.registro(1, 101), std::uint16_t(40000));
        QVERIFY(!slave.bobina(2, 8));
        QCOMPARE(avanzamento, (QStringList{"20%", "40%", "60%", "80%", "100%"}));
        QCOMPARE(pause, (QList<int>{200, 200, 200, 200, 200}));
        QCOMPARE(File_Ini::LeggiIni(QStringLiteral("Stagione"), QStringLiteral("Attuale"), QString()), QStringLiteral("1"));

        // The slave switched off: the first write fails and nothing after it is sent.
        slave.ferma();
        const int richieste = slave.richieste();
        dialoghi.risposte.clear();
        for (auto r : {Piattaforma::RispostaDialogo::Si})
            dialoghi.risposte.enqueue(r);
        pause.clear();
        s.Cmd_Invio_Stagione_Click();
        QTRY_VERIFY(dialoghi.mostrati.last().testo.startsWith(QStringLiteral("Attenzione: ")));
        QCOMPARE(slave.richieste(), richieste);
        QVERIFY(pause.isEmpty());
        QCOMPARE(File_Ini::LeggiIni(QStringLiteral("Stagione"), QStringLiteral("Attuale"), QString()), QStringLiteral("1"));
    }

    // Without a stand-in the pauses are real: each write is followed by its zone's interval, a
    // SLEEP row waits its time, and the windows are served meanwhile.
    void pauseVere()
    {
        CartellaTemporanea cartella;
        SlaveModbus slave(cartella.percorso(QStringLiteral("COM1")));
        QVERIFY2(slave.pronto(), qPrintable(slave.errore()));
        slave.aggiungiNodo(1);
        prepara(1);
        cartella.scrivi(QStringLiteral("Ricetta/estate.prg"),
                        "[File]\r\nID = Quelvar\r\n[Zona 01]\r\nIntervallo = 120\r\nLinee = 3\r\n1=6,100,7;A\r\n"
                        "2=0,SLEEP,150;Attesa\r\n3=6,101,8;B\r\n");
        cartella.scrivi(FileImpostazioni, "[Stagione]\r\nEstate=estate.prg\r\n");
        DialoghiFinti dialoghi;
        Stagione s;
        s.Cmd_Stagione_Click(0);
        QCOMPARE(s.Lst_Dev->count(), 3);
        dialoghi.risposte.enqueue(Piattaforma::RispostaDialogo::Si);
        int giri = 0;
        QTimer battito;
        connect(&battito, &QTimer::timeout, this, [&] { ++giri; });
        battito.start(10);
        QElapsedTimer tempo;
        tempo.start();
        s.Cmd_Invio_Stagione_Click();
        QTRY_COMPARE(dialoghi.mostrati.last().testo, QStringLiteral("Il cambio delle impostazioni è stato completato correttamente."));
        // 120 + 150 + 120 + the last 200 ms
        QVERIFY2(tempo.elapsed() >= 590, qPrintable(QString::number(tempo.elapsed())));
        QVERIFY(giri >= 10);
        QCOMPARE(slave.registro(1, 100), std::uint16_t(7));
        QCOMPARE(slave.registro(1, 101), std::uint16_t(8));
        MBus::ComunicazioneReale = false;
    }
};

QTEST_MAIN(TestInvioSlave)
#include "tst_invio_slave.moc"
