#pragma once
#include "dialoghi.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <deque>

class QMessageBox;
class QWidget;

// The station's boxes on screen: QMessageBox and QInputDialog with Italian buttons, kept above
// every other window (the monitor, the login and the splash are topmost too). Questions and input
// boxes are modal; notices are not (see Avviso). A box belongs to the window the operator works
// in, and once it is closed the keyboard goes back to that window, menus and all: not every
// window system hands it back by itself (an X server without a window manager leaves no window
// active, so Alt and a menu's letter would open nothing until the next click on the window).
class DialoghiQt final : public Piattaforma::Dialoghi {
public:
    // For this long after a notice appears its keys are not taken as an answer: whatever was
    // typed then was meant for the window the operator was working in.
    static constexpr int TastiIgnoratiMs = 500;

    Piattaforma::RispostaDialogo Messaggio(const QString& testo, const QString& titolo,
                                           Piattaforma::PulsantiDialogo pulsanti, Piattaforma::IconaDialogo icona,
                                           std::optional<Piattaforma::RispostaDialogo> predefinita) override;
    std::optional<QString> Input(const QString& richiesta, const QString& titolo,
                                 const QString& predefinito) override;
    void Avviso(const QString& testo, const QString& titolo, Piattaforma::IconaDialogo icona) override;

    DialoghiQt();
    ~DialoghiQt() override;
    DialoghiQt(const DialoghiQt&) = delete;
    DialoghiQt& operator=(const DialoghiQt&) = delete;

private:
    struct Notizia {
        QString testo, titolo;
        Piattaforma::IconaDialogo icona;
    };
    void mostraProssimo();
    // The window a box goes over: the active one; between a box or dialog closing and the window
    // system activating the window below it, the window the operator last worked in.
    QWidget* finestraDelBox() const;
    // Once a box over `finestra` has closed: the keyboard back to it, unless another window
    // (or a box still open) has it.
    void restituisciTastiera(QWidget* finestra);
    std::deque<Notizia> inAttesa_;
    QPointer<QMessageBox> aperto_;
    bool dopoIlPopup_ = false;  // the queue waits for the operator's open popup to close
    QPointer<QWidget> ultimaFinestra_;  // the last window active that is not a box, dialog or popup
    QObject contesto_;  // ends the connections and the pending calls with the service
};
