#pragma once
// The data of the trend chart, without any painting: up to 30 traces of (time, value) points,
// each in a buffer of bounded size, the time window shown, the value axis, the statistics and
// the value under the cursor. Times are date-time serials (tempotrend.h).
//
// A point whose value is `ValoreAssente` (-99999, a failed read) is a gap: it is held, and it
// breaks the trace's line, but it is never drawn and never counted in a statistic. A value that
// is not finite is held as a gap too.
//
// A stretch without readings is a gap as well: a step from one point to the next longer than
// `FattoreLacuna` times the trace's usual step (the median of the steps between its points, at
// least a second), as when acquisition was stopped. The line is not drawn across it and the
// cursor reads no value in it.
#include <QtGlobal>

#include <array>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

struct PuntoTrend {
    double tempo;
    double valore;
};

// One pixel column of a trace as it is painted: the spread of its values, the first and last
// value in time order (to join it to the columns beside it), and whether it joins the previous
// column drawn (no gap between them). `x` is the column index, 0 .. width-1; the two columns
// that carry a line in from a point outside the window, or out to one, have x = 0 and x = width
// with the line's value at the window's edge.
struct ColonnaTrend {
    int x = 0;
    double minimo = 0;
    double massimo = 0;
    double primo = 0;
    double ultimo = 0;
    bool unitaAllaPrecedente = false;
};

struct StatisticheTrend {
    double massimo;
    double media;
    double minimo;
};

class DatiTrend {
public:
    static constexpr int MaxTracce = 30;
    static constexpr int BufferMassimo = 1000000;
    static constexpr double FattoreLacuna = 5;

    // Trace numbers are 1..MaxTracce; a call naming any other trace does nothing, or answers
    // as for a trace without points.
    //
    // Points are kept in time order, also when they arrive out of order (a clock set back). A
    // full buffer drops its earliest point; while paused, its earliest point outside the window
    // shown other than the last before the window and the first after it, so the frozen window
    // keeps its points, and the lines in and out at its edges, however long the pause lasts (when
    // only those are left, the earliest). The time window
    // follows the points: each point added moves the window so that it ends there, keeping its
    // width `AmpiezzaTempo`, also when it is earlier than the window's end (the clocks went
    // back); while paused the window stays where it is.
    void AggiungiPunto(int traccia, double tempo, double valore);
    // Many points of one trace in the order they were taken (a history day read from its file):
    // they end as AggiungiPunto one by one would leave them, in time order, the later taken after
    // the earlier of the same time, the window at the last of them, but the trace is put in
    // order once, where a day with the clock set back would move the trace at every point that
    // steps back. The vector is taken over.
    void AggiungiPunti(int traccia, std::vector<PuntoTrend> punti);
    void CancellaPunti();
    std::span<const PuntoTrend> Punti(int traccia) const;
    // Goes up at every change of the trace's points, so a painter may keep what it drew.
    std::uint64_t Versione(int traccia) const { return valida(traccia) ? tracce_[traccia - 1].versione : 0; }
    // Points dropped so far by full buffers, every trace together.
    std::uint64_t Perduti() const { return perduti_; }

    // Points held per trace, 1..BufferMassimo; shrinking drops the earliest points.
    int DimensioneBuffer() const { return dimensioneBuffer_; }
    void ImpostaDimensioneBuffer(int punti);

    double AmpiezzaTempo() const { return ampiezza_; }
    void ImpostaAmpiezzaTempo(double giorni);
    double TempoInizio() const { return inizio_; }
    void ImpostaTempoInizio(double tempo);
    double TempoFine() const { return fine_; }
    void ImpostaTempoFine(double tempo);
    void ImpostaFinestraTempo(double inizio, double fine);
    bool InPausa() const { return pausa_; }
    void ImpostaInPausa(bool pausa) { pausa_ = pausa; }

    double ScalaBassa() const { return scalaBassa_; }
    void ImpostaScalaBassa(double v);
    double ScalaAlta() const { return scalaAlta_; }
    void ImpostaScalaAlta(double v);
    double LimiteBasso() const { return limiteBasso_; }
    void ImpostaLimiteBasso(double v);
    double LimiteAlto() const { return limiteAlto_; }
    void ImpostaLimiteAlto(double v);

    // What is drawn, always of positive width. Values: the scale kept within the absolute
    // limits (when they are ordered), low end first; a scale of no width is widened by one unit
    // each way. Times: the window, low end first, at least one second wide.
    std::pair<double, double> AsseValori() const;
    std::pair<double, double> AsseTempi() const;

    // All points held, and the points whose time lies in the window shown (ends included).
    // Every figure is `ValoreAssente` for a trace without values there.
    StatisticheTrend Assolute(int traccia) const;
    StatisticheTrend Viste(int traccia) const;

    // The value at a time: a point's own at its time; between two readings with no gap between
    // them, the nearer (the earlier one of two as near). `ValoreAssente` anywhere else: before
    // the first point, after the last, beside a gap point, across a stretch without readings.
    double ValoreA(int traccia, double tempo) const;
    // The longest step between two points of the trace that is not a stretch without readings.
    double PassoMassimo(int traccia) const;

    // The trace decimated to `larghezza` pixel columns over the window: one pass over the points
    // in the window, and the cost of the picture does not grow with their number.
    std::vector<ColonnaTrend> Colonne(int traccia, int larghezza) const;

private:
    static bool valida(int traccia) { return traccia >= 1 && traccia <= MaxTracce; }
    static StatisticheTrend statistiche(std::span<const PuntoTrend> punti);
    static double passoMassimo(std::span<const PuntoTrend> punti);

    // The points of one trace, contiguous for a fast pass: the earliest dropped points stay
    // in front of `primo` until they fill a quarter of the vector, and go in one move then.
    struct Traccia {
        std::vector<PuntoTrend> punti;
        std::size_t primo = 0;
        std::uint64_t versione = 0;
        std::span<const PuntoTrend> validi() const { return std::span(punti).subspan(primo); }
        void lasciaDavanti(std::size_t quanti);
    };
    // Brings the trace back within its buffer.
    void rientra(Traccia& t);
    std::array<Traccia, MaxTracce> tracce_;
    int dimensioneBuffer_ = 10000;
    double ampiezza_ = 1.0 / 24 / 60;
    double inizio_ = 0;
    double fine_ = 1.0 / 24 / 60;
    bool pausa_ = false;
    std::uint64_t perduti_ = 0;
    double scalaBassa_ = -50;
    double scalaAlta_ = 50;
    double limiteBasso_ = -200;
    double limiteAlto_ = 200;
};
