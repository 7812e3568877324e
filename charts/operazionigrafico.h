#pragma once
// The rules behind the chart windows' commands, without a window: how a colour is written to the
// settings file, how a typed value-axis limit is read and clamped, how a chart figure is shown.
#include "colori.h"

#include <QString>

#include <optional>

namespace Grafici {

// "&H" and the colour's upper-case hexadecimal digits, no zeros in front: pure red (0x0000FF)
// is "&HFF". The chart configuration reads it back as the same colour.
QString TestoColore(ColoreLong colore);

// A number as the settings file keeps a limit: decimal point, no blank in front, no exponent,
// the fewest digits that read back as the same single-precision value ("21.5", "50", "-0.1").
QString TestoLimite(float valore);

// A value-axis end typed by the operator. `alto` true: the upper end, clamped to the absolute
// upper limit and then kept not below the current lower end; false: the lower end, clamped to
// the absolute lower limit and kept not above the current upper end (equal ends are allowed).
// Either decimal separator is accepted. No value for an empty answer or one that is not a
// finite number: nothing is to be saved then.
struct Limite {
    float valore;
    QString testo;  // what is written to the settings file
};
std::optional<Limite> CalcolaLimite(const QString& risposta, bool alto, double scalaAlta, double scalaBassa,
                                    double limiteAlto, double limiteBasso);

// A chart figure (statistic, cursor value) in the chart's number pattern, or "--.-" when the
// chart has none (a trace without points, a gap, no trace).
QString TestoFigura(double valore, const QString& formato);

// The value shown in the limit's input box: the scale end in the station's decimal comma.
QString TestoScala(double valore);

}  // namespace Grafici
