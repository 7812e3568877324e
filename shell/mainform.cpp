#include "mainform.h"

#include "allarmi.h"
#include "caselle.h"
#include "ciclo.h"
#include "codabus.h"
#include "controlli.h"
#include "file_ini.h"
#include "finestre.h"
#include "frm_about.h"
#include "ganci.h"
#include "generale.h"
#include "geometria.h"
#include "modo.h"
#include "monitorerrori.h"
#include "pannellistato.h"
#include "posizione.h"
#include "cartellaprogramma.h"
#include "risorse.h"
#include "stile.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QSoundEffect>
#include <QStatusBar>
#include <QPointer>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

using namespace Generale;

namespace {

// Panel widths are given in twips; one pixel is 15 twips.
constexpr int Pixel(int twips) { return twips / Geometria::TwipsPerPixel; }

const QString NonPermessa = QStringLiteral("Operazione non permessa");

}  // namespace

MainForm::MainForm(QWidget* parent)
    : QMainWindow(parent)
{
    Risorse::Inizializza();
    // Before the work windows are maximized here: their buttons in the menu bar take their
    // pictures from it.
    Stile::Installa();
    setObjectName(QStringLiteral("MainForm"));
    setWindowIcon(QIcon(Risorse::Icona));
    resize(1024, 768);
    Area = new QMdiArea(this);
    Area->setObjectName(QStringLiteral("Area"));
    setCentralWidget(Area);
    Ciclo = new CicloAcquisizione(this);
    Ciclo->setObjectName(QStringLiteral("Ciclo"));
    Timer_Monitor = &Ciclo->Timer_Monitor;
    createMenus();
    createToolBar();
    createStatusBar();
    createTimers();
    Suona = [this](const QString& percorso) { suonaFile(percorso); };
}

MainForm::~MainForm() = default;

void MainForm::ImpostaMonitor(Allarmi* monitor)
{
    monitor_ = monitor;
    if (monitor_ && monitor_->parentWidget() != this) {
        monitor_->setParent(this, monitor_->windowFlags());
        Posizione::MaiRidotta(monitor_);
    }
}

QAction* MainForm::voceFinestra(QMenu* menu, const char* nome, const QString& testo, void (MainForm::*click)())
{
    QAction* voce = menu->addAction(testo);
    voce->setObjectName(QLatin1String(nome));
    voce->setCheckable(true);
    // The mark mirrors the window and only the window procedures set it: the click first
    // undoes the toggle Qt made, so the handler reads the mark as it was.
    connect(voce, &QAction::triggered, this, [this, voce, click] {
        voce->setChecked(!voce->isChecked());
        (this->*click)();
    });
    return voce;
}

