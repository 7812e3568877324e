// The main window on the real windows: one work window at a time with menu marks, toolbar
// pictures and privileged controls; Start, Stop, Re-read and their refusals; the alarm blink and
// its sound; the exit and the About window; the pictures of the work windows' title-bar buttons.
#include "turnotenuto.h"
#include "allarmi.h"
#include "banco_shell.h"
#include "camerafinta.h"
#include "caricamento.h"
#include "codabus.h"
#include "comandi.h"
#include "comunicazioni.h"
#include "finestre.h"
#include "frm_about.h"
#include "frmlogin.h"
#include "generale.h"
#include "mainform.h"
#include "pannellistato.h"
#include "monitorerrori.h"
#include "sinottico.h"
#include "stagione.h"
#include "stile.h"
#include "storicogiornaliero.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStyleFactory>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <numeric>

using namespace BancoShell;

namespace {

enum Utente { Anonimo, Tecnico, Amministratore };

const char* const NomiMenu[6] = {"MenuLogin", "MenuSinottico", "MenuGrafico",
                                 "MenuStorico", "MenuStagione", "MenuComunicazione"};
constexpr int Pulsanti[6] = {1, 2, 3, 4, 5, 7};

}  // namespace

class TstMainForm : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void unaFinestraAllaVolta_data();
    void unaFinestraAllaVolta();
    void secondoClicNasconde();
    void chiusuraNasconde();
    void rifiuti_data();
    void rifiuti();
    void portaGuastaNonParte();
    void rileggiConservaLampeggio();
    void lampeggio_data();
    void lampeggio();
    void pulsante8();
    void fineProgramma_data();
    void fineProgramma();
    void fineAttendeIlBus();
    void about();
    void monitor();
    void storicoNonScritto();
    void cornici_data();
    void cornici();
    void immaginiCornici_data();
    void immaginiCornici();
    void durantePrimeLetture_data();
    void durantePrimeLetture();
    void pannelliDuranteIlRifiuto_data();
    void pannelliDuranteIlRifiuto();
    void bordiAdOgniLarghezza_data();
    void bordiAdOgniLarghezza();
    void messaggioCedePerPrimo_data();
    void messaggioCedePerPrimo();
    void settaggiDopoIlLavoro_data();
    void settaggiDopoIlLavoro();

private:
    QMdiSubWindow* cornice(int finestra) const;
    bool scegli(QMenuBar* barra, QMenu* menu, QAction* voce = nullptr);
    std::unique_ptr<CartellaTemporanea> cartella_;
    std::unique_ptr<Finestre> f_;
    MainForm* m_ = nullptr;
    Registro registro_;
};

void TstMainForm::init()
{
    cartella_ = std::make_unique<CartellaTemporanea>();
    cartella_->scrivi(QStringLiteral("Quelvar0.ini"), "[Generale]\r\nModo=1\r\n");
    cartella_->scrivi(QStringLiteral("Quelvar1.ini"), Impostazioni(0, "1"));
    StatoIniziale();
    f_ = std::make_unique<Finestre>();
    f_->Carica();
    m_ = f_->mainForm;
    registro_ = {};
    registro_.installa(m_);
    m_->SceltaComunicazione(false);
    m_->show();
}

void TstMainForm::cleanup()
{
    Generale::AcquisizioneAttiva = false;
    f_.reset();
}

QMdiSubWindow* TstMainForm::cornice(int finestra) const
{
    QMdiSubWindow* cornici[6] = {f_->finestraLogin, f_->finestraSinottico, f_->finestraGrafico,
                                 f_->finestraStorico, f_->finestraStagione, f_->finestraComunicazioni};
    return cornici[finestra];
}

void TstMainForm::unaFinestraAllaVolta_data()
{
    QTest::addColumn<int>("finestra");
    QTest::addColumn<int>("utente");
    QTest::addColumn<bool>("acquisizione");
    QTest::addColumn<bool>("webcam");  // the synoptic left with its webcam running
    const char* finestre[6] = {"login", "sinottico", "grafico", "storico", "stagione", "impostazioni"};
    const char* utenti[3] = {"anonimo", "tecnico", "amministratore"};
    for (int w = 0; w < 6; ++w)
        for (int u = 0; u < 3; ++u)
            for (bool a : {false, true})
                QTest::addRow("%s, %s, %s", finestre[w], utenti[u], a ? "in acquisizione" : "fermo")
                    << w << u << a << false;
    QTest::newRow("grafico, anonimo, fermo, webcam accesa sul sinottico") << 2 << int(Anonimo) << false << true;
}

