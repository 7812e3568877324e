// What a save of every settings page writes, offscreen on real settings files in a temporary
// program folder: nothing at all when nothing changed (whatever form the file is in, whatever
// keys it lacks, whatever the load could not take), only into the device the page shows (also
// while a pass holds the bus), the node of an unconfigured device without erasing what it holds;
// the refusals worded alike; the boxes' refusals told; the closing buttons alike on every page.
#include "pagina.h"
#include "turnotenuto.h"
#include "bancofinestra.h"
#include "codabus.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include <memory>

using namespace Generale;

namespace {

// The lines of one section, its header included; empty when the file has none.
QByteArray sezione(const QByteArray& file, const QByteArray& nome)
{
    const QByteArray intestazione = "[" + nome + "]\r\n";
    const qsizetype inizio = file.indexOf(intestazione);
    if (inizio < 0)
        return {};
    const qsizetype fine = file.indexOf("\r\n[", inizio + intestazione.size());
    return file.mid(inizio, fine < 0 ? -1 : fine + 2 - inizio);
}

// Hand-edited: blanks around "=", "." decimals, keys missing, a point the load cannot take.
const char* const interruttoriAMano =
    "[Generale]\nZone = 0\nInterruttori = 3\nLED=0\n"
    "[Interruttore 01]\nNome = Pompa\nIndirizzo = 1\nDecimali = 1\nOn_w = 6,10\nVal_on = 21.5\nOff_w=6,11\n"
    "Val_off = 0.0\n"
    "[Interruttore 02]\nNome=Valvola\nIndirizzo=2\nOn_w=6;20\nVal_on=1\nOff_r=1,40001\nOff_w=6,21\nVal_off=0\n"
    "[Interruttore 03]\nNome = Ventola\nIndirizzo = 3\nREM_r = 1,100\n";
const char* const ledAMano =
    "[Generale]\nLED = 2\n"
    "[LED 01]\nNome = Allarme\nIndirizzo=1\nDecimali=2\nP1_r=3,abc\nVal=3,5\nCol=5\nCondizione=6\n"
    "[LED 02]\nNome=Pressione\nIndirizzo = 2\nDecimali = 1\nP1_r = 3,100\nVal = 2.5\n";
const char* const apriportaAMano =
    "[Generale]\nApriporta = 1\n[Sinottico]\nSuonoPorta = Porta.wav\n"
    "[Apriporta]\nNome = Cancello\nIndirizzo = 12\nDecimali = 1\nTempo = 1050\nOn_w=6,100\nVal_on = 21.5\n"
    "Off_w = 6;101\nVal_off=-3.0\n";
const char* const apriportaSenzaNodo =
    "[Generale]\nApriporta=1\n[Apriporta]\nNome=Cancello\nIndirizzo=abc\nDecimali=1\nREM_r=1,20\nREM_w=5,20\n"
    "On_w=6,100\nVal_on=1\nOff_w=6,101\nVal_off=0\n";
const char* const zoneAMano =
    "[Generale]\nZone = 1\n[Zona 01]\nNome = Forno\nIndirizzo = 1\nDecimali = 1\nPV_r = 3;100\nSP_r=3,101\n";
const char* const zonePuntiScartati =
    "[Generale]\nZone=1\n[Zona 01]\nNome=Forno\nIndirizzo=1\nPV_r = 3 , 40001\nPV_w=6;5\nSP_r=7,101\n";
// Written as the station writes it.
const char* const treInterruttori =
    "[Generale]\nInterruttori=3\n"
    "[Interruttore 01]\nNome=Pompa\nIndirizzo=1\nDecimali=0\nOn_w=6,10\nVal_on=1\nOff_w=6,11\nVal_off=0\n"
    "[Interruttore 02]\nNome=Valvola\nIndirizzo=2\nDecimali=0\nOn_w=6,20\nVal_on=1\nOff_w=6,21\nVal_off=0\n"
    "[Interruttore 03]\nNome=Ventola\nIndirizzo=3\nDecimali=0\nOn_w=6,30\nVal_on=1\nOff_w=6,31\nVal_off=0\n";
const char* const treLED =
    "[Generale]\nLED=3\n"
    "[LED 01]\nNome=Caldaia\nIndirizzo=1\nDecimali=0\nP1_r=1,1\nVal=1\nCol=2\nCondizione=5\n"
    "[LED 02]\nNome=Magazzino\nIndirizzo=2\nDecimali=0\nP1_r=1,2\nVal=1\nCol=2\nCondizione=5\n"
    "[LED 03]\nNome=Pressione\nIndirizzo=3\nDecimali=1\nP1_r=3,3\nVal=2,5\nCol=3\nCondizione=1\n";

}  // namespace

