#pragma once
// Date-time serials as the chart members pass them: days as a double counted from 30/12/1899
// 00:00 local time, the fraction being the time of day (30/12/1899 12:00 is 0.5, 31/12/1899 is 1).
// Before that day the whole part counts back and the fraction still counts forward:
// -1.25 is 29/12/1899 06:00.
#include <QDateTime>

double SerialeDaDataOra(const QDateTime& dataOra);
// An invalid date-time for a serial that is not finite or outside the years 100..9999.
QDateTime DataOraDaSeriale(double seriale);

inline constexpr double UnSecondo = 1.0 / 86400.0;