void TstMainForm::unaFinestraAllaVolta()
{
    QFETCH(int, finestra);
    QFETCH(int, utente);
    QFETCH(bool, acquisizione);
    QFETCH(bool, webcam);
    CameraFinta* camera = nullptr;
    if (webcam) {
        // A plant with a webcam, on a camera the test watches.
        QByteArray impostazioni = Impostazioni(0, "1");
        impostazioni.replace("Webcam=0", "Webcam=1");
        cartella_->scrivi(QStringLiteral("Quelvar1.ini"), impostazioni + "[Webcam]\r\nNome=Cortile\r\n");
        Configurazione::CaricaImpostazioni();
        auto c = std::make_unique<CameraFinta>();
        camera = c.get();
        f_->sinottico->ImpostaCattura(std::move(c));
    }
    // Another window is open first, so the switch has to hide it.
    const int prima = finestra == 1 ? 2 : 1;
    m_->Toolbar_ButtonClick(Pulsanti[prima]);
    QVERIFY(cornice(prima)->isVisible());
    if (webcam) {
        QVERIFY(f_->sinottico->Cmd_Webcam->isVisible());
        QTest::mouseClick(f_->sinottico->Cmd_Webcam, Qt::LeftButton);
        QVERIFY(camera->InCattura());
    }

    Generale::UtenteTecnico = utente == Tecnico;
    Generale::UtenteAmministratore = utente == Amministratore;
    Generale::AcquisizioneAttiva = acquisizione;
    m_->findChild<QAction*>(QLatin1String(NomiMenu[finestra]))->trigger();

    // The recipe window is refused while acquisition runs; the window open before stays.
    const bool rifiutata = finestra == 4 && acquisizione;
    const int mostrata = rifiutata ? prima : finestra;
    QCOMPARE(registro_.pannello4InPausa, rifiutata ? QStringList{QStringLiteral("Operazione non permessa")} : QStringList());
    for (int w = 0; w < 6; ++w) {
        QCOMPARE(m_->findChild<QAction*>(QLatin1String(NomiMenu[w]))->isChecked(), w == mostrata);
        QCOMPARE(m_->ImmaginePulsante(Pulsanti[w]), w == mostrata ? 2 : 1);
        QCOMPARE(cornice(w)->isVisible(), w == mostrata);
    }
    QCOMPARE(Generale::StagioneAperta, mostrata == 4);
    QCOMPARE(Generale::ImpostazioniAperte, mostrata == 5);
    // The camera (and its sound) does not go on behind a hidden synoptic.
    if (webcam) {
        QVERIFY(!camera->InCattura());
        QVERIFY(f_->sinottico->Pic_WebCam->isHidden());
    }
    if (rifiutata)
        return;

    const bool diritti = utente != Anonimo;
    switch (finestra) {
    case 0:
        QVERIFY(!cornice(0)->isMaximized());
        QCOMPARE(m_->focusWidget(), f_->login->txtUserName);
        break;
    case 4:
        QVERIFY(cornice(4)->isMaximized());
        for (QPushButton* b : f_->stagione->Cmd_Stagione)
            QCOMPARE(b->isEnabled(), diritti);
        break;
    case 5:
        QCOMPARE(f_->comunicazioni->MenuImposta->menuAction()->isEnabled(),
                 utente == Amministratore && !acquisizione);
        QCOMPARE(f_->comunicazioni->Cmd_Accessori[5]->isEnabled(), diritti);
        break;
    default:
        QVERIFY(cornice(finestra)->isMaximized());
        break;
    }
}

void TstMainForm::secondoClicNasconde()
{
    m_->Toolbar_ButtonClick(2);
    f_->sinottico->Pic_Info->show();
    m_->MenuSinottico->trigger();
    QVERIFY(!m_->MenuSinottico->isChecked());
    QCOMPARE(m_->ImmaginePulsante(2), 1);
    for (int w = 0; w < 6; ++w)
        QVERIFY(!cornice(w)->isVisible());
    QVERIFY(!f_->sinottico->Pic_Info->isVisibleTo(f_->sinottico));
}

void TstMainForm::chiusuraNasconde()
{
    // The settings window's close box: hidden, mark and picture cleared, never destroyed.
    m_->Toolbar_ButtonClick(7);
    QVERIFY(Generale::ImpostazioniAperte);
    QVERIFY(!f_->finestraComunicazioni->close());
    QVERIFY(!f_->finestraComunicazioni->isVisible());
    QVERIFY(!m_->MenuComunicazione->isChecked());
    QCOMPARE(m_->ImmaginePulsante(7), 1);
    QVERIFY(!Generale::ImpostazioniAperte);
    // The login's close box is its Cancel: the boxes are emptied.
    m_->Toolbar_ButtonClick(1);
    f_->login->txtUserName->setText(QStringLiteral("Tecnico"));
    QVERIFY(!f_->finestraLogin->close());
    QVERIFY(!f_->finestraLogin->isVisible());
    QVERIFY(f_->login->txtUserName->text().isEmpty());
    QCOMPARE(m_->ImmaginePulsante(1), 1);
}

void TstMainForm::rifiuti_data()
{
    QTest::addColumn<QString>("comando");
    QTest::addColumn<bool>("acquisizione");
    QTest::addColumn<bool>("stagione");
    QTest::addColumn<bool>("rifiutato");
    QTest::addColumn<bool>("acquisizioneDopo");
    QTest::newRow("Start, fermo") << "start" << false << false << false << true;
    QTest::newRow("Start, ricette aperte") << "start" << false << true << true << false;
    QTest::newRow("Rileggi, fermo: niente") << "rileggi" << false << false << false << false;
    QTest::newRow("Rileggi, in acquisizione") << "rileggi" << true << false << false << true;
    QTest::newRow("Rileggi, ricette aperte") << "rileggi" << true << true << true << true;
    QTest::newRow("Stop, in acquisizione") << "stop" << true << false << false << false;
    QTest::newRow("Stop, ricette aperte: mai rifiutato") << "stop" << true << true << false << false;
    QTest::newRow("Stop, già fermo") << "stop" << false << false << false << false;
}

void TstMainForm::rifiuti()
{
    QFETCH(QString, comando);
    QFETCH(bool, acquisizione);
    QFETCH(bool, stagione);
    QFETCH(bool, rifiutato);
    QFETCH(bool, acquisizioneDopo);
    if (acquisizione) {
        m_->MenuStart_Click();
        QVERIFY(Generale::AcquisizioneAttiva);
    }
    // Opened after the start: the menu would refuse it while acquisition runs.
    if (stagione)
        Generale::MostraStagione(true);

    if (comando == QLatin1String("start"))
        m_->Toolbar_ButtonMenuClick(QStringLiteral("Start"));
    else if (comando == QLatin1String("stop"))
        m_->Toolbar_ButtonMenuClick(QStringLiteral("Stop"));
    else
        m_->Toolbar_ButtonMenuClick(QStringLiteral("Rileggi"));

    QCOMPARE(registro_.pannello4InPausa,
             rifiutato ? QStringList{QStringLiteral("Operazione non permessa")} : QStringList());
    QCOMPARE(m_->Pannello(4)->text(), QString());
    QCOMPARE(Generale::AcquisizioneAttiva, acquisizioneDopo);
    QCOMPARE(m_->Timer_Monitor->isActive(), acquisizioneDopo);
    QCOMPARE(m_->ImmaginePulsante(8), acquisizioneDopo ? 4 : 3);
    QCOMPARE(m_->Pannello(2)->text(), acquisizioneDopo ? QStringLiteral("Acquisizione") : QStringLiteral("Standby"));
}

