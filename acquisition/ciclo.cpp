#include "ciclo.h"

#include "allarmi.h"
#include "caselle.h"
#include "codabus.h"
#include "crono.h"
#include "eventi.h"
#include "ganci.h"
#include "generale.h"
#include "mbus.h"
#include "storicogiornaliero.h"
#include "valori.h"

#include <algorithm>

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

long leggi(int funzione, int registro, int nodo)
{
    return CodiceLettura(funzione) ? MBus::LeggiRegistro(funzione, registro, nodo) : long(ValoreAssente);
}

int conteggio(int numero, int massimo) { return std::clamp(numero, 0, massimo); }

// Marks a pass as running; a second entry while it runs (from a yield) is sent to the queue.
// The operator's input that arrives meanwhile waits for the pass to end (platform/eventi.h).
class Passata {
public:
    explicit Passata(bool& inCorso) : inCorso_(inCorso), rientro_(inCorso) { inCorso_ = true; }
    ~Passata()
    {
        if (!rientro_)
            inCorso_ = false;
    }
    bool rientro() const { return rientro_; }

private:
    bool& inCorso_;
    bool rientro_;
    Piattaforma::InputRinviato input_;
};

}  // namespace

CicloAcquisizione::CicloAcquisizione(QObject* parent) : QObject(parent)
{
    Timer_Monitor.setObjectName(QStringLiteral("Timer_Monitor"));
    Timer_Monitor.setInterval(1000);
    connect(&Timer_Monitor, &QTimer::timeout, this, &CicloAcquisizione::scatto);
}

void CicloAcquisizione::scatto()
{
    Timer_Monitor.stop();
    if (tickInCoda_)
        return;
    tickInCoda_ = true;
    EseguiQuandoLibero([this] {
        tickInCoda_ = false;
        // A Stop held back ahead of this tick has already disabled the timer that fired it:
        // the tick belongs to the acquisition that ended and must not poll a stopped plant.
        if (AcquisizioneAttiva)
            Timer_Monitor_Timer();
    });
}

void CicloAcquisizione::Timer_Monitor_Timer()
{
    // Held before the re-entry guard and released after it, so held-back work finds the guard gone.
    TieniBus tieni;
    Passata passata(inTick_);
    if (passata.rientro()) {
        EseguiQuandoLibero([this] { Timer_Monitor_Timer(); });
        return;
    }
    Timer_Monitor.stop();
    ++ContatoreCicli;

    // The operator's requests, in the order asked for; one posted while they run waits for
    // the next tick. The set-value command alone does not count as bus work.
    Piattaforma::LasciaEventi();
    bool occupato = ServiRichieste();

    if (scade(BaseRemoto)) {
        const bool remoto = ModoRemoto;
        Pannello3(remoto ? QStringLiteral("Remoto...") : QStringLiteral("Locale..."));
        occupato = true;
        for (int i = 0; i < conteggio(NumeroZone, MaxZone); ++i) {
            Piattaforma::LasciaEventi();
            esitoZona(i, remoto ? MBus::AttivaRemotoZona(i) : MBus::AttivaLocaleZona(i, true));
        }
        for (int i = 0; i < conteggio(NumeroInterruttori, MaxInterruttori); ++i) {
            Piattaforma::LasciaEventi();
            esitoInterruttore(i, remoto ? MBus::AttivaRemotoInterruttore(i) : MBus::AttivaLocaleInterruttore(i, true));
        }
        for (int i = 0; i < conteggio(ApriportaPresente, 1); ++i) {
            Piattaforma::LasciaEventi();
            remoto ? MBus::AttivaRemotoApriporta(i) : MBus::AttivaLocaleApriporta(i, true);
        }
        for (int i = 0; i < conteggio(NumeroLED, MaxLED); ++i) {
            Piattaforma::LasciaEventi();
            remoto ? MBus::AttivaRemotoLED(i) : MBus::AttivaLocaleLED(i, true);
        }
        Pannello3(Vuoto);
    }
    if (scade(BaseMisura)) {
        occupato = true;
        Piattaforma::LasciaEventi();
        LeggiZone();
        Piattaforma::LasciaEventi();
        LeggiInterruttori();
    }
    if (scade(BaseLED)) {
        Piattaforma::LasciaEventi();
        LeggiLED();
        occupato = true;
    }
    if (!occupato && AttivitaLinea) {
        Pannello3(QStringLiteral("Attivita..."));
        Piattaforma::LasciaEventi();
        MBus::MantieniAttivita();
        Pannello3(Vuoto);
    }
    Piattaforma::LasciaEventi();
    if (ContatoreCicli >= CicliPerGiro)
        ContatoreCicli = 0;
    if (AcquisizioneAttiva)
        Timer_Monitor.start();
    emit TickEseguito();
}

