#pragma once
// The real synoptic, offscreen, in a temporary program folder, loaded by the whole-configuration
// load from a settings file the test writes. The acquisition hooks reach the window; bus writes
// go to a recording fake.
#include "attesa.h"
#include "caricamento.h"
#include "caselle.h"
#include "cartellatemporanea.h"
#include "codabus.h"
#include "ganci.h"
#include "generale.h"
#include "mbus.h"
#include "sinottico.h"
#include "testo1252.h"
#include "vista_configurazione.h"

#include <QList>
#include <QString>

#include <memory>

// Every write and read asked of the bus; writes echo their value, reads give `lettura`. A write
// answers after `attesa` ms, as on a slow line; 0: at once.
class BusRegistrato final : public MBus::Collegamento {
public:
    struct Scrittura {
        int funzione, registro;
        long valore;
        int nodo;
        bool operator==(const Scrittura&) const = default;
    };
    QList<Scrittura> scritture;
    long lettura = 1;
    int attesa = 0;
    QCoro::Task<long> Leggi(int, long, int) override { co_return lettura; }
    QCoro::Task<long> Scrivi(int funzione, int registro, long valore, int nodo) override
    {
        scritture.append({funzione, registro, valore, nodo});
        if (attesa > 0)
            co_await Piattaforma::Dormi(attesa);
        co_return funzione == 5 && valore == 0xFF00 ? -256 : valore;
    }
};

inline char* toString(const BusRegistrato::Scrittura& s)
{
    return qstrdup(QStringLiteral("(%1,%2,%3,nodo %4)").arg(s.funzione).arg(s.registro).arg(s.valore).arg(s.nodo).toUtf8());
}

class Banco {
public:
    Banco()
    {
        using namespace Generale;
        Generale::ModoStagioni = true;
        FileImpostazioni = QStringLiteral("Quelvar1.ini");
        DimenticaPrimoCaricamento();
        AcquisizioneAttiva = false;
        UtenteAmministratore = false;
        UtenteTecnico = true;
        MasterSlaveAbilitato = CronotermostatoAbilitato = false;
        ValoreAllineato.fill(false);
        ZonaSlave.fill(false);
        CronoAttivoZona.fill(false);
        Acquisizione::SvuotaRichieste();
        TastoMouseInterruttore = 0;
        Acquisizione::GanciAttivi() = {};
        Acquisizione::GanciAttivi().Pausa = [](int) {};
        Acquisizione::GanciAttivi().Pannello4 = [this](const QString& t) { pannello4 << t; };
        MBus::ImpostaCollegamento(&bus);
        s = std::make_unique<Sinottico>();
        s->resize(900, 700);
        s->CollegaGanci();
        auto& v = Configurazione::Vista;
        v = {};
        v.ChiudiPannelli = [this] { s->ChiudiPannelli(); };
        v.RicostruisciSinottico = [this] { s->RicostruisciDispositivi(); };
    }

    ~Banco()
    {
        s.reset();
        Acquisizione::SvuotaRichieste();
        Configurazione::Vista = {};
        Acquisizione::GanciAttivi() = {};
        MBus::ImpostaCollegamento(nullptr);
    }

    void carica(const QString& ini)
    {
        QString crlf = ini;
        crlf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        cartella.scrivi(Generale::FileImpostazioni, Piattaforma::In1252(crlf));
        Configurazione::CaricaImpostazioni();
    }

    QString impostazioni() const { return Piattaforma::Da1252(cartella.leggi(Generale::FileImpostazioni)); }

    CartellaTemporanea cartella;
    BusRegistrato bus;
    QStringList pannello4;
    std::unique_ptr<Sinottico> s;
};
