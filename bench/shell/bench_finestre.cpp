// Memory of the window switching: the main window on the real windows, and the operator's round
// of the work windows through the toolbar, Sinottico -> Grafico -> Storico -> Stagione, each
// click handled and painted before the next one (the event loop runs between the clicks, objects
// deleted later included). Side by side, in the same number of rounds of four repaints each:
// the main window repainted with the trend window shown, maximized (its close button in the menu
// bar), and the reference, the main window repainted with no work window shown. Each case runs in
// a process of its own, so none finds the caches another has filled.
//
// Printed every 200 rounds: the resident memory, the heap in use and the pixmap cache's fill (in
// MB, rounded up; the cache's limit is printed above). A station is switched thousands of times
// a year: after the warm-up every column should stay flat. At the end each case empties the
// pixmap cache and trims the heap, to show how much of what it grew the cache held.
//
//   bench_finestre [rounds, at least 1000; default 4000]
//   bench_finestre ROUNDS switch|shown|none   one case alone in this process, ending without
//                                             cleaning up: for a heap profiler (heaptrack), whose
//                                             "leaked" is then what the rounds left behind
// The platform is the environment's: scripts/bench.sh runs it offscreen; under an X server,
// xvfb-run -a env QT_QPA_PLATFORM=xcb bench_finestre.
#define Q_TEST_QPIXMAPCACHE  // QPixmapCache::totalUsed(), exported by Qt for its own tests
#include "banco_shell.h"
#include "cartellatemporanea.h"
#include "finestre.h"
#include "generale.h"
#include "mainform.h"
#include "memoria.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QPixmapCache>

#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace {

constexpr int Passo = 200;     // rounds between two samples
constexpr int Riscaldo = 100;  // rounds of warm-up before the first sample

enum Caso { Scambi, Mostrata, Nessuna };
constexpr const char* NomiCasi[3] = {"switch", "shown", "none"};

struct Campione {
    long rss = 0;   // kB resident
    long heap = 0;  // kB allocated and not freed
    int cache = 0;  // MB the pixmap cache counts as used, rounded up
};

struct Esito {
    int limite = 0;  // the pixmap cache's limit, kB
    Campione inizio;
    std::vector<Campione> campioni;
    Campione svuotato;  // after emptying the cache and trimming the heap
};

Campione Adesso() { return {RssKb(), long(mallinfo2().uordblks / 1024), QPixmapCache::totalUsed()}; }

void Evadi()
{
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

// The case's rounds in this process, the samples written to `uscita` (-1: none, and the process
// ends without cleaning up after the last round).
void Esegui(Caso caso, int giri, int uscita)
{
    int argc = 1;
    char nome[] = "bench_finestre";
    char* argv[] = {nome, nullptr};
    QApplication app(argc, argv);
    CartellaTemporanea cartella;
    cartella.scrivi(QStringLiteral("Quelvar0.ini"), "[Generale]\r\nModo=1\r\n");
    cartella.scrivi(QStringLiteral("Quelvar1.ini"), BancoShell::Impostazioni(4));
    BancoShell::StatoIniziale();
    Finestre finestre;
    finestre.Carica();
    MainForm* m = finestre.mainForm;
    m->SceltaComunicazione(false);
    m->resize(1280, 900);
    m->show();
    Evadi();

    // The operator's click on a toolbar button.
    const auto clic = [m](int pulsante) {
        m->PulsanteToolbar(pulsante)->trigger();
        Evadi();
    };
    std::function<void()> giro = [&] {
        for (int pulsante : {2, 3, 4, 5})
            clic(pulsante);
    };
    if (caso != Scambi) {
        if (caso == Mostrata)
            clic(3);
        giro = [m] {
            for (int volta = 0; volta < 4; ++volta) {
                m->update();
                m->menuBar()->update();
                Evadi();
            }
        };
    }
    for (int n = 0; n < Riscaldo; ++n)
        giro();

    Esito e;
    e.limite = QPixmapCache::cacheLimit();
    e.inizio = Adesso();
    for (int n = 1; n <= giri; ++n) {
        giro();
        if (n % Passo == 0)
            e.campioni.push_back(Adesso());
    }
    if (uscita < 0)
        _exit(0);
    QPixmapCache::clear();
    malloc_trim(0);
    e.svuotato = Adesso();

    bool scritto = write(uscita, &e.limite, sizeof e.limite) == sizeof e.limite;
    for (const Campione* c : {&e.inizio, &e.svuotato})
        scritto = scritto && write(uscita, c, sizeof *c) == sizeof *c;
    const auto byte = static_cast<ssize_t>(e.campioni.size() * sizeof(Campione));
    scritto = scritto && write(uscita, e.campioni.data(), byte) == byte;
    close(uscita);
    _exit(scritto ? 0 : 1);
}

bool Leggi(int da, void* dove, std::size_t byte)
{
    std::size_t letti = 0;
    while (letti < byte) {
        const ssize_t r = read(da, static_cast<char*>(dove) + letti, byte - letti);
        if (r <= 0)
            return false;
        letti += r;
    }
    return true;
}

// The case in a child process; an empty result when it failed.
Esito InProcesso(Caso caso, int giri)
{
    int tubo[2];
    if (pipe(tubo) != 0)
        return {};
    const pid_t figlio = fork();
    if (figlio == 0) {
        close(tubo[0]);
        Esegui(caso, giri, tubo[1]);
    }
    close(tubo[1]);
    Esito e;
    e.campioni.resize(giri / Passo);
    const bool letto = Leggi(tubo[0], &e.limite, sizeof e.limite) && Leggi(tubo[0], &e.inizio, sizeof e.inizio)
                       && Leggi(tubo[0], &e.svuotato, sizeof e.svuotato)
                       && Leggi(tubo[0], e.campioni.data(), e.campioni.size() * sizeof(Campione));
    close(tubo[0]);
    int stato = 0;
    waitpid(figlio, &stato, 0);
    if (!letto || !WIFEXITED(stato) || WEXITSTATUS(stato) != 0)
        return {};
    return e;
}

// Growth per 100 rounds from sample `dal` (0: the start) to the end.
double Crescita(const Esito& e, std::size_t dal, long Campione::*misura)
{
    const Campione& da = dal ? e.campioni[dal - 1] : e.inizio;
    return double(e.campioni.back().*misura - da.*misura) * 100.0 / double(Passo * (e.campioni.size() - dal));
}

}  // namespace

