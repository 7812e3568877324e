// A new user's first plant. From an empty program folder the administrator logs in, opens the
// settings window from the main menu and, through its page menus and pages alone, configures two
// zones, one switch, one LED and the door opener, typing keys as an operator types them; then
// acquisition starts against a real Modbus RTU slave (libmodbus on a socat pty pair linked as
// COM1) and the values read, the LED state and the opener's writes show what was configured.
// A pty ignores baud rate and parity: this proves the configuration, not the wire timing.
#include "turnotenuto.h"
#include "cartellatemporanea.h"
#include "casellavalore.h"
#include "ciclo.h"
#include "comunicazioni.h"
#include "dialoghifinti.h"
#include "finestre.h"
#include "frmlogin.h"
#include "generale.h"
#include "mainform.h"
#include "mbus.h"
#include "pagina_apriporta.h"
#include "pagina_interruttori.h"
#include "pagina_led.h"
#include "pagina_rs232.h"
#include "pagina_zone.h"
#include "registro.h"
#include "sinottico.h"
#include "slavemodbus.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <utility>

using namespace Generale;

class TestImpiantoNuovo : public QObject {
    Q_OBJECT
private slots:
    void daCartellaVuotaAiValori();
    void dovutoDopoCambioPorta_data();
    void dovutoDopoCambioPorta();
    void portaDuranteLaCaduta_data();
    void portaDuranteLaCaduta();
};

namespace {

void digita(QWidget* w, const char* testo) { QTest::keyClicks(w, QString::fromUtf8(testo)); }

// The box's text typed and confirmed with Enter, as an operator moves through the grid.
void digitaEInvio(QWidget* w, const char* testo)
{
    digita(w, testo);
    QTest::keyClick(w, Qt::Key_Return);
}

// The station's windows started on the program folder, the administrator logged in.
void avviaComeAmministratore(Finestre& f)
{
    f.Carica();
    f.mainForm->resize(1100, 800);
    f.mainForm->show();
    f.mainForm->MenuLogin->trigger();
    f.login->txtUserName->setText(QStringLiteral("Admin"));
    f.login->txtPassword->setText(QStringLiteral("Xq7"));
    f.login->cmdOK->click();
}

// The key lines of one section of a settings file, in file order.
QStringList sezione(const QByteArray& file, const char* nome)
{
    QStringList righe;
    bool dentro = false;
    for (const QByteArray& riga : file.split('\n')) {
        const QString r = QString::fromLatin1(riga).trimmed();
        if (r.startsWith(QLatin1Char('[')))
            dentro = r == QLatin1Char('[') + QLatin1String(nome) + QLatin1Char(']');
        else if (dentro && !r.isEmpty())
            righe << r;
    }
    return righe;
}

// The log lines about the serial port written since the last call.
QStringList righePorta()
{
    QStringList r;
    for (const QString& riga : std::exchange(Registro::tutte(), {}))
        if (riga.startsWith(QStringLiteral("Porta seriale ")))
            r << riga;
    return r;
}

}  // namespace

