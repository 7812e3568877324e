#pragma once
// The small boxes of the device pages (zones, switches, LEDs, door opener): a register box holds
// a Modbus function code or a register address, digits only; a value box holds a value with
// decimals: digits, one decimal separator (typed "," or ".", entered as ".") and a minus sign as
// first character. Pasted text is held to the same rule by a validator, which also keeps a read
// function code to 1..4, a write function code to 5 or 6 and a register to what the address rows
// hold. A key or a paste the box cannot take is refused with a message that names the box and
// its rule, so nothing is dropped unseen. A value box is reformatted with the page's decimals when
// Enter is pressed in it and when it loses the focus; Enter then moves the focus to the control
// the page names and selects a box's whole text.
#include <QLineEdit>

#include <functional>
#include <optional>

class CasellaValore : public QLineEdit {
    Q_OBJECT
public:
    enum class Tipo { Registro, Valore };
    // What the box holds. A register box's tooltip names its role: the read-code and write-code
    // tooltips make it a code box, any other a register (address) box.
    enum class Ruolo { CodiceLettura, CodiceScrittura, Indirizzo, Valore };

    CasellaValore(Tipo tipo, const QString& suggerimento, QWidget* parent = nullptr);

    Tipo tipo() const { return tipo_; }
    Ruolo ruolo() const { return ruolo_; }
    bool eValore() const { return tipo_ == Tipo::Valore; }

    // The page's decimals for the reformat (value boxes only).
    std::function<int()> decimali;
    // The control Enter moves to (null: the focus stays).
    std::function<QWidget*()> successivo;
    // The point or value the box belongs to, as the refusals name it ("Accensione (ON)" (Lettura)).
    QString punto;

    // The key filter: what a typed character becomes in this box (0 = discarded). Enter is not
    // a character here: keyPressEvent handles it.
    QChar FiltraTasto(QChar tasto) const;

    // A value box's text read with `d` decimals and written back in the display format of `d`;
    // `d` outside 0..3 leaves the text unchanged. A register box is never reformatted.
    void Riformatta(int d);

    // What the box's refusal says: the box, its rule, and that its text stayed as it was.
    QString TestoRifiuto() const;

protected:
    void keyPressEvent(QKeyEvent* evento) override;
    void focusOutEvent(QFocusEvent* evento) override;
    // The operator's own pastes: the context menu, a drop, the middle button's.
    void contextMenuEvent(QContextMenuEvent* evento) override;
    void dropEvent(QDropEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;

private:
    // The text a typed character would leave: the selection replaced, or inserted at the cursor.
    QString testoCon(QChar c) const;
    void rifiuta() const;
    // Runs the line edit's own handling of an operator's action: a text it then rejects is one
    // the operator gave, and is told. (A text set by the page is not the operator's.)
    template <typename F>
    void dallOperatore(F&& azione)
    {
        ++operatore_;
        azione();
        --operatore_;
    }

    Tipo tipo_;
    int operatore_ = 0;
    Ruolo ruolo_;
};

namespace Casella {

// Texts of the value-box tooltips.
inline const char* const SuggerimentoLettura = "Codice funzione lettura (1|2|3|4)";
inline const char* const SuggerimentoRegistro = "Indirizzo parametro";
inline const char* const SuggerimentoScrittura = "Codice funzione scrittura (5|6)";
inline const char* const SuggerimentoValoreOn = "Valore parametro (ON)";
inline const char* const SuggerimentoValoreOff = "Valore parametro (OFF)";

// The largest register a point may name: the address rows hold signed 16-bit fields and the
// configuration load drops a point whose register is beyond them.
inline constexpr int RegistroMassimo = 32767;

// Moves the focus to `controllo`; a box gets its whole text selected, so typing replaces it.
void DaiFuoco(QWidget* controllo);

// A Modbus point as the settings file stores it: code "," register; a lone "," is "".
QString CoppiaRegistro(const QString& codice, const QString& registro);

// A stored field as a box shows it: -1 (not configured) is empty.
QString TestoCampo(int campo);

// The register value `valore` of a value box as it shows with `decimali` decimals: "21,5" for 215
// with 1. A value that is not configured (`configurato` false) is empty; a real -1 is shown.
QString TestoValore(int valore, bool configurato, int decimali);

// The register value a value box's text stands for with `decimali` decimals, when the text is a
// number that fits 16 bits once scaled; none otherwise (empty text included), so that a save
// never sends a 0 nobody typed.
std::optional<qint16> ValoreDaSalvare(const QString& testo, int decimali);

}  // namespace Casella
