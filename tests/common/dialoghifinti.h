#pragma once
// A stand-in for the station's message and input boxes: it records every box asked for and
// answers from a script. Installed for its lifetime, then the previous service comes back.
#include "dialoghi.h"

#include <QEventLoop>
#include <QList>
#include <QQueue>
#include <QTimer>

#include <functional>

class DialoghiFinti final : public Piattaforma::Dialoghi {
public:
    struct Box {
        QString testo;
        QString titolo;
        Piattaforma::PulsantiDialogo pulsanti = Piattaforma::PulsantiDialogo::OK;
        Piattaforma::IconaDialogo icona = Piattaforma::IconaDialogo::Nessuna;
        bool input = false;
        bool bloccante = true;  // false: a notice the caller did not wait for
    };

    DialoghiFinti() { precedente_ = Piattaforma::ImpostaServizioDialoghi(this); }
    ~DialoghiFinti() override { Piattaforma::ImpostaServizioDialoghi(precedente_); }
    DialoghiFinti(const DialoghiFinti&) = delete;
    DialoghiFinti& operator=(const DialoghiFinti&) = delete;

    // Answers in order; a box with no scripted answer gets its default button (an input box: cancelled).
    QQueue<Piattaforma::RispostaDialogo> risposte;
    QQueue<std::optional<QString>> testi;
    QList<Box> mostrati;
    // Runs as each box opens. A modal box then stays open `apertoMs` before it answers, its own
    // event loop running meanwhile as a real box's does while the operator reads it.
    std::function<void(const Box&)> allApertura;
    int apertoMs = 0;

    Piattaforma::RispostaDialogo Messaggio(const QString& testo, const QString& titolo,
                                           Piattaforma::PulsantiDialogo pulsanti, Piattaforma::IconaDialogo icona,
                                           std::optional<Piattaforma::RispostaDialogo> predefinita) override
    {
        apri({testo, titolo, pulsanti, icona, false});
        return risposte.isEmpty() ? Piattaforma::RispostaPredefinita(pulsanti, predefinita) : risposte.dequeue();
    }

    std::optional<QString> Input(const QString& richiesta, const QString& titolo, const QString&) override
    {
        apri({richiesta, titolo, Piattaforma::PulsantiDialogo::OKAnnulla, Piattaforma::IconaDialogo::Nessuna, true});
        return testi.isEmpty() ? std::nullopt : testi.dequeue();
    }

    void Avviso(const QString& testo, const QString& titolo, Piattaforma::IconaDialogo icona) override
    {
        mostrati.append({testo, titolo, Piattaforma::PulsantiDialogo::OK, icona, false, false});
        if (allApertura)
            allApertura(mostrati.last());
    }

private:
    void apri(const Box& box)
    {
        mostrati.append(box);
        if (allApertura)
            allApertura(box);
        if (apertoMs > 0) {
            QEventLoop aperto;
            QTimer::singleShot(apertoMs, &aperto, &QEventLoop::quit);
            aperto.exec();
        }
    }
    Piattaforma::Dialoghi* precedente_ = nullptr;
};