void TstMainForm::portaGuastaNonParte()
{
    MBus::ComunicazioneReale = true;
    Generale::PortaSerialeValida = false;
    m_->MenuStart_Click();
    QVERIFY(!Generale::AcquisizioneAttiva);
    QVERIFY(registro_.pannello4InPausa.isEmpty());
    MBus::ComunicazioneReale = false;
}

void TstMainForm::rileggiConservaLampeggio()
{
    m_->MenuStart_Click();
    Generale::AllarmePresente = true;
    Generale::ImpostaLampeggio(true);
    m_->MenuRileggi_Click();
    QVERIFY(Generale::AcquisizioneAttiva);
    QVERIFY(Generale::LampeggioAllarme);
    QVERIFY(m_->Timer_Lampeggio->isActive());
    // Stop silences it, with the stopped picture.
    m_->MenuStop_Click();
    QVERIFY(!Generale::LampeggioAllarme);
    QVERIFY(!m_->Timer_Lampeggio->isActive());
    QCOMPARE(m_->ImmaginePulsante(8), 3);
    // Start brings the blinking of a latched alarm back.
    m_->MenuStart_Click();
    QVERIFY(Generale::LampeggioAllarme);
    QVERIFY(m_->Timer_Lampeggio->isActive());
}

void TstMainForm::lampeggio_data()
{
    QTest::addColumn<bool>("acquisizione");
    QTest::addColumn<bool>("avvioInCorso");
    QTest::addColumn<QString>("suono");
    QTest::newRow("in acquisizione, con suono") << true << false << QStringLiteral("Allarme.wav");
    QTest::newRow("in acquisizione, senza suono") << true << false << QString();
    QTest::newRow("avvio in corso") << false << true << QStringLiteral("Allarme.wav");
    QTest::newRow("fermo, avvio finito: si ferma da sé") << false << false << QStringLiteral("Allarme.wav");
}

void TstMainForm::lampeggio()
{
    QFETCH(bool, acquisizione);
    QFETCH(bool, avvioInCorso);
    QFETCH(QString, suono);
    Generale::AcquisizioneAttiva = acquisizione;
    Generale::AvvioInCorso = avvioInCorso;
    Generale::SuonoAllarme = suono;
    m_->FaseLampeggio = false;
    Generale::ImpostaLampeggio(true);
    QVERIFY(m_->Timer_Lampeggio->isActive());

    const bool continua = acquisizione || avvioInCorso;
    QList<int> immagini;
    QList<qint64> icone;
    for (int scatto = 0; scatto < 4; ++scatto) {
        m_->Timer_Lampeggio_Timer();
        immagini << m_->ImmaginePulsante(8);
        icone << m_->PulsanteToolbar(8)->icon().cacheKey();
        QCOMPARE(registro_.suoni.size(), suono.isEmpty() ? 0 : (scatto + 2) / 2);
        QCOMPARE(m_->Timer_Lampeggio->isActive(), continua);
    }
    QCOMPARE(immagini, (QList<int>{3, 4, 3, 4}));
    // Each phase shows one of the same two icons: a new icon a phase is a new entry in the
    // pixmap cache every 700 ms, for as long as the alarm stays latched.
    QCOMPARE(icone[2], icone[0]);
    QCOMPARE(icone[3], icone[1]);
    QVERIFY(icone[0] != icone[1]);
    if (!suono.isEmpty())
        QCOMPARE(registro_.suoni.first(), cartella_->percorso(suono));

    // Blinking off: the steady picture of the acquisition state; a tick then changes nothing.
    Generale::ImpostaLampeggio(false);
    QCOMPARE(m_->ImmaginePulsante(8), acquisizione ? 4 : 3);
    QCOMPARE(m_->PulsanteToolbar(8)->icon().cacheKey(), icone[acquisizione ? 1 : 0]);
    m_->Timer_Lampeggio_Timer();
    QCOMPARE(m_->ImmaginePulsante(8), acquisizione ? 4 : 3);
    QCOMPARE(registro_.suoni.size(), suono.isEmpty() ? 0 : 2);
}

void TstMainForm::pulsante8()
{
    m_->Toolbar_ButtonClick(8);
    QVERIFY(Generale::AcquisizioneAttiva);
    QVERIFY(!f_->allarmi->isVisible());
    m_->Toolbar_ButtonClick(8);
    QVERIFY(f_->allarmi->isVisible());
    QVERIFY(!f_->allarmi->Cmd_Chiudi[0]->isEnabled());  // anonymous: no reset
    // The drop-down: entries dispatched on their text.
    const QStringList voci = [&] {
        QStringList t;
        for (QAction* a : m_->MenuPulsante8->actions())
            if (!a->isSeparator())
                t << a->text();
        return t;
    }();
    QCOMPARE(voci, (QStringList{QStringLiteral("Start"), QStringLiteral("Stop"), QStringLiteral("Rileggi"),
                                QStringLiteral("Errori di comunicazione")}));
    m_->MenuPulsante8->actions().at(1)->trigger();
    QVERIFY(!Generale::AcquisizioneAttiva);
    // With the recipe window open the monitor does not open, silently.
    f_->allarmi->hide();
    Generale::StagioneAperta = true;
    m_->MenuErroriCOM_Click();
    QVERIFY(!f_->allarmi->isVisible());
    QVERIFY(registro_.pannello4InPausa.isEmpty());
}

