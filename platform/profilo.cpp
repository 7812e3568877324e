#include "profilo.h"

#include "sostituzione.h"
#include "testo1252.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace Piattaforma::Profilo {

namespace {

struct Riga {
    QByteArray grezza;  // the line as stored, terminator included
    QString testo;      // decoded, without terminator
};

std::vector<Riga> righe(const QByteArray& contenuto)
{
    std::vector<Riga> risultato;
    qsizetype inizio = 0;
    while (inizio < contenuto.size()) {
        qsizetype fine = contenuto.indexOf('\n', inizio);
        const qsizetype dopo = fine < 0 ? contenuto.size() : fine + 1;
        Riga r;
        r.grezza = contenuto.mid(inizio, dopo - inizio);
        QByteArray corpo = r.grezza;
        if (corpo.endsWith('\n'))
            corpo.chop(1);
        if (corpo.endsWith('\r'))
            corpo.chop(1);
        r.testo = Da1252(corpo);
        risultato.push_back(std::move(r));
        inizio = dopo;
    }
    return risultato;
}

std::optional<QString> nomeSezione(const QString& testo)
{
    const QString t = testo.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype chiusa = t.indexOf(QLatin1Char(']'));
    return t.mid(1, chiusa < 0 ? -1 : chiusa - 1).trimmed();
}

struct Coppia {
    QString nome;
    QString valore;
};

std::optional<Coppia> coppia(const QString& testo)
{
    const qsizetype uguale = testo.indexOf(QLatin1Char('='));
    if (uguale < 0)
        return std::nullopt;
    const QString nome = testo.left(uguale).trimmed();
    if (nome.startsWith(QLatin1Char(';')))
        return std::nullopt;
    QString valore = testo.mid(uguale + 1).trimmed();
    if (valore.size() >= 2) {
        const QChar primo = valore.front();
        if ((primo == QLatin1Char('"') || primo == QLatin1Char('\'')) && valore.back() == primo)
            valore = valore.mid(1, valore.size() - 2);
    }
    return Coppia{nome, valore};
}

bool uguali(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// An order of names that puts side by side the names `uguali` takes for one.
bool prima(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

// Index range [inizio, fine) of the lines of the first section of the name, header excluded.
struct Posizione {
    qsizetype intestazione = -1;
    qsizetype fine = -1;
};

Posizione trovaSezione(const std::vector<Riga>& tutte, const QString& sezione)
{
    Posizione p;
    for (qsizetype i = 0; i < static_cast<qsizetype>(tutte.size()); ++i) {
        const auto nome = nomeSezione(tutte[i].testo);
        if (!nome)
            continue;
        if (p.intestazione >= 0) {
            p.fine = i;
            return p;
        }
        if (uguali(*nome, sezione.trimmed()))
            p.intestazione = i;
    }
    if (p.intestazione >= 0)
        p.fine = static_cast<qsizetype>(tutte.size());
    return p;
}

bool contieneACapo(const QString& s)
{
    return s.contains(QLatin1Char('\r')) || s.contains(QLatin1Char('\n'));
}

// A key line that a read would take for a section header or a comment would never be read back,
// and a "[" line would move the keys below it into another section.
bool chiaveScrivibile(const QString& chiave)
{
    const QString nome = chiave.trimmed();
    return !nome.isEmpty() && !contieneACapo(nome) && !nome.contains(QLatin1Char('='))
        && !nome.startsWith(QLatin1Char('[')) && !nome.startsWith(QLatin1Char(';'));
}

// The blanks that trimming removes, as Windows-1252 bytes (0xA0 is the no-break space).
bool bianco(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return b == ' ' || (b >= 0x09 && b <= 0x0D) || b == 0xA0;
}

QByteArrayView rifilata(QByteArrayView v)
{
    while (!v.isEmpty() && bianco(v.front()))
        v = v.sliced(1);
    while (!v.isEmpty() && bianco(v.back()))
        v.chop(1);
    return v;
}

bool soloAscii(QByteArrayView v)
{
    return std::all_of(v.begin(), v.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The name of a section header line (its first character after the blanks is "["), still in
// Windows-1252 bytes: up to the first "]", blanks removed.
std::optional<QByteArrayView> intestazione(QByteArrayView riga)
{
    const QByteArrayView t = rifilata(riga);
    if (t.isEmpty() || t.front() != '[')
        return std::nullopt;
    const qsizetype chiusa = t.indexOf(']');
    return rifilata(t.sliced(1, (chiusa < 0 ? t.size() : chiusa) - 1));
}

// A section name asked for, ready to be compared with header names without decoding them.
struct NomeCercato {
    explicit NomeCercato(const QString& sezione)
        : testo(sezione.trimmed())
    {
        ascii = std::all_of(testo.begin(), testo.end(), [](QChar c) { return c.unicode() < 0x80; });
        if (ascii)
            minuscolo = testo.toLatin1().toLower();
    }
    // Windows-1252 is one byte a character: a name of another length is another name. Only a
    // name with bytes beyond ASCII is decoded to be compared.
    bool stesso(QByteArrayView nome) const
    {
        if (nome.size() != testo.size())
            return false;
        if (ascii && soloAscii(nome))
            return qstrnicmp(nome.data(), nome.size(), minuscolo.constData(), minuscolo.size()) == 0;
        return uguali(Da1252(nome.toByteArray()), testo);
    }
    QString testo;
    bool ascii = false;
    QByteArray minuscolo;
};

// The value of a key line whose name is `chiave`, cut to the longest value.
std::optional<QString> valoreDellaRiga(QByteArrayView riga, const QString& chiave)
{
    if (!riga.contains('='))
        return std::nullopt;
    const auto c = coppia(Da1252(riga.toByteArray()));
    if (c && uguali(c->nome, chiave))
        return c->valore.left(LunghezzaMassimaValore);
    return std::nullopt;
}

// Calls `riga` with each line of `testo`, without its line end, until it returns false.
template <typename F>
void perOgniRiga(QByteArrayView testo, F riga)
{
    qsizetype inizio = 0;
    while (inizio < testo.size()) {
        qsizetype fine = testo.indexOf('\n', inizio);
        if (fine < 0)
            fine = testo.size();
        if (!riga(testo.sliced(inizio, fine - inizio), inizio, fine))
            return;
        inizio = fine + 1;
    }
}

// One file parsed once for the reads of an Istantanea: where each section is, and the keys of
// each section that has been asked for, in name order: a read looks a key up rather than going
// through the section, which may be a recipe zone of 32,767 lines.
class Copia {
public:
    explicit Copia(const QString& percorso)
    {
        QFile file(percorso);
        if (!file.open(QIODevice::ReadOnly))
            return;
        esiste_ = true;
        contenuto_ = file.readAll();
        perOgniRiga(SenzaMarcaUtf8(contenuto_), [this](QByteArrayView riga, qsizetype inizio, qsizetype fine) {
            const auto nome = intestazione(riga);
            if (!nome)
                return true;
            if (!sezioni_.empty())
                sezioni_.back().fine = inizio;
            sezioni_.push_back(Sezione{*nome, fine + 1, -1, {}, false});
            return true;
        });
        if (!sezioni_.empty())
            sezioni_.back().fine = SenzaMarcaUtf8(contenuto_).size();
    }

    std::optional<QString> Leggi(const QString& sezione, const QString& chiave)
    {
        if (!esiste_)
            return std::nullopt;
        Sezione* s = trova(NomeCercato(sezione));
        if (!s)
            return std::nullopt;
        if (!s->indicizzata) {
            const QByteArrayView testo = SenzaMarcaUtf8(contenuto_);
            perOgniRiga(testo.sliced(std::min(s->inizio, testo.size()), std::max<qsizetype>(0, s->fine - s->inizio)),
                        [s](QByteArrayView riga, qsizetype, qsizetype) {
                            if (riga.contains('=')) {
                                if (auto c = coppia(Da1252(riga.toByteArray())))
                                    s->chiavi.push_back(Coppia{c->nome, c->valore.left(LunghezzaMassimaValore)});
                            }
                            return true;
                        });
            // Stable: of the lines of one name, the first stays first.
            std::stable_sort(s->chiavi.begin(), s->chiavi.end(),
                             [](const Coppia& a, const Coppia& b) { return prima(a.nome, b.nome); });
            s->indicizzata = true;
        }
        const QString nome = chiave.trimmed();
        const auto c = std::lower_bound(s->chiavi.cbegin(), s->chiavi.cend(), nome,
                                        [](const Coppia& k, const QString& n) { return prima(k.nome, n); });
        if (c == s->chiavi.cend() || !uguali(c->nome, nome))
            return std::nullopt;
        return c->valore;
    }

private:
    struct Sezione {
        QByteArrayView nome;
        qsizetype inizio;  // body, in the text after the byte-order mark
        qsizetype fine;
        std::vector<Coppia> chiavi;  // by name, without regard to case; of one name, in file order
        bool indicizzata;
    };

    // The first section of the name, looked for once per name asked: a load asks a few dozen
    // names, each many times.
    Sezione* trova(const NomeCercato& cercato)
    {
        auto it = trovate_.constFind(cercato.testo);
        if (it == trovate_.constEnd()) {
            const auto s = std::find_if(sezioni_.begin(), sezioni_.end(),
                                        [&](const Sezione& s) { return cercato.stesso(s.nome); });
            it = trovate_.insert(cercato.testo, s == sezioni_.end() ? -1 : qsizetype(s - sezioni_.begin()));
        }
        return it.value() < 0 ? nullptr : &sezioni_[std::size_t(it.value())];
    }

    bool esiste_ = false;
    QByteArray contenuto_;
    std::vector<Sezione> sezioni_;  // every header, in file order
    QHash<QString, qsizetype> trovate_;
};

struct Istantanee {
    int livello = 0;
    QHash<QString, std::shared_ptr<Copia>> copie;
};
thread_local Istantanee istantanee;

}  // namespace

Istantanea::Istantanea() { ++istantanee.livello; }

Istantanea::~Istantanea()
{
    if (--istantanee.livello == 0)
        istantanee.copie.clear();
}

QString Leggi(const QString& percorso, const QString& sezione, const QString& chiave, const QString& predefinito)
{
    if (istantanee.livello > 0) {
        std::shared_ptr<Copia>& copia = istantanee.copie[percorso];
        if (!copia)
            copia = std::make_shared<Copia>(percorso);
        return copia->Leggi(sezione, chiave).value_or(predefinito);
    }

    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        return predefinito;
    const QByteArray contenuto = file.readAll();
    const NomeCercato cercata(sezione);
    const QString nomeChiave = chiave.trimmed();
    // Only lines beginning with "[" can open a section and only lines holding "=" can be keys;
    // header names are compared as bytes and key lines are decoded only in the section read, so
    // a large file costs one pass over its bytes.
    bool dentro = false;
    std::optional<QString> trovato;
    perOgniRiga(SenzaMarcaUtf8(contenuto), [&](QByteArrayView riga, qsizetype, qsizetype) {
        if (const auto nome = intestazione(riga)) {
            if (dentro)
                return false;  // only the first section of the name is searched
            dentro = cercata.stesso(*nome);
            return true;
        }
        if (dentro)
            trovato = valoreDellaRiga(riga, nomeChiave);
        return !trovato;
    });
    return trovato.value_or(predefinito);
}

bool Scrivi(const QString& percorso, const QString& sezione, const QString& chiave, const QString& valore)
{
    return Scrivi(percorso, Voci{{sezione, chiave, valore}});
}

bool Scrivi(const QString& percorso, const Voci& voci)
{
    for (const auto& [sezione, chiave, valore] : voci)
        if (contieneACapo(sezione) || sezione.contains(QLatin1Char(']')) || !chiaveScrivibile(chiave)
            || contieneACapo(valore))
            return false;

    QByteArray contenuto;
    const QFileInfo info(percorso);
    if (info.exists()) {
        // Checked on the mode bits, not by access(): as root every file is writable.
        if (!(info.permissions() & QFileDevice::WriteOwner))
            return false;
        // A file read short would be written back short: every other key would be lost.
        QFile file(percorso);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        contenuto = file.readAll();
        if (file.error() != QFileDevice::NoError || contenuto.size() != file.size())
            return false;
    }
    // The byte-order mark stays where it is, before the text.
    const bool marca = contenuto.startsWith(MarcaUtf8);
    if (marca)
        contenuto.remove(0, MarcaUtf8.size());

    std::vector<Riga> tutte = righe(contenuto);
    const QByteArray aCapo = (contenuto.contains('\n') && !contenuto.contains("\r\n")) ? QByteArray("\n")
                                                                                          : QByteArray("\r\n");
    auto terminata = [&](Riga& r) {
        if (!r.grezza.endsWith('\n'))
            r.grezza.append(aCapo);
    };
    auto nuova = [&](const QString& testo) { return Riga{In1252(testo) + aCapo, testo}; };

    for (const auto& [sezione, chiave, valore] : voci) {
        const Posizione p = trovaSezione(tutte, sezione);
        if (p.intestazione < 0) {
            if (!tutte.empty()) {
                terminata(tutte.back());
                if (!tutte.back().testo.trimmed().isEmpty())
                    tutte.push_back(nuova(QString()));
            }
            tutte.push_back(nuova(QLatin1Char('[') + sezione.trimmed() + QLatin1Char(']')));
            tutte.push_back(nuova(chiave.trimmed() + QLatin1Char('=') + valore));
            continue;
        }
        bool fatto = false;
        qsizetype ultimaPiena = p.intestazione;
        for (qsizetype i = p.intestazione + 1; i < p.fine && !fatto; ++i) {
            if (!tutte[i].testo.trimmed().isEmpty())
                ultimaPiena = i;
            const auto c = coppia(tutte[i].testo);
            if (c && uguali(c->nome, chiave.trimmed())) {
                const bool aveva = tutte[i].grezza.endsWith('\n');
                const QByteArray fine = tutte[i].grezza.endsWith("\r\n") ? QByteArray("\r\n") : QByteArray("\n");
                tutte[i] = Riga{In1252(c->nome + QLatin1Char('=') + valore) + (aveva ? fine : QByteArray()),
                                c->nome + QLatin1Char('=') + valore};
                fatto = true;
            }
        }
        if (!fatto) {
            terminata(tutte[ultimaPiena]);
            tutte.insert(tutte.begin() + ultimaPiena + 1, nuova(chiave.trimmed() + QLatin1Char('=') + valore));
        }
    }

    QByteArray uscita;
    if (marca)
        uscita = MarcaUtf8.toByteArray();
    for (const Riga& r : tutte)
        uscita += r.grezza;
    if (!SostituisciFile(percorso, uscita))
        return false;
    // What the reads of an Istantanea were served no longer holds.
    istantanee.copie.clear();
    return true;
}

}  // namespace Piattaforma::Profilo
