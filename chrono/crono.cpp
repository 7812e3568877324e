#include "crono.h"

namespace Crono {

QString TestoFestivita(const QDate& giorno)
{
    return giorno.toString(QStringLiteral("dd/MM/yyyy"));
}

void RiempiFasceOrarie()
{
    for (int s = 0; s < FasciaFineGiorno; ++s)
        Generale::FasceOrarie[s] = QStringLiteral("%1:%2").arg(s / 4, 2, 10, QLatin1Char('0')).arg((s % 4) * 15, 2, 10, QLatin1Char('0'));
    Generale::FasceOrarie[FasciaFineGiorno] = QStringLiteral("24:00");
}

int Giorno(const QDate& giorno)
{
    if (Festivita.contains(TestoFestivita(giorno)))
        return Domenica;
    return giorno.dayOfWeek() - 1;
}

int Fascia(const QTime& ora)
{
    const QString etichetta = QStringLiteral("%1:%2").arg(ora.hour(), 2, 10, QLatin1Char('0')).arg((ora.minute() / 15) * 15, 2, 10, QLatin1Char('0'));
    for (int s = 0; s < FasciaFineGiorno; ++s)
        if (Generale::FasceOrarie[s] == etichetta)
            return s;
    return -1;
}

std::optional<Casella> CasellaAttiva(const QDateTime& momento)
{
    const int fascia = Fascia(momento.time());
    if (fascia < 0)
        return std::nullopt;
    return Casella{fascia, Giorno(momento.date())};
}

}  // namespace Crono
