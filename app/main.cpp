#include "caricamento.h"
#include "file_ini.h"
#include "finestre.h"
#include "mainform.h"
#include "modo.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quelvar"));

    Finestre finestre;
    for (const char* cartella : {"Dati", "Crono", "Ricetta"})
        File_Ini::CreaCartella(QString::fromLatin1(cartella));
    Generale::ImpostaModo();
    // The settings window's load: the whole configuration of the active settings file.
    Configurazione::CaricaImpostazioni();
    finestre.mainForm->showMaximized();
    finestre.finestraSinottico->show();
    finestre.finestraGrafico->show();
    finestre.mainForm->Area->tileSubWindows();
    return app.exec();
}
