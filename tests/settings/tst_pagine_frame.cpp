// The settings window's frame and its serial, door-opener and webcam pages, offscreen, on real
// settings files in a temporary program folder; message boxes scripted.
#include "turnotenuto.h"
#include "bancofinestra.h"
#include "cartellatemporanea.h"
#include "casellavalore.h"
#include "codabus.h"
#include "comunicazioni.h"
#include "dialoghifinti.h"
#include "finestre.h"
#include "generale.h"
#include "mainform.h"
#include "pagina_apriporta.h"
#include "pagina_ct.h"
#include "pagina_rs232.h"
#include "pagina_webcam.h"
#include "stampaliste.h"
#include "stampante.h"
#include "stampanteregistrata.h"
#include "testo1252.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPageLayout>
#include <QPrinter>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace Generale;
using Piattaforma::Programma;

namespace {

// The lines of one section, without the header.
QStringList sezione(const QByteArray& file, const QString& nome)
{
    QStringList righe;
    bool dentro = false;
    for (const QString& riga : Piattaforma::Da1252(file).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        if (riga.startsWith(QLatin1Char('[')))
            dentro = riga == QLatin1Char('[') + nome + QLatin1Char(']');
        else if (dentro)
            righe << riga;
    }
    return righe;
}

const char* const comCompleta = "[COM]\nPorta=2\nFormato=19200,N,8,1\nRetry=3\nTimeOut=450\nBase Remoto=5\n"
                                "Base Misura=120\nBase LED=7\nRemoto=1\nAttivita=0\n[Sinottico]\nSuonoAllarme=All.wav\n";
const char* const apriportaCompleto =
    "[Generale]\nApriporta=1\n[Sinottico]\nSuonoPorta=Porta.wav\n[Apriporta]\nNome=Cancello\nIndirizzo=12\n"
    "Decimali=1\nTempo=700\nREM_r=1,20\nREM_w=5,20\nOn_w=6,100\nVal_on=21,5\nOff_w=6,101\nVal_off=-3,0\n";

}  // namespace

class TestPagineFrame : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void menuOpzioni_data();
    void menuOpzioni();
    void pannelliMasterDueVolte();
    void cambioModo();
    void rileggiRimetteLePagine();
    void ricaricaDopoIlLavoroSulBus();
    void cambioModoDueVolteInAttesa_data();
    void cambioModoDueVolteInAttesa();
    void finestraFermaInAttesa_data();
    void finestraFermaInAttesa();
    void unaPaginaAllaVolta();
    void trascinamento();
    void programmi_data();
    void programmi();
    void cronotermostatoDaAccessorio();

    void listeDellePagine_data();
    void listeDellePagine();
    void aperturaSeriale_data();
    void aperturaSeriale();
    void salvataggioSeriale();
    void giroCompleto_data();
    void giroCompleto();
    void scritturaRifiutata();

    void apriporta();
    void apriportaUsoEUscita();
    void apriportaNomeENavigazione_data();
    void apriportaNomeENavigazione();
    void webcam_data();
    void webcam();

    void righeStampa();
    void stampaSuPdf();
    void stampaDelleListe_data();
    void stampaDelleListe();

private:
    void carica(const QString& ini, bool stagioni = true) { b_.carica(crlf(ini), stagioni); }
    QByteArray file() const { return b_.file(); }
    void scegli(QAction* voce);
    bool opera(const QString& nome);
    QStringList impronta() const;
    BancoFinestra b_;
    Comunicazioni* c_ = nullptr;
};

void TestPagineFrame::init()
{
    UtenteAmministratore = UtenteTecnico = false;
    QVERIFY(b_.prepara());
    c_ = b_.comunicazioni();
}

void TestPagineFrame::cleanup()
{
    Stampante::Imposta({});
    Stampante::NomeProdotto = {};
    b_.smonta();
}

// ---- Frame ----------------------------------------------------------------------------------------

void TestPagineFrame::menuOpzioni_data()
{
    QTest::addColumn<bool>("stagioni");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<int>("voce");
    QTest::addColumn<QString>("chiave");
    QTest::addColumn<int>("spuntata");  // the item checked afterwards
    QTest::newRow("avvio manuale") << true << "MenuAvvioAuto" << 1 << "AutoAvvio=1" << 1;
    QTest::newRow("avvio automatico") << true << "MenuAvvioAuto" << 0 << "AutoAvvio=0" << 0;
    QTest::newRow("grafici") << true << "MenuVediGraf" << 1 << "Grafico=1" << 1;
    QTest::newRow("ricette") << true << "Menu_Vedi_Ricette" << 1 << "Ricette=1" << 1;
    QTest::newRow("crono") << true << "MenuCronoT" << 1 << "Cronotermostato=1" << 1;
    QTest::newRow("crono in modo ricette") << false << "MenuCronoT" << 1 << "Cronotermostato=1" << 0;
    QTest::newRow("master") << true << "MenuMaster" << 1 << "Master=1" << 1;
}

void TestPagineFrame::menuOpzioni()
{
    QFETCH(bool, stagioni);
    QFETCH(QString, menu);
    QFETCH(int, voce);
    QFETCH(QString, chiave);
    QFETCH(int, spuntata);
    carica("[Generale]\nZone=0\n", stagioni);
    auto* a = c_->findChild<QAction*>(QStringLiteral("%1(%2)").arg(menu).arg(voce));
    QVERIFY(a);
    a->trigger();
    a->trigger();  // the same choice again writes the same value
    QVERIFY(sezione(file(), "Generale").contains(chiave));
    QVERIFY(c_->findChild<QAction*>(QStringLiteral("%1(%2)").arg(menu).arg(spuntata))->isChecked());
    QVERIFY(!c_->findChild<QAction*>(QStringLiteral("%1(%2)").arg(menu).arg(1 - spuntata))->isChecked());
}

