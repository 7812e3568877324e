#include "stampacrono.h"

#include "stampante.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace StampaCrono {

namespace {

constexpr std::array<int, 7> ColonneGiorni = {10, 30, 50, 70, 90, 110, 130};

Riga vuota(int punti, bool grassetto) { return Riga{punti, grassetto, {}}; }

void intestazione(PaginaStampa& p, const Contenuto& c)
{
    p << vuota(14, true) << vuota(14, true);
    p << Riga{14, true, {{35, c.prodotto.trimmed()}}};
    p << vuota(14, true);
    p << Riga{8, false, {{10, QStringLiteral("IMPOSTAZIONE CRONOTERMOSTATO ZONA: ") + c.zona.trimmed().toUpper()}}};
}

void testataGiorni(PaginaStampa& p, const Contenuto& c)
{
    p << vuota(8, false) << vuota(8, false);
    Riga r;
    for (int g = 0; g < 7; ++g)
        r.voci << Voce{ColonneGiorni[g], c.giorni[g]};
    p << r;
}

QFont carattere(const Riga& r)
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(r.punti);
    f.setBold(r.grassetto);
    return f;
}

}  // namespace

QList<PaginaStampa> Impagina(const Contenuto& c)
{
    QList<PaginaStampa> pagine(1);
    intestazione(pagine.last(), c);
    pagine.last() << Riga{8, false, {{10, QStringLiteral("Stampato il ") + c.momento.toString(QStringLiteral("dd/MM/yyyy"))
                                              + QStringLiteral(" alle ore ") + c.momento.toString(QStringLiteral("HH:mm:ss"))}}};
    testataGiorni(pagine.last(), c);

    // The rows follow the Monday list; a shorter list leaves its column blank.
    for (int i = 0; i < c.colonne[0].size(); ++i) {
        if (c.colonne[0][i].left(5) == QLatin1String("18:30")) {
            pagine.append(PaginaStampa());
            intestazione(pagine.last(), c);
            pagine.last() << vuota(8, false);
            testataGiorni(pagine.last(), c);
        }
        Riga r;
        for (int g = 0; g < 7; ++g)
            if (i < c.colonne[g].size())
                r.voci << Voce{ColonneGiorni[g], c.colonne[g][i]};
        pagine.last() << r;
    }

    PaginaStampa& ultima = pagine.last();
    ultima << vuota(8, false) << vuota(8, false);
    ultima << Riga{8, false, {{10, c.titoloFestivita}}};
    for (const QString& giorno : c.festivita)
        ultima << Riga{8, false, {{10, giorno}}};
    return pagine;
}

QList<QStringList> Stampa(QPrinter& stampante, const QList<PaginaStampa>& pagine)
{
    QList<QStringList> stampate;
    QPainter pittore;
    if (!pittore.begin(&stampante))
        return stampate;
    const QRectF area(QPointF(0, 0), stampante.pageLayout().paintRectPixels(stampante.resolution()).size());
    // A print column is the font's average character width. Where "Arial" has no metric twin a
    // wider face, or a narrower sheet, would push the Sunday column off the paper: the columns
    // then close up evenly, so that the text reaching farthest ends at the right edge.
    QList<QPair<double, double>> testi;
    for (const PaginaStampa& pagina : pagine)
        for (const Riga& riga : pagina) {
            const QFontMetricsF misure(carattere(riga), &stampante);
            for (const Voce& v : riga.voci)
                testi.append({(v.colonna - 1) * misure.averageCharWidth(), misure.horizontalAdvance(v.testo)});
        }
    const qreal stringi = Stampante::Stringi(testi, area.width());

    stampate.append(QStringList());
    qreal y = 0;
    auto nuovoFoglio = [&] {
        stampante.newPage();
        stampate.append(QStringList());
        y = 0;
    };
    for (int p = 0; p < pagine.size(); ++p) {
        if (p > 0)
            nuovoFoglio();
        for (const Riga& riga : pagine[p]) {
            const QFont f = carattere(riga);
            const QFontMetricsF misure(f, &stampante);
            if (y > 0 && y + misure.height() > area.height())
                nuovoFoglio();
            pittore.setFont(f);
            QStringList testi;
            for (const Voce& v : riga.voci) {
                pittore.drawText(QPointF((v.colonna - 1) * misure.averageCharWidth() * stringi, y + misure.ascent()), v.testo);
                testi << v.testo;
            }
            stampate.last() << testi.join(QLatin1Char(' '));
            y += misure.height();
        }
    }
    pittore.end();
    return stampate;
}

}  // namespace StampaCrono
