#include "mbus.h"

#include "portaseriale.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace MBus {

namespace {

constexpr int RispostaEccezioneLunghezza = 5;  // node, code + 0x80, exception code, CRC
// Far more than any reply; a line that keeps talking cannot grow the buffer without end.
constexpr int MassimoAccumulo = 1024;

class PortaReale final : public Porta {
public:
    bool ImpostaCommPort(int porta) override { return P_Seriale().ImpostaCommPort(porta); }
    bool Apri() override { return P_Seriale().Apri(); }
    void Chiudi() override { P_Seriale().Chiudi(); }
    qint64 InBufferCount() override { return P_Seriale().InBufferCount(); }
    QByteArray Input() override { return P_Seriale().Input(); }
    void SvuotaIngresso() override { P_Seriale().SvuotaIngresso(); }
    bool Output(const QByteArray& dati) override { return P_Seriale().Output(dati); }
    QCoro::Task<bool> AttendiDati(std::int64_t us) override { return P_Seriale().AttendiDati(us); }
    int Baud() const override { return P_Seriale().Baud(); }
    int BitPerCarattere() const override { return P_Seriale().BitPerCarattere(); }
};

class OrologioSistema final : public Orologio {
public:
    OrologioSistema() { t_.start(); }
    std::int64_t Microsecondi() override { return t_.nsecsElapsed() / 1000; }

private:
    QElapsedTimer t_;  // monotonic: a change of the wall clock or midnight does not move it
};

PortaReale portaReale;
OrologioSistema orologioSistema;
Porta* porta = &portaReale;
Orologio* orologio = &orologioSistema;
Collegamento* collegamento = nullptr;
bool occupato = false;

// Holds the line for one operation; a second operation finds it held and stays off the port.
class Linea {
public:
    Linea() : presa_(!occupato) { occupato = true; }
    ~Linea() { if (presa_) occupato = false; }
    bool presa() const { return presa_; }

private:
    bool presa_;
};

Tagliabile* ambito = nullptr;  // the innermost scope of the work holding the line
bool inviata = false;          // a request of the current operation went out
bool annullata = false;        // the current operation was not started for the cut

bool NodoValido(int nodo) { return nodo >= 0 && nodo <= 255; }

// The reply to `richiesta` inside what arrived, if any: a frame counts only with the request's
// node and function code, the length of its kind and a good CRC, so a frame of another node or
// noise before the reply is passed over. A single write (codes 5 and 6) is answered by the echo
// of its address and value: an echo of anything else (a late answer to another write) is no
// acknowledgement of this one, and is passed over too.
enum class Riscontro { Nessuno, Risposta, Eccezione };
Riscontro CercaRisposta(const QByteArray& arrivati, int nodo, const QByteArray& richiesta, int lunghezza, QByteArray& trovata)
{
    const auto n = std::uint8_t(nodo);
    const auto funzione = std::uint8_t(richiesta[1]);
    const bool eco = funzione == 5 || funzione == 6;
    for (int i = 0; i + RispostaEccezioneLunghezza <= arrivati.size(); ++i) {
        if (std::uint8_t(arrivati[i]) != n)
            continue;
        const auto codice = std::uint8_t(arrivati[i + 1]);
        if (codice == (funzione | 0x80)) {
            const QByteArray t = arrivati.mid(i, RispostaEccezioneLunghezza);
            if (VerificaCrc(t, RispostaEccezioneLunghezza)) {
                trovata = t;
                return Riscontro::Eccezione;
            }
        } else if (codice == funzione && i + lunghezza <= arrivati.size()) {
            const QByteArray t = arrivati.mid(i, lunghezza);
            // A read reply carries its byte count: 1 for one bit, 2 for one register.
            const bool conteggio = funzione > 4 || std::uint8_t(t[2]) == lunghezza - 5;
            const bool echeggia = !eco || (richiesta.size() >= 6 && t.mid(2, 4) == richiesta.mid(2, 4));
            if (conteggio && echeggia && VerificaCrc(t, lunghezza)) {
                trovata = t;
                return Riscontro::Risposta;
            }
        }
    }
    return Riscontro::Nessuno;
}

bool guastoPorta = false;  // the port failed during the current operation

// After an exchange that got no reply (a time-out, whether bytes came or not) the slave may
// still be answering: same node, same code, same length as the next request's reply would be.
// Until the line has been quiet for a whole reply time-out, counted from the failure, whatever
// arrives is dropped and the quiet starts again. A good exchange ends it, so a healthy line
// keeps only the 3.5 characters. It outlives the operation: the port is closed and opened
// around each one, and what arrived while it was closed is emptied before the next request.
bool inRecupero = false;
std::int64_t quieteDalGuasto = 0;

void SegnaGuasto(std::int64_t quieteDa)
{
    inRecupero = true;
    quieteDalGuasto = quieteDa;
}

// Waits until the line has been quiet long enough, dropping whatever arrives meanwhile: 3.5
// characters, and after a failed exchange a reply time-out since the failure as well. A line
// that never keeps quiet that long (noise on an unterminated RS-485 line, an instrument that
// talks on its own) ends the recovery when its cap is reached: the request then goes after the
// 3.5 characters alone, and the reply checks (node, code, length, CRC) keep a stray frame out.
// False when the port fails or not even 3.5 characters of silence come within a time-out.
QCoro::Task<bool> AttendiSilenzio(std::int64_t limite)
{
    const std::int64_t silenzio = TempoSilenzio(porta->Baud(), porta->BitPerCarattere());
    porta->SvuotaIngresso();
    std::int64_t inizio = orologio->Microsecondi();
    std::int64_t necessaria = inRecupero ? std::max(silenzio, limite) : silenzio;
    std::int64_t tetto = inRecupero ? limite + necessaria : limite;
    std::int64_t quieteDa = inRecupero ? std::min(quieteDalGuasto, inizio) : inizio;
    for (;;) {
        const std::int64_t ora = orologio->Microsecondi();
        const std::int64_t pronto = std::max(quieteDa + necessaria, inizio + silenzio);
        if (ora >= pronto)
            co_return true;
        if (ora - inizio > tetto) {
            if (inRecupero) {
                inRecupero = false;
                inizio = quieteDa = ora;
                necessaria = silenzio;
                tetto = limite;
                continue;
            }
            SegnaGuasto(quieteDa);
            co_return false;
        }
        if (!co_await porta->AttendiDati(pronto - ora)) {
            guastoPorta = true;
            SegnaGuasto(orologio->Microsecondi());
            co_return false;
        }
        if (porta->InBufferCount() > 0) {
            porta->SvuotaIngresso();
            quieteDa = orologio->Microsecondi();
        }
    }
}

std::int64_t LimiteRisposta()
{
    const double us = double(AttesaRisposta) * 1e6;
    if (!(us > 0))
        return 0;
    return us > 1e12 ? std::int64_t(1e12) : std::int64_t(us);
}

}  // namespace

