#pragma once
// One piece of bus work at a time (the polling tick, a command, Start, Stop, Re-read, a
// configuration reload, the exit, a recipe sending, the chrono apply).
//
// Bus work is a coroutine on the window thread: each wait on the line suspends it and the main
// event loop goes on, so the operator is answered at once whatever the line does. Work takes the
// turn before it touches the bus or the plant model and keeps it to its end; who asks while the
// turn is held waits, suspended, in arrival order. Work that must not wait for a whole pass (Stop,
// Re-read, Start, a reload, the exit) asks for the cut: the pass under way ends at its next
// exchange boundary (the exchange going on ends normally, its retries included) and records
// nothing it did not read.
#include <QCoro/QCoroTask>

#include <coroutine>
#include <functional>

namespace Acquisizione {

// The turn, held for as long as it lives; handed on to the next in line when it goes.
class Turno {
public:
    Turno() = default;
    Turno(Turno&& altro) noexcept : tenuto_(std::exchange(altro.tenuto_, false)) {}
    Turno& operator=(Turno&&) = delete;
    Turno(const Turno&) = delete;
    ~Turno();

private:
    friend class AttesaTurno;
    explicit Turno(bool tenuto) : tenuto_(tenuto) {}
    bool tenuto_ = false;
};

class AttesaTurno {
public:
    explicit AttesaTurno(bool taglia) : taglia_(taglia) {}
    bool await_ready();
    void await_suspend(std::coroutine_handle<> ripresa);
    Turno await_resume();

private:
    bool taglia_;
};

// `co_await PrendiTurno()`: the turn, in arrival order. `taglia`: the pass under way is cut.
inline AttesaTurno PrendiTurno(bool taglia = false) { return AttesaTurno(taglia); }

// True while work that asked for the cut waits for the turn: a pass looks before every exchange.
bool TaglioChiesto();
// True while the turn is held.
bool LavoroInCorso();
// Work waiting for the turn.
int LavoriInAttesa();

// Starts `lavoro` once it has the turn, without waiting for it: an event handler's way into bus
// work. What the work captured lives until it ends.
void EseguiQuandoLibero(std::function<QCoro::Task<>()> lavoro, bool taglia = false);

}  // namespace Acquisizione
