#pragma once
// The chrono files in the folder "Crono" of the program folder:
// - Cronotermostato.cts: one cell of `TabellaCrono` a line, slot outermost, then zone, day
//   innermost (line = slot x 210 + zone x 7 + day), 20370 lines, each "00.0" with the decimal
//   comma ("20,0", "05,5", "-03,0", "105,3"); read back with either separator.
// - Festivita.cts: one holiday a line, in list order; an empty list is one line of ten blanks.
// Lines end with CRLF (LF is read too); text is Windows-1252, and a UTF-8 byte-order mark that a
// hand edit left before the first line is skipped. A save replaces a file whole, so a crash or a full
// disk never leaves half a programme behind.
#include "generale.h"

#include <QString>

namespace Crono {

inline constexpr int RigheFileCrono = Generale::NumeroFasce * Generale::MaxZone * Generale::NumeroGiorni;  // 20370

// Line index of one cell in Cronotermostato.cts.
constexpr int RigaFileCrono(int fascia, int zona, int giorno)
{
    return fascia * Generale::MaxZone * Generale::NumeroGiorni + zona * Generale::NumeroGiorni + giorno;
}

// One cell as the file holds it: the nearest tenth, at least two integer digits, decimal comma.
QString TestoCella(float valore);

QString PercorsoFileCrono();
QString PercorsoFestivita();

}  // namespace Crono

namespace File_Ini {

// Creates whichever of the two files is missing with its defaults (20370 cells of 20,0; one
// line holding one blank); an existing file is left as it is.
void CreaFileCrono();
// Creates missing files, then reads the programme into `TabellaCrono` and the holidays into
// `Crono::Festivita`; also fills `FasceOrarie`. A line that is not a number, a number the file
// could not give back once in the cell (1e9 and beyond in single precision), and every cell past
// the end of a short file, keep the value the cell held. An unreadable holiday file gives an
// empty list.
void CaricaCronotermostato();
// Writes both files, then the 30 [Zona NN] Cronotermostato keys from `CronoAttivoZona`.
// False when a file could not be replaced or the settings file refused a key: the save stops
// there, and the file refused and everything after it stay as they were.
bool SalvaCronotermostato();
bool SalvaFestivita();

}  // namespace File_Ini