void TestImpiantoNuovo::daCartellaVuotaAiValori()
{
    CartellaTemporanea cartella;
    SlaveModbus slave(cartella.percorso(QStringLiteral("COM1")));
    QVERIFY2(slave.pronto(), qPrintable(slave.errore()));
    for (int nodo : {1, 2, 3, 4, 5})
        slave.aggiungiNodo(nodo);
    DialoghiFinti dialoghi;
    UtenteAmministratore = UtenteTecnico = false;

    // The station starts on a folder holding nothing but its port.
    Finestre f;
    avviaComeAmministratore(f);
    QCOMPARE(FileImpostazioni, QStringLiteral("Quelvar2.ini"));
    QCOMPARE(NumeroZone, 0);
    QVERIFY(UtenteAmministratore);
    f.mainForm->MenuComunicazione->trigger();
    Comunicazioni* c = f.comunicazioni;
    QVERIFY(c->isVisible());

    // Two zones: "Forno" on node 1 (PV and SP holding registers, one decimal), "Cella" on node 2
    // (PV an input register, AL1 a coil, no decimals).
    c->MenuZone->trigger();
    PaginaZone* z = c->Pic_ZoneMB;
    QVERIFY(z->isVisible());
    QCOMPARE(z->Cmb_Zone->currentIndex(), -1);
    z->Cmb_ZoneUsate->setCurrentIndex(2);
    QCOMPARE(NumeroZone, 2);
    struct Zona {
        int nodo;
        int decimali;
        const char* nome;
        std::vector<std::pair<int, const char*>> caselle;
    };
    const Zona zone[] = {{1, 1, "Forno", {{0, "3"}, {1, "100"}, {4, "3"}, {5, "101"}}},
                         {2, 0, "Cella", {{0, "4"}, {1, "7"}, {8, "1"}, {9, "3"}}}};
    for (int k = 0; k < 2; ++k) {
        z->Cmb_Zone->setCurrentIndex(k);
        QCOMPARE(z->Cmb_Indirizzo->currentIndex(), -1);  // nothing configured yet
        z->Cmb_Indirizzo->setCurrentIndex(zone[k].nodo - 1);
        z->Cmb_Decimali->setCurrentIndex(zone[k].decimali);
        z->Txt_NomeLoop->selectAll();
        digita(z->Txt_NomeLoop, zone[k].nome);
        for (const auto& [i, testo] : zone[k].caselle)
            digita(z->Txt_ZoneMB[i], testo);
        z->Cmd_ChiudiZone[2]->click();  // save and stay
    }
    QCOMPARE(NomiZone[0], QStringLiteral("Forno"));
    QCOMPARE(NomiZone[1], QStringLiteral("Cella"));
    z->Cmd_ChiudiZone[1]->click();
    QVERIFY(z->isHidden());

    // One switch on node 3: coil 20 read and written, 1 = ON, 0 = OFF.
    c->MenuInterruttori->trigger();
    PaginaInterruttori* s = c->Pic_InterruttoriMB;
    QVERIFY(s->isVisible());
    s->Cmb_InterruttoriUsati->setCurrentIndex(1);
    s->Txt_NomeInterruttore->selectAll();
    digita(s->Txt_NomeInterruttore, "Pompa");
    s->Cmb_IndirizzoInt->setCurrentIndex(2);
    s->Cmb_DecimaliInt->setCurrentIndex(1);
    const char* const griglia[] = {"1", "20", "5", "20", "1", "1", "20", "5", "20", "0"};
    for (int i = 0; i < 10; ++i)
        digitaEInvio(s->Txt_ZoneMBInt[i], griglia[i]);
    QCOMPARE(s->Txt_ZoneMBInt[4]->text(), QStringLiteral("1"));  // a coil's value has no decimals
    s->Cmd_ChiudiInt[0]->click();
    QVERIFY(s->isHidden());

    // One LED on node 4: red while input register 7 (one decimal) is at least 21,5.
    c->MenuIndicatori->trigger();
    PaginaLED* l = c->Pic_LED;
    QVERIFY(l->isVisible());
    l->Cmb_LEDUsati->setCurrentIndex(1);
    l->Cmb_IndirizzoLED->setCurrentIndex(3);
    l->Cmb_DecimaliLED->setCurrentIndex(1);
    digita(l->Txt_ZoneMBLED[0], "4");
    digita(l->Txt_ZoneMBLED[1], "7");
    digitaEInvio(l->Txt_ZoneMBLED[2], "21,5");
    QCOMPARE(l->Txt_ZoneMBLED[2]->text(), QStringLiteral("21,5"));
    l->Cmb_DisLED->setCurrentIndex(0);
    l->Cmb_ColoreLED->setCurrentIndex(1);
    l->Cmd_ChiudiLED[0]->click();
    QVERIFY(l->isHidden());

    // The opener on node 5: holding register 30 takes 5 to open, register 31 takes 9 to close.
    c->MenuApriPorta->trigger();
    PaginaApriporta* a = c->Pic_Apriporta;
    QVERIFY(a->isVisible());
    a->Chk_UsaApriporta->click();
    QCOMPARE(ApriportaPresente, 1);
    a->Txt_NomeApriporta->selectAll();
    digita(a->Txt_NomeApriporta, "Cancello");
    a->Cmb_Indirizzo_AP->setCurrentIndex(4);
    a->Cmb_Decimali_AP->setCurrentIndex(0);
    a->Cmd_Tempo_AP->setCurrentIndex(0);
    // The decimals shown, the value boxes read 0: typed after it and confirmed, 05 becomes 5.
    for (const auto& [i, testo] : std::initializer_list<std::pair<int, const char*>>{
             {2, "6"}, {3, "30"}, {4, "5"}, {7, "6"}, {8, "31"}, {9, "9"}})
        digitaEInvio(a->Txt_ZoneMB_AP[i], testo);
    a->Cmd_Chiudi_AP->click();
    QVERIFY(a->isHidden());
    QVERIFY2(dialoghi.mostrati.isEmpty(), qPrintable(dialoghi.mostrati.value(0).testo));

    // What the pages wrote, key by key in their order.
    const QByteArray file = cartella.leggi(FileImpostazioni);
    const QStringList generale = sezione(file, "Generale");
    for (const char* conteggio : {"Zone=2", "Interruttori=1", "LED=1", "Apriporta=1"})
        QVERIFY2(generale.contains(QLatin1String(conteggio)), conteggio);
    QCOMPARE(sezione(file, "Zona 01"),
             (QStringList{"Nome=Forno", "Indirizzo=1", "Decimali=1", "PV_r=3,100", "SP_r=3,101"}));
    // Keys that already read as the page shows them (decimals 0, not a slave, no point) are left out.
    QCOMPARE(sezione(file, "Zona 02"), (QStringList{"Nome=Cella", "Indirizzo=2", "PV_r=4,7", "AL1_r=1,3"}));
    QCOMPARE(sezione(file, "Interruttore 01"),
             (QStringList{"Nome=Pompa", "Indirizzo=3", "Decimali=1", "On_r=1,20", "On_w=5,20", "Val_on=1",
                          "Off_r=1,20", "Off_w=5,20", "Val_off=0"}));
    QCOMPARE(sezione(file, "LED 01"),
             (QStringList{"Indirizzo=4", "Decimali=1", "P1_r=4,7", "Val=21,5", "Col=2"}));
    QCOMPARE(sezione(file, "Apriporta"),
             (QStringList{"Nome=Cancello", "Indirizzo=5", "Decimali=0", "Tempo=100", "On_w=6,30", "Val_on=5",
                          "Off_w=6,31", "Val_off=9"}));
    QVERIFY(PortaSerialeValida);

    // Acquisition against the instruments.
    slave.impostaRegistro(1, 100, 215);           // Forno PV 21,5
    slave.impostaRegistro(1, 101, 200);           // Forno SP 20,0
    slave.impostaRegistroIngresso(2, 7, 0xFFFD);  // Cella PV -3
    slave.impostaBobina(2, 3, true);              // Cella AL1 on
    slave.impostaBobina(3, 20, true);             // Pompa on
    slave.impostaRegistroIngresso(4, 7, 230);     // 23,0: the LED lights
    MBus::ComunicazioneReale = true;
    MBus::AttesaRisposta = 0.2f;
    f.mainForm->MenuStart->trigger();
    QTRY_VERIFY(AcquisizioneAttiva);
    f.mainForm->Timer_Monitor->stop();  // the passes below are driven one at a time
    QTRY_VERIFY(BusLibero());
    QCOMPARE(ValoriZone[0][0], 21.5f);
    QCOMPARE(ValoriZone[0][1], 20.0f);
    QCOMPARE(ValoriZone[1][0], -3.0f);
    QCOMPARE(ValoriZone[1][2], 1.0f);
    QCOMPARE(ValoriInterruttori[0][0], 1.0f);
    InTurno([&] { return f.mainForm->Ciclo->LeggiLED(); });
    QCOMPARE(ValoriLED[0], 23.0f);
    QCOMPARE(StatiLED[0], 2);
    slave.impostaRegistroIngresso(4, 7, 214);
    InTurno([&] { return f.mainForm->Ciclo->LeggiLED(); });
    QCOMPARE(StatiLED[0], 0);
    f.mainForm->MenuStop->trigger();
    QVERIFY(!AcquisizioneAttiva);
    QTRY_VERIFY(BusLibero());

    // With acquisition stopped the opener's button on the synoptic runs the pulse at once.
    f.sinottico->Cmd_Apriporta_Click(0);
    QTRY_VERIFY(BusLibero());
    QCOMPARE(slave.registro(5, 30), std::uint16_t(5));
    QCOMPARE(slave.registro(5, 31), std::uint16_t(9));
    QVERIFY2(dialoghi.mostrati.isEmpty(), qPrintable(dialoghi.mostrati.value(0).testo));
    MBus::ComunicazioneReale = false;
}

