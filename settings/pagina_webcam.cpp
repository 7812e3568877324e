#include "pagina_webcam.h"

#include "chiavi.h"
#include "comunicazioni.h"
#include "controlli.h"
#include "generale.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace PaginaWebcamDati {

Impostazioni::Scritture ChiaviDaSalvare(bool usa, const QString& nome)
{
    return {{QString::fromLatin1(Chiavi::Sezione::Generale), Chiavi::Generale::Webcam.Nome(),
             usa ? QStringLiteral("1") : QStringLiteral("0")},
            {QString::fromLatin1(Chiavi::Sezione::Webcam), QString::fromLatin1(Chiavi::Dispositivo::Nome),
             Impostazioni::NomeDaSalvare(nome)}};
}

}  // namespace PaginaWebcamDati

PaginaWebcam::PaginaWebcam(Comunicazioni* finestra)
    : Pagina(finestra, QStringLiteral("Pic_WebCam"), 120, 480)
{
    auto* colonna = new QVBoxLayout(this);
    auto* titolo = new QLabel(QStringLiteral("Impostazione webcam USB"), this);
    titolo->setObjectName(QStringLiteral("Lab_Titolo_WebCam"));
    QFont grassetto = titolo->font();
    grassetto.setBold(true);
    titolo->setFont(grassetto);
    colonna->addWidget(titolo);

    Chk_Webcam = new QCheckBox(QStringLiteral("Utilizza webcam USB"), this);
    Chk_Webcam->setObjectName(QStringLiteral("Chk_Webcam"));
    Chk_Webcam->setToolTip(QStringLiteral("Utilizzo/non utilizzo della webcam"));
    connect(Chk_Webcam, &QCheckBox::clicked, this, [this] { Chk_Webcam_Click(); });
    colonna->addWidget(Chk_Webcam);

    auto* nome = new QHBoxLayout;
    Txt_Nome_WC = new QLineEdit(this);
    Txt_Nome_WC->setObjectName(QStringLiteral("Txt_Nome_WC"));
    Txt_Nome_WC->setToolTip(QStringLiteral("Nome della webcam"));
    Txt_Nome_WC->setMinimumWidth(220);
    nome->addWidget(new QLabel(QStringLiteral("Nome webcam:"), this));
    nome->addWidget(Txt_Nome_WC);
    colonna->addLayout(nome);

    auto* pulsanti = new QHBoxLayout;
    static const char* const suggerimenti[] = {"Salva ed esci dalla configurazione",
                                               "Esci dalla configurazione senza salvare"};
    for (int i = 0; i < 2; ++i) {
        Cmd_Chiudi_WC[i] = Impostazioni::PulsanteChiusura(this, Controlli::Elemento("Cmd_Chiudi_WC", i),
                                                          static_cast<Impostazioni::Chiusura>(i),
                                                          QString::fromLatin1(suggerimenti[i]));
        connect(Cmd_Chiudi_WC[i], &QToolButton::clicked, this, [this, i] { Cmd_Chiudi_WC_Click(i); });
        pulsanti->addWidget(Cmd_Chiudi_WC[i]);
    }
    pulsanti->addStretch();
    colonna->addLayout(pulsanti);
}

void PaginaWebcam::Apri()
{
    {
        const QSignalBlocker blocco(Chk_Webcam);
        Chk_Webcam->setChecked(Generale::WebcamPresente == 1);
    }
    Chk_Webcam_Click();
    mostrate_ = PaginaWebcamDati::ChiaviDaSalvare(Chk_Webcam->isChecked(), Txt_Nome_WC->text());
    Mostra();
}

void PaginaWebcam::Chk_Webcam_Click()
{
    const bool usa = Chk_Webcam->isChecked();
    Txt_Nome_WC->setText(usa ? Generale::NomeWebcam : QString());
    Txt_Nome_WC->setEnabled(usa);
    Chk_Webcam->update();
}

void PaginaWebcam::Cmd_Chiudi_WC_Click(int indice)
{
    if (indice != 0) {
        EsciSenzaSalvare();
        return;
    }
    hide();
    SalvaERicarica(Impostazioni::Cambiate(mostrate_, PaginaWebcamDati::ChiaviDaSalvare(Chk_Webcam->isChecked(),
                                                                                     Txt_Nome_WC->text())),
                   [this] {
        update();
        Finestra()->update();
    });
}
