#pragma once
// What the acquisition cycle shows goes through these hooks; the shell connects them to the
// main window, the synoptic, the trend chart and the error monitor. An empty hook does nothing,
// so the cycle runs (and is tested) without any window.
#include <QDateTime>
#include <QString>
#include <QCoro/QCoroTask>

#include <functional>

namespace Acquisizione {

enum class Puntatore { Predefinito, Clessidra, Divieto };

// Icons of one switch after a command: its ON icon, its OFF icon, or the fault indicator.
enum class IconaInterruttore { On, Off, Indicatore };

struct Ganci {
    // Status bar panel 3 (bus activity) and panel 4 (transient messages).
    std::function<void(const QString&)> Pannello3;
    std::function<void(const QString&)> Pannello4;
    // Application-wide mouse pointer.
    std::function<void(Puntatore)> ImpostaPuntatore;
    // Work asked for waits for the turn behind the work under way (true), or nothing waits.
    std::function<void(bool)> LavoroTrattenuto;
    // "Attenzione: " message box: exclamation icon, OK only, brought to the front. Returns at
    // once: the box stays until its OK while the work that raised it goes on.
    std::function<void(const QString& titolo, const QString& testo)> Avviso;
    // Stands in for the pauses of the station's work (door pulse, the display pauses of the
    // commands, the simulation pause): called instead of waiting. Empty: the work really waits,
    // suspended, while the windows go on.
    std::function<void(int millisecondi)> Pausa;
    // Plays a sound file without waiting for it (the door opener's sound).
    std::function<void(const QString& percorso)> Suona;
    // The clock of the cycle: pass time, history file day, chrono slot, alarm entries.
    // Empty: the system clock.
    std::function<QDateTime()> Adesso;

    // Synoptic: live values of zones and/or switches, one LED's look (state -1..5, others hide
    // all its images), one switch's icons, one row of the zone information panel, the keyboard
    // focus back to the plant picture, a repaint of the whole synoptic.
    std::function<void(bool zone, bool interruttori)> AggiornaSinottico;
    std::function<void(int led, int stato)> MostraLED;
    std::function<void(int interruttore, IconaInterruttore icona)> MostraInterruttore;
    std::function<void(int riga, const QString& testo)> TestoRigaZona;
    std::function<void()> FuocoPianta;
    std::function<void()> RidisegnaSinottico;

    // Live trend chart: one point of trace 1..30 at the pass time; redraw and window refresh
    // at the end of every zone pass.
    std::function<void(int traccia, const QDateTime& tempo, double valore)> AggiungiPunto;
    std::function<void()> Ridisegna;

    // Communication-error monitor: an entry of the zone list, an entry of the switch and LED
    // list, both lists emptied, the monitor hidden.
    std::function<void(const QString&)> VoceAllarmeZona;
    std::function<void(const QString&)> VoceAllarmeDispositivo;
    std::function<void()> SvuotaAllarmi;
    std::function<void()> NascondiMonitor;
    // Alarm blinking (toolbar button 8 and the alarm sound, run by the main window) on or off.
    std::function<void(bool)> Lampeggio;
    // The daily history file: false with its notice at the first line of an outage that could
    // not be written, true with its note at the first line written again; nothing in between.
    std::function<void(bool scritto, const QString& voce)> EsitoStorico;
};

// The hooks in use; the shell sets them once, tests set their own.
Ganci& GanciAttivi();

// Calls into the hooks; each does nothing when its hook is empty.
void Pannello3(const QString& testo);
void Pannello4(const QString& testo);
void ImpostaPuntatore(Puntatore forma);
// The shape last set through ImpostaPuntatore: what a passing message gives back when it goes.
Puntatore PuntatoreAttuale();
void Avviso(const QString& titolo, const QString& testo);
QCoro::Task<> Pausa(int millisecondi);
QDateTime Adesso();

// Date and time as the station writes them: "dd/MM/yyyy HH:mm:ss".
QString TestoDataOra(const QDateTime& momento);

}  // namespace Acquisizione
