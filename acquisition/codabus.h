#pragma once
// One piece of bus work at a time (passes, commands, Start, Stop, Re-read, reloads, exit).
//
// Every wait for a reply lets window events run, so a menu, a click or a timer can ask for new
// work while a pass or a command is waiting on the line. Such work must neither touch the bus
// nor change the plant model under the running pass: it is held back in arrival order and run
// as soon as the running work ends, before anything else happens. Nothing is dropped.
//
// - Event handlers (menus, toolbar, synoptic clicks run at once, settings reloads, exit) hand
//   their work to EseguiQuandoLibero; it runs at once when the bus is free.
// - Code already running as such work calls the procedures directly; a pass or command that
//   finds itself entered again while it runs re-posts itself here instead of running twice.
// - Posting into a command mailbox is not bus work: it needs no queue.
#include <functional>

namespace Acquisizione {

void EseguiQuandoLibero(std::function<void()> lavoro);

// True while bus work of the station runs (possibly waiting on the line).
bool LavoroInCorso();
// Work held back, waiting for the bus.
int LavoriInAttesa();

// Marks the bus as held for as long as it lives; the last one to go runs the work held back.
// Passes and commands hold one, so work asked for during them waits whoever called them.
class TieniBus {
public:
    TieniBus();
    ~TieniBus();
    TieniBus(const TieniBus&) = delete;
    TieniBus& operator=(const TieniBus&) = delete;
};

}  // namespace Acquisizione
