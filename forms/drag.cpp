#include "drag.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

#include <algorithm>

namespace Drag {

namespace {

int inCorso = 0;

// One drag: an event filter on the grabbed control, which receives every mouse event from the
// press to the release (the window system's implicit grab), whichever widget has the focus.
class Trascinamento : public QObject {
public:
    Trascinamento(QWidget* ctl, Qt::MouseButtons pulsanti, QPoint daPunto, std::function<void()> finito)
        : QObject(ctl)
        , ctl_(ctl)
        , pulsanti_(pulsanti)
        , finito_(std::move(finito))
    {
        ++inCorso;
        QGuiApplication::setOverrideCursor(Qt::SizeAllCursor);
        precedente_ = confina(daPunto);
        ctl->installEventFilter(this);
    }

    ~Trascinamento() override
    {
        // The control went away in the middle of a drag (a configuration reload): the pointer
        // gets its shape back all the same.
        if (!chiuso_)
            chiudi();
    }

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override
    {
        if (oggetto != ctl_ || chiuso_)
            return false;
        switch (evento->type()) {
        case QEvent::MouseMove: {
            auto* e = static_cast<QMouseEvent*>(evento);
            if (!(e->buttons() & pulsanti_)) {
                termina();  // the release went elsewhere
                return true;
            }
            segui(e->globalPosition().toPoint());
            return true;
        }
        case QEvent::MouseButtonRelease: {
            auto* e = static_cast<QMouseEvent*>(evento);
            segui(e->globalPosition().toPoint());
            if (!(e->buttons() & pulsanti_))
                termina();
            return true;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return true;  // another button during the drag neither clicks nor starts a drag
        default:
            return false;
        }
    }

private:
    // The container's client area in screen pixels.
    QRect area() const
    {
        QWidget* contenitore = ctl_->parentWidget();
        if (!contenitore)
            return QRect();
        return QRect(contenitore->mapToGlobal(QPoint(0, 0)), contenitore->size());
    }

    QPoint confina(QPoint p) const
    {
        const QRect r = area();
        if (r.isEmpty())
            return p;
        const QPoint dentro(std::clamp(p.x(), r.left(), r.right()), std::clamp(p.y(), r.top(), r.bottom()));
        if (dentro != p)
            QCursor::setPos(dentro);
        return dentro;
    }

    void segui(QPoint p)
    {
        p = confina(p);
        if (p == precedente_)
            return;
        ctl_->move(ctl_->pos() + (p - precedente_));
        if (QWidget* genitore = ctl_->parentWidget())
            genitore->update();
        precedente_ = p;
    }

    void chiudi()
    {
        chiuso_ = true;
        QGuiApplication::restoreOverrideCursor();
        --inCorso;
    }

    void termina()
    {
        chiudi();
        ctl_->removeEventFilter(this);
        auto azione = std::move(finito_);
        deleteLater();
        if (azione)
            azione();
    }

    QWidget* ctl_;
    Qt::MouseButtons pulsanti_;
    std::function<void()> finito_;
    QPoint precedente_;
    bool chiuso_ = false;
};

}  // namespace

int CodicePulsante(Qt::MouseButton pulsante)
{
    switch (pulsante) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

void TrascinaControllo(QWidget* ctl, Qt::MouseButtons pulsanti, QPoint daPunto, std::function<void()> finito)
{
    pulsanti &= Qt::LeftButton | Qt::RightButton | Qt::MiddleButton;
    if (!ctl || !pulsanti) {
        if (finito)
            finito();
        return;
    }
    new Trascinamento(ctl, pulsanti, daPunto, std::move(finito));
}

void TrascinaControllo(QWidget* ctl, Qt::MouseButtons pulsanti, std::function<void()> finito)
{
    TrascinaControllo(ctl, pulsanti, QCursor::pos(), std::move(finito));
}

bool TrascinamentoInCorso() { return inCorso > 0; }

QString TestoPosizione(double twips)
{
    QString t = QString::number(twips, 'g', 7);
    if (t == QLatin1String("-0"))
        t = QStringLiteral("0");
    return t;
}

}  // namespace Drag
