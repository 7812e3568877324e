#include "finestre.h"

#include "comunicazioni.h"
#include "generale.h"
#include "grafico.h"
#include "impostagrafici.h"
#include "mainform.h"
#include "mbus.h"
#include "modo.h"
#include "sinottico.h"
#include "stagione.h"
#include "storico.h"
#include "vista_configurazione.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>

Finestre::Finestre()
{
    mainForm = new MainForm;
    stagione = new Stagione;
    comunicazioni = new Comunicazioni;
    sinottico = new Sinottico;
    finestraSinottico = mainForm->Area->addSubWindow(sinottico);
    finestraSinottico->hide();
    grafico = new Grafico;
    finestraGrafico = mainForm->Area->addSubWindow(grafico);
    finestraGrafico->hide();
    storico = new Storico;
    finestraStorico = mainForm->Area->addSubWindow(storico);
    finestraStorico->hide();
    Generale::RietichettaModo = [this] { rietichettaModo(); };
    collegaCaricamento();
}

Finestre::~Finestre()
{
    Generale::RietichettaModo = nullptr;
    Configurazione::Vista = {};
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
    v.MostraStatoPorta = [this](const QString& testo) {
        mainForm->Pannello(5)->setText(testo);
        mainForm->statusBar()->repaint();
    };
    v.ArmaAvvioAutomatico = [this] {
        mainForm->Timer_Lampeggio->setInterval(350);
        mainForm->Pannello(4)->setText(QStringLiteral("Avvio in corso..."));
        mainForm->statusBar()->repaint();
        mainForm->TimerAutoStart->start();
    };
}
