#include "finestre.h"

#include "allarmi.h"
#include "caricamento.h"
#include "comunicazioni.h"
#include "dialoghi.h"
#include "filecrono.h"
#include "frmlogin.h"
#include "frmsplash.h"
#include "ganci.h"
#include "generale.h"
#include "grafico.h"
#include "impostagrafici.h"
#include "mainform.h"
#include "mbus.h"
#include "modo.h"
#include "monitorerrori.h"
#include "pagina_zone.h"
#include "sinottico.h"
#include "stagione.h"
#include "storico.h"
#include "tempotrend.h"
#include "vista_configurazione.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

using namespace Generale;

namespace {

Finestre* attive = nullptr;

bool conDiritti() { return UtenteAmministratore || UtenteTecnico; }

// A control of a window by its name; windows that lack it are left alone.
void abilita(QWidget* finestra, const QString& nome, bool abilitato)
{
    if (auto* w = finestra->findChild<QWidget*>(nome)) {
        w->setEnabled(abilitato);
        w->update();
    }
}

// The close box of a work window only hides it, through its window procedure.
class ChiusuraNasconde final : public QObject {
public:
    ChiusuraNasconde(QObject* genitore, void (*nascondi)()) : QObject(genitore), nascondi_(nascondi) {}

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override
    {
        if (evento->type() != QEvent::Close)
            return false;
        evento->ignore();
        nascondi_();
        return true;
    }

private:
    void (*nascondi_)();
};

// A work window is always maximized inside the main window: should anything restore or
// minimize it while it shows, it is maximized again, so no window is left iconified with its
// menu item still ticked, or restored to a corner.
class SempreMassimizzata final : public QObject {
public:
    explicit SempreMassimizzata(QMdiSubWindow* sotto) : QObject(sotto), sotto_(sotto) {}

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override
    {
        if (oggetto == sotto_ && evento->type() == QEvent::WindowStateChange && sotto_->isVisible() &&
            !sotto_->isMaximized())
            QTimer::singleShot(0, sotto_, [s = sotto_] {
                if (s->isVisible() && !s->isMaximized())
                    s->showMaximized();
            });
        return false;
    }

private:
    QMdiSubWindow* sotto_;
};

// The frame of a work window: a title and a close box, no minimize, maximize or restore button
// (in the frame, in its system menu, or in the main window's menu bar while it is maximized).
constexpr Qt::WindowFlags Cornice =
    Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

void mostraMassimizzata(QMdiSubWindow* sotto)
{
    sotto->widget()->show();
    sotto->showMaximized();
    sotto->raise();
}

}  // namespace

Finestre::Finestre()
{
    allarmi = new Allarmi;
    mainForm = new MainForm;
    mainForm->ImpostaMonitor(allarmi);
    stagione = new Stagione;
    finestraStagione = ospita(stagione, [] { MostraStagione(false); });
    comunicazioni = new Comunicazioni;
    finestraComunicazioni = ospita(comunicazioni, [] {
        if (attive)
            attive->comunicazioni->Form_QueryUnload();
    });
    comunicazioni->NascondiFinestra = [] { MostraComunicazioni(false); };
    sinottico = new Sinottico;
    finestraSinottico = ospita(sinottico, [] { MostraSinottico(false); });
    grafico = new Grafico;
    finestraGrafico = ospita(grafico, [] { MostraGrafico(false); });
    storico = new Storico;
    finestraStorico = ospita(storico, [] { MostraStorico(false); });
    login = new frmLogin;
    // Closing the login is its Cancel: the boxes are emptied too.
    finestraLogin = ospita(login, [] {
        if (attive)
            attive->login->cmdCancel_Click();
    });
    finestraLogin->resize(finestraLogin->sizeHint());

    attive = this;
    Generale::RietichettaModo = [this] { rietichettaModo(); };
    collegaCaricamento();
    collegaAcquisizione();
    collegaPiccole();
}

Finestre::~Finestre()
{
    attive = nullptr;
    Generale::RietichettaModo = nullptr;
    PaginaZone::MostraDicitura = nullptr;
    Configurazione::Vista = {};
    Acquisizione::GanciAttivi() = {};
    delete mainForm;  // the work windows, the error monitor and About with it
}

