#include "caselle.h"

#include "comandi.h"
#include "eventi.h"

#include <algorithm>

namespace Acquisizione {

namespace {

std::deque<Richiesta> coda;

// Runs one request; true when it was a door or switch command.
bool servi(const Richiesta& r)
{
    switch (r.tipo) {
    case Richiesta::Tipo::Apriporta:
        Generale::AzionaApriporta();
        return true;
    case Richiesta::Tipo::Interruttore:
        Generale::ComandaInterruttore(r.interruttore, r.accendi);
        return true;
    case Richiesta::Tipo::Impostazione:
        Generale::InviaValoreZona(r.impostazione);
        return false;
    }
    return false;
}

// Takes the oldest request out before it runs, so one posted while it waits on the bus is
// queued behind it instead of being lost.
bool serviPrima()
{
    const Richiesta r = std::move(coda.front());
    coda.pop_front();
    return servi(r);
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

bool ServiRichieste()
{
    bool lavoro = false;
    std::size_t restanti = coda.size();
    while (restanti-- > 0 && !coda.empty()) {
        lavoro = serviPrima() || lavoro;
        if (restanti > 0)
            Piattaforma::LasciaEventi();
    }
    return lavoro;
}

void ServiTutteLeRichieste()
{
    // Served by Stop and Re-read ahead of their own work: no box opened meanwhile may hold them.
    Piattaforma::InputRinviato input;
    while (!coda.empty()) {
        serviPrima();
        Piattaforma::LasciaEventi();
    }
}

}  // namespace Acquisizione
