#pragma once
// Moving a control with the mouse inside its container: the synoptic's items, the charts'
// floating panels, the settings pages. The routine only moves; whoever called it stores the
// place the control was dropped at.
#include <QPoint>
#include <QString>
#include <Qt>

#include <functional>

class QWidget;

namespace Drag {

// Mouse button codes of the station: 1 left, 2 right, 4 middle.
int CodicePulsante(Qt::MouseButton pulsante);

// Starts moving `ctl` inside its parent widget while at least one of `pulsanti` stays down;
// `daPunto` is the pointer in screen pixels when the button went down. The control follows the
// pointer's displacement, so the point where it was grabbed stays under the pointer. The
// pointer is kept inside the container, so the grabbed point never leaves it and a dropped
// control can always be grabbed again; the control itself may stand partly outside.
// `finito` runs once, when the last of `pulsanti` is released (at once when none is down). The
// four-way arrow shows meanwhile. Returns at once: the drag follows the mouse events.
void TrascinaControllo(QWidget* ctl, Qt::MouseButtons pulsanti, QPoint daPunto, std::function<void()> finito = {});
// The same, from where the pointer is now.
void TrascinaControllo(QWidget* ctl, Qt::MouseButtons pulsanti, std::function<void()> finito = {});

// True while a drag started by TrascinaControllo is under way.
bool TrascinamentoInCorso();

// A stored position: twips as decimal text with a point as separator whatever the locale, a
// minus sign when negative, no decimal part for a whole number, at most seven significant
// digits: "5250", "-45", "12.5".
QString TestoPosizione(double twips);

}  // namespace Drag
