#include "pagina_stagione.h"

#include "comunicazioni.h"
#include "controlli.h"
#include "dialoghi.h"
#include "file_ini.h"
#include "ricetta.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace {
QString sezione() { return QString::fromLatin1(Chiavi::Sezione::Stagione); }
Impostazioni::Scritture chiavi(const QString& estate, const QString& inverno)
{
    return {{sezione(), Chiavi::Stagione::Estate.Nome(), estate}, {sezione(), Chiavi::Stagione::Inverno.Nome(), inverno}};
}
}  // namespace

PaginaStagione::PaginaStagione(Comunicazioni* finestra)
    : Pagina(finestra, QStringLiteral("Pic_Stagione"), 120, 480)
{
    auto* griglia = new QGridLayout(this);
    Lab_Titolo = new QLabel(QStringLiteral("Impostazione stagioni"), this);
    Lab_Titolo->setObjectName(QStringLiteral("Lab_Titolo_Stagione"));
    QFont grassetto = Lab_Titolo->font();
    grassetto.setBold(true);
    Lab_Titolo->setFont(grassetto);
    griglia->addWidget(Lab_Titolo, 0, 0, 1, 3);

    auto casella = [&](const char* nome, const char* etichetta, const char* suggerimento, int riga) {
        auto* lab = new QLabel(QString::fromUtf8(etichetta), this);
        auto* txt = new QLineEdit(this);
        txt->setObjectName(QString::fromLatin1(nome));
        txt->setToolTip(QString::fromUtf8(suggerimento));
        txt->setMinimumWidth(260);
        lab->setBuddy(txt);
        griglia->addWidget(lab, riga, 0);
        griglia->addWidget(txt, riga, 1);
        return txt;
    };
    Txt_Estate = casella("Txt_Estate", "Estate:", "File per il cambio dalla stagione invernale alla stagione estiva", 1);
    Txt_Inverno = casella("Txt_Inverno", "Inverno:", "File per il cambio dalla stagione estiva alla stagione invernale", 2);

    Cmd_CreaRicetta = new QPushButton(style()->standardIcon(QStyle::SP_FileIcon), QStringLiteral("Crea ricetta"), this);
    Cmd_CreaRicetta->setObjectName(QStringLiteral("Cmd_CreaRicetta"));
    Cmd_CreaRicetta->setToolTip(QStringLiteral("Crea un file di configurazione"));
    griglia->addWidget(Cmd_CreaRicetta, 1, 2, 2, 1);
    connect(Cmd_CreaRicetta, &QPushButton::clicked, this, &PaginaStagione::Cmd_CreaRicetta_Click);

    auto* pulsanti = new QHBoxLayout;
    static const char* const suggerimenti[] = {"Salva ed esci dalla configurazione",
                                               "Esci dalla configurazione senza salvare"};
    for (int i = 0; i < 2; ++i) {
        Cmd_Chiudi_Stag[i] = Impostazioni::PulsanteChiusura(this, Controlli::Elemento("Cmd_Chiudi_Stag", i),
                                                            static_cast<Impostazioni::Chiusura>(i),
                                                            QString::fromLatin1(suggerimenti[i]));
        pulsanti->addWidget(Cmd_Chiudi_Stag[i]);
        connect(Cmd_Chiudi_Stag[i], &QToolButton::clicked, this, [this, i] { Cmd_Chiudi_Stag_Click(i); });
    }
    pulsanti->addStretch();
    griglia->addLayout(pulsanti, 3, 0, 1, 3);
}

void PaginaStagione::Apri()
{
    Txt_Estate->setText(File_Ini::LeggiIni(sezione(), Chiavi::Stagione::Estate.Nome(), QString()));
    Txt_Estate->update();
    Txt_Inverno->setText(File_Ini::LeggiIni(sezione(), Chiavi::Stagione::Inverno.Nome(), QString()));
    Txt_Inverno->update();
    mostrate_ = chiavi(Txt_Estate->text(), Txt_Inverno->text());
    Mostra();
    update();
    Finestra()->update();
}

void PaginaStagione::Cmd_CreaRicetta_Click()
{
    if (File_Ini::CreaRicetta())
        return;  // the template is open in the editor
    Piattaforma::ServizioDialoghi().Messaggio(
        QStringLiteral("Errore occorso durante la creazione del file ") + File_Ini::NomeModelloRicetta,
        QStringLiteral("Gestione cambio stagione"), Piattaforma::PulsantiDialogo::OK,
        Piattaforma::IconaDialogo::Esclamazione);
}

void PaginaStagione::Cmd_Chiudi_Stag_Click(int Index)
{
    if (Index == 1) {
        EsciSenzaSalvare();
        Finestra()->update();
        return;
    }
    if (Index != 0)
        return;
    // The names are written as typed (the recipe window trims them when it reads them), and only
    // a name changed since the page opened. A settings file that refuses them is told, as on every
    // page: the recipe window would otherwise load the old recipes while the operator believes the
    // new ones saved.
    SalvaERicarica(Impostazioni::Cambiate(mostrate_, chiavi(Txt_Estate->text(), Txt_Inverno->text())), [this] {
        hide();
        update();
        Finestra()->update();
    });
}
