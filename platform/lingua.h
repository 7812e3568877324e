#pragma once
// The station speaks Italian whatever the machine's locale: its own texts do by themselves, and
// these two calls make Qt's own dialogs (file and colour choice) follow, with Italian dates,
// sizes, file type names and buttons.
namespace Piattaforma {

// First thing in main, before the application object: Qt takes its system locale from the
// environment once, at first use. The C library keeps the machine's own locale.
void ImpostaLinguaItaliana();

// Once the application object exists: Qt's own translations, where they are installed (without
// them Qt's buttons stay in English). Answers whether they were found.
bool InstallaTraduzioniQt();

}  // namespace Piattaforma
