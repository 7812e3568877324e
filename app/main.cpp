#include "file_ini.h"
#include "finestre.h"
#include "mainform.h"
#include "modo.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quelvar"));

    Finestre finestre;
    for (const char* cartella : {"Dati", "Crono", "Ricetta"})
        File_Ini::CreaCartella(QString::fromLatin1(cartella));
    Generale::ImpostaModo();
    finestre.mainForm->showMaximized();
    return app.exec();
}
