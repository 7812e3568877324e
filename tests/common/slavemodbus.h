#pragma once
// A real Modbus RTU slave for tests, built on libmodbus, on one end of a socat pty pair; the
// other end is linked where the station looks for its port (for example <program folder>/COM1).
// It answers for the nodes it is given, each with its own coils, discrete inputs, holding and
// input registers (addresses 0..999), and stays silent for any other node and for a bad CRC.
// Test code only.
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <atomic>
#include <cstdint>
#include <future>
#include <map>
#include <mutex>
#include <thread>

struct _modbus_mapping_t;

class SlaveModbus {
public:
    // Starts socat; `collegamento` is the path of the station's end. Check pronto().
    explicit SlaveModbus(const QString& collegamento);
    ~SlaveModbus();
    SlaveModbus(const SlaveModbus&) = delete;
    SlaveModbus& operator=(const SlaveModbus&) = delete;

    // The pty pair is up and the slave answers.
    bool pronto() const { return socatPronto_ && attivo(); }
    QString errore() const { return errore_; }

    void aggiungiNodo(int nodo);

    // Stops answering (as if the slave were switched off) and starts again; what arrived while
    // it was off is thrown away, as a restarted instrument would.
    void ferma();
    bool avvia();
    bool attivo() const { return thread_.joinable(); }

    void impostaRegistro(int nodo, int indirizzo, std::uint16_t valore);
    std::uint16_t registro(int nodo, int indirizzo);
    void impostaRegistroIngresso(int nodo, int indirizzo, std::uint16_t valore);
    void impostaBobina(int nodo, int indirizzo, bool valore);
    bool bobina(int nodo, int indirizzo);
    void impostaIngressoDiscreto(int nodo, int indirizzo, bool valore);

    // Holds each reply back for `ms` milliseconds after its request, as a slow instrument does;
    // requests that come meanwhile wait their turn. Taken when a request arrives: a change
    // applies to the requests after it.
    void impostaRitardo(int ms) { ritardo_ = ms; }

    // A slow instrument on `nodo`: it carries out its writes (codes 5, 6, 15, 16) only when it
    // answers them, `ms` milliseconds after the request, and while its coil `bobinaRemoto` (its
    // remote bit) is on it answers everything that late; reads while the coil is off are answered
    // at once. As with impostaRitardo the condition is taken when a request arrives, the slave
    // serves one request at a time, and the longer of the two holds applies. 0 ms: off.
    void impostaLento(int nodo, int bobinaRemoto, int ms);
    // True while a request is held back, not yet carried out: a test that judges the slave's
    // memory after a late write waits for it.
    bool trattiene() const { return trattenuta_; }

    // Requests answered since start.
    int richieste() const { return richieste_; }

private:
    void ciclo(std::promise<void> inAscolto);
    _modbus_mapping_t* mappa(int nodo);

    QTemporaryDir cartella_;
    QString lato_;
    QProcess socat_;
    bool socatPronto_ = false;
    QString errore_;
    int trattenuto_ = -1;  // keeps the slave's pty end open while the slave is off
    int arresto_[2] = {-1, -1};
    std::thread thread_;
    std::mutex mutex_;
    std::map<int, _modbus_mapping_t*> nodi_;
    std::atomic<int> richieste_{0};
    std::atomic<int> ritardo_{0};
    // The slow instrument, under mutex_.
    int lentoNodo_ = -1;
    int lentoBobina_ = 0;
    int lentoMs_ = 0;
    std::atomic<bool> trattenuta_{false};
};
