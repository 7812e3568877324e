#pragma once
// The number and time patterns of the chart members `FormatoValore` ("##0.0") and `FormatoTempo`
// ("hh:mm:ss"), written as the station's patterns always were: "0" a digit always shown, "#" a
// digit shown when needed, "." the decimal separator; d, m, y, h, n, s for the parts of a date-time
// ("mm" after the hours or before the seconds is minutes, elsewhere the month). Texts follow the
// station's Italian conventions: decimal comma, no grouping.
#include <QString>

QString FormattaValore(double valore, const QString& formato);
// `seriale` is a date-time serial (see tempotrend.h); empty for one that is no date-time.
QString FormattaTempo(double seriale, const QString& formato);
