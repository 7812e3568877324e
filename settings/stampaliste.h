#pragma once
// The printout of the four communication lists: the product name, the date line, then the four
// lists side by side, one entry of each a row, at the character columns 10, 50, 90 and 130 of the
// printing font. No headings, no page numbers: a long list goes on over the pages as the
// printer breaks them.
#include <QDateTime>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>

class QPaintDevice;
class QPrinter;

namespace StampaListe {

// Character columns of the four lists.
inline constexpr std::array<int, 4> Colonne = {10, 50, 90, 130};

// Row i holds entry i of each list, an empty text where a list has no such entry; as many rows
// as the longest list has entries.
QList<std::array<QString, 4>> Righe(const std::array<QStringList, 4>& liste);

// "DATA E ORA = 05/03/2026 / 14:03:09".
QString RigaData(const QDateTime& ora);

// "Arial" as asked for by name; where the system lacks it, its metric twin.
QFont Carattere(int punti, bool grassetto);

// One text as it lands on the printed pages.
struct Testo {
    int pagina = 0;
    QPointF posizione;  // left end of the base line, in the device's pixels from the page's corner
    QFont font;
    QString testo;
};

// Lays out the printout on pages of `area` (the printable area of `dispositivo`, whose
// resolution gives the font metrics). Columns are character positions of the font in use:
// column n starts n - 1 average character widths (the width of "x") from the left margin; where
// the rightmost text would then pass the printable width, all columns close up by `Stampante::Stringi`.
QList<Testo> Impagina(QPaintDevice* dispositivo, const QRectF& area, const QString& prodotto,
                      const std::array<QStringList, 4>& liste, const QDateTime& ora);

// Draws the printout on `stampante` and ends the document. False when the printer could not
// start.
bool Stampa(QPrinter& stampante, const QString& prodotto, const std::array<QStringList, 4>& liste,
            const QDateTime& ora);

}  // namespace StampaListe
