#include "stampagrafico.h"

#include "dialoghi.h"
#include "stampante.h"

#include <QCoreApplication>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QWidget>

namespace Grafici {

namespace {

const QString TitoloStampa = QStringLiteral("Stampa Grafico");

// The window as the main window frames it: the MDI frame when there is one.
QWidget* esterna(QWidget* finestra)
{
    if (auto* sotto = qobject_cast<QMdiSubWindow*>(finestra->parentWidget()))
        return sotto;
    return finestra;
}

// Puts the window in its normal state for the print and gives its state back when it goes out
// of scope, whatever path the print took.
class StatoNormale {
public:
    explicit StatoNormale(QWidget* finestra) : w_(esterna(finestra)), stato_(w_->windowState())
    {
        w_->setWindowState(stato_ & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    }
    ~StatoNormale() { w_->setWindowState(stato_); }
    StatoNormale(const StatoNormale&) = delete;
    StatoNormale& operator=(const StatoNormale&) = delete;

private:
    QWidget* w_;
    Qt::WindowStates stato_;
};

}  // namespace

bool StampaImmagine(QWidget* finestra, QPrinter& stampante)
{
    stampante.setPageOrientation(QPageLayout::Landscape);
    stampante.setFullPage(false);
    const QPixmap immagine = finestra->grab();
    QPainter p;
    if (!p.begin(&stampante))
        return false;
    const QRect pagina = stampante.pageLayout().paintRectPixels(stampante.resolution());
    const QSize misura = immagine.size().scaled(pagina.size(), Qt::KeepAspectRatio);
    const QRect dove(QPoint((pagina.width() - misura.width()) / 2, 0), misura);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(dove, immagine);
    return p.end();
}

void StampaGrafico(QWidget* finestra)
{
    using namespace Piattaforma;
    if (!finestra)
        return;
    const QString domanda = QStringLiteral("Stampare il diagramma sulla stampante predefinita ?\r"
                                           "Attenzione: Questa operazione potrebbe durare alcuni minuti.");
    if (ServizioDialoghi().Messaggio(domanda, TitoloStampa, PulsantiDialogo::SiNo, IconaDialogo::Domanda) != RispostaDialogo::Si)
        return;
    bool stampato = false;
    {
        StatoNormale normale(finestra);
        std::unique_ptr<QPrinter> stampante = Stampante::Nuova();
        stampato = stampante && StampaImmagine(finestra, *stampante);
    }
    if (!stampato) {
        ServizioDialoghi().Messaggio(QStringLiteral("Errore occorso durante la stampa del diagramma."), TitoloStampa,
                                     PulsantiDialogo::OK, IconaDialogo::Critico);
        return;
    }
    // The title is the main window's caption: the window's own when it stands alone.
    ServizioDialoghi().Messaggio(QStringLiteral("Il diagramma è stato inviato alla stampante."),
                                 finestra->window()->windowTitle(), PulsantiDialogo::OK, IconaDialogo::Informazione);
}

}  // namespace Grafici