void CicloAcquisizione::LeggiZone()
{
    TieniBus tieni;
    Passata passata(inZone_);
    if (passata.rientro()) {
        EseguiQuandoLibero([this] { LeggiZone(); });
        return;
    }
    Pannello3(QStringLiteral("Lettura..."));
    const QDateTime inizio = Adesso();
    const int zone = conteggio(NumeroZone, MaxZone);
    const int indiceGrafico = std::clamp(IndiceGrafico, 0, NumeroValoriZona - 1);
    QString riga = TestoDataOra(inizio) + QLatin1Char(';');

    for (int i = 0; i < zone; ++i) {
        const RigaMappaZona& mappa = MappaLetturaZone[i];
        for (int k = 0; k < NumeroValoriZona; ++k) {
            const int funzione = mappa[CampoFunzioneValore(k)];
            const long grezzo = leggi(funzione, mappa[CampoRegistroValore(k)], mappa[Nodo]);
            const float valore = ValoreLetto(funzione, grezzo, mappa[Decimali]);
            ValoriZone[i][k] = valore;
            esitoZona(i, valore != float(ValoreAssente));
        }
        if (CronoAttivoZona[i] && CronotermostatoAbilitato)
            ApplicaCronotermostato(i);
        if (ZonaSlave[i] && MasterSlaveAbilitato)
            AllineaMaster(i);
        if (GraficiAbilitati) {
            if (GanciAttivi().AggiungiPunto)
                GanciAttivi().AggiungiPunto(i + 1, inizio, ValoriZone[i][indiceGrafico]);
            riga += CampoStorico(i);
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
        Pausa(250);
    Pannello3(Vuoto);
}

void CicloAcquisizione::LeggiInterruttori()
{
    TieniBus tieni;
    Passata passata(inInterruttori_);
    if (passata.rientro()) {
        EseguiQuandoLibero([this] { LeggiInterruttori(); });
        return;
    }
    Pannello3(QStringLiteral("Lettura..."));
    for (int i = 0; i < conteggio(NumeroInterruttori, MaxInterruttori); ++i) {
        const RigaMappaInterruttore& mappa = MappaLetturaInterruttori[i];
        Piattaforma::LasciaEventi();
        const long grezzoOn = leggi(mappa[FunzioneON], mappa[RegistroON], mappa[Nodo]);
        ValoriInterruttori[i][0] = ValoreLetto(mappa[FunzioneON], grezzoOn, mappa[Decimali]);
        esitoInterruttore(i, ValoriInterruttori[i][0] != float(ValoreAssente));
        Piattaforma::LasciaEventi();
        // A switch whose ON and OFF feedback are one point is read once.
        const bool stessoPunto = mappa[FunzioneOFF] == mappa[FunzioneON] && mappa[RegistroOFF] == mappa[RegistroON];
        const long grezzoOff = stessoPunto ? grezzoOn : leggi(mappa[FunzioneOFF], mappa[RegistroOFF], mappa[Nodo]);
        ValoriInterruttori[i][1] = ValoreLetto(mappa[FunzioneOFF], grezzoOff, mappa[Decimali]);
        esitoInterruttore(i, ValoriInterruttori[i][1] != float(ValoreAssente));
    }
    Piattaforma::LasciaEventi();
    if (GanciAttivi().AggiornaSinottico)
        GanciAttivi().AggiornaSinottico(false, true);
    if (!MBus::ComunicazioneReale)
        Pausa(250);
    Pannello3(Vuoto);
}

void CicloAcquisizione::LeggiLED()
{
    TieniBus tieni;
    Passata passata(inLED_);
    if (passata.rientro()) {
        EseguiQuandoLibero([this] { LeggiLED(); });
        return;
    }
    Pannello3(QStringLiteral("Lettura..."));
    const int led = conteggio(NumeroLED, MaxLED);
    for (int i = 0; i < led; ++i) {
        const RigaMappaLED& mappa = MappaLetturaLED[i];
        const long grezzo = leggi(mappa[FunzioneP1], mappa[RegistroP1], mappa[Nodo]);
        const float valore = ValoreLetto(mappa[FunzioneP1], grezzo, mappa[Decimali]);
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
    Pannello3(Vuoto);
}

void CicloAcquisizione::AllineaMaster(int zona)
{
    if (zona <= 0 || zona >= MaxZone)
        return;
    TieniBus tieni;
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

        esitoZona(zona, MBus::AttivaRemotoZona(zona));
        const long eco = MBus::ScriviRegistro(funzione, registro, *valore, slave[Nodo]);
        esitoZona(zona, MBus::AttivaLocaleZona(zona, false));
        if (EcoValido(funzione, *valore, eco)) {
            ErroriZona[zona] = 0;
            ValoriZone[zona][k] = valoreMaster;
        } else {
            SegnalaErroreZona(zona);
        }
    }
}

void CicloAcquisizione::ApplicaCronotermostato(int zona)
{
    if (zona < 0 || zona >= MaxZone)
        return;
    const int indice = std::clamp(IndiceCrono, 0, NumeroValoriZona - 1);
    if (ZonaSlave[zona] && ValoreAllineato[indice])
        return;  // the master alignment drives this value of a slave
    TieniBus tieni;
    Pannello3(QStringLiteral("Orologio..."));

    const auto casella = Crono::CasellaAttiva(Adesso());
    if (!casella)
        return;
    const float programma = TabellaCrono[casella->fascia][zona][casella->giorno];
    if (programma == ValoriZone[zona][indice] || programma == float(ValoreAssente))
        return;
    const RigaMappaZona& mappa = MappaScritturaZone[zona];
    const int funzione = mappa[CampoFunzioneValore(indice)];
    const int registro = mappa[CampoRegistroValore(indice)];
    if (funzione == -1 || registro == -1)
        return;
    std::optional<long> valore;
    if (funzione == 5)
        valore = programma == 1.0f ? 0xFF00 : 0;
    else
        valore = RegistroDaValore(programma, mappa[Decimali]);
    if (!valore)
        return;  // a programme value the register cannot hold is never sent

    esitoZona(zona, MBus::AttivaRemotoZona(zona));
    const long eco = MBus::ScriviRegistro(funzione, registro, *valore, mappa[Nodo]);
    if (funzione != 5)
        esitoZona(zona, eco == *valore);
    else if (eco != 0xFF00)
        esitoZona(zona, EcoValido(funzione, *valore, eco));
    else if (MBus::ComunicazioneReale)
        SegnalaErroreZona(zona);  // 65280 is only the simulated echo; in simulation it counts for nothing
    esitoZona(zona, MBus::AttivaLocaleZona(zona, false));
}
