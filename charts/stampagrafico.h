#pragma once
// The chart windows' print command: the window's image, landscape, scaled to one page of the
// system's default printer.
#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace Grafici {

// Makes the printer a print goes to; null when there is none. By default the system's default
// printer (none when no printer is installed); tests make a PDF file printer.
using FabbricaStampante = std::function<std::unique_ptr<QPrinter>()>;
// Installs `fabbrica` (empty: the default printer again) and returns the previous one.
FabbricaStampante ImpostaStampante(FabbricaStampante fabbrica);

// One landscape page holding the window's image scaled to the page, proportions kept. False when
// the printer cannot be opened or the document not finished.
bool StampaImmagine(QWidget* finestra, QPrinter& stampante);

// The command: asks first ("Stampa Grafico"), prints the window in its normal state, then tells
// the operator that the chart went to the printer, or shows the critical error box when no
// printer could take it. The window's state is given back on every path.
void StampaGrafico(QWidget* finestra);

}  // namespace Grafici
