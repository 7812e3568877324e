#pragma once
// The station's own art, compiled into the program.
#include <QString>

namespace Risorse {

// Registers the pictures; windows call it before loading one (a static library's resources are
// not registered by themselves).
void Inizializza();

inline const QString LogoFenlo = QStringLiteral(":/quelvar/logo_fenlo.png");
inline const QString Icona = QStringLiteral(":/quelvar/icona.png");
inline const QString IconaPiccola = QStringLiteral(":/quelvar/icona_32.png");

// The toolbar's image list, pictures 1..4: 1 white indicator (window hidden), 2 blue indicator
// (window shown), 3 dark red lamp (acquisition stopped), 4 bright red lamp (running).
QString ImmagineToolbar(int numero);

}  // namespace Risorse
