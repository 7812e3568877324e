#include "comandi.h"

#include "allarmi.h"
#include "cartellaprogramma.h"
#include "conversioni.h"
#include "ganci.h"
#include "generale.h"
#include "mbus.h"
#include "valori.h"

#include <algorithm>

namespace Generale {

namespace {

using namespace Acquisizione;

const QString Vuoto;

int ultimoRifiuto = 0;  // number of the latest refusal: the one on screen
Puntatore sottoIlRifiuto = Puntatore::Predefinito;  // the shape the refusals cover

// Its own small work, not bus work: it must show while a pass waits on a dead line.
QCoro::Task<> mostraRifiuto(bool apriporta)
{
    const int questo = ++ultimoRifiuto;
    if (PuntatoreAttuale() != Puntatore::Divieto)
        sottoIlRifiuto = PuntatoreAttuale();
    ImpostaPuntatore(Puntatore::Divieto);
    if (apriporta && GanciAttivi().FuocoPianta)
        GanciAttivi().FuocoPianta();
    Pannello4(QStringLiteral("Privilegi insufficienti"));
    co_await Pausa(1000);
    // A later refusal keeps its own whole second.
    if (questo != ultimoRifiuto)
        co_return;
    Pannello4(Vuoto);
    // A command that set its own pointer meanwhile keeps it.
    if (PuntatoreAttuale() == Puntatore::Divieto)
        ImpostaPuntatore(sottoIlRifiuto);
}

// A coil is switched on by writing 0xFF00; the settings store it as 1.
long valoreBobina(int funzione, long valore)
{
    return (funzione == 5 && valore == 1) ? 0xFF00 : valore;
}

void fuocoERidisegno()
{
    if (GanciAttivi().FuocoPianta)
        GanciAttivi().FuocoPianta();
}

void ridisegnaSinottico()
{
    if (GanciAttivi().RidisegnaSinottico)
        GanciAttivi().RidisegnaSinottico();
}

}  // namespace

bool ComandoConsentito(bool apriporta)
{
    if (UtenteTecnico || UtenteAmministratore)
        return true;
    mostraRifiuto(apriporta);
    return false;
}

QCoro::Task<> AzionaApriporta()
{
    ImpostaPuntatore(Puntatore::Clessidra);
    Pannello3(ModoStagioni ? QStringLiteral("Apertura...") : QStringLiteral("On/Off..."));

    const RigaMappaInterruttore& riga = MappaScritturaApriporta[0];
    if (riga[FunzioneON] == -1 || riga[RegistroON] == -1 || riga[FunzioneOFF] == -1 || riga[RegistroOFF] == -1) {
        Pannello3(Vuoto);
        ImpostaPuntatore(Puntatore::Predefinito);
        co_return;
    }
    const long valoreOn = valoreBobina(riga[FunzioneON], riga[ValoreON]);
    const long valoreOff = valoreBobina(riga[FunzioneOFF], riga[ValoreOFF]);

    if (!SuonoPorta.isEmpty() && GanciAttivi().Suona)
        GanciAttivi().Suona(Piattaforma::PercorsoProgramma(SuonoPorta));

    const bool remoto1 = co_await MBus::AttivaRemotoApriporta(0);
    long ecoOn = 0;
    if (remoto1)
        ecoOn = co_await MBus::ScriviRegistro(riga[FunzioneON], riga[RegistroON], valoreOn, riga[Nodo]);
    co_await Pausa(std::clamp(TempoApriporta, TempoApriportaMinimo, TempoApriportaMassimo));
    // An output that was switched on is always switched off again, whatever the second
    // hand-over answered: a door must never be left open by a lost reply.
    const bool remoto2 = co_await MBus::AttivaRemotoApriporta(0);
    long ecoOff = 0;
    if (remoto2 || remoto1)
        ecoOff = co_await MBus::ScriviRegistro(riga[FunzioneOFF], riga[RegistroOFF], valoreOff, riga[Nodo]);
    const bool locale = co_await MBus::AttivaLocaleApriporta(0, false);

    const bool buono = EcoValido(riga[FunzioneON], valoreOn, ecoOn) && EcoValido(riga[FunzioneOFF], valoreOff, ecoOff);
    if (!buono || !remoto1 || !remoto2 || !locale)
        Avviso(QStringLiteral("Apriporta"),
               QStringLiteral("Attenzione: Si sono verificati errori di comunicazione durante l'apertura della porta."));

    fuocoERidisegno();
    Pannello3(ModoStagioni ? QStringLiteral("Porta aperta") : QStringLiteral("On/Off eseguito"));
    co_await Pausa(300);
    Pannello3(Vuoto);
    ImpostaPuntatore(Puntatore::Predefinito);
    ridisegnaSinottico();
}

QCoro::Task<> ComandaInterruttore(int i, bool accendi)
{
    if (i < 0 || i >= MaxInterruttori)
        co_return;
    ImpostaPuntatore(Puntatore::Clessidra);
    Pannello3(accendi ? QStringLiteral("Accensione...") : QStringLiteral("Spegnimento..."));

    const RigaMappaInterruttore& riga = MappaScritturaInterruttori[i];
    if (riga[FunzioneON] == -1 || riga[RegistroON] == -1 || riga[FunzioneOFF] == -1 || riga[RegistroOFF] == -1) {
        Pannello3(Vuoto);
        ImpostaPuntatore(Puntatore::Predefinito);
        co_return;
    }
    const int funzione = accendi ? riga[FunzioneON] : riga[FunzioneOFF];
    const int registro = accendi ? riga[RegistroON] : riga[RegistroOFF];
    const long valore = valoreBobina(funzione, accendi ? riga[ValoreON] : riga[ValoreOFF]);

    auto esito = [i](bool buono) {
        if (buono)
            ErroriInterruttore[i] = 0;
        else
            SegnalaErroreInterruttore(i);
    };
    esito(co_await MBus::AttivaRemotoInterruttore(i));
    const long eco = co_await MBus::ScriviRegistro(funzione, registro, valore, riga[Nodo]);
    esito(co_await MBus::AttivaLocaleInterruttore(i, false));
    const bool buono = EcoValido(funzione, valore, eco);
    esito(buono);

    if (!buono)
        Avviso(QStringLiteral("Gestione Interruttore"),
               accendi ? QStringLiteral("Attenzione: L'interruttore potrebbe non essere stato acceso a causa di un errore di comunicazione.")
                       : QStringLiteral("Attenzione: L'interruttore potrebbe non essere stato spento a causa di un errore di comunicazione."));
    if (GanciAttivi().MostraInterruttore)
        GanciAttivi().MostraInterruttore(i, !buono ? IconaInterruttore::Indicatore : accendi ? IconaInterruttore::On : IconaInterruttore::Off);
    fuocoERidisegno();
    co_await Pausa(500);
    Pannello3(Vuoto);
    ImpostaPuntatore(Puntatore::Predefinito);
    ridisegnaSinottico();
}

QCoro::Task<> InviaValoreZona(Impostazione comando)
{
    const int z = comando.Zona;
    if (z < 0 || z >= MaxZone) {
        Pannello4(Vuoto);
        co_return;
    }

    auto esito = [z](bool buono) {
        if (buono)
            ErroriZona[z] = 0;
        else
            SegnalaErroreZona(z);
    };
    esito(co_await MBus::AttivaRemotoZona(z));
    const long eco = co_await MBus::ScriviRegistro(comando.Funzione, comando.Registro, comando.Valore, comando.Nodo);
    esito(co_await MBus::AttivaLocaleZona(z, false));

    const long valore = comando.Valore;
    bool buono = EcoValido(comando.Funzione, valore, eco);
    QString didascalia;  // empty: the row keeps its caption
    if (comando.Funzione == 6)
        didascalia = buono ? FormattaDecimali(Scala(eco, comando.Decimali), comando.Decimali) : TestiStato[2];
    else if (buono)
        didascalia = valore == 0 ? TestiStato[0] : TestiStato[1];
    else if (eco != -256 && eco != 0 && eco != 0xFF00)
        didascalia = TestiStato[2];

    Pannello4(Vuoto);
    // The panel shows the zone selected now: only that zone's row may take this zone's value.
    if (!didascalia.isEmpty() && ZonaSelezionata - 1 == z && GanciAttivi().TestoRigaZona)
        GanciAttivi().TestoRigaZona(comando.Riga, didascalia);
    ridisegnaSinottico();
    if (!buono) {
        SegnalaErroreZona(z);
        Avviso(QStringLiteral("Impostazione Valori"), QStringLiteral("Attenzione: Il valore non è stato inviato allo strumento."));
    } else {
        ErroriZona[z] = 0;
    }
    ridisegnaSinottico();
}

}  // namespace Generale
