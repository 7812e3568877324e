#pragma once
// The colour dialog of the chart windows: it opens on the colour in use and answers the colour
// chosen, or nothing when the operator cancels (then nothing may be written). One service for
// the whole station, so tests can answer it from a script.
#include "colori.h"

#include <optional>

class QWidget;

namespace Grafici {

class DialogoColore {
public:
    virtual ~DialogoColore() = default;
    virtual std::optional<ColoreLong> ScegliColore(ColoreLong preimpostato, QWidget* genitore) = 0;
};

// The service in use: QColorDialog until another is installed.
DialogoColore& ServizioColore();
// Installs `servizio` (not owned; nullptr goes back to QColorDialog) and returns the previous.
DialogoColore* ImpostaServizioColore(DialogoColore* servizio);

}  // namespace Grafici