// ---- Byte level ------------------------------------------------------------------------------

std::uint16_t Crc16(const QByteArray& dati, int lunghezza)
{
    std::uint16_t crc = 0xFFFF;
    for (int i = 0; i < lunghezza && i < dati.size(); ++i) {
        crc ^= std::uint8_t(dati[i]);
        for (int b = 0; b < 8; ++b)
            crc = (crc & 1) ? std::uint16_t((crc >> 1) ^ 0xA001) : std::uint16_t(crc >> 1);
    }
    return crc;
}

QByteArray ComponiTrama(int lunghezza, std::uint8_t nodo, std::uint8_t funzione, std::uint8_t b2,
                        std::uint8_t b3, std::uint8_t b4, std::uint8_t b5)
{
    Q_UNUSED(lunghezza);  // the station sends only 8-byte requests
    QByteArray t;
    t.reserve(8);
    for (std::uint8_t b : {nodo, funzione, b2, b3, b4, b5})
        t.append(char(b));
    const std::uint16_t crc = Crc16(t, 6);
    t.append(char(crc & 0xFF));
    t.append(char(crc >> 8));
    return t;
}

bool VerificaCrc(const QByteArray& dati, int lunghezza)
{
    if (lunghezza < 3 || dati.size() < lunghezza)
        return false;
    const std::uint16_t crc = Crc16(dati, lunghezza - 2);
    return std::uint8_t(dati[lunghezza - 2]) == (crc & 0xFF) && std::uint8_t(dati[lunghezza - 1]) == (crc >> 8);
}

