#pragma once
// The colour pieces of a legend row: the line drawn in the trace's colour (`Lin_Trax`) and the
// swatch, a square in the trace's colour on the chart's background (`Shp_Trax`).
#include "colori.h"

#include <QWidget>

class LineaLegenda : public QWidget {
public:
    explicit LineaLegenda(QWidget* genitore = nullptr);
    ColoreLong Colore() const { return colore_; }
    void ImpostaColore(ColoreLong c);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    ColoreLong colore_ = 0;
};

class CampioneLegenda : public QWidget {
public:
    explicit CampioneLegenda(QWidget* genitore = nullptr);
    ColoreLong Colore() const { return colore_; }
    void ImpostaColore(ColoreLong c);
    ColoreLong Sfondo() const { return sfondo_; }
    void ImpostaSfondo(ColoreLong c);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    ColoreLong colore_ = 0;
    ColoreLong sfondo_ = 0xFFFFFF;
};
