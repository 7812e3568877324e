#pragma once
// The Modbus RTU master: the only code that talks to the instruments. Values cross it raw: a
// register read gives the signed 16-bit register, a bit read 0 or 1, a write the decoded echo;
// scaling by a device's decimals is the caller's. ValoreAssente means no value.
#include "generale.h"

#include <QByteArray>
#include <QCoro/QCoroTask>
#include <QString>

#include <cstdint>
#include <functional>

namespace Piattaforma { class PortaSeriale; }

namespace MBus {

using Generale::ValoreAssente;

// Every operation on the line is a coroutine: it suspends while it waits for the silence before
// a request and for the reply, and the window thread goes on meanwhile.
//
// One read of one point (function code 1..4) of one node, with NumeroTentativi attempts and
// AttesaRisposta seconds per attempt; in simulation (ComunicazioneReale false) a made-up value.
QCoro::Task<long> LeggiRegistro(int funzione, long indirizzo, int nodo);
// One write (function code 5, 6 or 8); returns the decoded echo (a coil ON, 65280, echoes -256
// from an instrument and 65280 in simulation). A value outside -32768..65535 is never sent:
// ValoreAssente at once.
QCoro::Task<long> ScriviRegistro(int funzione, int indirizzo, long valore, int nodo);
// True when the port could be opened and closed.
bool ProvaSeriale(int porta);

// True while an operation holds the line (it may be suspended, waiting for a reply). One
// exchange at a time: an operation started while the line is held never touches the port and
// returns ValoreAssente at once. The layers above never meet that refusal: their bus work takes
// its turn first (acquisition/codabus.h).
bool Occupato();

// ---- The cut -------------------------------------------------------------------------------
// Work that may be cut short (a read pass) marks its operations for as long as a Tagliabile
// lives. Once `chiesto` answers true, an operation that has sent nothing yet does not start, even
// after it has waited for the line's quiet: it ends at once with ValoreAssente. One whose request
// went out ends normally, its retries included. The innermost scope holds, so a scope without
// `chiesto` makes its operations whole again (a device handed back after the cut). Commands never
// set one: a door pulse always ends with its OFF write.
class Tagliabile {
public:
    explicit Tagliabile(std::function<bool()> chiesto = {});
    ~Tagliabile();
    Tagliabile(const Tagliabile&) = delete;
    Tagliabile& operator=(const Tagliabile&) = delete;

private:
    friend bool Tagliato();
    friend bool Annulla();
    std::function<bool()> chiesto_;
    Tagliabile* esterno_;
    bool tagliato_ = false;
};
// True once an operation of the innermost scope was not started for the cut: what it would have
// read is unknown, and the work ends there.
bool Tagliato();

// Remote/local hand-over of each device class (index 0-based) and the line-activity read.
//
// Remote is owed back. A device is owed its hand-back to local from the moment a write of 1 to
// its remote bit leaves the station, whatever the answer (a device can carry out a write whose
// reply is lost or late), and from a state read here that answers 1. An acknowledged write of
// 0, or a state read answering 0, settles it. The local step of every device class reads the
// state and, found in remote, writes 0; a device owed whose state read gets no answer, or never
// leaves for a cut, gets the write of 0 alone. Every hand-back write is one exchange with its
// retries, never cut. In keep-remote mode nothing is owed.
QCoro::Task<bool> AttivaRemotoZona(int indice);
QCoro::Task<bool> AttivaLocaleZona(int indice, bool forza);
QCoro::Task<bool> AttivaRemotoInterruttore(int indice);
QCoro::Task<bool> AttivaLocaleInterruttore(int indice, bool forza);
QCoro::Task<bool> AttivaRemotoApriporta(int indice);
QCoro::Task<bool> AttivaLocaleApriporta(int indice, bool forza);
QCoro::Task<bool> AttivaRemotoLED(int indice);
QCoro::Task<bool> AttivaLocaleLED(int indice, bool forza);
QCoro::Task<bool> MantieniAttivita();
// The Stop's hand-back: every device still owed gets the write of 0 alone, once; one that does
// not acknowledge it stays owed.
QCoro::Task<> RestituisciDovuti();
// Another link installed in place of the station's own: what the last one owed does not carry over.
void DimenticaDovuti();

// The two bus operations, replaceable so that the layers above can be tested against a
// recording fake. With none installed the station's own serial link (or simulation) serves.
// The line is held (Occupato) while the fake runs, as it is for the real link.
class Collegamento {
public:
    virtual ~Collegamento() = default;
    virtual QCoro::Task<long> Leggi(int funzione, long indirizzo, int nodo) = 0;
    virtual QCoro::Task<long> Scrivi(int funzione, int indirizzo, long valore, int nodo) = 0;
};
void ImpostaCollegamento(Collegamento* collegamento);  // nullptr: back to the station's own

// ---- The serial port ---------------------------------------------------------------------
// The station's one serial port. The configuration load applies the port number and line
// format after a good port test; false (port left as it was) when the port is in use by an
// operation or the format does not describe a line. What is owed stays owed, whatever the number.
Piattaforma::PortaSeriale& P_Seriale();
bool ImpostaSeriale(int porta, const QString& formato);

// ---- Byte level ------------------------------------------------------------------------------
// CRC-16/MODBUS (preload 0xFFFF, reflected polynomial 0xA001); travels low byte first.
std::uint16_t Crc16(const QByteArray& dati, int lunghezza);
// An 8-byte request: node, function code, the four bytes given, CRC low, CRC high. Reads pass
// address high, address low, 0, 1; writes address high, address low, value high, value low.
QByteArray ComponiTrama(int lunghezza, std::uint8_t nodo, std::uint8_t funzione, std::uint8_t b2,
                        std::uint8_t b3, std::uint8_t b4, std::uint8_t b5);
// True when the first `lunghezza` bytes end with their right CRC; bytes beyond are ignored.
bool VerificaCrc(const QByteArray& dati, int lunghezza);
bool VerificaCrc(int lunghezza);  // over DatiRicevuti
// Signed 16-bit register to a value: divided by 10^decimali only inside -30000..30000.
float DecodificaRegistro(std::uint8_t basso, std::uint8_t alto, int decimali);
// A value to the register's two bytes: decimal digits beyond `decimali` are dropped, not
// rounded; the low 16 bits are kept (65280 and -256 both give FF 00). False, bytes unchanged,
// for a value that is not a number or does not fit 32 bits once scaled.
bool CodificaRegistro(float valore, std::uint8_t& basso, std::uint8_t& alto, int decimali);

// ---- Transaction steps -----------------------------------------------------------------------
// The last reply taken: the matching frame of the last transaction (index 0 = node), or the
// bytes that arrived when no valid reply did. Cleared when a transaction starts.
inline QByteArray DatiRicevuti;
// The last transaction ended on an exception reply, or on bytes that were no valid reply.
inline bool RispostaEccezione = false;

QCoro::Task<float> LeggiValore(int funzione, std::uint8_t alto, std::uint8_t basso, int decimali, int nodo);
QCoro::Task<float> ScriviValore(int funzione, std::uint8_t alto, std::uint8_t basso, float valore, int decimali, int nodo);
// Sends one request after the line's 3.5-character silence (after an exchange that got no
// reply, a whole AttesaRisposta of quiet, so a late reply is dropped and never taken for this
// request's) and waits for its reply: true when a reply of `lunghezza` bytes from `nodo` with
// the request's function code and a good CRC arrived within AttesaRisposta. Exception replies,
// short replies and other nodes' frames fail. A line that never keeps quiet for the whole time-out
// ends that recovery at its cap, so chatter never stops the requests.
QCoro::Task<bool> EseguiTransazione(int nodo, int lunghezza, QByteArray trama);
bool ApriSeriale();
bool ChiudiSeriale();
void SvuotaSeriale();

// The silence that precedes every request, in microseconds: 3.5 characters, fixed at 1750 us
// above 19200 baud.
std::int64_t TempoSilenzio(int baud, int bitPerCarattere);

// ---- What the transactions run on: replaceable by tests ----------------------------------
class Porta {
public:
    virtual ~Porta() = default;
    virtual bool ImpostaCommPort(int porta) = 0;
    virtual bool Apri() = 0;
    virtual void Chiudi() = 0;
    virtual qint64 InBufferCount() = 0;
    virtual QByteArray Input() = 0;
    virtual void SvuotaIngresso() = 0;
    virtual bool Output(const QByteArray& dati) = 0;
    // Suspends until bytes come or at most `microsecondi` pass; false when the port failed
    // (closed, unplugged).
    virtual QCoro::Task<bool> AttendiDati(std::int64_t microsecondi) = 0;
    virtual int Baud() const = 0;
    virtual int BitPerCarattere() const = 0;
};
// A monotonic clock in microseconds.
class Orologio {
public:
    virtual ~Orologio() = default;
    virtual std::int64_t Microsecondi() = 0;
};
void ImpostaPorta(Porta* porta);           // nullptr: P_Seriale
void ImpostaOrologio(Orologio* orologio);  // nullptr: the system's monotonic clock

}  // namespace MBus
