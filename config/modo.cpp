#include "modo.h"

#include "chiavi.h"
#include "file_ini.h"
#include "generale.h"

namespace Generale {

void ImpostaModo()
{
    const QString modo = File_Ini::LeggiIniBase(QString::fromLatin1(Chiavi::Sezione::Generale), Chiavi::Modo.Nome(),
                                                Chiavi::Modo.Predefinito());
    ModoStagioni = modo != QLatin1String("0");
    FileImpostazioni = QString::fromLatin1(ModoStagioni ? Chiavi::FileStagioni : Chiavi::FileRicette);
    if (RietichettaModo)
        RietichettaModo();
}

}  // namespace Generale
