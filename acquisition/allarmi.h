#pragma once
// Consecutive communication errors per device and the communication alarm: the sixth error in
// a row latches the device's alarm once (one entry in the error monitor, blinking and sound);
// a good exchange sets the counter back to 0 but leaves the latch; only the operator's reset
// clears latches and lists.
namespace Generale {

inline bool LampeggioAllarme = false;  // blinking asked for

inline constexpr int ErroriPerAllarme = 6;

void SegnalaErroreZona(int zona);
void SegnalaErroreInterruttore(int interruttore);
void SegnalaErroreLED(int led);

// Mode 0: reset every counter, latch and list and stop blinking; in every mode hide the monitor.
void ChiudiMonitor(int modo);
void ImpostaLampeggio(bool acceso);

}  // namespace Generale