class TestPagineSalvataggio : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void salvataggioInvariato_data();
    void salvataggioInvariato();
    void busTenuto_data();
    void busTenuto();
    void valoriCheIlCaricamentoNonPrende_data();
    void valoriCheIlCaricamentoNonPrende();
    void nodoAUnoNonConfigurato_data();
    void nodoAUnoNonConfigurato();
    void rifiutiAllaStessaManiera_data();
    void rifiutiAllaStessaManiera();
    void casellaRifiutaConMessaggio_data();
    void casellaRifiutaConMessaggio();
    void pulsantiDiChiusura_data();
    void pulsantiDiChiusura();
    void tuttoONiente_data();
    void tuttoONiente();

private:
    void carica(const QByteArray& ini) { b_.carica(ini); }
    void apri(const QString& menu) { c_->findChild<QAction*>(menu)->trigger(); }
    template <typename T>
    T* trova(const QString& nome) const
    {
        T* w = c_->findChild<T*>(nome);
        if (!w)
            qFatal("%s missing", qPrintable(nome));
        return w;
    }
    QByteArray file() const { return b_.file(); }

    BancoFinestra b_;
    Comunicazioni* c_ = nullptr;
};

void TestPagineSalvataggio::init()
{
    QVERIFY(b_.prepara());
    c_ = b_.comunicazioni();
}

void TestPagineSalvataggio::cleanup() { b_.smonta(); }

void TestPagineSalvataggio::salvataggioInvariato_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("scelta");  // the device chooser, every device saved in turn; "" none
    QTest::addColumn<QString>("salva");
    const QByteArray d = demo();
    QTest::newRow("interruttori a mano") << crlf(interruttoriAMano) << "MenuInterruttori" << "Cmb_Interruttore"
                                         << "Cmd_ChiudiInt(2)";
    QTest::newRow("interruttori della demo") << d << "MenuInterruttori" << "Cmb_Interruttore" << "Cmd_ChiudiInt(2)";
    QTest::newRow("LED a mano") << crlf(ledAMano) << "MenuIndicatori" << "Cmb_LED" << "Cmd_ChiudiLED(2)";
    QTest::newRow("LED della demo") << d << "MenuIndicatori" << "Cmb_LED" << "Cmd_ChiudiLED(2)";
    QTest::newRow("apriporta a mano") << crlf(apriportaAMano) << "MenuApriPorta" << "" << "Cmd_Chiudi_AP";
    QTest::newRow("apriporta senza nodo") << crlf(apriportaSenzaNodo) << "MenuApriPorta" << "" << "Cmd_Chiudi_AP";
    QTest::newRow("apriporta della demo") << d << "MenuApriPorta" << "" << "Cmd_Chiudi_AP";
    QTest::newRow("webcam senza nome") << crlf("[Generale]\nWebcam = 2\n[Webcam]\n") << "MenuWebCam" << ""
                                       << "Cmd_Chiudi_WC(0)";
    QTest::newRow("webcam della demo") << d << "MenuWebCam" << "" << "Cmd_Chiudi_WC(0)";
    QTest::newRow("seriale a mano") << crlf("[COM]\nPorta = 2\nRetry = 3\nRemoto = 2\n") << "MenuPorta" << ""
                                    << "Cmd_Chiudi_RS232(0)";
    QTest::newRow("seriale della demo") << d << "MenuPorta" << "" << "Cmd_Chiudi_RS232(0)";
    QTest::newRow("zone a mano") << crlf(zoneAMano) << "MenuZone" << "Cmb_Zone" << "Cmd_ChiudiZone(2)";
    QTest::newRow("zone, punti scartati") << crlf(zonePuntiScartati) << "MenuZone" << "Cmb_Zone" << "Cmd_ChiudiZone(0)";
    QTest::newRow("stagioni a mano") << crlf("[Stagione]\nEstate = estate.prg\n") << "MenuStagioni" << ""
                                     << "Cmd_Chiudi_Stag(0)";
}

