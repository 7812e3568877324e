#include "pannellistato.h"

#include <QEvent>
#include <QLabel>

#include <algorithm>
#include <numeric>

namespace BarraStato {

Larghezze Distribuisci(int disponibile, const Larghezze& proprie, const Larghezze& testi, int bordo)
{
    Larghezze l{};
    for (int i = 0; i < NumeroPannelli; ++i)
        l[i] = std::max(proprie[i], testi[i]);
    int eccesso = std::accumulate(l.begin(), l.end(), 0) - disponibile;
    if (eccesso <= 0) {
        l[3] -= eccesso;
        return l;
    }
    auto cedi = [&](int i, int finoA) {
        const int parte = std::clamp(l[i] - finoA, 0, eccesso);
        l[i] -= parte;
        eccesso -= parte;
    };
    // A panel without text keeps its border too.
    for (int i : {0, 1, 4, 5, 6, 2, 3})
        cedi(i, std::max(testi[i], bordo));
    // The message is cut first: a long notice stands whole in the error monitor, while the user
    // and the supervisor's state are shown nowhere else.
    for (int i : {3, 2, 4, 5, 6, 1, 0})
        cedi(i, bordo);
    return l;
}

}  // namespace BarraStato

PannelliStato::PannelliStato(const BarraStato::Larghezze& proprie, QWidget* genitore)
    : QWidget(genitore), proprie_(proprie)
{
    for (auto& p : pannelli_) {
        p = new QLabel(this);
        p->setFrameShape(QFrame::Panel);
        p->setFrameShadow(QFrame::Sunken);
        p->setTextFormat(Qt::PlainText);
    }
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize PannelliStato::sizeHint() const
{
    int altezza = 0;
    for (const QLabel* p : pannelli_)
        altezza = std::max(altezza, p->sizeHint().height());
    return {std::accumulate(proprie_.begin(), proprie_.end(), 0), altezza};
}

QSize PannelliStato::minimumSizeHint() const { return {0, sizeHint().height()}; }

void PannelliStato::Disponi()
{
    BarraStato::Larghezze testi{};
    for (int i = 0; i < BarraStato::NumeroPannelli; ++i)
        testi[i] = pannelli_[i]->text().isEmpty() ? 0 : pannelli_[i]->QLabel::minimumSizeHint().width();
    const auto larghezze = BarraStato::Distribuisci(width(), proprie_, testi, 2 * pannelli_[0]->frameWidth());
    int x = 0;
    for (int i = 0; i < BarraStato::NumeroPannelli; ++i) {
        pannelli_[i]->setGeometry(x, 0, larghezze[i], height());
        x += larghezze[i];
    }
}

bool PannelliStato::event(QEvent* evento)
{
    // A panel's new text asks its parent for a new layout.
    if (evento->type() == QEvent::LayoutRequest)
        Disponi();
    return QWidget::event(evento);
}

void PannelliStato::resizeEvent(QResizeEvent* evento)
{
    QWidget::resizeEvent(evento);
    Disponi();
}
