#include "dialoghi_qt.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <map>
#include <utility>

using Piattaforma::IconaDialogo;
using Piattaforma::PulsantiDialogo;
using Piattaforma::RispostaDialogo;

namespace {

QMessageBox::Icon IconaQt(IconaDialogo icona)
{
    switch (icona) {
    case IconaDialogo::Esclamazione:
        return QMessageBox::Warning;
    case IconaDialogo::Domanda:
        return QMessageBox::Question;
    case IconaDialogo::Critico:
        return QMessageBox::Critical;
    case IconaDialogo::Informazione:
        return QMessageBox::Information;
    case IconaDialogo::Nessuna:
        break;
    }
    return QMessageBox::NoIcon;
}

void InPrimoPiano(QWidget* finestra)
{
    finestra->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    finestra->setWindowModality(Qt::ApplicationModal);
    finestra->show();
    finestra->raise();
    finestra->activateWindow();
}

// A notice comes from the acquisition's own work, not from what the operator was doing: it goes
// above every window but blocks none of them and leaves the keyboard where it was, so a click or
// a key meant for another window (a Stop among them) still reaches it.
void InPrimoPianoSenzaBloccare(QWidget* finestra)
{
    finestra->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    finestra->setWindowModality(Qt::NonModal);
    finestra->setAttribute(Qt::WA_ShowWithoutActivating);
    finestra->show();
    finestra->raise();
}

// The keys that would answer a notice (Enter and Space press OK, Esc closes it) are dropped while
// they repeat and for a moment after it appears: a key held since before it (its repeats land on
// the notice when the window manager hands it the keyboard) or typed for another window just as
// it appears never closes it unread. A key pressed on it afterwards answers it as on any box; a
// release alone never does.
class TastiDeliberati final : public QObject {
public:
    explicit TastiDeliberati(QMessageBox* avviso) : QObject(avviso)
    {
        avviso->installEventFilter(this);
        for (QWidget* figlio : avviso->findChildren<QWidget*>())
            figlio->installEventFilter(this);
        apparso_.start();
    }

protected:
    bool eventFilter(QObject*, QEvent* evento) override
    {
        if (evento->type() != QEvent::KeyPress)
            return false;
        const auto* tasto = static_cast<QKeyEvent*>(evento);
        switch (tasto->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
        case Qt::Key_Select:
        case Qt::Key_Escape:
            return tasto->isAutoRepeat() || apparso_.elapsed() < DialoghiQt::TastiIgnoratiMs;
        default:
            return false;
        }
    }

private:
    QElapsedTimer apparso_;
};

// Calls `poi` once `popup` has closed (hidden, or destroyed while open), from the event loop and not
// from inside the hide: the menu bar hides one menu just before it opens the next, which is then
// the popup to wait for.
class AllaChiusura final : public QObject {
public:
    AllaChiusura(QWidget* popup, QObject* servizio, std::function<void()> poi)
        : QObject(servizio), poi_(std::move(poi))
    {
        popup->installEventFilter(this);
        connect(popup, &QObject::destroyed, this, &AllaChiusura::chiuso);
    }

protected:
    bool eventFilter(QObject*, QEvent* evento) override
    {
        if (evento->type() == QEvent::Hide)
            chiuso();
        return false;
    }

private:
    void chiuso()
    {
        if (!poi_)
            return;
        QTimer::singleShot(0, parent(), std::exchange(poi_, nullptr));
        deleteLater();
    }
    std::function<void()> poi_;
};

// A window the operator works in, as opposed to a box, a dialog, a menu or a tooltip.
bool DiLavoro(const QWidget* w)
{
    const Qt::WindowType tipo = w->windowType();
    return !qobject_cast<const QDialog*>(w) && tipo != Qt::Popup && tipo != Qt::ToolTip;
}

// The window the operator works in that `finestra` shows, if it is one.
QWidget* FinestraDiLavoro(const QWindow* finestra)
{
    if (!finestra)
        return nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowHandle() == finestra)
            return DiLavoro(w) ? w : nullptr;
    return nullptr;
}

}  // namespace

DialoghiQt::DialoghiQt()
{
    ultimaFinestra_ = FinestraDiLavoro(QGuiApplication::focusWindow());
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, &contesto_, [this](QWindow* finestra) {
        if (QWidget* w = FinestraDiLavoro(finestra))
            ultimaFinestra_ = w;
    });
}

QWidget* DialoghiQt::finestraDelBox() const
{
    if (QWidget* attiva = QApplication::activeWindow(); attiva && attiva->isVisible())
        return attiva;
    if (ultimaFinestra_ && ultimaFinestra_->isVisible())
        return ultimaFinestra_;
    // No window has had the keyboard yet (without a window manager none is activated until it
    // is clicked): the one window shown that no other belongs to, the main window.
    QWidget* unica = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || w->parentWidget() || !DiLavoro(w))
            continue;
        if (unica)
            return nullptr;
        unica = w;
    }
    return unica;
}

void DialoghiQt::restituisciTastiera(QWidget* finestra)
{
    // A box opened over another one gives the keyboard back to that box.
    if (QWidget* modale = QApplication::activeModalWidget())
        finestra = modale;
    if (QWidget* attiva = QApplication::activeWindow(); attiva && attiva->isVisible())
        return;
    if (finestra && finestra->isVisible())
        finestra->activateWindow();
}

