#pragma once
// The chart configuration shared by the live and history windows: the chart colours of the
// active settings file, and the procedure that applies them, the value axis and one trace per
// zone to both windows.
#include "colori.h"

#include <array>

class Grafico;
class Storico;

namespace Generale {

inline constexpr int NumeroTracceGrafico = 30;

// Colours read by the last ImpostaGrafici; 0 before the first.
inline ColoreLong ColoreBordo = 0;
inline ColoreLong ColoreSfondo = 0;
inline ColoreLong ColoreGriglia = 0;
inline ColoreLong ColoreCursore = 0;
inline ColoreLong ColoreOff1 = 0;  // colour of a free trace slot (beyond the zones in use)
inline ColoreLong ColoreOff2 = 0;  // swatch background of a free trace slot
inline ColoreLong ColoreBordoPredefinito = 0;
inline ColoreLong ColoreSfondoPredefinito = 0;
inline ColoreLong ColoreGrigliaPredefinito = 0;
inline ColoreLong ColoreCursorePredefinito = 0;
inline ColoreLong ColoreOff1Predefinito = 0;
inline ColoreLong ColoreOff2Predefinito = 0;
// Index i: trace i+1, zone i+1.
inline std::array<ColoreLong, NumeroTracceGrafico> ColoreTraccia{};
inline std::array<ColoreLong, NumeroTracceGrafico> ColoreTracciaPredefinito{};

// Reads [Grafico] and each zone's "Colore" and applies them, with the zone names of the plant
// model, to the charts, trace boxes, legend rows and cursor lists of both windows. Every load
// of the configuration runs it, after the zone names and the absolute limits are set. A missing
// key takes its default; a text that does not convert leaves that colour or chart setting as it
// was, and the rest goes on.
void ImpostaGrafici(Grafico& grafico, Storico& storico);
// The same on the two windows of the last run: the live window's colour commands run it after
// writing their key. Nothing before a first run.
void ImpostaGrafici();

// The absolute limits of the live chart's value axis ([Grafico] T_Min_Ass, T_Max_Ass).
void ImpostaLimitiAssoluti(Grafico& grafico, double basso, double alto);

}  // namespace Generale
