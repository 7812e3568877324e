#include "lingua.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <clocale>

namespace Piattaforma {

void ImpostaLinguaItaliana()
{
    // The C library is set from the machine's environment now; when the application object sets
    // it again from the changed one and the Italian locale is not installed, that call fails and
    // leaves it as it is here.
    std::setlocale(LC_ALL, "");
    // LC_ALL would win over the categories Qt reads; what it named becomes the fallback of the rest.
    const QByteArray tutte = qgetenv("LC_ALL");
    if (!tutte.isEmpty()) {
        qputenv("LANG", tutte);
        qunsetenv("LC_ALL");
    }
    const QByteArray italiano("it_IT.UTF-8");
    for (const char* categoria : {"LC_NUMERIC", "LC_TIME", "LC_MONETARY", "LC_MESSAGES", "LC_MEASUREMENT"})
        qputenv(categoria, italiano);
    qputenv("LANGUAGE", "it_IT:it");
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
}

bool InstallaTraduzioniQt()
{
    static QTranslator traduzione;
    if (!traduzione.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&traduzione);
}

}  // namespace Piattaforma
