#pragma once
#include <QByteArray>
#include <QString>

// The settings, chrono and recipe files are 8-bit text in Windows-1252 ("°" is byte 0xB0).
namespace Piattaforma {

QString Da1252(const QByteArray& byte);
// Characters that Windows-1252 cannot hold become "?", as the platform's conversion did.
QByteArray In1252(const QString& testo);

}  // namespace Piattaforma
