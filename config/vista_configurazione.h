#pragma once
// What the whole-configuration load asks of the windows. The shell sets these hooks when it
// builds the windows; an empty hook is skipped, so the load also runs without any window.
// No hook may let window events run: the load never yields.
#include <QString>

#include <functional>

namespace Configurazione {

struct VistaConfigurazione {
    // ---- Synoptic ----
    // Zone and webcam panels closed (webcam capture stopped), panel captions of no zone.
    std::function<void()> ChiudiPannelli;
    // Device controls destroyed and created again from the plant model, every reading "--.-",
    // switch and LED icons at rest, plant picture from ImmaginePianta.
    std::function<void()> RicostruisciSinottico;

    // ---- Charts ----
    std::function<void(float minimo, float massimo)> ImpostaLimitiAssoluti;
    std::function<void()> ImpostaGrafici;

    // ---- Settings window ----
    std::function<void(const QString& unita)> MostraUnitaCrono;
    // The four lists shown from ListeComunicazione, entry 0 of each selected (none when empty).
    std::function<void()> MostraListe;
    std::function<void()> MostraOpzioneCrono;
    std::function<void()> MostraOpzioniRemoto;
    std::function<void()> MostraOpzioneAvvio;
    std::function<void()> MostraOpzioneGrafici;
    std::function<void(bool attiva)> MostraOpzioneRicette;
    std::function<void()> MostraOpzioneMaster;

    // ---- Serial port and main window ----
    // True when the port could be opened and closed again. Without this hook the test fails.
    std::function<bool(int porta)> ProvaSeriale;
    // The tested port number and its line settings ("9600,N,8,1") for the bus link.
    std::function<void(int porta, const QString& formato)> ImpostaPortaSeriale;
    // Status-bar panel 5.
    std::function<void(const QString& testo)> MostraStatoPorta;
    // The automatic-start countdown: fast blinking, "Avvio in corso...", auto-start timer.
    std::function<void()> ArmaAvvioAutomatico;
};

inline VistaConfigurazione Vista;

}  // namespace Configurazione
