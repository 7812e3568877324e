#include "ricetta.h"

#include "attesa.h"
#include "cartellaprogramma.h"
#include "conversioni.h"
#include "file_ini.h"
#include "mbus.h"
#include "programmi.h"
#include "sostituzione.h"

#include <QFileInfo>

namespace Ricette {

namespace {

const QString Ricetta = QStringLiteral("Ricetta");
const QString Sleep = QStringLiteral("SLEEP");
const QString Msgbox = QStringLiteral("MSGBOX");

std::optional<long long> numeroIn(const QString& testo, long long minimo, long long massimo)
{
    const auto n = NumeroRicetta(testo);
    if (!n || *n < minimo || *n > massimo)
        return std::nullopt;
    return n;
}

QString nomeRelativo(const QString& nomeFile) { return Ricetta + QLatin1Char('\\') + nomeFile; }

}  // namespace

std::optional<CampiRiga> DividiRiga(const QString& riga)
{
    const qsizetype prima = riga.indexOf(QLatin1Char(','));
    if (prima < 0)
        return std::nullopt;
    const qsizetype seconda = riga.indexOf(QLatin1Char(','), prima + 1);
    if (seconda < 0)
        return std::nullopt;
    const qsizetype puntoEVirgola = riga.indexOf(QLatin1Char(';'), seconda + 1);
    if (puntoEVirgola < 0)
        return std::nullopt;
    return CampiRiga{riga.left(prima), riga.mid(prima + 1, seconda - prima - 1),
                     riga.mid(seconda + 1, puntoEVirgola - seconda - 1), riga.mid(puntoEVirgola + 1)};
}

std::optional<long long> NumeroRicetta(const QString& testo)
{
    // Recipes write plain decimals: "1e3" is refused as "12abc" is, never sent as 1000.
    if (testo.contains(QLatin1Char('e'), Qt::CaseInsensitive))
        return std::nullopt;
    return Generale::LeggiIntero(testo);
}

std::optional<RigaVerificata> VerificaRiga(const RigaLista& riga)
{
    RigaVerificata v;
    if (riga.FC == QLatin1String("0")) {
        const bool pausa = riga.MB.compare(Sleep, Qt::CaseInsensitive) == 0;
        if (!pausa && riga.MB.compare(Msgbox, Qt::CaseInsensitive) != 0)
            return std::nullopt;
        // Only the exact upper-case words act; the other spellings are shown and skipped.
        if (riga.MB == Sleep) {
            const auto ms = numeroIn(riga.MBVal, 0, PausaMassima);
            if (!ms)
                return std::nullopt;
            v.azione = Azione::Pausa;
            v.valore = long(*ms);
        } else if (riga.MB == Msgbox) {
            v.azione = Azione::Messaggio;
        }
        return v;
    }
    const bool bobina = riga.FC == QLatin1String("5");
    if (!bobina && riga.FC != QLatin1String("6"))
        return std::nullopt;
    const auto zona = numeroIn(riga.nDev, 1, Generale::MaxZone);
    const auto nodo = numeroIn(riga.Sadd, 1, 255);  // -1: the zone's node is not configured
    const auto registro = numeroIn(riga.MB, -32768, 32767);
    // A register holds 16 bits, signed or not: 40000 and -25536 are the same register value.
    const auto valore = bobina ? numeroIn(riga.MBVal, 0, 65280) : numeroIn(riga.MBVal, -32768, 65535);
    if (!zona || !nodo || !registro || !valore)
        return std::nullopt;
    v.azione = bobina ? Azione::Bobina : Azione::Registro;
    v.zona = int(*zona) - 1;
    v.nodo = int(*nodo);
    v.registro = int(*registro);
    v.valore = long(*valore);
    if (bobina) {
        // A coil is switched on by 0xFF00.
        if (v.valore == 1)
            v.valore = 65280;
        else if (v.valore != 0 && v.valore != 65280)
            return std::nullopt;
    }
    return v;
}

QString NomeDaPercorso(const QString& percorso)
{
    const qsizetype taglio = std::max(percorso.lastIndexOf(QLatin1Char('\\')), percorso.lastIndexOf(QLatin1Char('/')));
    return percorso.mid(taglio + 1);
}

QString PercorsoRicetta(const QString& nomeFile) { return Piattaforma::PercorsoProgramma(nomeRelativo(nomeFile)); }

Caricamento CaricaRicetta(const QString& nomeFile, int stadio, std::array<qint32, Generale::MaxZone>& intervalli)
{
    using Generale::MappaScritturaZone;
    Caricamento esito;
    esito.stadio = stadio;
    if (nomeFile.isEmpty() || !QFileInfo(PercorsoRicetta(nomeFile)).isFile())
        return esito;
    esito.nomeFile = nomeFile;
    esito.stadio = StadioIdentita;
    const QString relativo = nomeRelativo(nomeFile);
    // The recipe is parsed once for all its keys: a file of thousands of lines would otherwise be
    // read again for every one of them.
    File_Ini::Istantanea istantanea;
    auto leggi = [&](const QString& sezione, const QString& chiave, const QString& predefinito) {
        return File_Ini::LeggiIniFile(sezione, chiave, predefinito, relativo);
    };
    if (leggi(QStringLiteral("File"), QStringLiteral("ID"), QString()).toUpper().trimmed() != QLatin1String("QUELVAR"))
        return esito;

    esito.stadio = StadioContenuto;
    const int zone = std::clamp(Generale::NumeroZone, 0, Generale::MaxZone);
    for (int z = 0; z < zone; ++z) {
        const QString sezione = Generale::SezioneZona(z);
        const auto intervallo = numeroIn(leggi(sezione, QStringLiteral("Intervallo"), QStringLiteral("200")), 0, PausaMassima);
        if (!intervallo) {
            esito.dove = sezione + QStringLiteral(", Intervallo");
            return esito;
        }
        intervalli[z] = qint32(*intervallo);
        // A negative count is no line at all.
        const auto linee = numeroIn(leggi(sezione, QStringLiteral("Linee"), QStringLiteral("0")), -32768, 32767);
        if (!linee) {
            esito.dove = sezione + QStringLiteral(", Linee");
            return esito;
        }
        for (int j = 1; j <= *linee; ++j) {
            const auto campi = DividiRiga(leggi(sezione, QString::number(j), QString()));
            RigaLista riga;
            if (campi)
                riga = {QString::number(z + 1), Generale::NomiZone[z], QString::number(MappaScritturaZone[z][Generale::Nodo]),
                        campi->Funzione, campi->Registro, campi->Valore, campi->Nome};
            if (!campi || !VerificaRiga(riga)) {
                esito.dove = sezione + QStringLiteral(", linea %1").arg(j);
                return esito;
            }
            esito.righe.append(riga);
        }
    }
    esito.stadio = StadioCaricata;
    return esito;
}

Messaggio MessaggioCaricamento(const Caricamento& esito)
{
    const QString file = QStringLiteral("Il file ") + esito.nomeFile;
    switch (esito.stadio) {
    case StadioCaricata:
        return {file + QStringLiteral(" è stato caricato correttamente."), true};
    case StadioEstate:
        return {QStringLiteral("Nessun file relativo al cambio stagione Inverno -> Estate è stato impostato.")};
    case StadioInverno:
        return {QStringLiteral("Nessun file relativo al cambio stagione Estate -> Inverno è stato impostato.")};
    case StadioIdentita:
        return {file + QStringLiteral(" non è un file valido per il cambio stagione.")};
    case StadioContenuto: {
        QString testo = file + QStringLiteral(" è errato o mancante.");
        if (!esito.dove.isEmpty())
            testo += QLatin1Char('\r') + esito.dove;
        return {testo};
    }
    default:
        return {};
    }
}

int Percentuale(int valore, int massimo) { return massimo > 0 ? int(qint64(valore) * 100 / massimo) : 0; }

StileMessaggio StileDa(const QString& stile)
{
    static const QStringList stili = {"0", "1", "2", "3", "4", "5", "6", "7"};
    const qsizetype n = stili.indexOf(stile);
    if (n < 0)
        return {};
    return {StileMessaggio::Icona(n % 4), n >= 4};
}

QCoro::Task<bool> InviaRighe(QList<RigaLista> righe, std::array<qint32, Generale::MaxZone> intervalli,
                             ServiziInvio servizi)
{
    QList<RigaVerificata> verificate;
    for (const RigaLista& riga : righe) {
        const auto v = VerificaRiga(riga);
        if (!v)
            co_return false;
        if ((v->azione == Azione::Registro || v->azione == Azione::Bobina)
            && (intervalli[v->zona] < 0 || intervalli[v->zona] > PausaMassima))
            co_return false;
        verificate.append(*v);
    }
    auto pausa = [&](int ms) -> QCoro::Task<> {
        if (servizi.Pausa)
            servizi.Pausa(ms);
        else if (ms > 0)
            co_await Piattaforma::Dormi(ms);
    };
    auto avanzamento = [&](int valore, int massimo, int percento) {
        if (servizi.Avanzamento)
            servizi.Avanzamento(valore, massimo, QString::number(percento) + QLatin1Char('%'));
    };
    const int massimo = int(righe.size()) + 1;
    avanzamento(0, massimo, 0);
    for (int i = 0; i < righe.size(); ++i) {
        avanzamento(i + 1, massimo, Percentuale(i + 1, massimo));
        const RigaVerificata& v = verificate[i];
        switch (v.azione) {
        case Azione::Pausa:
            co_await pausa(int(v.valore));
            break;
        case Azione::Messaggio: {
            const QString& nome = righe[i].NomePar;
            if (servizi.Messaggio && !servizi.Messaggio(nome.isEmpty() ? TestoMessaggioVuoto : nome, righe[i].MBVal))
                co_return false;
            break;
        }
        case Azione::Registro:
        case Azione::Bobina: {
            const int funzione = v.azione == Azione::Bobina ? 5 : 6;
            const long eco = servizi.Scrivi ? servizi.Scrivi(funzione, v.registro, v.valore, v.nodo)
                                            : co_await MBus::ScriviRegistro(funzione, v.registro, v.valore, v.nodo);
            // The echo is decoded as a signed 16-bit number (a coil ON, 65280, echoes -256; in
            // simulation the value itself comes back): the two agree on their 16 bits.
            if (eco == Generale::ValoreAssente || (eco & 0xFFFF) != (v.valore & 0xFFFF))
                co_return false;
            co_await pausa(intervalli[v.zona]);
            break;
        }
        case Azione::Nessuna:
            break;
        }
    }
    avanzamento(massimo, massimo, 100);
    co_await pausa(PausaFinale);
    co_return true;
}

}  // namespace Ricette

