#pragma once
// The acquisition cycle of the main window: the one-second polling timer `Timer_Monitor` with its
// tick, the zone, switch and LED passes, the master/slave alignment and the chrono step.
// The main window owns one; what it shows goes through the hooks of ganci.h.
#include <QCoro/QCoroTask>
#include <QObject>
#include <QTimer>

class CicloAcquisizione : public QObject {
    Q_OBJECT
public:
    explicit CicloAcquisizione(QObject* parent = nullptr);

    // 1000 ms; enabled by the acquisition start, disabled by the stop and during each tick.
    QTimer Timer_Monitor;

    // One tick, run in its turn of the bus (codabus.h): the operator's requests waiting in the
    // mailboxes (caselle.h), then the hand-over, the zone and switch reads and the LED reads when
    // their periods fall due, the keep-alive read on idle ticks. A tick whose turn comes after a
    // Stop polls nothing.
    QCoro::Task<> Timer_Monitor_Timer();

    // The passes run inside the caller's turn. Each looks for a cut before every exchange: a pass
    // cut short keeps what it read, records nothing it did not read, draws and files nothing.
    QCoro::Task<> LeggiZone();
    QCoro::Task<> LeggiInterruttori();
    QCoro::Task<> LeggiLED();
    QCoro::Task<> AllineaMaster(int zona);
    QCoro::Task<> ApplicaCronotermostato(int zona);

    static constexpr int CicliPerGiro = 300;  // the tick counter runs 1..300

signals:
    // A tick has ended (whether or not it re-armed the timer).
    void TickEseguito();

private:
    void scatto();
};
