#pragma once
// The Modbus RTU master: the only code that talks to the instruments. Values cross it raw: a
// register read gives the signed 16-bit register, a bit read 0 or 1, a write the decoded echo;
// scaling by a device's decimals is the caller's. ValoreAssente means no value.
#include "generale.h"

namespace MBus {

using Generale::ValoreAssente;

// One read of one point (function code 1..4) of one node, with NumeroTentativi attempts and
// AttesaRisposta seconds per attempt; in simulation (ComunicazioneReale false) a made-up value.
long LeggiRegistro(int funzione, long indirizzo, int nodo);
// One write (function code 5, 6 or 8); returns the decoded echo (a coil ON, 65280, echoes -256
// from an instrument and 65280 in simulation).
long ScriviRegistro(int funzione, int indirizzo, long valore, int nodo);
// True when the port could be opened and closed.
bool ProvaSeriale(int porta);

// True while an operation holds the line (it may be waiting for a reply, letting window events
// run). One exchange at a time: an operation started while the line is held never touches the
// port and returns ValoreAssente at once. The layers above never rely on that refusal: they
// hold their work back until the line is free.
bool Occupato();

// Remote/local hand-over of each device class (index 0-based) and the line-activity read.
bool AttivaRemotoZona(int indice);
bool AttivaLocaleZona(int indice, bool forza);
bool AttivaRemotoInterruttore(int indice);
bool AttivaLocaleInterruttore(int indice, bool forza);
bool AttivaRemotoApriporta(int indice);
bool AttivaLocaleApriporta(int indice, bool forza);
bool AttivaRemotoLED(int indice);
bool AttivaLocaleLED(int indice, bool forza);
bool MantieniAttivita();

// The two bus operations, replaceable so that the layers above can be tested against a
// recording fake. With none installed the station's own serial link (or simulation) serves.
class Collegamento {
public:
    virtual ~Collegamento() = default;
    virtual long Leggi(int funzione, long indirizzo, int nodo) = 0;
    virtual long Scrivi(int funzione, int indirizzo, long valore, int nodo) = 0;
};
void ImpostaCollegamento(Collegamento* collegamento);  // nullptr: back to the station's own

}  // namespace MBus
