#pragma once
// The only code that opens the settings files: one key of one file per call, a default on
// every read. Files live in the program folder. Every read goes to the file, except the reads
// that belong together inside an Istantanea.
#include "chiavi.h"
#include "profilo.h"

#include <QString>

namespace File_Ini {

// Reads that belong together (one whole-configuration load): while one lives, each file is
// found and parsed once and every read of it is served from that copy; a write through this
// layer is seen by the reads after it. A hand edit made after it ends is seen by the next read.
class Istantanea {
public:
    Istantanea();
    ~Istantanea();
    Istantanea(const Istantanea&) = delete;
    Istantanea& operator=(const Istantanea&) = delete;

private:
    Piattaforma::Profilo::Istantanea profilo_;
    bool esterna_;
};

QString LeggiIniBase(const QString& sezione, const QString& chiave, const QString& predefinito);
QString LeggiIni(const QString& sezione, const QString& chiave, const QString& predefinito);
// `nomeFile` is relative to the program folder ("Ricetta\Estate.prg").
QString LeggiIniFile(const QString& sezione, const QString& chiave, const QString& predefinito,
                     const QString& nomeFile);

// Non-zero when the value reached the file, 0 when the write was refused (read-only file,
// missing folder, CR or LF in the value); a refused write leaves the file as it was.
long ScriviIniBase(const QString& sezione, const QString& chiave, const QString& valore);
long ScriviIni(const QString& sezione, const QString& chiave, const QString& valore);
// Several keys of the active settings file in one write: non-zero when all of them reached the
// file, 0 when it was refused and none did.
long ScriviIni(const Piattaforma::Profilo::Voci& voci);

// What the operator is told when a settings or chrono file refuses a write: the one text of
// every window that writes them. The box shows it with the exclamation mark and OK.
QString TestoScritturaRifiutata();
void AvvisaScritturaRifiutata(const QString& titolo);

// The same with the key's own default.
QString LeggiIni(const QString& sezione, const Chiavi::Chiave& chiave);
long ScriviIni(const QString& sezione, const Chiavi::Chiave& chiave, const QString& valore);

// Creates the folder in the program folder when it is missing; a failure is not reported.
void CreaCartella(const QString& nome);

// Full path of the active settings file.
QString PercorsoImpostazioni();

}  // namespace File_Ini
