#pragma once
// Message boxes and input boxes. Every window and every hook of the lower layers asks through
// this one service, so the station's boxes all read the same (Italian buttons, icon, title,
// brought to the foreground) and tests can answer them from a script.
#include <QString>

#include <optional>

namespace Piattaforma {

enum class IconaDialogo { Nessuna, Esclamazione, Domanda, Informazione, Critico };
enum class PulsantiDialogo { OK, OKAnnulla, SiNo, SiNoAnnulla };
// Buttons read "OK", "Annulla", "Sì", "No".
enum class RispostaDialogo { OK, Annulla, Si, No };

class Dialoghi {
public:
    virtual ~Dialoghi() = default;

    // A modal message box in the foreground. `predefinita` is the default button; when it is not
    // one of `pulsanti`, the first button is. Esc and the close box answer Annulla, or No on a
    // Yes/No box, or OK on an OK box.
    virtual RispostaDialogo Messaggio(const QString& testo, const QString& titolo, PulsantiDialogo pulsanti,
                                      IconaDialogo icona,
                                      std::optional<RispostaDialogo> predefinita = std::nullopt) = 0;

    // A modal input box with OK and Annulla. No value when the operator cancels.
    virtual std::optional<QString> Input(const QString& richiesta, const QString& titolo,
                                         const QString& predefinito = QString()) = 0;

    // A message with OK alone that the caller does not wait for: it returns at once and the box
    // stays in the foreground until its OK. Notices asked for while one is shown follow it, one
    // after the other. The acquisition reports through these, so no pass ever waits for a person.
    // A notice blocks no other window and takes no click or key meant for one; a key held or
    // typed as it appears does not close it.
    virtual void Avviso(const QString& testo, const QString& titolo, IconaDialogo icona) = 0;
};

// The service in use. Until the shell installs the real one, boxes are not shown: each is
// logged as a warning and answered with its default button (an input box as cancelled).
Dialoghi& ServizioDialoghi();
// Installs `servizio` (not owned; nullptr goes back to the silent one) and returns the previous.
Dialoghi* ImpostaServizioDialoghi(Dialoghi* servizio);

// The button a box answers with when nothing is pressed: `predefinita` when the box has it,
// otherwise its first button.
RispostaDialogo RispostaPredefinita(PulsantiDialogo pulsanti, std::optional<RispostaDialogo> predefinita);

}  // namespace Piattaforma
