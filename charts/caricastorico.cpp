#include "caricastorico.h"

#include "cartellaprogramma.h"
#include "tempotrend.h"
#include "trend.h"

#include <QDate>
#include <QFile>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace File_Ini {

namespace {

// Longest line worth reading: 30 values of a dozen characters and the date are under 450
// characters. Anything longer is damage (a file that lost its line breaks) and is skipped
// without being held in memory.
constexpr std::size_t LunghezzaMassima = 4096;
constexpr qint64 Blocco = 1 << 20;

bool cifre(std::string_view t, int& valore)
{
    valore = 0;
    for (char c : t) {
        if (c < '0' || c > '9')
            return false;
        valore = valore * 10 + (c - '0');
    }
    return !t.empty();
}

std::string_view senzaBlank(std::string_view t)
{
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t'))
        t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t' || t.back() == '\r'))
        t.remove_suffix(1);
    return t;
}

// "dd/MM/yyyy" or "dd/MM/yyyy HH:mm:ss": the time as the clock read it (a serial with no zone),
// and the serials it stands for (two in the hour the clocks go back).
struct DataOraLetta {
    double letta;
    double primo;
    double secondo;
};

std::optional<DataOraLetta> leggiDataOra(std::string_view t)
{
    t = senzaBlank(t);
    if (t.size() != 10 && t.size() != 19)
        return std::nullopt;
    int g = 0, m = 0, a = 0;
    if (t[2] != '/' || t[5] != '/' || !cifre(t.substr(0, 2), g) || !cifre(t.substr(3, 2), m) || !cifre(t.substr(6, 4), a))
        return std::nullopt;
    // One day has one serial: the many lines of a day convert the date once.
    static thread_local int ultimoG = -1, ultimoM = -1, ultimoA = -1;
    static thread_local double ultimoGiorno = 0;
    static thread_local QDate giorno;
    if (g != ultimoG || m != ultimoM || a != ultimoA) {
        // A date no calendar has is this line's damage alone: the day held stays the one read.
        const QDate letto(a, m, g);
        if (!letto.isValid())
            return std::nullopt;
        giorno = letto;
        const QDate zero(1899, 12, 30);
        ultimoGiorno = double(zero.daysTo(giorno));
        ultimoG = g;
        ultimoM = m;
        ultimoA = a;
    }
    int h = 0, n = 0, s = 0;
    if (t.size() == 19 && (t[10] != ' ' || t[13] != ':' || t[16] != ':' || !cifre(t.substr(11, 2), h) ||
                           !cifre(t.substr(14, 2), n) || !cifre(t.substr(17, 2), s) || h > 23 || n > 59 || s > 59))
        return std::nullopt;
    const double frazione = (h * 3600 + n * 60 + s) / 86400.0;
    const double letta = ultimoGiorno >= 0 ? ultimoGiorno + frazione : ultimoGiorno - frazione;
    // What the local zone makes of the reading, once a minute of the day: the clocks change on a
    // whole minute. Most of the year, and always in a zone without daylight saving, nothing.
    static thread_local double minutoFatto = std::numeric_limits<double>::quiet_NaN();
    static thread_local double scartoPrimo = 0, scartoSecondo = 0;
    const double minuto = ultimoGiorno * 1440 + (ultimoGiorno >= 0 ? 1 : -1) * (h * 60 + n);
    if (minuto != minutoFatto) {
        const auto [primo, secondo] = SerialiOraLocale(giorno, QTime(h, n));
        const double inizioMinuto = ultimoGiorno >= 0 ? ultimoGiorno + (h * 60 + n) / 1440.0 : ultimoGiorno - (h * 60 + n) / 1440.0;
        scartoPrimo = primo - inizioMinuto;
        scartoSecondo = secondo - inizioMinuto;
        minutoFatto = minuto;
    }
    return DataOraLetta{letta, scartoPrimo == 0 ? letta : letta + scartoPrimo, scartoSecondo == 0 ? letta : letta + scartoSecondo};
}

// A value with "," or "." as its decimal separator, blanks around it allowed.
std::optional<double> leggiValore(std::string_view t)
{
    t = senzaBlank(t);
    if (t.empty() || t.size() > 31)
        return std::nullopt;
    // The writer's values are a sign, digits and one separator ("-99999", "21,5"): read as a whole
    // number of tenths, hundredths ... divided once, which is exact up to 15 digits. Other texts
    // of digits go to the full conversion.
    static constexpr double Potenze[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const bool negativo = t.front() == '-';
    std::int64_t mantissa = 0;
    int cifreLette = 0;
    int decimali = -1;
    for (std::size_t i = negativo ? 1 : 0; i < t.size(); ++i) {
        const char c = t[i];
        if (c == ',' || c == '.') {
            if (decimali >= 0)
                return std::nullopt;
            decimali = 0;
        } else if (c >= '0' && c <= '9') {
            mantissa = mantissa * 10 + (c - '0');
            ++cifreLette;
            if (decimali >= 0)
                ++decimali;
        } else {
            return std::nullopt;  // no exponent, no "inf" or "nan": the writer never puts them
        }
        if (cifreLette > 15)
            break;
    }
    if (cifreLette == 0)
        return std::nullopt;
    if (cifreLette <= 15) {
        const double v = double(negativo ? -mantissa : mantissa) / Potenze[std::max(decimali, 0)];
        return double(float(v));  // the values are single precision, as the zone table holds them
    }
    char testo[32];
    for (std::size_t i = 0; i < t.size(); ++i)
        testo[i] = t[i] == ',' ? '.' : t[i];
    double v = 0;
    const auto [fine, errore] = std::from_chars(testo, testo + t.size(), v);
    if (errore != std::errc() || fine != testo + t.size() || !std::isfinite(v) || !std::isfinite(float(v)))
        return std::nullopt;
    return double(float(v));
}

}  // namespace

std::optional<RigaStorico> LeggiRigaStorico(std::string_view riga)
{
    if (!riga.empty() && riga.back() == '\r')
        riga.remove_suffix(1);
    std::size_t punto = riga.find(';');
    if (punto == std::string_view::npos)
        return std::nullopt;
    const auto tempo = leggiDataOra(riga.substr(0, punto));
    if (!tempo)
        return std::nullopt;
    RigaStorico r;
    r.tempo = tempo->primo;
    r.tempoRipetuto = tempo->secondo;
    r.letta = tempo->letta;
    riga.remove_prefix(punto + 1);
    while (!senzaBlank(riga).empty()) {
        punto = riga.find(';');
        if (punto == std::string_view::npos || r.valori == int(r.valore.size()))
            return std::nullopt;  // cut short inside its last value, or more values than traces
        const auto v = leggiValore(riga.substr(0, punto));
        if (!v)
            return std::nullopt;
        r.valore[std::size_t(r.valori++)] = *v;
        riga.remove_prefix(punto + 1);
    }
    return r;
}

EsitoStorico LeggiStorico(const QString& percorso, Trend& trend)
{
    EsitoStorico esito;
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        return esito;
    esito.aperto = true;

    std::optional<RigaStorico> sospesa;  // a line whose value count the next line decides
    int contoAccettato = -1;             // -1: no line taken yet
    bool ripetuta = false;               // the file stepped back into the repeated hour
    double lettaPrima = -std::numeric_limits<double>::infinity();
    std::size_t lunghezza = 0;  // of the line being read, line break included
    const std::uint64_t perdutiPrima = trend.Dati().Perduti();
    // Each trace's points in file order, handed to the chart when a buffer's worth is read and at
    // the end: the chart sorts them once, where a clock set back would have it move the trace at
    // every point that steps back.
    const std::size_t capienza = std::size_t(trend.Dati().DimensioneBuffer());
    std::array<std::vector<PuntoTrend>, DatiTrend::MaxTracce> lotti;
    std::size_t riserva = 0;  // room for the day: as many lines as the file holds lines like the first
    int ultimaTraccia = 0;    // of the last point read
    auto consegna = [&](int k) {
        if (!lotti[std::size_t(k)].empty())
            trend.Dati().AggiungiPunti(k + 1, std::exchange(lotti[std::size_t(k)], {}));
    };
    auto aggiungi = [&](const RigaStorico& r) {
        if (riserva == 0) {
            const std::size_t righe = std::size_t(file.size()) / std::max<std::size_t>(1, lunghezza) + 16;
            riserva = std::min(righe + righe / 16, capienza);
        }
        for (int k = 0; k < r.valori; ++k) {
            auto& lotto = lotti[std::size_t(k)];
            if (lotto.capacity() == 0)
                lotto.reserve(riserva);
            lotto.push_back({r.tempo, r.valore[std::size_t(k)]});
            if (lotto.size() >= capienza)
                consegna(k);
        }
        esito.punti += r.valori;
        ++esito.righe;
        contoAccettato = r.valori;
        if (r.valori > 0)
            ultimaTraccia = r.valori - 1;
    };
    auto riga = [&](std::string_view testo) {
        if (senzaBlank(testo).empty()) {
            // The writer never leaves an empty line: one is damage, though it carries nothing.
            ++esito.scartate;
            return;
        }
        lunghezza = testo.size() + 1;
        auto r = LeggiRigaStorico(testo);
        if (!r) {
            ++esito.scartate;
            return;
        }
        if (!ripetuta && r->letta < lettaPrima && r->tempoRipetuto != r->tempo)
            ripetuta = true;
        lettaPrima = r->letta;
        if (ripetuta)
            r->tempo = r->tempoRipetuto;
        if (sospesa) {
            if (contoAccettato < 0) {
                // The first line: cut short when the next one has more values.
                if (r->valori > sospesa->valori)
                    ++esito.scartate;
                else
                    aggiungi(*sospesa);
            } else if (sospesa->valori == r->valori) {
                aggiungi(*sospesa);  // the zone count changed and stays changed
            } else {
                ++esito.scartate;    // one line out of step with both sides: cut short
            }
            sospesa.reset();
        }
        if (r->valori == contoAccettato)
            aggiungi(*r);
        else
            sospesa = r;
    };

    std::vector<char> buffer(std::size_t(Blocco) + LunghezzaMassima);
    std::size_t tenuti = 0;     // start of a line carried over from the block before
    bool troppoLunga = false;   // inside a line past LunghezzaMassima: skipped to its end
    for (;;) {
        const qint64 letti = file.read(buffer.data() + tenuti, Blocco);
        if (letti < 0) {
            ++esito.scartate;  // a read error: whatever followed is lost
            break;
        }
        const std::size_t fine = tenuti + std::size_t(letti);
        std::size_t inizio = 0;
        for (;;) {
            const void* a = std::memchr(buffer.data() + inizio, '\n', fine - inizio);
            if (!a)
                break;
            const std::size_t capo = std::size_t(static_cast<const char*>(a) - buffer.data());
            if (!troppoLunga)
                riga(std::string_view(buffer.data() + inizio, capo - inizio));
            troppoLunga = false;
            inizio = capo + 1;
        }
        tenuti = fine - inizio;
        if (tenuti > LunghezzaMassima) {
            if (!troppoLunga)
                ++esito.scartate;
            troppoLunga = true;
            tenuti = 0;
        } else if (tenuti > 0) {
            std::memmove(buffer.data(), buffer.data() + inizio, tenuti);
        }
        if (letti == 0)
            break;
    }
    bool ultimaIntera = true;  // the last line ends with its line break
    if (tenuti > 0 && !troppoLunga) {
        riga(std::string_view(buffer.data(), tenuti));  // a last line without its line break
        ultimaIntera = false;
    }
    if (sospesa) {
        // The last line: fewer values than the lines before it and no line break is a line cut
        // short; with its line break it was written so.
        if (sospesa->valori > contoAccettato || ultimaIntera)
            aggiungi(*sospesa);
        else
            ++esito.scartate;
    }
    // The trace of the last point last, so the window ends where the last line put it.
    for (int k = 0; k < DatiTrend::MaxTracce; ++k)
        if (k != ultimaTraccia)
            consegna(k);
    consegna(ultimaTraccia);
    esito.perduti = long(trend.Dati().Perduti() - perdutiPrima);
    trend.Ridisegna();
    return esito;
}

EsitoStorico CaricaStoricoEsito(const QString& nomeFile, Trend& trend)
{
    return LeggiStorico(Piattaforma::PercorsoProgramma(QStringLiteral("Dati/") + nomeFile), trend);
}

bool CaricaStorico(const QString& nomeFile, Trend& trend)
{
    return CaricaStoricoEsito(nomeFile, trend).Completo();
}

}  // namespace File_Ini
