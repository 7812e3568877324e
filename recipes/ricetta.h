#pragma once
#include <QCoro/QCoroTask>
// Recipe files: the Modbus writes and operator pauses that reconfigure the zone instruments (the
// season change). A recipe lives in the folder Ricetta of the program folder, in INI syntax:
//
//   [File]      ID = Quelvar            identity mark (blanks and letter case do not matter)
//   [Zona NN]   Intervallo = 150        pause in ms after each write of the zone (default 200)
//               Linee = 2               number of lines (default 0)
//               1 = 6,120,215;Set-point  function code,register,value;name
//               2 = 0,MSGBOX,5;Controllare la zona
//
// Only zones 1..NumeroZone are read, in order, and in each zone lines 1..Linee: that is the
// order of sending. Everything the sending would refuse is refused here, when the recipe is
// loaded, so that a sending never stops half-way on a row it could have refused before the
// first write and leaves the plant half in one season, half in the other.
#include "generale.h"

#include <QList>
#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace Ricette {

// Pauses (Intervallo and SLEEP) longer than ten minutes, or negative, are not a recipe's.
inline constexpr int PausaMassima = 600000;
// The pause after the last row, so that 100% is seen.
inline constexpr int PausaFinale = 200;
// The prompt of a MSGBOX row without text.
inline const QString TestoMessaggioVuoto = QStringLiteral("Premere OK per continuare");

// A recipe line "fc,reg,value;name": the function code before the first ",", the register up to
// the second ",", the value up to the first ";" after it, the name after that ";" (commas and
// semicolons included). Nothing is trimmed. No value when a separator is missing.
struct CampiRiga {
    QString Funzione;
    QString Registro;
    QString Valore;
    QString Nome;
};
std::optional<CampiRiga> DividiRiga(const QString& riga);

// One row as the recipe window's seven lists hold it, every field as text.
struct RigaLista {
    QString nDev;     // zone number 1..30
    QString Dev;      // zone name
    QString Sadd;     // node of the zone's write map
    QString FC;       // the line's four fields, as written
    QString MB;
    QString MBVal;
    QString NomePar;
};

// What a row does when sent.
enum class Azione { Registro, Bobina, Pausa, Messaggio, Nessuna };

// A row checked for sending: the numbers the writes and pauses will use.
struct RigaVerificata {
    Azione azione = Azione::Nessuna;
    int zona = 0;        // zone index 0..29 (writes)
    int nodo = 0;        // 1..255 (writes)
    int registro = 0;    // -32768..32767 (writes)
    long valore = 0;     // sent value (a coil ON is 65280); SLEEP milliseconds
};

// The checks of one row, as the sending will meet it; no value when the sending would refuse it.
// A function code "0" row acts only with the exact upper-case words SLEEP and MSGBOX; with
// another spelling it is kept and does nothing.
std::optional<RigaVerificata> VerificaRiga(const RigaLista& riga);

// Text to whole number as recipes write numbers: blanks around it, "," or "." as the decimal
// point, rounded halves to even. No value for anything else (an empty text is not 0, "1e3" is
// not 1000).
std::optional<long long> NumeroRicetta(const QString& testo);

// ---- Loading ---------------------------------------------------------------------------------

// The stage a loading reached; it decides the closing message.
enum Stadio : int {
    StadioCaricata = -1,  // the whole file was read
    StadioEstate = 0,     // summer recipe not set, or its file missing
    StadioInverno = 1,    // winter recipe not set, or its file missing
    StadioScelta = 2,     // dialog cancelled, or the chosen name not in Ricetta
    StadioIdentita = 3,   // identity mark wrong, or the file unreadable
    StadioContenuto = 4,  // a zone key or a line refused
};

struct Caricamento {
    int stadio = StadioScelta;
    QString nomeFile;        // relative to Ricetta
    QList<RigaLista> righe;  // every row on success, the rows before the refused key otherwise
    QString dove;            // stage 4: "Zona 03, linea 2"
};

// The part of a chosen path after its last "\" or "/".
QString NomeDaPercorso(const QString& percorso);
// Path of a recipe named relative to the folder Ricetta (letter case of the name not minded).
QString PercorsoRicetta(const QString& nomeFile);

// Loads `nomeFile` (relative to Ricetta; empty: nothing to load) starting at `stadio` (0, 1 or 2
// by the button). `intervalli` gets each zone's Intervallo as the loading reaches the zone, and
// keeps what was read when it stops.
Caricamento CaricaRicetta(const QString& nomeFile, int stadio, std::array<qint32, Generale::MaxZone>& intervalli);

// The closing message of a loading, empty for none.
struct Messaggio {
    QString testo;
    bool informazione = false;  // information icon; otherwise exclamation mark
};
Messaggio MessaggioCaricamento(const Caricamento& esito);

// ---- Sending ---------------------------------------------------------------------------------

struct ServiziInvio {
    // One Modbus write; returns the echo, or ValoreAssente. Empty: MBus::ScriviRegistro.
    std::function<long(int funzione, int registro, long valore, int nodo)> Scrivi;
    // Called instead of each pause. Empty: the sending waits, suspended, as long as the pause.
    std::function<void(int millisecondi)> Pausa;
    // A MSGBOX row: prompt and style; false when the operator answered Cancel.
    std::function<bool(const QString& testo, const QString& stile)> Messaggio;
    // Progress: bar value and maximum, and the percentage text.
    std::function<void(int valore, int massimo, const QString& percentuale)> Avanzamento;
};

// Checks every row first (nothing is written when one is refused), then sends them in order:
// each write is followed by its zone's pause, SLEEP pauses, MSGBOX asks; the first failure (no
// answer, an exception, an echo that is not the value sent, Cancel) ends the sending. True when
// every row was done. Runs inside the caller's turn of the bus.
QCoro::Task<bool> InviaRighe(QList<RigaLista> righe, std::array<qint32, Generale::MaxZone> intervalli,
                             ServiziInvio servizi);

// The percentage shown while row `valore` of a bar of `massimo` steps is being sent: the whole
// part of valore x 100 / massimo (with three rows: 25, 50, 75, then 100).
int Percentuale(int valore, int massimo);

// Icon and buttons of a MSGBOX style "0".."7" (stop, exclamation, information, question; OK, then
// OK and Cancel from "4"); any other text is the stop icon with OK.
struct StileMessaggio {
    enum Icona { Stop, Esclamazione, Informazione, Domanda } icona = Stop;
    bool annulla = false;
};
StileMessaggio StileDa(const QString& stile);

}  // namespace Ricette

namespace File_Ini {

// The name of the template in the folder Ricetta.
inline const QString NomeModelloRicetta = QStringLiteral("InvioDati.prg");
// The template's bytes: the empty structure of all 30 zones, CRLF lines.
QByteArray ModelloRicetta();
// Writes the template to Ricetta\InvioDati.prg, replacing the file whole, and opens it in the
// platform's text editor without waiting. False (no editor started) when the file cannot be
// written, for instance when the folder Ricetta is missing.
bool CreaRicetta();

}  // namespace File_Ini