void TestPagineSalvataggio::salvataggioInvariato()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, menu);
    QFETCH(QString, scelta);
    QFETCH(QString, salva);
    carica(ini);
    const QByteArray prima = file();
    apri(menu);
    QComboBox* lista = scelta.isEmpty() ? nullptr : trova<QComboBox>(scelta);
    for (int i = 0; i < (lista ? lista->count() : 1); ++i) {
        if (lista)
            lista->setCurrentIndex(i);
        trova<QAbstractButton>(salva)->click();
        QCOMPARE(file(), prima);
    }
    QVERIFY(b_.dialoghi->mostrati.isEmpty());
}

void TestPagineSalvataggio::busTenuto_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("scelta");     // the device chooser; "" the door opener's use box
    QTest::addColumn<QString>("nome");       // the name box, typed into when `nuovo` is not empty
    QTest::addColumn<QString>("nuovo");
    QTest::addColumn<QString>("salva");
    QTest::addColumn<QByteArray>("mostrato");  // the section the page shows once the reload has run
    QTest::addColumn<QByteArray>("atteso");    // what that section holds afterwards; empty: as before
    QTest::newRow("interruttori, invariato") << crlf(treInterruttori) << "MenuInterruttori" << "Cmb_Interruttore"
                                            << "Txt_NomeInterruttore" << "" << "Cmd_ChiudiInt(2)"
                                            << QByteArray("Interruttore 01") << QByteArray();
    QTest::newRow("interruttori, nome nuovo")
        << crlf(treInterruttori) << "MenuInterruttori" << "Cmb_Interruttore" << "Txt_NomeInterruttore" << "Aspiratore"
        << "Cmd_ChiudiInt(0)" << QByteArray("Interruttore 01")
        << crlf("[Interruttore 01]\nNome=Aspiratore\nIndirizzo=1\nDecimali=0\nOn_w=6,10\nVal_on=1\nOff_w=6,11\n"
                "Val_off=0\n");
    QTest::newRow("LED, nome nuovo") << crlf(treLED) << "MenuIndicatori" << "Cmb_LED" << "Txt_NomeLED" << "Fumi"
                                     << "Cmd_ChiudiLED(2)" << QByteArray("LED 01")
                                     << crlf("[LED 01]\nNome=Fumi\nIndirizzo=1\nDecimali=0\nP1_r=1,1\nVal=1\n"
                                             "Col=2\nCondizione=5\n");
    QTest::newRow("apriporta spuntato") << crlf("[Generale]\nApriporta=0\n[Sinottico]\nSuonoPorta=Porta.wav\n"
                                                "[Apriporta]\nNome=Cancello\nIndirizzo=12\nDecimali=1\nREM_w=5,20\n"
                                                "On_w=6,100\nVal_on=1\nOff_w=6,101\nVal_off=0\n")
                                        << "MenuApriPorta" << "" << "" << "" << "Cmd_Chiudi_AP"
                                        << QByteArray("Apriporta") << QByteArray();
}

