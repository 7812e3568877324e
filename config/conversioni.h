#pragma once
// Decimal texts typed by an operator or stored in a settings file, and the texts the station
// shows. Both "," and "." are accepted as the decimal separator whatever the machine's locale;
// the station writes the decimal comma.
#include <QString>

#include <optional>

namespace Generale {

// The raw register integer for a value with `decimali` decimals: "21,5" with 1 gives 215. The
// fraction is cut to the decimals, never rounded; a short one is filled with zeros. Empty text,
// text that is not a number (blanks inside it, or anything but digits among the cut-off ones) and
// values outside -32768..32767 are failures: the plain form gives 0 for them, the checked form no
// value, so that a caller never sends a 0 nobody meant.
std::optional<qint16> ConvertiInInteroVerificato(const QString& testo, int decimali);
qint16 ConvertiInIntero(const QString& testo, int decimali, bool* ok = nullptr);

// The value itself, cut to `decimali` decimals: "21.57" with 1 gives 21.5. 0 when the text is
// not a number.
float ConvertiInDecimale(const QString& testo, int decimali, bool* ok = nullptr);

// A number in either notation ("1234,5" or "1234.5"), surrounding blanks allowed.
std::optional<double> LeggiNumero(const QString& testo);
// Rounded to the nearest whole number, halves to even (positions in twips, counts).
std::optional<long long> LeggiIntero(const QString& testo);

// A value written with the display format of `decimali` decimals (0..3), decimal comma, no
// grouping, at least one integer digit: 21.46 with 1 gives "21,5", -3 with 2 gives "-3,00".
QString FormattaDecimali(double valore, int decimali);

}  // namespace Generale
