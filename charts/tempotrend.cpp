#include "tempotrend.h"

#include <QTimeZone>

#include <cmath>

namespace {

const QDate GiornoZero(1899, 12, 30);
constexpr double MsGiorno = 86400000.0;

// The serial of a date and time as they read, with no zone.
double serialeDiCalendario(const QDate& giorno, const QTime& ora)
{
    const double giorni = double(GiornoZero.daysTo(giorno));
    const double frazione = ora.msecsSinceStartOfDay() / MsGiorno;
    return giorni >= 0 ? giorni + frazione : giorni - frazione;
}

double serialeDiCalendario(const QDateTime& senzaZona)
{
    return serialeDiCalendario(senzaZona.date(), senzaZona.time());
}

// The moment (ms since 1970 UTC) in the local standard time, read as a calendar date and time.
QDateTime inOraSolare(qint64 ms)
{
    const QTimeZone zona = QTimeZone::systemTimeZone();
    // A zone Qt cannot name: the local time as it reads, saving and all.
    const qint64 solare = zona.isValid() ? zona.standardTimeOffset(QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC))
                                         : QDateTime::fromMSecsSinceEpoch(ms, Qt::LocalTime).offsetFromUtc();
    return QDateTime::fromMSecsSinceEpoch(ms + solare * 1000, Qt::UTC);
}

}  // namespace

double SerialeDaDataOra(const QDateTime& dataOra)
{
    if (!dataOra.isValid())
        return serialeDiCalendario(dataOra.date(), dataOra.time());
    return serialeDiCalendario(inOraSolare(dataOra.toMSecsSinceEpoch()));
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
    // The calendar reading is standard time: the moment is that reading less the standard offset.
    const QDateTime solare(GiornoZero.addDays(qint64(giorni)), QTime::fromMSecsSinceStartOfDay(int(ms)), Qt::UTC);
    const QTimeZone zona = QTimeZone::systemTimeZone();
    if (!zona.isValid())
        return QDateTime(solare.date(), solare.time(), Qt::LocalTime);
    const qint64 scarto = zona.standardTimeOffset(solare);
    return QDateTime::fromMSecsSinceEpoch(solare.toMSecsSinceEpoch() - scarto * 1000, Qt::LocalTime);
}

std::pair<double, double> SerialiOraLocale(const QDate& giorno, const QTime& ora)
{
    const QTimeZone zona = QTimeZone::systemTimeZone();
    const QDateTime letta(giorno, ora, Qt::UTC);
    if (!zona.isValid() || !letta.isValid()) {
        const double s = serialeDiCalendario(giorno, ora);
        return {s, s};
    }
    // The offsets in force a day before and a day after: the moment is the reading less one of
    // them, when that offset is the one in force at that moment.
    const qint64 ms = letta.toMSecsSinceEpoch();
    const int prima = zona.offsetFromUtc(letta.addDays(-1));
    const int dopo = zona.offsetFromUtc(letta.addDays(1));
    auto vale = [&](int scarto) {
        return zona.offsetFromUtc(QDateTime::fromMSecsSinceEpoch(ms - qint64(scarto) * 1000, Qt::UTC)) == scarto;
    };
    qint64 primo = ms - qint64(prima) * 1000;
    qint64 secondo = ms - qint64(dopo) * 1000;
    const bool primaVale = vale(prima);
    const bool dopoVale = vale(dopo);
    if (primaVale && !dopoVale)
        secondo = primo;
    else if (dopoVale && !primaVale)
        primo = secondo;
    else if (!primaVale && !dopoVale)
        secondo = primo;  // skipped in spring: as the clock stood before the change
    if (secondo < primo)
        std::swap(primo, secondo);
    return {serialeDiCalendario(inOraSolare(primo)), serialeDiCalendario(inOraSolare(secondo))};
}
