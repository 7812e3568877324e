// One history day on screen: a file of 86,400 lines x 30 zones (about 20 MB, one line a second,
// the most the zone pass can write) loaded into the history window and drawn once, side by side
// in the same run with two floors on the same file: a plain sequential read (counting lines) and
// a line parse with std::from_chars that stores nothing. Also the process's peak memory with the
// day loaded, and a day whose clock was set back twelve hours at 18:00 (129,600 lines, half of
// them earlier than the line before them). Figures are printed, never asserted.
#include "caricastorico.h"
#include "cartellaprogramma.h"
#include "storico.h"
#include "tempotrend.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTime>

#include <sys/resource.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int Righe = 86400;
constexpr int Zone = 30;
constexpr int Ripetizioni = 5;
// The clock set back twelve hours at 18:00: 06:00 to 18:00 is written twice.
constexpr int Indietro = 12 * 3600;
constexpr int OraIndietro = 18 * 3600;
constexpr int RigheIndietro = Righe + Indietro;

// One line a second; `indietro`: the clock is set back at OraIndietro.
void scriviGiorno(const QString& percorso, bool indietro)
{
    QFile f(percorso);
    f.open(QIODevice::WriteOnly);
    QByteArray riga;
    for (int s = 0; s < (indietro ? RigheIndietro : Righe); ++s) {
        const int ora = indietro && s >= OraIndietro ? s - Indietro : s;
        riga = QByteArray(indietro ? "26/11/2026 " : "25/11/2026 ") + QTime::fromMSecsSinceStartOfDay(ora * 1000).toString("HH:mm:ss").toLatin1() + ';';
        for (int z = 0; z < Zone; ++z) {
            const double v = (s % 997 == z) ? -99999.0 : 20 + 8 * std::sin(s / 3000.0 + z) + z * 0.3;
            riga += QByteArray::number(v, 'f', 3).replace('.', ',') + ';';
        }
        riga += "\r\n";
        f.write(riga);
    }
}

// Floor 1: every byte read once, lines counted.
long letturaSemplice(const QString& percorso)
{
    QFile f(percorso);
    f.open(QIODevice::ReadOnly);
    std::vector<char> b(1 << 20);
    long righe = 0;
    qint64 n = 0;
    while ((n = f.read(b.data(), qint64(b.size()))) > 0)
        for (qint64 i = 0; i < n; ++i)
            righe += b[std::size_t(i)] == '\n';
    return righe;
}

// Floor 2: the same read, each value of each line parsed with std::from_chars, nothing stored.
double parseFromChars(const QString& percorso)
{
    QFile f(percorso);
    f.open(QIODevice::ReadOnly);
    const QByteArray tutto = f.readAll();
    const char* p = tutto.constData();
    const char* fine = p + tutto.size();
    double somma = 0;
    char campo[32];
    while (p < fine) {
        const char* capo = static_cast<const char*>(std::memchr(p, '\n', std::size_t(fine - p)));
        if (!capo)
            capo = fine;
        const char* q = static_cast<const char*>(std::memchr(p, ';', std::size_t(capo - p)));
        while (q && q + 1 < capo) {
            const char* a = q + 1;
            q = static_cast<const char*>(std::memchr(a, ';', std::size_t(capo - a)));
            if (!q || q - a >= 31)
                break;
            std::memcpy(campo, a, std::size_t(q - a));
            for (char* c = campo; c < campo + (q - a); ++c)
                if (*c == ',')
                    *c = '.';
            double v = 0;
            std::from_chars(campo, campo + (q - a), v);
            somma += v;
        }
        p = capo + 1;
    }
    return somma;
}

