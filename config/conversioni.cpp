#include "conversioni.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Generale {

namespace {

bool soloCifre(const QString& s)
{
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

// The register integer for the text: the first "," or, without one, the first "." separates the
// integer digits from the fraction digits; the fraction is cut to `decimali` digits (padded with
// zeros when short) and joined to the integer digits, and a sign in front applies to the whole.
// Every character but the sign and the separator must be a digit, the cut-off ones included, and
// there must be at least one digit: "", "-", ",", "21, 5" and "21,5x" are not numbers.
std::optional<long long> unito(const QString& testo, int decimali)
{
    QString t = testo.trimmed();
    bool negativo = false;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        negativo = t.front() == QLatin1Char('-');
        t.remove(0, 1);
    }
    qsizetype separatore = t.indexOf(QLatin1Char(','));
    if (separatore < 0)
        separatore = t.indexOf(QLatin1Char('.'));
    const QString intero = separatore < 0 ? t : t.left(separatore);
    const QString frazione = separatore < 0 ? QString() : t.mid(separatore + 1);
    if ((intero.isEmpty() && frazione.isEmpty()) || !soloCifre(intero) || !soloCifre(frazione))
        return std::nullopt;
    const QString cifre = intero + (frazione + QStringLiteral("000")).left(std::clamp(decimali, 0, 3));
    if (cifre.size() > 15)
        return std::nullopt;
    const long long v = cifre.isEmpty() ? 0 : cifre.toLongLong();
    return negativo ? -v : v;
}

}  // namespace

std::optional<qint16> ConvertiInInteroVerificato(const QString& testo, int decimali)
{
    const auto v = unito(testo, decimali);
    if (!v || *v < std::numeric_limits<qint16>::min() || *v > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(*v);
}

qint16 ConvertiInIntero(const QString& testo, int decimali, bool* ok)
{
    const auto v = ConvertiInInteroVerificato(testo, decimali);
    if (ok)
        *ok = v.has_value();
    return v.value_or(0);
}

float ConvertiInDecimale(const QString& testo, int decimali, bool* ok)
{
    const auto v = unito(testo, decimali);
    if (ok)
        *ok = v.has_value();
    if (!v)
        return 0.0f;
    return static_cast<float>(static_cast<double>(*v) / std::pow(10.0, std::clamp(decimali, 0, 3)));
}

std::optional<double> LeggiNumero(const QString& testo)
{
    QString t = testo.trimmed();
    if (t.contains(QLatin1Char(',')) && t.contains(QLatin1Char('.')))
        return std::nullopt;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<long long> LeggiIntero(const QString& testo)
{
    const auto v = LeggiNumero(testo);
    if (!v || std::fabs(*v) > 9.0e15)
        return std::nullopt;
    return static_cast<long long>(std::nearbyint(*v));  // default rounding mode: halves to even
}

QString FormattaDecimali(double valore, int decimali)
{
    const int d = std::clamp(decimali, 0, 3);
    QString testo = QString::number(valore, 'f', d);
    if (testo.startsWith(QLatin1Char('-')) && testo.mid(1).toDouble() == 0.0)
        testo.remove(0, 1);  // no "-0,0"
    testo.replace(QLatin1Char('.'), QLatin1Char(','));
    return testo;
}

}  // namespace Generale
