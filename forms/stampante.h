#pragma once
// The printer every printout of the station goes to (charts, communication lists, chrono
// programme): the system's default printer, none when no printer is installed. Tests send the
// printouts to a PDF file by installing their own.
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

}  // namespace Stampante
