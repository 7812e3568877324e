#pragma once
// What the synoptic shows of the live tables, as plain rules that need no window.
#include <QString>

namespace Generale {

// The text of value k (0 PV .. 4 AL3) of zone `zona` (0-based): a register point (function
// code 3 or 4) gives the number with the zone's decimals and a decimal comma, followed by a
// blank and UnitaMisura when `conUnita`; any other point gives "OFF" or "ON" for 0 or 1; no
// value gives "--.-", never with the unit.
QString TestoValoreZona(int zona, int k, bool conUnita);

// A text shown as written on a button or check box: "&" would otherwise mark a shortcut and
// vanish ("R&D" would show as "RD"), so it is doubled.
QString TestoSuPulsante(const QString& testo);

enum class AspettoInterruttore { Indeterminato, On, Off };
// The look of switch `i` from its two feedback values: OFF when the OFF point reads Val_off,
// else ON when the ON point reads Val_on, else indeterminate. Val_on and Val_off are stored in
// register units; they are compared in the unit of the value read: unscaled against a bit
// (codes 1, 2), scaled by the decimals against a register.
AspettoInterruttore AspettoDiInterruttore(int i);

// The caption of value row k of the zone panel: the zone's own caption as stored when it has
// one; otherwise the general caption, with " [unit]:" on PV and SP and ":" on the alarms.
QString DidascaliaRiga(int k, const QString& generale, const QString& diZona);

}  // namespace Generale
