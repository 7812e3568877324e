// Remote/local hand-over and the line-activity read. Every device class has a read row and a
// write row whose first fields are alike (node, remote-bit function code and register), so one
// routine serves zones, switches, the door opener and the LEDs over their own tables.
#include "mbus.h"

#include <array>
#include <cstddef>

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
    const long stato = co_await LeggiStato(l);
    if (stato == 1)
        co_return true;
    if (stato != 0)
        co_return false;
    const long eco = co_await ScriviStato(s, ValoreRemoto);
    co_return eco == EcoRemotoStrumento || (!ComunicazioneReale && eco == ValoreRemoto);
}

// A device this work left in remote, handed back: its bit written 0 at once, one exchange with
// its retries, never cut. In keep-remote mode it stays remote.
template <typename Riga, std::size_t N>
QCoro::Task<bool> Riconsegna(const std::array<Riga, N>& letture, const std::array<Riga, N>& scritture, int indice)
{
    if (indice < 0 || std::size_t(indice) >= N)
        co_return false;
    const Riga& s = scritture[std::size_t(indice)];
    if (!HaBitRemoto(letture[std::size_t(indice)], s) || ModoRemoto)
        co_return true;
    const Tagliabile intera;
    co_return co_await ScriviStato(s, 0) == 0;
}

// `dovuto`: the device was found or put in remote by the work under way, so its hand-back is
// owed whatever a cut does. A cut that keeps the state read from leaving then hands it back
// with the write alone; without `dovuto` the device, untouched, gets nothing.
template <typename Riga, std::size_t N>
QCoro::Task<bool> Locale(const std::array<Riga, N>& letture, const std::array<Riga, N>& scritture, int indice, bool forza,
                         bool dovuto = false)
{
    if (indice < 0 || std::size_t(indice) >= N)
        co_return false;
    const Riga& l = letture[std::size_t(indice)];
    const Riga& s = scritture[std::size_t(indice)];
    if (!HaBitRemoto(l, s))
        co_return true;
    const long stato = co_await LeggiStato(l);
    // A cut stays asked until the work ends: no answer in a cut work is a read that never left.
    if (dovuto && stato == ValoreAssente && Tagliato())
        co_return co_await Riconsegna(letture, scritture, indice);
    if (stato == 0)
        co_return true;
    if (stato != 1)
        co_return false;
    if (!forza && ModoRemoto)
        co_return true;  // the plant keeps every device in remote
    // Found in remote: it is handed back even when a cut came during the state read, since no
    // later hand-over may come after a Stop.
    const Tagliabile intera;
    co_return co_await ScriviStato(s, 0) == 0;
}

}  // namespace

QCoro::Task<bool> AttivaRemotoZona(int i) { return Remoto(MappaLetturaZone, MappaScritturaZone, i); }
QCoro::Task<bool> AttivaLocaleZona(int i, bool forza) { return Locale(MappaLetturaZone, MappaScritturaZone, i, forza); }
QCoro::Task<bool> RestituisciZona(int i) { return Locale(MappaLetturaZone, MappaScritturaZone, i, false, true); }
QCoro::Task<bool> AttivaRemotoInterruttore(int i) { return Remoto(MappaLetturaInterruttori, MappaScritturaInterruttori, i); }
QCoro::Task<bool> AttivaLocaleInterruttore(int i, bool forza) { return Locale(MappaLetturaInterruttori, MappaScritturaInterruttori, i, forza); }
QCoro::Task<bool> AttivaRemotoApriporta(int i) { return Remoto(MappaLetturaApriporta, MappaScritturaApriporta, i); }
QCoro::Task<bool> AttivaLocaleApriporta(int i, bool forza) { return Locale(MappaLetturaApriporta, MappaScritturaApriporta, i, forza); }
QCoro::Task<bool> AttivaRemotoLED(int i) { return Remoto(MappaLetturaLED, MappaScritturaLED, i); }
QCoro::Task<bool> AttivaLocaleLED(int i, bool forza) { return Locale(MappaLetturaLED, MappaScritturaLED, i, forza); }

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