void TestPagineFrame::pannelliMasterDueVolte()
{
    carica("[Generale]\nMaster=0\n");
    c_->MenuMS_Pan[2]->trigger();
    QVERIFY(sezione(file(), "Generale").contains("Master_3=1"));
    QVERIFY(ValoreAllineato[2] && c_->MenuMS_Pan[2]->isChecked());
    c_->MenuMS_Pan[2]->trigger();
    QVERIFY(sezione(file(), "Generale").contains("Master_3=0"));
    QVERIFY(!ValoreAllineato[2] && !c_->MenuMS_Pan[2]->isChecked());
    QVERIFY(!MasterSlaveAbilitato);
}

void TestPagineFrame::cambioModo()
{
    carica("[Generale]\nZone=1\nZone Unita=°F\n[Zona 01]\nIndirizzo=5\nPV_r=3,1\n");
    b_.cartella->scrivi("Quelvar2.ini", crlf("[Generale]\nZone=1\n[Zona 01]\nIndirizzo=9\nPV_r=4,7\n"
                                           "[Grafico]\nT_Min_Ass=0\nT_Max_Ass=1000\n"));
    auto* setPoint = c_->findChild<QComboBox*>("Cmb_CT_Temp");
    QVERIFY(setPoint);
    c_->MenuCambiaIni->trigger();
    QTRY_VERIFY(BusLibero());
    QCOMPARE(sezione(b_.cartella->leggi("Quelvar0.ini"), "Generale"), QStringList{"Modo=0"});
    QVERIFY(!ModoStagioni);
    QCOMPARE(FileImpostazioni, QStringLiteral("Quelvar2.ini"));
    QCOMPARE(c_->Lst_Letture->item(0)->text(), QStringLiteral("100>9:4,7 [0]"));
    // The set-points follow the other file's limits, and back its unit.
    QCOMPARE(setPoint->count(), 101);
    QCOMPARE(setPoint->itemText(100), QStringLiteral("1000"));
    c_->MenuCambiaIni->trigger();
    QTRY_VERIFY(BusLibero());
    QCOMPARE(sezione(b_.cartella->leggi("Quelvar0.ini"), "Generale"), QStringList{"Modo=1"});
    QCOMPARE(c_->Lst_Letture->item(0)->text(), QStringLiteral("100>5:3,1 [0]"));
    QCOMPARE(setPoint->count(), 37);
    QCOMPARE(setPoint->currentText(), QStringLiteral("68,0"));
}

void TestPagineFrame::rileggiRimetteLePagine()
{
    carica("[Generale]\nZone=0\n");
    b_.cartella->scrivi("Crono/Cronotermostato.cts", QByteArray("21,5\r\n").repeated(20370));
    c_->Pic_RS232->move(300, 200);
    c_->Cmd_Accessori[5]->setEnabled(false);
    UtenteTecnico = true;
    c_->MenuRileggiIni->trigger();
    QCOMPARE(c_->Pic_RS232->pos(), QPoint(8, 32));
    QVERIFY(c_->Pic_RS232->isHidden());
    QCOMPARE(TabellaCrono[0][0][0], 21.5f);
    QVERIFY(c_->Cmd_Accessori[5]->isEnabled());
    UtenteTecnico = false;
    c_->MenuRileggiDati->trigger();
    QVERIFY(!c_->Cmd_Accessori[5]->isEnabled());
}

void TestPagineFrame::ricaricaDopoIlLavoroSulBus()
{
    carica("[Generale]\nZone=0\n");
    b_.cartella->scrivi(FileImpostazioni, crlf("[Generale]\nZone=1\n[Zona 01]\nIndirizzo=5\nPV_r=3,1\n"));
    {
        // A pass waiting on the line holds the bus: the re-read and the page menu wait for it.
        TurnoTenuto passata;
        c_->MenuRileggiIni->trigger();
        c_->MenuPorta->trigger();
        QCOMPARE(c_->Lst_Letture->count(), 0);
        QVERIFY(c_->Pic_RS232->isHidden());
        QCOMPARE(Acquisizione::LavoriInAttesa(), 2);
    }
    QTRY_VERIFY(BusLibero());
    QCOMPARE(c_->Lst_Letture->count(), 1);
    QVERIFY(c_->Pic_RS232->isVisible());
}

void TestPagineFrame::cambioModoDueVolteInAttesa_data()
{
    QTest::addColumn<bool>("stagioni");
    QTest::newRow("da stagioni") << true;
    QTest::newRow("da ricette") << false;
}

void TestPagineFrame::cambioModoDueVolteInAttesa()
{
    QFETCH(bool, stagioni);
    carica("[Generale]\nZone=1\n[Zona 01]\nIndirizzo=5\nPV_r=3,1\n", stagioni);
    b_.cartella->scrivi(stagioni ? "Quelvar2.ini" : "Quelvar1.ini",
                        crlf("[Generale]\nZone=1\n[Zona 01]\nIndirizzo=9\nPV_r=4,7\n"));
    {
        // Two clicks queued behind a pass: each switches from the mode its own turn finds.
        TurnoTenuto passata;
        c_->MenuCambiaIni_Click();
        c_->MenuCambiaIni_Click();
    }
    QTRY_VERIFY(BusLibero());
    QCOMPARE(sezione(b_.cartella->leggi("Quelvar0.ini"), "Generale"),
             QStringList{stagioni ? "Modo=1" : "Modo=0"});
    QCOMPARE(ModoStagioni, stagioni);
    QCOMPARE(FileImpostazioni, QString(stagioni ? "Quelvar1.ini" : "Quelvar2.ini"));
    QCOMPARE(c_->Lst_Letture->item(0)->text(), QStringLiteral("100>5:3,1 [0]"));
    QVERIFY(b_.dialoghi->mostrati.isEmpty());
}

// Chooses `voce` of the settings menu as the operator does: the menu bar opens the menu first.
void TestPagineFrame::scegli(QAction* voce)
{
    QMenuBar* barra = c_->BarraMenu;
    QTest::mouseClick(barra, Qt::LeftButton, {}, barra->actionGeometry(c_->MenuImposta->menuAction()).center());
    if (!c_->MenuImposta->isVisible())
        return;
    c_->MenuImposta->hide();
    voce->trigger();
}

