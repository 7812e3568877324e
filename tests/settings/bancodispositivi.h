#pragma once
// What the tests of the switches and LEDs pages share: a temporary program folder with a
// season-mode settings file, the station's windows, scripted message boxes, and a page opened
// as its menu opens it.
#include "caricamento.h"
#include "cartellatemporanea.h"
#include "casellavalore.h"
#include "comunicazioni.h"
#include "dialoghifinti.h"
#include "finestre.h"
#include "generale.h"
#include "pagina.h"
#include "testo1252.h"

#include <QComboBox>
#include <QStringList>

#include <memory>
#include <vector>

class BancoDispositivi {
public:
    // Before each test: a new folder, new windows.
    void prepara()
    {
        cartella = std::make_unique<CartellaTemporanea>();
        dialoghi = std::make_unique<DialoghiFinti>();
        Generale::ModoStagioni = true;
        Generale::FileImpostazioni = QStringLiteral("Quelvar1.ini");
        finestre = std::make_unique<Finestre>();
    }
    void smonta()
    {
        finestre.reset();
        dialoghi.reset();
        cartella.reset();
    }

    // `ini` written with CRLF as the station writes it; then what the page's menu does: lists
    // filled, pages hidden, configuration loaded, page opened.
    void apri(Pagina* pagina, QString ini) const
    {
        ini.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        cartella->scrivi(Generale::FileImpostazioni, Piattaforma::In1252(ini));
        Configurazione::CaricaImpostazioni();
        pagina->RiempiListe(true);
        finestre->comunicazioni->NascondiPagine();
        pagina->Apri();
    }

    QByteArray file() const { return cartella->leggi(Generale::FileImpostazioni); }
    Comunicazioni* comunicazioni() const { return finestre->comunicazioni; }

    std::unique_ptr<CartellaTemporanea> cartella;
    std::unique_ptr<DialoghiFinti> dialoghi;
    std::unique_ptr<Finestre> finestre;
};

inline QStringList Testi(const std::vector<CasellaValore*>& caselle)
{
    QStringList r;
    for (const CasellaValore* c : caselle)
        r << c->text();
    return r;
}

inline QStringList Voci(const QComboBox* lista)
{
    QStringList r;
    for (int i = 0; i < lista->count(); ++i)
        r << lista->itemText(i);
    return r;
}
