#include "stampante.h"

#include <QCoreApplication>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace Stampante {

namespace {

Fabbrica& installata()
{
    static Fabbrica f;
    return f;
}

}  // namespace

Fabbrica Imposta(Fabbrica fabbrica)
{
    Fabbrica precedente = std::move(installata());
    installata() = std::move(fabbrica);
    return precedente;
}

std::unique_ptr<QPrinter> Nuova()
{
    if (installata())
        return installata()();
    const QPrinterInfo predefinita = QPrinterInfo::defaultPrinter();
    if (predefinita.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(predefinita, QPrinter::HighResolution);
}

QString Prodotto() { return NomeProdotto ? NomeProdotto() : QCoreApplication::applicationName(); }

double Stringi(const QList<QPair<double, double>>& testi, double larghezza)
{
    double fattore = 1.0;
    for (const auto& [inizio, estensione] : testi)
        if (inizio > 0 && inizio + estensione > larghezza)
            fattore = std::min(fattore, std::max(0.0, larghezza - estensione) / inizio);
    return fattore;
}

}  // namespace Stampante