// The operator's input on the control or menu item `nome`: a click, or "X" typed into a text box.
bool TestPagineFrame::opera(const QString& nome)
{
    if (auto* voce = c_->findChild<QAction*>(nome))
        scegli(voce);
    else if (auto* testo = c_->findChild<QLineEdit*>(nome))
        QTest::keyClicks(testo, "X");
    else if (auto* pulsante = c_->findChild<QAbstractButton*>(nome))
        // Near the left edge: on a box's mark, not beyond its text.
        QTest::mouseClick(pulsante, Qt::LeftButton, {}, QPoint(pulsante->height() / 2, pulsante->height() / 2));
    else
        return false;
    return true;
}

// What the files hold, the work waiting and what the settings window shows.
QStringList TestPagineFrame::impronta() const
{
    QStringList r;
    for (const char* nome : {"Quelvar0.ini", "Quelvar1.ini", "Quelvar2.ini"})
        r << QString::fromLatin1(b_.cartella->leggi(nome));
    r << QString::number(Acquisizione::LavoriInAttesa());
    for (QWidget* w : c_->findChildren<QWidget*>())
        if (w->isVisible())
            r << w->objectName();
    for (QAbstractButton* b : c_->findChildren<QAbstractButton*>())
        r << b->objectName() + (b->isChecked() ? "=1" : "=0");
    for (QAction* a : c_->findChildren<QAction*>())
        r << a->objectName() + (a->isChecked() ? "=1" : "=0");
    for (QLineEdit* t : c_->findChildren<QLineEdit*>())
        r << t->objectName() + "=" + t->text();
    return r;
}

void TestPagineFrame::finestraFermaInAttesa_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QString>("prima");      // chosen with the bus free; empty: nothing
    QTest::addColumn<QString>("clic");       // taken while the bus is busy: its work waits
    QTest::addColumn<QString>("tentativo");  // what the operator tries next, before that turn
    QTest::addColumn<QString>("pagina");     // the page shown once the work has run; empty: none
    QTest::addColumn<QString>("nomeFile");
    QTest::addColumn<QString>("nomeSezione");
    QTest::addColumn<QStringList>("righe");  // that section of that file afterwards
    QTest::newRow("apriporta spuntato e tolto")
        << "[Generale]\nApriporta=0\n[Apriporta]\nNome=Cancello\nIndirizzo=4\n" << "MenuApriPorta"
        << "Chk_UsaApriporta" << "Chk_UsaApriporta" << "Pic_Apriporta" << "Quelvar1.ini" << "Generale"
        << QStringList{"Apriporta=1"};
    QTest::newRow("due menu di pagina")
        << "[Generale]\nZone=0\n" << "" << "MenuInterruttori" << "MenuApriPorta" << "Pic_InterruttoriMB"
        << "Quelvar1.ini" << "Generale" << QStringList{"Zone=0"};
    QTest::newRow("opzione dopo il cambio di modo")
        << "[Generale]\nZone=0\n" << "" << "MenuCambiaIni" << "MenuVediGraf(1)" << "" << "Quelvar1.ini"
        << "Generale" << QStringList{"Zone=0"};
    QTest::newRow("scritto durante il salvataggio")
        << "[Generale]\nZone=1\n[Zona 01]\nNome=Forno\nIndirizzo=5\nPV_r=3,1\n" << "MenuZone"
        << "Cmd_ChiudiZone(2)" << "Txt_NomeLoop" << "Pic_ZoneMB" << "Quelvar1.ini" << "Zona 01"
        << QStringList{"Nome=Forno", "Indirizzo=5", "PV_r=3,1"};
}

void TestPagineFrame::finestraFermaInAttesa()
{
    QFETCH(QString, ini);
    QFETCH(QString, prima);
    QFETCH(QString, clic);
    QFETCH(QString, tentativo);
    QFETCH(QString, pagina);
    QFETCH(QString, nomeFile);
    QFETCH(QString, nomeSezione);
    QFETCH(QStringList, righe);
    carica(ini);
    b_.cartella->scrivi("Quelvar2.ini", crlf("[Generale]\nZone=0\n"));
    c_->OffriMenuImposta(true);  // an administrator's window, acquisition stopped
    if (!prima.isEmpty())
        QVERIFY(opera(prima));
    {
        TurnoTenuto passata;
        QVERIFY(opera(clic));
        QVERIFY(Acquisizione::LavoriInAttesa() > 0);
        // Refused whole: nothing written, asked for, typed or shown that the waiting work would
        // then overwrite or contradict.
        const QStringList finoA = impronta();
        QVERIFY(opera(tentativo));
        QCOMPARE(impronta(), finoA);
    }
    QTRY_VERIFY(BusLibero());
    QVERIFY(c_->isEnabled());
    QStringList mostrate;
    for (Pagina* p : c_->Pagine)
        if (p->isVisible())
            mostrate << p->objectName();
    QCOMPARE(mostrate, pagina.isEmpty() ? QStringList{} : QStringList{pagina});
    QCOMPARE(sezione(b_.cartella->leggi(nomeFile), nomeSezione), righe);
    QVERIFY(b_.dialoghi->mostrati.isEmpty());
}

void TestPagineFrame::unaPaginaAllaVolta()
{
    carica("[Generale]\nZone=0\n");
    c_->MenuPorta->trigger();
    QVERIFY(c_->Pic_RS232->isVisible());
    c_->MenuWebCam->trigger();
    QVERIFY(c_->Pic_WebCam->isVisible());
    int visibili = 0;
    for (Pagina* p : c_->Pagine)
        visibili += p->isVisible();
    QCOMPARE(visibili, 1);
    // The close box only hides, and offers the chrono button again.
    int nascosta = 0;
    c_->NascondiFinestra = [&] { ++nascosta; };
    c_->Cmd_Accessori[5]->setEnabled(false);
    c_->Form_QueryUnload();
    QCOMPARE(nascosta, 1);
    QVERIFY(c_->Cmd_Accessori[5]->isEnabled());
}