// A door command whose remote write the instrument carries out but answers too late: its
// hand-back is owed. The administrator then gives the port another number (the adapter came
// back as COM2) or another line format on the port page: the load tests the port and applies
// it, and the debt stays. The next Stop writes the hand-back on the port now in use, to the
// instrument found there in remote.
void TestImpiantoNuovo::dovutoDopoCambioPorta_data()
{
    QTest::addColumn<int>("porta");
    QTest::addColumn<QString>("formato");
    QTest::newRow("altra porta") << 2 << "9600,N,8,1";
    QTest::newRow("stessa porta, altro formato") << 1 << "19200,N,8,1";
}

void TestImpiantoNuovo::dovutoDopoCambioPorta()
{
    QFETCH(int, porta);
    QFETCH(QString, formato);
    CartellaTemporanea cartella;
    SlaveModbus com1(cartella.percorso(QStringLiteral("COM1")));
    SlaveModbus com2(cartella.percorso(QStringLiteral("COM2")));
    for (SlaveModbus* s : {&com1, &com2}) {
        QVERIFY2(s->pronto(), qPrintable(s->errore()));
        s->aggiungiNodo(5);
    }
    cartella.scrivi(QStringLiteral("Quelvar0.ini"), "[Generale]\r\nModo=1\r\n");
    cartella.scrivi(QStringLiteral("Quelvar1.ini"),
                    "[Generale]\r\nApriporta=1\r\n[COM]\r\nPorta=1\r\nFormato=9600,N,8,1\r\nRetry=1\r\nTimeOut=200\r\n"
                    "[Apriporta]\r\nIndirizzo=5\r\nTempo=100\r\nREM_r=1,60\r\nREM_w=5,60\r\nOn_w=6,30\r\nVal_on=5\r\n"
                    "Off_w=6,31\r\nVal_off=9\r\n");
    DialoghiFinti dialoghi;
    UtenteAmministratore = UtenteTecnico = false;
    Finestre f;
    avviaComeAmministratore(f);
    QVERIFY(PortaSerialeValida);
    QVERIFY(UtenteAmministratore);
    MBus::ComunicazioneReale = true;

    // Every reply comes 150 ms after the station gave up on it: the door is owed its hand-back.
    com1.impostaLento(5, 60, 350);
    f.mainForm->MenuSinottico->trigger();
    QVERIFY(f.sinottico->Cmd_Apriporta[0]->isVisible());
    QTest::mouseClick(f.sinottico->Cmd_Apriporta[0], Qt::LeftButton);
    QTRY_VERIFY(BusLibero());
    QTRY_VERIFY(!com1.trattiene());
    com1.impostaLento(5, 60, 0);
    QCOMPARE(dialoghi.mostrati.size(), 1);
    QVERIFY(dialoghi.mostrati[0].testo.startsWith(QStringLiteral("Attenzione: ")));

    // The instrument, in remote, on the port chosen now.
    SlaveModbus& strumento = porta == 1 ? com1 : com2;
    strumento.impostaBobina(5, 60, true);
    f.mainForm->MenuComunicazione->trigger();
    Comunicazioni* c = f.comunicazioni;
    c->MenuPorta->trigger();
    PaginaRS232* p = c->Pic_RS232;
    QVERIFY(p->isVisible());
    p->Cmb_RS232->setCurrentIndex(porta - 1);
    p->Cmb_ImpRS232->setCurrentIndex(p->Cmb_ImpRS232->findText(formato));
    p->Cmd_Chiudi_RS232[0]->click();
    QTRY_COMPARE(f.mainForm->Pannello(5)->text(), QStringLiteral("COM%1:%2").arg(porta).arg(formato));
    QTRY_VERIFY(BusLibero());
    QVERIFY(strumento.bobina(5, 60));  // the load itself writes nothing

    f.mainForm->MenuStop->trigger();
    QTRY_VERIFY(BusLibero());
    QVERIFY2(!strumento.bobina(5, 60), "the hand-back owed was not written on the port in use");
    QCOMPARE(dialoghi.mostrati.size(), 1);
    MBus::ComunicazioneReale = false;
}

