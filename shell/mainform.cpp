#include "mainform.h"

#include <QMdiArea>
#include <QMenuBar>
#include <QToolBar>

MainForm::MainForm(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    Area = new QMdiArea(this);
    setCentralWidget(Area);
    createMenus();
    createToolBar();
}

void MainForm::createMenus()
{
    QMenu* finestre = menuBar()->addMenu(QStringLiteral("&Visualizza"));
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
    pulsanti_[5]->setText(QStringLiteral("Stagione"));
}
