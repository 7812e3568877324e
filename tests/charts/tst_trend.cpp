// The chart control on a real widget, offscreen: what it paints, the operator's cursor, and the
// chart windows' close.
#include "generale.h"
#include "grafico.h"
#include "storico.h"
#include "trend.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>

namespace {
constexpr double A = Generale::ValoreAssente;
constexpr ColoreLong Rosso = 0x0000FF;
using Punti = QList<QPair<double, double>>;  // (time, value)

// A chart 400 x 300 showing the window 0..1 and the values -50..50, on white with a white grid so
// that only traces and cursor leave colour.
void prepara(Trend& t)
{
    t.resize(400, 300);
    t.ImpostaInPausa(true);
    t.ImpostaFinestraTempo(0, 1);
    t.ImpostaScalaBassa(-50);
    t.ImpostaScalaAlta(50);
    t.ImpostaSfondoColore(0xFFFFFF);
    t.ImpostaBordoColore(0xFFFFFF);
    t.ImpostaGrigliaColore(0xFFFFFF);
    t.ImpostaTracciaCorrente(1);
    t.ImpostaTracciaColore(Rosso);
}

// Rows of the column x (inside the plot) painted in `colore`.
QList<int> righeColorate(const Trend& t, const QImage& img, int x, QColor colore)
{
    QList<int> righe;
    const QRect area = t.AreaGrafico();
    for (int y = area.top() + 1; y < area.bottom(); ++y)
        if (img.pixelColor(x, y) == colore)
            righe.append(y);
    return righe;
}

int colonna(const Trend& t, double frazione)
{
    const QRect a = t.AreaGrafico();
    return a.left() + int(frazione * a.width());
}
}  // namespace

class TstTrend : public QObject {
    Q_OBJECT
private slots:
    void disegno_data();
    void disegno();
    void coloreDiSistema();
    void cursore();
    void cursoreNascosto();
    void chiusuraNasconde();
};

void TstTrend::disegno_data()
{
    QTest::addColumn<Punti>("punti");
    QTest::addColumn<bool>("visibile");
    QTest::addColumn<double>("frazione");  // the column looked at
    QTest::addColumn<bool>("rosso");
    Punti piatta;
    Punti conLacuna;
    Punti fitta;  // many points a pixel column
    for (int i = 0; i <= 5000; ++i)
        fitta.append({i / 5000.0, 0});
    for (int i = 0; i <= 100; ++i) {
        piatta.append({i / 100.0, 0});
        conLacuna.append({i / 100.0, i >= 40 && i <= 60 ? A : 0});
    }
    QTest::newRow("trace shown") << piatta << true << 0.5 << true;
    QTest::newRow("flat trace of many points a column") << fitta << true << 0.5 << true;
    QTest::newRow("trace hidden") << piatta << false << 0.5 << false;
    QTest::newRow("gap not drawn") << conLacuna << true << 0.5 << false;
    QTest::newRow("line beside the gap") << conLacuna << true << 0.2 << true;
    QTest::newRow("line across the window from points outside") << Punti{{-1, 0}, {2, 0}} << true << 0.5 << true;
    QTest::newRow("no points") << Punti{} << true << 0.5 << false;
}

void TstTrend::disegno()
{
    QFETCH(Punti, punti);
    QFETCH(bool, visibile);
    QFETCH(double, frazione);
    QFETCH(bool, rosso);
    Trend t;
    prepara(t);
    t.ImpostaTracciaVisibile(visibile);
    for (const auto& [tempo, v] : punti)
        t.AggiungiPunto(1, tempo, v);
    const QImage img = t.grab().toImage();
    const QList<int> righe = righeColorate(t, img, colonna(t, frazione), Qt::red);
    QCOMPARE(!righe.isEmpty(), rosso);
    if (rosso) {
        // Value 0 lies half way down the -50..50 axis.
        const QRect a = t.AreaGrafico();
        const int mezzo = a.top() + (a.height() - 1) / 2;
        QVERIFY2(righe.first() >= mezzo - 1 && righe.last() <= mezzo + 1, qPrintable(QString::number(righe.first())));
    }
}