void TestPagineSalvataggio::busTenuto()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, menu);
    QFETCH(QString, scelta);
    QFETCH(QString, nome);
    QFETCH(QString, nuovo);
    QFETCH(QString, salva);
    QFETCH(QByteArray, mostrato);
    QFETCH(QByteArray, atteso);
    carica(ini);
    apri(menu);
    QComboBox* lista = scelta.isEmpty() ? nullptr : trova<QComboBox>(scelta);
    if (lista)
        lista->setCurrentIndex(2);
    const QByteArray prima = file();
    {
        // A pass waiting on the line: the reload the count change or the tick asks for waits, and
        // until it has run the page takes no name and no save.
        TurnoTenuto passata;
        if (lista)
            trova<QComboBox>(menu == QLatin1String("MenuInterruttori") ? "Cmb_InterruttoriUsati" : "Cmb_LEDUsati")
                ->setCurrentIndex(4);
        else
            trova<QCheckBox>("Chk_UsaApriporta")->click();
        if (!nuovo.isEmpty())
            QTest::keyClicks(trova<QLineEdit>(nome), nuovo);
        trova<QAbstractButton>(salva)->click();
        QVERIFY(Acquisizione::LavoriInAttesa() > 0);
    }
    QTRY_VERIFY(BusLibero());
    // The page now shows the device its chooser shows, and a save goes there.
    if (!nuovo.isEmpty())
        trova<QLineEdit>(nome)->setText(nuovo);
    trova<QAbstractButton>(salva)->click();
    QTRY_VERIFY(BusLibero());
    const QByteArray dopo = file();
    for (const QByteArray s : {"Interruttore 01", "Interruttore 02", "Interruttore 03", "LED 01", "LED 02", "LED 03",
                               "Apriporta", "Sinottico"}) {
        const QByteArray voluto = s == mostrato && !atteso.isEmpty() ? atteso : sezione(prima, s);
        QCOMPARE(sezione(dopo, s), voluto);
    }
    QVERIFY(b_.dialoghi->mostrati.isEmpty());
}

