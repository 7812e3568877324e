#include "datitrend.h"

#include "generale.h"
#include "tempotrend.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double Assente = Generale::ValoreAssente;

bool lacuna(const PuntoTrend& p) { return p.valore == Assente; }

bool primaDi(const PuntoTrend& p, double t) { return p.tempo < t; }
bool piuPresto(const PuntoTrend& a, const PuntoTrend& b) { return a.tempo < b.tempo; }
bool dopoDi(double t, const PuntoTrend& p) { return t < p.tempo; }

double interpola(const PuntoTrend& a, const PuntoTrend& b, double t)
{
    if (b.tempo <= a.tempo)
        return b.valore;
    return a.valore + (b.valore - a.valore) * (t - a.tempo) / (b.tempo - a.tempo);
}


}  // namespace

void DatiTrend::Traccia::lasciaDavanti(std::size_t quanti)
{
    primo += std::min(quanti, punti.size() - primo);
    if (primo * 4 >= punti.size()) {
        punti.erase(punti.begin(), punti.begin() + std::ptrdiff_t(primo));
        primo = 0;
    }
}

void DatiTrend::AggiungiPunto(int traccia, double tempo, double valore)
{
    if (!valida(traccia) || !std::isfinite(tempo))
        return;
    if (!std::isfinite(valore))
        valore = Assente;
    Traccia& t = tracce_[traccia - 1];
    if (t.punti.size() == t.primo || tempo >= t.punti.back().tempo)
        t.punti.push_back({tempo, valore});
    else
        t.punti.insert(std::upper_bound(t.punti.begin() + std::ptrdiff_t(t.primo), t.punti.end(), tempo, dopoDi), {tempo, valore});
    rientra(t);
    ++t.versione;
    // The window ends at the newest point added, also one earlier than the last: when the
    // clocks go back an hour the chart keeps moving instead of waiting for the hour to pass again.
    if (!pausa_) {
        fine_ = tempo;
        inizio_ = tempo - ampiezza_;
    }
}

void DatiTrend::rientra(Traccia& t)
{
    const std::size_t tenuti = t.punti.size() - t.primo;
    if (tenuti <= std::size_t(dimensioneBuffer_))
        return;
    const std::size_t troppi = tenuti - std::size_t(dimensioneBuffer_);
    perduti_ += troppi;
    ++t.versione;
    std::size_t davanti = troppi;
    if (pausa_) {
        // The frozen window keeps its points and the one just before and just after it, which
        // carry the line in and out at its edges: the points before it go first, then the
        // earliest after it.
        const auto [t0, t1] = AsseTempi();
        const auto inizio = t.punti.begin() + std::ptrdiff_t(t.primo);
        const auto da = std::lower_bound(inizio, t.punti.end(), t0, primaDi);
        const auto a = std::upper_bound(da, t.punti.end(), t1, dopoDi);
        const std::size_t prima = std::size_t(std::max<std::ptrdiff_t>(0, da - inizio - 1));
        const std::size_t oltre = std::size_t(std::max<std::ptrdiff_t>(0, t.punti.end() - a - 1));
        const std::size_t dopo = std::min(troppi - std::min(troppi, prima), oltre);
        if (dopo > 0)
            t.punti.erase(a + 1, a + 1 + std::ptrdiff_t(dopo));
        davanti = troppi - dopo;
    }
    t.lasciaDavanti(davanti);
}

void DatiTrend::AggiungiPunti(int traccia, std::vector<PuntoTrend> punti)
{
    if (!valida(traccia))
        return;
    std::erase_if(punti, [](const PuntoTrend& p) { return !std::isfinite(p.tempo); });
    if (punti.empty())
        return;
    for (PuntoTrend& p : punti)
        if (!std::isfinite(p.valore))
            p.valore = Assente;
    const double ultimo = punti.back().tempo;
    // Stable: points of one time keep the order they were taken in. They come in runs already in
    // order, one more at each time the clock was set back: a few runs are merged one by one, a
    // pass each, many are sorted.
    auto ordinati = std::is_sorted_until(punti.begin(), punti.end(), piuPresto);
    for (int fusioni = 0; ordinati != punti.end() && fusioni < 16; ++fusioni) {
        const auto corsa = std::is_sorted_until(ordinati, punti.end(), piuPresto);
        std::inplace_merge(punti.begin(), ordinati, corsa, piuPresto);
        ordinati = corsa;
    }
    if (ordinati != punti.end())
        std::stable_sort(punti.begin(), punti.end(), piuPresto);
    Traccia& t = tracce_[traccia - 1];
    if (t.punti.size() == t.primo) {
        t.punti = std::move(punti);
        t.primo = 0;
    } else {
        const auto vecchi = std::ptrdiff_t(t.punti.size());
        t.punti.insert(t.punti.end(), punti.begin(), punti.end());
        std::inplace_merge(t.punti.begin() + std::ptrdiff_t(t.primo), t.punti.begin() + vecchi, t.punti.end(), piuPresto);
    }
    rientra(t);
    ++t.versione;
    if (!pausa_) {
        fine_ = ultimo;
        inizio_ = ultimo - ampiezza_;
    }
}

