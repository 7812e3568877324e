#include "ciclo.h"

#include "allarmi.h"
#include "caselle.h"
#include "codabus.h"
#include "crono.h"
#include "ganci.h"
#include "generale.h"
#include "mbus.h"
#include "storicogiornaliero.h"
#include "valori.h"

#include <QPointer>

#include <algorithm>
#include <functional>
#include <optional>

using namespace Generale;
using namespace Acquisizione;

namespace {

const QString Vuoto;

// A pass of period P is due on every tick whose counter is a multiple of P; period 0 is due on
// every tick.
bool scade(int periodo)
{
    return periodo == 0 || ContatoreCicli % periodo == 0;
}

void esitoZona(int zona, bool buono)
{
    if (buono)
        ErroriZona[zona] = 0;
    else
        SegnalaErroreZona(zona);
}

void esitoInterruttore(int i, bool buono)
{
    if (buono)
        ErroriInterruttore[i] = 0;
    else
        SegnalaErroreInterruttore(i);
}

int conteggio(int numero, int massimo) { return std::clamp(numero, 0, massimo); }

// Work that waits for the turn wants the line: the pass ends before its next exchange.
bool taglio() { return TaglioChiesto(); }

// A point's raw value for a pass; nullopt when the cut came first: the read was not started and
// nothing is known of the point, so the pass ends there.
QCoro::Task<std::optional<long>> leggi(int funzione, int registro, int nodo)
{
    if (taglio())
        co_return std::nullopt;
    if (!CodiceLettura(funzione))
        co_return long(ValoreAssente);
    const long grezzo = co_await MBus::LeggiRegistro(funzione, registro, nodo);
    if (MBus::Tagliato())
        co_return std::nullopt;
    co_return grezzo;
}

// Panel 3 is emptied however a pass ends.
struct PannelloAllaFine {
    ~PannelloAllaFine() { Pannello3(Vuoto); }
};

// A value written to a zone's instrument: the remote step, the write, the local step, each
// counted for the zone (`primaDelLocale` judges the echo before the local step). Once a cut is
// asked no value write starts, but the local step always runs: where the cut keeps its state
// read from leaving, a zone owed its hand-back gets the write of 0 alone and one owed nothing
// gets nothing (mbus.h). An exchange the cut kept from leaving counts nothing. nullopt: the
// value was not written.
QCoro::Task<std::optional<long>> scriviInRemoto(int zona, int funzione, int registro, long valore, int nodo,
                                                std::function<void(long eco)> primaDelLocale = {})
{
    const bool remoto = co_await MBus::AttivaRemotoZona(zona);
    if (!MBus::Tagliato())
        esitoZona(zona, remoto);
    std::optional<long> eco;
    if (!taglio()) {
        eco = co_await MBus::ScriviRegistro(funzione, registro, valore, nodo);
        if (MBus::Tagliato())
            eco.reset();
    }
    if (eco && primaDelLocale)
        primaDelLocale(*eco);
    const bool locale = co_await MBus::AttivaLocaleZona(zona, false);
    if (!MBus::Tagliato())
        esitoZona(zona, locale);
    co_return eco;
}

}  // namespace

CicloAcquisizione::CicloAcquisizione(QObject* parent) : QObject(parent)
{
    Timer_Monitor.setObjectName(QStringLiteral("Timer_Monitor"));
    Timer_Monitor.setInterval(1000);
    connect(&Timer_Monitor, &QTimer::timeout, this, &CicloAcquisizione::scatto);
}

void CicloAcquisizione::scatto()
{
    // Off during its own tick; the tick starts it again when it ends.
    Timer_Monitor.stop();
    Timer_Monitor_Timer();
}