void MainForm::createMenus()
{
    auto azione = [this](QMenu* menu, const char* nome, const QString& testo, void (MainForm::*click)()) {
        QAction* voce = menu->addAction(testo);
        voce->setObjectName(QLatin1String(nome));
        connect(voce, &QAction::triggered, this, click);
        return voce;
    };
    MenuFile = menuBar()->addMenu(QStringLiteral("&File"));
    MenuFile->setObjectName(QStringLiteral("MenuFile"));
    MenuFine = azione(MenuFile, "MenuFine", QStringLiteral("Fine programma"), &MainForm::MenuFine_Click);

    MenuFunzioni = menuBar()->addMenu(QStringLiteral("F&unzioni"));
    MenuFunzioni->setObjectName(QStringLiteral("MenuFunzioni"));
    MenuLogin = voceFinestra(MenuFunzioni, "MenuLogin", QStringLiteral("Login"), &MainForm::MenuLogin_Click);
    MenuFunzioni->addSeparator();
    MenuSinottico = voceFinestra(MenuFunzioni, "MenuSinottico", QStringLiteral("Sinottico"), &MainForm::MenuSinottico_Click);
    MenuGrafico = voceFinestra(MenuFunzioni, "MenuGrafico", QStringLiteral("Grafico"), &MainForm::MenuGrafico_Click);
    MenuStorico = voceFinestra(MenuFunzioni, "MenuStorico", QStringLiteral("Storico"), &MainForm::MenuStorico_Click);
    MenuStagione = voceFinestra(MenuFunzioni, "MenuStagione", QStringLiteral("Stagione"), &MainForm::MenuStagione_Click);
    MenuFunzioni->addSeparator();
    MenuComunicazione = voceFinestra(MenuFunzioni, "MenuComunicazione", QStringLiteral("Impostazioni"),
                                     &MainForm::MenuComunicazione_Click);

    MenuAcquisizione = menuBar()->addMenu(QStringLiteral("Acquisizione"));
    MenuAcquisizione->setObjectName(QStringLiteral("MenuAcquisizione"));
    MenuStart = azione(MenuAcquisizione, "MenuStart", QStringLiteral("Start"), &MainForm::MenuStart_Click);
    MenuStop = azione(MenuAcquisizione, "MenuStop", QStringLiteral("Stop"), &MainForm::MenuStop_Click);
    MenuAcquisizione->addSeparator();
    MenuRileggi = azione(MenuAcquisizione, "MenuRileggi", QStringLiteral("Rileggi"), &MainForm::MenuRileggi_Click);
    MenuAcquisizione->addSeparator();
    MenuErroriCOM = azione(MenuAcquisizione, "MenuErroriCOM", QStringLiteral("Errori di comunicazione"),
                           &MainForm::MenuErroriCOM_Click);

    MenuAbout0 = menuBar()->addMenu(QStringLiteral("&?"));
    MenuAbout0->setObjectName(QStringLiteral("MenuAbout0"));
    MenuAbout = azione(MenuAbout0, "MenuAbout", QStringLiteral("Informazioni su..."), &MainForm::MenuAbout_Click);
}

void MainForm::createToolBar()
{
    Toolbar = addToolBar(QStringLiteral("Toolbar"));
    Toolbar->setObjectName(QStringLiteral("Toolbar"));
    Toolbar->setMovable(false);
    Toolbar->setIconSize(QSize(21, 28));
    Toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    const QString testi[9] = {QString(),
                              QStringLiteral("Utenti"),
                              QStringLiteral("Sinottico"),
                              QStringLiteral("Grafico"),
                              QStringLiteral("Storico"),
                              QStringLiteral("Stagione"),
                              QString(),
                              QStringLiteral(" Impostazioni "),
                              QStringLiteral("Acquisizione")};
    for (int n = 1; n <= 8; ++n) {
        pulsanti_[n] = n == 6 ? Toolbar->addSeparator() : Toolbar->addAction(testi[n]);
        pulsanti_[n]->setObjectName(Controlli::Elemento("Toolbar", n));
        if (n != 6)
            connect(pulsanti_[n], &QAction::triggered, this, [this, n] { Toolbar_ButtonClick(n); });
    }

    MenuPulsante8 = new QMenu(this);
    MenuPulsante8->setObjectName(QStringLiteral("MenuPulsante8"));
    for (const char* voce : {"Start", "Stop", "", "Rileggi", "", "Errori di comunicazione"}) {
        if (!*voce) {
            MenuPulsante8->addSeparator();
            continue;
        }
        QAction* a = MenuPulsante8->addAction(QString::fromLatin1(voce));
        connect(a, &QAction::triggered, this, [this, a] { Toolbar_ButtonMenuClick(a->text()); });
    }
    pulsanti_[8]->setMenu(MenuPulsante8);
    if (auto* b = qobject_cast<QToolButton*>(Toolbar->widgetForAction(pulsanti_[8])))
        b->setPopupMode(QToolButton::MenuButtonPopup);

    for (int n : {1, 2, 3, 4, 5, 7})
        ImpostaImmagine(n, 1);
    ImpostaImmagine(8, 3);
}

void MainForm::ImpostaImmagine(int numero, int immagine)
{
    if (numero < 1 || numero > 8 || numero == 6 || immagine < 1 || immagine > 4)
        return;
    if (immagini_[numero] == immagine)
        return;
    immagini_[numero] = immagine;
    // The same icon object each time: a new one a blink phase would be a new entry in the
    // pixmap cache every 700 ms for as long as the alarm stays latched.
    if (icone_[immagine].isNull())
        icone_[immagine] = QIcon(Risorse::ImmagineToolbar(immagine));
    pulsanti_[numero]->setIcon(icone_[immagine]);
}

