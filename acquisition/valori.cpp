#include "valori.h"

#include "conversioni.h"
#include "generale.h"
#include "mbus.h"

#include <cmath>

namespace Acquisizione {

using Generale::ValoreAssente;

float Scala(long grezzo, int decimali)
{
    const int d = (decimali >= 0 && decimali <= 3) ? decimali : 0;
    return static_cast<float>(double(grezzo) / std::pow(10.0, d));
}

float ValoreLetto(int funzione, long grezzo, int decimali)
{
    if (funzione == 1 || funzione == 2)
        return (grezzo == 0 || grezzo == 1) ? float(grezzo) : float(ValoreAssente);
    if ((funzione == 3 || funzione == 4) && grezzo != ValoreAssente)
        return Scala(grezzo, decimali);
    return float(ValoreAssente);
}

bool EcoValido(int funzione, long valore, long eco)
{
    if (funzione == 6)
        return eco == valore;
    if (eco == -256)
        return valore == 0xFF00;
    if (eco == 0)
        return valore == 0;
    if (eco == 0xFF00)
        return !MBus::ComunicazioneReale;
    return false;
}

std::optional<long> RegistroDaValore(float valore, int decimali)
{
    if (valore == float(ValoreAssente) || !std::isfinite(valore))
        return std::nullopt;
    const auto registro = Generale::ConvertiInInteroVerificato(QString::number(double(valore), 'g', 7), decimali);
    if (!registro)
        return std::nullopt;
    return long(*registro);
}

}  // namespace Acquisizione