void TestPagineSalvataggio::valoriCheIlCaricamentoNonPrende_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("scelta");
    QTest::addColumn<int>("indice");
    QTest::addColumn<QStringList>("mostrati");  // control, text shown, ...
    QTest::addColumn<QStringList>("punto");     // the point's code box, its register box, what is typed in
    QTest::addColumn<QString>("salva");
    QTest::addColumn<QByteArray>("sezione");
    QTest::addColumn<QByteArray>("atteso");
    QTest::newRow("LED senza P1") << crlf(ledAMano) << "MenuIndicatori" << "Cmb_LED" << 0
                                  << QStringList{"Txt_ZoneMBLED(2)", "3,50", "Cmb_DisLED", "Diverso", "Cmb_ColoreLED",
                                                 "Giallo", "Txt_ZoneMBLED(0)", "3", "Txt_ZoneMBLED(1)", "abc"}
                                  << QStringList{"Txt_ZoneMBLED(0)", "Txt_ZoneMBLED(1)", "3", "100"}
                                  << "Cmd_ChiudiLED(2)" << QByteArray("LED 01")
                                  << crlf("[LED 01]\nNome = Allarme\nIndirizzo=1\nDecimali=2\nP1_r=3,100\nVal=3,5\n"
                                          "Col=5\nCondizione=6\n");
    QTest::newRow("interruttore con On_w malformato")
        << crlf(interruttoriAMano) << "MenuInterruttori" << "Cmb_Interruttore" << 1
        << QStringList{"Txt_ZoneMBInt(4)", "1", "Txt_ZoneMBInt(2)", "6;20", "Txt_ZoneMBInt(3)", "",
                       "Txt_ZoneMBInt(5)", "1", "Txt_ZoneMBInt(6)", "40001"}
        << QStringList{"Txt_ZoneMBInt(2)", "Txt_ZoneMBInt(3)", "6", "20"} << "Cmd_ChiudiInt(2)"
        << QByteArray("Interruttore 02")
        << crlf("[Interruttore 02]\nNome=Valvola\nIndirizzo=2\nOn_w=6,20\nVal_on=1\nOff_r=1,40001\nOff_w=6,21\n"
                "Val_off=0\n");
    QTest::newRow("zona con punti malformati")
        << crlf(zonePuntiScartati) << "MenuZone" << "Cmb_Zone" << 0
        << QStringList{"Txt_ZoneMB(0)", "3", "Txt_ZoneMB(1)", "40001", "Txt_ZoneMB(2)", "6;5", "Txt_ZoneMB(3)", "",
                       "Txt_ZoneMB(4)", "7", "Txt_ZoneMB(5)", "101"}
        << QStringList{"Txt_ZoneMB(0)", "Txt_ZoneMB(1)", "3", "100"} << "Cmd_ChiudiZone(2)" << QByteArray("Zona 01")
        << crlf("[Zona 01]\nNome=Forno\nIndirizzo=1\nPV_r=3,100\nPV_w=6;5\nSP_r=7,101\n");
    QTest::newRow("apriporta con Off_w malformato")
        << crlf(apriportaAMano) << "MenuApriPorta" << "" << 0
        << QStringList{"Txt_ZoneMB_AP(7)", "6;101", "Txt_ZoneMB_AP(8)", "", "Txt_ZoneMB_AP(9)", "-3,0"}
        << QStringList{"Txt_ZoneMB_AP(7)", "Txt_ZoneMB_AP(8)", "6", "101"} << "Cmd_Chiudi_AP" << QByteArray("Apriporta")
        << crlf("[Apriporta]\nNome = Cancello\nIndirizzo = 12\nDecimali = 1\nTempo = 1050\nOn_w=6,100\n"
                "Val_on = 21.5\nOff_w=6,101\nVal_off=-3.0\n");
    QTest::newRow("apriporta, altro punto riscritto, Off_w malformato resta")
        << crlf(apriportaAMano) << "MenuApriPorta" << "" << 0 << QStringList{"Txt_ZoneMB_AP(7)", "6;101"}
        << QStringList{"Txt_ZoneMB_AP(2)", "Txt_ZoneMB_AP(3)", "6", "102"} << "Cmd_Chiudi_AP" << QByteArray("Apriporta")
        << crlf("[Apriporta]\nNome = Cancello\nIndirizzo = 12\nDecimali = 1\nTempo = 1050\nOn_w=6,102\n"
                "Val_on = 21.5\nOff_w = 6;101\nVal_off=-3.0\n");
}

void TestPagineSalvataggio::valoriCheIlCaricamentoNonPrende()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, menu);
    QFETCH(QString, scelta);
    QFETCH(int, indice);
    QFETCH(QStringList, mostrati);
    QFETCH(QStringList, punto);
    QFETCH(QString, salva);
    QFETCH(QByteArray, sezione);
    QFETCH(QByteArray, atteso);
    carica(ini);
    apri(menu);
    if (!scelta.isEmpty())
        trova<QComboBox>(scelta)->setCurrentIndex(indice);
    // Shown as the file holds them, although the point they go with did not load.
    for (int i = 0; i < mostrati.size(); i += 2) {
        QWidget* w = trova<QWidget>(mostrati[i]);
        const QString testo = qobject_cast<QComboBox*>(w) ? static_cast<QComboBox*>(w)->currentText()
                                                          : static_cast<QLineEdit*>(w)->text();
        QCOMPARE(testo, mostrati[i + 1]);
    }
    // The point mended: only it is written, the values stay as the file holds them.
    trova<QLineEdit>(punto[0])->setText(punto[2]);
    trova<QLineEdit>(punto[1])->setText(punto[3]);
    trova<QAbstractButton>(salva)->click();
    QCOMPARE(::sezione(file(), sezione), atteso);
    QVERIFY(b_.dialoghi->mostrati.isEmpty());
}