bool VerificaCrc(int lunghezza) { return VerificaCrc(DatiRicevuti, lunghezza); }

float DecodificaRegistro(std::uint8_t basso, std::uint8_t alto, int decimali)
{
    const int grezzo = std::int16_t(std::uint16_t(alto << 8 | basso));
    if (grezzo < -30000 || grezzo > 30000)
        return float(grezzo);
    return float(grezzo / std::pow(10.0, decimali));
}

bool CodificaRegistro(float valore, std::uint8_t& basso, std::uint8_t& alto, int decimali)
{
    if (!std::isfinite(valore) || decimali < 0 || decimali > 9)
        return false;
    // The value as its shortest decimal text at single precision, then integer and fraction
    // digits apart: fraction digits beyond the decimals are dropped, as the instruments' own
    // panels do, never rounded up.
    std::array<char, 64> testo{};
    const auto fine = std::to_chars(testo.data(), testo.data() + testo.size(), valore, std::chars_format::fixed);
    if (fine.ec != std::errc())
        return false;
    const std::string_view s(testo.data(), std::size_t(fine.ptr - testo.data()));
    const auto punto = s.find('.');
    const std::string_view intera = s.substr(0, punto);
    const std::string frazione = std::string(punto == std::string_view::npos ? std::string_view() : s.substr(punto + 1)) + "0000";

    long long i = 0;
    if (std::from_chars(intera.data(), intera.data() + intera.size(), i).ec != std::errc())
        return false;
    long long f = 0;
    if (decimali > 0 && std::from_chars(frazione.data(), frazione.data() + decimali, f).ec != std::errc())
        return false;
    if (valore < 0)
        f = -f;
    long long scala = 1;
    for (int k = 0; k < decimali; ++k)
        scala *= 10;
    if (i > std::numeric_limits<std::int32_t>::max() / scala || i < std::numeric_limits<std::int32_t>::min() / scala)
        return false;
    const long long grezzo = scala * i + f;
    if (grezzo > std::numeric_limits<std::int32_t>::max() || grezzo < std::numeric_limits<std::int32_t>::min())
        return false;
    const auto parola = std::uint16_t(std::uint32_t(std::int32_t(grezzo)) & 0xFFFF);
    alto = std::uint8_t(parola >> 8);
    basso = std::uint8_t(parola & 0xFF);
    return true;
}

std::int64_t TempoSilenzio(int baud, int bitPerCarattere)
{
    // 9600 baud 8N1: 10 bits a character, 960 characters a second, 3.5 / 960 s = 3646 us.
    if (baud > 19200 || baud <= 0)
        return 1750;
    return (std::int64_t(35) * bitPerCarattere * 1000000 + std::int64_t(10) * baud - 1) / (std::int64_t(10) * baud);
}

// ---- Port and clock --------------------------------------------------------------------------

Piattaforma::PortaSeriale& P_Seriale()
{
    static Piattaforma::PortaSeriale seriale;
    return seriale;
}

bool ImpostaSeriale(int numero, const QString& formato)
{
    if (occupato || P_Seriale().PortOpen())
        return false;
    // Both checked before either is applied; only the port itself decides its device.
    Piattaforma::PortaSeriale prova;
    if (numero < 1 || !prova.ImpostaSettings(formato))
        return false;
    // What is owed stays owed: the plant is the same file and its devices the same nodes,
    // usually on the same bus under another number (an adapter that came back as another port).
    return P_Seriale().ImpostaSettings(formato) && P_Seriale().ImpostaCommPort(numero);
}

