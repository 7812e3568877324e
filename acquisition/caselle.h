#pragma once
// The operator's commands asked for on the synoptic while acquisition runs: they wait here for
// the polling tick, in the order they were asked for. No request takes the place of another
// (two switches clicked during one pass are both switched), and each keeps what it was asked
// for (a set-value request its zone, row, point and value).
//
// - The tick serves the requests that were waiting when its turn came; one posted meanwhile
//   (for instance a door click during the door pulse) waits for the next tick.
// - Stop serves every request still waiting before it stops: they were asked for first, and
//   nothing may survive a Stop to run at a later Start, maybe hours later.
// - A door request already waiting takes in a second door click: one pulse opens the door.
#include "generale.h"

#include <QCoro/QCoroTask>

#include <deque>

namespace Acquisizione {

struct Richiesta {
    enum class Tipo { Apriporta, Interruttore, Impostazione };
    Tipo tipo = Tipo::Apriporta;
    int interruttore = -1;  // switch index, 0-based
    bool accendi = false;   // switch ON (true) or OFF
    Generale::Impostazione impostazione;
};

void PostaApriporta();
void PostaInterruttore(int interruttore, bool accendi);
void PostaImpostazione(const Generale::Impostazione& comando);

// What waits, oldest first.
const std::deque<Richiesta>& RichiesteInAttesa();
// Empties the mailboxes without serving them (program start).
void SvuotaRichieste();

// Serves the requests waiting now, oldest first, inside the caller's turn of the bus; a request
// posted meanwhile waits for the next call. True when one of them was a door or switch command
// (the set-value command alone is no bus work of the tick).
QCoro::Task<bool> ServiRichieste();
// Serves requests until none waits, those posted while it runs included (Stop, Re-read).
QCoro::Task<> ServiTutteLeRichieste();
// The Stop's bus work, inside its turn: every request still waiting served first, then each
// device still owed its hand-back to local given it once (mbus.h).
QCoro::Task<> LavoroDelloStop();

}  // namespace Acquisizione