// COM1 and COM2 are links that a bridge makes (socat here), and a bridge removes its link while
// it restarts. A settings load meanwhile (the administrator opens the port page) tests COM1 and
// fails under that name: "Nessuna COM" and one log line, never the machine's own /dev/ttyS0. Once
// the link is back, the next load takes it and Start polls it. The log names the port's device at
// the first load and when a load changes it, and says nothing when it stays the same.
// A step: "-1" COM1 removed, "+1" COM1 back, "." nothing, then the port page opened; "=n" port n
// chosen on the page and confirmed. Its result: the status bar (N "Nessuna COM", n
// "COMn:9600,N,8,1") and the log lines of the step (Dn: port n is COMn; Gn: COMn did not open, it
// does not exist).
void TestImpiantoNuovo::portaDuranteLaCaduta_data()
{
    QTest::addColumn<QStringList>("passi");
    QTest::addColumn<QStringList>("esiti");  // "status:line line ..." for each step
    QTest::newRow("ponte giu' a un caricamento, poi di nuovo su")
        << QStringList{"-1", ".", "+1", "."} << QStringList{"N:G1", "N:", "1:", "1:"};
    QTest::newRow("numero cambiato e rimesso durante la caduta")
        << QStringList{"-1", "=2", "=1", "+1"} << QStringList{"N:G1", "2:D2", "N:D1 G1", "1:"};
}