QCoro::Task<> CicloAcquisizione::Timer_Monitor_Timer()
{
    Timer_Monitor.stop();
    const QPointer<CicloAcquisizione> io(this);
    const Turno turno = co_await PrendiTurno();
    if (!io)
        co_return;
    // A Start or Re-read that ran while this tick waited has armed the timer again: it stays
    // off for the whole tick, or each tick longer than the period would queue the next.
    Timer_Monitor.stop();
    // A Stop that came first has ended the acquisition this tick belonged to.
    if (!AcquisizioneAttiva)
        co_return;
    ++ContatoreCicli;

    // The operator's requests, in the order asked for; one posted while they run waits for
    // the next tick. The set-value command alone does not count as bus work.
    bool occupato = co_await ServiRichieste();

    // From here on the tick's exchanges are the polling's own: a cut ends them.
    const MBus::Tagliabile ambito(taglio);
    if (scade(BaseRemoto) && !taglio()) {
        const bool remoto = ModoRemoto;
        Pannello3(remoto ? QStringLiteral("Remoto...") : QStringLiteral("Locale..."));
        occupato = true;
        // Each device whole: its state read and, when needed, its remote bit written.
        for (int i = 0; i < conteggio(NumeroZone, MaxZone) && !taglio(); ++i) {
            QCoro::Task<bool> passaggio = remoto ? MBus::AttivaRemotoZona(i) : MBus::AttivaLocaleZona(i, true);
            const bool esito = co_await passaggio;
            if (!MBus::Tagliato())  // a step not started for the cut says nothing of the device
                esitoZona(i, esito);
        }
        for (int i = 0; i < conteggio(NumeroInterruttori, MaxInterruttori) && !taglio(); ++i) {
            QCoro::Task<bool> passaggio = remoto ? MBus::AttivaRemotoInterruttore(i) : MBus::AttivaLocaleInterruttore(i, true);
            const bool esito = co_await passaggio;
            if (!MBus::Tagliato())
                esitoInterruttore(i, esito);
        }
        for (int i = 0; i < conteggio(ApriportaPresente, 1) && !taglio(); ++i) {
            QCoro::Task<bool> passaggio = remoto ? MBus::AttivaRemotoApriporta(i) : MBus::AttivaLocaleApriporta(i, true);
            co_await passaggio;
        }
        for (int i = 0; i < conteggio(NumeroLED, MaxLED) && !taglio(); ++i) {
            QCoro::Task<bool> passaggio = remoto ? MBus::AttivaRemotoLED(i) : MBus::AttivaLocaleLED(i, true);
            co_await passaggio;
        }
        Pannello3(Vuoto);
    }
    if (scade(BaseMisura)) {
        occupato = true;
        co_await LeggiZone();
        co_await LeggiInterruttori();
    }
    if (scade(BaseLED)) {
        co_await LeggiLED();
        occupato = true;
    }
    if (!occupato && AttivitaLinea && !taglio()) {
        Pannello3(QStringLiteral("Attivita..."));
        co_await MBus::MantieniAttivita();
        Pannello3(Vuoto);
    }
    if (!io)
        co_return;
    if (ContatoreCicli >= CicliPerGiro)
        ContatoreCicli = 0;
    if (AcquisizioneAttiva)
        Timer_Monitor.start();
    emit TickEseguito();
}

QCoro::Task<> CicloAcquisizione::LeggiZone()
{
    Pannello3(QStringLiteral("Lettura..."));
    const QDateTime inizio = Adesso();
    const int zone = conteggio(NumeroZone, MaxZone);
    // The charted value, chosen once for the pass: the chart and the day's line carry the same
    // value of every zone, whatever the zones page chooses meanwhile.
    const int indiceGrafico = std::clamp(IndiceGrafico, 0, NumeroValoriZona - 1);
    QString riga = TestoDataOra(inizio) + QLatin1Char(';');
    const PannelloAllaFine pannello;
    const MBus::Tagliabile ambito(taglio);

    for (int i = 0; i < zone; ++i) {
        const RigaMappaZona& mappa = MappaLetturaZone[i];
        for (int k = 0; k < NumeroValoriZona; ++k) {
            const int funzione = mappa[CampoFunzioneValore(k)];
            const std::optional<long> grezzo = co_await leggi(funzione, mappa[CampoRegistroValore(k)], mappa[Nodo]);
            if (!grezzo)
                co_return;
            const float valore = ValoreLetto(funzione, *grezzo, mappa[Decimali]);
            ValoriZone[i][k] = valore;
            esitoZona(i, valore != float(ValoreAssente));
        }
        if (CronoAttivoZona[i] && CronotermostatoAbilitato && !taglio())
            co_await ApplicaCronotermostato(i);
        if (ZonaSlave[i] && MasterSlaveAbilitato && !taglio())
            co_await AllineaMaster(i);
        if (MBus::Tagliato())
            co_return;
        if (GraficiAbilitati) {
            if (GanciAttivi().AggiungiPunto)
                GanciAttivi().AggiungiPunto(i + 1, inizio, ValoriZone[i][indiceGrafico]);
            riga += CampoStorico(i, indiceGrafico);
        }
    }
    if (GanciAttivi().Ridisegna)
        GanciAttivi().Ridisegna();
    if (GanciAttivi().AggiornaSinottico)
        GanciAttivi().AggiornaSinottico(true, false);
    // Stamped with the time the pass started, filed under the day it ends in.
    if (GraficiAbilitati && zone > 0)
        File_Ini::ScriviStorico(riga, Adesso().date());
    if (!MBus::ComunicazioneReale)
        co_await Pausa(250);
}

