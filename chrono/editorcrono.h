#pragma once
// What the chrono editor does to the week programme, without a window: the rows of a day list,
// an interval applied to one day of one zone, the copy of a day or of a whole zone, and the
// clean-up of the holiday list. Each works on `TabellaCrono` (and `CronoAttivoZona`) in one go,
// so a zone pass never meets a programme half changed.
#include "generale.h"

#include <QDate>
#include <QList>
#include <QStringList>

#include <optional>

namespace Crono {

// The row of a day list: the slot label, " - ", the value. The editor writes values as the
// display format of one decimal ("5,5"), a copy as the file does ("05,5"); the value is the same.
enum class FormaRiga { Editor, Copia };
QString RigaGiorno(int fascia, float valore, FormaRiga forma);
// The 97 rows of one zone and day from `TabellaCrono`; none for a zone or day out of range.
QStringList RigheGiorno(int zona, int giorno, FormaRiga forma);

// Minutes after midnight named by a "hh:mm" label ("24:00" gives 1440); none for another text.
std::optional<int> MinutiEtichetta(const QString& etichetta);

// The value an operator chose or typed for the zone, with either decimal separator, as the chrono
// file keeps it (to the nearest tenth: "21,25" gives 21.3), so the zone is sent the same value
// before and after the file is read again. None when it is no number or does not fit a 16-bit
// register with `decimali` decimals: the instrument could never be sent it.
std::optional<float> TemperaturaValida(const QString& testo, int decimali);
// The decimals the run-time step writes the zone's driven value with (0 when not configured).
int DecimaliZona(int zona);

// Sets every slot of the zone and day whose start lies from `daMinuti` to `aMinuti`, both ends
// included, to `valore`. Returns the slots set (none when the zone or day is out of range).
QList<int> ApplicaIntervallo(int zona, int giorno, int daMinuti, int aMinuti, float valore);

// Copies one day of a zone onto another day of it; false (nothing copied) when a position is out
// of range or both days are the same. The zone's use flag is not touched.
bool CopiaGiorno(int zona, int da, int a);
// Copies the week programme and the use flag of one zone onto another; false as above.
bool CopiaZona(int da, int a);

// The holiday list in date order. Items are "dd/MM/yyyy"; an item that is no such date keeps its
// place after the dates. With `elimina`, days before `oggi`, duplicates and items that are no
// date are dropped.
QStringList OrdinaFestivita(const QStringList& festivita, const QDate& oggi, bool elimina);

}  // namespace Crono
