#pragma once
// Value rules shared by the read passes and the writes of the cycle.
#include <optional>

namespace Acquisizione {

// A point is read only when its function code is 1..4.
constexpr bool CodiceLettura(int funzione) { return funzione >= 1 && funzione <= 4; }

// raw / 10^decimals in single precision; decimals outside 0..3 count as 0.
float Scala(long grezzo, int decimali);

// The value of one read: the raw 0 or 1 of a bit (codes 1, 2), the scaled register (3, 4),
// ValoreAssente for a failed read, a bit that is neither 0 nor 1, or a code outside 1..4.
float ValoreLetto(int funzione, long grezzo, int decimali);

// Echo check of a write: code 6 wants the value back; a coil write wants -256 for 65280 (the
// ON pattern read back as a signed number) and 0 for 0; 65280 itself is only the simulated echo.
bool EcoValido(int funzione, long valore, long eco);

// The register integer of a value for a point with `decimali` decimals: the value as decimal
// text, extra digits cut off. None for ValoreAssente or a result outside 16 bits: such a value
// is never sent.
std::optional<long> RegistroDaValore(float valore, int decimali);

}  // namespace Acquisizione
