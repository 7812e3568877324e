#include "pagina_zone_chiavi.h"

#include "casellavalore.h"
#include "chiavi.h"
#include "file_ini.h"
#include "generale.h"
#include "pagina.h"

#include <QDir>

#include <algorithm>

namespace ChiaviZone {

namespace {

namespace D = Chiavi::Dispositivo;
using namespace Generale;

// Keys of row r: read, write.
const Chiavi::Chiave* const chiaviRiga[RighePunti][2] = {
    {&D::PV_r, &D::PV_w}, {&D::SP_r, &D::SP_w}, {&D::AL1_r, &D::AL1_w},
    {&D::AL2_r, &D::AL2_w}, {&D::AL3_r, &D::AL3_w}, {&D::REM_r, &D::REM_w},
};

// The key of the pair whose code box is `primo`.
const Chiavi::Chiave& chiavePunto(int primo) { return *chiaviRiga[primo / 4][CasellaLettura(primo) ? 0 : 1]; }

// Function-code field of row r in RigaMappaZona.
int campoRiga(int riga) { return riga == RigaRemoto ? FunzioneREM : CampoFunzioneValore(riga); }

Scrittura chiave(const QString& sezione, const Chiavi::Chiave& c, const QString& valore)
{
    return {sezione, c.Nome(), valore, c.Predefinito()};
}


}  // namespace

QString EtichettaRiga(int riga)
{
    static const char* const etichette[RighePunti] = {"Misura (PV):",      "Set-Point (SP):",  "Allarme 1 (AL1):",
                                                      "Allarme 2 (AL2):",  "Allarme 3 (AL3):", "Modo < Remoto >:"};
    return riga >= 0 && riga < RighePunti ? QString::fromLatin1(etichette[riga]) : QString();
}

QString Sezione(int zona) { return SezioneZona(zona - 1); }

Zona DaModello(int indice)
{
    Zona z;
    if (indice < 0 || indice >= MaxZone)
        return z;
    z.numero = indice + 1;
    // A zone beyond the last load's count has no name in the model yet.
    z.nome = indice < NumeroZone ? NomiZone[indice] : SezioneZona(indice);
    const RigaMappaZona& lettura = MappaLetturaZone[indice];
    const RigaMappaZona& scrittura = MappaScritturaZone[indice];
    z.nodo = lettura[Nodo] >= 1 && lettura[Nodo] <= 255 ? lettura[Nodo] : -1;
    z.decimali = lettura[Decimali] >= 0 && lettura[Decimali] <= 3 ? lettura[Decimali] : -1;
    z.slave = ZonaSlave[indice];
    for (int r = 0; r < RighePunti; ++r) {
        const int campo = campoRiga(r);
        z.caselle[4 * r] = Casella::TestoCampo(lettura[campo]);
        z.caselle[4 * r + 1] = Casella::TestoCampo(lettura[campo + 1]);
        z.caselle[4 * r + 2] = Casella::TestoCampo(scrittura[campo]);
        z.caselle[4 * r + 3] = Casella::TestoCampo(scrittura[campo + 1]);
    }
    return z;
}

void PuntiDelFile(Zona& zona, const std::function<QString(const Chiavi::Chiave&)>& leggi)
{
    if (zona.nodo == -1)
        return;
    for (int primo = 0; primo < NumeroCaselle; primo += 2) {
        if (!zona.caselle[primo].isEmpty() || !zona.caselle[primo + 1].isEmpty())
            continue;
        const auto caselle = EditorPunti::CaselleDelPunto(leggi(chiavePunto(primo)));
        zona.caselle[primo] = caselle[0];
        zona.caselle[primo + 1] = caselle[1];
    }
}

QList<Scrittura> Salvataggio(const Pagina& p)
{
    QList<Scrittura> s;
    if (p.zona < 1 || p.zona > MaxZone)
        return s;
    const QString sez = Sezione(p.zona);
    const QString grafico = QString::fromLatin1(Chiavi::Sezione::Grafico);
    const QString generale = QString::fromLatin1(Chiavi::Sezione::Generale);
    s << chiave(QString::fromLatin1(Chiavi::Sezione::Sinottico), Chiavi::Sinottico::Immagine, p.immagine);
    // A missing name reads as the section's name.
    s << Scrittura{sez, QString::fromLatin1(D::Nome), Impostazioni::NomeDaSalvare(p.nome), sez};
    if (!p.indirizzo.isEmpty())
        s << chiave(sez, D::Indirizzo, p.indirizzo);
    s << chiave(grafico, Chiavi::Grafico::TMinAss, p.minimo) << chiave(grafico, Chiavi::Grafico::TMaxAss, p.massimo)
      << chiave(generale, Chiavi::Generale::ZoneUnita, p.unita);
    if (!p.decimali.isEmpty())
        s << chiave(sez, D::Decimali, p.decimali);
    // Zone 1 is always the master.
    s << chiave(sez, D::Slave, p.zona != 1 && p.slave ? QStringLiteral("1") : QStringLiteral("0"));
    for (int r : {RigaRemoto, 0, 1, 2, 3, 4})
        for (int lato = 0; lato < 2; ++lato) {
            const int primo = 4 * r + 2 * lato;
            const QString coppia =
                Casella::CoppiaRegistro(p.caselle[primo].trimmed(), p.caselle[primo + 1].trimmed());
            // A zone without node shows none of its stored points: an empty pair there erases nothing.
            if (coppia.isEmpty() && p.indirizzo.isEmpty())
                continue;
            s << chiave(sez, *chiaviRiga[r][lato], coppia);
        }
    return s;
}

std::optional<Rifiuto> Verifica(const std::array<QString, NumeroCaselle>& caselle, const QStringList& cambiate)
{
    for (int primo = 0; primo < NumeroCaselle; primo += 2) {
        if (!cambiate.contains(chiavePunto(primo).Nome(), Qt::CaseInsensitive))
            continue;
        QString riga = EtichettaRiga(primo / 4);
        riga.chop(1);  // the colon
        const bool scrittura = !CasellaLettura(primo);
        if (const auto difetto = EditorPunti::VerificaPunto(EditorPunti::NomePunto(riga, scrittura), scrittura,
                                                            caselle[primo].trimmed(), caselle[primo + 1].trimmed()))
            return Rifiuto{primo + difetto->casella, EditorPunti::TestoRifiuto(difetto->messaggio)};
    }
    return std::nullopt;
}

bool Scrivi(const QList<Scrittura>& scritture)
{
    for (const Scrittura& s : scritture) {
        if (File_Ini::LeggiIni(s.sezione, s.chiave, s.predefinito) == s.valore)
            continue;
        if (!File_Ini::ScriviIni(s.sezione, s.chiave, s.valore))
            return false;
    }
    return true;
}

int IndiceScelto(const QStringList& voci, const QString& valore)
{
    const qsizetype i = voci.lastIndexOf(valore);
    return static_cast<int>(i >= 0 ? i : voci.size() - 1);
}

QString TestoLimite(float valore) { return QString::number(valore); }

std::optional<QString> DicituraComune(const QString& risposta)
{
    const QString testo = risposta.trimmed();
    if (testo.isEmpty())
        return std::nullopt;
    return testo.size() > LunghezzaNome ? testo.left(LunghezzaNome).trimmed() : testo;
}

QString ChiaveDicitura(int i) { return Chiavi::Sinottico::NomeCampo(i); }

QString DicituraPredefinita(int i) { return QStringLiteral("Parametro %1").arg(i + 1); }

QStringList Icone(const QString& cartella)
{
    // Without QDir::CaseSensitive the pattern matches t1.BMP as well as T1.bmp.
    QStringList nomi = QDir(cartella).entryList({QStringLiteral("T*.bmp")}, QDir::Files | QDir::Readable, QDir::NoSort);
    std::sort(nomi.begin(), nomi.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return nomi;
}

int IndiceIcona(const QStringList& icone, const QString& icona)
{
    if (icona.isEmpty())
        return -1;
    const qsizetype esatta = icone.indexOf(icona);
    if (esatta >= 0)
        return static_cast<int>(esatta);
    for (qsizetype i = 0; i < icone.size(); ++i)
        if (icone[i].compare(icona, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

QList<Scrittura> SalvataggioSupplementare(int zona, const std::array<QString, NumeroDiciture>& campi,
                                          const QString& icona)
{
    QList<Scrittura> s;
    if (zona < 1 || zona > MaxZone)
        return s;
    const QString sez = Sezione(zona);
    for (int i = 0; i < NumeroDiciture; ++i)
        s << Scrittura{sez, ChiaveDicitura(i), campi[i].trimmed(), QString::fromLatin1(Chiavi::Sinottico::PredefinitoCampo)};
    s << chiave(sez, D::Icona, icona);
    return s;
}

}  // namespace ChiaviZone
