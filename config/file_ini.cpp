#include "file_ini.h"

#include "cartellaprogramma.h"
#include "dialoghi.h"
#include "generale.h"
#include "profilo.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <memory>

namespace File_Ini {

namespace P = Piattaforma::Profilo;
using Piattaforma::PercorsoProgramma;

namespace {

// Inside an Istantanea a file name is looked for in the program folder once.
thread_local std::unique_ptr<QHash<QString, QString>> percorsiTrovati;

QString percorso(const QString& nome)
{
    if (!percorsiTrovati)
        return PercorsoProgramma(nome);
    auto it = percorsiTrovati->constFind(nome);
    if (it == percorsiTrovati->constEnd())
        it = percorsiTrovati->insert(nome, PercorsoProgramma(nome));
    return it.value();
}

// A write may have created the file that a name was looked for as.
long scritto(bool riuscito)
{
    if (percorsiTrovati)
        percorsiTrovati->clear();
    return riuscito ? 1 : 0;
}

QString percorsoBase() { return percorso(QString::fromLatin1(Chiavi::FileBase)); }

}  // namespace

Istantanea::Istantanea()
    : esterna_(!percorsiTrovati)
{
    if (esterna_)
        percorsiTrovati = std::make_unique<QHash<QString, QString>>();
}

Istantanea::~Istantanea()
{
    if (esterna_)
        percorsiTrovati.reset();
}

QString PercorsoImpostazioni() { return percorso(Generale::FileImpostazioni); }

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
    return P::Leggi(percorso(nomeFile), sezione, chiave, predefinito);
}

long ScriviIniBase(const QString& sezione, const QString& chiave, const QString& valore)
{
    return scritto(P::Scrivi(percorsoBase(), sezione, chiave, valore));
}

long ScriviIni(const QString& sezione, const QString& chiave, const QString& valore)
{
    return scritto(P::Scrivi(PercorsoImpostazioni(), sezione, chiave, valore));
}

long ScriviIni(const P::Voci& voci)
{
    return scritto(P::Scrivi(PercorsoImpostazioni(), voci));
}

QString TestoScritturaRifiutata()
{
    return QStringLiteral("Attenzione: Il file delle impostazioni non può essere scritto: i dati non sono stati salvati.");
}

void AvvisaScritturaRifiutata(const QString& titolo)
{
    Piattaforma::ServizioDialoghi().Messaggio(TestoScritturaRifiutata(), titolo, Piattaforma::PulsantiDialogo::OK,
                                              Piattaforma::IconaDialogo::Esclamazione);
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
