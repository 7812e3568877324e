#include "conversioni.h"

#include <cmath>
#include <limits>

namespace Generale {

namespace {

struct Diviso {
    QString intero;
    QString frazione;
};

// The first "," or, without one, the first "." separates the integer text from the fraction
// digits, which are the first `decimali` characters of the fraction followed by "000".
Diviso dividi(const QString& testo, int decimali)
{
    const int d = std::clamp(decimali, 0, 3);
    qsizetype separatore = testo.indexOf(QLatin1Char(','));
    if (separatore < 0)
        separatore = testo.indexOf(QLatin1Char('.'));
    if (separatore < 0)
        return {testo, QStringLiteral("000").left(d)};
    return {testo.left(separatore), (testo.mid(separatore + 1) + QStringLiteral("000")).left(d)};
}

bool soloCifre(const QString& s)
{
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

// The joined digits as a whole number: optional sign, then digits only.
std::optional<long long> unito(const QString& testo, int decimali)
{
    const Diviso parti = dividi(testo.trimmed(), decimali);
    QString intero = parti.intero;
    bool negativo = false;
    if (intero.startsWith(QLatin1Char('-')) || intero.startsWith(QLatin1Char('+'))) {
        negativo = intero.front() == QLatin1Char('-');
        intero.remove(0, 1);
    }
    const QString cifre = intero + parti.frazione;
    if (cifre.isEmpty() || !soloCifre(cifre) || (intero.isEmpty() && parti.frazione.isEmpty()))
        return std::nullopt;
    if (cifre.size() > 15)
        return std::nullopt;
    const long long v = cifre.toLongLong();
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
