#pragma once
// The reader of one day's history file Dati/yyyy_mm_dd.csv onto the history chart. A line is the
// pass time "dd/MM/yyyy HH:mm:ss" (at midnight the date alone, as the station has always written
// it), ";", then one value a zone, each followed by ";": value k goes to trace k at the line's
// time. Values are read with either decimal separator, dates in the writer's own format, never
// with the desktop's regional settings.
#include <QString>

#include <array>
#include <optional>
#include <string_view>

class Trend;

namespace File_Ini {

// One line as read: its time (a date-time serial) and its values in zone order. In the hour the
// clocks go back, which the day has twice, `tempo` is the first pass and `tempoRipetuto` the
// second; elsewhere they are the same. `letta` is the time as the clock read it, with no zone.
struct RigaStorico {
    double tempo = 0;
    double tempoRipetuto = 0;
    double letta = 0;
    int valori = 0;
    std::array<double, 30> valore{};
};

// A line of the file without its line break: no value when it breaks the format (no date, a
// value that is no number or empty, the last ";" missing as in a line cut short, more than 30
// values).
std::optional<RigaStorico> LeggiRigaStorico(std::string_view riga);

struct EsitoStorico {
    bool aperto = false;  // the file was there and could be read
    long righe = 0;       // lines whose values went on the chart
    long scartate = 0;    // damaged lines left out
    long punti = 0;
    long perduti = 0;     // points the chart could not hold (its buffer was full)
    bool Completo() const { return aperto && scartate == 0 && perduti == 0; }
};

// One sequential pass over the file: every sound line adds its values to `trend` (each trace's
// points handed over together, and put in time order once) and the chart is redrawn once at the
// end. A damaged line never stops the read: it is left out whole and counted. A line cut short just
// after a ";" (a power failure) reads like a line with fewer zones, and is told by the lines beside
// it, since cutting only ever takes values away: a line with fewer values than the lines on both
// sides of it is cut short, and so is a first line with fewer values than the line after it; a last
// line with fewer values than the lines before it is cut short when it lacks its line break (the
// writer ends every line with one), and is the zones removed when it has it. A change of the zone
// count that the following lines keep is taken as it is. A blank line carries nothing but is
// counted as damage all the same: the writer never leaves one.
//
// The lines go to the chart in the order they were written: once a line steps back in time
// into the hour the clocks go back in autumn, that hour's lines are its second pass, drawn after
// the first (the day is 25 hours long).
EsitoStorico LeggiStorico(const QString& percorso, Trend& trend);

// The day's file by its name in the folder Dati of the program folder. True when the whole file
// was read and plotted; False when it is missing or had damaged lines (whatever could be read of
// it is on the chart all the same).
bool CaricaStorico(const QString& nomeFile, Trend& trend);
EsitoStorico CaricaStoricoEsito(const QString& nomeFile, Trend& trend);

}  // namespace File_Ini
