#pragma once
// The printer every printout of the station goes to (charts, communication lists, chrono
// programme): the system's default printer, none when no printer is installed. Tests send the
// printouts to a PDF file by installing their own.
#include <QList>
#include <QPair>
#include <QString>

#include <functional>
#include <memory>

class QPrinter;

namespace Stampante {

using Fabbrica = std::function<std::unique_ptr<QPrinter>()>;
// Installs `fabbrica` (empty: the default printer again) and returns the previous one.
Fabbrica Imposta(Fabbrica fabbrica);
// A printer for one printout; null when there is none.
std::unique_ptr<QPrinter> Nuova();

// The product name printouts head with: what the start-up window shows. Empty hook: the
// application's name, which is the same text.
inline std::function<QString()> NomeProdotto;
QString Prodotto();

// The factor by which print columns close up so that no text passes `larghezza`: 1 where every
// text fits, else the largest that brings the farthest-reaching text back to end at `larghezza`.
// `testi` are (start, width) pairs measured from the left margin; only the starts are scaled,
// so the widths count whole.
double Stringi(const QList<QPair<double, double>>& testi, double larghezza);

}  // namespace Stampante
