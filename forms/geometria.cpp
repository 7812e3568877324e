#include "geometria.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QWidget>

namespace Geometria {

namespace {

class Regola : public QObject {
public:
    Regola(QWidget* finestra, QWidget* cornice, QSize minimo)
        : QObject(finestra), finestra_(finestra), cornice_(cornice), minimo_(minimo)
    {
    }

    bool eventFilter(QObject* oggetto, QEvent* evento) override
    {
        if (evento->type() == QEvent::Resize || evento->type() == QEvent::Show ||
            evento->type() == QEvent::ParentChange)
            ApplicaGeometria(finestra_, cornice_, minimo_);
        return QObject::eventFilter(oggetto, evento);
    }

private:
    QWidget* finestra_;
    QPointer<QWidget> cornice_;
    QSize minimo_;
};

}  // namespace

void ApplicaGeometria(QWidget* finestra, QWidget* cornice, QSize minimoTwips)
{
    if (!finestra)
        return;
    const QSize minimo(minimoTwips.width() / TwipsPerPixel, minimoTwips.height() / TwipsPerPixel);
    if (finestra->minimumSize() != minimo)
        finestra->setMinimumSize(minimo);
    // In the main window the window lives in a frame of the MDI area: the frame is what is
    // sized and centred.
    QWidget* esterna = finestra;
    if (auto* sotto = qobject_cast<QMdiSubWindow*>(finestra->parentWidget()))
        esterna = sotto;
    if (esterna != finestra) {
        const QSize bordi = esterna->size() - finestra->size();
        const QSize minimoEsterno = minimo + bordi.expandedTo(QSize(0, 0));
        if (esterna->minimumSize() != minimoEsterno)
            esterna->setMinimumSize(minimoEsterno);
    }
    const Qt::WindowStates stato = esterna->windowState();
    if (!(stato & (Qt::WindowMinimized | Qt::WindowMaximized)) && esterna->parentWidget()) {
        const QSize area = esterna->parentWidget()->size();
        const QPoint centro((area.width() - esterna->width()) / 2, (area.height() - esterna->height()) / 2);
        if (esterna->pos() != centro)
            esterna->move(centro);
    }
    if (cornice && cornice->parentWidget() == finestra)
        cornice->move((finestra->width() - cornice->width()) / 2, (finestra->height() - cornice->height()) / 2);
    finestra->update();
}

void RegolaGeometria(QWidget* finestra, QWidget* cornice, QSize minimoTwips)
{
    if (!finestra)
        return;
    finestra->installEventFilter(new Regola(finestra, cornice, minimoTwips));
    ApplicaGeometria(finestra, cornice, minimoTwips);
}

}  // namespace Geometria
