// A Stop at every point where it can land. Each bus sequence runs once against an in-memory
// plant below the link (a scripted port and a clock that moves only while the link waits); every
// wait of that run (a quiet line before a request, a reply, a pause) is a point where the Stop's
// cut may be asked. The sequence then runs again with the cut at each point in turn, and the
// traffic is checked: nothing new starts after the cut but the exchange under way with its
// retries and the hand-backs owed, no device is left in remote, and no error is counted for an
// exchange that never left.
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

enum class Strumento {
    Risponde,      // every request answered
    Eccezione,     // value writes refused with an exception reply
    EcoErrata,     // value writes answered with the echo of another value
    Tardivo,       // value writes answered after the reply time-out
    Muto,          // from one request on, one device answers nothing
};

// One request on the line and what came of it.
struct Scambio {
    QByteArray richiesta;
    bool risposta = false;  // a valid reply within the time-out
    long valore = -1;       // the value read, for a read answered
    int nodo() const { return std::uint8_t(richiesta[0]); }
    int funzione() const { return std::uint8_t(richiesta[1]); }
    int registro() const { return std::uint8_t(richiesta[2]) << 8 | std::uint8_t(richiesta[3]); }
    int scritto() const { return std::uint8_t(richiesta[4]) << 8 | std::uint8_t(richiesta[5]); }
    bool scrittura() const { return funzione() == 5 || funzione() == 6; }
    bool bitRemoto() const { return registro() == RegistroRemoto; }
    bool scritturaValore() const { return scrittura() && !bitRemoto(); }
    bool riconsegna() const { return scrittura() && bitRemoto() && scritto() == 0; }
    QString testo() const
    {
        return QStringLiteral("%1%2,%3%4@%5")
            .arg(scrittura() ? "S" : "L")
            .arg(funzione())
            .arg(registro())
            .arg(scrittura() ? QStringLiteral("=%1").arg(scritto()) : QString())
            .arg(nodo());
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
// register read and written at the same address.
class Impianto {
public:
    Strumento strumento = Strumento::Risponde;
    int mutoNodo = -1;  // Muto: this node answers nothing from request `mutoDa` on
    int mutoDa = -1;
    QList<Scambio> scambi;
    std::map<std::tuple<int, bool, int>, int> memoria;  // (node, register?, address) -> value

    int& punto(int nodo, bool registro, int indirizzo) { return memoria[{nodo, registro, indirizzo}]; }

    Copione risponde(const QByteArray& r)
    {
        Scambio s{r};
        const int n = int(scambi.size());
        scambi.append(s);
        Scambio& questo = scambi.last();
        if (s.nodo() == mutoNodo && n >= mutoDa)
            return {};
        const bool valore = s.scritturaValore();
        QByteArray risposta;
        std::int64_t ritardo = 8 * Ms;
        if (s.funzione() <= 4) {
            const int v = punto(s.nodo(), s.funzione() >= 3, s.registro());
            risposta = trama({s.nodo(), s.funzione()});
            if (s.funzione() <= 2)
                risposta += trama({1, v & 1});
            else
                risposta += trama({2, v >> 8, v & 0xFF});
            questo.risposta = true;
            questo.valore = v;
        } else if (valore && strumento == Strumento::Eccezione) {
            risposta = trama({s.nodo(), s.funzione() | 0x80, 2});
        } else if (valore && strumento == Strumento::EcoErrata) {
            risposta = r.left(6);
            risposta[5] = char(risposta[5] ^ 1);
        } else {
            const int v = s.scritto();
            punto(s.nodo(), s.funzione() == 6, s.registro()) = s.funzione() == 5 ? (v == 0xFF00 ? 1 : 0) : v;
            risposta = r.left(6);
            if (valore && strumento == Strumento::Tardivo)
                ritardo = 150 * Ms;  // the time-out is 100 ms
            else
                questo.risposta = true;
        }
        // In two pieces: the reply is awaited more than once.
        const QByteArray trama = ConCrc(risposta);
        return {{ritardo, trama.left(3)}, {ritardo + 4 * Ms, trama.mid(3)}};
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
    Comandi,        // the door, switch and set-value commands a Stop serves first
};

// The errors counted for each device, by node.
std::map<int, int> errori()
{
    return {{NodoMaster, ErroriZona[0]}, {NodoZona, ErroriZona[1]}, {NodoInterruttore, ErroriInterruttore[0]}, {NodoLED, ErroriLED[0]}};
}

// The operations that went out and failed, by node: the tries of one operation are the same
// request over again, and it failed when its last try got no valid reply.
std::map<int, int> operazioniFallite(const QList<Scambio>& scambi)
{
    std::map<int, int> fallite;
    for (int i = 0; i < scambi.size(); ++i) {
        const bool ultimoTentativo = i + 1 == scambi.size() || scambi[i + 1].richiesta != scambi[i].richiesta;
        if (ultimoTentativo && !scambi[i].risposta)
            ++fallite[scambi[i].nodo()];
    }
    return fallite;
}

// The devices left in remote by the traffic: a device is owed its hand-back once a read of its
// bit answered 1 or a write of 1 to it was acknowledged; the hand-back write (answered or not),
// a read answering 0, or a read of its bit that got no answer (nothing more is known of it)
// settles it.
QStringList lasciatiInRemoto(const QList<Scambio>& scambi)
{
    std::map<int, bool> dovuto;
    for (const Scambio& s : scambi) {
        if (!s.bitRemoto())
            continue;
        if (s.scrittura())
            dovuto[s.nodo()] = s.scritto() != 0 && s.risposta;
        else
            dovuto[s.nodo()] = s.risposta && s.valore == 1;
    }
    QStringList lasciati;
    for (const auto& [nodo, resta] : dovuto)
        if (resta)
            lasciati << QString::number(nodo);
    return lasciati;
}

}  // namespace

Q_DECLARE_METATYPE(Sequenza)
Q_DECLARE_METATYPE(Strumento)

class TestTagli : public QObject {
    Q_OBJECT

    PortaFinta* porta = nullptr;
    CicloAcquisizione* ciclo = nullptr;
    Impianto impianto;
    int attese = 0;        // points reached in this run
    int puntoTaglio = -1;  // the point at which the Stop comes; -1: none
    int scambiAlTaglio = -1;

    void punto()
    {
        if (++attese != puntoTaglio)
            return;
        scambiAlTaglio = int(impianto.scambi.size());
        Acquisizione::EseguiQuandoLibero([]() -> QCoro::Task<> { co_return; }, true);  // the Stop, waiting for the line
    }

    // One run of the sequence from a fresh plant; the Stop at point `taglio` (none: -1).
    void esegui(Sequenza sequenza, Strumento strumento, bool mantieni, int mutoDa, int mutoNodo, int taglio)
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
        impianto.strumento = strumento;
        impianto.mutoDa = mutoDa;
        impianto.mutoNodo = mutoNodo;
        porta->risponde = [this](const QByteArray& r) { return impianto.risponde(r); };
        porta->allAttesa = [this] { punto(); };
        Acquisizione::GanciAttivi().Pausa = [this](int) { punto(); };
        attese = 0;
        puntoTaglio = taglio;
        scambiAlTaglio = -1;

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
        if (sequenza == Sequenza::VersoLocale)
            for (int nodo : {NodoZona, NodoInterruttore, NodoApriporta, NodoLED})
                impianto.punto(nodo, false, RegistroRemoto) = 1;

        switch (sequenza) {
        case Sequenza::Allineamento:
        case Sequenza::Crono:
            InTurno([this]() -> QCoro::Task<> { co_await ciclo->LeggiZone(); });
            break;
        case Sequenza::Dispositivi:
            InTurno([this]() -> QCoro::Task<> {
                co_await ciclo->LeggiInterruttori();
                co_await ciclo->LeggiLED();
            });
            break;
        case Sequenza::Comandi: {
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
            InTurno([]() -> QCoro::Task<> { co_await Acquisizione::ServiTutteLeRichieste(); });
            break;
        }
        case Sequenza::VersoRemoto:
        case Sequenza::VersoLocale:
        case Sequenza::Attivita:
            BaseRemoto = sequenza == Sequenza::Attivita ? 60 : 1;
            BaseMisura = BaseLED = 60;
            AttivitaLinea = sequenza == Sequenza::Attivita;
            AcquisizioneAttiva = true;
            QCoro::waitFor(ciclo->Timer_Monitor_Timer());
            ciclo->Timer_Monitor.stop();
            AcquisizioneAttiva = false;
            break;
        }
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
        QTest::addColumn<Strumento>("strumento");
        QTest::addColumn<bool>("mantieni");  // keep-remote mode
        const std::pair<Strumento, const char*> strumenti[] = {
            {Strumento::Risponde, "answers"},
            {Strumento::Eccezione, "value refused (exception)"},
            {Strumento::EcoErrata, "value refused (wrong echo)"},
            {Strumento::Tardivo, "value reply late"},
            {Strumento::Muto, "falls silent"},
        };
        const std::tuple<Sequenza, const char*, bool> sequenze[] = {
            {Sequenza::Allineamento, "alignment", true},
            {Sequenza::Crono, "chrono write", true},
            {Sequenza::Comandi, "commands served by the Stop", true},
            {Sequenza::VersoRemoto, "hand-over to remote", false},
            {Sequenza::VersoLocale, "hand-over to local", false},
            {Sequenza::Dispositivi, "switch and LED passes", false},
            {Sequenza::Attivita, "line-activity read", false},
        };
        for (const auto& [sequenza, nome, scrive] : sequenze)
            for (const auto& [strumento, comportamento] : strumenti) {
                const bool soloValori = strumento != Strumento::Risponde && strumento != Strumento::Muto;
                if (soloValori && !scrive)
                    continue;  // nothing here writes a value
                QTest::addRow("%s, device %s", nome, comportamento)
                    << sequenza << strumento << (sequenza == Sequenza::VersoRemoto);
                if (scrive && sequenza != Sequenza::Comandi && strumento != Strumento::Muto)
                    QTest::addRow("%s, device %s, keep-remote mode", nome, comportamento) << sequenza << strumento << true;
            }
    }
    void stopInOgniPunto()
    {
        QFETCH(Sequenza, sequenza);
        QFETCH(Strumento, strumento);
        QFETCH(bool, mantieni);

        // A device falls silent from the sequence's first value write, else from its first
        // write, else from its second request.
        int mutoDa = -1, mutoNodo = -1;
        if (strumento == Strumento::Muto) {
            esegui(sequenza, Strumento::Risponde, mantieni, -1, -1, -1);
            const QList<Scambio> sano = impianto.scambi;
            QVERIFY(!sano.isEmpty());
            auto primo = [&](auto&& condizione) {
                const auto it = std::find_if(sano.begin(), sano.end(), condizione);
                return it == sano.end() ? -1 : int(it - sano.begin());
            };
            mutoDa = primo([](const Scambio& s) { return s.scritturaValore(); });
            if (mutoDa < 0)
                mutoDa = primo([](const Scambio& s) { return s.scrittura(); });
            if (mutoDa < 0)
                mutoDa = sano.size() > 1 ? 1 : 0;
            mutoNodo = sano[mutoDa].nodo();
        }

        // The run without a Stop: its points, and the traffic the Stop is weighed against.
        esegui(sequenza, strumento, mantieni, mutoDa, mutoNodo, -1);
        const int punti = attese;
        const QList<Scambio> intero = impianto.scambi;
        QVERIFY2(punti > intero.size(), "every request waits at least for a quiet line and for its reply");
        if (!mantieni)
            QVERIFY2(lasciatiInRemoto(intero).isEmpty(), "left in remote without a Stop");

        QStringList guasti;
        for (int p = 1; p <= punti; ++p) {
            esegui(sequenza, strumento, mantieni, mutoDa, mutoNodo, p);
            const QList<Scambio>& scambi = impianto.scambi;
            const QString dove = QStringLiteral("Stop at point %1 of %2 (after %3 requests): ").arg(p).arg(punti).arg(scambiAlTaglio);
            auto traffico = [&] {
                QStringList t;
                for (const Scambio& s : scambi)
                    t << s.testo();
                return t.join(' ');
            };
            if (scambiAlTaglio < 0) {
                guasti << dove + QStringLiteral("never reached");
                continue;
            }
            if (sequenza == Sequenza::Comandi) {
                // Posted before the Stop, they are served whole.
                QStringList atteso;
                for (const Scambio& s : intero)
                    atteso << s.testo();
                if (traffico() != atteso.join(' '))
                    guasti << dove + QStringLiteral("commands not served whole: ") + traffico();
            } else {
                // After the cut: the exchange under way with its retries, then hand-backs only.
                int i = scambiAlTaglio;
                if (i > 0)
                    while (i < scambi.size() && scambi[i].richiesta == scambi[scambiAlTaglio - 1].richiesta)
                        ++i;
                for (; i < scambi.size(); ++i)
                    if (!scambi[i].riconsegna()) {
                        guasti << dove + QStringLiteral("%1 went out after the cut: ").arg(scambi[i].testo()) + traffico();
                        break;
                    }
            }
            if (mantieni) {
                for (const Scambio& s : scambi)
                    if (s.riconsegna())
                        guasti << dove + QStringLiteral("handed back in keep-remote mode: ") + traffico();
            } else if (const QStringList lasciati = lasciatiInRemoto(scambi); !lasciati.isEmpty()) {
                guasti << dove + QStringLiteral("node %1 left in remote: ").arg(lasciati.join(',')) + traffico();
            }
            const std::map<int, int> fallite = operazioniFallite(scambi);
            for (const auto& [nodo, contati] : errori()) {
                const auto f = fallite.find(nodo);
                const int inviateFallite = f == fallite.end() ? 0 : f->second;
                if (contati > inviateFallite)
                    guasti << dove + QStringLiteral("%1 errors counted for node %2, %3 failed exchanges sent: ")
                                         .arg(contati).arg(nodo).arg(inviateFallite) + traffico();
            }
        }
        QVERIFY2(guasti.isEmpty(), qPrintable(guasti.join('\n')));
    }
};

QTEST_GUILESS_MAIN(TestTagli)
#include "tst_tagli.moc"
