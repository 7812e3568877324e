// Remote/local hand-over and the line-activity read. Every device class has a read row and a
// write row whose first fields are alike (node, remote-bit function code and register), so one
// routine serves zones, switches, the door opener and the LEDs over their own tables.
#include "mbus.h"

#include <array>
#include <cstddef>
#include <set>
#include <vector>

namespace MBus {

namespace {

using namespace Generale;

constexpr long ValoreRemoto = 65280;  // 0xFF00, the coil ON value, whatever the write code
constexpr long EcoRemotoStrumento = -256;

template <typename Riga>
bool HaBitRemoto(const Riga& lettura, const Riga& scrittura)
{
    const int fl = lettura[FunzioneREM], fs = scrittura[FunzioneREM];
    return fl >= 1 && fl <= 4 && lettura[RegistroREM] != -1 && (fs == 5 || fs == 6) && scrittura[RegistroREM] != -1;
}

template <typename Riga>
QCoro::Task<long> LeggiStato(const Riga& lettura)
{
    return LeggiRegistro(lettura[FunzioneREM], lettura[RegistroREM], lettura[Nodo]);
}

template <typename Riga>
QCoro::Task<long> ScriviStato(const Riga& scrittura, long valore)
{
    return ScriviRegistro(scrittura[FunzioneREM], scrittura[RegistroREM], valore, scrittura[Nodo]);
}

// The remote bit as the plant knows it: the object written, function code included. Owed
// devices are recorded by it, so a settings reload meanwhile never hands back another object.
struct Oggetto {
    int nodo, funzione, registro;
    auto operator<=>(const Oggetto&) const = default;
};

template <typename Riga>
Oggetto oggetto(const Riga& scrittura)
{
    return {scrittura[Nodo], scrittura[FunzioneREM], scrittura[RegistroREM]};
}

// The devices owed their hand-back. In keep-remote mode nothing is owed.
std::set<Oggetto> dovuti;

void dovuto(const Oggetto& o)
{
    if (!ModoRemoto)
        dovuti.insert(o);
}
bool eDovuto(const Oggetto& o) { return !ModoRemoto && dovuti.contains(o); }

// The write of 0: one exchange with its retries, never cut. Acknowledged, it settles the debt.
QCoro::Task<bool> scriviZero(Oggetto o)
{
    const Tagliabile intera;
    const bool restituito = co_await ScriviRegistro(o.funzione, o.registro, 0, o.nodo) == 0;
    if (restituito)
        dovuti.erase(o);
    co_return restituito;
}

// The tables are the plant model's own, alive for the whole program: a suspended hand-over may
// keep references into them.
template <typename Riga, std::size_t N>
QCoro::Task<bool> Remoto(const std::array<Riga, N>& letture, const std::array<Riga, N>& scritture, int indice)
{
    if (indice < 0 || std::size_t(indice) >= N)
        co_return false;
    const Riga& l = letture[std::size_t(indice)];
    const Riga& s = scritture[std::size_t(indice)];
    if (!HaBitRemoto(l, s))
        co_return true;
    const Oggetto o = oggetto(s);
    const long stato = co_await LeggiStato(l);
    if (stato == 1) {
        dovuto(o);
        co_return true;
    }
    if (stato != 0)
        co_return false;
    // Owed from the moment the write leaves, whatever comes back: a device can carry out a write
    // whose reply is lost or late. A write the cut kept from leaving owes nothing: the device
    // has just read 0.
    dovuto(o);
    const long eco = co_await ScriviStato(s, ValoreRemoto);
    if (Tagliato())
        dovuti.erase(o);
    co_return eco == EcoRemotoStrumento || (!ComunicazioneReale && eco == ValoreRemoto);
}

// The local step: the state read, then, found in remote, the write of 0 (keep-remote mode keeps
// the device unless `forza`). A device owed whose state read gets no answer, or never leaves
// for a cut, gets the write of 0 alone; one owed nothing gets nothing more.
template <typename Riga, std::size_t N>
QCoro::Task<bool> Locale(const std::array<Riga, N>& letture, const std::array<Riga, N>& scritture, int indice, bool forza)
{
    if (indice < 0 || std::size_t(indice) >= N)
        co_return false;
    const Riga& l = letture[std::size_t(indice)];
    const Riga& s = scritture[std::size_t(indice)];
    if (!HaBitRemoto(l, s))
        co_return true;
    const Oggetto o = oggetto(s);
    const long stato = co_await LeggiStato(l);
    if (stato == 0) {
        dovuti.erase(o);
        co_return true;
    }
    if (stato == 1) {
        if (!forza && ModoRemoto)
            co_return true;  // the plant keeps every device in remote
        // Found in remote: handed back at once, even when a cut came during the state read.
        dovuto(o);
        co_return co_await scriviZero(o);
    }
    if (!eDovuto(o))
        co_return false;
    // A cut stays asked until the work ends: a read that never left says nothing of the device,
    // and the hand-back alone answers for the step.
    const bool tagliata = Tagliato();
    const bool restituito = co_await scriviZero(o);
    co_return tagliata && restituito;
}

}  // namespace

QCoro::Task<bool> AttivaRemotoZona(int i) { return Remoto(MappaLetturaZone, MappaScritturaZone, i); }
QCoro::Task<bool> AttivaLocaleZona(int i, bool forza) { return Locale(MappaLetturaZone, MappaScritturaZone, i, forza); }
QCoro::Task<bool> AttivaRemotoInterruttore(int i) { return Remoto(MappaLetturaInterruttori, MappaScritturaInterruttori, i); }
QCoro::Task<bool> AttivaLocaleInterruttore(int i, bool forza) { return Locale(MappaLetturaInterruttori, MappaScritturaInterruttori, i, forza); }
QCoro::Task<bool> AttivaRemotoApriporta(int i) { return Remoto(MappaLetturaApriporta, MappaScritturaApriporta, i); }
QCoro::Task<bool> AttivaLocaleApriporta(int i, bool forza) { return Locale(MappaLetturaApriporta, MappaScritturaApriporta, i, forza); }
QCoro::Task<bool> AttivaRemotoLED(int i) { return Remoto(MappaLetturaLED, MappaScritturaLED, i); }
QCoro::Task<bool> AttivaLocaleLED(int i, bool forza) { return Locale(MappaLetturaLED, MappaScritturaLED, i, forza); }

QCoro::Task<> RestituisciDovuti()
{
    if (ModoRemoto)
        co_return;
    // Each once, in a stable order; a hand-back not acknowledged stays owed.
    const std::vector<Oggetto> ancora(dovuti.begin(), dovuti.end());
    for (const Oggetto& o : ancora)
        co_await scriviZero(o);
}

void DimenticaDovuti() { dovuti.clear(); }

QCoro::Task<bool> MantieniAttivita()
{
    if (!AttivitaLinea)
        co_return true;
    const auto [nodo, funzione, registro] = LetturaAttivita;
    if (nodo == -1 || funzione == -1 || registro == -1)
        co_return false;
    co_await LeggiRegistro(int(funzione), registro, int(nodo));
    co_return true;
}

}  // namespace MBus
