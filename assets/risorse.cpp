#include "risorse.h"

#include <QtGlobal>

static void RegistraRisorse()
{
    Q_INIT_RESOURCE(assets);
}

namespace Risorse {

void Inizializza()
{
    static const bool fatto = (RegistraRisorse(), true);
    Q_UNUSED(fatto);
}

QString ImmagineToolbar(int numero)
{
    return QStringLiteral(":/quelvar/toolbar_%1.png").arg(qBound(1, numero, 4));
}

}  // namespace Risorse
