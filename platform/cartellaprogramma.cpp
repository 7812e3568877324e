#include "cartellaprogramma.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace Piattaforma {

namespace {
QString& cartella()
{
    static QString c;
    return c;
}
}  // namespace

QString CartellaProgramma()
{
    if (cartella().isEmpty() && QCoreApplication::instance())
        cartella() = QCoreApplication::applicationDirPath();
    return cartella();
}

void ImpostaCartellaProgramma(const QString& c)
{
    cartella() = QDir::cleanPath(QDir(c).absolutePath());
}

QString PercorsoProgramma(const QString& nome)
{
    QString relativo = nome;
    relativo.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parti = relativo.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString percorso = CartellaProgramma();
    for (const QString& parte : parti) {
        QString esatto = percorso + QLatin1Char('/') + parte;
        if (!QFileInfo::exists(esatto)) {
            const QStringList voci = QDir(percorso).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
            for (const QString& voce : voci) {
                if (voce.compare(parte, Qt::CaseInsensitive) == 0) {
                    esatto = percorso + QLatin1Char('/') + voce;
                    break;
                }
            }
        }
        percorso = esatto;
    }
    return percorso;
}

}  // namespace Piattaforma