void TestPagineFrame::trascinamento()
{
    carica("[Generale]\nZone=0\n");
    c_->MenuPorta->trigger();
    Pagina* p = c_->Pic_RS232;
    QTest::mouseClick(p, Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(p->pos(), QPoint(8, 32));
    QTest::mousePress(p, Qt::RightButton, {}, QPoint(3, 3));
    QTest::mouseMove(p, QPoint(43, 23));
    QTest::mouseRelease(p, Qt::RightButton, {}, QPoint(3, 3));  // the pointer stayed on the grabbed point
    QCOMPARE(p->pos(), QPoint(48, 52));
    c_->RiempiListe(true);
    QCOMPARE(p->pos(), QPoint(8, 32));
    QVERIFY(p->isHidden());
    // The page menu puts it back as well.
    c_->MenuPorta->trigger();
    p->move(100, 100);
    c_->MenuPorta->trigger();
    QCOMPARE(p->pos(), QPoint(8, 32));
}

void TestPagineFrame::programmi_data()
{
    QTest::addColumn<QString>("comando");
    QTest::addColumn<int>("ruolo");
    QTest::addColumn<QString>("file");  // relative to the program folder; empty: no argument
    QTest::newRow("calcolatrice") << "0" << int(Programma::Calcolatrice) << "";
    QTest::newRow("blocco note") << "1" << int(Programma::EditorTesto) << "";
    QTest::newRow("registratore") << "2" << int(Programma::RegistratoreSuoni) << "";
    QTest::newRow("audio") << "3" << int(Programma::ImpostazioniAudio) << "";
    QTest::newRow("data e ora") << "4" << int(Programma::ImpostazioniDataOra) << "";
    QTest::newRow("edita dati") << "MenuEditaDati" << int(Programma::EditorTesto) << "Quelvar1.ini";
    QTest::newRow("edita feste") << "MenuEditaFeste" << int(Programma::EditorTesto) << "Crono/Festivita.cts";
}

void TestPagineFrame::programmi()
{
    QFETCH(QString, comando);
    QFETCH(int, ruolo);
    QFETCH(QString, file);
    carica("[Generale]\nZone=0\n");
    // A program folder with a blank in its name: the path is still one argument.
    const QString cartella = b_.cartella->percorso("Impianto Nord");
    QDir().mkpath(cartella);
    Piattaforma::ImpostaCartellaProgramma(cartella);
    QList<QPair<int, QStringList>> avviati;
    c_->AvviaProgramma = [&](Programma r, const QStringList& argomenti) {
        avviati.append({int(r), argomenti});
        return false;  // a missing program says nothing
    };
    bool indice = false;
    const int i = comando.toInt(&indice);
    if (indice)
        c_->Cmd_Accessori[i]->click();
    else
        c_->findChild<QAction*>(comando)->trigger();
    QCOMPARE(avviati.size(), 1);
    QCOMPARE(avviati[0].first, ruolo);
    QCOMPARE(avviati[0].second, file.isEmpty() ? QStringList{} : QStringList{cartella + "/" + file});
    QVERIFY(b_.dialoghi->mostrati.isEmpty());
}

void TestPagineFrame::cronotermostatoDaAccessorio()
{
    carica("[Generale]\nCronotermostato=1\n");
    c_->MenuPorta->trigger();
    c_->Cmd_Accessori[5]->setEnabled(true);  // a technician's window
    c_->Cmd_Accessori[5]->click();
    QVERIFY(!c_->Cmd_Accessori[5]->isEnabled());
    QVERIFY(c_->Pic_RS232->isHidden());
    QVERIFY(c_->Pic_CT->isVisible());
}

// ---- Serial page --------------------------------------------------------------------------------

void TestPagineFrame::listeDellePagine_data()
{
    QTest::addColumn<QString>("lista");
    QTest::addColumn<int>("quante");
    QTest::addColumn<QString>("prima");
    QTest::addColumn<QString>("ultima");
    QTest::addColumn<int>("selezione");  // -1: none, so no handler ran
    QTest::newRow("porta") << "Cmb_RS232" << 255 << "1" << "255" << -1;
    QTest::newRow("formato") << "Cmb_ImpRS232" << 5 << "1200,N,8,1" << "19200,N,8,1" << -1;
    QTest::newRow("retry") << "Cmb_Retry" << 5 << "1" << "5" << -1;
    QTest::newRow("time-out") << "Cmb_TimeOut" << 20 << "50" << "1000" << -1;
    QTest::newRow("ciclo remoto") << "Cmb_CicloRem" << 29 << "2" << "30" << -1;
    QTest::newRow("ciclo misura") << "Cmb_CicloMisura" << 296 << "5" << "300" << -1;
    QTest::newRow("ciclo LED") << "Cmb_CicloLED" << 30 << "1" << "30" << -1;
    QTest::newRow("zone usate") << "Cmb_ZoneUsate" << 31 << "0" << "30" << -1;
    QTest::newRow("indirizzo zona") << "Cmb_Indirizzo" << 255 << "1" << "255" << -1;
    QTest::newRow("decimali zona") << "Cmb_Decimali" << 4 << "0" << "3" << -1;
    QTest::newRow("minimo assoluto") << "Cmb_MinAss" << 3 << "0" << "-200" << -1;
    QTest::newRow("massimo assoluto") << "Cmb_MaxAss" << 15 << "100" << "1500" << -1;
    QTest::newRow("unita") << "Cmd_Umisura" << 3 << "°C" << "EU" << -1;
    QTest::newRow("interruttori usati") << "Cmb_InterruttoriUsati" << 11 << "0" << "10" << -1;
    QTest::newRow("indirizzo interruttore") << "Cmb_IndirizzoInt" << 255 << "1" << "255" << -1;
    QTest::newRow("decimali interruttore") << "Cmb_DecimaliInt" << 4 << "0" << "3" << -1;
    QTest::newRow("indirizzo apriporta") << "Cmb_Indirizzo_AP" << 255 << "1" << "255" << -1;
    QTest::newRow("decimali apriporta") << "Cmb_Decimali_AP" << 4 << "0" << "3" << -1;
    QTest::newRow("tempo apriporta") << "Cmd_Tempo_AP" << 20 << "100" << "2000" << -1;
    QTest::newRow("LED usati") << "Cmb_LEDUsati" << 11 << "0" << "10" << -1;
    QTest::newRow("indirizzo LED") << "Cmb_IndirizzoLED" << 255 << "1" << "255" << -1;
    QTest::newRow("decimali LED") << "Cmb_DecimaliLED" << 4 << "0" << "3" << -1;
    QTest::newRow("condizione LED") << "Cmb_DisLED" << 6 << "Maggiore o uguale" << "Diverso" << -1;
    QTest::newRow("colore LED") << "Cmb_ColoreLED" << 5 << "Verde" << "Giallo" << -1;
    QTest::newRow("dalle ore") << "Cmb_DalleOre" << 96 << "00:00" << "23:45" << 0;
    QTest::newRow("giorno") << "Cmb_Giorno" << 7 << "Lunedì" << "Domenica" << 0;
}

void TestPagineFrame::listeDellePagine()
{
    QFETCH(QString, lista);
    QFETCH(int, quante);
    QFETCH(QString, prima);
    QFETCH(QString, ultima);
    QFETCH(int, selezione);
    carica("[Generale]\nZone=0\n");
    c_->MenuRileggiDati->trigger();  // a second filling doubles nothing
    auto* l = c_->findChild<QComboBox*>(lista);
    QVERIFY(l);
    QCOMPARE(l->count(), quante);
    QCOMPARE(l->itemText(0), prima);
    QCOMPARE(l->itemText(quante - 1), ultima);
    QCOMPARE(l->currentIndex(), selezione);
}

void TestPagineFrame::aperturaSeriale_data()
{
    QTest::addColumn<QString>("com");
    QTest::addColumn<QStringList>("mostrati");  // the seven lists; "" = none selected
    QTest::addColumn<bool>("remoto");
    QTest::addColumn<bool>("attivita");
    QTest::addColumn<QString>("suono");
    QTest::newRow("senza COM") << "" << QStringList{"1", "9600,N,8,1", "1", "500", "3", "60", "3"} << false << false
                               << "";
    QTest::newRow("completa") << comCompleta << QStringList{"2", "19200,N,8,1", "3", "450", "5", "120", "7"} << true
                              << false << "All.wav";
    QTest::newRow("fuori elenco") << "[COM]\nPorta=0\nTimeOut=425\nBase Misura=400\nRemoto=2\nAttivita=x\n"
                                     "[Sinottico]\nSuonoAllarme=  a b.wav  \n"
                                  << QStringList{"", "9600,N,8,1", "1", "", "3", "", "3"} << false << false << "a b.wav";
    // The boxes are ticked for what the load runs as on, and only for that.
    const QStringList predefiniti{"1", "9600,N,8,1", "1", "500", "3", "60", "3"};
    QTest::newRow("spunte, 1 in altra forma") << "[COM]\nRemoto = 1,0\nAttivita= 1 \n" << predefiniti << true << true << "";
    QTest::newRow("spunte, altri numeri") << "[COM]\nRemoto=-1\nAttivita=2\n" << predefiniti << false << false << "";
}

void TestPagineFrame::aperturaSeriale()
{
    QFETCH(QString, com);
    QFETCH(QStringList, mostrati);
    QFETCH(bool, remoto);
    QFETCH(bool, attivita);
    QFETCH(QString, suono);
    // An earlier opening on other values leaves nothing behind.
    carica("[COM]\nPorta=7\nTimeOut=300\nBase Misura=90\n");
    c_->MenuPorta->trigger();
    b_.cartella->scrivi(FileImpostazioni, crlf(com));
    c_->MenuPorta->trigger();
    PaginaRS232* p = c_->Pic_RS232;
    QVERIFY(p->isVisible());
    for (int k = 0; k < PaginaSeriale::NumeroListe; ++k)
        QCOMPARE(Impostazioni::TestoSelezionato(p->Liste[k]), mostrati[k]);
    QCOMPARE(p->Chk_Remoto->isChecked(), remoto);
    QCOMPARE(p->Chk_Remoto->isChecked(), ModoRemoto);
    QCOMPARE(p->Chk_Attivita_Linea->isChecked(), attivita);
    QCOMPARE(p->Txt_SuonoAllarme->text(), suono);
}

void TestPagineFrame::salvataggioSeriale()
{
    carica("[Generale]\nZone=0\n[COM]\nPorta=0\n");
    c_->MenuPorta->trigger();
    PaginaRS232* p = c_->Pic_RS232;
    p->Cmb_TimeOut->setCurrentIndex(p->Cmb_TimeOut->findText("250"));
    p->Chk_Remoto->setChecked(true);
    p->Txt_SuonoAllarme->setText(" Allarme.wav ");
    p->Cmd_Chiudi_RS232[0]->click();
    // The port list had no entry selected: the stored port stays. Only what was changed is
    // written, in the page's order; the keys the file lacks and nobody touched stay missing.
    QCOMPARE(sezione(file(), "COM"), (QStringList{"Porta=0", "TimeOut=250", "Remoto=1"}));
    QCOMPARE(sezione(file(), "Sinottico"), QStringList{"SuonoAllarme= Allarme.wav "});
    QVERIFY(p->isHidden());
    QCOMPARE(MBus::AttesaRisposta, 0.25f);
    QVERIFY(ModoRemoto);
}

void TestPagineFrame::giroCompleto_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("salva");
    QTest::newRow("seriale") << comCompleta << "MenuPorta" << "Cmd_Chiudi_RS232(0)";
    QTest::newRow("apriporta") << apriportaCompleto << "MenuApriPorta" << "Cmd_Chiudi_AP";
    // Coils take no decimals: the device's one decimal must not turn the ON value 1 into 0,1.
    QTest::newRow("apriporta a bobine") << "[Generale]\nApriporta=1\n[Sinottico]\nSuonoPorta=Porta.wav\n[Apriporta]\n"
                                           "Nome=Cancello\nIndirizzo=20\nDecimali=1\nTempo=1000\nREM_r=1,10\n"
                                           "REM_w=5,10\nOn_w=5,1\nVal_on=1\nOff_w=5,1\nVal_off=0\n"
                                        << "MenuApriPorta" << "Cmd_Chiudi_AP";
    QTest::newRow("webcam") << "[Generale]\nWebcam=1\n[Webcam]\nNome=Ingresso nord\n" << "MenuWebCam"
                            << "Cmd_Chiudi_WC(0)";
}

