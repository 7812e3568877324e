#pragma once
#include <QMainWindow>

#include <array>

class QAction;
class QMdiArea;
class QToolBar;

// The station's main window: the MDI frame with menus, toolbar and status bar that hosts
// every work window.
class MainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit MainForm(QWidget* parent = nullptr);

    // Toolbar buttons are numbered 1..8: 3 live trend, 4 history, 5 season/recipes, 8 alarm.
    QAction* PulsanteToolbar(int numero) const { return pulsanti_.at(numero); }

    QToolBar* Toolbar = nullptr;
    QAction* MenuStagione = nullptr;
    QMdiArea* Area = nullptr;

private:
    void createMenus();
    void createToolBar();

    std::array<QAction*, 9> pulsanti_{};  // index 0 unused
};
