#pragma once
// The seven panels of the main window's status bar. Together their own widths are wider than
// most screens, so on a narrower window they share the room: the user panel gives up width
// first, down to its text. Where texts must be cut, the message panel gives way first and the
// user and the supervisor's state last, so a long notice never hides who is logged in. A new
// text is laid out at once.
#include <QWidget>

#include <array>

class QLabel;

namespace BarraStato {

inline constexpr int NumeroPannelli = 7;
using Larghezze = std::array<int, NumeroPannelli>;  // panels 1..7 at index 0..6

// The panels' widths in `disponibile` pixels: each its own width or the width of its text,
// whichever is larger, the message panel (4) taking the room left. Where that is too wide,
// panels give up what they have beyond their text: the user panel first, then the state, the
// serial port, the date, the time, the bus activity and the messages. Only where it is still too
// wide do the panels cut their texts, down to their `bordo` width (the border alone): the
// messages, the bus activity, the port, the date, the time, the state and the user last. So
// every panel keeps its border inside the bar at any width it can hold.
Larghezze Distribuisci(int disponibile, const Larghezze& proprie, const Larghezze& testi, int bordo);

}  // namespace BarraStato

class PannelliStato final : public QWidget {
public:
    // `proprie`: each panel's own width in pixels.
    PannelliStato(const BarraStato::Larghezze& proprie, QWidget* genitore);

    // Panel 1..7.
    QLabel* Pannello(int numero) const { return pannelli_.at(numero - 1); }
    // Lays the panels out for their texts now.
    void Disponi();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;

private:
    BarraStato::Larghezze proprie_;
    std::array<QLabel*, BarraStato::NumeroPannelli> pannelli_{};
};
