#pragma once
#include <QString>

// The program folder: the folder of the executable. It holds the settings files, the plant
// picture, the sounds and the data folders. Tests point it at a temporary folder.
namespace Piattaforma {

QString CartellaProgramma();
void ImpostaCartellaProgramma(const QString& cartella);

// A path inside the program folder from a name as the settings hold it ("Ricetta\x.prg"):
// backslashes become slashes, and each part is matched without regard to case when the exact
// name does not exist, as the plant's files were named on a case-blind file system.
QString PercorsoProgramma(const QString& nome);

}  // namespace Piattaforma
