#pragma once
// The station's windows, created once at start-up and never destroyed, and the hooks through
// which the lower layers reach them.
class MainForm;
class Stagione;
class Comunicazioni;
class Sinottico;
class Grafico;
class Storico;
class QMdiSubWindow;

class Finestre {
public:
    Finestre();
    ~Finestre();
    Finestre(const Finestre&) = delete;
    Finestre& operator=(const Finestre&) = delete;

    MainForm* mainForm = nullptr;
    Stagione* stagione = nullptr;
    Comunicazioni* comunicazioni = nullptr;
    Sinottico* sinottico = nullptr;  // inside the main window's MDI area
    QMdiSubWindow* finestraSinottico = nullptr;
    Grafico* grafico = nullptr;  // live trend, inside the MDI area
    QMdiSubWindow* finestraGrafico = nullptr;
    Storico* storico = nullptr;  // history, inside the MDI area
    QMdiSubWindow* finestraStorico = nullptr;

    // Relabels the controls that depend on the program mode.
    void rietichettaModo();

private:
    void collegaCaricamento();
};