template <typename F>
double millisecondi(F f, int ripetizioni = Ripetizioni)
{
    std::vector<double> t;
    for (int i = 0; i < ripetizioni; ++i) {
        QElapsedTimer orologio;
        orologio.start();
        f();
        t.push_back(orologio.nsecsElapsed() / 1.0e6);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

long piccoMegabyte()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir cartella;
    Piattaforma::ImpostaCartellaProgramma(cartella.path());
    QDir(cartella.path()).mkpath(QStringLiteral("Dati"));
    const QString nome = QStringLiteral("2026_11_25.csv");
    const QString percorso = cartella.filePath(QStringLiteral("Dati/") + nome);
    scriviGiorno(percorso, false);
    const QString nomeIndietro = QStringLiteral("2026_11_26.csv");
    scriviGiorno(cartella.filePath(QStringLiteral("Dati/") + nomeIndietro), true);
    std::printf("History day: %d lines x %d zones, %.1f MB; median of %d\n", Righe, Zone,
                QFile(percorso).size() / 1048576.0, Ripetizioni);
    const long prima = piccoMegabyte();

    Storico storico;
    storico.resize(1600, 1000);
    storico.show();
    QImage immagine(storico.Trend->size(), QImage::Format_ARGB32_Premultiplied);
    long punti = 0;
    const double giorno = SerialeDaDataOra(QDateTime(QDate(2026, 11, 25), QTime(0, 0)));
    const double carica = millisecondi([&] {
        storico.Trend->CancellaPunti();
        punti = File_Ini::CaricaStoricoEsito(nome, *storico.Trend).punti;
        storico.Trend->ImpostaFinestraTempo(giorno, giorno + 1);  // the day, 00:00 to 24:00
        storico.Trend->render(&immagine);
    });
    const long picco = piccoMegabyte();
    const double soloCarica = millisecondi([&] {
        storico.Trend->CancellaPunti();
        File_Ini::CaricaStoricoEsito(nome, *storico.Trend);
    });
    int volta = 0;
    const double soloDisegno = millisecondi([&] {
        storico.Trend->ImpostaFinestraTempo(giorno, giorno + 1 - UnSecondo * (++volta % 7));  // drawn afresh each time
        storico.Trend->render(&immagine);
    });
    long puntiIndietro = 0;
    storico.Trend->ImpostaDimensioneBuffer(RigheIndietro);  // as the window makes room for a longer day
    const double indietro = millisecondi(
        [&] {
            storico.Trend->CancellaPunti();
            puntiIndietro = File_Ini::CaricaStoricoEsito(nomeIndietro, *storico.Trend).punti;
            storico.Trend->ImpostaFinestraTempo(giorno + 1, giorno + 2);  // the next day, 00:00 to 24:00
            storico.Trend->render(&immagine);
        },
        3);
    long righe = 0;
    const double semplice = millisecondi([&] { righe = letturaSemplice(percorso); });
    double somma = 0;
    const double parse = millisecondi([&] { somma = parseFromChars(percorso); });

    std::printf("%-44s %10s %8s\n", "case", "ms", "ratio");
    std::printf("%-44s %10.1f %8.2f   (%ld lines)\n", "plain sequential read (floor)", semplice, 1.0, righe);
    std::printf("%-44s %10.1f %8.2f   (checksum %.0f)\n", "line parse with std::from_chars (floor 2)", parse, parse / semplice, somma);
    std::printf("%-44s %10.1f %8.2f   (%ld points)\n", "CaricaStorico + one repaint of the chart", carica, carica / semplice, punti);
    std::printf("%-44s %10.1f %8.2f\n", "  of which the read", soloCarica, soloCarica / semplice);
    std::printf("%-44s %10.1f %8.2f\n", "  of which the repaint", soloDisegno, soloDisegno / semplice);
    std::printf("%-44s %10.1f %8.2f   (%ld points, %d lines)\n", "clock set back 12 h: CaricaStorico + repaint", indietro,
                indietro / semplice, puntiIndietro, RigheIndietro);
    std::printf("peak memory: %ld MB before the window, %ld MB with the day loaded\n", prima, picco);
    return 0;
}
