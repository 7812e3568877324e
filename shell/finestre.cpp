#include "finestre.h"

#include "comunicazioni.h"
#include "generale.h"
#include "mainform.h"
#include "modo.h"
#include "stagione.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QToolBar>

Finestre::Finestre()
{
    mainForm = new MainForm;
    stagione = new Stagione;
    comunicazioni = new Comunicazioni;
    Generale::RietichettaModo = [this] { rietichettaModo(); };
}

Finestre::~Finestre()
{
    Generale::RietichettaModo = nullptr;
    delete comunicazioni;
    delete stagione;
    delete mainForm;
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
