#pragma once
// The work windows' geometry rule: each keeps a smallest size (twips) and its frame centred in
// its inner area; a window in its normal state (neither minimised nor maximised) is also
// centred in the main window's client area. Written once for the synoptic, the charts, the
// recipe and the settings windows.
#include <QSize>

class QWidget;

namespace Geometria {

// Positions and sizes of every window are twips; one logical pixel is 15 twips.
inline constexpr int TwipsPerPixel = 15;

// Smallest sizes, twips, width x height.
inline constexpr QSize MinimoSinottico{12195, 9570};
inline constexpr QSize MinimoGrafico{13965, 9180};
inline constexpr QSize MinimoStorico{13965, 9180};
inline constexpr QSize MinimoStagione{12765, 7215};
inline constexpr QSize MinimoComunicazioni{10380, 9135};

// Applies the rule to `finestra` now and at every later resize; `cornice` (a child of the
// window, may be null) is the frame kept centred. The window's frame in the main window's
// area, when it has one, gets the smallest size too.
void RegolaGeometria(QWidget* finestra, QWidget* cornice, QSize minimoTwips);

// One application of the rule, as a resize runs it.
void ApplicaGeometria(QWidget* finestra, QWidget* cornice, QSize minimoTwips);

}  // namespace Geometria
