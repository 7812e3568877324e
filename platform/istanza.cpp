#include "istanza.h"

#include <QDir>

namespace Piattaforma {

Istanza::Istanza(const QString& cartella)
    : percorso_(QDir(cartella).filePath(QLatin1String(NomeFile)))
    , blocco_(percorso_)
{
    // A station runs for months: a lock is never judged stale by its age, only by its owner.
    blocco_.setStaleLockTime(0);
}

Istanza::Esito Istanza::Prendi()
{
    if (blocco_.tryLock(0))
        return Esito::Presa;
    return blocco_.error() == QLockFile::LockFailedError ? Esito::Occupata : Esito::Impossibile;
}

}  // namespace Piattaforma