void TestPagineFrame::giroCompleto()
{
    QFETCH(QString, ini);
    QFETCH(QString, menu);
    QFETCH(QString, salva);
    carica(ini);
    const QByteArray prima = file();
    c_->findChild<QAction*>(menu)->trigger();
    c_->findChild<QAbstractButton*>(salva)->click();
    QCOMPARE(file(), prima);
    QVERIFY(b_.dialoghi->mostrati.isEmpty());
}

void TestPagineFrame::scritturaRifiutata()
{
    carica(comCompleta);
    c_->MenuPorta->trigger();
    c_->Pic_RS232->Cmb_Retry->setCurrentIndex(4);
    // The settings file can no longer be replaced: a folder stands in its place.
    QFile::remove(b_.cartella->percorso(FileImpostazioni));
    QDir().mkpath(b_.cartella->percorso(FileImpostazioni));
    c_->Pic_RS232->Cmd_Chiudi_RS232[0]->click();
    QCOMPARE(b_.dialoghi->mostrati.size(), 1);
    QCOMPARE(b_.dialoghi->mostrati[0].icona, Piattaforma::IconaDialogo::Esclamazione);
    // The reload shows what the (unreadable) file holds: the defaults.
    QCOMPARE(MBus::NumeroTentativi, 1L);
}

