#include "formatitrend.h"

#include "tempotrend.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

QString FormattaValore(double valore, const QString& formato)
{
    if (!std::isfinite(valore))
        return QString();
    const qsizetype punto = formato.indexOf(QLatin1Char('.'));
    const QString parteIntera = punto < 0 ? formato : formato.left(punto);
    const QString frazione = punto < 0 ? QString() : formato.mid(punto + 1);
    const int cifreMinime = int(parteIntera.count(QLatin1Char('0')));
    const int decimaliFissi = int(frazione.count(QLatin1Char('0')));
    const int decimali = decimaliFissi + int(frazione.count(QLatin1Char('#')));

    QString testo = QString::number(std::fabs(valore), 'f', std::min(decimali, 15));
    qsizetype separatore = testo.indexOf(QLatin1Char('.'));
    if (separatore >= 0) {
        // Optional decimals ("#") drop their trailing zeros.
        qsizetype fine = testo.size();
        while (fine > separatore + 1 + decimaliFissi && testo.at(fine - 1) == QLatin1Char('0'))
            --fine;
        testo.truncate(fine);
        if (testo.endsWith(QLatin1Char('.')))
            testo.chop(1);
    }
    separatore = testo.indexOf(QLatin1Char('.'));
    QString intero = separatore < 0 ? testo : testo.left(separatore);
    const QString resto = separatore < 0 ? QString() : QLatin1Char(',') + testo.mid(separatore + 1);
    if (intero == QLatin1String("0") && cifreMinime == 0 && !resto.isEmpty())
        intero.clear();  // "#.0" shows 0.5 as ",5"
    while (intero.size() < cifreMinime)
        intero.prepend(QLatin1Char('0'));
    QString risultato = intero + resto;
    const bool zero = !risultato.contains(QRegularExpression(QStringLiteral("[1-9]")));
    if (valore < 0 && !zero)
        risultato.prepend(QLatin1Char('-'));
    return risultato;
}

namespace {

// The station's date-time pattern as a Qt one.
QString FormatoQt(const QString& formato)
{
    struct Parte {
        QChar lettera;
        int quante;
    };
    QList<Parte> parti;
    for (QChar c : formato) {
        const QChar l = c.toLower();
        if (!parti.isEmpty() && parti.last().lettera == l && QStringLiteral("dmyhns").contains(l))
            ++parti.last().quante;
        else
            parti.append({QStringLiteral("dmyhns").contains(l) ? l : c, 1});
    }
    QString qt;
    QString letterale;  // a run of plain text, quoted whole
    auto chiudiLetterale = [&] {
        if (!letterale.isEmpty())
            qt += QLatin1Char('\'') + letterale.replace(QLatin1String("'"), QLatin1String("''")) + QLatin1Char('\'');
        letterale.clear();
    };
    for (qsizetype i = 0; i < parti.size(); ++i) {
        const Parte& p = parti.at(i);
        const int n = p.quante;
        if (!QStringLiteral("dmyhns").contains(p.lettera)) {
            letterale += p.lettera;
            continue;
        }
        chiudiLetterale();
        switch (p.lettera.unicode()) {
        case 'd': qt += QString(std::min(n, 4), QLatin1Char('d')); break;
        case 'y': qt += n <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy"); break;
        case 'h': qt += QString(std::min(n, 2), QLatin1Char('H')); break;
        case 'n': qt += QString(std::min(n, 2), QLatin1Char('m')); break;
        case 's': qt += QString(std::min(n, 2), QLatin1Char('s')); break;
        default: {  // 'm'
            auto lettera = [&](qsizetype j) { return j >= 0 && j < parti.size() ? parti.at(j).lettera : QChar(); };
            auto formato = [&](qsizetype j) { return QStringLiteral("dmyhns").contains(lettera(j)); };
            const bool dopoOre = lettera(i - 1) == QLatin1Char('h') || (lettera(i - 2) == QLatin1Char('h') && !formato(i - 1));
            const bool primaSecondi = lettera(i + 1) == QLatin1Char('s') || (lettera(i + 2) == QLatin1Char('s') && !formato(i + 1));
            if (n <= 2 && (dopoOre || primaSecondi))
                qt += QString(n, QLatin1Char('m'));
            else
                qt += QString(std::min(n, 4), QLatin1Char('M'));
        }
        }
    }
    chiudiLetterale();
    return qt;
}

}  // namespace

QString FormattaTempo(double seriale, const QString& formato)
{
    const QDateTime dataOra = DataOraDaSeriale(seriale);
    if (!dataOra.isValid())
        return QString();
    return QLocale(QLocale::Italian, QLocale::Italy).toString(dataOra, FormatoQt(formato));
}
