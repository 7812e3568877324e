#include "casellavalore.h"

#include "conversioni.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpressionValidator>

CasellaValore::CasellaValore(Tipo tipo, const QString& suggerimento, QWidget* parent)
    : QLineEdit(parent), tipo_(tipo)
{
    setToolTip(suggerimento);
    // What a paste may leave in the box: what typing could have left there. A value box also
    // accepts the decimal comma its own reformat writes.
    const QString regola = tipo == Tipo::Valore ? QStringLiteral("-?[0-9]*[.,]?[0-9]*") : QStringLiteral("[0-9]*");
    setValidator(new QRegularExpressionValidator(QRegularExpression(regola), this));
}

QChar CasellaValore::FiltraTasto(QChar tasto) const
{
    if (tasto.isDigit() && tasto.unicode() < 128)
        return tasto;
    if (tipo_ != Tipo::Valore)
        return {};
    if (tasto == u',' || tasto == u'.')
        return text().contains(u'.') ? QChar() : QChar(u'.');
    if (tasto == u'-')
        return text().isEmpty() ? tasto : QChar();
    return {};
}

void CasellaValore::Riformatta(int d)
{
    if (tipo_ != Tipo::Valore || d < 0 || d > 3)
        return;
    // The box's text may be empty or a lone sign: it reads as zero, as a whole number would.
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
        QLineEdit::keyPressEvent(evento);
        return;
    }
    const QChar c = FiltraTasto(testo.at(0));
    if (c.isNull()) {
        evento->accept();
        return;
    }
    if (c == testo.at(0)) {
        QLineEdit::keyPressEvent(evento);
        return;
    }
    insert(QString(c));
    evento->accept();
}

void CasellaValore::focusOutEvent(QFocusEvent* evento)
{
    QLineEdit::focusOutEvent(evento);
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
    const QString coppia = codice + QLatin1Char(',') + registro;
    return coppia == QStringLiteral(",") ? QString() : coppia;
}

QString TestoCampo(int campo) { return campo == -1 ? QString() : QString::number(campo); }

}  // namespace Casella
