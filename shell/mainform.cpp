#include "mainform.h"

#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

MainForm::MainForm(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    Area = new QMdiArea(this);
    Area->setObjectName(QStringLiteral("Area"));
    setCentralWidget(Area);
    createMenus();
    createToolBar();
    createStatusBar();
    createTimers();
}

void MainForm::createMenus()
{
    QMenu* finestre = menuBar()->addMenu(QStringLiteral("&Visualizza"));
    MenuGrafico = finestre->addAction(QStringLiteral("Grafico"));
    MenuGrafico->setObjectName(QStringLiteral("MenuGrafico"));
    MenuGrafico->setCheckable(true);
    MenuStorico = finestre->addAction(QStringLiteral("Storico"));
    MenuStorico->setObjectName(QStringLiteral("MenuStorico"));
    MenuStorico->setCheckable(true);
    MenuStagione = finestre->addAction(QStringLiteral("Stagione"));
    MenuStagione->setObjectName(QStringLiteral("MenuStagione"));
    MenuStagione->setCheckable(true);
}

void MainForm::createToolBar()
{
    Toolbar = addToolBar(QStringLiteral("Toolbar"));
    Toolbar->setObjectName(QStringLiteral("Toolbar"));
    for (int n = 1; n <= 8; ++n) {
        pulsanti_[n] = Toolbar->addAction(QString());
        pulsanti_[n]->setObjectName(QStringLiteral("Toolbar(%1)").arg(n));
    }
    pulsanti_[3]->setText(QStringLiteral("Grafico"));
    pulsanti_[4]->setText(QStringLiteral("Storico"));
    pulsanti_[5]->setText(QStringLiteral("Stagione"));
}

void MainForm::createStatusBar()
{
    for (int n = 1; n <= 7; ++n) {
        pannelli_[n] = new QLabel(this);
        pannelli_[n]->setObjectName(QStringLiteral("Pannello(%1)").arg(n));
        pannelli_[n]->setFrameShape(QFrame::Panel);
        pannelli_[n]->setFrameShadow(QFrame::Sunken);
        // Panel 3 and 4 take the room left.
        statusBar()->addPermanentWidget(pannelli_[n], n == 3 || n == 4 ? 1 : 0);
    }
    pannelli_[2]->setText(QStringLiteral("Standby"));
}

void MainForm::createTimers()
{
    TimerAutoStart = new QTimer(this);
    TimerAutoStart->setObjectName(QStringLiteral("TimerAutoStart"));
    TimerAutoStart->setSingleShot(true);
    TimerAutoStart->setInterval(10000);
    Timer_Lampeggio = new QTimer(this);
    Timer_Lampeggio->setObjectName(QStringLiteral("Timer_Lampeggio"));
    Timer_Lampeggio->setInterval(700);
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
