#pragma once
// What the live and history windows have alike, each on its own controls and chart: the chart in
// its frame, the trace boxes (click shows or hides a trace, right button held widens it, Shift
// with the right button held shows its statistics), select and deselect all, the cursor with its
// read-out panel, clear and print. Each window adds its own commands to the button bar.
#include "trend.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QWidget>

#include <array>

class FinestraTrend : public QWidget {
    Q_OBJECT
public:
    static constexpr int NumeroRighe = DatiTrend::MaxTracce;

    // Mouse button codes: 1 left, 2 right. Shift codes: 0 none, 1 Shift alone; Ctrl adds 2, Alt 4.
    static int CodiceMaiuscole(Qt::KeyboardModifiers modificatori);

    QFrame* Frm_trend = nullptr;
    ::Trend* Trend = nullptr;
    QWidget* Pic_Tracce = nullptr;
    std::array<QCheckBox*, NumeroRighe> Chk_Trax{};
    std::array<QToolButton*, 2> Cmd_Selezione{};
    QFrame* Pic_Stat = nullptr;
    QLabel* Lab_Stat_Gen = nullptr;
    // 0..2 the points shown (maximum, mean, minimum), 3..5 all points held.
    std::array<QLabel*, 6> Lab_Stat{};
    QComboBox* Cmb_Cursore = nullptr;
    std::array<QLabel*, 2> Lab_Cur{};  // 0 the cursor's time, 1 the chosen zone's value there
    QToolButton* Cmd_VediCursore = nullptr;
    QToolButton* Cmd_CancellaTutto = nullptr;
    QToolButton* Cmd_Stampa = nullptr;

    void Chk_Trax_Click(int indice);
    void Chk_Trax_MouseDown(int indice, int pulsante, int maiuscole);
    void Chk_Trax_MouseUp(int indice, int pulsante, int maiuscole);
    void Cmd_Selezione_Click(int indice);
    void Cmd_VediCursore_Click();
    void Cmb_Cursore_Click();
    void Trend_CursoreSpostato(double tempo);
    void Cmd_CancellaTutto_Click();
    void Cmd_Stampa_Click();

protected:
    // `nomeCursore`: the object name of the cursor panel in this window.
    FinestraTrend(const QString& nome, const QString& nomeCursore, QWidget* genitore);

    // The chart's start-up, as both windows run it: one minute ending now, the value and time
    // patterns, the cursor hidden.
    void PreparaTrend(long dimensioneBuffer);
    // A right-button press drags the cursor panel; its place is not kept.
    void PannelloCursore_MouseDown(int pulsante, QPoint doveSchermo);
    // Run by the cursor button after the chart is redrawn, before the zone list is set.
    virtual void DopoVediCursore() {}

    QToolButton* CreaPulsante(const QString& nome, const QString& simbolo, const QString& suggerimento, QWidget* genitore);

    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void closeEvent(QCloseEvent* e) override;

    QFrame* PannelloCursore = nullptr;
    QHBoxLayout* Barra = nullptr;  // the commands above the chart

private:
    void creaTracce();
    void creaStatistiche();
    void creaCursore(const QString& nomeCursore);
};
