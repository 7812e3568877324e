#pragma once
// What the zones page and its supplementary panel show and write, worked out without a window:
// the page only moves these values in and out of its controls.
#include "editor_punti.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

namespace ChiaviZone {

// Six rows of four boxes: read code, read register, write code, write register. Rows 0..4 are
// the values PV..AL3, row 5 the remote-mode bit.
inline constexpr int RighePunti = 6;
inline constexpr int NumeroCaselle = 4 * RighePunti;
inline constexpr int RigaRemoto = 5;
inline constexpr int LunghezzaNome = 50;
inline constexpr int NumeroDiciture = 5;

// Row captions of the point rows, in row order.
QString EtichettaRiga(int riga);
// Column of box i: 0 read code, 1 read register, 2 write code, 3 write register.
inline int Colonna(int casella) { return casella % 4; }
inline bool CasellaCodice(int casella) { return Colonna(casella) % 2 == 0; }
inline bool CasellaLettura(int casella) { return Colonna(casella) < 2; }

// One key to write. `predefinito` is what its readers take when the key is missing: a key that
// already reads as the value is not rewritten, so a page saved unchanged leaves the file as it was.
struct Scrittura {
    QString sezione;
    QString chiave;
    QString valore;
    QString predefinito;
    bool operator==(const Scrittura&) const = default;
};

// One zone as the page shows it, from the plant model.
struct Zona {
    int numero = 0;     // 1..30
    QString nome;
    int nodo = -1;      // 1..255; -1: the zone is not configured
    int decimali = -1;  // 0..3; -1: none shown
    bool slave = false;
    std::array<QString, NumeroCaselle> caselle;  // "" for a point not configured
};
Zona DaModello(int indice);
// The points of a zone with a node that the load could not take, as the file holds them, read
// through `leggi` (the key's text in the zone's section): a pair the model leaves empty shows the
// key split as EditorPunti::CaselleDelPunto splits it. So it is seen, and kept while untouched.
void PuntiDelFile(Zona& zona, const std::function<QString(const Chiavi::Chiave&)>& leggi);

// The page's controls as texts, for the save. An empty `indirizzo` or `decimali` is a list
// with no entry chosen: that key is not written (an unconfigured zone never takes a node), and
// with no node the empty pairs are not written either (the page did not show the stored ones).
struct Pagina {
    int zona = 0;  // the number of the chosen entry; 0 writes nothing
    QString immagine;
    QString nome;
    QString indirizzo;
    QString minimo;
    QString massimo;
    QString unita;
    QString decimali;
    bool slave = false;
    std::array<QString, NumeroCaselle> caselle;
};

// The keys of the save in their order: Immagine, Nome, Indirizzo, T_Min_Ass, T_Max_Ass,
// Zone Unita, Decimali, Slave, then REM_r, REM_w, PV_r, PV_w, ... AL3_r, AL3_w.
QList<Scrittura> Salvataggio(const Pagina& pagina);

// A point the plant could not use is refused before anything is written: one half of a pair
// without the other, a function code the column does not take (1..4 read, 5..6 write), a
// register outside 0..32767 (the address rows hold signed 16-bit fields). Only the points whose
// keys are named in `cambiate` (without regard to case) are checked: those the save writes. The
// file's own form of a point nobody touched, loadable or not, is not the operator's to mend.
struct Rifiuto {
    int casella;
    QString testo;
};
std::optional<Rifiuto> Verifica(const std::array<QString, NumeroCaselle>& caselle, const QStringList& cambiate);

// Writes the keys in order into the active settings file. False at the first write the file
// refuses (read-only file, value with a line break): the later keys are not tried.
bool Scrivi(const QList<Scrittura>& scritture);

// Entry of a limit or unit list to select for a stored value: the last entry equal to it, or
// the list's last entry when none is.
int IndiceScelto(const QStringList& voci, const QString& valore);
// A number as the limit lists hold it ("-200").
QString TestoLimite(float valore);

// The common caption of value i from the operator's answer: trimmed, longer than 50
// characters cut to 50 and trimmed again; nothing for an empty answer.
std::optional<QString> DicituraComune(const QString& risposta);
QString ChiaveDicitura(int i);
QString DicituraPredefinita(int i);

// Zone button pictures: the files of `cartella` named T*.bmp, whatever the case of the name, in
// a stable order (by name without regard to case, then by exact name).
QStringList Icone(const QString& cartella);
// The entry to select for the stored icon: the same name, else the same name in another case;
// -1 for none.
int IndiceIcona(const QStringList& icone, const QString& icona);
// The panel's keys of zone `zona` (1..30): Campo_1..Campo_5 trimmed, then Icona.
QList<Scrittura> SalvataggioSupplementare(int zona, const std::array<QString, NumeroDiciture>& campi,
                                          const QString& icona);

// The section of zone number 1..30.
QString Sezione(int zona);

// Texts of the boxes: those of every device page.
using EditorPunti::TitoloMessaggi;
using EditorPunti::TestoScritturaRifiutata;

}  // namespace ChiaviZone
