#pragma once
// The printout of one zone's week programme as the chrono page's day lists show it, followed by
// the holidays. The text is laid out in print columns (one column = the average character width
// of the font in use) and printed line after line, as the station always printed it: page 1
// holds 00:00 .. 18:15, page 2 repeats the header and holds 18:30 .. 24:00 and the holidays.
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

class QPrinter;

namespace StampaCrono {

// One printed line: items at print columns (first column 1) in one font. No item: an empty line.
struct Voce {
    int colonna = 1;
    QString testo;
};
struct Riga {
    int punti = 8;
    bool grassetto = false;
    QList<Voce> voci;
};
using PaginaStampa = QList<Riga>;

struct Contenuto {
    QString prodotto;                   // the product name of the start-up window
    QString zona;                       // the zone chosen on the page
    QDateTime momento;                  // when it is printed
    std::array<QString, 7> giorni;      // "Lunedì" .. "Domenica"
    std::array<QStringList, 7> colonne; // the rows of the seven day lists
    QString titoloFestivita;            // "Festività"
    QStringList festivita;
};

// The pages of the printout.
QList<PaginaStampa> Impagina(const Contenuto& contenuto);

// Prints the pages on `stampante` ("Arial", or its metric twin where it is missing). A page that
// runs out of paper goes on on a new sheet. Returns the text of every line drawn, one list per
// sheet, items joined by a blank; nothing when the printer could not be started.
QList<QStringList> Stampa(QPrinter& stampante, const QList<PaginaStampa>& pagine);

}  // namespace StampaCrono
