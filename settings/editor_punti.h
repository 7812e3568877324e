#pragma once
// The record of one switch or LED (and the door opener's points) as its page edits it: rows of
// boxes, each Modbus point a code box with its register box beside it, each value a box that goes
// with the point it is written to or compared with. One table per page says which box shows
// which field of the address rows and feeds which key, in the order the keys are saved; the same
// code fills, reformats, checks and saves every page's boxes.
#include "chiavi.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <variant>
#include <vector>

class CasellaValore;

namespace EditorPunti {

// One key of a record.
struct Voce {
    const Chiavi::Chiave* chiave;
    const char* riga;          // the page's row label, naming the box in a refusal: "Accensione (ON)"
    bool valore;               // false: a point; true: a value
    bool scrittura;            // the point is in the write row (codes 5, 6), else the read row (1..4)
    int casella;               // a point's code box (its register box follows it), or the value box
    int campo;                 // a point's function-code field (the register follows), or the value's field
    int campoPunto = -1;       // a value: the function-code field of its point, in the same row
    int casellaPunto = -1;     // a value: the code box of its point
    const char* suggerimento = nullptr;  // a value: its box's tooltip
};

using Record = std::span<const Voce>;
using Riga = std::span<const std::int16_t>;

// The decimals the configuration load reads a value with: none for a bit (a coil written with
// code 5, a coil or discrete input read with 1 or 2), the device's otherwise.
int DecimaliPunto(int funzione, bool scrittura, int decimaliDispositivo);

// The texts of `caselle` boxes for a stored device: every box of the record shows its field; a
// field that is not configured is empty, a configured value (a real -1 too) is shown with the
// decimals of its point.
QStringList Testi(Record record, int caselle, Riga lettura, Riga scrittura);

struct Scrittura {
    QString chiave;
    QString valore;
};
struct Rifiuto {
    int casella;
    QString messaggio;
};
// The check a save makes of one Modbus point, its code box and its register box: none, or the
// box at fault (0 the code box, 1 the register box) and what is wrong, after `punto`, the
// point's name as the operator reads it ("Accensione (ON)" (Lettura)). Both boxes empty is
// a point not configured; one without the other, a function code its column does not take
// (1..4 read, 5..6 write) or a register beyond the rows is refused.
struct DifettoPunto {
    int casella;
    QString messaggio;
};
std::optional<DifettoPunto> VerificaPunto(const QString& punto, bool scrittura, const QString& codice,
                                          const QString& registro);
// A point's name in a refusal: the row's caption in quotes and its column.
QString NomePunto(const QString& riga, bool scrittura);
// The code box and the register box of a point the file holds as `testo`: split at the first
// ",", each half trimmed; a text without "," stays whole in the code box. So a point the load
// could not take ("3,40001", "6;20") is seen as the file holds it.
std::array<QString, 2> CaselleDelPunto(const QString& testo);

// The first box of what a save writes that cannot be saved, if any: a point with only one of
// its two boxes filled, a function code of the wrong kind, a register beyond the rows, a value
// that is not a number or does not fit 16 bits once scaled, or no value for a point that has
// one. Only the keys named in `cambiate` (without regard to case) are looked at: a point whose
// key changed, a value whose key or whose point's key changed. A key nobody touched is not
// written, so the file's own form of it, loadable or not, is not refused.
std::optional<Rifiuto> VerificaRecord(Record record, const QStringList& testi, int decimali,
                                      const QStringList& cambiate);
// The record's keys in its order from the boxes' texts and the page's decimals, unchecked: a
// point as CoppiaRegistro, a value that converts in the display format of its point's decimals
// (what the reformat shows), any other text as typed, trimmed.
QList<Scrittura> ChiaviRecord(Record record, const QStringList& testi, int decimali);

// The title of the device pages' message boxes, and what they say when the settings file
// refuses a write.
inline constexpr char TitoloMessaggi[] = "Configurazione strumenti";
QString TestoScritturaRifiutata();
// A save refused because of `perche`, as every settings page words it:
// "Attenzione: <perche> I dati non sono stati salvati."
QString TestoRifiuto(const QString& perche);

// The boxes of one page's record.
class EditorRecord {
public:
    // `caselle` indexed as the record's table; `decimaliPagina` is the page's decimals.
    EditorRecord(Record record, std::vector<CasellaValore*> caselle, std::function<int()> decimaliPagina);

    void Mostra(Riga lettura, Riga scrittura);
    // What the load could not take, as the file holds it, read through `leggi` (the key's text,
    // empty when the file lacks it), after Mostra: each point that did not load in its two boxes
    // (CaselleDelPunto), then each value whose point did not load, when its text converts, in
    // the decimals of the point now shown. So what the file holds is seen and, unchanged, kept.
    void MostraDalFile(const std::function<QString(const Chiavi::Chiave&)>& leggi);
    // Every box emptied and enabled or disabled.
    void Svuota(bool abilitate);
    // Every value box with its point's decimals; `soloNumeri` leaves alone a text that is not a
    // number (an empty box too), which the reformat would show as zero.
    void Riformatta(bool soloNumeri = false);
    QStringList Testi() const;
    // The decimals value box `casella` is read and written with now.
    int DecimaliValore(int casella) const;

private:
    Record record_;
    std::vector<CasellaValore*> caselle_;
    std::function<int()> decimaliPagina_;
};

}  // namespace EditorPunti
