#include "posizione.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace Posizione {

namespace {

class Ripristina final : public QObject {
public:
    explicit Ripristina(QWidget* finestra) : QObject(finestra), finestra_(finestra) {}

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override
    {
        if (oggetto == finestra_ && evento->type() == QEvent::WindowStateChange && finestra_->isMinimized())
            // After the change has been handled: a state changed inside its own event is lost.
            QTimer::singleShot(0, finestra_, [f = finestra_] {
                const QWidget* genitore = f->parentWidget();
                if (f->isMinimized() && f->isVisible() && !(genitore && genitore->window()->isMinimized())) {
                    f->setWindowState(f->windowState() & ~Qt::WindowMinimized);
                    f->raise();
                    f->activateWindow();
                }
            });
        return false;
    }

private:
    QWidget* finestra_;
};

}  // namespace

void CentraSopra(QWidget* finestra, const QWidget* sopra)
{
    if (!finestra || !sopra)
        return;
    const QRect cornice = finestra->frameGeometry();
    const QPoint centro = sopra->window()->frameGeometry().center();
    finestra->move(finestra->pos() + centro - cornice.center());
}

void CentraNelGenitore(QWidget* figlio)
{
    if (!figlio || !figlio->parentWidget())
        return;
    const QSize area = figlio->parentWidget()->size();
    figlio->move(std::max(0, (area.width() - figlio->width()) / 2), std::max(0, (area.height() - figlio->height()) / 2));
}

void MaiRidotta(QWidget* finestra)
{
    if (finestra)
        finestra->installEventFilter(new Ripristina(finestra));
}

}  // namespace Posizione