void TstMainForm::fineProgramma_data()
{
    QTest::addColumn<bool>("acquisizione");
    QTest::addColumn<bool>("stagione");
    QTest::addColumn<bool>("termina");
    QTest::newRow("fermo") << false << false << true;
    QTest::newRow("in acquisizione") << true << false << false;
    QTest::newRow("ricette aperte") << false << true << false;
}

void TstMainForm::fineProgramma()
{
    QFETCH(bool, acquisizione);
    QFETCH(bool, stagione);
    QFETCH(bool, termina);
    if (acquisizione)
        m_->MenuStart_Click();
    Generale::StagioneAperta = stagione;
    QSignalSpy fine(m_, &MainForm::FineProgramma);
    // The close box is routed to "Fine programma".
    QCOMPARE(m_->close(), false);
    QVERIFY(m_->isVisible());
    QCOMPARE(fine.count(), termina ? 1 : 0);
    QCOMPARE(registro_.pannello4InPausa,
             termina ? QStringList() : QStringList{QStringLiteral("Operazione non permessa")});
    m_->MenuFine->trigger();
    QCOMPARE(fine.count(), termina ? 2 : 0);
}

void TstMainForm::fineAttendeIlBus()
{
    QSignalSpy fine(m_, &MainForm::FineProgramma);
    {
        // A command holds the line (waiting for a reply): the exit waits for it to end.
        TurnoTenuto comando;
        m_->MenuFine_Click();
        QCOMPARE(fine.count(), 0);
        QCOMPARE(Acquisizione::LavoriInAttesa(), 1);
    }
    QTRY_COMPARE(fine.count(), 1);
    // A Start asked for during the wait runs first; an exit asked for after it is refused at once.
    {
        TurnoTenuto comando;
        m_->MenuStart_Click();
        m_->MenuFine_Click();
    }
    QTRY_VERIFY(BusLibero());
    QVERIFY(Generale::AcquisizioneAttiva);
    QCOMPARE(fine.count(), 1);
    QCOMPARE(registro_.pannello4InPausa, QStringList{QStringLiteral("Operazione non permessa")});
}

