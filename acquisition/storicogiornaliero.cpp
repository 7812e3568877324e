#include "storicogiornaliero.h"

#include "cartellaprogramma.h"
#include "conversioni.h"
#include "ganci.h"
#include "generale.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace File_Ini {

QString PercorsoStorico(const QDate& giorno)
{
    return Piattaforma::PercorsoProgramma(QStringLiteral("Dati/") + giorno.toString(QStringLiteral("yyyy_MM_dd")) + QStringLiteral(".csv"));
}

namespace {

// True when the file ends inside a line: a write cut short by a power failure or a full disk.
bool finisceAMetaRiga(const QString& percorso)
{
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0 || !file.seek(file.size() - 1))
        return false;
    char ultimo = 0;
    return file.getChar(&ultimo) && ultimo != '\n';
}

bool scriviRiga(const QString& percorso, QByteArray testo)
{
    // The torn line keeps a line of its own; this one starts on a fresh line and stays whole.
    if (finisceAMetaRiga(percorso))
        testo.prepend(QByteArrayLiteral("\r\n"));
    QFile file(percorso);
    // Unbuffered: the whole line goes to the file in one write, never half of it.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const qint64 prima = file.size();
    if (file.write(testo) == testo.size())
        return true;
    // A full disk must not leave a torn line for the reader; should the cut fail, the next line
    // still starts on its own (above).
    file.resize(prima);
    return false;
}

// A Dati folder that is gone is made again, as at start-up, so the history does not wait for
// someone to make it by hand. Only the one folder: a program folder that is gone (its disk taken
// away) is not made anew.
bool scriviRigaOCartella(const QString& percorso, const QByteArray& testo)
{
    if (scriviRiga(percorso, testo))
        return true;
    const QString cartella = QFileInfo(percorso).absolutePath();
    return !QFileInfo::exists(cartella) && QDir().mkdir(cartella) && scriviRiga(percorso, testo);
}

// Whether the last line was lost: the outage is told once, at its first line, and its end once.
bool inInterruzione = false;

}  // namespace

bool ScriviStorico(const QString& riga, const QDate& giorno)
{
    const bool scritto = scriviRigaOCartella(PercorsoStorico(giorno), riga.toLatin1() + QByteArrayLiteral("\r\n"));
    if (scritto == inInterruzione) {
        inInterruzione = !scritto;
        if (Acquisizione::GanciAttivi().EsitoStorico) {
            const QString testo = scritto ? TestoStoricoRipreso : TestoStoricoNonScritto;
            Acquisizione::GanciAttivi().EsitoStorico(
                scritto, testo + QStringLiteral(" (") + Acquisizione::TestoDataOra(Acquisizione::Adesso()) + QLatin1Char(')'));
        }
    }
    return scritto;
}

}  // namespace File_Ini

namespace Acquisizione {

QString CampoStorico(int zona, int indice)
{
    const int decimali = Generale::MappaLetturaZone[zona][Generale::Decimali];
    indice = std::clamp(indice, 0, Generale::NumeroValoriZona - 1);
    return Generale::FormattaDecimali(Generale::ValoriZone[zona][indice], (decimali >= 0 && decimali <= 3) ? decimali : 0) + QLatin1Char(';');
}

}  // namespace Acquisizione