// ---- Door opener page ----------------------------------------------------------------------------

void TestPagineFrame::apriporta()
{
    carica(apriportaCompleto);
    c_->DecimaliPagina = 3;  // left by the switches page
    c_->MenuApriPorta->trigger();
    PaginaApriporta* p = c_->Pic_Apriporta;
    QVERIFY(p->isVisible() && p->Chk_UsaApriporta->isChecked());
    QCOMPARE(c_->DecimaliPagina, 1);
    QStringList caselle;
    for (auto* b : p->Txt_ZoneMB_AP)
        caselle << b->text();
    QCOMPARE(caselle, (QStringList{"", "", "6", "100", "21,5", "", "", "6", "101", "-3,0", "1", "20", "5", "20"}));
    for (int i : {0, 1, 5, 6})
        QVERIFY(!p->Txt_ZoneMB_AP[i]->isEnabled());
    QCOMPARE(Impostazioni::TestoSelezionato(p->Cmb_Indirizzo_AP), QStringLiteral("12"));
    QCOMPARE(Impostazioni::TestoSelezionato(p->Cmd_Tempo_AP), QStringLiteral("700"));
    QCOMPARE(p->Txt_NomeApriporta->text(), QStringLiteral("Cancello"));
    QCOMPARE(p->Txt_Suono->text(), QStringLiteral("Porta.wav"));

    // Two decimals: the values follow; REM_w emptied is written empty.
    p->Cmb_Decimali_AP->setCurrentIndex(2);
    QCOMPARE(p->Txt_ZoneMB_AP[4]->text(), QStringLiteral("21,50"));
    p->Txt_ZoneMB_AP[12]->clear();
    p->Txt_ZoneMB_AP[13]->clear();
    // A value the load could not take is refused: nothing written, the page stays on the box.
    const QByteArray prima = file();
    p->Txt_ZoneMB_AP[9]->setText("-");
    p->Cmd_Chiudi_AP->click();
    QCOMPARE(b_.dialoghi->mostrati.size(), 1);
    QVERIFY(b_.dialoghi->mostrati[0].testo.contains("Spegnimento (OFF)"));
    QCOMPARE(file(), prima);
    QVERIFY(p->isVisible());
    QCOMPARE(QApplication::focusWidget(), p->Txt_ZoneMB_AP[9]);
    p->Txt_ZoneMB_AP[9]->setText("-3");
    p->Cmd_Chiudi_AP->click();
    QCOMPARE(sezione(file(), "Apriporta"),
             (QStringList{"Nome=Cancello", "Indirizzo=12", "Decimali=2", "Tempo=700", "REM_r=1,20", "REM_w=",
                          "On_w=6,100", "Val_on=21,50", "Off_w=6,101", "Val_off=-3,00"}));
    QCOMPARE(MappaScritturaApriporta[0][ValoreON], 2150);
    QVERIFY(p->isHidden());
}

void TestPagineFrame::apriportaUsoEUscita()
{
    carica("[Generale]\nApriporta=0\n[Apriporta]\nNome=Vecchio\nIndirizzo=4\n");
    c_->MenuApriPorta->trigger();
    PaginaApriporta* p = c_->Pic_Apriporta;
    QVERIFY(!p->Txt_NomeApriporta->isEnabled() && p->Txt_NomeApriporta->text().isEmpty());
    // Ticking writes at once; leaving without saving keeps it.
    p->Chk_UsaApriporta->click();
    QVERIFY(sezione(file(), "Generale").contains("Apriporta=1"));
    QCOMPARE(ApriportaPresente, 1);
    QCOMPARE(p->Txt_NomeApriporta->text(), QStringLiteral("Vecchio"));
    QCOMPARE(Impostazioni::TestoSelezionato(p->Cmb_Indirizzo_AP), QStringLiteral("4"));
    p->Cmd_Chiudi_AP2->click();
    QVERIFY(p->isHidden());
    QCOMPARE(ApriportaPresente, 1);
    // Cleared and saved: only the use key is written, the old values stay for the next tick.
    c_->MenuApriPorta->trigger();
    p->Chk_UsaApriporta->click();
    QVERIFY(p->Txt_ZoneMB_AP[4]->text().isEmpty());
    const QStringList apriporta = sezione(file(), "Apriporta");
    p->Cmd_Chiudi_AP->click();
    QVERIFY(sezione(file(), "Generale").contains("Apriporta=0"));
    QCOMPARE(sezione(file(), "Apriporta"), apriporta);
    QCOMPARE(ApriportaPresente, 0);
}

