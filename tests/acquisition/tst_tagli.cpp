// A Stop at every point where it can land, with a fault at every exchange. Each bus sequence
// runs once against an in-memory plant below the link (a scripted port and a clock that moves
// only while the link waits). Every exchange of that run in turn gets each fault (lost once,
// carried out with every reply lost or late, a wrong echo, an exception reply, the device silent
// from then on, every device refusing its hand-back until the Stop's work ends), and each faulty
// run is recorded: every wait of it (a quiet line before a request, a reply, a pause) is a point
// where the Stop's cut may be asked. The run then goes again with the cut at each point in turn,
// and ends with the Stop's own work, then a second Stop's. The plant's memory judges what is left
// in remote, the traffic what went out after the cut and how many tries the exchange under way
// had, the counters what was counted.
#include "caselle.h"
#include "ciclo.h"
#include "codabus.h"
#include "comandi.h"
#include "generale.h"
#include "mbus.h"
#include "modello.h"
#include "portafinta.h"
#include "turnotenuto.h"

#include <QCoro/QCoroTask>
#include <QTest>

#include <algorithm>
#include <map>
#include <tuple>

using namespace Generale;

namespace {

constexpr std::int64_t Ms = 1000;
constexpr int RegistroRemoto = 60;

enum class Guasto {
    Nessuno,
    PersaUnaVolta,     // the first try is lost on the line: neither carried out nor answered
    SenzaRisposta,     // carried out at every try, every reply lost
    InRitardo,         // carried out at every try, every reply after the time-out
    EcoErrata,         // a write refused with the echo of another value
    Eccezione,         // refused with an exception reply at every try
    Muto,              // the device answers nothing from this exchange on
    // Every device refuses the write of 0 to its remote bit, with an exception reply (busy), from
    // this exchange until the first Stop's work ends: two or more devices can be owed at once.
    RiconsegneRifiutate,
};

const char* nome(Guasto g)
{
    switch (g) {
    case Guasto::Nessuno: return "no fault";
    case Guasto::PersaUnaVolta: return "lost once";
    case Guasto::SenzaRisposta: return "carried out, replies lost";
    case Guasto::InRitardo: return "carried out, replies late";
    case Guasto::EcoErrata: return "wrong echo";
    case Guasto::Eccezione: return "exception reply";
    case Guasto::Muto: return "device silent from here";
    case Guasto::RiconsegneRifiutate: return "hand-backs refused till the Stop's work ends";
    }
    return "";
}

// One request on the line and what came of it.
struct Scambio {
    QByteArray richiesta;
    int operazione = -1;     // the link's operation it belongs to: its tries share it
    bool risposta = false;   // a valid reply within the time-out
    bool eseguita = false;   // the device carried it out
    long valore = -1;        // the value read, for a read answered
    Guasto guasto = Guasto::Nessuno;
    int nodo() const { return std::uint8_t(richiesta[0]); }
    int funzione() const { return std::uint8_t(richiesta[1]); }
    int registro() const { return std::uint8_t(richiesta[2]) << 8 | std::uint8_t(richiesta[3]); }
    int scritto() const { return std::uint8_t(richiesta[4]) << 8 | std::uint8_t(richiesta[5]); }
    bool scrittura() const { return funzione() == 5 || funzione() == 6; }
    // The remote bit is coil 60 of each device: read with code 1, written with code 5.
    bool bitRemoto() const { return registro() == RegistroRemoto && (funzione() == 1 || funzione() == 5); }
    bool scritturaValore() const { return scrittura() && !bitRemoto(); }
    bool riconsegna() const { return funzione() == 5 && bitRemoto() && scritto() == 0; }
    QString testo() const
    {
        return QStringLiteral("%1%2,%3%4@%5%6")
            .arg(scrittura() ? "S" : "L")
            .arg(funzione())
            .arg(registro())
            .arg(scrittura() ? QStringLiteral("=%1").arg(scritto()) : QString())
            .arg(nodo())
            .arg(guasto == Guasto::Nessuno ? QString() : QStringLiteral("[%1]").arg(nome(guasto)));
    }
};

QByteArray trama(std::initializer_list<int> byte)
{
    QByteArray t;
    for (int b : byte)
        t.append(char(b));
    return t;
}

// The instruments of the plant, all on one line: bits and registers by node, each bit or
// register read and written at the same address. One operation of the link may be given a fault.
class Impianto {
public:
    PortaFinta* porta = nullptr;
    int operazioneGuasta = -1;
    Guasto guasto = Guasto::Nessuno;
    int mutoNodo = -1;  // silent from the faulty operation on
    bool riconsegneRiprese = false;  // the first Stop's work has ended: hand-backs are taken again
    QList<Scambio> scambi;
    std::map<std::tuple<int, bool, int>, int> memoria;  // (node, register?, address) -> value