void TestPagineSalvataggio::nodoAUnoNonConfigurato_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("scelta");
    QTest::addColumn<QString>("nodo");
    QTest::addColumn<QString>("salva");
    QTest::addColumn<QByteArray>("mostrato");
    QTest::addColumn<QByteArray>("atteso");
    QTest::newRow("interruttore") << crlf("[Generale]\nInterruttori=2\n[Interruttore 01]\nIndirizzo=1\nOn_w=6,1\n"
                                          "Val_on=1\n[Interruttore 02]\nNome=Valvola\nIndirizzo=abc\nDecimali=1\n"
                                          "REM_r=1,7\nOn_w=6,20\nVal_on=2,5\nOff_w=6,21\nVal_off=0,0\n")
                                  << "MenuInterruttori" << "Cmb_Interruttore" << "Cmb_IndirizzoInt" << "Cmd_ChiudiInt(2)"
                                  << QByteArray("Interruttore 02")
                                  << crlf("[Interruttore 02]\nNome=Valvola\nIndirizzo=5\nDecimali=1\nREM_r=1,7\n"
                                          "On_w=6,20\nVal_on=2,5\nOff_w=6,21\nVal_off=0,0\n");
    QTest::newRow("LED") << crlf("[Generale]\nLED=2\n[LED 01]\nIndirizzo=1\nP1_r=1,1\nVal=1\n[LED 02]\nNome=Fumi\n"
                                 "Indirizzo=0\nP1_r=3,100\nVal=2,5\nCondizione=3\nCol=2\n")
                         << "MenuIndicatori" << "Cmb_LED" << "Cmb_IndirizzoLED" << "Cmd_ChiudiLED(2)"
                         << QByteArray("LED 02")
                         << crlf("[LED 02]\nNome=Fumi\nIndirizzo=5\nP1_r=3,100\nVal=2,5\nCondizione=3\nCol=2\n");
    QTest::newRow("apriporta") << crlf(apriportaSenzaNodo) << "MenuApriPorta" << "" << "Cmb_Indirizzo_AP"
                               << "Cmd_Chiudi_AP" << QByteArray("Apriporta")
                               << crlf("[Apriporta]\nNome=Cancello\nIndirizzo=5\nDecimali=1\nREM_r=1,20\nREM_w=5,20\n"
                                       "On_w=6,100\nVal_on=1\nOff_w=6,101\nVal_off=0\n");
}

void TestPagineSalvataggio::nodoAUnoNonConfigurato()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, menu);
    QFETCH(QString, scelta);
    QFETCH(QString, nodo);
    QFETCH(QString, salva);
    QFETCH(QByteArray, mostrato);
    QFETCH(QByteArray, atteso);
    carica(ini);
    const QByteArray prima = file();
    apri(menu);
    if (!scelta.isEmpty())
        trova<QComboBox>(scelta)->setCurrentIndex(1);
    trova<QComboBox>(nodo)->setCurrentIndex(4);
    trova<QAbstractButton>(salva)->click();
    QCOMPARE(sezione(file(), mostrato), atteso);
    QCOMPARE(file().left(file().indexOf("[" + mostrato + "]")), prima.left(prima.indexOf("[" + mostrato + "]")));
    QVERIFY(b_.dialoghi->mostrati.isEmpty());
}

void TestPagineSalvataggio::rifiutiAllaStessaManiera_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("codice");    // a write code box
    QTest::addColumn<QString>("registro");  // its register box
    QTest::addColumn<QString>("salva");
    QTest::newRow("zone") << crlf(zoneAMano) << "MenuZone" << "Txt_ZoneMB(6)" << "Txt_ZoneMB(7)"
                          << "Cmd_ChiudiZone(2)";
    QTest::newRow("interruttori") << crlf(treInterruttori) << "MenuInterruttori" << "Txt_ZoneMBInt(7)"
                                  << "Txt_ZoneMBInt(8)" << "Cmd_ChiudiInt(2)";
    QTest::newRow("LED") << crlf(treLED) << "MenuIndicatori" << "Txt_ZoneMBLED(5)" << "Txt_ZoneMBLED(6)"
                         << "Cmd_ChiudiLED(2)";
    QTest::newRow("apriporta") << crlf(apriportaAMano) << "MenuApriPorta" << "Txt_ZoneMB_AP(12)"
                               << "Txt_ZoneMB_AP(13)" << "Cmd_Chiudi_AP";
}

