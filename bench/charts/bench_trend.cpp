// Repaint time of the trend chart as the points behind it grow: one trace of 1,000 points (the
// reference), 30 traces of 1,000 (what the number of traces alone costs), the live window's full
// buffers (30 x 10,000) and a history day (30 x 86,400), every point inside the time window.
// Two figures a case: the repaint of an unchanged chart (an expose, a cursor move), which draws
// per pixel column what it drew before and should cost the same whatever the points; and the
// repaint after one more point on every trace (the zone pass), which makes its one pass over the
// points in the window again.
#include "trend.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int Ripetizioni = 30;
constexpr double Secondo = 1.0 / 86400.0;

struct Caso {
    const char* nome;
    int tracce;
    int punti;
    double finestraGiorni;  // 0: every point in the window
};

struct Tempi {
    double fermo;
    double nuovoPunto;
};

double mediana(std::vector<double> t)
{
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

Tempi millisecondiPerRidisegno(const Caso& caso)
{
    Trend trend;
    trend.resize(1280, 800);
    trend.ImpostaDimensioneBuffer(caso.punti);
    trend.ImpostaScalaBassa(-50);
    trend.ImpostaScalaAlta(50);
    const double inizio = 46000.0;  // a day in 2025
    for (int t = 1; t <= caso.tracce; ++t) {
        trend.ImpostaTracciaCorrente(t);
        trend.ImpostaTracciaColore(0x10101u * (t * 7));
        for (int i = 0; i < caso.punti; ++i) {
            const double v = 20 * std::sin(i / 500.0 + t) + 5 * std::sin(i * 0.37 * t) + t - 15;
            trend.AggiungiPunto(t, inizio + i * Secondo, (i % 997 == 0) ? -99999.0 : v);
        }
    }
    const double fine = inizio + (caso.punti - 1) * Secondo;
    trend.ImpostaInPausa(true);  // the window stays put as points are added below
    trend.ImpostaFinestraTempo(caso.finestraGiorni > 0 ? fine - caso.finestraGiorni : inizio, fine);

    QImage immagine(trend.size(), QImage::Format_ARGB32_Premultiplied);
    for (int i = 0; i < 3; ++i)
        trend.render(&immagine);
    std::vector<double> fermo;
    std::vector<double> nuovoPunto;
    QElapsedTimer orologio;
    for (int i = 0; i < Ripetizioni; ++i) {
        orologio.start();
        trend.render(&immagine);
        fermo.push_back(orologio.nsecsElapsed() / 1.0e6);
    }
    for (int i = 0; i < Ripetizioni; ++i) {
        // Inside the window, so every trace's columns are made again.
        for (int t = 1; t <= caso.tracce; ++t)
            trend.AggiungiPunto(t, fine - i * Secondo / 10, t);
        orologio.start();
        trend.render(&immagine);
        nuovoPunto.push_back(orologio.nsecsElapsed() / 1.0e6);
    }
    return {mediana(fermo), mediana(nuovoPunto)};
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const Caso casi[] = {
        {"1 trace x 1,000 (reference)", 1, 1000, 0},
        {"30 traces x 1,000", 30, 1000, 0},
        {"30 traces x 10,000 (live buffers full)", 30, 10000, 0},
        {"30 traces x 86,400 (a history day)", 30, 86400, 0},
        {"30 traces x 10,000, one-minute window", 30, 10000, 1.0 / 24 / 60},
    };
    std::printf("Trend repaint, 1280 x 800, median of %d\n", Ripetizioni);
    std::printf("%-40s %12s %7s %14s %7s\n", "case", "unchanged ms", "ratio", "new point ms", "ratio");
    Tempi riferimento{};
    for (const Caso& c : casi) {
        const Tempi ms = millisecondiPerRidisegno(c);
        if (riferimento.fermo == 0)
            riferimento = ms;
        std::printf("%-40s %12.3f %7.2f %14.3f %7.2f\n", c.nome, ms.fermo, ms.fermo / riferimento.fermo, ms.nuovoPunto,
                    ms.nuovoPunto / riferimento.nuovoPunto);
        std::fflush(stdout);
    }
    return 0;
}