void DatiTrend::CancellaPunti()
{
    for (Traccia& t : tracce_) {
        std::vector<PuntoTrend>().swap(t.punti);  // gives the memory back too
        t.primo = 0;
        ++t.versione;
    }
}

std::span<const PuntoTrend> DatiTrend::Punti(int traccia) const
{
    return valida(traccia) ? tracce_[traccia - 1].validi() : std::span<const PuntoTrend>();
}

void DatiTrend::ImpostaDimensioneBuffer(int punti)
{
    dimensioneBuffer_ = std::clamp(punti, 1, BufferMassimo);
    for (Traccia& t : tracce_)
        rientra(t);
}

void DatiTrend::ImpostaAmpiezzaTempo(double giorni)
{
    if (std::isfinite(giorni) && giorni >= 0)
        ampiezza_ = giorni;
}

void DatiTrend::ImpostaTempoInizio(double tempo)
{
    if (std::isfinite(tempo))
        inizio_ = tempo;
}

void DatiTrend::ImpostaTempoFine(double tempo)
{
    if (std::isfinite(tempo))
        fine_ = tempo;
}

void DatiTrend::ImpostaFinestraTempo(double inizio, double fine)
{
    ImpostaTempoInizio(inizio);
    ImpostaTempoFine(fine);
}

void DatiTrend::ImpostaScalaBassa(double v) { if (std::isfinite(v)) scalaBassa_ = v; }
void DatiTrend::ImpostaScalaAlta(double v) { if (std::isfinite(v)) scalaAlta_ = v; }
void DatiTrend::ImpostaLimiteBasso(double v) { if (std::isfinite(v)) limiteBasso_ = v; }
void DatiTrend::ImpostaLimiteAlto(double v) { if (std::isfinite(v)) limiteAlto_ = v; }

std::pair<double, double> DatiTrend::AsseValori() const
{
    double basso = std::min(scalaBassa_, scalaAlta_);
    double alto = std::max(scalaBassa_, scalaAlta_);
    if (limiteBasso_ < limiteAlto_) {
        basso = std::clamp(basso, limiteBasso_, limiteAlto_);
        alto = std::clamp(alto, limiteBasso_, limiteAlto_);
    }
    if (alto - basso <= std::abs(basso) * 1e-12) {
        basso -= 1;
        alto += 1;
    }
    return {basso, alto};
}

std::pair<double, double> DatiTrend::AsseTempi() const
{
    const double inizio = std::min(inizio_, fine_);
    const double fine = std::max(inizio_, fine_);
    return {inizio, std::max(fine, inizio + UnSecondo)};
}

StatisticheTrend DatiTrend::statistiche(std::span<const PuntoTrend> punti)
{
    double massimo = -std::numeric_limits<double>::infinity();
    double minimo = std::numeric_limits<double>::infinity();
    double somma = 0;
    long long quanti = 0;
    for (const PuntoTrend& p : punti) {
        if (lacuna(p))
            continue;
        massimo = std::max(massimo, p.valore);
        minimo = std::min(minimo, p.valore);
        somma += p.valore;
        ++quanti;
    }
    if (quanti == 0)
        return {Assente, Assente, Assente};
    return {massimo, somma / double(quanti), minimo};
}

StatisticheTrend DatiTrend::Assolute(int traccia) const
{
    return statistiche(Punti(traccia));
}

StatisticheTrend DatiTrend::Viste(int traccia) const
{
    const auto punti = Punti(traccia);
    const auto [t0, t1] = AsseTempi();
    const auto da = std::lower_bound(punti.begin(), punti.end(), t0, primaDi);
    return statistiche(std::span(da, std::upper_bound(da, punti.end(), t1, dopoDi)));
}

