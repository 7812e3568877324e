#pragma once
// The history window: one past day on its own chart, with the trace boxes and the cursor's zone
// list. Created once, hidden; closing it only hides it.
#include "trend.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QWidget>

#include <array>

class Storico : public QWidget {
    Q_OBJECT
public:
    static constexpr int NumeroRighe = DatiTrend::MaxTracce;
    // A whole day at one point a second: the fastest the zone pass can write history lines.
    static constexpr int PuntiGiorno = 86400;

    explicit Storico(QWidget* genitore = nullptr);

    QFrame* Frm_trend = nullptr;
    ::Trend* Trend = nullptr;
    QWidget* Pic_Tracce = nullptr;
    std::array<QCheckBox*, NumeroRighe> Chk_Trax{};
    QComboBox* Cmb_Cursore = nullptr;

protected:
    void closeEvent(QCloseEvent* e) override;
};
