#pragma once
// Holds the bus turn for as long as it lives, as a pass waiting on the line does: work asked for
// meanwhile waits. When it goes the turn passes on from the event loop, so a test waits for the
// queue with QTRY_ or QTest::qWaitFor.
#include "codabus.h"

#include <QCoro/QCoroTask>

#include <functional>

#include <optional>

class TurnoTenuto {
public:
    TurnoTenuto()
    {
        Acquisizione::AttesaTurno attesa = Acquisizione::PrendiTurno();
        if (attesa.await_ready())
            turno_.emplace(attesa.await_resume());
    }
    bool tenuto() const { return turno_.has_value(); }

private:
    std::optional<Acquisizione::Turno> turno_;
};

// True once the turn is free and nothing waits for it.
inline bool BusLibero() { return !Acquisizione::LavoroInCorso() && Acquisizione::LavoriInAttesa() == 0; }

// Runs `lavoro` in its turn of the bus, as the station's own work runs, and waits for its end.
inline void InTurno(std::function<QCoro::Task<>()> lavoro)
{
    QCoro::waitFor([](std::function<QCoro::Task<>()> lavoro) -> QCoro::Task<> {
        const Acquisizione::Turno turno = co_await Acquisizione::PrendiTurno();
        co_await lavoro();
    }(std::move(lavoro)));
}