void TestPagineFrame::apriportaNomeENavigazione_data()
{
    QTest::addColumn<bool>("stagioni");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("mostrato");
    QTest::newRow("stagioni senza nome") << true << "" << "Apricancello";
    QTest::newRow("ricette senza nome") << false << "" << "Accensione";
    QTest::newRow("col nome") << false << "Portone" << "Portone";
}

void TestPagineFrame::apriportaNomeENavigazione()
{
    QFETCH(bool, stagioni);
    QFETCH(QString, nome);
    QFETCH(QString, mostrato);
    carica("[Generale]\nApriporta=1\n[Apriporta]\nIndirizzo=3\nDecimali=1\nNome=" + nome + "\n", stagioni);
    c_->MenuApriPorta->trigger();
    PaginaApriporta* p = c_->Pic_Apriporta;
    QCOMPARE(p->Txt_NomeApriporta->text(), mostrato);
    // Points not configured: the values show empty, not as -1 register units ("-0,1").
    QVERIFY(p->Txt_ZoneMB_AP[4]->text().isEmpty() && p->Txt_ZoneMB_AP[9]->text().isEmpty());
    // Enter runs 2, 3, 4, 7, 8, 9, 10, 11, 12, 13 and back to 2.
    QList<int> giro;
    p->Txt_ZoneMB_AP[2]->setFocus();
    for (int passo = 0; passo < 10; ++passo) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        giro << int(std::find(p->Txt_ZoneMB_AP.begin(), p->Txt_ZoneMB_AP.end(), QApplication::focusWidget()) -
                    p->Txt_ZoneMB_AP.begin());
    }
    QCOMPARE(giro, (QList<int>{3, 4, 7, 8, 9, 10, 11, 12, 13, 2}));
}

// ---- Webcam page ---------------------------------------------------------------------------------

void TestPagineFrame::webcam_data()
{
    QTest::addColumn<bool>("usa");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QStringList>("webcam");
    QTest::newRow("tolta") << false << "" << QStringList{"Nome="};
    QTest::newRow("nome lungo") << true << " " + QString(49, 'x') + "yyyyyyyyyy" << QStringList{"Nome=" + QString(49, 'x')};
    QTest::newRow("spazio finale") << true << "Cam ovest " << QStringList{"Nome=Cam ovest "};
}

void TestPagineFrame::webcam()
{
    QFETCH(bool, usa);
    QFETCH(QString, nome);
    QFETCH(QStringList, webcam);
    carica("[Generale]\nWebcam=1\n[Webcam]\nNome=Ingresso\n");
    c_->MenuWebCam->trigger();
    PaginaWebcam* p = c_->Pic_WebCam;
    QCOMPARE(p->Txt_Nome_WC->text(), QStringLiteral("Ingresso"));
    if (!usa)
        p->Chk_Webcam->click();
    QCOMPARE(p->Txt_Nome_WC->isEnabled(), usa);
    if (usa)
        p->Txt_Nome_WC->setText(nome);
    p->Cmd_Chiudi_WC[0]->click();
    QVERIFY(sezione(file(), "Generale").contains(usa ? "Webcam=1" : "Webcam=0"));
    QCOMPARE(sezione(file(), "Webcam"), webcam);
    QCOMPARE(WebcamPresente, usa ? 1 : 0);
    // Ticking and leaving without saving changes nothing.
    const QByteArray prima = file();
    c_->MenuWebCam->trigger();
    p->Chk_Webcam->click();
    p->Cmd_Chiudi_WC[1]->click();
    QCOMPARE(file(), prima);
}

// ---- Printout ------------------------------------------------------------------------------------

void TestPagineFrame::righeStampa()
{
    const std::array<QStringList, 4> liste = {QStringList{"a1", "a2", "a3"}, QStringList{"b1", "b2", "b3", "b4", "b5", "b6", "b7"},
                                              QStringList{}, QStringList{"d1"}};
    const auto righe = StampaListe::Righe(liste);
    QCOMPARE(righe.size(), 7);
    QCOMPARE(righe[0], (std::array<QString, 4>{"a1", "b1", "", "d1"}));
    QCOMPARE(righe[3], (std::array<QString, 4>{"", "b4", "", ""}));
    QCOMPARE(StampaListe::RigaData(QDateTime(QDate(2026, 3, 5), QTime(7, 4, 9))),
             QStringLiteral("DATA E ORA = 05/03/2026 / 07:04:09"));

    // Laid out on a page: the rows' texts on the four columns of the small font.
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(b_.cartella->percorso("prova.pdf"));
    const QRectF area(0, 0, 11000, 6000);  // about a landscape sheet's width: the columns fit
    const auto testi = StampaListe::Impagina(&pdf, area, " Quelvar ", liste, QDateTime::currentDateTime());
    QCOMPARE(testi.size(), 2 + 3 + 7 + 1);
    QCOMPARE(testi[0].testo, QStringLiteral("Quelvar"));
    QVERIFY(testi[0].font.bold());
    QVERIFY(testi[1].testo.startsWith("DATA E ORA = "));
    const double carattere = QFontMetricsF(testi[1].font, &pdf).horizontalAdvance('x');
    QCOMPARE(testi[0].posizione.x(), 34 * QFontMetricsF(testi[0].font, &pdf).horizontalAdvance('x'));
    QCOMPARE(testi[1].posizione.x(), 9 * carattere);
    QCOMPARE(testi[2].testo, QStringLiteral("a1"));
    QCOMPARE(testi[3].testo, QStringLiteral("b1"));
    QCOMPARE(testi[3].posizione.x(), 49 * carattere);
    QCOMPARE(testi[4].testo, QStringLiteral("d1"));
    QCOMPARE(testi[4].posizione.x(), 129 * carattere);
    QCOMPARE(testi[4].posizione.y(), testi[2].posizione.y());
    QCOMPARE(testi.last().testo, QStringLiteral("b7"));

    // A long list goes on over the pages; the heading is not repeated.
    const std::array<QStringList, 4> lunghe = {QStringList(400, "x"), {}, {}, {}};
    const auto pagine = StampaListe::Impagina(&pdf, area, "Quelvar", lunghe, QDateTime::currentDateTime());
    QVERIFY(pagine.last().pagina > 0);
    QCOMPARE(std::count_if(pagine.begin(), pagine.end(), [](const auto& t) { return t.testo == "Quelvar"; }), 1);
}