QCoro::Task<> CicloAcquisizione::LeggiInterruttori()
{
    Pannello3(QStringLiteral("Lettura..."));
    const PannelloAllaFine pannello;
    const MBus::Tagliabile ambito(taglio);
    for (int i = 0; i < conteggio(NumeroInterruttori, MaxInterruttori); ++i) {
        const RigaMappaInterruttore& mappa = MappaLetturaInterruttori[i];
        const std::optional<long> grezzoOn = co_await leggi(mappa[FunzioneON], mappa[RegistroON], mappa[Nodo]);
        if (!grezzoOn)
            co_return;
        ValoriInterruttori[i][0] = ValoreLetto(mappa[FunzioneON], *grezzoOn, mappa[Decimali]);
        esitoInterruttore(i, ValoriInterruttori[i][0] != float(ValoreAssente));
        // A switch whose ON and OFF feedback are one point is read once.
        const bool stessoPunto = mappa[FunzioneOFF] == mappa[FunzioneON] && mappa[RegistroOFF] == mappa[RegistroON];
        std::optional<long> grezzoOff = grezzoOn;
        if (!stessoPunto)
            grezzoOff = co_await leggi(mappa[FunzioneOFF], mappa[RegistroOFF], mappa[Nodo]);
        if (!grezzoOff)
            co_return;
        ValoriInterruttori[i][1] = ValoreLetto(mappa[FunzioneOFF], *grezzoOff, mappa[Decimali]);
        esitoInterruttore(i, ValoriInterruttori[i][1] != float(ValoreAssente));
    }
    if (GanciAttivi().AggiornaSinottico)
        GanciAttivi().AggiornaSinottico(false, true);
    if (!MBus::ComunicazioneReale)
        co_await Pausa(250);
}

QCoro::Task<> CicloAcquisizione::LeggiLED()
{
    Pannello3(QStringLiteral("Lettura..."));
    const int led = conteggio(NumeroLED, MaxLED);
    const PannelloAllaFine pannello;
    const MBus::Tagliabile ambito(taglio);
    for (int i = 0; i < led; ++i) {
        const RigaMappaLED& mappa = MappaLetturaLED[i];
        const std::optional<long> grezzo = co_await leggi(mappa[FunzioneP1], mappa[RegistroP1], mappa[Nodo]);
        if (!grezzo)
            co_return;
        const float valore = ValoreLetto(mappa[FunzioneP1], *grezzo, mappa[Decimali]);
        ValoriLED[i] = valore;
        if (valore == float(ValoreAssente)) {
            StatiLED[i] = -1;
            SegnalaErroreLED(i);
            continue;
        }
        // The threshold is stored in register units: compare it in the value's own unit, so
        // "21,5" on a point with one decimal means 21.5. A bit and its threshold carry no
        // decimals, whatever the device's own.
        const bool bit = mappa[FunzioneP1] == 1 || mappa[FunzioneP1] == 2;
        const float soglia = bit ? float(mappa[Soglia]) : Scala(mappa[Soglia], mappa[Decimali]);
        bool vero = false;
        switch (mappa[Condizione]) {
        case 1: vero = valore >= soglia; break;
        case 2: vero = valore <= soglia; break;
        case 3: vero = valore > soglia; break;
        case 4: vero = valore < soglia; break;
        case 5: vero = valore == soglia; break;
        case 6: vero = valore != soglia; break;
        default: break;
        }
        StatiLED[i] = vero ? mappa[Colore] : 0;
        ErroriLED[i] = 0;
    }
    if (GanciAttivi().MostraLED)
        for (int i = 0; i < led; ++i)
            GanciAttivi().MostraLED(i, StatiLED[i]);
}

