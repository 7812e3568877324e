#pragma once
// The acquisition cycle of the main window: the one-second polling timer `Timer_Monitor` with its
// tick, the zone, switch and LED passes, the master/slave alignment and the chrono step.
// The main window owns one; what it shows goes through the hooks of ganci.h.
#include <QObject>
#include <QTimer>

class CicloAcquisizione : public QObject {
    Q_OBJECT
public:
    explicit CicloAcquisizione(QObject* parent = nullptr);

    // 1000 ms; enabled by the acquisition start, disabled by the stop and during each tick.
    QTimer Timer_Monitor;

    // One tick: the operator's requests waiting in the mailboxes (caselle.h), then the hand-over, the zone and switch
    // reads and the LED reads when their periods fall due, the keep-alive read on idle ticks.
    void Timer_Monitor_Timer();

    void LeggiZone();
    void LeggiInterruttori();
    void LeggiLED();
    void AllineaMaster(int zona);
    void ApplicaCronotermostato(int zona);

    static constexpr int CicliPerGiro = 300;  // the tick counter runs 1..300

signals:
    // A tick has ended (whether or not it re-armed the timer).
    void TickEseguito();

private:
    void scatto();
    bool tickInCoda_ = false;
    bool inTick_ = false;
    bool inZone_ = false;
    bool inInterruttori_ = false;
    bool inLED_ = false;
};
