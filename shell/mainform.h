#pragma once
#include <QCoro/QCoroTask>
#include <QIcon>
#include <QMainWindow>

#include <array>
#include <functional>
#include <map>
#include <memory>

class Allarmi;
class CicloAcquisizione;
class Frm_About;
class QAction;
class PannelliStato;
class QLabel;
class QMdiArea;
class QMenu;
class QSoundEffect;
class QTimer;
class QToolBar;

// The station's main window: the MDI frame of the work windows, with the menus, the toolbar and
// the status bar, and the host of the acquisition cycle and its timers. Start, Stop, Re-read and
// the exit are bus work: each answers at once and runs in its turn of the bus, cutting the pass
// under way. The recipe window and the About window are refused while acquisition runs.
class MainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit MainForm(QWidget* parent = nullptr);
    ~MainForm() override;

    // Toolbar buttons 1..8: 1 users, 2 synoptic, 3 live trend, 4 history, 5 season/recipes,
    // 6 separator, 7 settings, 8 acquisition (with its drop-down menu).
    QAction* PulsanteToolbar(int numero) const { return pulsanti_.at(numero); }
    // Picture 1..4 of the toolbar's image list a button shows (0 for the separator).
    int ImmaginePulsante(int numero) const { return immagini_.at(numero); }
    void ImpostaImmagine(int numero, int immagine);
    // Status-bar panels 1..7: user, acquisition state, bus activity, messages, serial port,
    // date, time.
    QLabel* Pannello(int numero) const { return pannelli_.at(numero); }
    // A panel's new text, laid out at once.
    void ScriviPannello(int numero, const QString& testo);

    // The options of the configuration load: menus and toolbar buttons offered with them.
    void MostraOpzioneGrafici(bool attiva);
    void MostraOpzioneRicette(bool attiva);

    // The monitor the acquisition menu opens (created before this window, at start-up); the
    // main window owns it from here on.
    void ImpostaMonitor(Allarmi* monitor);
    Frm_About* About() const { return about_.get(); }

    // ---- Load and start-up ----
    // Stops the timers, writes the status bar, hides the monitor, creates the data folders and
    // sets the program mode; DopoModo then loads the windows the mode touches (recipes, then
    // settings with the whole-configuration load).
    void MDIForm_Load();
    std::function<void()> DopoModo;
    // The operator's answer to the communicate-or-simulate question. Until it is given the
    // automatic start waits, so simulated values never reach a real plant's history.
    void SceltaComunicazione(bool reale);
    bool SceltaFatta() const { return sceltaFatta_; }

    // ---- Handlers ----
    void MenuFine_Click();
    void MenuAbout_Click();
    void MenuLogin_Click();
    void MenuSinottico_Click();
    void MenuGrafico_Click();
    void MenuStorico_Click();
    void MenuStagione_Click();
    void MenuComunicazione_Click();
    void MenuStart_Click();
    void MenuStop_Click();
    void MenuRileggi_Click();
    void MenuErroriCOM_Click();
    void Timer_Lampeggio_Timer();
    void TimerAutoStart_Timer();
    void Toolbar_ButtonClick(int pulsante);
    void Toolbar_ButtonMenuClick(const QString& voce);

    // "Operazione non permessa" in panel 4 for half a second.
    void Rifiuto();
    // Blinking of button 8 on or off (the alarm module's Generale::ImpostaLampeggio lands here).
    void Lampeggio(bool acceso);

    // Plays a sound file without waiting (empty: QSoundEffect; a missing file or no audio
    // device is silent). Tests put their own here.
    std::function<void(const QString& percorso)> Suona;

    CicloAcquisizione* Ciclo = nullptr;
    QMdiArea* Area = nullptr;
    QToolBar* Toolbar = nullptr;
    QMenu* MenuFile = nullptr;
    QAction* MenuFine = nullptr;
    QMenu* MenuFunzioni = nullptr;
    QAction* MenuLogin = nullptr;
    QAction* MenuSinottico = nullptr;
    QAction* MenuGrafico = nullptr;
    QAction* MenuStorico = nullptr;
    QAction* MenuStagione = nullptr;
    QAction* MenuComunicazione = nullptr;
    QMenu* MenuAcquisizione = nullptr;
    QAction* MenuStart = nullptr;
    QAction* MenuStop = nullptr;
    QAction* MenuRileggi = nullptr;
    QAction* MenuErroriCOM = nullptr;
    QMenu* MenuAbout0 = nullptr;
    QAction* MenuAbout = nullptr;
    QMenu* MenuPulsante8 = nullptr;  // the drop-down of toolbar button 8

    QTimer* Timer_Monitor = nullptr;    // the acquisition cycle's polling timer, 1000 ms
    QTimer* TimerAutoStart = nullptr;   // 10 s, once: the automatic start
    QTimer* Timer_Lampeggio = nullptr;  // alarm blinking, 700 ms (350 ms during the countdown)
    bool FaseLampeggio = false;

signals:
    // "Fine programma" accepted: the program ends.
    void FineProgramma();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void createTimers();
    QAction* voceFinestra(QMenu* menu, const char* nome, const QString& testo, void (MainForm::*click)());

    void ImpostaAcquisizione(bool attiva);
    // Bus work, each in its turn; the pass under way is cut for them.
    QCoro::Task<> ferma();
    // The reads of a Start (or of a Re-read), then acquisition on, unless a Stop came meanwhile.
    QCoro::Task<> leggiEAvvia(bool rilettura);
    QCoro::Task<> fine();
    void aggiornaOrologio();
    void suonaFile(const QString& percorso);

    std::array<QAction*, 9> pulsanti_{};  // index 0 unused
    std::array<int, 9> immagini_{};
    std::array<QIcon, 5> icone_;          // the toolbar's image list, built once; index 0 unused
    PannelliStato* barra_ = nullptr;      // the seven status-bar panels
    std::array<QLabel*, 8> pannelli_{};   // index 0 unused
    QTimer* orologio_ = nullptr;          // panels 6 and 7
    Allarmi* monitor_ = nullptr;
    std::unique_ptr<Frm_About> about_;
    std::map<QString, std::unique_ptr<QSoundEffect>> suoni_;
    bool sceltaFatta_ = false;
    bool avvioRimandato_ = false;
    int fermate_ = 0;       // Stops asked for: work that began before one does not start acquisition
    int avviiInCorso_ = 0;  // Starts and Re-reads asked for whose reads have not ended
};