RispostaDialogo DialoghiQt::Messaggio(const QString& testo, const QString& titolo, PulsantiDialogo pulsanti,
                                      IconaDialogo icona, std::optional<RispostaDialogo> predefinita)
{
    const QPointer<QWidget> sopra = finestraDelBox();
    QMessageBox box(IconaQt(icona), titolo, testo, QMessageBox::NoButton, sopra);
    // Texts come from settings and recipe files too: never taken for markup.
    box.setTextFormat(Qt::PlainText);
    std::map<QAbstractButton*, RispostaDialogo> risposte;
    auto aggiungi = [&](const QString& etichetta, QMessageBox::ButtonRole ruolo, RispostaDialogo r) {
        QPushButton* b = box.addButton(etichetta, ruolo);
        risposte[b] = r;
        return b;
    };
    QPushButton* fuga = nullptr;
    switch (pulsanti) {
    case PulsantiDialogo::OK:
        fuga = aggiungi(QStringLiteral("OK"), QMessageBox::AcceptRole, RispostaDialogo::OK);
        break;
    case PulsantiDialogo::OKAnnulla:
        aggiungi(QStringLiteral("OK"), QMessageBox::AcceptRole, RispostaDialogo::OK);
        fuga = aggiungi(QStringLiteral("Annulla"), QMessageBox::RejectRole, RispostaDialogo::Annulla);
        break;
    case PulsantiDialogo::SiNo:
        aggiungi(QStringLiteral("Sì"), QMessageBox::YesRole, RispostaDialogo::Si);
        fuga = aggiungi(QStringLiteral("No"), QMessageBox::NoRole, RispostaDialogo::No);
        break;
    case PulsantiDialogo::SiNoAnnulla:
        aggiungi(QStringLiteral("Sì"), QMessageBox::YesRole, RispostaDialogo::Si);
        aggiungi(QStringLiteral("No"), QMessageBox::NoRole, RispostaDialogo::No);
        fuga = aggiungi(QStringLiteral("Annulla"), QMessageBox::RejectRole, RispostaDialogo::Annulla);
        break;
    }
    box.setEscapeButton(fuga);
    const RispostaDialogo preferita = Piattaforma::RispostaPredefinita(pulsanti, predefinita);
    for (const auto& [pulsante, risposta] : risposte)
        if (risposta == preferita)
            box.setDefaultButton(static_cast<QPushButton*>(pulsante));

    InPrimoPiano(&box);
    box.exec();
    restituisciTastiera(sopra);
    const auto trovata = risposte.find(box.clickedButton());
    return trovata != risposte.end() ? trovata->second : risposte.at(fuga);
}

std::optional<QString> DialoghiQt::Input(const QString& richiesta, const QString& titolo, const QString& predefinito)
{
    const QPointer<QWidget> sopra = finestraDelBox();
    QInputDialog box(sopra);
    box.setWindowTitle(titolo);
    box.setLabelText(richiesta);
    box.setTextValue(predefinito);
    box.setOkButtonText(QStringLiteral("OK"));
    box.setCancelButtonText(QStringLiteral("Annulla"));
    InPrimoPiano(&box);
    const bool confermato = box.exec() == QDialog::Accepted;
    restituisciTastiera(sopra);
    if (!confermato)
        return std::nullopt;
    return box.textValue();
}

void DialoghiQt::Avviso(const QString& testo, const QString& titolo, IconaDialogo icona)
{
    inAttesa_.push_back({testo, titolo, icona});
    mostraProssimo();
}

void DialoghiQt::mostraProssimo()
{
    if (inAttesa_.empty() || aperto_ || dopoIlPopup_)
        return;
    // Qt closes every open popup (a menu, a combo box's list) as soon as any other window shows:
    // a notice would shut the menu the operator is choosing from and send the next keys to the
    // window below. It waits for that popup to close instead (a menu's submenu, then the menu).
    if (QWidget* popup = QApplication::activePopupWidget()) {
        dopoIlPopup_ = true;
        new AllaChiusura(popup, &contesto_, [this] {
            dopoIlPopup_ = false;
            mostraProssimo();
        });
        return;
    }
    const Notizia n = std::move(inAttesa_.front());
    inAttesa_.pop_front();
    auto* box = new QMessageBox(IconaQt(n.icona), n.titolo, n.testo, QMessageBox::NoButton, QApplication::activeWindow());
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* ok = box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box->setEscapeButton(ok);
    box->setDefaultButton(ok);
    new TastiDeliberati(box);
    aperto_ = box;
    // Closed by its OK, or gone with the window it was shown over: the next one follows, from
    // the event loop (not from inside the box's destruction). A notice the operator clicked had
    // the keyboard: it goes back to the window they work in.
    QObject::connect(box, &QObject::destroyed, &contesto_, [this] {
        aperto_ = nullptr;
        QTimer::singleShot(0, &contesto_, [this] {
            restituisciTastiera(finestraDelBox());
            mostraProssimo();
        });
    });
    InPrimoPianoSenzaBloccare(box);
}

DialoghiQt::~DialoghiQt()
{
    inAttesa_.clear();
    delete aperto_.data();
}
