#pragma once
// The daily history file Dati/yyyy_mm_dd.csv: no header, one line per zone pass while the chart
// option is on: the pass time "dd/MM/yyyy HH:mm:ss;", then each zone's charted value in the
// display format of its decimals (decimal comma) followed by ";", zone 1 first; CRLF.
// Field n + 1 belongs to zone n: the history chart maps fields to traces by position.
#include <QDateTime>
#include <QString>

namespace File_Ini {

QString PercorsoStorico(const QDate& giorno);

// Appends one line to the file of `giorno`, the day its pass ended in (a pass that crosses
// midnight goes into the new day's file, stamped with its start). The line reaches the file whole or not at all. A Dati
// folder that is gone is made again. A line that cannot be written (full disk, a folder that
// cannot be made) is lost; the first of an outage and the first written after it are told
// through the hook EsitoStorico, once each, with the texts below and the time. False when the
// line was lost.
bool ScriviStorico(const QString& riga, const QDate& giorno);

inline const QString TestoStoricoNonScritto =
    QStringLiteral("Attenzione: Il file dello storico non può essere scritto: i dati non vengono registrati.");
inline const QString TestoStoricoRipreso = QStringLiteral("La scrittura del file dello storico è ripresa.");

}  // namespace File_Ini

namespace Acquisizione {

// One zone's field: its value `indice` (PV..AL3: the charted value, read once for a whole pass)
// in the display format of its decimals, then ";". A zone without valid decimals still writes
// its field (0 decimals), so later zones keep their column.
QString CampoStorico(int zona, int indice);

}  // namespace Acquisizione
