#pragma once
// The station's windows, created once and never destroyed, and the hooks through which the lower
// layers reach them. The six work windows live in the main window's MDI area; at most one of
// them is shown at a time, through the Generale::Mostra* procedures below.
class Allarmi;
class Comunicazioni;
class Grafico;
class MainForm;
class QMdiSubWindow;
class QWidget;
class Sinottico;
class Stagione;
class Storico;
class frmLogin;

class Finestre {
public:
    // Creates every window hidden and connects the hooks; no window has loaded yet.
    Finestre();
    ~Finestre();
    Finestre(const Finestre&) = delete;
    Finestre& operator=(const Finestre&) = delete;

    // The windows' loads in start-up order: the error monitor; the main window, whose program
    // mode loads the recipe window and then the settings window (the whole-configuration load,
    // then the chrono files); the login window.
    void Carica();

    Allarmi* allarmi = nullptr;  // its own top-level window, topmost
    MainForm* mainForm = nullptr;
    Stagione* stagione = nullptr;
    QMdiSubWindow* finestraStagione = nullptr;
    Comunicazioni* comunicazioni = nullptr;
    QMdiSubWindow* finestraComunicazioni = nullptr;
    Sinottico* sinottico = nullptr;
    QMdiSubWindow* finestraSinottico = nullptr;
    Grafico* grafico = nullptr;  // live trend
    QMdiSubWindow* finestraGrafico = nullptr;
    Storico* storico = nullptr;  // history
    QMdiSubWindow* finestraStorico = nullptr;
    frmLogin* login = nullptr;
    QMdiSubWindow* finestraLogin = nullptr;

    // Relabels the controls that depend on the program mode.
    void rietichettaModo();

private:
    QMdiSubWindow* ospita(QWidget* finestra, void (*nascondi)());
    void collegaCaricamento();
    void collegaAcquisizione();
    void collegaPiccole();
};

// One procedure per work window: show (menu mark, toolbar picture 2, privileged controls set
// for the user logged in now) or hide (mark off, picture 1). They act on the windows of the
// Finestre alive; without one they do nothing.
namespace Generale {
void MostraLogin(bool mostra);
void MostraSinottico(bool mostra);
void MostraGrafico(bool mostra);
void MostraStorico(bool mostra);
void MostraStagione(bool mostra);
void MostraComunicazioni(bool mostra);

// Every reading of the synoptic "--.-"; every switch and LED icon at rest.
void AzzeraSinottico();
void RipristinaIcone();
// Stops the synoptic's webcam capture (and closes its panel).
void FermaWebcam();
// The settings window's settings menu offered or withdrawn (greyed).
void OffriMenuImposta(bool offerto);
}  // namespace Generale
