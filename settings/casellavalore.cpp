#include "casellavalore.h"

#include "conversioni.h"
#include "dialoghi.h"
#include "editor_punti.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QValidator>

#include <cmath>

namespace {

// What a paste (or a typed key that passed the filter) may leave in a box: what typing could
// have left there.
class ValidatoreCasella final : public QValidator {
public:
    ValidatoreCasella(CasellaValore::Ruolo ruolo, QObject* genitore) : QValidator(genitore), ruolo_(ruolo) {}

    State validate(QString& testo, int&) const override
    {
        using R = CasellaValore::Ruolo;
        switch (ruolo_) {
        case R::CodiceLettura:
            return corrisponde(testo, QStringLiteral("[1-4]?"));
        case R::CodiceScrittura:
            return corrisponde(testo, QStringLiteral("[56]?"));
        case R::Indirizzo:
            if (corrisponde(testo, QStringLiteral("[0-9]{0,5}")) == Invalid)
                return Invalid;
            return testo.isEmpty() || testo.toInt() <= Casella::RegistroMassimo ? Acceptable : Invalid;
        case R::Valore:
            // One separator of either kind: the reformat writes ",", the filter enters ".".
            return corrisponde(testo, QStringLiteral("-?[0-9]*[.,]?[0-9]*"));
        }
        return Invalid;
    }

private:
    static State corrisponde(const QString& testo, const QString& regola)
    {
        return QRegularExpression(QRegularExpression::anchoredPattern(regola)).match(testo).hasMatch() ? Acceptable
                                                                                                      : Invalid;
    }
    CasellaValore::Ruolo ruolo_;
};

CasellaValore::Ruolo ruoloDa(CasellaValore::Tipo tipo, const QString& suggerimento)
{
    if (tipo == CasellaValore::Tipo::Valore)
        return CasellaValore::Ruolo::Valore;
    if (suggerimento == QLatin1String(Casella::SuggerimentoLettura))
        return CasellaValore::Ruolo::CodiceLettura;
    if (suggerimento == QLatin1String(Casella::SuggerimentoScrittura))
        return CasellaValore::Ruolo::CodiceScrittura;
    return CasellaValore::Ruolo::Indirizzo;
}

}  // namespace

CasellaValore::CasellaValore(Tipo tipo, const QString& suggerimento, QWidget* parent)
    : QLineEdit(parent), tipo_(tipo), ruolo_(ruoloDa(tipo, suggerimento))
{
    setToolTip(suggerimento);
    setValidator(new ValidatoreCasella(ruolo_, this));
    // A paste the validator refuses (typed keys are refused before it sees them).
    connect(this, &QLineEdit::inputRejected, this, [this] {
        if (operatore_ > 0)
            rifiuta();
    });
}

QString CasellaValore::TestoRifiuto() const
{
    QString regola;
    switch (ruolo_) {
    case Ruolo::CodiceLettura: regola = QStringLiteral("il codice funzione deve essere 1, 2, 3 o 4."); break;
    case Ruolo::CodiceScrittura: regola = QStringLiteral("il codice funzione deve essere 5 o 6."); break;
    case Ruolo::Indirizzo:
        regola = QStringLiteral("l'indirizzo parametro deve essere compreso tra 0 e %1.").arg(Casella::RegistroMassimo);
        break;
    case Ruolo::Valore:
        regola = QStringLiteral("il valore ammette solo cifre, un separatore decimale e il segno meno come primo "
                                "carattere.");
        break;
    }
    return QStringLiteral("Attenzione: ") + (punto.isEmpty() ? QString() : punto + QStringLiteral(": ")) + regola
         + QStringLiteral(" Il testo della casella non è stato modificato.");
}

void CasellaValore::rifiuta() const
{
    Piattaforma::ServizioDialoghi().Messaggio(TestoRifiuto(), QString::fromLatin1(EditorPunti::TitoloMessaggi),
                                              Piattaforma::PulsantiDialogo::OK,
                                              Piattaforma::IconaDialogo::Esclamazione);
}

QString CasellaValore::testoCon(QChar c) const
{
    QString t = text();
    if (hasSelectedText())
        return t.replace(selectionStart(), selectedText().size(), c);
    return t.insert(cursorPosition(), c);
}

