#pragma once
#include <QCoreApplication>

namespace Piattaforma {
// Lets pending window events run once: the yield of the polling tick, of every bus wait and of
// the drag loop. Handlers that run here may start other work; see the bus rules in fieldbus/.
inline void LasciaEventi()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
}  // namespace Piattaforma
