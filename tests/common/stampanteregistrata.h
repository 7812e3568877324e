#pragma once
// A printer that keeps what a printout draws on it instead of printing: the sheet as the printout
// left it set up, and every text with its sheet and the box it fills, in pixels from the corner of
// the printable area. A print column, from the printer's resolution and the face the system gives
// for the font, is measured as on a real printer. Test code only.
#include <QPageLayout>
#include <QPaintEngine>
#include <QPrintEngine>
#include <QPrinter>
#include <QRectF>
#include <QString>

#include <climits>
#include <memory>
#include <utility>

struct RegistroStampa {
    struct Testo {
        int foglio = 0;  // from 1
        qreal base = 0;  // the baseline: the texts of one printed line share it
        QRectF dove;
        QString testo;
    };
    static constexpr int Risoluzione = 1200;
    QPageLayout pagina;
    QList<Testo> testi;
    int fogli = 0;
    // The printable area, (0, 0) at its corner.
    QRectF area() const { return QRectF(QPointF(0, 0), pagina.paintRectPixels(Risoluzione).size()); }
};

// The printer side and the painting side of that printer.
class MotoreRegistrato final : public QPaintEngine, public QPrintEngine {
public:
    MotoreRegistrato(std::shared_ptr<RegistroStampa> registro, const QPageLayout& pagina)
        : QPaintEngine(AllFeatures), r_(std::move(registro)), pagina_(pagina)
    {
        r_->pagina = pagina_;
    }

    bool begin(QPaintDevice*) override
    {
        r_->fogli = 1;
        return true;
    }
    bool end() override
    {
        r_->pagina = pagina_;
        return true;
    }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF& p, const QTextItem& t) override
    {
        const QRectF dove(p.x(), p.y() - t.ascent(), t.width(), t.ascent() + t.descent());
        r_->testi << RegistroStampa::Testo{r_->fogli, p.y(), dove, t.text()};
    }
    Type type() const override { return User; }

    void setProperty(PrintEnginePropertyKey chiave, const QVariant& valore) override
    {
        if (chiave == PPK_QPageLayout)
            pagina_ = valore.value<QPageLayout>();
        if (chiave == PPK_QPageMargins) {
            const auto margini = valore.value<QPair<QMarginsF, QPageLayout::Unit>>();
            pagina_.setUnits(margini.second);
            pagina_.setMargins(margini.first);
        }
    }
    QVariant property(PrintEnginePropertyKey chiave) const override
    {
        if (chiave == PPK_QPageLayout)
            return QVariant::fromValue(pagina_);
        if (chiave == PPK_QPageMargins)
            return QVariant::fromValue(qMakePair(pagina_.margins(), pagina_.units()));
        if (chiave == PPK_Resolution)
            return RegistroStampa::Risoluzione;
        return {};
    }
    bool newPage() override
    {
        ++r_->fogli;
        return true;
    }
    bool abort() override { return false; }
    int metric(QPaintDevice::PaintDeviceMetric m) const override
    {
        const QRect area = pagina_.paintRectPixels(RegistroStampa::Risoluzione);
        switch (m) {
        case QPaintDevice::PdmWidth: return area.width();
        case QPaintDevice::PdmHeight: return area.height();
        case QPaintDevice::PdmWidthMM: return qRound(pagina_.paintRect(QPageLayout::Millimeter).width());
        case QPaintDevice::PdmHeightMM: return qRound(pagina_.paintRect(QPageLayout::Millimeter).height());
        case QPaintDevice::PdmDpiX:
        case QPaintDevice::PdmDpiY:
        case QPaintDevice::PdmPhysicalDpiX:
        case QPaintDevice::PdmPhysicalDpiY: return RegistroStampa::Risoluzione;
        case QPaintDevice::PdmNumColors: return INT_MAX;
        case QPaintDevice::PdmDepth: return 32;
        case QPaintDevice::PdmDevicePixelRatio: return 1;
        case QPaintDevice::PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
        }
        return 0;
    }
    QPrinter::PrinterState printerState() const override { return isActive() ? QPrinter::Active : QPrinter::Idle; }

private:
    std::shared_ptr<RegistroStampa> r_;
    QPageLayout pagina_;
};

// The sheet: `carta` in `verso`, 10 mm margins.
class StampanteRegistrata final : public QPrinter {
public:
    StampanteRegistrata(std::shared_ptr<RegistroStampa> registro, const QPageSize& carta,
                        QPageLayout::Orientation verso = QPageLayout::Portrait)
        : QPrinter(QPrinter::HighResolution),
          motore_(std::move(registro), QPageLayout(carta, verso, QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter))
    {
        setEngines(&motore_, &motore_);
    }

private:
    MotoreRegistrato motore_;
};
