#include "allarmi.h"

#include "ganci.h"
#include "generale.h"

#include <limits>

namespace Generale {

namespace {

using Acquisizione::GanciAttivi;

template <typename Contatori, typename Allarmi>
bool conta(Contatori& errori, Allarmi& allarme, int i)
{
    if (i < 0 || i >= int(errori.size()))
        return false;
    if (errori[i] < std::numeric_limits<qint16>::max())
        ++errori[i];
    if (errori[i] < ErroriPerAllarme || allarme[i])
        return false;
    allarme[i] = true;
    AllarmePresente = true;
    return true;
}

QString voce(const QString& nome)
{
    return nome + QStringLiteral(" (") + Acquisizione::TestoDataOra(Acquisizione::Adesso()) + QStringLiteral(")");
}

void aggiungi(const std::function<void(const QString&)>& elenco, const QString& nome)
{
    if (elenco)
        elenco(voce(nome));
    ImpostaLampeggio(true);
}

}  // namespace

void SegnalaErroreZona(int zona)
{
    if (conta(ErroriZona, AllarmeZona, zona))
        aggiungi(GanciAttivi().VoceAllarmeZona, NomiZone[zona]);
}

void SegnalaErroreInterruttore(int interruttore)
{
    if (conta(ErroriInterruttore, AllarmeInterruttore, interruttore))
        aggiungi(GanciAttivi().VoceAllarmeDispositivo, NomiInterruttori[interruttore]);
}

void SegnalaErroreLED(int led)
{
    if (conta(ErroriLED, AllarmeLED, led))
        aggiungi(GanciAttivi().VoceAllarmeDispositivo, NomiLED[led]);
}

void ChiudiMonitor(int modo)
{
    if (modo == 0) {
        AllarmePresente = false;
        ErroriZona.fill(0);
        AllarmeZona.fill(false);
        ErroriInterruttore.fill(0);
        AllarmeInterruttore.fill(false);
        ErroriLED.fill(0);
        AllarmeLED.fill(false);
        ImpostaLampeggio(false);
        if (GanciAttivi().SvuotaAllarmi)
            GanciAttivi().SvuotaAllarmi();
    }
    if (GanciAttivi().NascondiMonitor)
        GanciAttivi().NascondiMonitor();
}

void ImpostaLampeggio(bool acceso)
{
    LampeggioAllarme = acceso;
    if (GanciAttivi().Lampeggio)
        GanciAttivi().Lampeggio(acceso);
}

}  // namespace Generale