void MainForm::createStatusBar()
{
    struct Pannello {
        const char* suggerimento;
        int twips;
    };
    const Pannello pannelli[8] = {{"", 0},
                                  {"Utente", 6174},
                                  {"Stato del supervisore", 3528},
                                  {"Stato della comunicazione", 2999},
                                  {"Stato della funzione Remoto", 5468},
                                  {"Porta seriale", 3528},
                                  {"Data", 2540},
                                  {"Ora", 2540}};
    BarraStato::Larghezze proprie{};
    for (int n = 1; n <= 7; ++n)
        proprie[n - 1] = Pixel(pannelli[n].twips);
    barra_ = new PannelliStato(proprie, this);
    barra_->setObjectName(QStringLiteral("PannelliStato"));
    for (int n = 1; n <= 7; ++n) {
        pannelli_[n] = barra_->Pannello(n);
        pannelli_[n]->setObjectName(Controlli::Elemento("Pannello", n));
        pannelli_[n]->setToolTip(QString::fromLatin1(pannelli[n].suggerimento));
        if (n >= 6)
            pannelli_[n]->setAlignment(Qt::AlignCenter);
    }
    statusBar()->addPermanentWidget(barra_, 1);
    pannelli_[1]->setText(QStringLiteral("Utente: Anonimo"));
    pannelli_[2]->setText(QStringLiteral("Standby"));
    statusBar()->setSizeGripEnabled(false);

    orologio_ = new QTimer(this);
    orologio_->setObjectName(QStringLiteral("Orologio"));
    orologio_->setInterval(1000);
    connect(orologio_, &QTimer::timeout, this, &MainForm::aggiornaOrologio);
    orologio_->start();
    aggiornaOrologio();
}

void MainForm::aggiornaOrologio()
{
    const QDateTime adesso = QDateTime::currentDateTime();
    pannelli_[6]->setText(adesso.toString(QStringLiteral("dd/MM/yyyy")));
    pannelli_[7]->setText(adesso.toString(QStringLiteral("HH:mm:ss")));
}

void MainForm::ScriviPannello(int numero, const QString& testo)
{
    if (numero < 1 || numero > 7)
        return;
    pannelli_[numero]->setText(testo);
    // Laid out at once, so the panels share the room by their new texts.
    barra_->Disponi();
}

void MainForm::createTimers()
{
    TimerAutoStart = new QTimer(this);
    TimerAutoStart->setObjectName(QStringLiteral("TimerAutoStart"));
    TimerAutoStart->setSingleShot(true);
    TimerAutoStart->setInterval(10000);
    connect(TimerAutoStart, &QTimer::timeout, this, &MainForm::TimerAutoStart_Timer);
    Timer_Lampeggio = new QTimer(this);
    Timer_Lampeggio->setObjectName(QStringLiteral("Timer_Lampeggio"));
    Timer_Lampeggio->setInterval(700);
    connect(Timer_Lampeggio, &QTimer::timeout, this, &MainForm::Timer_Lampeggio_Timer);
}

void MainForm::MostraOpzioneGrafici(bool attiva)
{
    MenuStorico->setVisible(attiva);
    MenuGrafico->setVisible(attiva);
    pulsanti_[3]->setVisible(attiva);
    pulsanti_[4]->setVisible(attiva);
    Toolbar->update();
}

void MainForm::MostraOpzioneRicette(bool attiva)
{
    MenuStagione->setVisible(attiva);
    pulsanti_[5]->setVisible(attiva);
    Toolbar->update();
}

// ---- Load and start-up ---------------------------------------------------------------------