QChar CasellaValore::FiltraTasto(QChar tasto) const
{
    if (tasto.isDigit() && tasto.unicode() < 128)
        return tasto;
    if (tipo_ != Tipo::Valore)
        return {};
    // After a reformat the box holds the decimal comma: that is a separator too.
    if (tasto == u',' || tasto == u'.')
        return text().contains(u'.') || text().contains(u',') ? QChar() : QChar(u'.');
    // The text's length is tested, not the selection: a selected text is not replaced by "-".
    if (tasto == u'-')
        return text().isEmpty() ? tasto : QChar();
    return {};
}

void CasellaValore::Riformatta(int d)
{
    if (tipo_ != Tipo::Valore || d < 0 || d > 3)
        return;
    // An empty box or a lone sign reads as zero, as the reformat has always shown it; only the
    // save refuses such a text.
    const float v = Generale::ConvertiInDecimale(text(), d);
    setText(Generale::FormattaDecimali(v, d));
    update();
}

void CasellaValore::keyPressEvent(QKeyEvent* evento)
{
    const int tasto = evento->key();
    if (tasto == Qt::Key_Return || tasto == Qt::Key_Enter) {
        if (eValore() && decimali)
            Riformatta(decimali());
        if (successivo)
            Casella::DaiFuoco(successivo());
        evento->accept();
        return;
    }
    // Editing and moving keys keep their meaning; a character goes through the filter.
    const QString testo = evento->text();
    if (testo.size() != 1 || !testo.at(0).isPrint() || evento->matches(QKeySequence::Paste)) {
        dallOperatore([&] { QLineEdit::keyPressEvent(evento); });
        return;
    }
    const QChar c = FiltraTasto(testo.at(0));
    QString risultato = c.isNull() ? QString() : testoCon(c);
    int posizione = 0;
    if (c.isNull() || validator()->validate(risultato, posizione) == QValidator::Invalid) {
        evento->accept();
        rifiuta();
        return;
    }
    if (c == testo.at(0)) {
        QLineEdit::keyPressEvent(evento);
        return;
    }
    insert(QString(c));
    evento->accept();
}

void CasellaValore::contextMenuEvent(QContextMenuEvent* evento)
{
    dallOperatore([&] { QLineEdit::contextMenuEvent(evento); });
}

void CasellaValore::dropEvent(QDropEvent* evento)
{
    dallOperatore([&] { QLineEdit::dropEvent(evento); });
}

void CasellaValore::mouseReleaseEvent(QMouseEvent* evento)
{
    dallOperatore([&] { QLineEdit::mouseReleaseEvent(evento); });
}

void CasellaValore::focusOutEvent(QFocusEvent* evento)
{
    QLineEdit::focusOutEvent(evento);
    // Another window taking the focus (a message box, the refusal's own) is not leaving the box:
    // the focus comes back to it as it was.
    if (evento->reason() == Qt::ActiveWindowFocusReason)
        return;
    if (eValore() && decimali)
        Riformatta(decimali());
}

namespace Casella {

void DaiFuoco(QWidget* controllo)
{
    if (!controllo)
        return;
    controllo->setFocus(Qt::TabFocusReason);
    if (auto* box = qobject_cast<QLineEdit*>(controllo)) {
        box->setSelection(0, box->text().size());
        box->update();
    }
}

QString CoppiaRegistro(const QString& codice, const QString& registro)
{
    const QString coppia = (codice + QLatin1Char(',') + registro).trimmed();
    return coppia == QStringLiteral(",") ? QString() : coppia;
}

QString TestoCampo(int campo) { return campo == -1 ? QString() : QString::number(campo); }

QString TestoValore(int valore, bool configurato, int decimali)
{
    if (!configurato)
        return {};
    const int d = decimali >= 0 && decimali <= 3 ? decimali : 0;
    return Generale::FormattaDecimali(valore / std::pow(10.0, d), d);
}

std::optional<qint16> ValoreDaSalvare(const QString& testo, int decimali)
{
    return Generale::ConvertiInInteroVerificato(testo, decimali);
}

}  // namespace Casella
