#pragma once
#include "dialoghi.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <deque>

class QMessageBox;

// The station's boxes on screen: QMessageBox and QInputDialog with Italian buttons, kept above
// every other window (the monitor, the login and the splash are topmost too). Questions and input
// boxes are modal; notices are not (see Avviso).
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

    DialoghiQt() = default;
    ~DialoghiQt() override;
    DialoghiQt(const DialoghiQt&) = delete;
    DialoghiQt& operator=(const DialoghiQt&) = delete;

private:
    struct Notizia {
        QString testo, titolo;
        Piattaforma::IconaDialogo icona;
    };
    void mostraProssimo();
    std::deque<Notizia> inAttesa_;
    QPointer<QMessageBox> aperto_;
    bool dopoIlPopup_ = false;  // the queue waits for the operator's open popup to close
    QObject contesto_;  // ends the connections and the pending calls with the service
};