void MainForm::MDIForm_Load()
{
    ContatoreCicli = 0;
    AcquisizioneAttiva = false;
    StagioneAperta = false;
    Acquisizione::SvuotaRichieste();
    AvvioInCorso = true;
    sceltaFatta_ = false;
    avvioRimandato_ = false;

    Timer_Monitor->stop();
    Timer_Monitor->setInterval(1000);
    Timer_Lampeggio->stop();
    Timer_Lampeggio->setInterval(700);
    TimerAutoStart->stop();
    TimerAutoStart->setInterval(10000);

    pannelli_[2]->setText(QStringLiteral("Standby"));
    pannelli_[3]->clear();
    pannelli_[4]->clear();
    ImpostaLampeggio(false);
    statusBar()->repaint();

    ChiudiMonitor(1);
    for (const char* cartella : {"Dati", "Crono", "Ricetta"})
        File_Ini::CreaCartella(QString::fromLatin1(cartella));
    // The program mode chooses the active settings file; the recipe and settings windows load
    // after it, the settings window with the first whole-configuration load.
    ImpostaModo();
    if (DopoModo)
        DopoModo();

    for (int n : {1, 2, 3, 4, 5, 7})
        ImpostaImmagine(n, 1);
    ImpostaImmagine(8, 3);
    Toolbar->update();
}

void MainForm::SceltaComunicazione(bool reale)
{
    MBus::ComunicazioneReale = reale;
    sceltaFatta_ = true;
    if (std::exchange(avvioRimandato_, false))
        TimerAutoStart_Timer();
}

// ---- Acquisition ---------------------------------------------------------------------------

void MainForm::ImpostaAcquisizione(bool attiva)
{
    AcquisizioneAttiva = attiva;
    if (attiva) {
        ImpostaImmagine(8, 4);
        pannelli_[2]->setText(QStringLiteral("Acquisizione"));
        Timer_Monitor->start();
    } else {
        ImpostaImmagine(8, 3);
        pannelli_[2]->setText(QStringLiteral("Standby"));
        pannelli_[3]->clear();
        pannelli_[4]->clear();
        Timer_Monitor->stop();
        Timer_Lampeggio->stop();
    }
    Toolbar->update();
    statusBar()->update();
}

void MainForm::MenuStart_Click()
{
    if (MBus::ComunicazioneReale && !PortaSerialeValida)
        return;
    if (StagioneAperta) {
        Rifiuto();
        return;
    }
    // A Start or Re-read already asked for reads the plant and starts the acquisition: a second
    // click (a double click on the toolbar) adds nothing to it.
    if (avviiInCorso_ > 0)
        return;
    leggiEAvvia(false);
}

QCoro::Task<> MainForm::leggiEAvvia(bool rilettura)
{
    const QPointer<MainForm> io(this);
    const int fermate = fermate_;
    ++avviiInCorso_;
    const Acquisizione::Turno turno = co_await Acquisizione::PrendiTurno(true);
    if (!io)
        co_return;
    // A reload that came first may have taken the port away, a Stop overtaken this work.
    bool valida = !(MBus::ComunicazioneReale && !PortaSerialeValida) && !StagioneAperta && fermate == fermate_
                  && (!rilettura || AcquisizioneAttiva);
    if (valida) {
        if (rilettura) {
            // Asked for before the Re-read, the requests waiting run before its reads. What the
            // operator asks for while acquisition runs after a Start is served by the next tick.
            co_await Acquisizione::ServiTutteLeRichieste();
            valida = io && fermate == fermate_;
            if (valida)
                ImpostaAcquisizione(false);
        } else {
            ContatoreCicli = 0;
        }
    }
    if (valida) {
        co_await Ciclo->LeggiZone();
        co_await Ciclo->LeggiInterruttori();
    }
    if (!io)
        co_return;
    // A Stop has already set the count back for the work it overtook.
    if (fermate == fermate_)
        --avviiInCorso_;
    // A Stop asked for during the reads has cut them: the acquisition stays stopped.
    if (!valida || fermate != fermate_)
        co_return;
    ImpostaAcquisizione(true);
    // Stopping for a Re-read's reads silenced the alarm; a latched alarm blinks on.
    if (AllarmePresente)
        ImpostaLampeggio(true);
    // The settings window opened during the reads offered its settings menu; acquisition runs.
    if (ImpostazioniAperte)
        OffriMenuImposta(false);
}

