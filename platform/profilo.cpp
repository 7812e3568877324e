#include "profilo.h"

#include "testo1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

// The first character after the blanks that trimming removes (Windows-1252 0xA0 is one) is "[".
bool iniziaConParentesi(QByteArrayView riga)
{
    for (char c : riga) {
        const auto b = static_cast<unsigned char>(c);
        if (b == ' ' || (b >= 0x09 && b <= 0x0D) || b == 0xA0)
            continue;
        return c == '[';
    }
    return false;
}

}  // namespace

QString Leggi(const QString& percorso, const QString& sezione, const QString& chiave, const QString& predefinito)
{
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        return predefinito;
    const QByteArray contenuto = file.readAll();
    const QString cercata = sezione.trimmed();
    const QString nomeChiave = chiave.trimmed();
    // Only lines beginning with "[" can open a section and only lines holding "=" can be keys:
    // the others are skipped without decoding, so a large file costs one pass over its bytes.
    bool dentro = false;
    qsizetype inizio = 0;
    while (inizio < contenuto.size()) {
        qsizetype fine = contenuto.indexOf('\n', inizio);
        if (fine < 0)
            fine = contenuto.size();
        const QByteArrayView riga(contenuto.constData() + inizio, fine - inizio);
        inizio = fine + 1;
        if (iniziaConParentesi(riga)) {
            const auto nome = nomeSezione(Da1252(riga.toByteArray()));
            if (nome) {
                if (dentro)
                    return predefinito;  // only the first section of the name is searched
                dentro = uguali(*nome, cercata);
                continue;
            }
        }
        if (!dentro || !riga.contains('='))
            continue;
        QByteArray corpo = riga.toByteArray();
        if (corpo.endsWith('\r'))
            corpo.chop(1);
        const auto c = coppia(Da1252(corpo));
        if (c && uguali(c->nome, nomeChiave))
            return c->valore.left(LunghezzaMassimaValore);
    }
    return predefinito;
}

bool Scrivi(const QString& percorso, const QString& sezione, const QString& chiave, const QString& valore)
{
    if (contieneACapo(sezione) || sezione.contains(QLatin1Char(']')) || !chiaveScrivibile(chiave)
        || contieneACapo(valore))
        return false;

    QByteArray contenuto;
    const QFileInfo info(percorso);
    if (info.exists()) {
        // Checked on the mode bits, not by access(): as root every file is writable.
        if (!(info.permissions() & QFileDevice::WriteOwner))
            return false;
        QFile file(percorso);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        contenuto = file.readAll();
    }

    std::vector<Riga> tutte = righe(contenuto);
    const QByteArray aCapo = (contenuto.contains('\n') && !contenuto.contains("\r\n")) ? QByteArray("\n")
                                                                                          : QByteArray("\r\n");
    auto terminata = [&](Riga& r) {
        if (!r.grezza.endsWith('\n'))
            r.grezza.append(aCapo);
    };
    auto nuova = [&](const QString& testo) { return Riga{In1252(testo) + aCapo, testo}; };

    const Posizione p = trovaSezione(tutte, sezione);
    if (p.intestazione < 0) {
        if (!tutte.empty()) {
            terminata(tutte.back());
            if (!tutte.back().testo.trimmed().isEmpty())
                tutte.push_back(nuova(QString()));
        }
        tutte.push_back(nuova(QLatin1Char('[') + sezione.trimmed() + QLatin1Char(']')));
        tutte.push_back(nuova(chiave.trimmed() + QLatin1Char('=') + valore));
    } else {
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

    QSaveFile uscita(percorso);
    if (!uscita.open(QIODevice::WriteOnly))
        return false;
    for (const Riga& r : tutte) {
        if (uscita.write(r.grezza) != r.grezza.size()) {
            uscita.cancelWriting();
            return false;
        }
    }
    return uscita.commit();
}

}  // namespace Piattaforma::Profilo
