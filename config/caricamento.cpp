#include "caricamento.h"

#include "chiavi.h"
#include "conversioni.h"
#include "file_ini.h"
#include "vista_configurazione.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <initializer_list>
#include <limits>

namespace Configurazione {

namespace {

using namespace Generale;
namespace D = Chiavi::Dispositivo;

// A window hook that misbehaves must not cost the plant model the rest of the load.
template <typename F, typename... A>
void chiama(const F& gancio, A&&... argomenti)
{
    if (!gancio)
        return;
    try {
        gancio(std::forward<A>(argomenti)...);
    } catch (...) {
    }
}

QString sezione(const char* nome) { return QString::fromLatin1(nome); }

QString leggi(const QString& sez, const Chiavi::Chiave& chiave) { return File_Ini::LeggiIni(sez, chiave).trimmed(); }

// A whole number (fractions to the nearest, halves to even) within minimo..massimo.
std::optional<int> intero(const QString& testo, long long minimo, long long massimo)
{
    const auto v = LeggiIntero(testo);
    if (!v || *v < minimo || *v > massimo)
        return std::nullopt;
    return static_cast<int>(*v);
}
std::optional<int> intero16(const QString& testo) { return intero(testo, -32768, 32767); }
std::optional<int> intero32(const QString& testo)
{
    return intero(testo, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
}

// A device count: not a number or beyond 16 bits gives none, then clamped to the table.
int contatore(const Chiavi::Chiave& chiave, int massimo)
{
    return std::clamp(intero16(leggi(sezione(Chiavi::Sezione::Generale), chiave)).value_or(0), 0, massimo);
}

// A presence flag: any whole number other than 0.
int presente(const Chiavi::Chiave& chiave)
{
    const auto v = intero16(leggi(sezione(Chiavi::Sezione::Generale), chiave));
    return v && *v != 0 ? 1 : 0;
}

// A value index 0..4; outside it falls back, not a number leaves it as it was.
void indice(int& destinazione, const Chiavi::Chiave& chiave, int ripiego)
{
    if (const auto v = intero16(leggi(sezione(Chiavi::Sezione::Generale), chiave)))
        destinazione = *v >= 0 && *v < NumeroValoriZona ? *v : ripiego;
}

// Positions are written with a point and read whatever the separator; an edge that does not
// convert stays where it was.
void posizione(const QString& sez, Posizione& p)
{
    if (const auto x = intero32(leggi(sez, D::X)))
        p.X = *x;
    if (const auto y = intero32(leggi(sez, D::Y)))
        p.Y = *y;
}

QString nome(const QString& sez, const QString& predefinito)
{
    return File_Ini::LeggiIni(sez, QString::fromLatin1(D::Nome), predefinito);
}

// ---- Address rows -------------------------------------------------------------------------

struct Punto {
    qint16 funzione;
    qint16 registro;
    QString testo;  // as typed, only trimmed: the list shows it
};

// CoppiaRegistro: code "," register. Empty, without a comma, with a number that does not fit
// 16 bits or a negative one (-1 is the rows' own "no point"): no point.
std::optional<Punto> leggiPunto(const QString& sez, const Chiavi::Chiave& chiave)
{
    const QString testo = leggi(sez, chiave);
    const qsizetype virgola = testo.indexOf(QLatin1Char(','));
    if (virgola < 0)
        return std::nullopt;
    const auto funzione = intero(testo.left(virgola), 0, 32767);
    const auto registro = intero(testo.mid(virgola + 1), 0, 32767);
    if (!funzione || !registro)
        return std::nullopt;
    return Punto{static_cast<qint16>(*funzione), static_cast<qint16>(*registro), testo};
}

enum class Valore { Nessuno, Comando, Soglia };

struct Descrizione {
    const Chiavi::Chiave& chiave;
    int campo;  // function-code field, the register follows it
    ListaComunicazione lista;
    Valore valore = Valore::Nessuno;
    const Chiavi::Chiave* chiaveValore = nullptr;
    int campoValore = -1;
};

const char* const operatori[] = {">=", "<=", ">", "<", "=", "<>"};

// One device: its node, decimals and points into `riga`, its entries into the lists. A node
// that is missing, not a number or outside 1..255 leaves the whole row unconfigured, and so
// does a point or a value that does not convert for that point: a device never inherits
// anything from the device loaded before it.
template <typename Riga>
Riga caricaDispositivo(const QString& sez, int id, std::initializer_list<Descrizione> punti,
                       std::initializer_list<int> codiciBit)
{
    Riga riga = RigaVuota<Riga>();
    const auto nodo = intero(leggi(sez, D::Indirizzo), 1, 255);
    if (!nodo)
        return riga;
    const int decimali = intero(leggi(sez, D::Decimali), 0, 3).value_or(0);
    riga[Nodo] = static_cast<qint16>(*nodo);
    riga[Decimali] = static_cast<qint16>(decimali);
    for (const Descrizione& d : punti) {
        const auto punto = leggiPunto(sez, d.chiave);
        if (!punto)
            continue;
        const bool bit = std::find(codiciBit.begin(), codiciBit.end(), punto->funzione) != codiciBit.end();
        const int decimaliVoce = bit ? 0 : decimali;
        QString valore;
        if (d.valore != Valore::Nessuno) {
            const auto v = ConvertiInInteroVerificato(leggi(sez, *d.chiaveValore), decimaliVoce);
            if (!v)
                continue;
            riga[d.campoValore] = *v;
            valore = QString::number(*v);
            if (d.valore == Valore::Soglia) {
                const int colore = intero(leggi(sez, D::Col), 1, 5).value_or(1);
                const int condizione = intero(leggi(sez, D::Condizione), 1, 6).value_or(1);
                riga[Colore] = static_cast<qint16>(colore);
                riga[Condizione] = static_cast<qint16>(condizione);
                valore = QString::fromLatin1(operatori[condizione - 1]) + valore;
            }
        }
        riga[d.campo] = punto->funzione;
        riga[d.campo + 1] = punto->registro;
        AggiungiVoce(d.lista, VoceComunicazione(id, *nodo, punto->testo, valore, decimaliVoce));
    }
    return riga;
}

const std::initializer_list<int> bitLettura = {1, 2};
const std::initializer_list<int> bitScrittura = {5};

template <typename Tabella>
void svuotaDa(Tabella& tabella, int primo)
{
    for (std::size_t i = static_cast<std::size_t>(std::max(primo, 0)); i < tabella.size(); ++i)
        tabella[i] = RigaVuota<typename Tabella::value_type>();
}

bool opzione(const Chiavi::Chiave& chiave) { return leggi(sezione(Chiavi::Sezione::Generale), chiave) != QLatin1String("0"); }

}  // namespace

// ---- Helpers of the lists ----------------------------------------------------------------------

QString VoceComunicazione(int id, int nodo, const QString& punto, const QString& valore, int decimali)
{
    QString voce = QStringLiteral("%1>%2:%3").arg(id, 3, 10, QLatin1Char('0')).arg(nodo).arg(punto);
    if (!valore.isEmpty())
        voce += QStringLiteral(" @ ") + valore;
    return voce + QStringLiteral(" [%1]").arg(decimali);
}

void AggiungiVoce(ListaComunicazione lista, const QString& voce)
{
    QStringList& l = ListeComunicazione[lista];
    l.insert(std::upper_bound(l.begin(), l.end(), voce), voce);
}

std::optional<FormatoLinea> LeggiFormatoLinea(const QString& testo)
{
    const QStringList parti = testo.split(QLatin1Char(','));
    if (parti.size() != 4)
        return std::nullopt;
    static const int velocita[] = {110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 28800, 38400, 56000, 57600, 115200};
    FormatoLinea f;
    bool ok = false;
    f.velocita = parti[0].trimmed().toInt(&ok);
    if (!ok || std::find(std::begin(velocita), std::end(velocita), f.velocita) == std::end(velocita))
        return std::nullopt;
    const QString parita = parti[1].trimmed().toUpper();
    if (parita.size() != 1 || !QStringLiteral("NEOMS").contains(parita))
        return std::nullopt;
    f.parita = parita.at(0).toLatin1();
    f.bitDati = parti[2].trimmed().toInt(&ok);
    if (!ok || f.bitDati < 5 || f.bitDati > 8)
        return std::nullopt;
    const QString stop = parti[3].trimmed();
    if (stop == QLatin1String("1"))
        f.bitStop = 1;
    else if (stop == QLatin1String("2"))
        f.bitStop = 2;
    else if (stop == QLatin1String("1.5") || stop == QLatin1String("1,5"))
        f.bitStop = 3;
    else
        return std::nullopt;
    return f;
}

// ---- The steps ---------------------------------------------------------------------------------

void CaricaImpostazioni()
{
    static constexpr void (*passi[])() = {
        &Generale::CaricaConfigurazione, &SvuotaListe, &CaricaLettureZone, &CaricaLettureLED,
        &CaricaLettureApriporta, &CaricaLettureInterruttori, &CaricaScrittureZone, &CaricaScrittureLED,
        &CaricaScrittureApriporta, &CaricaScrittureInterruttori, &CaricaOpzioneCrono, &CaricaZoneCrono,
        &CaricaTempoApriporta, &CaricaOpzioniRemoto, &CaricaAttivitaLinea, &CaricaSeriale,
        &Generale::InizializzaTabelle, &SelezionaPrimi, &CaricaAvvio, &CaricaOpzioneGrafici,
        &CaricaOpzioneRicette, &CaricaOpzioneMaster,
    };
    // One load reads the settings file about a thousand times: it is parsed once, and every
    // step sees the same file even if it is edited meanwhile.
    const File_Ini::Istantanea istantanea;
    for (auto passo : passi)
        chiama(passo);
}

void SvuotaListe()
{
    for (QStringList& lista : ListeComunicazione)
        lista.clear();
    chiama(Vista.MostraListe);
}

void CaricaLettureZone()
{
    for (int i = 0; i < NumeroZone; ++i) {
        const QString sez = SezioneZona(i);
        MappaLetturaZone[i] = caricaDispositivo<RigaMappaZona>(
            sez, 100 + i,
            {{D::REM_r, FunzioneREM, ListaRemL}, {D::PV_r, FunzionePV, ListaLetture}, {D::SP_r, FunzioneSP, ListaLetture},
             {D::AL1_r, FunzioneAL1, ListaLetture}, {D::AL2_r, FunzioneAL2, ListaLetture},
             {D::AL3_r, FunzioneAL3, ListaLetture}},
            bitLettura);
        // Zone 1 is the master; a slave is any other text than "0", also on a zone without node.
        ZonaSlave[i] = i > 0 && leggi(sez, D::Slave) != QLatin1String("0");
    }
    svuotaDa(MappaLetturaZone, NumeroZone);
    for (int i = std::max(NumeroZone, 0); i < MaxZone; ++i)
        ZonaSlave[i] = false;
}

void CaricaScrittureZone()
{
    for (int i = 0; i < NumeroZone; ++i)
        MappaScritturaZone[i] = caricaDispositivo<RigaMappaZona>(
            SezioneZona(i), 100 + i,
            {{D::REM_w, FunzioneREM, ListaRemW}, {D::PV_w, FunzionePV, ListaScritture},
             {D::SP_w, FunzioneSP, ListaScritture}, {D::AL1_w, FunzioneAL1, ListaScritture},
             {D::AL2_w, FunzioneAL2, ListaScritture}, {D::AL3_w, FunzioneAL3, ListaScritture}},
            bitScrittura);
    svuotaDa(MappaScritturaZone, NumeroZone);
}

void CaricaLettureLED()
{
    for (int i = 0; i < NumeroLED; ++i)
        MappaLetturaLED[i] = caricaDispositivo<RigaMappaLED>(
            SezioneLED(i), 300 + i,
            {{D::REM_r, FunzioneREM, ListaRemL},
             {D::P1_r, FunzioneP1, ListaLetture, Valore::Soglia, &D::Val, Soglia}},
            bitLettura);
    svuotaDa(MappaLetturaLED, NumeroLED);
}

void CaricaScrittureLED()
{
    for (int i = 0; i < NumeroLED; ++i)
        MappaScritturaLED[i] =
            caricaDispositivo<RigaMappaLED>(SezioneLED(i), 300 + i, {{D::REM_w, FunzioneREM, ListaRemW}}, bitScrittura);
    svuotaDa(MappaScritturaLED, NumeroLED);
}

void CaricaLettureApriporta()
{
    MappaLetturaApriporta[0] = caricaDispositivo<RigaMappaInterruttore>(
        sezione(Chiavi::Sezione::Apriporta), 400, {{D::REM_r, FunzioneREM, ListaRemL}}, bitLettura);
}

void CaricaScrittureApriporta()
{
    MappaScritturaApriporta[0] = caricaDispositivo<RigaMappaInterruttore>(
        sezione(Chiavi::Sezione::Apriporta), 400,
        {{D::REM_w, FunzioneREM, ListaRemW},
         {D::On_w, FunzioneON, ListaScritture, Valore::Comando, &D::ValOn, ValoreON},
         {D::Off_w, FunzioneOFF, ListaScritture, Valore::Comando, &D::ValOff, ValoreOFF}},
        bitScrittura);
}

void CaricaLettureInterruttori()
{
    for (int i = 0; i < NumeroInterruttori; ++i)
        MappaLetturaInterruttori[i] = caricaDispositivo<RigaMappaInterruttore>(
            SezioneInterruttore(i), 200 + i,
            {{D::REM_r, FunzioneREM, ListaRemL}, {D::On_r, FunzioneON, ListaLetture},
             {D::Off_r, FunzioneOFF, ListaLetture}},
            bitLettura);
    svuotaDa(MappaLetturaInterruttori, NumeroInterruttori);
}

void CaricaScrittureInterruttori()
{
    for (int i = 0; i < NumeroInterruttori; ++i) {
        MappaScritturaInterruttori[i] = caricaDispositivo<RigaMappaInterruttore>(
            SezioneInterruttore(i), 200 + i,
            {{D::REM_w, FunzioneREM, ListaRemW},
             {D::On_w, FunzioneON, ListaScritture, Valore::Comando, &D::ValOn, ValoreON},
             {D::Off_w, FunzioneOFF, ListaScritture, Valore::Comando, &D::ValOff, ValoreOFF}},
            bitScrittura);
        // The read pass compares the values read with the values these points write.
        MappaLetturaInterruttori[i][ValoreON] = MappaScritturaInterruttori[i][ValoreON];
        MappaLetturaInterruttori[i][ValoreOFF] = MappaScritturaInterruttori[i][ValoreOFF];
    }
    svuotaDa(MappaScritturaInterruttori, NumeroInterruttori);
}

void CaricaOpzioneCrono()
{
    CronotermostatoAbilitato = ModoStagioni && opzione(Chiavi::Generale::Cronotermostato);
    chiama(Vista.MostraOpzioneCrono);
}

void CaricaZoneCrono()
{
    for (int i = 0; i < MaxZone; ++i) {
        if (!CronotermostatoAbilitato) {
            CronoAttivoZona[i] = false;
            continue;
        }
        const auto v = LeggiNumero(leggi(SezioneZona(i), D::Cronotermostato));
        CronoAttivoZona[i] = v && *v != 0.0;
    }
}

void CaricaTempoApriporta()
{
    if (const auto v = intero32(leggi(sezione(Chiavi::Sezione::Apriporta), D::Tempo)))
        TempoApriporta = *v;
    TempoApriporta = std::clamp(TempoApriporta, TempoApriportaMinimo, TempoApriportaMassimo);
}

void CaricaOpzioniRemoto()
{
    const QString com = sezione(Chiavi::Sezione::COM);
    ModoRemoto = intero16(leggi(com, Chiavi::COM::Remoto)) == 1;
    AttivitaLinea = intero16(leggi(com, Chiavi::COM::Attivita)) == 1;
    chiama(Vista.MostraOpzioniRemoto);
}

void CaricaAttivitaLinea()
{
    const QStringList& letture = ListeComunicazione[ListaLetture];
    if (AttivitaLinea && letture.isEmpty())
        AttivitaLinea = false;
    if (!AttivitaLinea) {
        LetturaAttivita = {-1, -1, -1};
        return;
    }
    // "100>5:3,100 [1]" or "300>5:3,200 @ >215 [1]": node 5, function 3, register 100 or 200.
    QString s = letture.front();
    s = s.mid(s.indexOf(QLatin1Char('>')) + 1).trimmed();
    if (const qsizetype parentesi = s.indexOf(QLatin1Char('[')); parentesi >= 0)
        s = s.left(parentesi).trimmed();
    if (const qsizetype chiocciola = s.indexOf(QLatin1Char('@')); chiocciola >= 0)
        s = s.left(chiocciola).trimmed();
    const qsizetype duePunti = s.indexOf(QLatin1Char(':'));
    if (duePunti < 0)
        return;
    if (const auto nodo = intero32(s.left(duePunti)))
        LetturaAttivita[0] = *nodo;
    s = s.mid(duePunti + 1).trimmed();
    const qsizetype virgola = s.indexOf(QLatin1Char(','));
    if (virgola < 0)
        return;
    if (const auto funzione = intero32(s.left(virgola)))
        LetturaAttivita[1] = *funzione;
    if (const auto registro = intero32(s.mid(virgola + 1)))
        LetturaAttivita[2] = *registro;
}

void CaricaSeriale()
{
    const QString com = sezione(Chiavi::Sezione::COM);
    const QString porta = leggi(com, Chiavi::COM::Porta);
    const QString formato = leggi(com, Chiavi::COM::Formato);

    // Attempts and reply wait stay within what the serial page offers (1..5, 50..1000 ms): a
    // hand-edited huge value would otherwise hold the line for hours on a silent instrument.
    if (const auto v = intero32(leggi(com, Chiavi::COM::Retry)))
        MBus::NumeroTentativi = std::clamp(*v, 1, 5);
    if (const auto v = LeggiNumero(leggi(com, Chiavi::COM::TimeOut)))
        MBus::AttesaRisposta = static_cast<float>(std::clamp(*v, 50.0, 1000.0) / 1000.0);

    auto periodo = [&](int& base, const Chiavi::Chiave& chiave, int massimo) {
        if (const auto v = intero16(leggi(com, chiave)))
            base = *v;
        if (base < 0 || base > massimo)
            base = massimo;
    };
    periodo(BaseMisura, Chiavi::COM::BaseMisura, 300);
    periodo(BaseRemoto, Chiavi::COM::BaseRemoto, 30);
    periodo(BaseLED, Chiavi::COM::BaseLED, 30);

    // A port that is not a number, or a line format the port cannot take, fails the test.
    const auto numero = intero(porta, 1, 255);
    bool ok = false;
    if (numero && LeggiFormatoLinea(formato) && Vista.ProvaSeriale) {
        try {
            ok = Vista.ProvaSeriale(*numero);
        } catch (...) {
            ok = false;
        }
    }
    PortaSerialeValida = ok;
    if (ok)
        chiama(Vista.ImpostaPortaSeriale, *numero, formato);
    chiama(Vista.MostraStatoPorta,
           ok ? QStringLiteral("COM") + porta + QLatin1Char(':') + formato : QStringLiteral("Nessuna COM"));
}

void SelezionaPrimi() { chiama(Vista.MostraListe); }

void CaricaAvvio()
{
    AvvioAutomatico = leggi(sezione(Chiavi::Sezione::Generale), Chiavi::Generale::AutoAvvio) == QLatin1String("0");
    chiama(Vista.MostraOpzioneAvvio);
    // Only arms; a countdown already running is never stopped here.
    if (AvvioInCorso && AvvioAutomatico)
        chiama(Vista.ArmaAvvioAutomatico);
}

void CaricaOpzioneGrafici()
{
    GraficiAbilitati = opzione(Chiavi::Generale::Grafico);
    chiama(Vista.MostraOpzioneGrafici);
}

void CaricaOpzioneRicette() { chiama(Vista.MostraOpzioneRicette, opzione(Chiavi::Generale::Ricette)); }

void CaricaOpzioneMaster()
{
    MasterSlaveAbilitato = opzione(Chiavi::Generale::Master);
    const QString gen = sezione(Chiavi::Sezione::Generale);
    for (int k = 0; k < NumeroValoriZona; ++k)
        ValoreAllineato[k] = File_Ini::LeggiIni(gen, Chiavi::Generale::NomeMaster(k),
                                                QString::fromLatin1(Chiavi::Generale::PredefinitoMaster))
                                 .trimmed() == QLatin1String("1");
    chiama(Vista.MostraOpzioneMaster);
}

}  // namespace Configurazione

namespace Generale {

void CaricaConfigurazione()
{
    using Configurazione::Vista;
    using namespace Configurazione;
    const QString gen = sezione(Chiavi::Sezione::Generale);
    namespace G = Chiavi::Generale;

    ZonaSelezionata = -1;
    chiama(Vista.ChiudiPannelli);

    const QString ap = sezione(Chiavi::Sezione::Apriporta);
    NomeApriporta = nome(ap, QString::fromLatin1(D::NomeApriporta));
    ApriportaPresente = presente(G::Apriporta);
    posizione(ap, PosizioneApriporta);

    const QString wc = sezione(Chiavi::Sezione::Webcam);
    NomeWebcam = nome(wc, QString::fromLatin1(D::NomeWebcam));
    WebcamPresente = presente(G::Webcam);
    posizione(wc, PosizioneWebcam);

    UnitaMisura = File_Ini::LeggiIni(gen, G::ZoneUnita);
    chiama(Vista.MostraUnitaCrono, UnitaMisura);

    indice(IndiceTesto, G::ZoneTesto, 1);
    indice(IndiceGrafico, G::ZoneGrafico, 1);
    indice(IndiceCrono, G::ZoneCrono, 0);

    NumeroZone = contatore(G::Zone, MaxZone);
    for (int i = 0; i < MaxZone; ++i) {
        if (i >= NumeroZone) {
            NomiZone[i].clear();
            IconeZone[i].clear();
            continue;
        }
        const QString sez = SezioneZona(i);
        NomiZone[i] = nome(sez, sez);
        posizione(sez, PosizioniZone[i]);
        IconeZone[i] = leggi(sez, D::Icona);
    }

    // A limit beyond single precision or not a number keeps the limit it had.
    const QString graf = sezione(Chiavi::Sezione::Grafico);
    auto limite = [&](float& destinazione, const Chiavi::Chiave& chiave) {
        if (const auto v = LeggiNumero(leggi(graf, chiave)); v && std::fabs(*v) <= FLT_MAX)
            destinazione = static_cast<float>(*v);
    };
    limite(TemperaturaMinimaAssoluta, Chiavi::Grafico::TMinAss);
    limite(TemperaturaMassimaAssoluta, Chiavi::Grafico::TMaxAss);

    NumeroInterruttori = contatore(G::Interruttori, MaxInterruttori);
    for (int i = 0; i < MaxInterruttori; ++i) {
        if (i >= NumeroInterruttori) {
            NomiInterruttori[i].clear();
            continue;
        }
        const QString sez = SezioneInterruttore(i);
        NomiInterruttori[i] = nome(sez, sez);
        posizione(sez, PosizioniInterruttori[i]);
    }

    NumeroLED = contatore(G::LED, MaxLED);
    for (int i = 0; i < MaxLED; ++i) {
        if (i >= NumeroLED) {
            NomiLED[i].clear();
            continue;
        }
        const QString sez = SezioneLED(i);
        NomiLED[i] = nome(sez, sez);
        posizione(sez, PosizioniLED[i]);
    }

    const QString sin = sezione(Chiavi::Sezione::Sinottico);
    SuonoPorta = leggi(sin, Chiavi::Sinottico::SuonoPorta);
    SuonoAllarme = leggi(sin, Chiavi::Sinottico::SuonoAllarme);
    ImmaginePianta = leggi(sin, Chiavi::Sinottico::Immagine);

    chiama(Vista.RicostruisciSinottico);
    // The legends take the zone names just read.
    chiama(Vista.ImpostaLimitiAssoluti, TemperaturaMinimaAssoluta, TemperaturaMassimaAssoluta);
    chiama(Vista.ImpostaGrafici);
}

}  // namespace Generale