    int& punto(int nodo, bool registro, int indirizzo) { return memoria[{nodo, registro, indirizzo}]; }

    Copione risponde(const QByteArray& r)
    {
        Scambio s{r, porta->aperture - 1};
        const bool primoTentativo = scambi.isEmpty() || scambi.last().operazione != s.operazione;
        if (guasto == Guasto::RiconsegneRifiutate) {
            if (s.operazione >= operazioneGuasta && !riconsegneRiprese && s.riconsegna())
                s.guasto = guasto;
        } else if (s.operazione == operazioneGuasta) {
            s.guasto = guasto;
            if (guasto == Guasto::Muto)
                mutoNodo = s.nodo();
        }
        scambi.append(s);
        Scambio& questo = scambi.last();
        if (s.nodo() == mutoNodo) {
            questo.guasto = Guasto::Muto;
            return {};
        }
        const Guasto g = questo.guasto;
        if (g == Guasto::PersaUnaVolta && primoTentativo)
            return {};
        if (g == Guasto::Eccezione || g == Guasto::RiconsegneRifiutate)
            return risposta(trama({s.nodo(), s.funzione() | 0x80, 2}), 8 * Ms);
        if (g == Guasto::EcoErrata && s.scrittura()) {
            QByteArray eco = r.left(6);
            eco[5] = char(eco[5] ^ 1);
            return risposta(eco, 8 * Ms);
        }
        questo.eseguita = true;
        QByteArray esito;
        if (s.funzione() <= 4) {
            const int v = punto(s.nodo(), s.funzione() >= 3, s.registro());
            esito = trama({s.nodo(), s.funzione()});
            if (s.funzione() <= 2)
                esito += trama({1, v & 1});
            else
                esito += trama({2, v >> 8, v & 0xFF});
            questo.valore = v;
        } else {
            const int v = s.scritto();
            punto(s.nodo(), s.funzione() == 6, s.registro()) = s.funzione() == 5 ? (v == 0xFF00 ? 1 : 0) : v;
            esito = r.left(6);
        }
        if (g == Guasto::SenzaRisposta)
            return {};
        if (g == Guasto::InRitardo)
            return risposta(esito, 150 * Ms);  // the time-out is 100 ms
        questo.risposta = true;
        return risposta(esito, 8 * Ms);
    }

private:
    // In two pieces: the reply is awaited more than once.
    static Copione risposta(const QByteArray& senzaCrc, std::int64_t ritardo)
    {
        const QByteArray t = ConCrc(senzaCrc);
        return {{ritardo, t.left(3)}, {ritardo + 4 * Ms, t.mid(3)}};
    }
};

// Devices with their remote bit at coil 60 of their node; each node is one device.
constexpr int NodoMaster = 1, NodoZona = 7, NodoInterruttore = 8, NodoApriporta = 9, NodoLED = 10;

template <typename Riga>
void bitRemoto(Riga& lettura, Riga& scrittura, int nodo)
{
    lettura[Nodo] = scrittura[Nodo] = std::int16_t(nodo);
    lettura[FunzioneREM] = 1;
    scrittura[FunzioneREM] = 5;
    lettura[RegistroREM] = scrittura[RegistroREM] = RegistroRemoto;
}

void configuraImpianto()
{
    NumeroZone = 2;
    ConfiguraZona(0, NodoMaster, 1);
    ConfiguraZona(1, NodoZona, 1);
    bitRemoto(MappaLetturaZone[1], MappaScritturaZone[1], NodoZona);

    NumeroInterruttori = 1;
    bitRemoto(MappaLetturaInterruttori[0], MappaScritturaInterruttori[0], NodoInterruttore);
    for (auto* r : {&MappaLetturaInterruttori[0], &MappaScritturaInterruttori[0]}) {
        (*r)[Decimali] = 0;
        (*r)[FunzioneON] = (*r)[FunzioneOFF] = r == &MappaLetturaInterruttori[0] ? 1 : 5;
        (*r)[RegistroON] = 10;
        (*r)[RegistroOFF] = 11;
        (*r)[ValoreON] = (*r)[ValoreOFF] = 1;
    }

    ApriportaPresente = 1;
    bitRemoto(MappaLetturaApriporta[0], MappaScritturaApriporta[0], NodoApriporta);
    auto& porta = MappaScritturaApriporta[0];
    porta[FunzioneON] = porta[FunzioneOFF] = 5;
    porta[RegistroON] = porta[RegistroOFF] = 20;
    porta[ValoreON] = 1;
    porta[ValoreOFF] = 0;

    NumeroLED = 1;
    bitRemoto(MappaLetturaLED[0], MappaScritturaLED[0], NodoLED);
    MappaLetturaLED[0][Decimali] = 0;
    MappaLetturaLED[0][FunzioneP1] = 3;
    MappaLetturaLED[0][RegistroP1] = 30;
    MappaLetturaLED[0][Soglia] = 5;
    MappaLetturaLED[0][Colore] = 2;
    MappaLetturaLED[0][Condizione] = 1;

    LetturaAttivita = {NodoMaster, 3, 100};
}

enum class Sequenza {
    Allineamento,   // the zone pass with the master/slave alignment of one value
    Crono,          // the zone pass with the chrono write of one value
    VersoRemoto,    // the tick's hand-over to remote (keep-remote mode)
    VersoLocale,    // the tick's hand-over to local, every device found in remote
    Dispositivi,    // the switch and LED passes
    Attivita,       // the tick's line-activity read
    Comandi,        // the door, switch and set-value commands, in a turn of their own
    ComandiAlloStop,  // the same commands still waiting when the Stop comes: its work serves them
};

// The errors counted for each device, by node.
std::map<int, int> errori()
{
    return {{NodoMaster, ErroriZona[0]}, {NodoZona, ErroriZona[1]}, {NodoInterruttore, ErroriInterruttore[0]}, {NodoLED, ErroriLED[0]}};
}

// The operations that went out and failed, by node: an operation failed when its last try got
// no valid reply.
std::map<int, int> operazioniFallite(const QList<Scambio>& scambi)
{
    std::map<int, int> fallite;
    for (int i = 0; i < scambi.size(); ++i) {
        const bool ultimoTentativo = i + 1 == scambi.size() || scambi[i + 1].operazione != scambi[i].operazione;
        if (ultimoTentativo && !scambi[i].risposta)
            ++fallite[scambi[i].nodo()];
    }
    return fallite;
}

int tentativi(const QList<Scambio>& scambi, int operazione)
{
    return int(std::count_if(scambi.begin(), scambi.end(), [&](const Scambio& s) { return s.operazione == operazione; }));
}

// The devices the plant's memory holds in remote, among the first `n` exchanges, that the station
// owes a hand-back: a write of 1 to the remote bit left, or a read of it answered 1, and no
// acknowledged write of 0 or read answering 0 came after. Forgiven only a device whose last
// hand-back write sent from exchange `da` on it refused at every try or never heard, having
// fallen silent (the work judged can do no more; a refusal before it is the later work's to mend).
// For a Stop's work `da` is where its own hand-backs begin (riconsegneFinali).
QStringList lasciatiInRemoto(const QList<Scambio>& scambi, const std::map<std::tuple<int, bool, int>, int>& memoria, int da, int n)
{
    std::map<int, bool> dovuto;
    std::map<int, Guasto> ultimaRiconsegna;
    for (int i = 0; i < n && i < scambi.size(); ++i) {
        const Scambio& s = scambi[i];
        if (!s.bitRemoto())
            continue;
        if (s.scrittura() && s.scritto() != 0)
            dovuto[s.nodo()] = true;
        else if (s.scrittura() && s.risposta)
            dovuto[s.nodo()] = false;
        else if (!s.scrittura() && s.risposta)
            dovuto[s.nodo()] = s.valore == 1;
        if (s.riconsegna() && i >= da)
            ultimaRiconsegna[s.nodo()] = s.guasto;
    }
    QStringList lasciati;
    for (const auto& [nodo, resta] : dovuto) {
        const auto m = memoria.find({nodo, false, RegistroRemoto});
        if (!resta || m == memoria.end() || m->second == 0)
            continue;
        const auto r = ultimaRiconsegna.find(nodo);
        if (r != ultimaRiconsegna.end()
            && (r->second == Guasto::Eccezione || r->second == Guasto::EcoErrata || r->second == Guasto::Muto
                || r->second == Guasto::RiconsegneRifiutate))
            continue;
        lasciati << QString::number(nodo);
    }
    return lasciati;
}

// Where the Stop's own hand-backs begin in its work [da, n): they come after the requests it
// serves, so a refused write of 0 with other traffic after it was a request's, not the Stop's.
int riconsegneFinali(const QList<Scambio>& scambi, int da, int n)
{
    int inizio = da;
    for (int i = da; i < n && i < scambi.size(); ++i)
        if (!scambi[i].riconsegna())
            inizio = i + 1;
    return inizio;
}

// The devices that a hand-over to local run whole leaves in remote although they answered it:
// each device found in remote is read and written 0, whatever the devices before it did. Forgiven
// only a device whose last exchange got no valid reply (silent, refusing, late).
QStringList nonRiportatiInLocale(const QList<Scambio>& scambi, const std::map<std::tuple<int, bool, int>, int>& memoria, int n)
{
    QStringList lasciati;
    for (int nodo : {NodoZona, NodoInterruttore, NodoApriporta, NodoLED}) {
        const auto m = memoria.find({nodo, false, RegistroRemoto});
        if (m == memoria.end() || m->second == 0)
            continue;
        const Scambio* ultimo = nullptr;
        for (int i = 0; i < n && i < scambi.size(); ++i)
            if (scambi[i].nodo() == nodo)
                ultimo = &scambi[i];
        if (!ultimo || ultimo->risposta)
            lasciati << QString::number(nodo) + (ultimo ? QString() : QStringLiteral(" (never tried)"));
    }
    return lasciati;
}

}  // namespace

