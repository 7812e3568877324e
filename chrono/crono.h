#pragma once
// The week programme of the chrono-thermostat as the run-time step sees it: which day and which
// quarter hour of `TabellaCrono` apply at a given moment. Holidays run the Sunday programme.
#include "generale.h"

#include <QDateTime>
#include <QStringList>

#include <optional>

namespace Crono {

inline constexpr int Domenica = 6;
inline constexpr int FasciaFineGiorno = 96;  // "24:00": stored and edited, never applied

// The holiday list, one day per item as "dd/MM/yyyy", in the order the file or the editor left
// it (not sorted). The settings window shows it; the run-time step compares against it.
inline QStringList Festivita;

// The form holiday items must have to match a day: two-digit day and month, four-digit year.
QString TestoFestivita(const QDate& giorno);

// Fills `FasceOrarie`: "00:00", "00:15", ... "23:45", then "24:00".
void RiempiFasceOrarie();

// Day of the programme: Monday 0 .. Sunday 6, and 6 on a day that is in the holiday list.
int Giorno(const QDate& giorno);

// The slot whose label names the quarter hour that holds `ora`, found by its label in
// `FasceOrarie`; -1 when no label matches (labels not filled).
int Fascia(const QTime& ora);

struct Casella {
    int fascia;
    int giorno;
};
// Slot and day of one moment: one reading of the clock decides both.
std::optional<Casella> CasellaAttiva(const QDateTime& momento);

}  // namespace Crono