// Another port or clock is another line: what the last one owed does not carry over.
void ImpostaPorta(Porta* p)
{
    porta = p ? p : &portaReale;
    inRecupero = false;
    DimenticaDovuti();
}
void ImpostaOrologio(Orologio* o)
{
    orologio = o ? o : &orologioSistema;
    inRecupero = false;
}
void ImpostaCollegamento(Collegamento* c)
{
    collegamento = c;
    DimenticaDovuti();
}

bool Occupato() { return occupato; }

// ---- The cut ---------------------------------------------------------------------------------

Tagliabile::Tagliabile(std::function<bool()> chiesto) : chiesto_(std::move(chiesto)), esterno_(ambito)
{
    ambito = this;
}

Tagliabile::~Tagliabile()
{
    // Scopes live in coroutine frames: unlinked wherever this one stands in the chain.
    for (Tagliabile** p = &ambito; *p; p = &(*p)->esterno_)
        if (*p == this) {
            *p = esterno_;
            break;
        }
}

bool Tagliato() { return ambito && ambito->tagliato_; }

// Asked before an operation's first request leaves.
bool Annulla()
{
    if (!ambito || !ambito->chiesto_ || !ambito->chiesto_())
        return false;
    ambito->tagliato_ = true;
    return true;
}

// ---- Transaction steps -----------------------------------------------------------------------

bool ApriSeriale()
{
    guastoPorta = false;
    inviata = false;
    annullata = false;
    return porta->Apri();
}

void SvuotaSeriale() { porta->SvuotaIngresso(); }

bool ChiudiSeriale()
{
    SvuotaSeriale();
    porta->Chiudi();
    return true;
}

QCoro::Task<bool> EseguiTransazione(int nodo, int lunghezza, QByteArray trama)
{
    DatiRicevuti.clear();
    RispostaEccezione = false;
    if (trama.size() < 2 || guastoPorta)
        co_return false;
    const std::int64_t limite = LimiteRisposta();
    if (!co_await AttendiSilenzio(limite))
        co_return false;
    // The quiet after a failure can last a whole time-out: a cut asked meanwhile finds this
    // operation with nothing sent, so it does not start.
    if (!inviata && Annulla()) {
        annullata = true;
        co_return false;
    }
    porta->SvuotaIngresso();
    if (!porta->Output(trama)) {
        guastoPorta = true;
        SegnaGuasto(orologio->Microsecondi());
        co_return false;
    }
    inviata = true;
    const std::int64_t inizio = orologio->Microsecondi();
    QByteArray arrivati;
    for (;;) {
        if (porta->InBufferCount() > 0) {
            arrivati += porta->Input();
            if (arrivati.size() > MassimoAccumulo)
                arrivati = arrivati.right(256);
            QByteArray trovata;
            switch (CercaRisposta(arrivati, nodo, trama, lunghezza, trovata)) {
            case Riscontro::Risposta:
                DatiRicevuti = trovata;
                inRecupero = false;
                co_return true;
            case Riscontro::Eccezione:
                // The slave answered this request: the line is in step again.
                DatiRicevuti = trovata;
                RispostaEccezione = true;
                inRecupero = false;
                co_return false;
            case Riscontro::Nessuno:
                break;
            }
        }
        const std::int64_t trascorso = orologio->Microsecondi() - inizio;
        if (trascorso >= limite)
            break;
        if (!co_await porta->AttendiDati(limite - trascorso)) {
            guastoPorta = true;  // the adapter is gone: no use waiting or trying again
            break;
        }
    }
    SegnaGuasto(orologio->Microsecondi());
    if (!arrivati.isEmpty()) {
        DatiRicevuti = arrivati;
        RispostaEccezione = true;
    }
    co_return false;
}

QCoro::Task<float> LeggiValore(int funzione, std::uint8_t alto, std::uint8_t basso, int decimali, int nodo)
{
    if (funzione < 1 || funzione > 4 || !NodoValido(nodo))
        co_return float(ValoreAssente);
    const int lunghezza = funzione <= 2 ? 6 : 7;
    const QByteArray trama = ComponiTrama(8, std::uint8_t(nodo), std::uint8_t(funzione), alto, basso, 0, 1);
    if (!co_await EseguiTransazione(nodo, lunghezza, trama) || !VerificaCrc(lunghezza))
        co_return float(ValoreAssente);
    if (funzione <= 2)
        co_return float(std::uint8_t(DatiRicevuti[3]));
    co_return DecodificaRegistro(std::uint8_t(DatiRicevuti[4]), std::uint8_t(DatiRicevuti[3]), decimali);
}

