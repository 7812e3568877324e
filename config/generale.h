#pragma once
// The plant model: the shared tables and flags that the configuration load fills, the
// acquisition cycle updates and every window shows. One GUI thread reads and writes them.
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace Generale {

// No value, or a failed exchange. Shown as "--.-".
inline constexpr int ValoreAssente = -99999;

inline constexpr int MaxZone = 30;
inline constexpr int MaxInterruttori = 10;
inline constexpr int MaxLED = 10;
inline constexpr int NumeroValoriZona = 5;  // PV, SP, AL1, AL2, AL3
inline constexpr int NumeroFasce = 97;      // quarter hours 00:00 .. 24:00
inline constexpr int NumeroGiorni = 7;      // Monday = 0

// ---- Address rows: 16-bit fields, -1 = not configured ------------------------------------
// Fields 0..3 are common to the three row kinds, so the remote hand-over works on any of them.
enum CampoComune { Nodo = 0, Decimali = 1, FunzioneREM = 2, RegistroREM = 3 };
enum CampoZona {
    FunzionePV = 4, RegistroPV, FunzioneSP, RegistroSP, FunzioneAL1, RegistroAL1,
    FunzioneAL2, RegistroAL2, FunzioneAL3, RegistroAL3
};
// Value k of a zone (0 = PV .. 4 = AL3) uses fields 4 + 2k and 5 + 2k.
constexpr int CampoFunzioneValore(int k) { return FunzionePV + 2 * k; }
constexpr int CampoRegistroValore(int k) { return RegistroPV + 2 * k; }
enum CampoInterruttore { FunzioneON = 4, RegistroON, FunzioneOFF, RegistroOFF, ValoreON, ValoreOFF };
enum CampoLED { FunzioneP1 = 4, RegistroP1, Soglia, Colore, Condizione };

using RigaMappaZona = std::array<std::int16_t, 14>;
using RigaMappaInterruttore = std::array<std::int16_t, 12>;
using RigaMappaLED = std::array<std::int16_t, 9>;

template <typename Riga>
constexpr Riga RigaVuota()
{
    Riga r{};
    r.fill(-1);
    return r;
}

inline std::array<RigaMappaZona, MaxZone> MappaLetturaZone = [] { std::array<RigaMappaZona, MaxZone> t; t.fill(RigaVuota<RigaMappaZona>()); return t; }();
inline std::array<RigaMappaZona, MaxZone> MappaScritturaZone = MappaLetturaZone;
inline std::array<RigaMappaInterruttore, MaxInterruttori> MappaLetturaInterruttori = [] { std::array<RigaMappaInterruttore, MaxInterruttori> t; t.fill(RigaVuota<RigaMappaInterruttore>()); return t; }();
inline std::array<RigaMappaInterruttore, MaxInterruttori> MappaScritturaInterruttori = MappaLetturaInterruttori;
inline std::array<RigaMappaInterruttore, 1> MappaLetturaApriporta = {RigaVuota<RigaMappaInterruttore>()};
inline std::array<RigaMappaInterruttore, 1> MappaScritturaApriporta = {RigaVuota<RigaMappaInterruttore>()};
inline std::array<RigaMappaLED, MaxLED> MappaLetturaLED = [] { std::array<RigaMappaLED, MaxLED> t; t.fill(RigaVuota<RigaMappaLED>()); return t; }();
inline std::array<RigaMappaLED, MaxLED> MappaScritturaLED = MappaLetturaLED;
inline std::array<bool, MaxZone> ZonaSlave{};

// ---- Device counts, names and layout ----------------------------------------------------------
inline int NumeroZone = 0;          // 0..30
inline int NumeroInterruttori = 0;  // 0..10
inline int NumeroLED = 0;           // 0..10
inline int ApriportaPresente = 0;   // 0 or 1
inline int WebcamPresente = 0;      // 0 or 1

// Device names live here; the synoptic's controls show them as tool tips.
inline std::array<QString, MaxZone> NomiZone;
inline std::array<QString, MaxInterruttori> NomiInterruttori;
inline std::array<QString, MaxLED> NomiLED;
inline QString NomeApriporta;
inline QString NomeWebcam;

inline QString UnitaMisura;
inline int IndiceTesto = 0;    // value shown on the zone buttons
inline int IndiceGrafico = 0;  // value charted and logged
inline int IndiceCrono = 0;    // value driven by the chrono programme
inline float TemperaturaMinimaAssoluta = -200.0f;
inline float TemperaturaMassimaAssoluta = 200.0f;
inline QString SuonoPorta;
inline QString SuonoAllarme;
inline QString ImmaginePianta;

// ---- Layout of the synoptic -----------------------------------------------------------------
// Left and top edge in twips inside the plant picture.
struct Posizione {
    int X = 300;
    int Y = 300;
};
inline std::array<Posizione, MaxZone> PosizioniZone{};
inline std::array<Posizione, MaxInterruttori> PosizioniInterruttori{};
inline std::array<Posizione, MaxLED> PosizioniLED{};
inline Posizione PosizioneApriporta;
inline Posizione PosizioneWebcam;
// [Zona NN] Icona: a picture file in the program folder, empty for none.
inline std::array<QString, MaxZone> IconeZone;

// ---- Communication lists -----------------------------------------------------------------------
// One VoceComunicazione text per configured point, each list in ascending text order, so that
// entry 0 of the read list is the keep-alive read whether or not a window shows the lists.
enum ListaComunicazione { ListaLetture = 0, ListaScritture, ListaRemL, ListaRemW };
inline std::array<QStringList, 4> ListeComunicazione;

// ---- Live values ----------------------------------------------------------------------------
using ValoriZona = std::array<float, NumeroValoriZona>;
inline std::array<ValoriZona, MaxZone> ValoriZone = [] { std::array<ValoriZona, MaxZone> t; for (auto& r : t) r.fill(float(ValoreAssente)); return t; }();
// Value read at the ON point (0) and at the OFF point (1).
inline std::array<std::array<float, 2>, MaxInterruttori> ValoriInterruttori = [] { std::array<std::array<float, 2>, MaxInterruttori> t; for (auto& r : t) r.fill(float(ValoreAssente)); return t; }();
inline std::array<float, MaxLED> ValoriLED = [] { std::array<float, MaxLED> t; t.fill(float(ValoreAssente)); return t; }();
// -1 not read, 0 off, 1..5 lit in a colour.
inline std::array<int, MaxLED> StatiLED = [] { std::array<int, MaxLED> t; t.fill(-1); return t; }();

inline std::array<QString, 3> TestiStato;       // "OFF", "ON", "--.-"
inline std::array<QString, 4> FormatiDecimali;  // by decimals 0..3
inline int ZonaSelezionata = -1;                // 1..30, below 1 = none
inline int TastoMouseInterruttore = 0;

// ---- Options ---------------------------------------------------------------------------------
inline bool ModoStagioni = false;
inline QString FileImpostazioni = QStringLiteral("Quelvar2.ini");
inline bool AvvioAutomatico = true;
inline bool GraficiAbilitati = false;
inline bool CronotermostatoAbilitato = false;
inline bool MasterSlaveAbilitato = false;
inline std::array<bool, NumeroValoriZona> ValoreAllineato{};
inline int TempoApriporta = 1000;  // ms

// ---- Run state -------------------------------------------------------------------------------
inline bool AcquisizioneAttiva = false;
inline bool ModoRemoto = false;
inline bool AttivitaLinea = false;
inline std::array<long, 3> LetturaAttivita = {-1, -1, -1};  // node, function code, register
inline int BaseMisura = 60;
inline int BaseRemoto = 3;
inline int BaseLED = 3;
inline int ContatoreCicli = 0;
inline bool AvvioInCorso = false;
inline bool StagioneAperta = false;
inline bool ImpostazioniAperte = false;
inline bool PortaSerialeValida = false;

inline bool UtenteAmministratore = false;
inline bool UtenteTecnico = false;

// ---- Command requests ------------------------------------------------------------------------
// A set-value request as the synoptic posts it (the queue of requests is acquisition/caselle.h).
struct Impostazione {
    int Funzione = -1;
    int Registro = -1;
    int Valore = 0;
    int Nodo = -1;
    int Decimali = 0;
    int Riga = -1;  // value row 0..4
    int Zona = -1;  // zone index the command was posted for
};

// ---- Communication errors --------------------------------------------------------------------
inline std::array<int, MaxZone> ErroriZona{};
inline std::array<int, MaxInterruttori> ErroriInterruttore{};
inline std::array<int, MaxLED> ErroriLED{};
inline std::array<bool, MaxZone> AllarmeZona{};
inline std::array<bool, MaxInterruttori> AllarmeInterruttore{};
inline std::array<bool, MaxLED> AllarmeLED{};
inline bool AllarmePresente = false;

// ---- Chrono-thermostat -----------------------------------------------------------------------
// [slot][zone][day]
using TabellaCronoTipo = std::array<std::array<std::array<float, NumeroGiorni>, MaxZone>, NumeroFasce>;
inline TabellaCronoTipo TabellaCrono = [] { TabellaCronoTipo t; for (auto& s : t) for (auto& z : s) z.fill(20.0f); return t; }();
inline std::array<QString, NumeroFasce> FasceOrarie;
inline std::array<bool, MaxZone> CronoAttivoZona{};

// Live values back to "no value", state texts, display formats, no zone selected; the chrono
// table to 20.0 only on the first call after program start, so that a reload keeps the week
// programme read from the chrono file.
void InizializzaTabelle();
// Makes the next InizializzaTabelle behave as the first one (tests, and a fresh start).
void DimenticaPrimoCaricamento();

// Section names of numbered devices: "Zona 01" .. (index 0-based).
QString SezioneZona(int indice);
QString SezioneInterruttore(int indice);
QString SezioneLED(int indice);

}  // namespace Generale

namespace MBus {
// Data of the Modbus link that the configuration load sets.
inline bool ComunicazioneReale = false;  // false: simulate the instruments
inline float AttesaRisposta = 0.5f;      // reply time-out, seconds
inline long NumeroTentativi = 1;         // attempts per read or write
}  // namespace MBus
