// The settings window and the main window's bars, offscreen, after whole-configuration loads.
#include "caricamento.h"
#include "cartellatemporanea.h"
#include "comunicazioni.h"
#include "finestre.h"
#include "generale.h"
#include "mainform.h"
#include "testo1252.h"

#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace Generale;

class TestComunicazioni : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void listeOrdinateEPrimoSelezionato();
    void ricaricaSenzaDoppioni();
    void menuOpzioni_data();
    void menuOpzioni();
    void pannelloPorta();
    void armaAvvioAutomatico_data();
    void armaAvvioAutomatico();

private:
    void carica(const QString& ini);
    std::unique_ptr<CartellaTemporanea> cartella_;
    std::unique_ptr<Finestre> f_;
};

void TestComunicazioni::init()
{
    cartella_ = std::make_unique<CartellaTemporanea>();
    ModoStagioni = true;
    FileImpostazioni = QStringLiteral("Quelvar1.ini");
    AvvioInCorso = false;
    f_ = std::make_unique<Finestre>();
}

void TestComunicazioni::cleanup()
{
    f_.reset();
    cartella_.reset();
    AvvioInCorso = false;
}

void TestComunicazioni::carica(const QString& ini)
{
    QString crlf = ini;
    crlf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    cartella_->scrivi(FileImpostazioni, Piattaforma::In1252(crlf));
    Configurazione::CaricaImpostazioni();
}

namespace {
QStringList voci(QListWidget* l)
{
    QStringList r;
    for (int i = 0; i < l->count(); ++i)
        r << l->item(i)->text();
    return r;
}
const char* const impianto = "[Generale]\nZone=2\nInterruttori=1\n[Zona 02]\nIndirizzo=4\nPV_r=3,1\nREM_w=5,9\n"
                             "[Zona 01]\nIndirizzo=8\nSP_r=3,2\nAL2_r=1,3\n[Interruttore 01]\nIndirizzo=3\nOn_w=5,1\n"
                             "Val_on=1\n";
}  // namespace

void TestComunicazioni::listeOrdinateEPrimoSelezionato()
{
    carica(impianto);
    Comunicazioni* c = f_->comunicazioni;
    QCOMPARE(voci(c->Lst_Letture), (QStringList{"100>8:1,3 [0]", "100>8:3,2 [0]", "101>4:3,1 [0]"}));
    QCOMPARE(voci(c->Lst_Scritture), QStringList{"200>3:5,1 @ 1 [0]"});
    QCOMPARE(voci(c->Lst_RemW), QStringList{"101>4:5,9 [0]"});
    QCOMPARE(c->Lst_Letture->currentRow(), 0);
    QCOMPARE(c->Lst_RemW->currentRow(), 0);
    QCOMPARE(c->Lst_RemL->count(), 0);
    QCOMPARE(c->Lst_RemL->currentRow(), -1);
    QCOMPARE(c->Lab_Comunica[0]->text(), QStringLiteral("Elenco Parametri - Lettura"));
}

void TestComunicazioni::ricaricaSenzaDoppioni()
{
    carica(impianto);
    Configurazione::CaricaImpostazioni();
    Configurazione::CaricaImpostazioni();
    QCOMPARE(f_->comunicazioni->Lst_Letture->count(), 3);
    carica("[Generale]\nZone=0\n");
    for (QListWidget* l : f_->comunicazioni->Liste)
        QCOMPARE(l->count(), 0);
}

void TestComunicazioni::menuOpzioni_data()
{
    QTest::addColumn<bool>("stagioni");
    QTest::addColumn<QString>("generale");
    QTest::addColumn<bool>("grafici");
    QTest::addColumn<bool>("ricette");
    QTest::addColumn<bool>("crono");
    QTest::addColumn<bool>("master");
    QTest::newRow("predefiniti") << true << "" << false << false << false << false;
    QTest::newRow("tutto acceso") << true << "Grafico=1\nRicette=2\nCronotermostato=1\nMaster=1\nMaster_2=1\nAutoAvvio=1\n"
                                  << true << true << true << true;
    QTest::newRow("crono in modo ricette") << false << "Cronotermostato=1\n" << false << false << false << false;
}