void TstTrend::coloreDiSistema()
{
    Trend t;
    prepara(t);
    QPalette tav = t.palette();
    tav.setColor(QPalette::Text, QColor(0, 160, 0));
    t.setPalette(tav);
    t.ImpostaTracciaColore(TestoFinestraSistema);
    t.AggiungiPunto(1, 0, 10);
    t.AggiungiPunto(1, 1, 10);
    const QImage img = t.grab().toImage();
    QVERIFY(!righeColorate(t, img, colonna(t, 0.5), QColor(0, 160, 0)).isEmpty());
}

void TstTrend::cursore()
{
    Trend t;
    prepara(t);
    t.AggiungiPunto(2, 0.25, 7);
    t.AggiungiPunto(2, 0.75, 9);
    // The windows hold the complement of the operator's colour; the operator's colour is painted.
    t.ImpostaCursoreColore(0x800000 ^ 0xFFFFFF);
    t.ImpostaCursoreVisibile(1);
    QCOMPARE(t.CursoreVisibile(), 1L);
    QSignalSpy spostato(&t, &Trend::CursoreSpostato);

    const QRect a = t.AreaGrafico();
    const int x = colonna(t, 0.7);
    QTest::mouseClick(&t, Qt::LeftButton, {}, QPoint(x, a.center().y()));
    QCOMPARE(spostato.count(), 1);
    const double tempo = spostato.at(0).at(0).toDouble();
    QCOMPARE(tempo, t.TempoCursore());
    QVERIFY(qAbs(tempo - 0.7) < 2.0 / a.width());
    QCOMPARE(t.ValoreCursore(2), 9.0);
    QCOMPARE(t.ValoreCursore(1), A);   // no points
    QCOMPARE(t.ValoreCursore(0), A);   // an empty cursor list asks for trace 0
    QVERIFY(!righeColorate(t, t.grab().toImage(), x, QColor(0, 0, 0x80)).isEmpty());

    QTest::mousePress(&t, Qt::LeftButton, {}, QPoint(colonna(t, 0.1), a.center().y()));
    QTest::mouseMove(&t, QPoint(colonna(t, 0.3), a.center().y()));
    QTest::mouseRelease(&t, Qt::LeftButton, {}, QPoint(colonna(t, 0.3), a.center().y()));
    QVERIFY(spostato.count() >= 2);
    QCOMPARE(t.ValoreCursore(2), 7.0);
}

void TstTrend::cursoreNascosto()
{
    Trend t;
    prepara(t);
    QSignalSpy spostato(&t, &Trend::CursoreSpostato);
    QTest::mouseClick(&t, Qt::LeftButton, {}, t.AreaGrafico().center());
    QCOMPARE(spostato.count(), 0);
    // Shown again, a cursor outside the window comes back to its middle.
    t.ImpostaFinestraTempo(5, 6);
    t.ImpostaCursoreVisibile(1);
    QCOMPARE(t.TempoCursore(), 5.5);
}

void TstTrend::chiusuraNasconde()
{
    Grafico g;
    Storico s;
    for (QWidget* w : {static_cast<QWidget*>(&g), static_cast<QWidget*>(&s)}) {
        Trend* t = w->findChild<Trend*>(QStringLiteral("Trend"));
        QVERIFY(t);
        t->AggiungiPunto(1, 1, 1);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QVERIFY(!w->close());
        QVERIFY(w->isHidden());
        QCOMPARE(t->Dati().Punti(1).size(), size_t(1));
    }
    QCOMPARE(g.Trend->DimensioneBuffer(), 10000L);
    QCOMPARE(s.Trend->DimensioneBuffer(), 90000L);
}

QTEST_MAIN(TstTrend)
#include "tst_trend.moc"
