#include "codabus.h"

#include "ganci.h"

#include <QCoreApplication>
#include <QTimer>

#include <deque>

namespace Acquisizione {

namespace {

struct InAttesa {
    std::coroutine_handle<> ripresa;
    bool taglia;
};

bool tenuto = false;
std::deque<InAttesa> coda;
int tagli = 0;  // work in the queue that asked for the cut
bool mostrataAttesa = false;

// The operator sees that what was asked for waits behind the work under way.
void mostraAttesa()
{
    const bool attesa = !coda.empty();
    if (attesa == mostrataAttesa)
        return;
    mostrataAttesa = attesa;
    if (GanciAttivi().LavoroTrattenuto)
        GanciAttivi().LavoroTrattenuto(attesa);
}

// The turn passes straight to the first in line, so nobody can slip in between; that work goes
// on from the event loop, not inside the destructor of the work that ended.
void cedi()
{
    if (coda.empty()) {
        tenuto = false;
        return;
    }
    const InAttesa prossimo = coda.front();
    coda.pop_front();
    if (prossimo.taglia)
        --tagli;
    mostraAttesa();
    QTimer::singleShot(0, QCoreApplication::instance(), [h = prossimo.ripresa] { h.resume(); });
}

}  // namespace

Turno::~Turno()
{
    if (tenuto_)
        cedi();
}

bool AttesaTurno::await_ready()
{
    if (tenuto)
        return false;
    tenuto = true;
    return true;
}

void AttesaTurno::await_suspend(std::coroutine_handle<> ripresa)
{
    coda.push_back({ripresa, taglia_});
    if (taglia_)
        ++tagli;
    mostraAttesa();
}

Turno AttesaTurno::await_resume() { return Turno(true); }

bool TaglioChiesto() { return tagli > 0; }
bool LavoroInCorso() { return tenuto; }
int LavoriInAttesa() { return int(coda.size()); }

void EseguiQuandoLibero(std::function<QCoro::Task<>()> lavoro, bool taglia)
{
    if (!lavoro)
        return;
    [](std::function<QCoro::Task<>()> lavoro, bool taglia) -> QCoro::Task<> {
        const Turno turno = co_await PrendiTurno(taglia);
        co_await lavoro();
    }(std::move(lavoro), taglia);
}

}  // namespace Acquisizione
