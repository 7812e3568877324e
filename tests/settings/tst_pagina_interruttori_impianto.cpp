// From an empty program folder, a switch and a LED configured through their pages alone, keys
// typed as an operator types them; then acquisition starts against a real Modbus RTU slave
// (libmodbus on a socat pty pair linked as COM1) and the values read show what was configured.
// A pty ignores baud rate and parity: this proves the configuration, not the wire timing.
#include "caricamento.h"
#include "cartellatemporanea.h"
#include "casellavalore.h"
#include "ciclo.h"
#include "comunicazioni.h"
#include "dialoghifinti.h"
#include "finestre.h"
#include "generale.h"
#include "mainform.h"
#include "mbus.h"
#include "pagina_interruttori.h"
#include "pagina_led.h"
#include "slavemodbus.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace Generale;

class TestImpiantoDaPagine : public QObject {
    Q_OBJECT
private slots:
    void configuraEAcquisisci();
};

void TestImpiantoDaPagine::configuraEAcquisisci()
{
    CartellaTemporanea cartella;
    SlaveModbus slave(cartella.percorso(QStringLiteral("COM1")));
    QVERIFY2(slave.pronto(), qPrintable(slave.errore()));
    slave.aggiungiNodo(2);
    slave.aggiungiNodo(3);
    DialoghiFinti dialoghi;
    ModoStagioni = true;
    FileImpostazioni = QStringLiteral("Quelvar1.ini");
    Finestre f;
    Comunicazioni* c = f.comunicazioni;
    Configurazione::CaricaImpostazioni();
    for (Pagina* p : c->Pagine)
        p->RiempiListe(true);

    auto digita = [](QWidget* w, const char* testo) { QTest::keyClicks(w, QString::fromUtf8(testo)); };

    // One switch on node 2: coil 20 read and written, 1 = ON, 0 = OFF.
    PaginaInterruttori* s = c->Pic_InterruttoriMB;
    c->NascondiPagine();
    s->Apri();
    s->Cmb_InterruttoriUsati->setCurrentIndex(1);
    s->Txt_NomeInterruttore->selectAll();
    digita(s->Txt_NomeInterruttore, "Pompa");
    s->Cmb_IndirizzoInt->setCurrentIndex(1);
    s->Cmb_DecimaliInt->setCurrentIndex(1);
    const char* const griglia[] = {"1", "20", "5", "20", "1", "1", "20", "5", "20", "0"};
    for (int i = 0; i < 10; ++i) {
        digita(s->Txt_ZoneMBInt[i], griglia[i]);
        QTest::keyClick(s->Txt_ZoneMBInt[i], Qt::Key_Return);
    }
    QCOMPARE(s->Txt_ZoneMBInt[4]->text(), QStringLiteral("1"));  // a coil's value has no decimals
    s->Cmd_ChiudiInt[0]->click();

    // One LED on node 3: red while input register 7 (one decimal) is at least 21,5.
    PaginaLED* l = c->Pic_LED;
    c->NascondiPagine();
    l->Apri();
    l->Cmb_LEDUsati->setCurrentIndex(1);
    l->Cmb_IndirizzoLED->setCurrentIndex(2);
    l->Cmb_DecimaliLED->setCurrentIndex(1);
    digita(l->Txt_ZoneMBLED[0], "4");
    digita(l->Txt_ZoneMBLED[1], "7");
    digita(l->Txt_ZoneMBLED[2], "21,5");
    QTest::keyClick(l->Txt_ZoneMBLED[2], Qt::Key_Return);
    QCOMPARE(l->Txt_ZoneMBLED[2]->text(), QStringLiteral("21,5"));
    l->Cmb_DisLED->setCurrentIndex(0);
    l->Cmb_ColoreLED->setCurrentIndex(1);
    l->Cmd_ChiudiLED[0]->click();
    QVERIFY(dialoghi.mostrati.isEmpty());

    QCOMPARE(cartella.leggi(FileImpostazioni),
             QByteArray("[Generale]\r\nInterruttori=1\r\nLED=1\r\n\r\n"
                        "[Interruttore 01]\r\nNome=Pompa\r\nIndirizzo=2\r\nDecimali=1\r\nREM_r=\r\nREM_w=\r\n"
                        "On_r=1,20\r\nOn_w=5,20\r\nVal_on=1\r\nOff_r=1,20\r\nOff_w=5,20\r\nVal_off=0\r\n\r\n"
                        "[LED 01]\r\nNome=LED 01\r\nIndirizzo=3\r\nDecimali=1\r\nREM_r=\r\nREM_w=\r\nP1_r=4,7\r\n"
                        "Val=21,5\r\nCondizione=1\r\nCol=2\r\n"));
    QVERIFY(PortaSerialeValida);

    MBus::ComunicazioneReale = true;
    MBus::AttesaRisposta = 0.2f;
    slave.impostaBobina(2, 20, true);
    slave.impostaRegistroIngresso(3, 7, 230);
    f.mainForm->MenuStart_Click();
    QVERIFY(AcquisizioneAttiva);
    QCOMPARE(ValoriInterruttori[0][0], 1.0f);
    f.mainForm->Ciclo->LeggiLED();
    QCOMPARE(ValoriLED[0], 23.0f);
    QCOMPARE(StatiLED[0], 2);
    slave.impostaRegistroIngresso(3, 7, 214);
    f.mainForm->Ciclo->LeggiLED();
    QCOMPARE(StatiLED[0], 0);
    f.mainForm->MenuStop_Click();
    MBus::ComunicazioneReale = false;
}

QTEST_MAIN(TestImpiantoDaPagine)
#include "tst_pagina_interruttori_impianto.moc"
