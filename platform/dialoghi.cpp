#include "dialoghi.h"

#include <QDebug>

namespace Piattaforma {

namespace {

class DialoghiSilenziosi final : public Dialoghi {
public:
    RispostaDialogo Messaggio(const QString& testo, const QString& titolo, PulsantiDialogo pulsanti,
                              IconaDialogo, std::optional<RispostaDialogo> predefinita) override
    {
        qWarning().noquote() << "Messaggio non mostrato:" << titolo << "-" << testo;
        return RispostaPredefinita(pulsanti, predefinita);
    }
    std::optional<QString> Input(const QString& richiesta, const QString& titolo, const QString&) override
    {
        qWarning().noquote() << "Richiesta non mostrata:" << titolo << "-" << richiesta;
        return std::nullopt;
    }
    void Avviso(const QString& testo, const QString& titolo, IconaDialogo) override
    {
        qWarning().noquote() << "Avviso non mostrato:" << titolo << "-" << testo;
    }
};

DialoghiSilenziosi silenziosi;
Dialoghi* attuale = &silenziosi;

bool Contiene(PulsantiDialogo pulsanti, RispostaDialogo r)
{
    switch (pulsanti) {
    case PulsantiDialogo::OK:
        return r == RispostaDialogo::OK;
    case PulsantiDialogo::OKAnnulla:
        return r == RispostaDialogo::OK || r == RispostaDialogo::Annulla;
    case PulsantiDialogo::SiNo:
        return r == RispostaDialogo::Si || r == RispostaDialogo::No;
    case PulsantiDialogo::SiNoAnnulla:
        return r == RispostaDialogo::Si || r == RispostaDialogo::No || r == RispostaDialogo::Annulla;
    }
    return false;
}

}  // namespace

Dialoghi& ServizioDialoghi()
{
    return *attuale;
}

Dialoghi* ImpostaServizioDialoghi(Dialoghi* servizio)
{
    Dialoghi* precedente = attuale == &silenziosi ? nullptr : attuale;
    attuale = servizio ? servizio : &silenziosi;
    return precedente;
}

RispostaDialogo RispostaPredefinita(PulsantiDialogo pulsanti, std::optional<RispostaDialogo> predefinita)
{
    if (predefinita && Contiene(pulsanti, *predefinita))
        return *predefinita;
    return pulsanti == PulsantiDialogo::SiNo || pulsanti == PulsantiDialogo::SiNoAnnulla ? RispostaDialogo::Si
                                                                                      : RispostaDialogo::OK;
}

}  // namespace Piattaforma
