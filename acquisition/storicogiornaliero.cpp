#include "storicogiornaliero.h"

#include "cartellaprogramma.h"
#include "conversioni.h"
#include "ganci.h"
#include "generale.h"

#include <QFile>

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

}  // namespace

void ScriviStorico(const QString& riga, const QDate& giorno)
{
    QByteArray testo = riga.toLatin1() + QByteArrayLiteral("\r\n");
    const QString percorso = PercorsoStorico(giorno);
    // The torn line keeps a line of its own; this one starts on a fresh line and stays whole.
    if (finisceAMetaRiga(percorso))
        testo.prepend(QByteArrayLiteral("\r\n"));
    QFile file(percorso);
    // Unbuffered: the whole line goes to the file in one write, never half of it.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return;
    const qint64 prima = file.size();
    if (file.write(testo) != testo.size())
        file.resize(prima);  // a full disk must not leave a torn line for the reader
}

}  // namespace File_Ini

namespace Acquisizione {

QString CampoStorico(int zona)
{
    const int decimali = Generale::MappaLetturaZone[zona][Generale::Decimali];
    const int indice = std::clamp(Generale::IndiceGrafico, 0, Generale::NumeroValoriZona - 1);
    return Generale::FormattaDecimali(Generale::ValoriZone[zona][indice], (decimali >= 0 && decimali <= 3) ? decimali : 0) + QLatin1Char(';');
}

QString RigaStorico(const QDateTime& inizioPassata)
{
    QString riga = TestoDataOra(inizioPassata) + QLatin1Char(';');
    for (int i = 0; i < std::clamp(Generale::NumeroZone, 0, Generale::MaxZone); ++i)
        riga += CampoStorico(i);
    return riga;
}

}  // namespace Acquisizione
