#include "avvio.h"

#include "dialoghi.h"
#include "finestre.h"
#include "frmsplash.h"
#include "generale.h"
#include "istanza.h"
#include "mainform.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

const QString Avvio::Domanda = QStringLiteral("Se si desidera comunicare con gli strumenti selezionare < SI >\r"
                                              "Se desidera simularne la presenza selezionare < NO >");

const QString Avvio::GiaInEsecuzione =
    QStringLiteral("Attenzione: il programma è già in esecuzione da questa cartella. Questa copia verrà chiusa.");

bool Avvio::PrendiCartella(Piattaforma::Istanza& istanza)
{
    switch (istanza.Prendi()) {
    case Piattaforma::Istanza::Esito::Presa:
        break;
    case Piattaforma::Istanza::Esito::Occupata:
        // On the log too: a start from the session's autostart may be refused with nobody at
        // the screen.
        qWarning().noquote() << GiaInEsecuzione;
        Piattaforma::ServizioDialoghi().Messaggio(GiaInEsecuzione, Versione::TitoloPrincipale(),
                                                  Piattaforma::PulsantiDialogo::OK,
                                                  Piattaforma::IconaDialogo::Esclamazione);
        return false;
    case Piattaforma::Istanza::Esito::Impossibile:
        qWarning().noquote() << "File di blocco non creato, nulla impedisce un secondo avvio in questa cartella:"
                             << istanza.Percorso();
        break;
    }
    return true;
}

Avvio::Avvio()
    : splash_(std::make_unique<frmSplash>())
{
    finestre_ = std::make_unique<Finestre>();
    finestre_->Carica();

    // The splash's own part: nobody logged in, acquisition stopped, the texts.
    splash_->Form_Load();
    MainForm* m = finestre_->mainForm;
    m->Pannello(1)->setText(QStringLiteral("Utente: Anonimo"));
    m->Pannello(2)->setText(QStringLiteral("Standby"));
    m->Timer_Monitor->stop();
    m->statusBar()->repaint();

    connect(splash_.get(), &frmSplash::Terminato, this, &Avvio::ChiudiSplash);
    // The program ends at once, without asking the windows to close: the main window's close
    // box is routed back to "Fine programma", so a quit request would only ask again and again.
    connect(m, &MainForm::FineProgramma, qApp, [] { QCoreApplication::exit(0); });
    splash_->show();
    splash_->repaint();
}

Avvio::~Avvio() = default;

void Avvio::ChiudiSplash()
{
    MainForm* m = finestre_->mainForm;
    m->showMaximized();
    const auto risposta = Piattaforma::ServizioDialoghi().Messaggio(
        Domanda, m->windowTitle(), Piattaforma::PulsantiDialogo::SiNo, Piattaforma::IconaDialogo::Informazione,
        Piattaforma::RispostaDialogo::Si);
    m->SceltaComunicazione(risposta != Piattaforma::RispostaDialogo::No);
}
