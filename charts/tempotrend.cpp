#include "tempotrend.h"

#include <cmath>

namespace {
const QDate GiornoZero(1899, 12, 30);
constexpr double MsGiorno = 86400000.0;
}  // namespace

double SerialeDaDataOra(const QDateTime& dataOra)
{
    const double giorni = double(GiornoZero.daysTo(dataOra.date()));
    const double frazione = dataOra.time().msecsSinceStartOfDay() / MsGiorno;
    return giorni >= 0 ? giorni + frazione : giorni - frazione;
}

QDateTime DataOraDaSeriale(double seriale)
{
    if (!std::isfinite(seriale) || seriale < -657434.0 || seriale >= 2958466.0)
        return {};
    double giorni = std::trunc(seriale);
    qint64 ms = qint64(std::llround(std::fabs(seriale - giorni) * MsGiorno));
    if (ms >= qint64(MsGiorno)) {  // rounded up to the next midnight, whatever the sign
        ms = 0;
        giorni += 1;
    }
    return QDateTime(GiornoZero.addDays(qint64(giorni)), QTime::fromMSecsSinceStartOfDay(int(ms)));
}
