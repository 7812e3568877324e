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
long LeggiStato(const Riga& lettura)
{
    return LeggiRegistro(lettura[FunzioneREM], lettura[RegistroREM], lettura[Nodo]);
}

template <typename Riga>
long ScriviStato(const Riga& scrittura, long valore)
{
    return ScriviRegistro(scrittura[FunzioneREM], scrittura[RegistroREM], valore, scrittura[Nodo]);
}

template <typename Riga, std::size_t N>
bool Remoto(const std::array<Riga, N>& letture, const std::array<Riga, N>& scritture, int indice)
{
    if (indice < 0 || std::size_t(indice) >= N)
        return false;
    const Riga& l = letture[std::size_t(indice)];
    const Riga& s = scritture[std::size_t(indice)];
    if (!HaBitRemoto(l, s))
        return true;
    const long stato = LeggiStato(l);
    if (stato == 1)
        return true;
    if (stato != 0)
        return false;
    const long eco = ScriviStato(s, ValoreRemoto);
    return eco == EcoRemotoStrumento || (!ComunicazioneReale && eco == ValoreRemoto);
}

template <typename Riga, std::size_t N>
bool Locale(const std::array<Riga, N>& letture, const std::array<Riga, N>& scritture, int indice, bool forza)
{
    if (indice < 0 || std::size_t(indice) >= N)
        return false;
    const Riga& l = letture[std::size_t(indice)];
    const Riga& s = scritture[std::size_t(indice)];
    if (!HaBitRemoto(l, s))
        return true;
    const long stato = LeggiStato(l);
    if (stato == 0)
        return true;
    if (stato != 1)
        return false;
    if (!forza && ModoRemoto)
        return true;  // the plant keeps every device in remote
    return ScriviStato(s, 0) == 0;
}

}  // namespace

bool AttivaRemotoZona(int i) { return Remoto(MappaLetturaZone, MappaScritturaZone, i); }
bool AttivaLocaleZona(int i, bool forza) { return Locale(MappaLetturaZone, MappaScritturaZone, i, forza); }
bool AttivaRemotoInterruttore(int i) { return Remoto(MappaLetturaInterruttori, MappaScritturaInterruttori, i); }
bool AttivaLocaleInterruttore(int i, bool forza) { return Locale(MappaLetturaInterruttori, MappaScritturaInterruttori, i, forza); }
bool AttivaRemotoApriporta(int i) { return Remoto(MappaLetturaApriporta, MappaScritturaApriporta, i); }
bool AttivaLocaleApriporta(int i, bool forza) { return Locale(MappaLetturaApriporta, MappaScritturaApriporta, i, forza); }
bool AttivaRemotoLED(int i) { return Remoto(MappaLetturaLED, MappaScritturaLED, i); }
bool AttivaLocaleLED(int i, bool forza) { return Locale(MappaLetturaLED, MappaScritturaLED, i, forza); }

bool MantieniAttivita()
{
    if (!AttivitaLinea)
        return true;
    const auto& [nodo, funzione, registro] = LetturaAttivita;
    if (nodo == -1 || funzione == -1 || registro == -1)
        return false;
    LeggiRegistro(int(funzione), registro, int(nodo));
    return true;
}

}  // namespace MBus
