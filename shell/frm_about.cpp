#include "frm_about.h"

#include "frmsplash.h"
#include "risorse.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

Frm_About::Frm_About(QWidget* parent)
    // No minimize button: the main window waits, disabled, until this one is closed.
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint)
{
    Risorse::Inizializza();
    setObjectName(QStringLiteral("Frm_About"));
    setWindowTitle(QStringLiteral("Informazioni su..."));

    Logo_Fenlo = new QLabel(this);
    Logo_Fenlo->setObjectName(QStringLiteral("Logo_Fenlo"));
    Logo_Fenlo->setPixmap(QPixmap(Risorse::LogoFenlo));
    Logo_Fenlo->setVisible(false);

    lblProductName = new QLabel(this);
    lblProductName->setObjectName(QStringLiteral("lblProductName"));
    QFont grande = lblProductName->font();
    grande.setPointSize(18);
    grande.setBold(true);
    lblProductName->setFont(grande);
    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setToolTip(QStringLiteral("Chiudi la pagina di informazioni"));
    connect(cmdOK, &QPushButton::clicked, this, &Frm_About::cmdOK_Click);

    auto* testi = new QVBoxLayout;
    testi->addStretch();
    testi->addWidget(lblProductName);
    testi->addWidget(lblVersion);
    testi->addStretch();
    auto* sopra = new QHBoxLayout;
    sopra->addWidget(Logo_Fenlo, 0, Qt::AlignTop);
    sopra->addSpacing(16);
    sopra->addLayout(testi, 1);
    auto* sotto = new QHBoxLayout;
    sotto->addStretch();
    sotto->addWidget(cmdOK);
    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(sopra);
    tutto->addStretch();
    tutto->addLayout(sotto);

    Form_Load();
}

void Frm_About::Form_Load()
{
    lblVersion->setText(Versione::Testo());
    lblProductName->setText(QStringLiteral("Quelvar"));
    Logo_Fenlo->setVisible(true);
    setFixedSize(qMax(sizeHint().width(), 440), Altezza);
    update();
}

void Frm_About::cmdOK_Click()
{
    hide();
    update();
    emit Chiuso();
}

void Frm_About::closeEvent(QCloseEvent* event)
{
    event->ignore();
    cmdOK_Click();
}
