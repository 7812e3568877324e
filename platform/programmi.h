#pragma once
// Desktop programs the station starts for the operator: the calculator, a text editor (also on a
// settings, holiday or recipe file), a sound recorder, the audio and the date/time settings.
// Each role names a short list of common programs; the first one found on the PATH is started
// without a shell (every argument, a path with blanks too, is one argument) and without waiting.
#include <QString>
#include <QStringList>

namespace Piattaforma {

enum class Programma { Calcolatrice, EditorTesto, RegistratoreSuoni, ImpostazioniAudio, ImpostazioniDataOra };

// The programs tried for `ruolo`, in order: each is the executable followed by its own
// arguments (those that open the right panel of a settings program).
QList<QStringList> CandidatiProgramma(Programma ruolo);

// Starts the first program of `ruolo` found on the PATH, followed by `argomenti`, detached.
// False when none is found or none starts; the caller stays silent about it.
bool AvviaProgramma(Programma ruolo, const QStringList& argomenti = {});

}  // namespace Piattaforma
