#pragma once
#include "dialoghi.h"

// The station's boxes on screen: QMessageBox and QInputDialog with Italian buttons, kept above
// every other window (the monitor, the login and the splash are topmost too).
class DialoghiQt final : public Piattaforma::Dialoghi {
public:
    Piattaforma::RispostaDialogo Messaggio(const QString& testo, const QString& titolo,
                                           Piattaforma::PulsantiDialogo pulsanti, Piattaforma::IconaDialogo icona,
                                           std::optional<Piattaforma::RispostaDialogo> predefinita) override;
    std::optional<QString> Input(const QString& richiesta, const QString& titolo,
                                 const QString& predefinito) override;
};
