#include "codabus.h"

#include "ganci.h"
#include "mbus.h"

#include <QTimer>

#include <deque>

namespace Acquisizione {

namespace {

int profondita = 0;
std::deque<std::function<void()>> coda;
bool riprovaProgrammata = false;
bool mostrataAttesa = false;

// The operator sees that what was asked for is held back until the last of it has run.
void mostraAttesa(bool attesa)
{
    if (attesa == mostrataAttesa)
        return;
    mostrataAttesa = attesa;
    if (GanciAttivi().LavoroTrattenuto)
        GanciAttivi().LavoroTrattenuto(attesa);
}

void drena();

// The line can also be held by a transaction that is not ours (a recipe being sent, the port
// test of a reload): look again shortly, from the event loop.
void programmaRiprova()
{
    if (riprovaProgrammata)
        return;
    riprovaProgrammata = true;
    QTimer::singleShot(10, [] {
        riprovaProgrammata = false;
        drena();
    });
}

void drena()
{
    while (profondita == 0 && !coda.empty()) {
        if (MBus::Occupato()) {
            programmaRiprova();
            return;
        }
        auto lavoro = std::move(coda.front());
        coda.pop_front();
        ++profondita;
        lavoro();
        --profondita;
    }
    if (coda.empty())
        mostraAttesa(false);
}

}  // namespace

TieniBus::TieniBus() { ++profondita; }

TieniBus::~TieniBus()
{
    if (--profondita == 0)
        drena();
}

void EseguiQuandoLibero(std::function<void()> lavoro)
{
    if (!lavoro)
        return;
    coda.push_back(std::move(lavoro));
    if (profondita == 0)
        drena();
    if (!coda.empty())
        mostraAttesa(true);
}

bool LavoroInCorso() { return profondita > 0; }
int LavoriInAttesa() { return int(coda.size()); }

}  // namespace Acquisizione
