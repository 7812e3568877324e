#include "attesa.h"

#include <QSocketNotifier>
#include <QTimer>

#include <poll.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace Piattaforma {

struct AttesaDescrittore::Stato {
    int descrittore;
    qint64 microsecondi;
    int sveglia = -1;  // the deadline's timer descriptor
    bool leggibile = false;
    std::coroutine_handle<> ripresa;
    // A notifier may be the one whose signal resumes the work: it goes once that signal returned.
    struct Cancella {
        void operator()(QObject* n) const { n->deleteLater(); }
    };
    std::unique_ptr<QSocketNotifier, Cancella> dati;
    std::unique_ptr<QSocketNotifier, Cancella> scadenza;
    std::unique_ptr<QTimer, Cancella> riserva;

    ~Stato()
    {
        chiudi();
    }
    void chiudi()
    {
        for (QSocketNotifier* n : {dati.get(), scadenza.get()})
            if (n)
                n->setEnabled(false);
        if (riserva)
            riserva->stop();
        dati.reset();
        scadenza.reset();
        riserva.reset();
        if (sveglia >= 0)
            ::close(std::exchange(sveglia, -1));
    }
    void sveglia_(bool pronto)
    {
        if (!ripresa)
            return;
        chiudi();
        leggibile = pronto;
        std::exchange(ripresa, {}).resume();
    }
};

AttesaDescrittore::AttesaDescrittore(int descrittore, qint64 microsecondi)
    : stato_(std::make_shared<Stato>())
{
    stato_->descrittore = descrittore;
    stato_->microsecondi = microsecondi;
}

bool AttesaDescrittore::await_ready()
{
    pollfd d{stato_->descrittore, POLLIN, 0};
    stato_->leggibile = ::poll(&d, 1, 0) > 0;
    return stato_->leggibile || stato_->microsecondi <= 0 || stato_->descrittore < 0;
}

void AttesaDescrittore::await_suspend(std::coroutine_handle<> ripresa)
{
    Stato* const s = stato_.get();
    s->ripresa = ripresa;
    s->dati.reset(new QSocketNotifier(qintptr(s->descrittore), QSocketNotifier::Read));
    QObject::connect(s->dati.get(), &QSocketNotifier::activated, [s] { s->sveglia_(true); });
    s->sveglia = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    itimerspec quando{};
    quando.it_value.tv_sec = time_t(s->microsecondi / 1000000);
    quando.it_value.tv_nsec = long(s->microsecondi % 1000000) * 1000;
    if (s->sveglia >= 0 && ::timerfd_settime(s->sveglia, 0, &quando, nullptr) == 0) {
        s->scadenza.reset(new QSocketNotifier(qintptr(s->sveglia), QSocketNotifier::Read));
        QObject::connect(s->scadenza.get(), &QSocketNotifier::activated, [s] { s->sveglia_(false); });
    } else {
        // No kernel timer left: the event loop's milliseconds, rounded up, still end the wait.
        s->riserva.reset(new QTimer);
        s->riserva->setSingleShot(true);
        s->riserva->setTimerType(Qt::PreciseTimer);
        QObject::connect(s->riserva.get(), &QTimer::timeout, [s] { s->sveglia_(false); });
        s->riserva->start(int((s->microsecondi + 999) / 1000));
    }
}

bool AttesaDescrittore::await_resume() const { return stato_->leggibile; }

QCoro::Task<> Dormi(int millisecondi)
{
    struct Sveglia {
        int ms;
        bool await_ready() const noexcept { return false; }
        void await_suspend(std::coroutine_handle<> h) const
        {
            QTimer::singleShot(std::max(ms, 0), Qt::PreciseTimer, [h] { h.resume(); });
        }
        void await_resume() const noexcept {}
    };
    co_await Sveglia{millisecondi};
}

}  // namespace Piattaforma
