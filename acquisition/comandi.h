#pragma once
// The operator's commands on the plant: pulse the door opener, switch one ON/OFF switch, send
// one zone value. Each takes the device into remote control, writes, checks the echo, gives the
// device back and reports. They run inside a turn of the bus: event handlers reach them through
// Acquisizione::EseguiQuandoLibero (or post into the mailboxes of caselle.h while acquisition
// runs). A command is never cut: a door pulse always ends with its OFF write.
#include "generale.h"

#include <QCoro/QCoroTask>

namespace Generale {

inline constexpr int TempoApriportaMinimo = 100;   // ms, the range the settings page offers
inline constexpr int TempoApriportaMassimo = 2000;

QCoro::Task<> AzionaApriporta();
QCoro::Task<> ComandaInterruttore(int interruttore, bool accendi);
// Sends one zone value as it was asked for: the zone, row, point and value recorded with the
// request. A request without a zone is dropped.
QCoro::Task<> InviaValoreZona(Impostazione comando);
}  // namespace Generale
