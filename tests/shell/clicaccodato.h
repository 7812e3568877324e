#pragma once
// Mouse events queued in the window system, as a real click arrives: delivered by whichever
// event loop runs next.
#include <QWidget>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

inline void Accoda(QWidget* w, QEvent::Type tipo)
{
    QWindow* finestra = w->window()->windowHandle();
    const QPoint centro = w->rect().center();
    const QPointF locale = w->mapTo(w->window(), centro);
    const QPointF globale = w->mapToGlobal(centro);
    const bool premuto = tipo == QEvent::MouseButtonPress;
    QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
        finestra, locale, globale, premuto ? Qt::LeftButton : Qt::NoButton, Qt::LeftButton, tipo);
}

inline void ClicAccodato(QWidget* w)
{
    Accoda(w, QEvent::MouseButtonPress);
    Accoda(w, QEvent::MouseButtonRelease);
}

inline void DoppioClicAccodato(QWidget* w)
{
    ClicAccodato(w);
    ClicAccodato(w);
}
