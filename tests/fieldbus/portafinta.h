#pragma once
// A serial port and a clock for the transaction tests: time moves only while the link waits,
// and each request is answered by a script of pieces that arrive at given delays after it.
#include "attesa.h"
#include "mbus.h"

#include <QByteArray>
#include <QList>

#include <algorithm>
#include <functional>

struct Pezzo {
    std::int64_t ritardo;  // microseconds after the request was sent
    QByteArray byte;
};
using Copione = QList<Pezzo>;

class PortaFinta final : public MBus::Porta, public MBus::Orologio {
public:
    // The answer to each request; none: the instrument stays silent.
    std::function<Copione(const QByteArray& richiesta)> risponde;
    bool apribile = true;
    bool guastaAlSecondoAttesa = false;  // the adapter is pulled out during the first wait
    int porta = 0;
    int aperture = 0;
    int chiusure = 0;
    int attese = 0;
    QList<QByteArray> inviate;
    QList<std::int64_t> istantiInvio;
    std::int64_t ultimoArrivo = -1'000'000'000;  // last byte on the line before a request

    std::int64_t ora = 5'000'000'000;  // far from zero: nothing may rely on the clock's origin

    void arrivaA(std::int64_t istante, const QByteArray& byte) { inArrivo_.append({istante, byte}); }

    bool ImpostaCommPort(int n) override
    {
        if (aperta_) return false;
        porta = n;
        return true;
    }
    bool Apri() override
    {
        if (!apribile) return false;
        ++aperture;
        aperta_ = true;
        guasta_ = false;
        return true;
    }
    void Chiudi() override
    {
        ++chiusure;
        aperta_ = false;
    }
    qint64 InBufferCount() override { return aperta_ ? buffer_.size() : 0; }
    QByteArray Input() override
    {
        const QByteArray b = aperta_ ? buffer_ : QByteArray();
        buffer_.clear();
        return b;
    }
    void SvuotaIngresso() override { buffer_.clear(); }
    bool Output(const QByteArray& dati) override
    {
        if (!aperta_ || guasta_) return false;
        inviate.append(dati);
        istantiInvio.append(ora);
        if (risponde)
            for (const Pezzo& p : risponde(dati))
                arrivaA(ora + p.ritardo, p.byte);
        return true;
    }
    // Each wait suspends once and resumes from the event loop, as the real port's does: what
    // the operator does meanwhile runs at the fake time the wait began. Off: waits complete at once.
    bool sospendi = false;

    // Runs as each wait begins: what happens on the operator's side while the link waits.
    std::function<void()> allAttesa;

    QCoro::Task<bool> AttendiDati(std::int64_t us) override
    {
        ++attese;
        if (allAttesa)
            allAttesa();
        if (sospendi)
            co_await Piattaforma::Dormi(0);
        if (guastaAlSecondoAttesa && attese == 2) guasta_ = true;
        if (!aperta_ || guasta_) co_return false;
        if (!buffer_.isEmpty()) co_return true;
        std::int64_t prossimo = ora + std::max<std::int64_t>(us, 0);
        for (const auto& a : inArrivo_) prossimo = std::min(prossimo, std::max(a.first, ora));
        ora = prossimo;
        consegna();
        co_return true;
    }
    int Baud() const override { return 9600; }
    int BitPerCarattere() const override { return 10; }
    std::int64_t Microsecondi() override { return ora; }

private:
    void consegna()
    {
        for (auto it = inArrivo_.begin(); it != inArrivo_.end();) {
            if (it->first <= ora) {
                buffer_ += it->second;
                ultimoArrivo = std::max(ultimoArrivo, it->first);
                it = inArrivo_.erase(it);
            } else {
                ++it;
            }
        }
    }
    bool aperta_ = false;
    bool guasta_ = false;
    QByteArray buffer_;
    QList<std::pair<std::int64_t, QByteArray>> inArrivo_;
};

// A reply frame with its CRC.
inline QByteArray ConCrc(QByteArray t)
{
    const std::uint16_t c = MBus::Crc16(t, int(t.size()));
    t.append(char(c & 0xFF)).append(char(c >> 8));
    return t;
}
