#pragma once
// A recording stand-in for the bus: every read and write is written down as text
// ("L3,100@1", "S6,200=215@1") and answered from a table of point values; a write echoes as a
// real instrument does (a coil ON, 65280, comes back as -256) unless the test says otherwise.
// Installed for its lifetime.
#include "attesa.h"
#include "mbus.h"

#include <QStringList>

#include <functional>
#include <map>
#include <tuple>

class FintoBus final : public MBus::Collegamento {
public:
    FintoBus() { MBus::ImpostaCollegamento(this); }
    ~FintoBus() override { MBus::ImpostaCollegamento(nullptr); }

    QStringList traffico;
    // (function code, register, node) -> raw value; a point not listed fails (ValoreAssente).
    std::map<std::tuple<int, long, int>, long> punti;
    // Echo of a write; empty: the instrument's echo.
    std::function<long(int funzione, int registro, long valore, int nodo)> eco;
    // Runs while an exchange waits on the line.
    std::function<void()> durante;
    // Each exchange suspends once and resumes from the event loop, as a real one does: what the
    // operator does meanwhile runs between exchanges. Off: every exchange completes at once.
    bool sospendi = false;

    void punto(int funzione, long registro, int nodo, long valore) { punti[{funzione, registro, nodo}] = valore; }

    QCoro::Task<long> Leggi(int funzione, long registro, int nodo) override
    {
        traffico << QStringLiteral("L%1,%2@%3").arg(funzione).arg(registro).arg(nodo);
        co_await attendi();
        const auto it = punti.find({funzione, registro, nodo});
        co_return it == punti.end() ? long(MBus::ValoreAssente) : it->second;
    }
    QCoro::Task<long> Scrivi(int funzione, int registro, long valore, int nodo) override
    {
        traffico << QStringLiteral("S%1,%2=%3@%4").arg(funzione).arg(registro).arg(valore).arg(nodo);
        co_await attendi();
        if (eco)
            co_return eco(funzione, registro, valore, nodo);
        co_return (valore & 0xFFFF) >= 0x8000 ? (valore & 0xFFFF) - 0x10000 : valore;
    }

private:
    QCoro::Task<> attendi()
    {
        if (durante) {
            auto f = durante;
            f();
        }
        if (sospendi)
            co_await Piattaforma::Dormi(0);
    }
};
