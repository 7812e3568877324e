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

}  // namespace

QString NomePunto(const QString& riga, bool scrittura)
{
    return QStringLiteral("\"%1\" (%2)").arg(riga, scrittura ? QStringLiteral("Scrittura") : QStringLiteral("Lettura"));
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

std::optional<Rifiuto> VerificaRecord(Record record, const QStringList& testi, int decimali)
{
    for (const Voce& v : record) {
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

void EditorRecord::MostraValoriDelFile(const std::function<QString(const Chiavi::Chiave&)>& leggi)
{
    for (const Voce& v : record_) {
        if (!v.valore || !caselle_[v.casella]->text().isEmpty() || !caselle_[v.casellaPunto]->text().isEmpty()
            || !caselle_[v.casellaPunto + 1]->text().isEmpty())
            continue;
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