void MainForm::MenuStop_Click()
{
    // "Standby" at once, the timer off: no tick starts from now on, the one under way ends at
    // its next exchange boundary.
    ++fermate_;
    // The Starts and Re-reads asked for before it will not start the acquisition: nothing holds
    // the exit or the recipe window for them any more.
    avviiInCorso_ = 0;
    ImpostaAcquisizione(false);
    ferma();
}

QCoro::Task<> MainForm::ferma()
{
    const QPointer<MainForm> io(this);
    const Acquisizione::Turno turno = co_await Acquisizione::PrendiTurno(true);
    // The requests waiting were asked for before the Stop: they run first, so none is left
    // to run at a later Start. Then no device the station may have put in remote stays there.
    co_await Acquisizione::LavoroDelloStop();
    if (!io || AcquisizioneAttiva)
        co_return;
    AzzeraSinottico();
    RipristinaIcone();
    ImpostaLampeggio(false);
    if (ImpostazioniAperte)
        OffriMenuImposta(UtenteAmministratore);
}

void MainForm::MenuRileggi_Click()
{
    if (!AcquisizioneAttiva)
        return;
    if (MBus::ComunicazioneReale && !PortaSerialeValida)
        return;
    if (StagioneAperta) {
        Rifiuto();
        return;
    }
    if (avviiInCorso_ > 0)
        return;
    leggiEAvvia(true);
}

void MainForm::MenuErroriCOM_Click()
{
    if (StagioneAperta || !monitor_)
        return;
    monitor_->Mostra();
}

void MainForm::Rifiuto()
{
    ScriviPannello(4, NonPermessa);
    [](QPointer<MainForm> io) -> QCoro::Task<> {
        co_await Acquisizione::Pausa(500);
        // A later message keeps its place.
        if (io && io->pannelli_[4]->text() == NonPermessa)
            io->ScriviPannello(4, QString());
    }(this);
}

// ---- Blinking and automatic start ----------------------------------------------------------

void MainForm::Lampeggio(bool acceso)
{
    if (!acceso) {
        Timer_Lampeggio->stop();
        ImpostaImmagine(8, AcquisizioneAttiva ? 4 : 3);
        Toolbar->update();
    } else if (!Timer_Lampeggio->isActive()) {
        Timer_Lampeggio->start();
    }
}

void MainForm::Timer_Lampeggio_Timer()
{
    if (!LampeggioAllarme)
        return;
    Timer_Lampeggio->stop();
    FaseLampeggio = !FaseLampeggio;
    if (FaseLampeggio) {
        ImpostaImmagine(8, 3);
        if (!SuonoAllarme.isEmpty() && Suona)
            Suona(Piattaforma::PercorsoProgramma(SuonoAllarme));
    } else {
        ImpostaImmagine(8, 4);
    }
    Toolbar->update();
    if (AcquisizioneAttiva || AvvioInCorso)
        Timer_Lampeggio->start();
}

void MainForm::TimerAutoStart_Timer()
{
    TimerAutoStart->stop();
    if (!sceltaFatta_) {
        // The question is still open: start once it is answered, with every check of Start.
        avvioRimandato_ = true;
        return;
    }
    Timer_Lampeggio->setInterval(700);
    ImpostaLampeggio(false);
    AvvioInCorso = false;
    MenuStart_Click();
    ScriviPannello(4, QString());
}

void MainForm::suonaFile(const QString& percorso)
{
    auto& effetto = suoni_[percorso];
    if (!effetto) {
        effetto = std::make_unique<QSoundEffect>();
        effetto->setSource(QUrl::fromLocalFile(percorso));
    }
    effetto->play();
}

// ---- Windows -------------------------------------------------------------------------------

void MainForm::MenuLogin_Click()
{
    MostraGrafico(false);
    MostraStorico(false);
    MostraStagione(false);
    MostraComunicazioni(false);
    MostraSinottico(false);
    MostraLogin(!MenuLogin->isChecked());
}

void MainForm::MenuSinottico_Click()
{
    MostraLogin(false);
    MostraGrafico(false);
    MostraStorico(false);
    MostraStagione(false);
    MostraComunicazioni(false);
    MostraSinottico(!MenuSinottico->isChecked());
}

