#include "avvio.h"
#include "dialoghi_qt.h"
#include "mainform.h"
#include "finestre.h"
#include "risorse.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quelvar"));
    QApplication::setApplicationVersion(QStringLiteral(QUELVAR_VERSIONE));
    // Qt's own dialogs (file and colour choice) speak the station's language; without the
    // translations installed they stay in English.
    QTranslator traduzioneQt;
    if (traduzioneQt.load(QStringLiteral("qtbase_it"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduzioneQt);
    Risorse::Inizializza();
    QApplication::setWindowIcon(QIcon(Risorse::Icona));
    DialoghiQt dialoghiQt;
    Piattaforma::ImpostaServizioDialoghi(&dialoghiQt);

    Avvio avvio;
    const int esito = app.exec();
    Piattaforma::ImpostaServizioDialoghi(nullptr);
    return esito;
}
