#include "operazionigrafico.h"

#include "conversioni.h"
#include "formatitrend.h"
#include "generale.h"

#include <charconv>
#include <cmath>

namespace Grafici {

QString TestoColore(ColoreLong colore)
{
    return QStringLiteral("&H") + QString::number(colore, 16).toUpper();
}

QString TestoLimite(float valore)
{
    if (valore == 0.0f)
        return QStringLiteral("0");  // never "-0"
    char testo[64];
    const auto [fine, errore] = std::to_chars(testo, testo + sizeof testo, valore, std::chars_format::fixed);
    if (errore != std::errc())
        return QString::number(double(valore), 'f', 0);
    return QString::fromLatin1(testo, int(fine - testo));
}

std::optional<Limite> CalcolaLimite(const QString& risposta, bool alto, double scalaAlta, double scalaBassa,
                                    double limiteAlto, double limiteBasso)
{
    const QString testo = risposta.trimmed();
    if (testo.isEmpty())
        return std::nullopt;
    const auto numero = Generale::LeggiNumero(testo);
    if (!numero)
        return std::nullopt;
    float v = float(*numero);
    if (!std::isfinite(v))
        return std::nullopt;  // beyond single precision
    if (alto) {
        if (v > float(limiteAlto))
            v = float(limiteAlto);
        if (v < float(scalaBassa))
            v = float(scalaBassa);
    } else {
        if (v < float(limiteBasso))
            v = float(limiteBasso);
        if (v > float(scalaAlta))
            v = float(scalaAlta);
    }
    return Limite{v, TestoLimite(v)};
}

QString TestoFigura(double valore, const QString& formato)
{
    if (valore == Generale::ValoreAssente || !std::isfinite(valore))
        return QStringLiteral("--.-");
    return FormattaValore(valore, formato);
}

QString TestoScala(double valore)
{
    return TestoLimite(float(valore)).replace(QLatin1Char('.'), QLatin1Char(','));
}

}  // namespace Grafici