Q_DECLARE_METATYPE(Sequenza)

class TestTagli : public QObject {
    Q_OBJECT

    PortaFinta* porta = nullptr;
    CicloAcquisizione* ciclo = nullptr;
    Impianto impianto;
    bool inSequenza = false;
    int attese = 0;        // points reached in this run, the Stop's own work apart
    int puntoTaglio = -1;  // the point at which the Stop comes; -1: after the sequence
    int scambiAlTaglio = -1;
    int scambiDopoSequenza = -1;
    int scambiDopoStop = -1;  // the first Stop's work ended here
    std::map<std::tuple<int, bool, int>, int> memoriaDopoSequenza, memoriaDopoStop;

    // The Stop's own bus work, as the main window runs it.
    void stop()
    {
        Acquisizione::EseguiQuandoLibero(
            [this]() -> QCoro::Task<> {
                co_await Acquisizione::LavoroDelloStop();
                if (scambiDopoStop >= 0)
                    co_return;
                scambiDopoStop = int(impianto.scambi.size());
                memoriaDopoStop = impianto.memoria;
                impianto.riconsegneRiprese = true;
            },
            true);
    }

    void punto()
    {
        if (!inSequenza || ++attese != puntoTaglio)
            return;
        scambiAlTaglio = int(impianto.scambi.size());
        stop();  // waits for the line
    }

