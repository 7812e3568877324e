#include "trend.h"

#include "formatitrend.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace {
constexpr int DivisioniValori = 10;
constexpr double CoordinataMassima = 1.0e5;  // points far off the axis (-99999 in history files) stay paintable
}  // namespace

Trend::Trend(QWidget* genitore)
    : QWidget(genitore)
{
    setObjectName(QStringLiteral("Trend"));
    visibili_.fill(true);
    spessori_.fill(1);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 120);
}

void Trend::Ridisegna() { update(); }

void Trend::ImpostaNumeroTracce(long n) { numeroTracce_ = std::clamp<long>(n, 1, DatiTrend::MaxTracce); }

void Trend::ImpostaTracciaCorrente(long traccia)
{
    if (traccia >= 1 && traccia <= DatiTrend::MaxTracce)
        tracciaCorrente_ = traccia;
}

void Trend::ImpostaCursoreVisibile(long v)
{
    cursoreVisibile_ = v != 0;
    const auto [t0, t1] = dati_.AsseTempi();
    if (cursoreVisibile_ && (tempoCursore_ < t0 || tempoCursore_ > t1))
        tempoCursore_ = (t0 + t1) / 2;
}

QRect Trend::AreaGrafico() const
{
    const QFontMetrics fm = fontMetrics();
    const int sinistra = fm.horizontalAdvance(QStringLiteral("-0000,0")) + 10;
    const int destra = fm.horizontalAdvance(QStringLiteral("00:00:00")) / 2 + 6;
    const int sopra = fm.height() / 2 + 6;
    const int sotto = fm.height() + 10;
    return rect().adjusted(sinistra, sopra, -destra, -sotto);
}

void Trend::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPalette& tav = palette();
    p.fillRect(rect(), ColoreQt(bordo_, tav));
    const QRect area = AreaGrafico();
    if (area.width() < 2 || area.height() < 2)
        return;
    p.fillRect(area, ColoreQt(sfondo_, tav));

    const QColor griglia = ColoreQt(griglia_, tav);
    const QFontMetrics fm = fontMetrics();
    const auto [v0, v1] = dati_.AsseValori();
    const auto [t0, t1] = dati_.AsseTempi();

    // Grid and scale: ten value steps when the labels fit, fewer time steps as the width allows.
    const int divisioniV = area.height() >= (DivisioniValori + 1) * fm.height() ? DivisioniValori : 5;
    const int larghezzaEtichetta = fm.horizontalAdvance(FormattaTempo(t1, formatoTempo_)) + 20;
    const int divisioniT = std::clamp(area.width() / std::max(1, larghezzaEtichetta), 1, 10);
    p.setPen(QPen(griglia, 1, Qt::DotLine));
    for (int i = 1; i < divisioniV; ++i) {
        const int y = area.top() + int(std::lround(double(i) * (area.height() - 1) / divisioniV));
        p.drawLine(area.left(), y, area.right(), y);
    }
    for (int i = 1; i < divisioniT; ++i) {
        const int x = area.left() + int(std::lround(double(i) * (area.width() - 1) / divisioniT));
        p.drawLine(x, area.top(), x, area.bottom());
    }
    p.setPen(griglia);
    p.drawRect(area.adjusted(0, 0, -1, -1));
    for (int i = 0; i <= divisioniV; ++i) {
        const int y = area.top() + int(std::lround(double(i) * (area.height() - 1) / divisioniV));
        const QString testo = FormattaValore(v1 - (v1 - v0) * i / divisioniV, formatoValore_);
        p.drawText(QRect(0, y - fm.height() / 2, area.left() - 5, fm.height()), Qt::AlignRight | Qt::AlignVCenter, testo);
    }
    for (int i = 0; i <= divisioniT; ++i) {
        const int x = area.left() + int(std::lround(double(i) * (area.width() - 1) / divisioniT));
        const QString testo = FormattaTempo(t0 + (t1 - t0) * i / divisioniT, formatoTempo_);
        const int w = fm.horizontalAdvance(testo);
        p.drawText(QRect(x - w / 2, area.bottom() + 4, w, fm.height()), Qt::AlignCenter, testo);
    }

    p.setClipRect(area);
    for (int traccia = 1; traccia <= numeroTracce_; ++traccia)
        if (visibili_[traccia - 1])
            disegnaTraccia(p, area, traccia);

    if (cursoreVisibile_ && tempoCursore_ >= t0 && tempoCursore_ <= t1) {
        const int x = area.left() + std::min(area.width() - 1, int((tempoCursore_ - t0) / (t1 - t0) * area.width()));
        p.setPen(QPen(ColoreQt(cursore_ ^ 0xFFFFFFu, tav), 1));
        p.drawLine(x, area.top(), x, area.bottom());
    }
}

