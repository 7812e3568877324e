#pragma once
// The station's real windows, offscreen, in a temporary program folder with a small plant in
// season mode. Pauses do not wait; they record what panel 4 showed while they blocked. Sounds
// are recorded, not played.
#include "cartellatemporanea.h"
#include "dialoghi.h"
#include "allarmi.h"
#include "ganci.h"
#include "generale.h"
#include "finestre.h"
#include "mainform.h"
#include "mbus.h"

#include <QLabel>
#include <QTimer>
#include <QStringList>

#include <functional>

namespace BancoShell {

inline QByteArray Impostazioni(int zone = 0, const char* autoAvvio = "0")
{
    return QByteArray("[Generale]\r\nZone=") + QByteArray::number(zone)
           + "\r\nInterruttori=0\r\nLED=0\r\nApriporta=0\r\nWebcam=0\r\nAutoAvvio=" + autoAvvio
           + "\r\nGrafico=1\r\nRicette=1\r\nCronotermostato=1\r\nMaster=0\r\n";
}

inline void StatoIniziale()
{
    using namespace Generale;
    DimenticaPrimoCaricamento();
    AcquisizioneAttiva = false;
    AvvioInCorso = false;
    StagioneAperta = ImpostazioniAperte = false;
    UtenteAmministratore = UtenteTecnico = false;
    AllarmePresente = false;
    LampeggioAllarme = false;
    AllarmeZona.fill(false);
    ErroriZona.fill(0);
    SuonoAllarme.clear();
    MBus::ComunicazioneReale = false;
    PortaSerialeValida = false;
}

// A message box service that runs `durante` while the box is "open", then answers.
class DialoghiScriptati final : public Piattaforma::Dialoghi {
public:
    DialoghiScriptati() { precedente_ = Piattaforma::ImpostaServizioDialoghi(this); }
    ~DialoghiScriptati() override { Piattaforma::ImpostaServizioDialoghi(precedente_); }

    std::function<void()> durante;
    std::optional<Piattaforma::RispostaDialogo> risposta;
    QStringList testi, titoli;
    QList<Piattaforma::PulsantiDialogo> pulsanti;
    QList<Piattaforma::IconaDialogo> icone;
    QList<std::optional<Piattaforma::RispostaDialogo>> predefinite;

    Piattaforma::RispostaDialogo Messaggio(const QString& testo, const QString& titolo,
                                           Piattaforma::PulsantiDialogo p, Piattaforma::IconaDialogo icona,
                                           std::optional<Piattaforma::RispostaDialogo> predefinita) override
    {
        testi << testo;
        titoli << titolo;
        pulsanti << p;
        icone << icona;
        predefinite << predefinita;
        if (durante)
            std::exchange(durante, nullptr)();
        return risposta.value_or(Piattaforma::RispostaPredefinita(p, predefinita));
    }
    std::optional<QString> Input(const QString&, const QString&, const QString&) override { return std::nullopt; }
    void Avviso(const QString& testo, const QString& titolo, Piattaforma::IconaDialogo icona) override
    {
        testi << testo;
        titoli << titolo;
        pulsanti << Piattaforma::PulsantiDialogo::OK;
        icone << icona;
        predefinite << std::nullopt;
    }

private:
    Piattaforma::Dialoghi* precedente_ = nullptr;
};

// Replaces the blocking pause and the sound player of a main window already wired.
struct Registro {
    QStringList pannello4InPausa;  // what panel 4 showed during each blocking pause with a message
    QStringList suoni;

    void installa(MainForm* m)
    {
        Acquisizione::GanciAttivi().Pausa = [this, m](int) {
            if (!m->Pannello(4)->text().isEmpty())
                pannello4InPausa << m->Pannello(4)->text();
        };
        m->Suona = [this](const QString& percorso) { suoni << percorso; };
    }
};

// The windows of `impianto` (season mode) on `bus`, shown, the communicate-or-simulate question
// answered: the set-up of the tests that drive a running plant. The caller waits for exposure.
inline std::unique_ptr<Finestre> ApriImpianto(CartellaTemporanea& cartella, const char* impianto,
                                              MBus::Collegamento* bus, Registro& registro)
{
    cartella.scrivi(QStringLiteral("Quelvar0.ini"), "[Generale]\r\nModo=1\r\n");
    cartella.scrivi(QStringLiteral("Quelvar1.ini"), impianto);
    StatoIniziale();
    MBus::ImpostaCollegamento(bus);
    auto f = std::make_unique<Finestre>();
    f->Carica();
    registro = {};
    registro.installa(f->mainForm);
    f->mainForm->SceltaComunicazione(false);
    f->mainForm->resize(1280, 900);
    f->mainForm->show();
    return f;
}

}  // namespace BancoShell
