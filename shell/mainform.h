#pragma once
#include <QMainWindow>

#include <array>

class QAction;
class QLabel;
class QMdiArea;
class QTimer;
class QToolBar;

// The station's main window: the MDI frame with menus, toolbar and status bar that hosts
// every work window.
class MainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit MainForm(QWidget* parent = nullptr);

    // Toolbar buttons are numbered 1..8: 3 live trend, 4 history, 5 season/recipes, 8 alarm.
    QAction* PulsanteToolbar(int numero) const { return pulsanti_.at(numero); }
    // Status-bar panels 1..7: user, acquisition state, bus activity, messages, serial port,
    // date, time.
    QLabel* Pannello(int numero) const { return pannelli_.at(numero); }

    // The options of the configuration load: menus and toolbar buttons offered with them.
    void MostraOpzioneGrafici(bool attiva);
    void MostraOpzioneRicette(bool attiva);

    QToolBar* Toolbar = nullptr;
    QAction* MenuGrafico = nullptr;
    QAction* MenuStorico = nullptr;
    QAction* MenuStagione = nullptr;
    QMdiArea* Area = nullptr;
    QTimer* TimerAutoStart = nullptr;  // 10 s, once: the automatic start
    QTimer* Timer_Lampeggio = nullptr;  // alarm blinking, 700 ms (350 ms during the countdown)

private:
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void createTimers();

    std::array<QAction*, 9> pulsanti_{};  // index 0 unused
    std::array<QLabel*, 8> pannelli_{};   // index 0 unused
};