QCoro::Task<float> ScriviValore(int funzione, std::uint8_t alto, std::uint8_t basso, float valore, int decimali, int nodo)
{
    if ((funzione != 5 && funzione != 6 && funzione != 8) || !NodoValido(nodo))
        co_return float(ValoreAssente);
    std::uint8_t vBasso = 0, vAlto = 0;
    if (!CodificaRegistro(valore, vBasso, vAlto, decimali))
        co_return float(ValoreAssente);
    const QByteArray trama = ComponiTrama(8, std::uint8_t(nodo), std::uint8_t(funzione), alto, basso, vAlto, vBasso);
    if (!co_await EseguiTransazione(nodo, 8, trama) || !VerificaCrc(8))
        co_return float(ValoreAssente);
    co_return DecodificaRegistro(std::uint8_t(DatiRicevuti[5]), std::uint8_t(DatiRicevuti[4]), decimali);
}

// ---- Operations ------------------------------------------------------------------------------

namespace {

// One operation: the port opened, up to NumeroTentativi tries, the port closed. `Transazione`
// is called once a try and gives the try's task.
template <typename Transazione>
QCoro::Task<long> Operazione(Transazione transazione)
{
    // A port that does not open ends the operation at once: there is nothing to wait for.
    if (!ApriSeriale())
        co_return ValoreAssente;
    long v = ValoreAssente;
    for (long tentativo = 1; tentativo <= NumeroTentativi && !guastoPorta && !annullata; ++tentativo) {
        v = std::lround(co_await transazione());
        if (v != ValoreAssente)
            break;
    }
    ChiudiSeriale();
    co_return v;
}

}  // namespace

QCoro::Task<long> LeggiRegistro(int funzione, long indirizzo, int nodo)
{
    Linea linea;
    if (!linea.presa() || Annulla())
        co_return ValoreAssente;
    if (collegamento)
        co_return co_await collegamento->Leggi(funzione, indirizzo, nodo);
    if (!ComunicazioneReale) {
        const double r = QRandomGenerator::global()->generateDouble();
        if (funzione == 1 || funzione == 2)
            co_return r > 0.5 ? 1 : 0;
        co_return std::labs(std::lround(std::nearbyint(r * 500)) - 100);
    }
    const auto parola = std::uint16_t(indirizzo & 0xFFFF);
    co_return co_await Operazione([&] { return LeggiValore(funzione, std::uint8_t(parola >> 8), std::uint8_t(parola & 0xFF), 0, nodo); });
}

QCoro::Task<long> ScriviRegistro(int funzione, int indirizzo, long valore, int nodo)
{
    // A register holds -32768..32767, or 0..65535 read unsigned (a coil ON is 65280). Anything
    // else, ValoreAssente above all, would go out cut to its low 16 bits as another number.
    if (valore < -32768 || valore > 65535)
        co_return ValoreAssente;
    Linea linea;
    if (!linea.presa() || Annulla())
        co_return ValoreAssente;
    if (collegamento)
        co_return co_await collegamento->Scrivi(funzione, indirizzo, valore, nodo);
    if (!ComunicazioneReale)
        co_return valore;
    const auto parola = std::uint16_t(indirizzo & 0xFFFF);
    co_return co_await Operazione([&] { return ScriviValore(funzione, std::uint8_t(parola >> 8), std::uint8_t(parola & 0xFF), float(valore), 0, nodo); });
}

bool ProvaSeriale(int numero)
{
    Linea linea;
    if (!linea.presa())
        return false;
    if (!porta->ImpostaCommPort(numero) || !porta->Apri())
        return false;
    porta->Chiudi();
    return true;
}

}  // namespace MBus
