#pragma once
// Date-time serials as the chart members pass them: days as a double counted from 30/12/1899
// 00:00, the fraction being the time of day (30/12/1899 12:00 is 0.5, 31/12/1899 is 1). Before
// that day the whole part counts back and the fraction still counts forward: -1.25 is 29/12/1899
// 06:00.
//
// The serial is the moment in the local zone's standard time: while daylight saving is in force
// it is the local time less the saving (an hour). So the serials run on in the order the points
// were taken across both clock changes: in autumn the repeated hour follows the first one, in
// spring no empty hour opens on the axis. Outside daylight saving the serial is the local time
// itself. Texts of a serial (labels, read-outs) show the local time again.
#include <QDateTime>

#include <utility>

double SerialeDaDataOra(const QDateTime& dataOra);
// The local date-time of a serial; invalid for one that is not finite or outside the years
// 100..9999.
QDateTime DataOraDaSeriale(double seriale);

// The serials of a local date and time as a clock shows it (a history line holds nothing more):
// first and second are the same but in the hour the clocks go back, which the day has twice
// (first: the earlier pass, in daylight saving). A time the clocks skip in spring is taken as if
// they had not moved yet.
std::pair<double, double> SerialiOraLocale(const QDate& giorno, const QTime& ora);

inline constexpr double UnSecondo = 1.0 / 86400.0;
