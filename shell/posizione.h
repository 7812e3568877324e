#pragma once
// Where the station's small windows (About, error monitor, login) appear and how they stay.
class QWidget;

namespace Posizione {

// Moves the window `finestra` so that its centre is the centre of the window `sopra`.
void CentraSopra(QWidget* finestra, const QWidget* sopra);
// Moves a child widget (a work window's frame in the main window's area) to the middle of its
// parent.
void CentraNelGenitore(QWidget* figlio);

// A top-level window that must not stay minimized on its own: when it is minimized while its
// parent window is not, it comes back at once. Without a minimize button this only catches a
// window manager's key or menu.
void MaiRidotta(QWidget* finestra);

}  // namespace Posizione
