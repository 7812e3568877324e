#pragma once
// Replacing a file whole: the settings, chrono and recipe template files are never rewritten in
// place. The new bytes go to a temporary file of a unique name in the same folder, every write
// checked, synced to the disk, closed and its size checked; only then is it renamed over the
// file, and the folder synced so that the rename, too, outlives a power cut. When any step
// fails the temporary file is removed and the file is left byte for byte as it was; one left by
// a crash goes with the next write of the same file.
//
// QSaveFile is not used: it buffers small files whole and flushes them only in commit(), and a
// flush that the disk refuses there (a full file system) is not reported in Qt 6.4, so commit()
// renames an empty file over a good one.
#include <QByteArrayView>
#include <QString>

#include <functional>

namespace Piattaforma {

// False, with the file untouched and no temporary file left, when the folder is missing or any
// step of the write fails. A replaced file keeps its mode, group and owner, each where the system
// allows (a writer that is not root keeps the group, not the owner); a symbolic link is
// followed, so the file it names is replaced and the link stays.
bool SostituisciFile(const QString& percorso, QByteArrayView contenuto);

// The steps of a replacement, for the tests that make each one fail in turn.
enum class PassoSostituzione { Apertura, Scrittura, Sincronizzazione, Dimensione, Chiusura, Rinomina };

// Test seam: when set, it is asked before each step and a true answer makes that step fail as
// the system would fail it (a write fails after writing part of the bytes, as on a full disk).
// Empty in the station.
void ImpostaGuastoSostituzione(std::function<bool(PassoSostituzione)> guasto);

// Test seam: when set, it syncs a descriptor (the temporary file, then the folder) in place of
// fsync(2) and says whether the disk took it, so a test sees what is synced and when. Empty in
// the station.
void ImpostaSincronizzazione(std::function<bool(int descrittore)> sincronizza);

}  // namespace Piattaforma
