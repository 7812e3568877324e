#pragma once
// Waits of the station's own work that suspend it instead of holding the window thread: the
// work is a coroutine on the one thread, and while it waits the main event loop serves the
// windows, the timers and the operator. Nothing here runs an event loop of its own.
#include <QCoro/QCoroTask>

#include <coroutine>
#include <memory>

namespace Piattaforma {

// Suspends until `descrittore` has something to read or `microsecondi` have passed, whichever
// comes first; true when it is readable (or in error: the read tells). The deadline is kept to
// the microsecond (a kernel timer, not the event loop's whole milliseconds): the 3.5-character
// silence at 9600 baud is 3.65 ms. No time left is a look, never a wait.
class AttesaDescrittore {
public:
    AttesaDescrittore(int descrittore, qint64 microsecondi);

    bool await_ready();
    void await_suspend(std::coroutine_handle<> ripresa);
    bool await_resume() const;

private:
    struct Stato;
    std::shared_ptr<Stato> stato_;  // shared: the compiler may copy an awaiter it is handed
};

// Suspends for `millisecondi` (0 or less: resumes from the event loop at once).
QCoro::Task<> Dormi(int millisecondi);

}  // namespace Piattaforma
