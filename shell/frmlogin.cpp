#include "frmlogin.h"

#include "controlli.h"
#include "dialoghi.h"
#include "generale.h"
#include "posizione.h"

#include <QCloseEvent>
#include <QCryptographicHash>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>

namespace {

enum class Livello { Tecnico, Amministratore };

// The built-in users. Only a SHA-256 digest of name, a NUL and password is kept, so the
// passwords cannot be read out of the program; the name is compared as typed, case included.
struct Utente {
    const char* nome;
    const char* impronta;
    Livello livello;
};

constexpr Utente Utenti[] = {
    {"Tecnico", "8a4115d32e3370a0a75746f90a33149d5a30212890acad0972f2950b07164368", Livello::Tecnico},
    {"Service", "7061085a2d2d96c49a1cc78f7fc01d2106febee44fc792670b490656e52c5cee", Livello::Amministratore},
    {"Admin", "d204dd7f1b9da9dc66cdae90238324f74f1736a9d48455fb86bf6e4c5dfa8701", Livello::Amministratore},
};

const Utente* Riconosci(const QString& nome, const QString& password)
{
    for (const Utente& u : Utenti) {
        if (nome != QLatin1String(u.nome))
            continue;
        const QByteArray impronta = QCryptographicHash::hash(
            nome.toUtf8() + '\0' + password.toUtf8(), QCryptographicHash::Sha256).toHex();
        if (impronta == u.impronta)
            return &u;
    }
    return nullptr;
}

}  // namespace

frmLogin::frmLogin(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("Accesso"));

    txtUserName = new QLineEdit(this);
    txtUserName->setObjectName(QStringLiteral("txtUserName"));
    txtUserName->setToolTip(QStringLiteral("Nome utente"));
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setToolTip(QStringLiteral("Password"));
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));  // "*"

    lblLabels[0] = new QLabel(QStringLiteral("&Nome utente:"), this);
    lblLabels[0]->setBuddy(txtUserName);
    lblLabels[1] = new QLabel(QStringLiteral("&Password:"), this);
    lblLabels[1]->setBuddy(txtPassword);
    for (int i = 0; i < 2; ++i)
        lblLabels[i]->setObjectName(Controlli::Elemento("lblLabels", i));

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setToolTip(QStringLiteral("Conferma nome utente e password"));
    cmdCancel = new QPushButton(QStringLiteral("Annulla"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setToolTip(QStringLiteral("Annulla operazione"));

    auto* griglia = new QGridLayout(this);
    griglia->addWidget(lblLabels[0], 0, 0);
    griglia->addWidget(txtUserName, 0, 1);
    griglia->addWidget(lblLabels[1], 1, 0);
    griglia->addWidget(txtPassword, 1, 1);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(cmdOK);
    pulsanti->addWidget(cmdCancel);
    griglia->addLayout(pulsanti, 2, 0, 1, 2);
    griglia->setColumnMinimumWidth(1, 200);

    connect(cmdOK, &QPushButton::clicked, this, &frmLogin::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLogin::cmdCancel_Click);
    connect(txtUserName, &QLineEdit::returnPressed, this, &frmLogin::cmdOK_Click);
    connect(txtPassword, &QLineEdit::returnPressed, this, &frmLogin::cmdOK_Click);
}

QWidget* frmLogin::cornice()
{
    if (auto* sotto = qobject_cast<QMdiSubWindow*>(parentWidget()))
        return sotto;
    return this;
}

void frmLogin::Mostra()
{
    QWidget* f = cornice();
    if (f != this)
        show();
    f->showNormal();
    // In the middle of the main window's area.
    if (f != this)
        Posizione::CentraNelGenitore(f);
    f->raise();
    txtUserName->setFocus();
    f->update();
}

void frmLogin::Nascondi()
{
    cornice()->hide();
    cornice()->update();
}

void frmLogin::cmdOK_Click()
{
    const QString nome = txtUserName->text();
    const QString password = txtPassword->text();

    auto scrivi = [this](const QString& testo) {
        if (ScriviUtente)
            ScriviUtente(testo);
    };
    scrivi(QStringLiteral("Utente: Anonimo"));
    Generale::UtenteAmministratore = false;
    Generale::UtenteTecnico = false;
    if (const Utente* u = Riconosci(nome, password)) {
        const bool amministratore = u->livello == Livello::Amministratore;
        Generale::UtenteAmministratore = amministratore;
        Generale::UtenteTecnico = !amministratore;
        scrivi(amministratore ? QStringLiteral("Utente: Amministratore") : QStringLiteral("Utente: Tecnico"));
    }

    ChiudiLogin();

    const bool vuoto = nome.isEmpty() && password.isEmpty();
    if (!vuoto && !Generale::UtenteAmministratore && !Generale::UtenteTecnico)
        Piattaforma::ServizioDialoghi().Messaggio(QStringLiteral("Password errata."), QStringLiteral("Accesso"),
                                                  Piattaforma::PulsantiDialogo::OK,
                                                  Piattaforma::IconaDialogo::Esclamazione);
}

void frmLogin::cmdCancel_Click()
{
    ChiudiLogin();
}

void frmLogin::ChiudiLogin()
{
    txtUserName->clear();
    txtUserName->update();
    txtPassword->clear();
    txtPassword->update();
    if (MostraLogin)
        MostraLogin(false);
    else
        Nascondi();
}

void frmLogin::closeEvent(QCloseEvent* event)
{
    event->ignore();
    cmdCancel_Click();
}
