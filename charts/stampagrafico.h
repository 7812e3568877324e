#pragma once
// The chart windows' print command: the window's image, landscape, scaled to one page of the
// system's default printer (forms/stampante.h).
class QPrinter;
class QWidget;

namespace Grafici {

// One landscape page holding the window's image scaled to the page, proportions kept. False when
// the printer cannot be opened or the document not finished.
bool StampaImmagine(QWidget* finestra, QPrinter& stampante);

// The command: asks first ("Stampa Grafico"), prints the window in its normal state, then tells
// the operator that the chart went to the printer, or shows the critical error box when no
// printer could take it. The window's state is given back on every path.
void StampaGrafico(QWidget* finestra);

}  // namespace Grafici
