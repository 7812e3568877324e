#include "grafico.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {
// The smallest size of the chart windows: 13965 x 9180 twips at 15 twips a pixel.
constexpr int LarghezzaIniziale = 13965 / 15;
constexpr int AltezzaIniziale = 9180 / 15;
constexpr int LarghezzaPannelloTracce = 180;
}  // namespace

QWidget* CreaPannelloTracce(QWidget* genitore, std::array<QCheckBox*, DatiTrend::MaxTracce>& caselle, QComboBox*& cursore)
{
    auto* pannello = new QWidget(genitore);
    pannello->setObjectName(QStringLiteral("Pic_Tracce"));
    pannello->setFixedWidth(LarghezzaPannelloTracce);
    auto* colonna = new QVBoxLayout(pannello);
    colonna->setContentsMargins(4, 4, 4, 4);
    colonna->setSpacing(0);
    for (int i = 0; i < DatiTrend::MaxTracce; ++i) {
        caselle[i] = new QCheckBox(QStringLiteral("Trax %1").arg(i + 1, 2, 10, QLatin1Char('0')), pannello);
        caselle[i]->setObjectName(QStringLiteral("Chk_Trax(%1)").arg(i));
        colonna->addWidget(caselle[i]);
    }
    colonna->addStretch(1);
    cursore = new QComboBox(pannello);
    cursore->setObjectName(QStringLiteral("Cmb_Cursore"));
    colonna->addWidget(cursore);
    return pannello;
}

Grafico::Grafico(QWidget* genitore)
    : QWidget(genitore)
{
    setObjectName(QStringLiteral("Grafico"));
    setWindowTitle(QStringLiteral("Grafico"));

    Frm_trend = new QFrame(this);
    Frm_trend->setObjectName(QStringLiteral("Frm_trend"));
    Trend = new ::Trend(Frm_trend);
    Trend->ImpostaDimensioneBuffer(10000);
    Pic_Tracce = CreaPannelloTracce(Frm_trend, Chk_Trax, Cmb_Cursore);
    auto* riga = new QHBoxLayout(Frm_trend);
    riga->setContentsMargins(0, 0, 0, 0);
    riga->addWidget(Trend, 1);
    riga->addWidget(Pic_Tracce);
    auto* tutto = new QVBoxLayout(this);
    tutto->setContentsMargins(4, 4, 4, 4);
    tutto->addWidget(Frm_trend);

    PicTraxLegenda = new QFrame(Frm_trend);
    PicTraxLegenda->setObjectName(QStringLiteral("PicTraxLegenda"));
    PicTraxLegenda->setFrameShape(QFrame::Panel);
    PicTraxLegenda->setFrameShadow(QFrame::Raised);
    PicTraxLegenda->setAutoFillBackground(true);
    auto* griglia = new QGridLayout(PicTraxLegenda);
    griglia->setContentsMargins(6, 6, 6, 6);
    griglia->setHorizontalSpacing(4);
    griglia->setVerticalSpacing(0);
    // Two columns of fifteen rows keep the panel inside the smallest window.
    for (int i = 0; i < NumeroRighe; ++i) {
        Lin_Trax[i] = new LineaLegenda(PicTraxLegenda);
        Lin_Trax[i]->setObjectName(QStringLiteral("Lin_Trax(%1)").arg(i));
        Shp_Trax[i] = new CampioneLegenda(PicTraxLegenda);
        Shp_Trax[i]->setObjectName(QStringLiteral("Shp_Trax(%1)").arg(i));
        Lab_Trax[i] = new QLabel(QStringLiteral("--------"), PicTraxLegenda);
        Lab_Trax[i]->setObjectName(QStringLiteral("Lab_Trax(%1)").arg(i));
        Lab_Trax[i]->setTextFormat(Qt::PlainText);  // zone names as written, never markup
        Lab_Trax[i]->setMinimumWidth(Lab_Trax[i]->fontMetrics().averageCharWidth() * 20);  // the 20 characters a label shows
        const int r = i % 15;
        const int c = (i / 15) * 3;
        griglia->addWidget(Lin_Trax[i], r, c);
        griglia->addWidget(Shp_Trax[i], r, c + 1);
        griglia->addWidget(Lab_Trax[i], r, c + 2);
    }
    PicTraxLegenda->adjustSize();
    PicTraxLegenda->move(1000 / 15, 1000 / 15);  // [Grafico] Info_X, Info_Y by default
    PicTraxLegenda->raise();

    resize(LarghezzaIniziale, AltezzaIniziale);
}

void Grafico::closeEvent(QCloseEvent* e)
{
    e->ignore();
    hide();
}
