#include "legenda.h"

#include <QPainter>

LineaLegenda::LineaLegenda(QWidget* genitore)
    : QWidget(genitore)
{
    setFixedSize(24, 14);
}

void LineaLegenda::ImpostaColore(ColoreLong c)
{
    colore_ = c;
    update();
}

void LineaLegenda::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QPen(ColoreQt(colore_, palette()), 2));
    p.drawLine(2, height() / 2, width() - 3, height() / 2);
}

CampioneLegenda::CampioneLegenda(QWidget* genitore)
    : QWidget(genitore)
{
    setFixedSize(14, 14);
}

void CampioneLegenda::ImpostaColore(ColoreLong c)
{
    colore_ = c;
    update();
}

void CampioneLegenda::ImpostaSfondo(ColoreLong c)
{
    sfondo_ = c;
    update();
}

void CampioneLegenda::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), ColoreQt(sfondo_, palette()));
    p.fillRect(rect().adjusted(3, 3, -3, -3), ColoreQt(colore_, palette()));
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
