#pragma once
// The whole-configuration load: fills the plant model from the active settings file. The
// windows follow through the hooks of vista_configurazione.h.
#include "generale.h"

#include <QString>

#include <optional>

namespace Generale {
// Step 1: device counts, names, positions, icons, unit, value indexes, absolute chart limits,
// sounds and plant picture; the synoptic and the charts are rebuilt from them.
void CaricaConfigurazione();
}  // namespace Generale

// The procedures the settings window runs; the window class itself is Comunicazioni.
namespace Configurazione {

// The 22 steps in their order. A step that fails never stops the later ones.
void CaricaImpostazioni();

void SvuotaListe();
void CaricaLettureZone();
void CaricaLettureLED();
void CaricaLettureApriporta();
void CaricaLettureInterruttori();
void CaricaScrittureZone();
void CaricaScrittureLED();
void CaricaScrittureApriporta();
void CaricaScrittureInterruttori();
void CaricaOpzioneCrono();
void CaricaZoneCrono();
void CaricaTempoApriporta();
void CaricaOpzioniRemoto();
void CaricaAttivitaLinea();
void CaricaSeriale();
void SelezionaPrimi();
void CaricaAvvio();
void CaricaOpzioneGrafici();
void CaricaOpzioneRicette();
void CaricaOpzioneMaster();

// The opener pulse within what the opener page offers.
inline constexpr int TempoApriportaMinimo = 100;
inline constexpr int TempoApriportaMassimo = 2000;

// Line settings as the serial page writes them: speed, parity, data bits, stop bits
// ("9600,N,8,1"). Nothing when the text is not such a line format.
struct FormatoLinea {
    int velocita = 9600;
    char parita = 'N';  // N, E, O, M, S
    int bitDati = 8;    // 5..8
    int bitStop = 1;    // 1, 2, or 3 for one and a half
};
std::optional<FormatoLinea> LeggiFormatoLinea(const QString& testo);

// One communication-list entry: "100>5:3,100 [1]", "201>7:5,16 @ 1 [0]".
QString VoceComunicazione(int id, int nodo, const QString& punto, const QString& valore, int decimali);
// Adds an entry to one of the four lists in its text order.
void AggiungiVoce(Generale::ListaComunicazione lista, const QString& voce);

}  // namespace Configurazione
