#include "caselle.h"

#include "comandi.h"
#include "mbus.h"

#include <algorithm>

namespace Acquisizione {

namespace {

std::deque<Richiesta> coda;

// Takes the oldest request out and runs it; true when it was a door or switch command. It is
// out of the queue before it runs, so one posted while it waits on the bus queues behind it.
QCoro::Task<bool> serviPrima()
{
    const Richiesta r = std::move(coda.front());
    coda.pop_front();
    switch (r.tipo) {
    case Richiesta::Tipo::Apriporta:
        co_await Generale::AzionaApriporta();
        co_return true;
    case Richiesta::Tipo::Interruttore:
        co_await Generale::ComandaInterruttore(r.interruttore, r.accendi);
        co_return true;
    case Richiesta::Tipo::Impostazione:
        co_await Generale::InviaValoreZona(r.impostazione);
        co_return false;
    }
    co_return false;
}

}  // namespace

void PostaApriporta()
{
    const bool attesa = std::any_of(coda.begin(), coda.end(),
                                    [](const Richiesta& r) { return r.tipo == Richiesta::Tipo::Apriporta; });
    if (!attesa)
        coda.push_back({Richiesta::Tipo::Apriporta, -1, false, {}});
}

void PostaInterruttore(int interruttore, bool accendi)
{
    if (interruttore < 0 || interruttore >= Generale::MaxInterruttori)
        return;
    coda.push_back({Richiesta::Tipo::Interruttore, interruttore, accendi, {}});
}

void PostaImpostazione(const Generale::Impostazione& comando)
{
    coda.push_back({Richiesta::Tipo::Impostazione, -1, false, comando});
}

const std::deque<Richiesta>& RichiesteInAttesa() { return coda; }

void SvuotaRichieste() { coda.clear(); }

QCoro::Task<bool> ServiRichieste()
{
    bool lavoro = false;
    std::size_t restanti = coda.size();
    while (restanti-- > 0 && !coda.empty())
        lavoro = co_await serviPrima() || lavoro;
    co_return lavoro;
}

QCoro::Task<> ServiTutteLeRichieste()
{
    while (!coda.empty())
        co_await serviPrima();
}

QCoro::Task<> LavoroDelloStop()
{
    co_await ServiTutteLeRichieste();
    co_await MBus::RestituisciDovuti();
}

}  // namespace Acquisizione