void TestPagineSalvataggio::rifiutiAllaStessaManiera()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, menu);
    QFETCH(QString, codice);
    QFETCH(QString, registro);
    QFETCH(QString, salva);
    carica(ini);
    apri(menu);
    const QByteArray prima = file();
    // A write code without its register, as a paste or a hand-edited file could leave it.
    trova<QLineEdit>(codice)->setText(QStringLiteral("6"));
    trova<QLineEdit>(registro)->clear();
    trova<QAbstractButton>(salva)->click();
    QCOMPARE(file(), prima);
    QCOMPARE(b_.dialoghi->mostrati.size(), 1);
    const auto& m = b_.dialoghi->mostrati[0];
    QVERIFY2(m.testo.startsWith(QStringLiteral("Attenzione: \"")), qPrintable(m.testo));
    QVERIFY2(m.testo.endsWith(QStringLiteral(" I dati non sono stati salvati.")), qPrintable(m.testo));
    QVERIFY2(m.testo.contains(QStringLiteral("(Scrittura)")), qPrintable(m.testo));
    QCOMPARE(m.titolo, QStringLiteral("Configurazione strumenti"));
    QCOMPARE(m.icona, Piattaforma::IconaDialogo::Esclamazione);
}

void TestPagineSalvataggio::casellaRifiutaConMessaggio_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("casella");
    QTest::addColumn<QString>("iniziale");
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QString>("atteso");  // the box's text afterwards
    QTest::addColumn<QString>("parole");  // in the message
    QTest::newRow("registro di zona oltre le righe") << crlf(zoneAMano) << "MenuZone" << "Txt_ZoneMB(1)" << ""
                                                     << "40001" << "4000" << "\"Misura (PV)\" (Lettura)";
    QTest::newRow("codice di lettura 7") << crlf(treInterruttori) << "MenuInterruttori" << "Txt_ZoneMBInt(10)" << ""
                                         << "7" << "" << "1, 2, 3 o 4";
    QTest::newRow("lettera in un registro di LED") << crlf(treLED) << "MenuIndicatori" << "Txt_ZoneMBLED(1)" << ""
                                                   << "3x" << "3" << "\"Accensione (ON)\" (Lettura)";
    QTest::newRow("secondo separatore di un valore") << crlf(apriportaAMano) << "MenuApriPorta" << "Txt_ZoneMB_AP(4)"
                                                     << "21,5" << "," << "21,5" << "\"Accensione (ON)\"";
}

void TestPagineSalvataggio::casellaRifiutaConMessaggio()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, menu);
    QFETCH(QString, casella);
    QFETCH(QString, iniziale);
    QFETCH(QString, digitato);
    QFETCH(QString, atteso);
    QFETCH(QString, parole);
    carica(ini);
    apri(menu);
    auto* box = trova<QLineEdit>(casella);
    box->setFocus();
    box->setText(iniziale);
    QTest::keyClicks(box, digitato);
    QCOMPARE(box->text(), atteso);
    QCOMPARE(b_.dialoghi->mostrati.size(), 1);
    const QString testo = b_.dialoghi->mostrati[0].testo;
    QVERIFY2(testo.startsWith(QStringLiteral("Attenzione: ")), qPrintable(testo));
    QVERIFY2(testo.contains(parole), qPrintable(testo));
}