namespace File_Ini {

QByteArray ModelloRicetta()
{
    QByteArray testo;
    auto riga = [&](const char* r) { testo += r; testo += "\r\n"; };
    riga("[File]");
    riga("ID = Quelvar");
    riga("");
    riga("");
    riga("[Note]");
    riga("< Spazio dedicato alle note del cliente >");
    riga("");
    riga("");
    for (int z = 1; z <= Generale::MaxZone; ++z) {
        riga(QStringLiteral("[Zona %1]").arg(z, 2, 10, QLatin1Char('0')).toLatin1().constData());
        riga("Intervallo = 150");
        riga("Linee =0");
        if (z < Generale::MaxZone) {
            riga("");
            riga("");
        }
    }
    return testo;
}

bool CreaRicetta()
{
    const QString percorso = Ricette::PercorsoRicetta(NomeModelloRicetta);
    const QFileInfo info(percorso);
    // A read-only template is not replaced behind its owner's back (the rename would do it).
    if (info.exists() && (!info.isFile() || !(info.permissions() & QFileDevice::WriteOwner)))
        return false;
    if (!Piattaforma::SostituisciFile(percorso, ModelloRicetta()))
        return false;
    Piattaforma::AvviaProgramma(Piattaforma::Programma::EditorTesto, {QFileInfo(percorso).absoluteFilePath()});
    return true;
}

}  // namespace File_Ini
