#include "chiavi.h"

namespace Chiavi {
QString Generale::NomeMaster(int k) { return QStringLiteral("Master_%1").arg(k + 1); }
QString Sinottico::NomeCampo(int k) { return QStringLiteral("Campo_%1").arg(k + 1); }
}  // namespace Chiavi