QMdiSubWindow* Finestre::ospita(QWidget* finestra, void (*nascondi)())
{
    QMdiSubWindow* sotto = mainForm->Area->addSubWindow(finestra, Cornice);
    sotto->setObjectName(finestra->objectName() + QStringLiteral("_Cornice"));
    sotto->setWindowTitle(finestra->windowTitle());
    sotto->installEventFilter(new ChiusuraNasconde(sotto, nascondi));
    // The login opens at its normal size; the other five are always maximized.
    if (finestra != login)
        sotto->installEventFilter(new SempreMassimizzata(sotto));
    sotto->hide();
    return sotto;
}

void Finestre::Carica()
{
    allarmi->SvuotaListe();
    mainForm->DopoModo = [this] {
        // Touching the recipe window and then the settings window loads them; the settings
        // window's load is the whole-configuration load, and the chrono programme read
        // right after this first load fills the table it has just set to 20.0.
        comunicazioni->Form_Load();
    };
    mainForm->MDIForm_Load();
    mainForm->setWindowTitle(Versione::TitoloPrincipale());
    login->repaint();
}

void Finestre::rietichettaModo()
{
    const bool stagioni = Generale::ModoStagioni;
    QAction* pulsante = mainForm->PulsanteToolbar(5);
    pulsante->setText(stagioni ? QStringLiteral("Stagione") : QStringLiteral("Ricette"));
    stagione->Cmd_Stagione[0]->setVisible(stagioni);
    stagione->Cmd_Stagione[1]->setVisible(stagioni);
    stagione->Cmd_Stagione[2]->setVisible(true);
    comunicazioni->Lab_Stat_Gen[6]->setText(stagioni ? QStringLiteral("Impostazioni cronotermostato")
                                                     : QStringLiteral("Impostazioni orologio"));
    // Menu and button always read the same.
    mainForm->MenuStagione->setText(pulsante->text());
    mainForm->Toolbar->update();
    for (auto* b : stagione->Cmd_Stagione)
        b->update();
    comunicazioni->Lab_Stat_Gen[6]->update();
    comunicazioni->update();
}

void Finestre::collegaCaricamento()
{
    auto& v = Configurazione::Vista;
    v.ChiudiPannelli = [this] { sinottico->ChiudiPannelli(); };
    v.RicostruisciSinottico = [this] { sinottico->RicostruisciDispositivi(); };
    v.ImpostaLimitiAssoluti = [this](float minimo, float massimo) {
        Generale::ImpostaLimitiAssoluti(*grafico, minimo, massimo);
    };
    v.ImpostaGrafici = [this] { Generale::ImpostaGrafici(*grafico, *storico); };
    v.ProvaSeriale = [](int porta) { return MBus::ProvaSeriale(porta); };
    v.ImpostaPortaSeriale = [](int porta, const QString& formato) { MBus::ImpostaSeriale(porta, formato); };
    v.MostraUnitaCrono = [this](const QString& unita) { comunicazioni->MostraUnitaCrono(unita); };
    v.MostraListe = [this] { comunicazioni->MostraListe(); };
    v.MostraOpzioneCrono = [this] { comunicazioni->MostraOpzioneCrono(); };
    v.MostraOpzioniRemoto = [this] { comunicazioni->MostraOpzioniRemoto(); };
    v.MostraOpzioneAvvio = [this] { comunicazioni->MostraOpzioneAvvio(); };
    v.MostraOpzioneGrafici = [this] {
        comunicazioni->MostraOpzioneGrafici();
        mainForm->MostraOpzioneGrafici(Generale::GraficiAbilitati);
    };
    v.MostraOpzioneRicette = [this](bool attiva) {
        comunicazioni->MostraOpzioneRicette(attiva);
        mainForm->MostraOpzioneRicette(attiva);
    };
    v.MostraOpzioneMaster = [this] { comunicazioni->MostraOpzioneMaster(); };
    v.MostraStatoPorta = [this](const QString& testo) { mainForm->ScriviPannello(5, testo); };
    v.ArmaAvvioAutomatico = [this] {
        mainForm->Timer_Lampeggio->setInterval(350);
        Generale::ImpostaLampeggio(true);
        mainForm->ScriviPannello(4, QStringLiteral("Avvio in corso..."));
        // Arming never restarts a countdown already running (a reload during start-up).
        if (!mainForm->TimerAutoStart->isActive())
            mainForm->TimerAutoStart->start();
    };
}

