#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The settings, chrono and recipe files are 8-bit text in Windows-1252 ("°" is byte 0xB0).
namespace Piattaforma {

QString Da1252(QByteArrayView byte);
// Characters that Windows-1252 cannot hold become "?", as the platform's conversion did.
QByteArray In1252(const QString& testo);

// The UTF-8 byte-order mark an editor may save before a file's text; it is not part of the text.
inline constexpr QByteArrayView MarcaUtf8("\xEF\xBB\xBF", 3);
// The text of a file without the byte-order mark before it.
inline QByteArrayView SenzaMarcaUtf8(QByteArrayView contenuto)
{
    return contenuto.startsWith(MarcaUtf8) ? contenuto.sliced(MarcaUtf8.size()) : contenuto;
}

}  // namespace Piattaforma