void TestComunicazioni::menuOpzioni()
{
    QFETCH(bool, stagioni);
    QFETCH(QString, generale);
    QFETCH(bool, grafici);
    QFETCH(bool, ricette);
    QFETCH(bool, crono);
    QFETCH(bool, master);
    ModoStagioni = stagioni;
    FileImpostazioni = stagioni ? "Quelvar1.ini" : "Quelvar2.ini";
    carica("[Generale]\n" + generale + "[COM]\nRemoto=1\n");
    Comunicazioni* c = f_->comunicazioni;
    MainForm* m = f_->mainForm;
    QCOMPARE(c->MenuVediGraf[1]->isChecked(), grafici);
    QCOMPARE(c->MenuVediGraf[0]->isChecked(), !grafici);
    QCOMPARE(m->PulsanteToolbar(3)->isVisible(), grafici);
    QCOMPARE(m->PulsanteToolbar(4)->isVisible(), grafici);
    QCOMPARE(m->MenuGrafico->isVisible(), grafici);
    QCOMPARE(m->MenuStorico->isVisible(), grafici);
    QCOMPARE(c->Menu_Vedi_Ricette[1]->isChecked(), ricette);
    QCOMPARE(m->PulsanteToolbar(5)->isVisible(), ricette);
    QCOMPARE(m->MenuStagione->isVisible(), ricette);
    QCOMPARE(c->MenuCronoT[1]->isChecked(), crono);
    QCOMPARE(c->MenuCronoT[0]->isChecked(), !crono);
    QCOMPARE(c->MenuCronoT0->menuAction()->isVisible(), stagioni);
    QCOMPARE(c->Cmd_Accessori[5]->isVisibleTo(c), crono);
    QCOMPARE(c->MenuMaster[1]->isChecked(), master);
    QCOMPARE(c->MenuMS_Pan[1]->isChecked(), master);
    QVERIFY(!c->MenuMS_Pan[0]->isChecked());
    // The panels are chosen whether or not the function is on.
    for (QAction* a : c->MenuMS_Pan)
        QVERIFY(a->isEnabled());
    QCOMPARE(c->MenuAvvioAuto[0]->isChecked(), !master);  // the "all on" row also chooses manual start
    QVERIFY(c->Chk_Remoto->isChecked());
    QVERIFY(!c->Chk_Attivita_Linea->isChecked());
    QCOMPARE(c->Chk_Remoto->text(), QStringLiteral("Mantieni strumenti in < Remoto >"));
    QCOMPARE(c->Lab_CT_UM->text(), QStringLiteral("°C"));
}

void TestComunicazioni::pannelloPorta()
{
    carica("[COM]\nPorta=3\nFormato=19200,N,8,1\n");
    // The program folder has no COM3 and the machine no fourth serial port.
    QCOMPARE(f_->mainForm->Pannello(5)->text(), QStringLiteral("Nessuna COM"));
    QVERIFY(!PortaSerialeValida);
    QCOMPARE(f_->mainForm->Pannello(2)->text(), QStringLiteral("Standby"));
}

void TestComunicazioni::armaAvvioAutomatico_data()
{
    // How the operator reloads the configuration during the countdown.
    QTest::addColumn<QString>("ricarica");
    QTest::newRow("pagina aperta") << "pagina";
    QTest::newRow("avvio automatico scelto di nuovo") << "menu";
}

void TestComunicazioni::armaAvvioAutomatico()
{
    QFETCH(QString, ricarica);
    MainForm* m = f_->mainForm;
    Comunicazioni* c = f_->comunicazioni;
    carica("[Generale]\nAutoAvvio=0\n");
    QVERIFY(!m->TimerAutoStart->isActive());
    AvvioInCorso = true;
    carica("[Generale]\nAutoAvvio=0\n");
    const int restante = m->TimerAutoStart->remainingTime();
    QElapsedTimer trascorso;
    trascorso.start();
    QVERIFY(m->TimerAutoStart->isActive());
    QCOMPARE(m->TimerAutoStart->interval(), 10000);
    QCOMPARE(m->Timer_Lampeggio->interval(), 350);
    QCOMPARE(m->Pannello(4)->text(), QStringLiteral("Avvio in corso..."));
    // A reload during the countdown arms it again but does not restart it: the start comes when
    // it was first due. Waited past the timer's own slack (5% of 10 s) so a restart shows; the
    // clock runs between the two readings of the timer, so a slow machine only widens the margin.
    QTest::qWait(1500);
    if (ricarica == QLatin1String("pagina"))
        c->MenuInterruttori->trigger();
    else
        c->MenuAvvioAuto[0]->trigger();
    QVERIFY(m->TimerAutoStart->isActive());
    const qint64 passati = trascorso.elapsed();
    const int ora = m->TimerAutoStart->remainingTime();
    QVERIFY2(ora <= restante - passati + 10,
             qPrintable(QStringLiteral("restano %1 ms; %2 ms fa ne restavano %3").arg(ora).arg(passati).arg(restante)));
    // Choosing manual start during the countdown does not stop it.
    carica("[Generale]\nAutoAvvio=1\n");
    QVERIFY(m->TimerAutoStart->isActive());
    QVERIFY(f_->comunicazioni->MenuAvvioAuto[1]->isChecked());
}

QTEST_MAIN(TestComunicazioni)
#include "tst_comunicazioni.moc"
