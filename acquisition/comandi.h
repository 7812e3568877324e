#pragma once
// The operator's commands on the plant: pulse the door opener, switch one ON/OFF switch, send
// one zone value. Each takes the device into remote control, writes, checks the echo, gives the
// device back and reports. They run inside a turn of the bus: event handlers reach them through
// Acquisizione::EseguiQuandoLibero (or post into the mailboxes of caselle.h while acquisition
// runs). A command is never cut: a door pulse always ends with its OFF write.
//
// Who asked is judged at the click, not when the command runs: the door and switch commands
// need technician or administrator rights at that moment (ComandoConsentito), and a command
// that waited for its tick or its turn runs as accepted, whoever has logged in or out since.
#include "generale.h"

#include <QCoro/QCoroTask>

namespace Generale {

inline constexpr int TempoApriportaMinimo = 100;   // ms, the range the settings page offers
inline constexpr int TempoApriportaMassimo = 2000;

// True when the user who clicks may command the door (`apriporta`) or a switch. Otherwise the
// refusal shows at once, whatever the bus is doing: the no-entry pointer, for the door the
// focus back to the plant picture, "Privilegi insufficienti" in panel 4; after a second the
// message goes and the pointer is given back, unless a later refusal or other work has taken
// them meanwhile.
bool ComandoConsentito(bool apriporta);

QCoro::Task<> AzionaApriporta();
QCoro::Task<> ComandaInterruttore(int interruttore, bool accendi);
// Sends one zone value as it was asked for: the zone, row, point and value recorded with the
// request. A request without a zone is dropped.
QCoro::Task<> InviaValoreZona(Impostazione comando);
}  // namespace Generale