const std::vector<ColonnaTrend>& Trend::colonne(int traccia, int larghezza) const
{
    Disegnata& d = disegnate_[traccia - 1];
    const auto tempi = dati_.AsseTempi();
    if (d.versione != dati_.Versione(traccia) || d.tempi != tempi || d.larghezza != larghezza) {
        d.colonne = dati_.Colonne(traccia, larghezza);
        d.versione = dati_.Versione(traccia);
        d.tempi = tempi;
        d.larghezza = larghezza;
    }
    return d.colonne;
}

void Trend::disegnaTraccia(QPainter& p, const QRect& area, int traccia) const
{
    const std::vector<ColonnaTrend>& colonne = this->colonne(traccia, area.width());
    if (colonne.empty())
        return;
    const auto [v0, v1] = dati_.AsseValori();
    const double pixelPerUnita = (area.height() - 1) / (v1 - v0);
    auto y = [&](double v) {
        return int(std::lround(std::clamp(area.top() + (v1 - v) * pixelPerUnita, -CoordinataMassima, CoordinataMassima)));
    };
    QList<QLine> linee;
    linee.reserve(qsizetype(colonne.size()) * 2);
    QList<QRect> puntiIsolati;
    for (size_t i = 0; i < colonne.size(); ++i) {
        const ColonnaTrend& c = colonne[i];
        const int x = area.left() + c.x;
        int alto = y(c.massimo);
        int basso = y(c.minimo);
        if (c.unitaAllaPrecedente) {
            const ColonnaTrend& prima = colonne[i - 1];
            if (c.x - prima.x == 1) {
                // Next to the column before: the join is part of this column's stroke.
                alto = std::min(alto, y(prima.ultimo));
                basso = std::max(basso, y(prima.ultimo));
            } else {
                linee.append(QLine(area.left() + prima.x, y(prima.ultimo), x, y(c.primo)));
            }
        }
        if (alto != basso)
            linee.append(QLine(x, alto, x, basso));
        else if (!c.unitaAllaPrecedente && (i + 1 == colonne.size() || !colonne[i + 1].unitaAllaPrecedente))
            puntiIsolati.append(QRect(x - 1, alto - 1, 3, 3));
        else
            linee.append(QLine(x - 1, alto, x, alto));  // flat beside the column before
    }
    const QColor colore = ColoreQt(colori_[traccia - 1], palette());
    QPen penna(colore, spessori_[traccia - 1], Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    penna.setCosmetic(true);
    p.setPen(penna);
    p.drawLines(linee);
    for (const QRect& r : puntiIsolati)
        p.fillRect(r, colore);
}

void Trend::spostaCursore(int x)
{
    const QRect area = AreaGrafico();
    if (!cursoreVisibile_ || area.width() < 1)
        return;
    const auto [t0, t1] = dati_.AsseTempi();
    const double frazione = std::clamp((x - area.left() + 0.5) / area.width(), 0.0, 1.0);
    tempoCursore_ = t0 + frazione * (t1 - t0);
    update();
    emit CursoreSpostato(tempoCursore_);
}

void Trend::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && AreaGrafico().contains(e->position().toPoint()))
        spostaCursore(e->position().toPoint().x());
    QWidget::mousePressEvent(e);
}

void Trend::mouseMoveEvent(QMouseEvent* e)
{
    if (e->buttons() & Qt::LeftButton)
        spostaCursore(e->position().toPoint().x());
    QWidget::mouseMoveEvent(e);
}
