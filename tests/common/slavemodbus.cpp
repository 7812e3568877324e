#include "slavemodbus.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>

#include <modbus.h>

#include <algorithm>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int Punti = 1000;

// The slave's own CRC, kept apart from the station's so that one cannot vouch for the other.
std::uint16_t crc(const std::uint8_t* d, int n)
{
    std::uint16_t c = 0xFFFF;
    for (int i = 0; i < n; ++i) {
        c ^= d[i];
        for (int b = 0; b < 8; ++b)
            c = (c & 1) ? (c >> 1) ^ 0xA001 : c >> 1;
    }
    return c;
}

// Length of the request that starts the buffer, 0 while it cannot be told yet.
int lunghezzaRichiesta(const QByteArray& b)
{
    if (b.size() < 2)
        return 0;
    const int f = std::uint8_t(b[1]);
    if ((f >= 1 && f <= 6) || f == 8)
        return 8;
    if (f == 15 || f == 16)
        return b.size() < 7 ? 0 : 9 + std::uint8_t(b[6]);
    return b.size();  // unknown code: libmodbus answers it with an exception
}

}  // namespace

SlaveModbus::SlaveModbus(const QString& collegamento)
{
    lato_ = cartella_.filePath(QStringLiteral("slave"));
    socat_.setProcessChannelMode(QProcess::SeparateChannels);
    socat_.setReadChannel(QProcess::StandardError);
    socat_.start(QStringLiteral("socat"), {QStringLiteral("-d"), QStringLiteral("-d"),
                                           QStringLiteral("pty,raw,echo=0,link=%1").arg(lato_),
                                           QStringLiteral("pty,raw,echo=0,link=%1").arg(collegamento)});
    if (!socat_.waitForStarted(5000)) {
        errore_ = QStringLiteral("socat does not start");
        return;
    }
    // socat reports each pty and then its transfer loop: from then on both links exist.
    QByteArray rapporto;
    QDeadlineTimer limite(10000);
    while (!rapporto.contains("starting data transfer loop") && !limite.hasExpired()) {
        if (!socat_.waitForReadyRead(int(limite.remainingTime())))
            break;
        rapporto += socat_.readAllStandardError();
    }
    rapporto += socat_.readAllStandardError();
    if (!rapporto.contains("starting data transfer loop") || !QFileInfo::exists(collegamento)) {
        errore_ = QStringLiteral("socat: ") + QString::fromLocal8Bit(rapporto);
        return;
    }
    trattenuto_ = ::open(QFile::encodeName(lato_).constData(), O_RDWR | O_NOCTTY);
    if (trattenuto_ < 0) {
        errore_ = QStringLiteral("cannot open the slave's pty");
        return;
    }
    socatPronto_ = true;
    avvia();
}

SlaveModbus::~SlaveModbus()
{
    ferma();
    if (trattenuto_ >= 0)
        ::close(trattenuto_);
    if (socat_.state() != QProcess::NotRunning) {
        socat_.terminate();
        if (!socat_.waitForFinished(5000))
            socat_.kill();
        socat_.waitForFinished(5000);
    }
    for (auto& [nodo, m] : nodi_)
        modbus_mapping_free(m);
}

void SlaveModbus::aggiungiNodo(int nodo) { mappa(nodo); }

_modbus_mapping_t* SlaveModbus::mappa(int nodo)
{
    std::lock_guard blocco(mutex_);
    auto& m = nodi_[nodo];
    if (!m)
        m = modbus_mapping_new(Punti, Punti, Punti, Punti);
    return m;
}

void SlaveModbus::impostaRegistro(int nodo, int i, std::uint16_t v) { auto* m = mappa(nodo); std::lock_guard b(mutex_); m->tab_registers[i] = v; }
std::uint16_t SlaveModbus::registro(int nodo, int i) { auto* m = mappa(nodo); std::lock_guard b(mutex_); return m->tab_registers[i]; }
void SlaveModbus::impostaRegistroIngresso(int nodo, int i, std::uint16_t v) { auto* m = mappa(nodo); std::lock_guard b(mutex_); m->tab_input_registers[i] = v; }
void SlaveModbus::impostaBobina(int nodo, int i, bool v) { auto* m = mappa(nodo); std::lock_guard b(mutex_); m->tab_bits[i] = v; }
bool SlaveModbus::bobina(int nodo, int i) { auto* m = mappa(nodo); std::lock_guard b(mutex_); return m->tab_bits[i]; }
void SlaveModbus::impostaIngressoDiscreto(int nodo, int i, bool v) { auto* m = mappa(nodo); std::lock_guard b(mutex_); m->tab_input_bits[i] = v; }

