#pragma once
// The live trend window: the chart fed by the zone pass, the trace boxes, the legend rows and
// the cursor's zone list. Created once, hidden; closing it only hides it.
#include "legenda.h"
#include "trend.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QWidget>

#include <array>

class Grafico : public QWidget {
    Q_OBJECT
public:
    static constexpr int NumeroRighe = DatiTrend::MaxTracce;

    explicit Grafico(QWidget* genitore = nullptr);

    QFrame* Frm_trend = nullptr;
    ::Trend* Trend = nullptr;
    QWidget* Pic_Tracce = nullptr;               // the trace boxes beside the chart
    std::array<QCheckBox*, NumeroRighe> Chk_Trax{};
    QComboBox* Cmb_Cursore = nullptr;
    QFrame* PicTraxLegenda = nullptr;            // the legend panel floating over the chart
    std::array<LineaLegenda*, NumeroRighe> Lin_Trax{};
    std::array<CampioneLegenda*, NumeroRighe> Shp_Trax{};
    std::array<QLabel*, NumeroRighe> Lab_Trax{};

protected:
    void closeEvent(QCloseEvent* e) override;
};

// The trace boxes and the zone list shared in shape by both chart windows: "Trax 01" ..
// "Trax 30" until the chart configuration names them.
QWidget* CreaPannelloTracce(QWidget* genitore, std::array<QCheckBox*, DatiTrend::MaxTracce>& caselle, QComboBox*& cursore);
