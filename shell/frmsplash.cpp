#include "frmsplash.h"

#include "generale.h"
#include "risorse.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QVBoxLayout>
#include <QVersionNumber>

namespace Versione {

namespace {
QVersionNumber Numero()
{
    return QVersionNumber::fromString(QCoreApplication::applicationVersion());
}
}  // namespace

QString Suffisso()
{
    return Numero().majorVersion() == 0 ? QStringLiteral(" (BETA)") : QString();
}

QString Testo()
{
    const QVersionNumber v = Numero();
    return QStringLiteral("Versione %1.%2%3").arg(v.majorVersion()).arg(v.minorVersion()).arg(v.microVersion())
        + Suffisso();
}

QString TitoloPrincipale()
{
    return QStringLiteral("Quelvar") + Suffisso();
}

}  // namespace Versione

frmSplash::frmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    Risorse::Inizializza();
    setObjectName(QStringLiteral("frmSplash"));
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(480, 300);

    Frm_Splash = new QFrame(this);
    Frm_Splash->setObjectName(QStringLiteral("Frm_Splash"));
    Frm_Splash->setFrameShape(QFrame::Box);
    Frm_Splash->setLineWidth(2);
    Frm_Splash->setGeometry(rect());
    Frm_Splash->installEventFilter(this);

    Logo_Fenlo = new QLabel(Frm_Splash);
    Logo_Fenlo->setObjectName(QStringLiteral("Logo_Fenlo"));
    Logo_Fenlo->setPixmap(QPixmap(Risorse::LogoFenlo));
    Logo_Fenlo->adjustSize();
    Logo_Fenlo->setVisible(false);

    lblProductName = new QLabel(Frm_Splash);
    lblProductName->setObjectName(QStringLiteral("lblProductName"));
    QFont grande = lblProductName->font();
    grande.setPointSize(28);
    grande.setBold(true);
    lblProductName->setFont(grande);
    lblProductName->setAlignment(Qt::AlignCenter);
    lblProductName->setGeometry(20, 130, width() - 40, 60);

    lblVersion = new QLabel(QStringLiteral("Versione X.XX"), Frm_Splash);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    QFont medio = lblVersion->font();
    medio.setPointSize(12);
    lblVersion->setFont(medio);
    lblVersion->setAlignment(Qt::AlignCenter);
    lblVersion->setGeometry(20, 200, width() - 40, 30);

    // Runs from creation, so the splash stays 3.5 s whatever the preloading costs.
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(DurataMs);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
    Timer1->start();
}

void frmSplash::Form_Load()
{
    Generale::UtenteTecnico = false;
    Generale::UtenteAmministratore = false;
    Logo_Fenlo->setVisible(true);
    Logo_Fenlo->move((width() - Logo_Fenlo->width()) / 2, 30);
    lblProductName->setText(QStringLiteral("Quelvar"));
    lblVersion->setText(Versione::Testo());
    update();
}

void frmSplash::Form_KeyPress()
{
    ChiudiSplash();
}

void frmSplash::Frm_Splash_Click()
{
    ChiudiSplash();
}

void frmSplash::Timer1_Timer()
{
    ChiudiSplash();
}

void frmSplash::ChiudiSplash()
{
    Timer1->stop();
    // A key and a click queued together, or the timer's event already posted, must not run the
    // rest of the start-up twice.
    if (terminato_)
        return;
    terminato_ = true;
    hide();
    emit Terminato();
}

void frmSplash::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    Form_KeyPress();
}

void frmSplash::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    raise();
    activateWindow();
    setFocus();
}

bool frmSplash::eventFilter(QObject* oggetto, QEvent* event)
{
    // The labels and the logo pass their clicks on to the frame.
    if (oggetto == Frm_Splash && event->type() == QEvent::MouseButtonRelease) {
        Frm_Splash_Click();
        return true;
    }
    return QWidget::eventFilter(oggetto, event);
}
