#include "editor_punti.h"

#include "casellavalore.h"
#include "conversioni.h"
#include "file_ini.h"
#include "generale.h"

#include <QRegularExpression>

namespace EditorPunti {

namespace {

QString casellaValore(const Voce& v)
{
    return QStringLiteral("\"%1\"").arg(QString::fromUtf8(v.riga));
}

bool soloCifre(const QString& s) { return !s.isEmpty() && QRegularExpression(QStringLiteral("^[0-9]+$")).match(s).hasMatch(); }

std::optional<Rifiuto> verificaPunto(const Voce& v, const QString& codice, const QString& registro)
{
    const auto difetto =
        VerificaPunto(NomePunto(QString::fromUtf8(v.riga), v.scrittura), v.scrittura, codice, registro);
    if (!difetto)
        return std::nullopt;
    return Rifiuto{v.casella + difetto->casella, difetto->messaggio};
}

int codiceDi(const QString& testo)
{
    bool ok = false;
    const int c = testo.trimmed().toInt(&ok);
    return ok ? c : -1;
}

// The record's boxes that `daVerificare` names, in the record's order: the first refusal.
std::optional<Rifiuto> verificaRecord(Record record, const QStringList& testi, int decimali,
                                      const std::function<bool(const Voce&)>& daVerificare)
{
    for (const Voce& v : record) {
        if (!daVerificare(v))
            continue;
        if (!v.valore) {
            if (auto rifiuto = verificaPunto(v, testi.value(v.casella).trimmed(), testi.value(v.casella + 1).trimmed()))
                return rifiuto;
            continue;
        }
        const QString testo = testi.value(v.casella).trimmed();
        const bool conPunto = !testi.value(v.casellaPunto).trimmed().isEmpty();
        if (testo.isEmpty() && !conPunto)
            continue;
        const int d = DecimaliPunto(codiceDi(testi.value(v.casellaPunto)), v.scrittura, decimali);
        if (!Casella::ValoreDaSalvare(testo, d))
            return Rifiuto{v.casella,
                           casellaValore(v)
                               + (testo.isEmpty()
                                      ? QStringLiteral(": manca il valore del parametro.")
                                      : QStringLiteral(": il valore \"%1\" con %2 decimali non è compreso tra -32768 e 32767 "
                                                       "una volta moltiplicato per 10 elevato al numero dei decimali.")
                                            .arg(testo)
                                            .arg(d))};
    }
    return std::nullopt;
}

}  // namespace

QString NomePunto(const QString& riga, bool scrittura)
{
    return QStringLiteral("\"%1\" (%2)").arg(riga, scrittura ? QStringLiteral("Scrittura") : QStringLiteral("Lettura"));
}

std::array<QString, 2> CaselleDelPunto(const QString& testo)
{
    const qsizetype virgola = testo.indexOf(QLatin1Char(','));
    if (virgola < 0)
        return {testo.trimmed(), QString()};
    return {testo.left(virgola).trimmed(), testo.mid(virgola + 1).trimmed()};
}

std::optional<DifettoPunto> VerificaPunto(const QString& punto, bool scrittura, const QString& codice,
                                          const QString& registro)
{
    if (codice.isEmpty() != registro.isEmpty())
        return DifettoPunto{codice.isEmpty() ? 0 : 1,
                            punto + QStringLiteral(": indicare sia il codice funzione sia l'indirizzo parametro, "
                                                   "oppure lasciarli vuoti entrambi.")};
    if (codice.isEmpty())
        return std::nullopt;
    const int c = soloCifre(codice) && codice.size() < 3 ? codice.toInt() : -1;
    const bool codiceValido = scrittura ? (c == 5 || c == 6) : (c >= 1 && c <= 4);
    if (!codiceValido)
        return DifettoPunto{0, punto + (scrittura ? QStringLiteral(": il codice funzione deve essere 5 o 6.")
                                                  : QStringLiteral(": il codice funzione deve essere 1, 2, 3 o 4."))};
    if (!soloCifre(registro) || registro.size() > 5 || registro.toInt() > Casella::RegistroMassimo)
        return DifettoPunto{1, punto + QStringLiteral(": l'indirizzo parametro deve essere compreso tra 0 e %1.")
                                           .arg(Casella::RegistroMassimo)};
    return std::nullopt;
}

int DecimaliPunto(int funzione, bool scrittura, int decimaliDispositivo)
{
    const bool bit = scrittura ? funzione == 5 : (funzione == 1 || funzione == 2);
    return bit ? 0 : decimaliDispositivo;
}

QStringList Testi(Record record, int caselle, Riga lettura, Riga scrittura)
{
    QStringList testi;
    for (int i = 0; i < caselle; ++i)
        testi << QString();
    for (const Voce& v : record) {
        const Riga riga = v.scrittura ? scrittura : lettura;
        if (!v.valore) {
            testi[v.casella] = Casella::TestoCampo(riga[v.campo]);
            testi[v.casella + 1] = Casella::TestoCampo(riga[v.campo + 1]);
            continue;
        }
        // The load stores a value only with its point: a value field of -1 beside a point is a
        // real -1, not a missing value.
        const int funzione = riga[v.campoPunto];
        testi[v.casella] = Casella::TestoValore(riga[v.campo], funzione != -1,
                                                DecimaliPunto(funzione, v.scrittura, riga[Generale::Decimali]));
    }
    return testi;
}

std::optional<Rifiuto> VerificaRecord(Record record, const QStringList& testi, int decimali,
                                      const QStringList& cambiate)
{
    auto cambiata = [&](const Chiavi::Chiave& c) { return cambiate.contains(c.Nome(), Qt::CaseInsensitive); };
    return verificaRecord(record, testi, decimali, [&](const Voce& v) {
        if (cambiata(*v.chiave))
            return true;
        // A value goes with its point: a new or changed point needs its value, in its decimals.
        if (!v.valore)
            return false;
        for (const Voce& p : record)
            if (!p.valore && p.casella == v.casellaPunto)
                return cambiata(*p.chiave);
        return false;
    });
}

QList<Scrittura> ChiaviRecord(Record record, const QStringList& testi, int decimali)
{
    QList<Scrittura> chiavi;
    for (const Voce& v : record) {
        if (!v.valore) {
            chiavi.append({v.chiave->Nome(), Casella::CoppiaRegistro(testi.value(v.casella).trimmed(),
                                                                     testi.value(v.casella + 1).trimmed())});
            continue;
        }
        const QString testo = testi.value(v.casella).trimmed();
        const int d = DecimaliPunto(codiceDi(testi.value(v.casellaPunto)), v.scrittura, decimali);
        const auto valore = testo.isEmpty() ? std::nullopt : Casella::ValoreDaSalvare(testo, d);
        chiavi.append({v.chiave->Nome(), valore ? Casella::TestoValore(*valore, true, d) : testo});
    }
    return chiavi;
}

QString TestoScritturaRifiutata()
{
    return File_Ini::TestoScritturaRifiutata();
}

QString TestoRifiuto(const QString& perche)
{
    return QStringLiteral("Attenzione: ") + perche + QStringLiteral(" I dati non sono stati salvati.");
}

EditorRecord::EditorRecord(Record record, std::vector<CasellaValore*> caselle, std::function<int()> decimaliPagina)
    : record_(record), caselle_(std::move(caselle)), decimaliPagina_(std::move(decimaliPagina))
{
    for (const Voce& v : record_) {
        if (v.valore) {
            const int casella = v.casella;
            caselle_[casella]->decimali = [this, casella] { return DecimaliValore(casella); };
            caselle_[casella]->punto = casellaValore(v);
            continue;
        }
        caselle_[v.casella]->punto = caselle_[v.casella + 1]->punto = NomePunto(QString::fromUtf8(v.riga), v.scrittura);
    }
}

void EditorRecord::MostraDalFile(const std::function<QString(const Chiavi::Chiave&)>& leggi)
{
    // Shown from the rows, a point that did not load has both boxes empty.
    auto nonCaricato = [this](int casella) {
        return caselle_[casella]->text().isEmpty() && caselle_[casella + 1]->text().isEmpty();
    };
    std::vector<bool> valoreDaMostrare;
    for (const Voce& v : record_)
        valoreDaMostrare.push_back(v.valore && caselle_[v.casella]->text().isEmpty() && nonCaricato(v.casellaPunto));
    for (const Voce& v : record_) {
        if (v.valore || !nonCaricato(v.casella))
            continue;
        const auto [codice, registro] = CaselleDelPunto(leggi(*v.chiave));
        caselle_[v.casella]->setText(codice);
        caselle_[v.casella + 1]->setText(registro);
    }
    for (std::size_t i = 0; i < record_.size(); ++i) {
        if (!valoreDaMostrare[i])
            continue;
        const Voce& v = record_[i];
        const int d = DecimaliValore(v.casella);
        if (const auto valore = Casella::ValoreDaSalvare(leggi(*v.chiave).trimmed(), d))
            caselle_[v.casella]->setText(Casella::TestoValore(*valore, true, d));
    }
}

void EditorRecord::Mostra(Riga lettura, Riga scrittura)
{
    const QStringList testi = EditorPunti::Testi(record_, static_cast<int>(caselle_.size()), lettura, scrittura);
    for (std::size_t i = 0; i < caselle_.size(); ++i) {
        caselle_[i]->setText(testi[static_cast<int>(i)]);
        caselle_[i]->setEnabled(true);
    }
}

void EditorRecord::Svuota(bool abilitate)
{
    for (CasellaValore* c : caselle_) {
        c->clear();
        c->setEnabled(abilitate);
    }
}

void EditorRecord::Riformatta(bool soloNumeri)
{
    for (const Voce& v : record_) {
        if (!v.valore)
            continue;
        CasellaValore* c = caselle_[v.casella];
        const int d = DecimaliValore(v.casella);
        bool numero = false;
        Generale::ConvertiInDecimale(c->text(), d, &numero);
        if (numero || !soloNumeri)
            c->Riformatta(d);
    }
}

QStringList EditorRecord::Testi() const
{
    QStringList testi;
    for (const CasellaValore* c : caselle_)
        testi << c->text();
    return testi;
}

int EditorRecord::DecimaliValore(int casella) const
{
    for (const Voce& v : record_)
        if (v.valore && v.casella == casella)
            return DecimaliPunto(codiceDi(caselle_[v.casellaPunto]->text()), v.scrittura, decimaliPagina_());
    return decimaliPagina_();
}

}  // namespace EditorPunti
