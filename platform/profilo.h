#pragma once
#include <QString>

// Profile files ("INI" files of sections and keys), read and written one key per call with the
// behaviour the station's settings files were written for:
// - section and key names are matched without regard to case; the first section of a name is
//   the one searched and written, and in it the first line of a key;
// - blanks around names and values are removed and one pair of enclosing quotes ('' or "") is
//   taken off the value; everything after the first "=" is the value (";" "," "=" are data);
// - a value is cut to 254 characters; lines may end with CRLF or LF; text is Windows-1252;
// - a write replaces the key's line, or appends the key to its section or the section to the
//   file, and leaves every other line byte for byte as it was.
// There is no cache: every read goes to the file. A write replaces the file whole (a temporary
// file renamed over it), so a crash or a full disk never leaves half a file.
namespace Piattaforma::Profilo {

constexpr int LunghezzaMassimaValore = 254;

QString Leggi(const QString& percorso, const QString& sezione, const QString& chiave,
              const QString& predefinito);

// False, with the file untouched, when the file is read-only, its folder is missing, or a
// name or the value holds CR or LF, the section name a "]", or the key is empty, holds a "=" or
// begins with "[" or ";" (it would not read back).
bool Scrivi(const QString& percorso, const QString& sezione, const QString& chiave, const QString& valore);

}  // namespace Piattaforma::Profilo