    void fineSequenza()
    {
        inSequenza = false;
        scambiDopoSequenza = int(impianto.scambi.size());
        memoriaDopoSequenza = impianto.memoria;
    }

    // One run of the sequence from a fresh plant, with `guasto` at operation `operazione`; the
    // Stop at point `taglio`, or after the sequence (-1).
    void esegui(Sequenza sequenza, bool mantieni, bool inRemoto, int operazione, Guasto guasto, int taglio)
    {
        AzzeraModello();
        configuraImpianto();
        MBus::NumeroTentativi = 2;
        MBus::AttesaRisposta = 0.1f;
        ModoRemoto = mantieni;
        delete porta;
        porta = new PortaFinta;
        MBus::ImpostaPorta(porta);
        MBus::ImpostaOrologio(porta);
        impianto = Impianto{};
        impianto.porta = porta;
        impianto.operazioneGuasta = operazione;
        impianto.guasto = guasto;
        porta->risponde = [this](const QByteArray& r) { return impianto.risponde(r); };
        porta->allAttesa = [this] { punto(); };
        Acquisizione::GanciAttivi().Pausa = [this](int) { punto(); };
        attese = 0;
        puntoTaglio = taglio;
        scambiAlTaglio = scambiDopoSequenza = scambiDopoStop = -1;
        inSequenza = true;

        // Master and slave differ in their set-point (21.5 against 20.0); the chrono asks 22.5.
        for (int k = 0; k < NumeroValoriZona; ++k) {
            impianto.punto(NodoMaster, true, 100 + k) = k == 1 ? 215 : 190;
            impianto.punto(NodoZona, true, 100 + k) = k == 1 ? 200 : 190;
        }
        if (sequenza == Sequenza::Allineamento) {
            MasterSlaveAbilitato = true;
            ZonaSlave[1] = true;
            ValoreAllineato[1] = true;
        }
        if (sequenza == Sequenza::Crono) {
            CronotermostatoAbilitato = true;
            CronoAttivoZona[1] = true;
            IndiceCrono = 1;
            TabellaCrono[32][1][2] = 22.5f;
        }
        if (inRemoto)
            for (int nodo : {NodoZona, NodoInterruttore, NodoApriporta, NodoLED})
                impianto.punto(nodo, false, RegistroRemoto) = 1;

        auto inTurno = [this](std::function<QCoro::Task<>()> lavoro) {
            InTurno([this, lavoro]() -> QCoro::Task<> {
                co_await lavoro();
                fineSequenza();
            });
        };
        switch (sequenza) {
        case Sequenza::Allineamento:
        case Sequenza::Crono:
            inTurno([this]() -> QCoro::Task<> { co_await ciclo->LeggiZone(); });
            break;
        case Sequenza::Dispositivi:
            inTurno([this]() -> QCoro::Task<> {
                co_await ciclo->LeggiInterruttori();
                co_await ciclo->LeggiLED();
            });
            break;
        case Sequenza::Comandi:
        case Sequenza::ComandiAlloStop: {
            Acquisizione::PostaApriporta();
            Acquisizione::PostaInterruttore(0, true);
            Impostazione valore;
            valore.Funzione = 6;
            valore.Registro = 202;
            valore.Valore = 250;
            valore.Nodo = NodoZona;
            valore.Decimali = 1;
            valore.Riga = 2;
            valore.Zona = 1;
            Acquisizione::PostaImpostazione(valore);
            if (sequenza == Sequenza::Comandi)
                inTurno([]() -> QCoro::Task<> { co_await Acquisizione::ServiTutteLeRichieste(); });
            else
                fineSequenza();
            break;
        }
        case Sequenza::VersoRemoto:
        case Sequenza::VersoLocale:
        case Sequenza::Attivita:
            BaseRemoto = sequenza == Sequenza::Attivita ? 60 : 1;
            BaseMisura = BaseLED = 60;
            AttivitaLinea = sequenza == Sequenza::Attivita;
            AcquisizioneAttiva = true;
            // The tick takes its own turn; the Stop asked meanwhile runs after it.
            QCoro::waitFor([this]() -> QCoro::Task<> {
                co_await ciclo->Timer_Monitor_Timer();
                fineSequenza();
            }());
            ciclo->Timer_Monitor.stop();
            AcquisizioneAttiva = false;
            break;
        }
        if (scambiAlTaglio < 0)
            stop();
        QTRY_VERIFY(BusLibero());
        QVERIFY(scambiDopoStop >= 0);
        // Work after the Stop's work: a second Stop finds what the first left owed.
        stop();
        QTRY_VERIFY(BusLibero());
    }

private slots:
    void init() { ciclo = new CicloAcquisizione; }
    void cleanup()
    {
        delete ciclo;
        MBus::ImpostaPorta(nullptr);
        MBus::ImpostaOrologio(nullptr);
        delete porta;
        porta = nullptr;
        AzzeraModello();
    }

