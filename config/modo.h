#pragma once
#include <functional>

namespace Generale {

// Reads the program mode from the base file: "Modo" = "0" (or no file, no key) is recipe mode
// on Quelvar2.ini, any other text season mode on Quelvar1.ini. Sets ModoStagioni and
// FileImpostazioni first, then lets the windows relabel what depends on the mode.
void ImpostaModo();

// Set by the windows layer: relabels the mode-dependent controls from ModoStagioni.
inline std::function<void()> RietichettaModo;

}  // namespace Generale
