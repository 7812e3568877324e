#pragma once
// Colours as the settings files and the chart members hold them: 32-bit values 0x00BBGGRR. A
// value whose top byte is 0x80 names a system colour by its index in the low byte.
#include <QColor>
#include <QPalette>
#include <QString>

#include <cstdint>
#include <optional>

using ColoreLong = std::uint32_t;

inline constexpr ColoreLong MarcaColoreSistema = 0x80000000u;
inline constexpr ColoreLong TestoFinestraSistema = 0x80000008u;  // the system's window-text colour

// A colour text of the settings: decimal ("255", "-2147483640") or "&H" hexadecimal ("&HFF",
// "&h80000008&"), blanks around it allowed. Hexadecimal digits are read as written, so "&HFF00"
// is green (the station writes it so) and never the 16-bit -256. No value for any other text or
// for a number that does not fit 32 bits.
std::optional<ColoreLong> LeggiColore(const QString& testo);

// The colour to paint. System colours come from the palette (window text, window and button
// colours; any other index paints as window text); any other top byte is ignored.
QColor ColoreQt(ColoreLong colore, const QPalette& tavolozza);
