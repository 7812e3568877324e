#pragma once
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace Piattaforma {

// Work that no handler may hold open (the polling tick and its passes) marks itself with one of
// these for as long as it runs. Its yields and bus waits keep painting and serving timers, but the
// operator's clicks and keys wait in the window system's queue and are delivered once it has
// ended: a handler that opens a box then runs outside the work, so the box's own event loop keeps
// the polling going instead of holding the pass open under it.
class InputRinviato {
public:
    InputRinviato() { ++profondita(); }
    ~InputRinviato() { --profondita(); }
    InputRinviato(const InputRinviato&) = delete;
    InputRinviato& operator=(const InputRinviato&) = delete;

    static bool Attivo() { return profondita() > 0; }

private:
    static int& profondita()
    {
        static int n = 0;
        return n;
    }
};

// What a yield or a wait lets run now.
inline QEventLoop::ProcessEventsFlags EventiConsentiti()
{
    return InputRinviato::Attivo() ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents;
}

// Lets pending window events run once: the yield of the polling tick, of every bus wait and of
// the drag loop. Handlers that run here may start other work; see the bus rules in fieldbus/.
inline void LasciaEventi()
{
    if (!InputRinviato::Attivo()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
    }
    // Held back in a loop of its own, ended by a zero timer once what is pending has run: with
    // the glib dispatcher a plain processEvents(ExcludeUserInputEvents) leaves the held input
    // stuck in the queue for good, a loop run with the flag does not.
    QEventLoop giro;
    QTimer::singleShot(0, &giro, &QEventLoop::quit);
    giro.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace Piattaforma
