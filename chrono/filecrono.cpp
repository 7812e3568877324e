#include "filecrono.h"

#include "avvisicrono.h"
#include "cartellaprogramma.h"
#include "chiavi.h"
#include "conversioni.h"
#include "crono.h"
#include "file_ini.h"
#include "sostituzione.h"
#include "testo1252.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <cstdlib>
#include <optional>

namespace Crono {

namespace {

const QByteArray FineRiga = QByteArrayLiteral("\r\n");
constexpr double ValoreCellaMassimo = 1e9;

QByteArray contenutoTabella(float (*cella)(int, int, int))
{
    QByteArray testo;
    testo.reserve(RigheFileCrono * 6);
    for (int s = 0; s < Generale::NumeroFasce; ++s)
        for (int z = 0; z < Generale::MaxZone; ++z)
            for (int g = 0; g < Generale::NumeroGiorni; ++g)
                testo += TestoCella(cella(s, z, g)).toLatin1() + FineRiga;
    return testo;
}

// Lines of a text file without their CR LF or LF and without a byte-order mark before the first;
// nothing when it cannot be read.
QStringList righe(const QString& percorso)
{
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray contenuto = file.readAll();
    QStringList elenco = Piattaforma::Da1252(Piattaforma::SenzaMarcaUtf8(contenuto)).split(QLatin1Char('\n'));
    if (!elenco.isEmpty() && elenco.last().isEmpty())
        elenco.removeLast();
    for (QString& r : elenco)
        if (r.endsWith(QLatin1Char('\r')))
            r.chop(1);
    return elenco;
}

// The value a cell takes from a line of the programme file: none for a text that is no number,
// nor for a number the file could not give back once it is in the cell. The cell is single
// precision: 999999999,9 is 1e9 there, which a save would write as "1000000000,0" and the next
// load refuse, so the cell would change by itself at the next start.
std::optional<float> valoreCella(const QString& riga)
{
    const auto valore = Generale::LeggiNumero(riga);
    // Checked before the conversion too: a number beyond the range of single precision has none.
    if (!valore || !(std::fabs(*valore) < ValoreCellaMassimo))
        return std::nullopt;
    const float cella = float(*valore);
    if (!(std::fabs(cella) < ValoreCellaMassimo))
        return std::nullopt;
    return cella;
}

}  // namespace

QString TestoCella(float valore)
{
    const long long decimi = std::llround(double(valore) * 10.0);
    const long long assoluto = std::llabs(decimi);
    return QStringLiteral("%1%2,%3")
        .arg(decimi < 0 ? QStringLiteral("-") : QString())
        .arg(assoluto / 10, 2, 10, QLatin1Char('0'))
        .arg(assoluto % 10);
}

QString PercorsoFileCrono() { return Piattaforma::PercorsoProgramma(QStringLiteral("Crono/Cronotermostato.cts")); }
QString PercorsoFestivita() { return Piattaforma::PercorsoProgramma(QStringLiteral("Crono/Festivita.cts")); }

}  // namespace Crono

namespace File_Ini {

using namespace Crono;

void CreaFileCrono()
{
    if (!QFileInfo::exists(PercorsoFileCrono()))
        Piattaforma::SostituisciFile(PercorsoFileCrono(), contenutoTabella([](int, int, int) { return 20.0f; }));
    if (!QFileInfo::exists(PercorsoFestivita()))
        Piattaforma::SostituisciFile(PercorsoFestivita(), QByteArrayLiteral(" \r\n"));
}

void CaricaCronotermostato()
{
    RiempiFasceOrarie();
    CreaFileCrono();

    const QStringList tabella = righe(PercorsoFileCrono());
    const int lette = std::min<int>(tabella.size(), RigheFileCrono);
    for (int n = 0; n < lette; ++n) {
        const auto valore = valoreCella(tabella[n]);
        if (!valore)
            continue;
        const int s = n / (Generale::MaxZone * Generale::NumeroGiorni);
        const int z = (n / Generale::NumeroGiorni) % Generale::MaxZone;
        const int g = n % Generale::NumeroGiorni;
        Generale::TabellaCrono[s][z][g] = *valore;
    }

    Festivita.clear();
    for (const QString& riga : righe(PercorsoFestivita())) {
        const QString giorno = riga.trimmed();
        if (!giorno.isEmpty())
            Festivita.append(giorno);
    }
    emit Avvisi().FileLetti();
}

bool SalvaCronotermostato()
{
    // The first write refused ends the save: what was not written stays as the files have it.
    if (!Piattaforma::SostituisciFile(PercorsoFileCrono(), contenutoTabella([](int s, int z, int g) {
            return Generale::TabellaCrono[s][z][g];
        })))
        return false;
    if (!SalvaFestivita())
        return false;
    for (int z = 0; z < Generale::MaxZone; ++z)
        if (!ScriviIni(Generale::SezioneZona(z), Chiavi::Dispositivo::Cronotermostato,
                       Generale::CronoAttivoZona[z] ? QStringLiteral("1") : QStringLiteral("0")))
            return false;
    return true;
}

bool SalvaFestivita()
{
    QByteArray testo;
    for (const QString& giorno : Festivita)
        testo += Piattaforma::In1252(giorno) + FineRiga;
    if (Festivita.isEmpty())
        testo = QByteArray(10, ' ') + FineRiga;
    return Piattaforma::SostituisciFile(PercorsoFestivita(), testo);
}

}  // namespace File_Ini
