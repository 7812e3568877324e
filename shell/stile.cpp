#include "stile.h"

#include <QApplication>
#include <QIcon>
#include <QProxyStyle>

#include <array>

namespace {

// Everything as the style it stands over, but a title-bar button's picture is made once.
class StileStazione final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap immagine, const QStyleOption* opzione, const QWidget* widget) const override
    {
        if (immagine < SP_TitleBarMenuButton || immagine > SP_TitleBarContextHelpButton)
            return QProxyStyle::standardIcon(immagine, opzione, widget);
        // These pictures are fixed drawings: the same whatever the option or the widget.
        QIcon& icona = icone_[immagine - SP_TitleBarMenuButton];
        if (icona.isNull())
            icona = QProxyStyle::standardIcon(immagine, opzione, widget);
        return icona;
    }

private:
    mutable std::array<QIcon, SP_TitleBarContextHelpButton - SP_TitleBarMenuButton + 1> icone_;
};

}  // namespace

namespace Stile {

void Installa()
{
    QStyle* attuale = QApplication::style();
    if (!attuale || dynamic_cast<StileStazione*>(attuale))
        return;
    // A fresh instance of the style in use, by its name; one set up without a name (by code
    // that made its own style object) is left as it is.
    const QString nome = attuale->name();
    if (nome.isEmpty())
        return;
    QApplication::setStyle(new StileStazione(nome));
}

}  // namespace Stile