void TestPagineFrame::stampaSuPdf()
{
    carica("[Generale]\nZone=2\n[Zona 01]\nIndirizzo=5\nPV_r=3,1\nSP_r=3,2\nREM_w=5,9\n[Zona 02]\nIndirizzo=6\n"
           "PV_r=3,1\n");
    const QString percorso = b_.cartella->percorso("liste.pdf");
    Stampante::Imposta([&] {
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(percorso);
        return p;
    });
    b_.dialoghi->risposte.enqueue(Piattaforma::RispostaDialogo::No);
    c_->Cmd_Stampa->click();
    QVERIFY(!QFile::exists(percorso));
    QCOMPARE(b_.dialoghi->mostrati[0].testo, QStringLiteral("Stampare le liste di comunicazione sulla stampate predefinita ?"));
    QCOMPARE(b_.dialoghi->mostrati[0].titolo, QStringLiteral("Stampa elenco comunicazione"));
    QCOMPARE(b_.dialoghi->mostrati[0].icona, Piattaforma::IconaDialogo::Domanda);
    b_.dialoghi->risposte.enqueue(Piattaforma::RispostaDialogo::Si);
    c_->Cmd_Stampa->click();
    QFile pdf(percorso);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.readAll().startsWith("%PDF"));
    QCOMPARE(b_.dialoghi->mostrati.size(), 2);
    Stampante::Imposta({});
}

void TestPagineFrame::stampaDelleListe_data()
{
    QTest::addColumn<int>("zone");  // each zone reads and writes five values and its remote bit
    QTest::addColumn<int>("fogli");
    QTest::addColumn<QPageLayout::Orientation>("verso");
    QTest::newRow("quattro liste, una per colonna") << 2 << 1 << QPageLayout::Landscape;
    QTest::newRow("liste lunghe su tre fogli, nessuna riga tagliata") << 30 << 3 << QPageLayout::Landscape;
    // A portrait page is narrower than the four columns: they close up, the last one still whole.
    QTest::newRow("foglio verticale, la quarta colonna non esce dal foglio") << 30 << 2 << QPageLayout::Portrait;
}

// The print button on the window, the printout as a printer receives it: the heading once, then
// each list down its own column, left to right in the window's order, every entry once and in
// order, every text wholly on its sheet.
void TestPagineFrame::stampaDelleListe()
{
    QFETCH(int, zone);
    QFETCH(int, fogli);
    QFETCH(QPageLayout::Orientation, verso);
    QString ini = QStringLiteral("[Generale]\nZone=%1\n").arg(zone);
    for (int z = 1; z <= zone; ++z)
        ini += QStringLiteral("[Zona %1]\nIndirizzo=%2\nREM_r=1,20\nPV_r=3,1\nSP_r=3,2\nAL1_r=3,3\nAL2_r=3,4\n"
                              "AL3_r=3,5\nREM_w=5,9\nPV_w=6,1\nSP_w=6,2\nAL1_w=6,3\nAL2_w=6,4\nAL3_w=6,5\n")
                   .arg(z, 2, 10, QLatin1Char('0'))
                   .arg(z);
    carica(ini);
    std::array<QStringList, 4> liste;
    for (int k = 0; k < 4; ++k) {
        for (int r = 0; r < c_->Liste[k]->count(); ++r)
            liste[k] << c_->Liste[k]->item(r)->text();
        QVERIFY(!liste[k].isEmpty());
    }
    auto registro = std::make_shared<RegistroStampa>();
    Stampante::Imposta([registro, verso] {
        return std::make_unique<StampanteRegistrata>(registro, QPageSize(QPageSize::A4), verso);
    });
    Stampante::NomeProdotto = [] { return QStringLiteral(" Quelvar "); };
    b_.dialoghi->risposte.enqueue(Piattaforma::RispostaDialogo::Si);
    QTest::mouseClick(c_->Cmd_Stampa, Qt::LeftButton);
    QCOMPARE(registro->fogli, fogli);

    const auto& scritti = registro->testi;
    QVERIFY(scritti.size() > 2);
    QCOMPARE(scritti[0].testo, QStringLiteral("Quelvar"));
    QVERIFY(scritti[1].testo.startsWith("DATA E ORA = "));
    QCOMPARE(scritti[1].foglio, 1);
    // The columns are told apart by where their texts start, left to right.
    QList<qreal> inizi;
    for (qsizetype i = 2; i < scritti.size(); ++i)
        if (!inizi.contains(scritti[i].dove.left()))
            inizi << scritti[i].dove.left();
    std::sort(inizi.begin(), inizi.end());
    std::array<QStringList, 4> stampate;
    for (qsizetype i = 2; i < scritti.size(); ++i) {
        const auto k = inizi.indexOf(scritti[i].dove.left());
        QVERIFY2(k < 4, qPrintable(scritti[i].testo));
        stampate[k] << scritti[i].testo;
    }
    for (int k = 0; k < 4; ++k)
        QVERIFY2(stampate[k] == liste[k], qPrintable(QStringLiteral("%1: %2 voci stampate su %3")
                                                         .arg(c_->Lab_Comunica[k]->text())
                                                         .arg(stampate[k].size())
                                                         .arg(liste[k].size())));
    for (const auto& s : scritti)
        QVERIFY2(registro->area().contains(s.dove),
                 qPrintable(QStringLiteral("%1 sul foglio %2 occupa x %3..%4, y %5..%6; l'area stampabile %7 x %8")
                                .arg(s.testo)
                                .arg(s.foglio)
                                .arg(s.dove.left())
                                .arg(s.dove.right())
                                .arg(s.dove.top())
                                .arg(s.dove.bottom())
                                .arg(registro->area().width())
                                .arg(registro->area().height())));
}

QTEST_MAIN(TestPagineFrame)
#include "tst_pagine_frame.moc"
