#pragma once
#include <QList>
#include <QString>

#include <utility>

// Profile files ("INI" files of sections and keys), read and written one key per call with the
// behaviour the station's settings files were written for:
// - section and key names are matched without regard to case; the first section of a name is
//   the one searched and written, and in it the first line of a key;
// - blanks around names and values are removed and one pair of enclosing quotes ('' or "") is
//   taken off the value; everything after the first "=" is the value (";" "," "=" are data);
// - a value is cut to 254 characters; lines may end with CRLF or LF; text is Windows-1252;
// - a write replaces the key's line, or appends the key to its section or the section to the
//   file, and leaves every other line byte for byte as it was.
// - a UTF-8 byte-order mark at the start of a file (editors save one) is not part of the text;
//   a write keeps it.
// No read serves what the file no longer says: every read goes to the file, except reads that
// belong together inside an Istantanea. A write replaces the file whole (a temporary file renamed
// over it), so a crash or a full disk never leaves half a file.
namespace Piattaforma::Profilo {

constexpr int LunghezzaMassimaValore = 254;

// Reads that belong together, such as one whole-configuration load: while one lives (in this
// thread), each file is read and parsed once, at its first read, and every read of it is served
// from that copy, so the reads agree with each other even if the file is edited meanwhile. A
// write through Scrivi drops every copy. The copies go with the outermost Istantanea: a read
// after it goes to the file again.
class Istantanea {
public:
    Istantanea();
    ~Istantanea();
    Istantanea(const Istantanea&) = delete;
    Istantanea& operator=(const Istantanea&) = delete;
};

QString Leggi(const QString& percorso, const QString& sezione, const QString& chiave,
              const QString& predefinito);

// False, with the file byte for byte as it was, when the file is read-only or cannot be read
// whole, its folder is missing, the disk refuses any step of the replacement (a full file
// system), or a name or the value holds CR or LF, the section name a "]", or the key is empty,
// holds a "=" or begins with "[" or ";" (it would not read back).
bool Scrivi(const QString& percorso, const QString& sezione, const QString& chiave, const QString& valore);

// Several keys, of one section or more, in one replacement of the file, in their order: every
// one is written, or none is (a refusal of any of them, as above, leaves the file as it was).
// Values that belong together, such as the two edges of a place or a settings page's save, never
// reach the file one without the other.
struct Voce {
    QString sezione;
    QString chiave;
    QString valore;
};
using Voci = QList<Voce>;
bool Scrivi(const QString& percorso, const Voci& voci);

}  // namespace Piattaforma::Profilo