    void stopInOgniPunto_data()
    {
        QTest::addColumn<Sequenza>("sequenza");
        QTest::addColumn<bool>("mantieni");  // keep-remote mode
        QTest::addColumn<bool>("inRemoto");  // every device in remote when the sequence starts
        const std::tuple<Sequenza, const char*, bool> sequenze[] = {
            {Sequenza::Allineamento, "alignment", true},
            {Sequenza::Crono, "chrono write", true},
            {Sequenza::Comandi, "commands", true},
            {Sequenza::ComandiAlloStop, "commands waiting at the Stop", true},
            {Sequenza::VersoRemoto, "hand-over to remote", false},
            {Sequenza::VersoLocale, "hand-over to local", false},
            {Sequenza::Dispositivi, "switch and LED passes", false},
            {Sequenza::Attivita, "line-activity read", false},
        };
        for (const auto& [sequenza, nome, scrive] : sequenze) {
            if (scrive) {
                for (const bool mantieni : {false, true})
                    for (const bool inRemoto : {false, true})
                        QTest::addRow("%s%s%s", nome, inRemoto ? ", devices in remote" : "", mantieni ? ", keep-remote mode" : "")
                            << sequenza << mantieni << inRemoto;
            } else if (sequenza == Sequenza::VersoRemoto) {
                // It runs in keep-remote mode only.
                QTest::addRow("%s", nome) << sequenza << true << false;
                QTest::addRow("%s, devices in remote", nome) << sequenza << true << true;
            } else {
                QTest::addRow("%s", nome) << sequenza << false << (sequenza == Sequenza::VersoLocale);
            }
        }
    }
    void stopInOgniPunto()
    {
        QFETCH(Sequenza, sequenza);
        QFETCH(bool, mantieni);
        QFETCH(bool, inRemoto);

        // The healthy run: its operations, the Stop's work included, are the places where a fault goes.
        esegui(sequenza, mantieni, inRemoto, -1, Guasto::Nessuno, -1);
        QList<std::pair<int, bool>> operazioni;  // operation, a write?
        for (int i = 0; i < impianto.scambi.size(); ++i)
            if (operazioni.isEmpty() || operazioni.last().first != impianto.scambi[i].operazione)
                operazioni.append({impianto.scambi[i].operazione, impianto.scambi[i].scrittura()});
        QVERIFY(!operazioni.isEmpty());
        QList<std::pair<int, Guasto>> guasti{{-1, Guasto::Nessuno}};
        for (const auto& [operazione, scrittura] : operazioni)
            for (Guasto g : {Guasto::PersaUnaVolta, Guasto::SenzaRisposta, Guasto::InRitardo, Guasto::EcoErrata,
                             Guasto::Eccezione, Guasto::Muto, Guasto::RiconsegneRifiutate})
                if (g != Guasto::EcoErrata || scrittura)
                    guasti.append({operazione, g});

        QStringList difetti;
        int corse = 0;
        for (const auto& [operazione, guasto] : guasti) {
            // The run without a Stop in it: its points, and the traffic the Stop is weighed against.
            esegui(sequenza, mantieni, inRemoto, operazione, guasto, -1);
            const int punti = attese;
            const QList<Scambio> intero = impianto.scambi;
            const int interoDopoSequenza = scambiDopoSequenza;
            const QString caso = QStringLiteral("%1 at operation %2").arg(nome(guasto)).arg(operazione);
            if (interoDopoSequenza > 0 && punti <= interoDopoSequenza)
                difetti << caso + QStringLiteral(": fewer points than requests");
            for (int p = 0; p <= punti; ++p) {
                if (p > 0)
                    esegui(sequenza, mantieni, inRemoto, operazione, guasto, p);
                ++corse;
                const QList<Scambio>& scambi = impianto.scambi;
                const QString dove = caso
                                     + (p == 0 ? QStringLiteral(", Stop after the sequence: ")
                                               : QStringLiteral(", Stop at point %1 of %2 (after %3 requests): ")
                                                     .arg(p).arg(punti).arg(scambiAlTaglio));
                auto traffico = [&] {
                    QStringList t;
                    for (int i = 0; i < scambi.size(); ++i)
                        t << (i == scambiDopoSequenza ? QStringLiteral("| ") : i == scambiDopoStop ? QStringLiteral("|| ") : QString())
                                 + scambi[i].testo();
                    return t.join(' ');
                };
                if (p > 0 && scambiAlTaglio < 0) {
                    difetti << dove + QStringLiteral("never reached");
                    continue;
                }
                if (sequenza == Sequenza::Comandi || sequenza == Sequenza::ComandiAlloStop) {
                    // Posted before the Stop, they are served whole.
                    QStringList atteso, visto;
                    for (const Scambio& s : intero)
                        atteso << s.testo();
                    for (const Scambio& s : scambi)
                        visto << s.testo();
                    if (visto != atteso)
                        difetti << dove + QStringLiteral("commands not served whole: ") + traffico();
                } else if (p > 0) {
                    // After the cut: the exchange under way with all its tries, then hand-backs only.
                    int i = scambiAlTaglio;
                    if (i > 0) {
                        const int sottoVia = scambi[i - 1].operazione;
                        if (tentativi(scambi, sottoVia) != tentativi(intero, sottoVia))
                            difetti << dove + QStringLiteral("the exchange under way lost tries: ") + traffico();
                        while (i < scambi.size() && scambi[i].operazione == sottoVia)
                            ++i;
                    }
                    for (; i < scambi.size(); ++i)
                        if (!scambi[i].riconsegna()) {
                            difetti << dove + QStringLiteral("%1 went out after the cut: ").arg(scambi[i].testo()) + traffico();
                            break;
                        }
                }
                if (mantieni) {
                    for (const Scambio& s : scambi)
                        if (s.riconsegna())
                            difetti << dove + QStringLiteral("handed back in keep-remote mode: ") + traffico();
                } else {
                    if (const QStringList l = lasciatiInRemoto(scambi, memoriaDopoSequenza, 0, scambiDopoSequenza); !l.isEmpty())
                        difetti << dove + QStringLiteral("node %1 left in remote by the sequence: ").arg(l.join(',')) + traffico();
                    const int daStop = riconsegneFinali(scambi, scambiDopoSequenza, scambiDopoStop);
                    if (const QStringList l = lasciatiInRemoto(scambi, memoriaDopoStop, daStop, scambiDopoStop); !l.isEmpty())
                        difetti << dove + QStringLiteral("node %1 left in remote after the Stop: ").arg(l.join(',')) + traffico();
                    const int daSecondo = riconsegneFinali(scambi, scambiDopoStop, int(scambi.size()));
                    if (const QStringList l = lasciatiInRemoto(scambi, impianto.memoria, daSecondo, int(scambi.size())); !l.isEmpty())
                        difetti << dove + QStringLiteral("node %1 left in remote after a second Stop: ").arg(l.join(',')) + traffico();
                    if (sequenza == Sequenza::VersoLocale && p == 0)
                        if (const QStringList l = nonRiportatiInLocale(scambi, memoriaDopoSequenza, scambiDopoSequenza); !l.isEmpty())
                            difetti << dove + QStringLiteral("node %1 left in remote by the hand-over to local: ").arg(l.join(',')) + traffico();
                }
                const std::map<int, int> fallite = operazioniFallite(scambi);
                for (const auto& [nodo, contati] : errori()) {
                    const auto f = fallite.find(nodo);
                    const int inviateFallite = f == fallite.end() ? 0 : f->second;
                    if (contati > inviateFallite)
                        difetti << dove + QStringLiteral("%1 errors counted for node %2, %3 failed operations sent: ")
                                              .arg(contati).arg(nodo).arg(inviateFallite) + traffico();
                }
            }
        }
        qInfo("%d faults, %d runs", int(guasti.size()), corse);
        if (difetti.size() > 20)
            difetti = difetti.mid(0, 20) << QStringLiteral("... and %1 more").arg(difetti.size() - 20);
        QVERIFY2(difetti.isEmpty(), qPrintable(difetti.join('\n')));
    }
};

QTEST_GUILESS_MAIN(TestTagli)
#include "tst_tagli.moc"
