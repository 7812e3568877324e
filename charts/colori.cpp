#include "colori.h"

#include "conversioni.h"

#include <limits>

std::optional<ColoreLong> LeggiColore(const QString& testo)
{
    QString t = testo.trimmed();
    if (t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        t = t.mid(2);
        if (t.endsWith(QLatin1Char('&')))
            t.chop(1);
        if (t.isEmpty() || t.size() > 8)
            return std::nullopt;
        bool ok = false;
        const uint v = t.toUInt(&ok, 16);
        if (!ok)
            return std::nullopt;
        return ColoreLong(v);
    }
    // Decimal text is a Long: whole numbers, a fraction rounded as the station always did.
    const auto v = Generale::LeggiIntero(t);
    if (!v || *v < std::numeric_limits<std::int32_t>::min() || *v > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return ColoreLong(std::uint32_t(std::int32_t(*v)));
}

QColor ColoreQt(ColoreLong colore, const QPalette& tavolozza)
{
    if ((colore & 0xFF000000u) == MarcaColoreSistema) {
        switch (colore & 0xFFu) {
        case 5:  // window background
            return tavolozza.color(QPalette::Base);
        case 15:  // button face
            return tavolozza.color(QPalette::Button);
        case 18:  // button text
            return tavolozza.color(QPalette::ButtonText);
        default:  // 8, window text
            return tavolozza.color(QPalette::Text);
        }
    }
    return QColor(int(colore & 0xFFu), int((colore >> 8) & 0xFFu), int((colore >> 16) & 0xFFu));
}