void TestPagineSalvataggio::pulsantiDiChiusura_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("pulsanti");  // save and exit, exit without saving, save and stay
    QTest::newRow("zone") << "MenuZone" << QStringList{"Cmd_ChiudiZone(0)", "Cmd_ChiudiZone(1)", "Cmd_ChiudiZone(2)"};
    QTest::newRow("interruttori") << "MenuInterruttori"
                                  << QStringList{"Cmd_ChiudiInt(0)", "Cmd_ChiudiInt(1)", "Cmd_ChiudiInt(2)"};
    QTest::newRow("LED") << "MenuIndicatori" << QStringList{"Cmd_ChiudiLED(0)", "Cmd_ChiudiLED(1)", "Cmd_ChiudiLED(2)"};
    QTest::newRow("apriporta") << "MenuApriPorta" << QStringList{"Cmd_Chiudi_AP", "Cmd_Chiudi_AP2"};
    QTest::newRow("webcam") << "MenuWebCam" << QStringList{"Cmd_Chiudi_WC(0)", "Cmd_Chiudi_WC(1)"};
    QTest::newRow("seriale") << "MenuPorta" << QStringList{"Cmd_Chiudi_RS232(0)", "Cmd_Chiudi_RS232(1)"};
    QTest::newRow("stagioni") << "MenuStagioni" << QStringList{"Cmd_Chiudi_Stag(0)", "Cmd_Chiudi_Stag(1)"};
}

void TestPagineSalvataggio::pulsantiDiChiusura()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, pulsanti);
    carica(crlf("[Generale]\nZone=1\nInterruttori=1\nLED=1\nApriporta=1\nWebcam=1\n"));
    // The switch page places its buttons as its form did: every page's look like them.
    apri(QStringLiteral("MenuInterruttori"));
    QList<QAbstractButton*> modello;
    for (int i = 0; i < 3; ++i)
        modello << trova<QAbstractButton>(QStringLiteral("Cmd_ChiudiInt(%1)").arg(i));
    QList<QImage> immagini;
    for (QAbstractButton* m : modello)
        immagini << m->icon().pixmap(m->iconSize()).toImage();
    const QSize misura = modello[0]->size();
    apri(menu);
    int sinistra = -1;
    for (int i = 0; i < pulsanti.size(); ++i) {
        auto* b = trova<QAbstractButton>(pulsanti[i]);
        QVERIFY(b->isVisible());
        QCOMPARE(b->metaObject()->className(), modello[i]->metaObject()->className());
        QCOMPARE(b->size(), misura);
        QCOMPARE(b->iconSize(), modello[i]->iconSize());
        QCOMPARE(b->icon().pixmap(b->iconSize()).toImage(), immagini[i]);
        QCOMPARE(b->toolTip().isEmpty(), false);
        // Left to right in their order, on one row.
        const QPoint p = b->mapTo(c_, QPoint(0, 0));
        QVERIFY2(p.x() > sinistra, qPrintable(pulsanti[i]));
        QCOMPARE(p.y(), trova<QAbstractButton>(pulsanti[0])->mapTo(c_, QPoint(0, 0)).y());
        sinistra = p.x();
    }
}

namespace {
const char* const Prima = "[Generale]\nApriporta=0\n[Apriporta]\nNome=Cancello\n";
}

void TestPagineSalvataggio::tuttoONiente_data()
{
    QTest::addColumn<QString>("ultimo");  // the last key's value
    QTest::addColumn<QByteArray>("atteso");
    QTest::newRow("every key written")
        << "Portone" << QByteArray("[Generale]\nApriporta=1\n[Apriporta]\nNome=Portone\n\n[Sinottico]\nSuonoPorta=Porta.wav\n");
    QTest::newRow("the last refused: none written") << "Porta\nne" << QByteArray(Prima);
}

// A page's save reaches the file whole or not at all: keys of three sections, the last of them
// one the file refuses.
void TestPagineSalvataggio::tuttoONiente()
{
    QFETCH(QString, ultimo);
    carica(Prima);
    const bool scritto = Impostazioni::ScriviChiavi({{"Generale", "Apriporta", "1"},
                                                     {"Sinottico", "SuonoPorta", "Porta.wav"},
                                                     {"Apriporta", "Nome", ultimo}});
    QFETCH(QByteArray, atteso);
    QCOMPARE(scritto, !ultimo.contains(QLatin1Char('\n')));
    QCOMPARE(file(), atteso);
}

QTEST_MAIN(TestPagineSalvataggio)
#include "tst_pagine_salvataggio.moc"