double DatiTrend::passoMassimo(std::span<const PuntoTrend> punti)
{
    // The usual step from a sample of at most a thousand steps spread over the trace: the cost
    // does not grow with the points, and the median does not move for a few long steps.
    constexpr std::size_t Campioni = 1000;
    if (punti.size() < 3)
        return std::numeric_limits<double>::infinity();  // one step tells nothing of the usual one
    const std::size_t passi = punti.size() - 1;
    const std::size_t ogni = std::max<std::size_t>(1, passi / Campioni);
    std::vector<double> campione;
    campione.reserve(passi / ogni + 1);
    for (std::size_t i = 1; i < punti.size(); i += ogni)
        campione.push_back(punti[i].tempo - punti[i - 1].tempo);
    const auto mezzo = campione.begin() + std::ptrdiff_t((campione.size() - 1) / 2);
    std::nth_element(campione.begin(), mezzo, campione.end());
    return FattoreLacuna * std::max(*mezzo, UnSecondo);
}

double DatiTrend::PassoMassimo(int traccia) const
{
    return passoMassimo(Punti(traccia));
}

double DatiTrend::ValoreA(int traccia, double tempo) const
{
    const auto punti = Punti(traccia);
    if (punti.empty() || !std::isfinite(tempo))
        return Assente;
    const auto dopo = std::lower_bound(punti.begin(), punti.end(), tempo, primaDi);
    if (dopo != punti.end() && dopo->tempo == tempo)
        return dopo->valore;  // a gap answers ValoreAssente itself
    if (dopo == punti.begin() || dopo == punti.end())
        return Assente;  // before the first point or after the last
    const auto prima = std::prev(dopo);
    if (lacuna(*prima) || lacuna(*dopo) || dopo->tempo - prima->tempo > passoMassimo(punti))
        return Assente;
    return tempo - prima->tempo <= dopo->tempo - tempo ? prima->valore : dopo->valore;
}

std::vector<ColonnaTrend> DatiTrend::Colonne(int traccia, int larghezza) const
{
    std::vector<ColonnaTrend> colonne;
    const auto punti = Punti(traccia);
    if (larghezza <= 0 || punti.empty())
        return colonne;
    const auto [t0, t1] = AsseTempi();
    const double pixelPerGiorno = larghezza / (t1 - t0);
    const auto da = std::lower_bound(punti.begin(), punti.end(), t0, primaDi);
    const auto a = std::upper_bound(da, punti.end(), t1, dopoDi);
    const double passo = passoMassimo(punti);
    // A stretch without readings before this point.
    auto salto = [&](decltype(da) it) { return it != punti.begin() && it->tempo - std::prev(it)->tempo > passo; };

    bool rottura = false;  // a gap since the last value drawn
    PuntoTrend ultimo{};   // the last value drawn, to carry the line out of the window
    bool haUltimo = false;

    // The line from the last point before the window, cut at its left edge.
    if (da != punti.begin() && da != punti.end() && !lacuna(*std::prev(da)) && !lacuna(*da) && !salto(da)) {
        const double v = interpola(*std::prev(da), *da, t0);
        colonne.push_back({0, v, v, v, v, false});
        ultimo = {t0, v};
        haUltimo = true;
    }
    // Column by column: the points up to the column's right boundary, in one tight loop.
    auto it = da;
    while (it != a) {
        if (lacuna(*it)) {
            rottura = true;
            ++it;
            continue;
        }
        if (salto(it))
            rottura = true;
        const int x = std::min(larghezza - 1, int((it->tempo - t0) * pixelPerGiorno));
        const double limite = x + 1 < larghezza ? t0 + (x + 1) / pixelPerGiorno : std::numeric_limits<double>::infinity();
        const bool stessaColonna = !colonne.empty() && colonne.back().x == x;
        ColonnaTrend c = stessaColonna ? colonne.back() : ColonnaTrend{x, it->valore, it->valore, it->valore, it->valore, haUltimo && !rottura};
        c.minimo = std::min(c.minimo, it->valore);
        c.massimo = std::max(c.massimo, it->valore);
        c.ultimo = it->valore;
        ultimo = *it;
        // Rounding may put this point's time at the boundary itself: it is taken all the same.
        for (++it; it != a && it->tempo < limite; ++it) {
            const double v = it->valore;
            if (v == Assente)
                continue;  // inside one column a gap only splits what one pixel shows anyway
            c.minimo = std::min(c.minimo, v);
            c.massimo = std::max(c.massimo, v);
            c.ultimo = v;
            ultimo = *it;
        }
        // A gap that ends the column breaks the line to the next one.
        rottura = lacuna(*std::prev(it));
        if (stessaColonna)
            colonne.back() = c;
        else
            colonne.push_back(c);
        haUltimo = true;
    }
    // The line on to the first point after the window, cut at its right edge.
    if (a != punti.end() && haUltimo && !rottura && !lacuna(*a) && !salto(a)) {
        const double v = interpola(ultimo, *a, t1);
        colonne.push_back({larghezza, v, v, v, v, true});
    }
    return colonne;
}
