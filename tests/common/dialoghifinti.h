#pragma once
// A stand-in for the station's message and input boxes: it records every box asked for and
// answers from a script. Installed for its lifetime, then the previous service comes back.
#include "dialoghi.h"

#include <QList>
#include <QQueue>

class DialoghiFinti final : public Piattaforma::Dialoghi {
public:
    struct Box {
        QString testo;
        QString titolo;
        Piattaforma::PulsantiDialogo pulsanti = Piattaforma::PulsantiDialogo::OK;
        Piattaforma::IconaDialogo icona = Piattaforma::IconaDialogo::Nessuna;
        bool input = false;
    };

    DialoghiFinti() { precedente_ = Piattaforma::ImpostaServizioDialoghi(this); }
    ~DialoghiFinti() override { Piattaforma::ImpostaServizioDialoghi(precedente_); }
    DialoghiFinti(const DialoghiFinti&) = delete;
    DialoghiFinti& operator=(const DialoghiFinti&) = delete;

    // Answers in order; a box with no scripted answer gets its default button (an input box: cancelled).
    QQueue<Piattaforma::RispostaDialogo> risposte;
    QQueue<std::optional<QString>> testi;
    QList<Box> mostrati;

    Piattaforma::RispostaDialogo Messaggio(const QString& testo, const QString& titolo,
                                           Piattaforma::PulsantiDialogo pulsanti, Piattaforma::IconaDialogo icona,
                                           std::optional<Piattaforma::RispostaDialogo> predefinita) override
    {
        mostrati.append({testo, titolo, pulsanti, icona, false});
        return risposte.isEmpty() ? Piattaforma::RispostaPredefinita(pulsanti, predefinita) : risposte.dequeue();
    }

    std::optional<QString> Input(const QString& richiesta, const QString& titolo, const QString&) override
    {
        mostrati.append({richiesta, titolo, Piattaforma::PulsantiDialogo::OKAnnulla,
                         Piattaforma::IconaDialogo::Nessuna, true});
        return testi.isEmpty() ? std::nullopt : testi.dequeue();
    }

private:
    Piattaforma::Dialoghi* precedente_ = nullptr;
};