void SlaveModbus::impostaLento(int nodo, int bobinaRemoto, int ms)
{
    if (ms > 0)
        mappa(nodo);
    std::lock_guard b(mutex_);
    lentoNodo_ = ms > 0 ? nodo : -1;
    lentoBobina_ = std::clamp(bobinaRemoto, 0, Punti - 1);
    lentoMs_ = ms;
}

bool SlaveModbus::avvia()
{
    if (!socatPronto_ || attivo())
        return attivo();
    if (::pipe(arresto_) != 0)
        return false;
    // Back only once the slave listens: a request sent before it has emptied its input would
    // be thrown away with what arrived while it was off.
    std::promise<void> inAscolto;
    std::future<void> pronto = inAscolto.get_future();
    thread_ = std::thread(&SlaveModbus::ciclo, this, std::move(inAscolto));
    pronto.wait();
    return true;
}

void SlaveModbus::ferma()
{
    if (!attivo())
        return;
    const char c = 0;
    [[maybe_unused]] auto n = ::write(arresto_[1], &c, 1);
    thread_.join();
    ::close(arresto_[0]);
    ::close(arresto_[1]);
    arresto_[0] = arresto_[1] = -1;
}

void SlaveModbus::ciclo(std::promise<void> inAscolto)
{
    modbus_t* ctx = modbus_new_rtu(QFile::encodeName(lato_).constData(), 9600, 'N', 8, 1);
    if (!ctx || modbus_connect(ctx) != 0) {
        if (ctx)
            modbus_free(ctx);
        inAscolto.set_value();
        return;
    }
    const int fd = modbus_get_socket(ctx);
    ::tcflush(fd, TCIFLUSH);
    inAscolto.set_value();
    QByteArray ricevuti;
    for (;;) {
        pollfd attese[2] = {{fd, POLLIN, 0}, {arresto_[0], POLLIN, 0}};
        // A frame left incomplete for long is a fragment: drop it as a slave's t1.5 would.
        const int n = ::poll(attese, 2, ricevuti.isEmpty() ? -1 : 100);
        if (n < 0)
            continue;
        if (attese[1].revents)
            break;
        if (n == 0) {
            ricevuti.clear();
            continue;
        }
        char blocco[256];
        const auto letti = ::read(fd, blocco, sizeof blocco);
        if (letti <= 0)
            continue;
        ricevuti.append(blocco, int(letti));
        for (int len = lunghezzaRichiesta(ricevuti); len > 0 && ricevuti.size() >= len; len = lunghezzaRichiesta(ricevuti)) {
            const QByteArray richiesta = ricevuti.left(len);
            ricevuti.remove(0, len);
            const auto* r = reinterpret_cast<const std::uint8_t*>(richiesta.constData());
            const std::uint16_t c = crc(r, len - 2);
            if (r[len - 2] != (c & 0xFF) || r[len - 1] != (c >> 8))
                continue;  // a slave does not answer a corrupted request
            int ritardo = ritardo_;
            {
                std::lock_guard b(mutex_);
                const int f = r[1];
                const bool scrittura = f == 5 || f == 6 || f == 15 || f == 16;
                const auto lento = nodi_.find(r[0]);
                if (r[0] == lentoNodo_ && lento != nodi_.end() && (scrittura || lento->second->tab_bits[lentoBobina_]))
                    ritardo = std::max(ritardo, lentoMs_);
            }
            // Until the request is carried out (or dropped) the slave holds it.
            trattenuta_ = true;
            struct Rilascio {
                std::atomic<bool>& t;
                ~Rilascio() { t = false; }
            } rilascio{trattenuta_};
            if (ritardo > 0) {
                pollfd arresto{arresto_[0], POLLIN, 0};
                if (::poll(&arresto, 1, ritardo) > 0)
                    break;  // stopped meanwhile: the outer loop sees it and ends
            }
            std::lock_guard blocco(mutex_);
            const auto it = nodi_.find(r[0]);
            if (it == nodi_.end())
                continue;
            ++richieste_;  // counted before the reply leaves, so a test that got it sees the count
            modbus_set_slave(ctx, r[0]);
            modbus_reply(ctx, r, len, it->second);
        }
    }
    modbus_close(ctx);
    modbus_free(ctx);
}
