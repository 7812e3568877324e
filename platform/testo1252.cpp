#include "testo1252.h"

namespace Piattaforma {

namespace {
// 0x80..0x9F of Windows-1252; 0 marks the five unassigned bytes, kept as the same code point.
constexpr char16_t Tabella80[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};
}  // namespace

QString Da1252(QByteArrayView byte)
{
    QString testo;
    testo.reserve(byte.size());
    for (char c : byte) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F && Tabella80[b - 0x80] != 0)
            testo.append(QChar(Tabella80[b - 0x80]));
        else
            testo.append(QChar(b));
    }
    return testo;
}

QByteArray In1252(const QString& testo)
{
    QByteArray byte;
    byte.reserve(testo.size());
    for (QChar ch : testo) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            byte.append(static_cast<char>(u));
            continue;
        }
        char risultato = '?';
        for (int i = 0; i < 32; ++i) {
            if (Tabella80[i] == u || (Tabella80[i] == 0 && u == 0x80 + i)) {
                risultato = static_cast<char>(0x80 + i);
                break;
            }
        }
        byte.append(risultato);
    }
    return byte;
}

}  // namespace Piattaforma
