#include "dialogocolore.h"

#include <QColorDialog>

namespace Grafici {

namespace {

class DialogoQt final : public DialogoColore {
public:
    std::optional<ColoreLong> ScegliColore(ColoreLong preimpostato, QWidget* genitore) override
    {
        QColorDialog dialogo(genitore);
        dialogo.setCurrentColor(ColoreQt(preimpostato, dialogo.palette()));
        dialogo.setWindowFlag(Qt::WindowStaysOnTopHint);
        if (dialogo.exec() != QDialog::Accepted)
            return std::nullopt;
        const QColor c = dialogo.selectedColor();
        if (!c.isValid())
            return std::nullopt;
        return ColoreLong(c.red()) | (ColoreLong(c.green()) << 8) | (ColoreLong(c.blue()) << 16);
    }
};

DialogoQt qt;
DialogoColore* attuale = &qt;

}  // namespace

DialogoColore& ServizioColore() { return *attuale; }

DialogoColore* ImpostaServizioColore(DialogoColore* servizio)
{
    DialogoColore* precedente = attuale;
    attuale = servizio ? servizio : &qt;
    return precedente == &qt ? nullptr : precedente;
}

}  // namespace Grafici
