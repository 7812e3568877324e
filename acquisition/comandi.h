#pragma once
// The operator's commands on the plant: pulse the door opener, switch one ON/OFF switch, send
// one zone value. Each takes the device into remote control, writes, checks the echo, gives the
// device back and reports. They run as bus work: event handlers reach them through
// Acquisizione::EseguiQuandoLibero (or post into a mailbox while acquisition runs).
namespace Generale {

inline constexpr int TempoApriportaMinimo = 100;   // ms, the range the settings page offers
inline constexpr int TempoApriportaMassimo = 2000;

void AzionaApriporta();
void ComandaInterruttore(int interruttore, bool accendi);
// Serves the set-value mailbox: takes the request out of it first, so a request posted while
// this one waits on the bus stays for the next tick. The zone is the one recorded with the
// request; a request without a zone is dropped.
void InviaValoreZona();

}  // namespace Generale