void MainForm::MenuGrafico_Click()
{
    MostraLogin(false);
    MostraSinottico(false);
    MostraStorico(false);
    MostraStagione(false);
    MostraComunicazioni(false);
    MostraGrafico(!MenuGrafico->isChecked());
}

void MainForm::MenuStorico_Click()
{
    MostraLogin(false);
    MostraSinottico(false);
    MostraGrafico(false);
    MostraStagione(false);
    MostraComunicazioni(false);
    MostraStorico(!MenuStorico->isChecked());
}

void MainForm::MenuStagione_Click()
{
    // Start and Re-read read the plant with acquisition not shown as running: refused then too.
    if (AcquisizioneAttiva || avviiInCorso_ > 0) {
        Rifiuto();
        return;
    }
    MostraLogin(false);
    MostraSinottico(false);
    MostraGrafico(false);
    MostraStorico(false);
    MostraComunicazioni(false);
    MostraStagione(!MenuStagione->isChecked());
}

void MainForm::MenuComunicazione_Click()
{
    MostraLogin(false);
    MostraSinottico(false);
    MostraGrafico(false);
    MostraStorico(false);
    MostraStagione(false);
    MostraComunicazioni(!MenuComunicazione->isChecked());
}

void MainForm::Toolbar_ButtonClick(int pulsante)
{
    switch (pulsante) {
    case 1: MenuLogin_Click(); break;
    case 2: MenuSinottico_Click(); break;
    case 3: MenuGrafico_Click(); break;
    case 4: MenuStorico_Click(); break;
    case 5: MenuStagione_Click(); break;
    case 7: MenuComunicazione_Click(); break;
    case 8:
        if (AcquisizioneAttiva)
            MenuErroriCOM_Click();
        else
            MenuStart_Click();
        break;
    default: break;
    }
    Toolbar->update();
}

void MainForm::Toolbar_ButtonMenuClick(const QString& voce)
{
    const QString v = voce.toUpper();
    if (v == QLatin1String("START"))
        MenuStart_Click();
    else if (v == QLatin1String("STOP"))
        MenuStop_Click();
    else if (v == QLatin1String("RILEGGI"))
        MenuRileggi_Click();
    else
        MenuErroriCOM_Click();
    Toolbar->update();
}

// ---- About and exit ------------------------------------------------------------------------

void MainForm::MenuAbout_Click()
{
    // Refused like the recipe window, during the reads of a Start too.
    if (AcquisizioneAttiva || avviiInCorso_ > 0) {
        Rifiuto();
        return;
    }
    if (!about_) {
        // Owned by the main window: it stays over it, goes and comes back with it, and opens
        // centred on it.
        about_ = std::make_unique<Frm_About>(this);
        about_->setWindowIcon(windowIcon());
        Posizione::MaiRidotta(about_.get());
        connect(about_.get(), &Frm_About::Chiuso, this, [this] {
            setEnabled(true);
            activateWindow();
            setFocus();
        });
    }
    setEnabled(false);
    // Disabling the main window disables the windows it owns: About is the one to answer now,
    // and the error monitor stays usable as before.
    about_->setEnabled(true);
    if (monitor_)
        monitor_->setEnabled(true);
    Posizione::CentraSopra(about_.get(), this);
    about_->show();
    Posizione::CentraSopra(about_.get(), this);  // now that its frame is known
    about_->raise();
    about_->activateWindow();
    about_->setFocus();
}

void MainForm::MenuFine_Click()
{
    if (AcquisizioneAttiva || StagioneAperta || avviiInCorso_ > 0) {
        Rifiuto();
        return;
    }
    // An exit asked for while a command waits on the line runs when it has ended, so a door
    // pulse is never cut and no device is left in remote.
    fine();
}

QCoro::Task<> MainForm::fine()
{
    const QPointer<MainForm> io(this);
    const Acquisizione::Turno turno = co_await Acquisizione::PrendiTurno(true);
    if (!io)
        co_return;
    if (AcquisizioneAttiva || StagioneAperta) {
        Rifiuto();
        co_return;
    }
    FermaWebcam();
    emit FineProgramma();
}

void MainForm::closeEvent(QCloseEvent* event)
{
    event->ignore();
    MenuFine_Click();
}
