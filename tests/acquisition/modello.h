#pragma once
// Puts the plant model and the cycle's hooks back to a known state between tests.
#include "allarmi.h"
#include "caselle.h"
#include "crono.h"
#include "ganci.h"
#include "generale.h"

#include <QDateTime>

inline void AzzeraModello()
{
    using namespace Generale;
    auto vuota = [](auto& tabella) { for (auto& r : tabella) r.fill(-1); };
    vuota(MappaLetturaZone); vuota(MappaScritturaZone);
    vuota(MappaLetturaInterruttori); vuota(MappaScritturaInterruttori);
    vuota(MappaLetturaApriporta); vuota(MappaScritturaApriporta);
    vuota(MappaLetturaLED); vuota(MappaScritturaLED);
    NumeroZone = NumeroInterruttori = NumeroLED = ApriportaPresente = 0;
    for (int i = 0; i < MaxZone; ++i) NomiZone[i] = SezioneZona(i);
    for (int i = 0; i < MaxInterruttori; ++i) NomiInterruttori[i] = SezioneInterruttore(i);
    for (int i = 0; i < MaxLED; ++i) NomiLED[i] = SezioneLED(i);
    DimenticaPrimoCaricamento();
    InizializzaTabelle();
    ValoriLED.fill(float(ValoreAssente));
    StatiLED.fill(-1);
    ZonaSlave.fill(false);
    CronoAttivoZona.fill(false);
    ValoreAllineato.fill(false);
    IndiceGrafico = 0; IndiceCrono = 0;
    GraficiAbilitati = CronotermostatoAbilitato = MasterSlaveAbilitato = false;
    ModoStagioni = true;
    TempoApriporta = 1000;
    SuonoPorta.clear();
    AcquisizioneAttiva = ModoRemoto = AttivitaLinea = false;
    LetturaAttivita = {-1, -1, -1};
    BaseMisura = 60; BaseRemoto = 3; BaseLED = 3; ContatoreCicli = 0;
    UtenteAmministratore = false; UtenteTecnico = true;
    Acquisizione::SvuotaRichieste();
    ErroriZona.fill(0); ErroriInterruttore.fill(0); ErroriLED.fill(0);
    AllarmeZona.fill(false); AllarmeInterruttore.fill(false); AllarmeLED.fill(false);
    AllarmePresente = false; LampeggioAllarme = false;
    MBus::ComunicazioneReale = true;
    Crono::Festivita.clear();
    Crono::RiempiFasceOrarie();
    Acquisizione::GanciAttivi() = {};
    // No real pauses in tests; a fixed clock.
    Acquisizione::GanciAttivi().Pausa = [](int) {};
    Acquisizione::GanciAttivi().Adesso = [] { return QDateTime(QDate(2026, 12, 9), QTime(8, 14, 30)); };
}

// A zone on node `nodo` with its five values at holding registers 100..104 (read) and 200..204
// (write), `decimali` decimals, no remote bit.
inline void ConfiguraZona(int i, int nodo, int decimali)
{
    using namespace Generale;
    auto& l = MappaLetturaZone[i];
    auto& s = MappaScritturaZone[i];
    l[Nodo] = s[Nodo] = std::int16_t(nodo);
    l[Decimali] = s[Decimali] = std::int16_t(decimali);
    for (int k = 0; k < NumeroValoriZona; ++k) {
        l[CampoFunzioneValore(k)] = 3;
        l[CampoRegistroValore(k)] = std::int16_t(100 + k);
        s[CampoFunzioneValore(k)] = 6;
        s[CampoRegistroValore(k)] = std::int16_t(200 + k);
    }
}
