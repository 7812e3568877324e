#include "pagina.h"

#include "comunicazioni.h"
#include "drag.h"

#include <QMouseEvent>

namespace {
constexpr int TwipsPerPixel = 15;
}

Pagina::Pagina(Comunicazioni* finestra, const QString& nome, int leftTwips, int topTwips)
    : QFrame(finestra), finestra_(finestra), left_(leftTwips), top_(topTwips)
{
    setObjectName(nome);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    Posiziona();
}

void Pagina::Posiziona()
{
    move(left_ / TwipsPerPixel, top_ / TwipsPerPixel);
    hide();
}

void Pagina::Apri() { Mostra(); }

void Pagina::Mostra()
{
    if (layout())
        adjustSize();
    show();
    raise();
}

void Pagina::SalvaERicarica(const std::function<void()>& scriviChiavi, std::function<void()> dopo)
{
    if (scriviChiavi)
        scriviChiavi();
    finestra_->CaricaImpostazioni(std::move(dopo));
}

void Pagina::EsciSenzaSalvare()
{
    hide();
    finestra_->CaricaImpostazioni();
}

void Pagina::mousePressEvent(QMouseEvent* evento)
{
    // Only the right button moves a page; the place is not stored.
    if (evento->button() == Qt::RightButton) {
        raise();
        Drag::TrascinaControllo(this, Qt::RightButton, evento->globalPosition().toPoint());
        evento->accept();
        return;
    }
    QFrame::mousePressEvent(evento);
}
