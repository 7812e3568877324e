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

void ScriviStorico(const QString& riga, const QDate& giorno)
{
    const QByteArray testo = riga.toLatin1() + QByteArrayLiteral("\r\n");
    QFile file(PercorsoStorico(giorno));
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
