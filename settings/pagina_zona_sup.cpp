#include "pagina_zona_sup.h"

#include "cartellaprogramma.h"
#include "comunicazioni.h"
#include "controlli.h"
#include "dialoghi.h"
#include "file_ini.h"
#include "generale.h"
#include "pagina_zone.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace Z = ChiaviZone;

PaginaZonaSup::PaginaZonaSup(Comunicazioni* finestra)
    : Pagina(finestra, QStringLiteral("Pic_Zona_Sup"), 1000, 1800)
{
    auto* colonna = new QVBoxLayout(this);
    Lab_Titolo = new QLabel(QStringLiteral("Impostazioni supplementari"), this);
    Lab_Titolo->setObjectName(QStringLiteral("Lab_Titolo_Zona_Sup"));
    QFont grassetto = Lab_Titolo->font();
    grassetto.setBold(true);
    Lab_Titolo->setFont(grassetto);
    colonna->addWidget(Lab_Titolo);

    auto* griglia = new QGridLayout;
    static const char* const ordinali[] = {"primo", "secondo", "terzo", "quarto", "quinto"};
    static const char* const etichette[] = {"Primo pannello:", "Secondo pannello:", "Terzo pannello:",
                                            "Quarto pannello:", "Quinto pannello:"};
    for (int i = 0; i < Z::NumeroDiciture; ++i) {
        auto* etichetta = new QLabel(QLatin1String(etichette[i]), this);
        etichetta->setTextFormat(Qt::PlainText);
        Txt_ZonaSup[i] = new QLineEdit(this);
        Txt_ZonaSup[i]->setObjectName(Controlli::Elemento("Txt_ZonaSup", i));
        Txt_ZonaSup[i]->setToolTip(
            QStringLiteral("Nome del parametro visualizzato nel %1 pannello").arg(QLatin1String(ordinali[i])));
        Txt_ZonaSup[i]->setMinimumWidth(180);
        griglia->addWidget(etichetta, i, 0);
        griglia->addWidget(Txt_ZonaSup[i], i, 1, 1, 2);
    }
    Cmb_Pics = new QComboBox(this);
    Cmb_Pics->setObjectName(QStringLiteral("Cmb_Pics"));
    Img_Preview = new QLabel(this);
    Img_Preview->setObjectName(QStringLiteral("Img_Preview"));
    Img_Preview->setFixedSize(48, 48);
    Img_Preview->setAlignment(Qt::AlignCenter);
    Img_Preview->setFrameShape(QFrame::Panel);
    Img_Preview->setFrameShadow(QFrame::Sunken);
    auto* icona = new QLabel(QStringLiteral("Icona tasto:"), this);
    griglia->addWidget(icona, Z::NumeroDiciture, 0);
    griglia->addWidget(Cmb_Pics, Z::NumeroDiciture, 1);
    griglia->addWidget(Img_Preview, Z::NumeroDiciture, 2, Qt::AlignLeft);
    colonna->addLayout(griglia);

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    static const char* const suggerimenti[] = {"Salva ed esci dalla configurazione supplementare",
                                               "Termine configurazione supplementare"};
    const QStyle::StandardPixmap icone[] = {QStyle::SP_DialogOkButton, QStyle::SP_DialogCancelButton};
    for (int i = 0; i < 2; ++i) {
        Cmd_ChiudiZoneSup[i] = new QToolButton(this);
        Cmd_ChiudiZoneSup[i]->setObjectName(Controlli::Elemento("Cmd_ChiudiZoneSup", i));
        Cmd_ChiudiZoneSup[i]->setToolTip(QLatin1String(suggerimenti[i]));
        Cmd_ChiudiZoneSup[i]->setIcon(style()->standardIcon(icone[i]));
        Cmd_ChiudiZoneSup[i]->setIconSize(QSize(24, 24));
        connect(Cmd_ChiudiZoneSup[i], &QToolButton::clicked, this, [this, i] { Cmd_ChiudiZoneSup_Click(i); });
        pulsanti->addWidget(Cmd_ChiudiZoneSup[i]);
    }
    colonna->addLayout(pulsanti);

    connect(Cmb_Pics, &QComboBox::currentIndexChanged, this, [this] { Cmb_Pics_Click(); });
}

void PaginaZonaSup::ApriZona(int zona)
{
    if (zona < 1 || zona > Generale::MaxZone)
        return;
    zona_ = zona;
    const QString sezione = Z::Sezione(zona);
    for (int i = 0; i < Z::NumeroDiciture; ++i)
        Txt_ZonaSup[i]->setText(
            File_Ini::LeggiIni(sezione, Z::ChiaveDicitura(i), QString::fromLatin1(Chiavi::Sinottico::PredefinitoCampo))
                .trimmed());
    const QString icona = File_Ini::LeggiIni(sezione, Chiavi::Dispositivo::Icona).trimmed();
    const QStringList icone = Z::Icone(Piattaforma::CartellaProgramma());
    {
        const QSignalBlocker blocco(Cmb_Pics);
        Cmb_Pics->clear();
        Cmb_Pics->addItems(icone);
        Cmb_Pics->setCurrentIndex(Z::IndiceIcona(icone, icona));
    }
    Cmb_Pics_Click();
    mostrate_ = Z::SalvataggioSupplementare(zona_, campi(), iconaScelta());
    Mostra();
    update();
}

std::array<QString, ChiaviZone::NumeroDiciture> PaginaZonaSup::campi() const
{
    std::array<QString, Z::NumeroDiciture> testi;
    for (int i = 0; i < Z::NumeroDiciture; ++i)
        testi[i] = Txt_ZonaSup[i]->text();
    return testi;
}

QString PaginaZonaSup::iconaScelta() const { return Impostazioni::TestoSelezionato(Cmb_Pics); }

void PaginaZonaSup::Cmb_Pics_Click()
{
    if (Cmb_Pics->currentIndex() < 0) {
        Img_Preview->clear();
    } else {
        // A picture that cannot be loaded leaves the preview as it was.
        const QPixmap immagine(QDir(Piattaforma::CartellaProgramma()).filePath(Cmb_Pics->currentText()));
        if (!immagine.isNull())
            Img_Preview->setPixmap(immagine.scaled(Img_Preview->size(), Qt::KeepAspectRatio));
    }
    Img_Preview->update();
}

void PaginaZonaSup::Cmd_ChiudiZoneSup_Click(int indice)
{
    if (indice == 0 && zona_ >= 1) {
        if (!Z::Scrivi(Impostazioni::Cambiate(mostrate_, Z::SalvataggioSupplementare(zona_, campi(), iconaScelta()))))
            Impostazioni::AvvisaScritturaRifiutata();
    }
    if (indice != 0 && indice != 1)
        return;
    hide();
    if (Finestra()->Pic_ZoneMB)
        Finestra()->Pic_ZoneMB->update();
    Finestra()->update();
}