void Finestre::collegaAcquisizione()
{
    using namespace Acquisizione;
    Ganci& g = GanciAttivi();
    g = {};
    g.Pannello3 = [this](const QString& testo) { mainForm->ScriviPannello(3, testo); };
    g.Pannello4 = [this](const QString& testo) { mainForm->ScriviPannello(4, testo); };
    g.ImpostaPuntatore = [](Puntatore forma) {
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        if (forma == Puntatore::Clessidra)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else if (forma == Puntatore::Divieto)
            QApplication::setOverrideCursor(Qt::ForbiddenCursor);
    };
    // The main window's own pointer, under the one a running command sets for the whole station.
    g.LavoroTrattenuto = [this](bool trattenuto) {
        if (trattenuto)
            mainForm->setCursor(Qt::BusyCursor);
        else
            mainForm->unsetCursor();
    };
    // A command that failed says so without waiting for its OK: the pass that served it goes on.
    g.Avviso = [](const QString& titolo, const QString& testo) {
        Piattaforma::ServizioDialoghi().Avviso(testo, titolo, Piattaforma::IconaDialogo::Esclamazione);
    };
    g.Suona = [this](const QString& percorso) {
        if (mainForm->Suona)
            mainForm->Suona(percorso);
    };
    g.AggiungiPunto = [this](int traccia, const QDateTime& tempo, double valore) {
        grafico->Trend->AggiungiPunto(traccia, SerialeDaDataOra(tempo), valore);
    };
    g.Ridisegna = [this] {
        grafico->Trend->Ridisegna();
        grafico->update();
    };
    g.VoceAllarmeZona = [this](const QString& voce) { allarmi->AggiungiVoceZona(voce); };
    g.VoceAllarmeDispositivo = [this](const QString& voce) { allarmi->AggiungiVoceDispositivo(voce); };
    g.SvuotaAllarmi = [this] { allarmi->SvuotaListe(); };
    g.NascondiMonitor = [this] { allarmi->hide(); };
    g.Lampeggio = [this](bool acceso) { mainForm->Lampeggio(acceso); };
    // The outage's notice stays in panel 4 until another message takes its place or writing resumes.
    g.EsitoStorico = [this, avviso = QString()](bool scritto, const QString& voce) mutable {
        allarmi->AggiungiVoceStorico(voce);
        if (!scritto)
            mainForm->ScriviPannello(4, avviso = voce);
        else if (mainForm->Pannello(4)->text() == avviso)
            mainForm->ScriviPannello(4, QString());
    };
    // Live values, LED and switch looks, the zone panel's rows: the synoptic's own.
    sinottico->CollegaGanci();
}

void Finestre::collegaPiccole()
{
    login->ScriviUtente = [this](const QString& testo) { mainForm->ScriviPannello(1, testo); };
    login->MostraLogin = [](bool mostra) { MostraLogin(mostra); };
    QObject::connect(allarmi, &Allarmi::ChiudiMonitor, allarmi, [](int modo) { Generale::ChiudiMonitor(modo); });
    // A caption of the zone information panel changed on the zones page.
    PaginaZone::MostraDicitura = [this](int i, const QString& testo) {
        if (i < 0 || i >= static_cast<int>(sinottico->Lab_Temp_1.size()) || !sinottico->Lab_Temp_1[i])
            return;
        sinottico->Lab_Temp_1[i]->setText(testo);
        sinottico->Lab_Temp_1[i]->update();
        sinottico->update();
    };
}

// ---- The six window procedures ----------------------------------------------------------------