int main(int argc, char** argv)
{
    const int giri = argc > 1 ? std::max(1000, std::atoi(argv[1])) / Passo * Passo : 4000;
    if (argc > 2) {
        for (int c = Scambi; c <= Nessuna; ++c)
            if (std::strcmp(argv[2], NomiCasi[c]) == 0)
                Esegui(Caso(c), giri, -1);
        std::printf("cases: switch, shown, none\n");
        return 1;
    }

    std::array<Esito, 3> esiti;
    for (int c = Scambi; c <= Nessuna; ++c) {
        esiti[c] = InProcesso(Caso(c), giri);
        if (esiti[c].campioni.empty()) {
            std::printf("case %s failed\n", NomiCasi[c]);
            return 1;
        }
    }
    const char* piattaforma = std::getenv("QT_QPA_PLATFORM");
    std::printf("Memory over %d rounds after %d of warm-up, platform %s, pixmap cache limit %d kB\n", giri, Riscaldo,
                piattaforma ? piattaforma : "(default)", esiti[0].limite);
    std::printf("switch: Sinottico, Grafico, Storico, Stagione clicked on the toolbar; shown: 4 repaints with Grafico\n"
                "shown; none (reference): 4 repaints with no work window shown\n");
    std::printf("%6s |%27s |%27s |%27s\n", "", "switch", "shown", "none (reference)");
    std::printf("%6s |", "rounds");
    for (int c = 0; c < 3; ++c)
        std::printf(" %8s %8s %8s |", "RSS kB", "heap kB", "cache MB");
    std::printf("\n");
    const auto riga = [&](int giro, auto campione) {
        std::printf("%6d |", giro);
        for (const Esito& e : esiti) {
            const Campione& c = campione(e);
            std::printf(" %8ld %8ld %8d |", c.rss, c.heap, c.cache);
        }
        std::printf("\n");
    };
    riga(0, [](const Esito& e) -> const Campione& { return e.inizio; });
    for (std::size_t i = 0; i < esiti[0].campioni.size(); ++i)
        riga(int(i + 1) * Passo, [i](const Esito& e) -> const Campione& { return e.campioni[i]; });

    // The whole run, and its second half: growth that goes on there has not levelled off.
    const std::size_t meta = esiti[0].campioni.size() / 2;
    for (auto [nome, misura] : {std::pair{"RSS", &Campione::rss}, std::pair{"heap", &Campione::heap}}) {
        std::printf("%-4s kB per 100 rounds, all / second half:", nome);
        for (const Esito& e : esiti)
            std::printf("  %+7.1f / %+7.1f", Crescita(e, 0, misura), Crescita(e, meta, misura));
        std::printf("\n");
    }
    std::printf("pixmap cache emptied, heap trimmed, heap kB:");
    for (const Esito& e : esiti)
        std::printf("  %ld -> %ld (start %ld)", e.campioni.back().heap, e.svuotato.heap, e.inizio.heap);
    std::printf("\n");
    return 0;
}
