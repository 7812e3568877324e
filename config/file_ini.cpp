#include "file_ini.h"

#include "cartellaprogramma.h"
#include "generale.h"
#include "profilo.h"

#include <QDir>
#include <QFileInfo>

namespace File_Ini {

namespace P = Piattaforma::Profilo;
using Piattaforma::PercorsoProgramma;

namespace {
QString percorsoBase() { return PercorsoProgramma(QString::fromLatin1(Chiavi::FileBase)); }
}  // namespace

QString PercorsoImpostazioni() { return PercorsoProgramma(Generale::FileImpostazioni); }

QString LeggiIniBase(const QString& sezione, const QString& chiave, const QString& predefinito)
{
    return P::Leggi(percorsoBase(), sezione, chiave, predefinito);
}

QString LeggiIni(const QString& sezione, const QString& chiave, const QString& predefinito)
{
    return P::Leggi(PercorsoImpostazioni(), sezione, chiave, predefinito);
}

QString LeggiIniFile(const QString& sezione, const QString& chiave, const QString& predefinito, const QString& nomeFile)
{
    return P::Leggi(PercorsoProgramma(nomeFile), sezione, chiave, predefinito);
}

long ScriviIniBase(const QString& sezione, const QString& chiave, const QString& valore)
{
    return P::Scrivi(percorsoBase(), sezione, chiave, valore) ? 1 : 0;
}

long ScriviIni(const QString& sezione, const QString& chiave, const QString& valore)
{
    return P::Scrivi(PercorsoImpostazioni(), sezione, chiave, valore) ? 1 : 0;
}

QString LeggiIni(const QString& sezione, const Chiavi::Chiave& chiave)
{
    return LeggiIni(sezione, chiave.Nome(), chiave.Predefinito());
}

long ScriviIni(const QString& sezione, const Chiavi::Chiave& chiave, const QString& valore)
{
    return ScriviIni(sezione, chiave.Nome(), valore);
}

void CreaCartella(const QString& nome)
{
    if (QFileInfo(PercorsoProgramma(nome)).isDir())
        return;
    QDir(Piattaforma::CartellaProgramma()).mkpath(nome);
}

}  // namespace File_Ini