void TstMainForm::about()
{
    m_->MenuStart_Click();
    m_->MenuAbout->trigger();
    QVERIFY(!m_->About() || !m_->About()->isVisible());
    QVERIFY(m_->isEnabled());
    QCOMPARE(registro_.pannello4InPausa, QStringList{QStringLiteral("Operazione non permessa")});

    m_->MenuStop_Click();
    m_->MenuAbout->trigger();
    QVERIFY(m_->About() && m_->About()->isVisible());
    QVERIFY(!m_->isEnabled());
    QVERIFY(m_->About()->isEnabled());
    QTest::mouseClick(m_->About()->cmdOK, Qt::LeftButton);
    QVERIFY(!m_->About()->isVisible());
    QVERIFY(m_->isEnabled());
    // The close box does the same; the window is kept for the next time.
    Frm_About* primo = m_->About();
    m_->MenuAbout_Click();
    QVERIFY(!m_->isEnabled());
    QVERIFY(!primo->close());
    QVERIFY(m_->isEnabled());
    QCOMPARE(m_->About(), primo);

    // Owned by the main window and centred over it; minimized, it comes back at once, or the
    // station would look frozen behind its disabled main window.
    m_->MenuAbout_Click();
    QCOMPARE(primo->parentWidget(), m_);
    QVERIFY((primo->frameGeometry().center() - m_->frameGeometry().center()).manhattanLength() <= 2);
    QVERIFY(!primo->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    primo->setWindowState(Qt::WindowMinimized);
    QCoreApplication::processEvents();
    QVERIFY(!primo->isMinimized());
    QVERIFY(primo->isVisible());
    QVERIFY(!m_->isEnabled());
    QTest::mouseClick(primo->cmdOK, Qt::LeftButton);
}

void TstMainForm::monitor()
{
    Generale::NomiZone[0] = QStringLiteral("Ingresso");
    for (int i = 0; i < Generale::ErroriPerAllarme; ++i)
        Generale::SegnalaErroreZona(0);
    QCOMPARE(f_->allarmi->Lst_AllarmiZ->count(), 1);
    QVERIFY(Generale::LampeggioAllarme);
    QVERIFY(m_->Timer_Lampeggio->isActive());

    Generale::UtenteTecnico = true;
    m_->MenuErroriCOM->trigger();
    QVERIFY(f_->allarmi->isVisible());
    QVERIFY(f_->allarmi->Cmd_Chiudi[0]->isEnabled());
    // Owned by the main window, opened over its middle, never left minimized on its own, and
    // still usable while About keeps the main window disabled.
    QCOMPARE(f_->allarmi->parentWidget(), m_);
    QVERIFY((f_->allarmi->frameGeometry().center() - m_->frameGeometry().center()).manhattanLength() <= 2);
    f_->allarmi->setWindowState(Qt::WindowMinimized);
    QCoreApplication::processEvents();
    QVERIFY(!f_->allarmi->isMinimized());
    m_->MenuAbout_Click();
    QVERIFY(!m_->isEnabled());
    QVERIFY(f_->allarmi->isEnabled());
    m_->About()->cmdOK_Click();
    // Close box and "Chiudi il monitor": hidden, nothing reset.
    QVERIFY(!f_->allarmi->close());
    QVERIFY(!f_->allarmi->isVisible());
    m_->MenuErroriCOM_Click();
    QTest::mouseClick(f_->allarmi->Cmd_Chiudi[1], Qt::LeftButton);
    QVERIFY(!f_->allarmi->isVisible());
    QCOMPARE(f_->allarmi->Lst_AllarmiZ->count(), 1);
    QVERIFY(Generale::AllarmePresente);
    // The reset: lists emptied, latches cleared, blinking off.
    m_->MenuErroriCOM_Click();
    QTest::mouseClick(f_->allarmi->Cmd_Chiudi[0], Qt::LeftButton);
    QVERIFY(!f_->allarmi->isVisible());
    QCOMPARE(f_->allarmi->Lst_AllarmiZ->count(), 0);
    QVERIFY(!Generale::AllarmePresente);
    QVERIFY(!Generale::LampeggioAllarme);
    QVERIFY(!m_->Timer_Lampeggio->isActive());
    QCOMPARE(m_->ImmaginePulsante(8), 3);
}

// History lines that cannot be written: one notice in panel 4 and in the monitor, no box; when
// writing resumes, a note in the monitor and panel 4 cleared. The reset of the communication
// errors leaves the notes.
void TstMainForm::storicoNonScritto()
{
    // A file where the folder should be: the folder cannot be made until the file goes.
    QVERIFY(QDir(cartella_->percorso(QStringLiteral("Dati"))).removeRecursively());
    QVERIFY(QFile(cartella_->percorso(QStringLiteral("Dati"))).open(QIODevice::WriteOnly));
    DialoghiScriptati dialoghi;
    for (int n = 0; n < 3; ++n)
        QVERIFY(!File_Ini::ScriviStorico(QStringLiteral("x;"), QDate(2026, 1, 2)));
    QVERIFY(m_->Pannello(4)->text().startsWith(File_Ini::TestoStoricoNonScritto));
    QCOMPARE(f_->allarmi->Lst_Storico->count(), 1);
    QCOMPARE(f_->allarmi->Lst_Storico->item(0)->text(), m_->Pannello(4)->text());
    QVERIFY(dialoghi.testi.isEmpty());

    QVERIFY(QFile::remove(cartella_->percorso(QStringLiteral("Dati"))));
    QVERIFY(File_Ini::ScriviStorico(QStringLiteral("x;"), QDate(2026, 1, 2)));
    QVERIFY(File_Ini::ScriviStorico(QStringLiteral("y;"), QDate(2026, 1, 2)));
    QCOMPARE(m_->Pannello(4)->text(), QString());
    QCOMPARE(f_->allarmi->Lst_Storico->count(), 2);
    QVERIFY(f_->allarmi->Lst_Storico->item(1)->text().startsWith(File_Ini::TestoStoricoRipreso));

    Generale::UtenteTecnico = true;
    m_->MenuErroriCOM_Click();
    QVERIFY(f_->allarmi->Lst_Storico->isVisible());
    QTest::mouseClick(f_->allarmi->Cmd_Chiudi[0], Qt::LeftButton);
    QCOMPARE(f_->allarmi->Lst_Storico->count(), 2);
}

void TstMainForm::durantePrimeLetture_data()
{
    QTest::addColumn<QString>("comando");
    QTest::addColumn<QString>("richiesta");
    QTest::newRow("Start, poi ricette") << "start" << "ricette";
    QTest::newRow("Start, poi informazioni") << "start" << "about";
    QTest::newRow("Rileggi, poi ricette") << "rileggi" << "ricette";
    QTest::newRow("Rileggi, poi impostazioni") << "rileggi" << "impostazioni";
}

void TstMainForm::durantePrimeLetture()
{
    // Start and Re-read read the plant with acquisition not yet (or no longer) marked as running,
    // and every wait for a reply lets the operator's clicks run. What is refused while acquisition
    // runs must not slip in there and stay open once it runs.
    QFETCH(QString, comando);
    QFETCH(QString, richiesta);
    Generale::UtenteAmministratore = true;
    if (comando == QLatin1String("rileggi"))
        m_->MenuStart_Click();
    QVERIFY(Generale::AcquisizioneAttiva == (comando == QLatin1String("rileggi")));
    bool chiesto = false;
    auto& ganci = Acquisizione::GanciAttivi();
    const auto pannello3 = ganci.Pannello3;
    ganci.Pannello3 = [&](const QString& testo) {
        if (!chiesto && testo == QLatin1String("Lettura...")) {
            chiesto = true;
            if (richiesta == QLatin1String("ricette"))
                m_->Toolbar_ButtonClick(5);
            else if (richiesta == QLatin1String("about"))
                m_->MenuAbout->trigger();
            else
                m_->Toolbar_ButtonClick(7);
        }
        pannello3(testo);
    };
    if (comando == QLatin1String("start"))
        m_->MenuStart->trigger();
    else
        m_->MenuRileggi->trigger();
    ganci.Pannello3 = pannello3;

    QVERIFY(chiesto);
    QVERIFY(Generale::AcquisizioneAttiva);
    QVERIFY(!Generale::StagioneAperta);
    QVERIFY(!f_->finestraStagione->isVisible());
    QVERIFY(!m_->About() || !m_->About()->isVisible());
    QVERIFY(m_->isEnabled());
    if (richiesta == QLatin1String("impostazioni")) {
        QVERIFY(Generale::ImpostazioniAperte);
        QVERIFY(!f_->comunicazioni->MenuImposta->menuAction()->isEnabled());
    } else {
        QCOMPARE(registro_.pannello4InPausa, QStringList{QStringLiteral("Operazione non permessa")});
    }
}

void TstMainForm::cornici_data()
{
    QTest::addColumn<int>("finestra");
    const char* finestre[6] = {"login", "sinottico", "grafico", "storico", "stagione", "impostazioni"};
    for (int w = 0; w < 6; ++w)
        QTest::newRow(finestre[w]) << w;
}

void TstMainForm::cornici()
{
    // A work window is always maximized in the main window, with no button to restore or
    // minimize it; the login opens at its own size in the middle of the area.
    QFETCH(int, finestra);
    m_->resize(1280, 900);
    QMdiSubWindow* c = cornice(finestra);
    QVERIFY(!c->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!c->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    m_->Toolbar_ButtonClick(Pulsanti[finestra]);
    QVERIFY(c->isVisible());
    if (finestra == 0) {
        QVERIFY(!c->isMaximized());
        const QPoint area = c->parentWidget()->rect().center();
        QVERIFY((c->geometry().center() - area).manhattanLength() <= 2);
        return;
    }
    QVERIFY(c->isMaximized());
    for (Qt::WindowState stato : {Qt::WindowMinimized, Qt::WindowNoState}) {
        c->setWindowState(stato);
        QCoreApplication::processEvents();
        QVERIFY(c->isMaximized());
        QVERIFY(c->isVisible());
    }
    QVERIFY(m_->findChild<QAction*>(QLatin1String(NomiMenu[finestra]))->isChecked());
}

void TstMainForm::immaginiCornici_data()
{
    QTest::addColumn<int>("immagine");
    QTest::newRow("menu di sistema") << int(QStyle::SP_TitleBarMenuButton);
    QTest::newRow("riduci") << int(QStyle::SP_TitleBarMinButton);
    QTest::newRow("ingrandisci") << int(QStyle::SP_TitleBarMaxButton);
    QTest::newRow("chiudi") << int(QStyle::SP_TitleBarCloseButton);
    QTest::newRow("ripristina") << int(QStyle::SP_TitleBarNormalButton);
    QTest::newRow("arrotola") << int(QStyle::SP_TitleBarShadeButton);
    QTest::newRow("srotola") << int(QStyle::SP_TitleBarUnshadeButton);
    QTest::newRow("guida") << int(QStyle::SP_TitleBarContextHelpButton);
}

void TstMainForm::immaginiCornici()
{
    // The maximized work window's buttons in the menu bar are painted again at every switch, and
    // each paint asks the style for their pictures: it must be the same icon every time, or each
    // paint is a new entry in the pixmap cache, whose keys Qt never lets go.
    QFETCH(int, immagine);
    const auto sp = QStyle::StandardPixmap(immagine);
    QStyle* stile = QApplication::style();
    QList<qint64> icone;
    for (int pulsante : {2, 3, 2}) {
        m_->Toolbar_ButtonClick(pulsante);
        m_->menuBar()->grab();
        icone << stile->standardIcon(sp, nullptr, m_->Area).cacheKey();
    }
    QCOMPARE(icone[1], icone[0]);
    QCOMPARE(icone[2], icone[0]);
    // Qt's own pictures: the look is unchanged.
    auto* sopra = qobject_cast<QProxyStyle*>(stile);
    QVERIFY(sopra);
    const std::unique_ptr<QStyle> semplice(QStyleFactory::create(sopra->baseStyle()->name()));
    QVERIFY(semplice);
    QCOMPARE(stile->standardIcon(sp).pixmap(16).toImage(), semplice->standardIcon(sp).pixmap(16).toImage());
    // Installed once: a second main window keeps it.
    Stile::Installa();
    QCOMPARE(QApplication::style(), stile);
}

void TstMainForm::pannelliDuranteIlRifiuto_data()
{
    QTest::addColumn<int>("larghezza");
    QTest::addColumn<QString>("rifiuto");
    for (int larghezza : {1024, 1280, 1600, 1920})
        for (const char* rifiuto : {"Operazione non permessa", "Privilegi insufficienti"})
            QTest::addRow("%d, %s", larghezza, rifiuto) << larghezza << QString::fromLatin1(rifiuto);
}

void TstMainForm::pannelliDuranteIlRifiuto()
{
    // The seven panels are wider together than most screens. While a refusal blocks the
    // station, the panels from the bus activity to the time show their whole text, none is
    // painted over another, and the user panel is the one that gave up width.
    QFETCH(int, larghezza);
    QFETCH(QString, rifiuto);
    m_->resize(larghezza, 600);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCOMPARE(m_->width(), larghezza);
    m_->ScriviPannello(1, QStringLiteral("Utente: Amministratore"));
    m_->ScriviPannello(3, QStringLiteral("Allineamento..."));
    m_->ScriviPannello(5, QStringLiteral("COM1:9600,N,8,1"));

    QStringList visti;
    Acquisizione::GanciAttivi().Pausa = [&](int) {
        visti << m_->Pannello(4)->text();
        QStatusBar* barra = m_->statusBar();
        for (int n = 1; n <= 7; ++n) {
            const QLabel* p = m_->Pannello(n);
            const QRect r(p->mapTo(barra, QPoint(0, 0)), p->size());
            const QString quale = QStringLiteral("pannello %1").arg(n);
            QVERIFY2(r.left() >= 0 && r.right() < barra->width(), qPrintable(quale));
            if (n < 7)
                QVERIFY2(r.right() < m_->Pannello(n + 1)->mapTo(barra, QPoint(0, 0)).x(), qPrintable(quale));
            if (n >= 3)
                QVERIFY2(p->contentsRect().width() >= p->fontMetrics().horizontalAdvance(p->text()), qPrintable(quale));
        }
        const int proprie[8] = {0, 6174 / 15, 3528 / 15, 2999 / 15, 5468 / 15, 3528 / 15, 2540 / 15, 2540 / 15};
        const QLabel* utente = m_->Pannello(1);
        if (utente->width() > utente->minimumSizeHint().width())  // room to give up left
            for (int n = 2; n <= 7; ++n)
                QVERIFY2(m_->Pannello(n)->width() >= proprie[n], qPrintable(QString::number(n)));
    };
    if (rifiuto == QLatin1String("Operazione non permessa")) {
        m_->Rifiuto();
    } else {
        Generale::UtenteTecnico = Generale::UtenteAmministratore = false;
        Generale::ComandoConsentito(false);
    }
    QCOMPARE(visti, QStringList{rifiuto});
    QCOMPARE(m_->Pannello(4)->text(), QString());
}

void TstMainForm::bordiAdOgniLarghezza_data()
{
    QTest::addColumn<int>("larghezza");
    QTest::addColumn<int>("utente");
    QTest::addColumn<int>("messaggio");
    // The main window's own widths, and its texts after the login: "Utente: Anonimo" or
    // "Utente: Amministratore", "Acquisizione", no bus activity, no message or the history
    // outage's notice, the port, the date and the time.
    for (int larghezza : {1920, 1024, 700, 470, 450, 440, 300, 120, 20})
        for (int utente : {111, 151})
            for (int messaggio : {0, 600})
                QTest::addRow("%d px, user text %d, message %d", larghezza, utente, messaggio)
                    << larghezza << utente << messaggio;
}

void TstMainForm::bordiAdOgniLarghezza()
{
    // However narrow the bar, every panel lies whole inside it with its border. The message gives
    // way first, the user and the supervisor's state last: the others keep their whole text as
    // long as the message has room to give, the user and the state as long as any other has.
    QFETCH(int, larghezza);
    QFETCH(int, utente);
    QFETCH(int, messaggio);
    const BarraStato::Larghezze proprie{411, 235, 199, 364, 235, 169, 169};
    const BarraStato::Larghezze testi{utente, 84, 0, messaggio, 115, 72, 56};
    const int bordo = 2;
    const auto l = BarraStato::Distribuisci(larghezza, proprie, testi, bordo);
    QVERIFY(std::accumulate(l.begin(), l.end(), 0) <= larghezza);
    for (int i = 0; i < BarraStato::NumeroPannelli; ++i)
        QVERIFY2(l[i] >= bordo, qPrintable(QString::number(i + 1)));
    const int altriTesti = utente + 84 + bordo + 115 + 72 + 56;
    if (larghezza >= altriTesti + bordo)
        for (int i : {0, 1, 4, 5, 6})
            QVERIFY2(l[i] >= testi[i], qPrintable(QString::number(i + 1)));
    if (larghezza >= utente + 84 + 5 * bordo) {
        QVERIFY(l[0] >= utente);
        QVERIFY(l[1] >= 84);
    }
}

void TstMainForm::messaggioCedePerPrimo_data()
{
    QTest::addColumn<QString>("utente");
    QTest::addColumn<QString>("stato");
    QTest::addColumn<QString>("comunicazione");
    QTest::addColumn<QString>("messaggio");
    QTest::addColumn<bool>("messaggioIntero");
    const QString interruzione = File_Ini::TestoStoricoNonScritto + QStringLiteral(" (02/01/2026 10:00:00)");
    for (const char* utente : {"Utente: Anonimo", "Utente: Tecnico", "Utente: Amministratore"})
        for (const char* stato : {"Standby", "Acquisizione"})
            QTest::addRow("%s, %s, storico interrotto", utente, stato)
                << QString::fromLatin1(utente) << QString::fromLatin1(stato) << QString() << interruzione << false;
    QTest::newRow("durante una lettura, storico interrotto")
        << "Utente: Amministratore" << "Acquisizione" << "Lettura..." << interruzione << false;
    QTest::newRow("rifiuto") << "Utente: Amministratore" << "Acquisizione" << "Lettura..."
                             << "Operazione non permessa" << true;
}

void TstMainForm::messaggioCedePerPrimo()
{
    // At the size the main window opens with, a notice longer than its panel (the history
    // outage) is the text that gives way: the user, the supervisor's state and the others show
    // theirs whole beside it, and none is painted over another.
    QFETCH(QString, utente);
    QFETCH(QString, stato);
    QFETCH(QString, comunicazione);
    QFETCH(QString, messaggio);
    QFETCH(bool, messaggioIntero);
    QCOMPARE(m_->size(), QSize(1024, 768));
    m_->ScriviPannello(1, utente);
    m_->ScriviPannello(2, stato);
    m_->ScriviPannello(3, comunicazione);
    m_->ScriviPannello(5, QStringLiteral("COM1:9600,N,8,1"));
    m_->ScriviPannello(4, messaggio);

    QStatusBar* barra = m_->statusBar();
    for (int n = 1; n <= 7; ++n) {
        const QLabel* p = m_->Pannello(n);
        const QRect r(p->mapTo(barra, QPoint(0, 0)), p->size());
        const QString quale = QStringLiteral("pannello %1: %2").arg(n).arg(p->text());
        QVERIFY2(r.left() >= 0 && r.right() < barra->width(), qPrintable(quale));
        if (n < 7)
            QVERIFY2(r.right() < m_->Pannello(n + 1)->mapTo(barra, QPoint(0, 0)).x(), qPrintable(quale));
        if (n != 4 || messaggioIntero)
            QVERIFY2(p->contentsRect().width() >= p->fontMetrics().horizontalAdvance(p->text()), qPrintable(quale));
    }
}

// The operator opens `menu` from `barra` and, when it opens, clicks `voce` in it (none: the menu is
// left open). False when the menu does not open.
bool TstMainForm::scegli(QMenuBar* barra, QMenu* menu, QAction* voce)
{
    QTest::mouseClick(barra, Qt::LeftButton, {}, barra->actionGeometry(menu->menuAction()).center());
    if (!menu->isVisible())
        return false;
    if (voce)
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(voce).center());
    return true;
}

void TstMainForm::settaggiDopoIlLavoro_data()
{
    QTest::addColumn<int>("utente");
    QTest::addColumn<QString>("come");
    QTest::addColumn<bool>("acquisizione");  // running at the end
    QTest::addColumn<bool>("offerto");       // "&Settaggi" opens at the end
    QTest::newRow("page chosen while Start waits") << int(Amministratore) << "pagina" << true << false;
    QTest::newRow("page saved while Start waits") << int(Amministratore) << "salvataggio" << true << false;
    QTest::newRow("menu left open while Start waits") << int(Amministratore) << "menu aperto" << true << false;
    QTest::newRow("technician, About closed") << int(Tecnico) << "about" << false << false;
    QTest::newRow("administrator, About closed") << int(Amministratore) << "about" << false << true;
    QTest::newRow("automatic start under About") << int(Amministratore) << "avvio sotto about" << true << false;
    QTest::newRow("page saved while Stop waits") << int(Amministratore) << "stop" << false << true;
    QTest::newRow("mode switch chosen while Start waits: not switched") << int(Amministratore) << "cambio modo" << true << false;
}

void TstMainForm::settaggiDopoIlLavoro()
{
    // Whatever ran in between, and in whatever order its pieces had their turn, the settings
    // menu ends as acquisition and the user's rights are once it has all run.
    QFETCH(int, utente);
    QFETCH(QString, come);
    QFETCH(bool, acquisizione);
    QFETCH(bool, offerto);
    QVERIFY(QTest::qWaitForWindowExposed(m_));
    Generale::UtenteTecnico = utente == Tecnico;
    Generale::UtenteAmministratore = utente == Amministratore;
    Comunicazioni* c = f_->comunicazioni;
    QTest::mouseClick(m_->Toolbar->widgetForAction(m_->PulsanteToolbar(7)), Qt::LeftButton);
    QVERIFY(Generale::ImpostazioniAperte);
    const QByteArray base = cartella_->leggi(QStringLiteral("Quelvar0.ini"));
    QSignalSpy cambioModo(c->MenuCambiaIni, &QAction::triggered);
    auto start = [&] { QVERIFY(scegli(m_->menuBar(), m_->MenuAcquisizione, m_->MenuStart)); };
    auto salva = [&] {
        auto* salvataggio = c->findChild<QAbstractButton*>(QStringLiteral("Cmd_Chiudi_RS232(0)"));
        QVERIFY(salvataggio && salvataggio->isVisible());
        QTest::mouseClick(salvataggio, Qt::LeftButton);
        QCOMPARE(Acquisizione::LavoriInAttesa(), 2);
    };
    auto about = [&](const std::function<void()>& durante) {
        QVERIFY(scegli(m_->menuBar(), m_->MenuAbout0, m_->MenuAbout));
        QVERIFY(m_->About() && m_->About()->isVisible());
        durante();
        QTest::mouseClick(m_->About()->cmdOK, Qt::LeftButton);
        QVERIFY(m_->isEnabled());
    };

    if (come == QLatin1String("pagina") || come == QLatin1String("menu aperto") || come == QLatin1String("cambio modo")) {
        TurnoTenuto passata;
        QVERIFY(passata.tenuto());
        start();
        if (come == QLatin1String("pagina")) {
            QVERIFY(scegli(c->BarraMenu, c->MenuImposta, c->MenuZone));
            QCOMPARE(Acquisizione::LavoriInAttesa(), 2);
        } else if (come == QLatin1String("cambio modo")) {
            QVERIFY(scegli(c->BarraMenu, c->MenuImposta, c->MenuCambiaIni));
        } else {
            QVERIFY(scegli(c->BarraMenu, c->MenuImposta));
        }
    } else if (come == QLatin1String("salvataggio")) {
        QVERIFY(scegli(c->BarraMenu, c->MenuImposta, c->MenuPorta));
        TurnoTenuto passata;
        QVERIFY(passata.tenuto());
        start();
        salva();
    } else if (come == QLatin1String("about")) {
        about([] {});
    } else if (come == QLatin1String("avvio sotto about")) {
        about([&] {
            m_->TimerAutoStart->start(0);
            QTRY_VERIFY(Generale::AcquisizioneAttiva);
        });
    } else if (come == QLatin1String("stop")) {
        QVERIFY(scegli(c->BarraMenu, c->MenuImposta, c->MenuPorta));
        start();
        QTRY_VERIFY(Generale::AcquisizioneAttiva);
        TurnoTenuto passata;
        QVERIFY(passata.tenuto());
        QVERIFY(scegli(m_->menuBar(), m_->MenuAcquisizione, m_->MenuStop));
        salva();
    }
    QTRY_VERIFY(BusLibero());
    QCOMPARE(Generale::AcquisizioneAttiva, acquisizione);
    QVERIFY(c->isEnabled());
    // A menu left open is closed by the withdrawal, or its choice would run while acquisition runs.
    if (c->MenuImposta->isVisible())
        QTest::mouseClick(c->MenuImposta, Qt::LeftButton, {},
                          c->MenuImposta->actionGeometry(c->MenuCambiaIni).center());
    QTRY_VERIFY(BusLibero());
    QCOMPARE(cambioModo.count(), come == QLatin1String("cambio modo") ? 1 : 0);
    QCOMPARE(cartella_->leggi(QStringLiteral("Quelvar0.ini")), base);
    QCOMPARE(c->MenuImposta->menuAction()->isEnabled(), offerto);
    QCOMPARE(scegli(c->BarraMenu, c->MenuImposta), offerto);
    c->MenuImposta->hide();
}

QTEST_MAIN(TstMainForm)
#include "tst_mainform.moc"
