#include "stampaliste.h"

#include "stampante.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <utility>

namespace StampaListe {

QList<std::array<QString, 4>> Righe(const std::array<QStringList, 4>& liste)
{
    qsizetype n = 0;
    for (const QStringList& l : liste)
        n = std::max(n, l.size());
    QList<std::array<QString, 4>> righe;
    righe.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        std::array<QString, 4> riga;
        for (int k = 0; k < 4; ++k)
            riga[k] = i < liste[k].size() ? liste[k][i] : QString();
        righe.append(riga);
    }
    return righe;
}

QString RigaData(const QDateTime& ora)
{
    return QStringLiteral("DATA E ORA = ") + ora.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(" / ") +
           ora.toString(QStringLiteral("HH:mm:ss"));
}

QFont Carattere(int punti, bool grassetto)
{
    // The metric twins keep the widths the columns were laid out for.
    static const bool sostituti = [] {
        QFont::insertSubstitutions(QStringLiteral("Arial"),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
        return true;
    }();
    Q_UNUSED(sostituti);
    QFont f(QStringLiteral("Arial"), punti);
    f.setBold(grassetto);
    return f;
}

namespace {

// A printer that writes line after line, as the printer's own text output does.
class Scrittore {
public:
    Scrittore(QPaintDevice* dispositivo, const QRectF& area) : dispositivo_(dispositivo), area_(area) {}

    void ImpostaFont(const QFont& f) { font_ = QFont(f, dispositivo_); }

    // One line; `testi` are (column, text) pairs.
    void Riga(const QList<QPair<int, QString>>& testi = {})
    {
        const QFontMetricsF m(font_, dispositivo_);
        if (y_ > 0 && y_ + m.height() > area_.height()) {
            ++pagina_;
            y_ = 0;
        }
        // The printer's tab stops count in its average character width, which it takes as the
        // width of the letter x (the fonts' own average would put Arial's twin wider than Arial).
        const double colonna = m.horizontalAdvance(QLatin1Char('x'));
        for (const auto& [n, testo] : testi)
            if (!testo.isEmpty())
                risultato_.append({pagina_, QPointF(area_.left() + (n - 1) * colonna, area_.top() + y_ + m.ascent()),
                                   font_, testo});
        y_ += m.lineSpacing();
    }

    QList<Testo> risultato_;

private:
    QPaintDevice* dispositivo_;
    QRectF area_;
    QFont font_;
    double y_ = 0;
    int pagina_ = 0;
};

}  // namespace

QList<Testo> Impagina(QPaintDevice* dispositivo, const QRectF& area, const QString& prodotto,
                      const std::array<QStringList, 4>& liste, const QDateTime& ora)
{
    Scrittore s(dispositivo, area);
    s.ImpostaFont(Carattere(14, true));
    s.Riga();
    s.Riga();
    s.Riga({{35, prodotto.trimmed()}});
    s.Riga();
    s.ImpostaFont(Carattere(8, false));
    s.Riga({{10, RigaData(ora)}});
    s.Riga();
    s.Riga();
    for (const auto& riga : Righe(liste))
        s.Riga({{Colonne[0], riga[0]}, {Colonne[1], riga[1]}, {Colonne[2], riga[2]}, {Colonne[3], riga[3]}});

    // On a page narrower than the four lists (a portrait sheet) the columns close up evenly.
    QList<Testo> testi = std::move(s.risultato_);
    QList<QPair<double, double>> estesi;
    for (const Testo& t : testi)
        estesi.append({t.posizione.x() - area.left(), QFontMetricsF(t.font, dispositivo).horizontalAdvance(t.testo)});
    const double fattore = Stampante::Stringi(estesi, area.width());
    for (Testo& t : testi)
        t.posizione.setX(area.left() + (t.posizione.x() - area.left()) * fattore);
    return testi;
}

bool Stampa(QPrinter& stampante, const QString& prodotto, const std::array<QStringList, 4>& liste, const QDateTime& ora)
{
    QPainter pittore;
    if (!pittore.begin(&stampante))
        return false;
    const QRectF area(QPointF(0, 0), stampante.pageLayout().paintRectPixels(stampante.resolution()).size());
    int pagina = 0;
    for (const Testo& t : Impagina(&stampante, area, prodotto, liste, ora)) {
        while (pagina < t.pagina) {
            stampante.newPage();
            ++pagina;
        }
        pittore.setFont(t.font);
        pittore.drawText(t.posizione, t.testo);
    }
    return pittore.end();
}

}  // namespace StampaListe