namespace Generale {

void MostraLogin(bool mostra)
{
    if (!attive)
        return;
    MainForm* m = attive->mainForm;
    m->MenuLogin->setChecked(mostra);
    m->ImpostaImmagine(1, mostra ? 2 : 1);
    if (mostra)
        attive->login->Mostra();  // normal size, focus in the user-name box
    else
        attive->login->Nascondi();
    attive->finestraLogin->update();
}

void MostraSinottico(bool mostra)
{
    if (!attive)
        return;
    MainForm* m = attive->mainForm;
    Sinottico* s = attive->sinottico;
    if (!mostra) {
        m->MenuSinottico->setChecked(false);
        m->ImpostaImmagine(2, 1);
        s->Pic_Info->hide();
        s->Pic_Info->update();
        FermaWebcam();
        attive->finestraSinottico->hide();
    } else {
        m->MenuSinottico->setChecked(true);
        m->ImpostaImmagine(2, 2);
        mostraMassimizzata(attive->finestraSinottico);
        s->Pic_Pianta->setFocus();
    }
    attive->finestraSinottico->update();
}

void MostraGrafico(bool mostra)
{
    if (!attive)
        return;
    MainForm* m = attive->mainForm;
    m->MenuGrafico->setChecked(mostra);
    m->ImpostaImmagine(3, mostra ? 2 : 1);
    if (!mostra) {
        attive->finestraGrafico->hide();
    } else {
        mostraMassimizzata(attive->finestraGrafico);
        const bool diritti = conDiritti();
        for (const char* nome : {"Cmd_Sfondo", "Cmd_Bordo", "Cmd_Griglia", "Cmd_Cursore", "Cmd_Limite(0)",
                                 "Cmd_Limite(1)", "Cmd_Pausa", "Cmd_CancellaTutto"})
            abilita(attive->grafico, QLatin1String(nome), diritti);
    }
    attive->finestraGrafico->update();
}

void MostraStorico(bool mostra)
{
    if (!attive)
        return;
    MainForm* m = attive->mainForm;
    m->MenuStorico->setChecked(mostra);
    m->ImpostaImmagine(4, mostra ? 2 : 1);
    if (!mostra) {
        attive->finestraStorico->hide();
    } else {
        abilita(attive->storico, QStringLiteral("Cmd_Chiudi"), false);
        abilita(attive->storico, QStringLiteral("Cmd_Apri"), true);
        mostraMassimizzata(attive->finestraStorico);
    }
    attive->finestraStorico->update();
}

void MostraStagione(bool mostra)
{
    if (!attive)
        return;
    MainForm* m = attive->mainForm;
    Stagione* st = attive->stagione;
    if (!mostra) {
        // The window stays while it sends: its rows are being written to the instruments.
        if (st->InvioInCorso())
            return;
        m->MenuStagione->setChecked(false);
        m->ImpostaImmagine(5, 1);
        StagioneAperta = false;
        attive->finestraStagione->hide();
    } else {
        st->AbilitaComandi(conDiritti());
        for (const char* nome : {"Lst_Dev", "Lst_Sadd", "Lst_FC", "Lst_MB", "Lst_MBVal", "Lst_NomePar"}) {
            if (auto* lista = st->findChild<QAbstractItemView*>(QLatin1String(nome))) {
                lista->clearSelection();
                lista->setCurrentIndex(QModelIndex());
                lista->update();
            }
        }
        if (auto* avanzamento = st->findChild<QWidget*>(QStringLiteral("Pic_Avanzamento")))
            avanzamento->hide();
        StagioneAperta = true;
        m->MenuStagione->setChecked(true);
        m->ImpostaImmagine(5, 2);
        mostraMassimizzata(attive->finestraStagione);
        if (auto* ricette = st->findChild<QWidget*>(QStringLiteral("Pic_Ricette")))
            ricette->setFocus();
        else
            st->setFocus();
    }
    attive->finestraStagione->update();
}

void MostraComunicazioni(bool mostra)
{
    if (!attive)
        return;
    MainForm* m = attive->mainForm;
    Comunicazioni* c = attive->comunicazioni;
    if (!mostra) {
        m->MenuComunicazione->setChecked(false);
        m->ImpostaImmagine(7, 1);
        attive->finestraComunicazioni->hide();
        ImpostazioniAperte = false;
    } else {
        OffriMenuImposta(!AcquisizioneAttiva && UtenteAmministratore);
        c->Cmd_Accessori[5]->setEnabled(conDiritti());
        m->MenuComunicazione->setChecked(true);
        m->ImpostaImmagine(7, 2);
        mostraMassimizzata(attive->finestraComunicazioni);
        ImpostazioniAperte = true;
    }
    attive->finestraComunicazioni->update();
}

void AzzeraSinottico()
{
    if (attive)
        attive->sinottico->AzzeraSinottico();
}

void RipristinaIcone()
{
    if (attive)
        attive->sinottico->RipristinaIcone();
}

void FermaWebcam()
{
    // Stops the capture and hides the webcam panel; the zone panel is left as it is.
    if (attive && attive->sinottico->Pic_WebCam->isVisibleTo(attive->sinottico))
        attive->sinottico->Cmd_ChiudiWC_Click();
}

void OffriMenuImposta(bool offerto)
{
    if (!attive)
        return;
    attive->comunicazioni->OffriMenuImposta(offerto);
}

}  // namespace Generale