void TestImpiantoNuovo::portaDuranteLaCaduta()
{
    QFETCH(QStringList, passi);
    QFETCH(QStringList, esiti);
    CartellaTemporanea cartella;
    const auto com = [&](int n) { return cartella.percorso(QStringLiteral("COM%1").arg(n)); };
    SlaveModbus com1(com(1));
    SlaveModbus com2(com(2));
    for (SlaveModbus* s : {&com1, &com2}) {
        QVERIFY2(s->pronto(), qPrintable(s->errore()));
        s->aggiungiNodo(5);
    }
    const QString ponte = QFileInfo(com(1)).symLinkTarget();
    QVERIFY(!ponte.isEmpty());
    cartella.scrivi(QStringLiteral("Quelvar0.ini"), "[Generale]\r\nModo=1\r\n");
    cartella.scrivi(QStringLiteral("Quelvar1.ini"),
                    "[Generale]\r\nLED=1\r\n[COM]\r\nPorta=1\r\nFormato=9600,N,8,1\r\nRetry=1\r\nTimeOut=200\r\n"
                    "Base LED=1\r\n[LED 01]\r\nIndirizzo=5\r\nP1_r=1,4\r\nVal=1\r\nCol=2\r\nCondizione=5\r\n");
    const auto riga = [&](const QString& codice) {
        const int n = codice.mid(1).toInt();
        return codice.startsWith(u'D') ? QStringLiteral("Porta seriale COM%1: %2").arg(n).arg(com(n))
                                       : QStringLiteral("Porta seriale COM%1 non aperta: %2 - %3")
                                             .arg(n)
                                             .arg(com(n), QString::fromLocal8Bit(std::strerror(ENOENT)));
    };
    const auto stato = [](const QString& codice) {
        return codice == u"N" ? QStringLiteral("Nessuna COM") : QStringLiteral("COM%1:9600,N,8,1").arg(codice);
    };

    DialoghiFinti dialoghi;
    UtenteAmministratore = UtenteTecnico = false;
    Registro registro;
    Finestre f;
    avviaComeAmministratore(f);
    QCOMPARE(f.mainForm->Pannello(5)->text(), stato(QStringLiteral("1")));
    QCOMPARE(righePorta(), QStringList{riga(QStringLiteral("D1"))});
    f.mainForm->MenuComunicazione->trigger();
    Comunicazioni* c = f.comunicazioni;
    PaginaRS232* p = c->Pic_RS232;

    for (int i = 0; i < passi.size(); ++i) {
        const QString& passo = passi[i];
        if (passo == u"-1")
            QVERIFY(QFile::remove(com(1)));
        else if (passo == u"+1")
            QVERIFY(QFile::link(ponte, com(1)));
        c->MenuPorta->trigger();
        QTRY_VERIFY(p->isVisible());
        if (passo.startsWith(u'=')) {
            p->Cmb_RS232->setCurrentIndex(passo.mid(1).toInt() - 1);
            p->Cmd_Chiudi_RS232[0]->click();
        }
        QTRY_VERIFY(BusLibero());
        const QStringList atteso = esiti[i].split(u':');
        QStringList righe;
        for (const QString& codice : atteso[1].split(u' ', Qt::SkipEmptyParts))
            righe << riga(codice);
        const QString cosa = QStringLiteral("passo %1 (%2)").arg(i + 1).arg(passo);
        QVERIFY2(f.mainForm->Pannello(5)->text() == stato(atteso[0]),
                 qPrintable(cosa + QStringLiteral(": ") + f.mainForm->Pannello(5)->text()));
        const QStringList scritte = righePorta();
        QVERIFY2(scritte == righe, qPrintable(cosa + QStringLiteral(": ") + scritte.join(u'|')));
    }

    // The link back and taken by the last load: Start polls it.
    MBus::ComunicazioneReale = true;
    const int prima = com1.richieste();
    f.mainForm->MenuStart->trigger();
    QTRY_VERIFY(com1.richieste() > prima);
    f.mainForm->MenuStop->trigger();
    QTRY_VERIFY(BusLibero());
    MBus::ComunicazioneReale = false;
    QVERIFY2(dialoghi.mostrati.isEmpty(), qPrintable(dialoghi.mostrati.value(0).testo));
}

QTEST_MAIN(TestImpiantoNuovo)
#include "tst_impianto_nuovo.moc"
