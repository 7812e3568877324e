#pragma once
// The live trend window: the chart fed by the zone pass, the legend panel with the colours and
// the value limits, the trace boxes, the statistics and cursor panels, pause, clear and print.
// Created once, hidden; closing it only hides it.
//
// The zone pass feeds it through Trend->AggiungiPunto (trace = zone number, the pass's time, the
// zone's charted value, -99999 for a failed read) and one Trend->Ridisegna after the pass; the
// window neither filters nor converts the points.
#include "finestratrend.h"
#include "legenda.h"

#include <array>

class Grafico : public FinestraTrend {
    Q_OBJECT
public:
    // The four chart colours the legend panel sets.
    enum class ColoreGrafico { Sfondo, Bordo, Griglia, Cursore };

    explicit Grafico(QWidget* genitore = nullptr);

    QFrame* PicTraxLegenda = nullptr;  // the legend panel floating over the chart
    QLabel* Lab_TraxGen = nullptr;
    std::array<LineaLegenda*, NumeroRighe> Lin_Trax{};
    std::array<CampioneLegenda*, NumeroRighe> Shp_Trax{};
    std::array<QLabel*, NumeroRighe> Lab_Trax{};
    QToolButton* Cmd_Sfondo = nullptr;
    QToolButton* Cmd_Bordo = nullptr;
    QToolButton* Cmd_Griglia = nullptr;
    QToolButton* Cmd_Cursore = nullptr;
    std::array<QToolButton*, 2> Cmd_Limite{};  // 0 the upper end of the value axis, 1 the lower
    QToolButton* Cmd_ChiudiLegenda = nullptr;
    QToolButton* Cmd_Legenda = nullptr;
    QToolButton* Cmd_Pausa = nullptr;
    QFrame* Pic_Cursore = nullptr;

    void Form_Load();
    void Cmd_Legenda_Click();
    void Cmd_ChiudiLegenda_Click();
    void Cmd_Colore_Click(ColoreGrafico quale);
    void Lab_Trax_DblClick(int indice);
    void PicTraxLegenda_MouseDown(int pulsante, QPoint doveSchermo);
    void Pic_Cursore_MouseDown(int pulsante, QPoint doveSchermo) { PannelloCursore_MouseDown(pulsante, doveSchermo); }
    void Cmd_Limite_Click(int indice);
    void Cmd_Pausa_Click();

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    // The legend at the place its keys give, kept inside the chart's frame.
    void collocaLegenda();
    void creaLegenda();
};
