// The loading of a recipe (Ricette::CaricaRicetta, no window): a season change of the largest
// plant, 30 zones of 20 lines, then one zone of 8,000 lines and one of 32,767 lines (the most
// Linee takes), which the window thread loads while nothing else is polled.
#include "cartellaprogramma.h"
#include "generale.h"
#include "ricetta.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

using namespace Generale;

namespace {

// `linee[z]` lines in zone z + 1: register writes, with a pause and a message now and then.
QByteArray Ricetta(const std::vector<int>& linee)
{
    QByteArray t = "[File]\r\nID = Quelvar\r\n\r\n[Note]\r\n< Spazio dedicato alle note del cliente >\r\n\r\n";
    for (std::size_t z = 0; z < linee.size(); ++z) {
        t += "[Zona " + QByteArray::number(int(z) + 1).rightJustified(2, '0') + "]\r\nIntervallo = 150\r\nLinee = "
            + QByteArray::number(linee[z]) + "\r\n";
        for (int j = 1; j <= linee[z]; ++j) {
            QByteArray riga;
            if (j % 500 == 0)
                riga = "0,SLEEP,100;Attesa";
            else if (j % 997 == 0)
                riga = "0,MSGBOX,2;Controllare la zona";
            else
                riga = "6," + QByteArray::number(j % 30000) + "," + QByteArray::number(j % 65536 - 32768) + ";Parametro "
                    + QByteArray::number(j);
            t += QByteArray::number(j) + " = " + riga + "\r\n";
        }
        t += "\r\n";
    }
    return t;
}

struct Esito {
    double ms;
    bool giusto;
};

// Per load, in milliseconds: the median of `volte` loads; `righe` rows expected.
Esito Misura(const QString& cartella, const QByteArray& contenuto, int volte, qsizetype righe)
{
    QFile f(cartella + QStringLiteral("/Ricetta/Prova.prg"));
    if (!f.open(QIODevice::WriteOnly) || f.write(contenuto) != contenuto.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(f.fileName()));
    f.close();
    std::array<qint32, MaxZone> intervalli{};
    std::vector<double> ms;
    bool giusto = true;
    for (int i = 0; i < volte; ++i) {
        QElapsedTimer t;
        t.start();
        const auto esito = Ricette::CaricaRicetta(QStringLiteral("Prova.prg"), Ricette::StadioScelta, intervalli);
        ms.push_back(t.nsecsElapsed() / 1e6);
        giusto = giusto && esito.stadio == Ricette::StadioCaricata && esito.righe.size() == righe;
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], giusto};
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int volte = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 11;
    QTemporaryDir cartella;
    Piattaforma::ImpostaCartellaProgramma(cartella.path());
    QDir(cartella.path()).mkpath(QStringLiteral("Ricetta"));
    NumeroZone = MaxZone;
    for (int z = 0; z < MaxZone; ++z) {
        MappaScritturaZone[z][Nodo] = std::int16_t(z + 1);
        NomiZone[z] = SezioneZona(z);
    }

    const Esito impianto = Misura(cartella.path(), Ricetta(std::vector<int>(MaxZone, 20)), volte, MaxZone * 20);
    const Esito ottomila = Misura(cartella.path(), Ricetta({8000}), std::max(1, volte / 2), 8000);
    const Esito massima = Misura(cartella.path(), Ricetta({32767}), std::max(1, volte / 4), 32767);

    std::printf("Recipe load, median, no window\n");
    std::printf("  30 zones x 20 lines:                %9.2f ms%s\n", impianto.ms, impianto.giusto ? "" : "  WRONG ROWS");
    std::printf("  one zone of 8,000 lines:            %9.2f ms%s\n", ottomila.ms, ottomila.giusto ? "" : "  WRONG ROWS");
    std::printf("  one zone of 32,767 lines:           %9.2f ms%s\n", massima.ms, massima.giusto ? "" : "  WRONG ROWS");
    return 0;
}