QCoro::Task<> CicloAcquisizione::AllineaMaster(int zona)
{
    if (zona <= 0 || zona >= MaxZone)
        co_return;
    Pannello3(QStringLiteral("Allineamento..."));
    const RigaMappaZona& master = MappaScritturaZone[0];
    const RigaMappaZona& slave = MappaScritturaZone[zona];
    for (int k = 0; k < NumeroValoriZona; ++k) {
        const float valoreMaster = ValoriZone[0][k];
        if (!ValoreAllineato[k] || ValoriZone[zona][k] == valoreMaster)
            continue;
        const int funzione = slave[CampoFunzioneValore(k)];
        const int registro = slave[CampoRegistroValore(k)];
        if (funzione == -1 || registro == -1 || master[CampoFunzioneValore(k)] == -1 || master[CampoRegistroValore(k)] == -1
            || master[CampoFunzioneValore(k)] != funzione)
            continue;
        std::optional<long> valore;
        if (funzione == 6)
            valore = RegistroDaValore(valoreMaster, slave[Decimali]);
        else if (valoreMaster == 0.0f)
            valore = 0;
        else if (valoreMaster == 1.0f)
            valore = 0xFF00;
        if (!valore)
            continue;  // no value, or one the slave's register cannot hold: nothing is sent
        if (taglio())
            co_return;

        const std::optional<long> eco = co_await scriviInRemoto(zona, funzione, registro, *valore, slave[Nodo]);
        if (!eco)
            co_return;
        if (EcoValido(funzione, *valore, *eco)) {
            ErroriZona[zona] = 0;
            ValoriZone[zona][k] = valoreMaster;
        } else {
            SegnalaErroreZona(zona);
        }
    }
}

QCoro::Task<> CicloAcquisizione::ApplicaCronotermostato(int zona)
{
    if (zona < 0 || zona >= MaxZone)
        co_return;
    const int indice = std::clamp(IndiceCrono, 0, NumeroValoriZona - 1);
    if (ZonaSlave[zona] && ValoreAllineato[indice])
        co_return;  // the master alignment drives this value of a slave
    Pannello3(QStringLiteral("Orologio..."));

    const auto casella = Crono::CasellaAttiva(Adesso());
    if (!casella)
        co_return;
    const float programma = TabellaCrono[casella->fascia][zona][casella->giorno];
    if (programma == ValoriZone[zona][indice] || programma == float(ValoreAssente))
        co_return;
    const RigaMappaZona& mappa = MappaScritturaZone[zona];
    const int funzione = mappa[CampoFunzioneValore(indice)];
    const int registro = mappa[CampoRegistroValore(indice)];
    if (funzione == -1 || registro == -1)
        co_return;
    std::optional<long> valore;
    if (funzione == 5)
        valore = programma == 1.0f ? 0xFF00 : 0;
    else
        valore = RegistroDaValore(programma, mappa[Decimali]);
    if (!valore)
        co_return;  // a programme value the register cannot hold is never sent

    const long scritto = *valore;
    co_await scriviInRemoto(zona, funzione, registro, scritto, mappa[Nodo], [zona, funzione, scritto](long eco) {
        if (funzione != 5)
            esitoZona(zona, eco == scritto);
        else if (eco != 0xFF00)
            esitoZona(zona, EcoValido(funzione, scritto, eco));
        else if (MBus::ComunicazioneReale)
            SegnalaErroreZona(zona);  // 65280 is only the simulated echo; in simulation it counts for nothing
    });
}
