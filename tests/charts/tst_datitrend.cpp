// The chart's data without painting: buffers, gaps, statistics, cursor look-up, the time window
// and the value axis, the per-column decimation, and the serial, format and colour helpers.
#include "colori.h"
#include "datitrend.h"
#include "formatitrend.h"
#include "generale.h"
#include "tempotrend.h"

#include <QTest>
#include <QTimeZone>

#include <algorithm>
#include <cmath>

namespace {
constexpr double A = Generale::ValoreAssente;
using Punti = QList<QPair<double, double>>;  // (time, value) in the order they are added

QList<double> tempi(const DatiTrend& d, int traccia)
{
    QList<double> t;
    for (const auto& p : d.Punti(traccia))
        t.append(p.tempo);
    return t;
}

void carica(DatiTrend& d, int traccia, const Punti& punti)
{
    for (const auto& [t, v] : punti)
        d.AggiungiPunto(traccia, t, v);
}
}  // namespace

class TstDatiTrend : public QObject {
    Q_OBJECT
private slots:
    void buffer_data();
    void buffer();
    void riduzioneBuffer();
    void tracceFuoriTabella();
    void statistiche_data();
    void statistiche();
    void cursore_data();
    void cursore();
    void finestraSegueIPunti();
    void asseValori_data();
    void asseValori();
    void colonne();
    void colonneLacuneEBordi();
    void fermataNelTempo_data();
    void fermataNelTempo();
    void pausaTieneLaFinestra_data();
    void pausaTieneLaFinestra();
    void seriale_data();
    void seriale();
    void formattaValore_data();
    void formattaValore();
    void formattaTempo_data();
    void formattaTempo();
    void leggiColore_data();
    void leggiColore();
    void coloreQt();
};

void TstDatiTrend::buffer_data()
{
    QTest::addColumn<int>("capacita");
    QTest::addColumn<Punti>("punti");
    QTest::addColumn<QList<double>>("attesi");
    QTest::newRow("below capacity") << 5 << Punti{{1, 1}, {2, 2}} << QList<double>{1, 2};
    QTest::newRow("overflow drops the earliest") << 3 << Punti{{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}} << QList<double>{3, 4, 5};
    QTest::newRow("out of order kept in time order") << 5 << Punti{{3, 0}, {1, 0}, {2, 0}} << QList<double>{1, 2, 3};
    QTest::newRow("late point earlier than a full buffer is the one dropped") << 2 << Punti{{5, 0}, {6, 0}, {1, 0}} << QList<double>{5, 6};
    QTest::newRow("late point inside a full buffer") << 3 << Punti{{1, 0}, {4, 0}, {6, 0}, {5, 0}} << QList<double>{4, 5, 6};
    QTest::newRow("gaps take room too") << 2 << Punti{{1, 1}, {2, A}, {3, A}} << QList<double>{2, 3};
    QTest::newRow("time not finite is refused") << 5 << Punti{{1, 0}, {qQNaN(), 0}, {qInf(), 0}} << QList<double>{1};
}

void TstDatiTrend::buffer()
{
    QFETCH(int, capacita);
    QFETCH(Punti, punti);
    QFETCH(QList<double>, attesi);
    DatiTrend d;
    d.ImpostaDimensioneBuffer(capacita);
    carica(d, 7, punti);
    QCOMPARE(tempi(d, 7), attesi);
    QVERIFY(d.Punti(6).empty());
}

void TstDatiTrend::riduzioneBuffer()
{
    DatiTrend d;
    carica(d, 1, {{1, 1}, {2, 2}, {3, 3}, {4, 4}});
    carica(d, 2, {{1, 1}});
    d.ImpostaDimensioneBuffer(2);
    QCOMPARE(tempi(d, 1), (QList<double>{3, 4}));
    QCOMPARE(tempi(d, 2), QList<double>{1});
    d.ImpostaDimensioneBuffer(0);  // never below one point
    QCOMPARE(d.DimensioneBuffer(), 1);
    QCOMPARE(tempi(d, 1), QList<double>{4});
    d.CancellaPunti();
    QVERIFY(d.Punti(1).empty());
    QCOMPARE(d.DimensioneBuffer(), 1);
}

void TstDatiTrend::tracceFuoriTabella()
{
    DatiTrend d;
    for (int t : {-1, 0, 31, 1000})
        d.AggiungiPunto(t, 1, 1);
    for (int t = 1; t <= DatiTrend::MaxTracce; ++t)
        QVERIFY(d.Punti(t).empty());
    QCOMPARE(d.ValoreA(0, 1), A);
    QCOMPARE(d.Assolute(31).massimo, A);
    QVERIFY(d.Colonne(31, 100).empty());
}

void TstDatiTrend::statistiche_data()
{
    QTest::addColumn<Punti>("punti");
    QTest::addColumn<double>("inizio");
    QTest::addColumn<double>("fine");
    QTest::addColumn<QList<double>>("assolute");  // max, mean, min
    QTest::addColumn<QList<double>>("viste");
    const QList<double> nessuna{A, A, A};
    QTest::newRow("no points") << Punti{} << 0.0 << 1.0 << nessuna << nessuna;
    QTest::newRow("window holds some")
        << Punti{{1, 10}, {2, 20}, {3, 30}, {4, 40}} << 2.0 << 3.0 << QList<double>{40, 25, 10} << QList<double>{30, 25, 20};
    QTest::newRow("gaps never count")
        << Punti{{1, 10}, {2, A}, {3, -30}, {4, A}} << 1.5 << 2.5 << QList<double>{10, -10, -30} << nessuna;
    QTest::newRow("only gaps") << Punti{{1, A}, {2, A}} << 0.0 << 3.0 << nessuna << nessuna;
    QTest::newRow("window before every point") << Punti{{10, 1}, {11, 2}} << 1.0 << 2.0 << QList<double>{2, 1.5, 1} << nessuna;
    QTest::newRow("out-of-order arrival")
        << Punti{{4, 4}, {1, 1}, {3, 3}, {2, 2}} << 1.0 << 2.0 << QList<double>{4, 2.5, 1} << QList<double>{2, 1.5, 1};
}

void TstDatiTrend::statistiche()
{
    QFETCH(Punti, punti);
    QFETCH(double, inizio);
    QFETCH(double, fine);
    QFETCH(QList<double>, assolute);
    QFETCH(QList<double>, viste);
    DatiTrend d;
    d.ImpostaInPausa(true);  // the window stays where the test puts it
    carica(d, 3, punti);
    d.ImpostaFinestraTempo(inizio, fine);
    const auto a = d.Assolute(3);
    const auto v = d.Viste(3);
    QCOMPARE((QList<double>{a.massimo, a.media, a.minimo}), assolute);
    QCOMPARE((QList<double>{v.massimo, v.media, v.minimo}), viste);
}

void TstDatiTrend::cursore_data()
{
    QTest::addColumn<Punti>("punti");
    QTest::addColumn<double>("tempo");
    QTest::addColumn<double>("atteso");
    const Punti serie{{10, 1}, {20, 2}, {30, A}, {40, 4}};
    QTest::newRow("empty trace") << Punti{} << 5.0 << A;
    QTest::newRow("on a point") << serie << 20.0 << 2.0;
    QTest::newRow("nearer the later") << serie << 16.0 << 2.0;
    QTest::newRow("nearer the earlier") << serie << 14.0 << 1.0;
    QTest::newRow("half way takes the earlier") << serie << 15.0 << 1.0;
    // Outside the data the cursor reads no value, never the nearest one.
    QTest::newRow("before the first") << serie << -100.0 << A;
    QTest::newRow("just before the first") << serie << 9.9 << A;
    QTest::newRow("after the last") << serie << 1000.0 << A;
    QTest::newRow("nearest is a gap") << serie << 31.0 << A;
    QTest::newRow("beside a gap, nearer the reading") << serie << 21.0 << A;
    QTest::newRow("not a time") << serie << qQNaN() << A;
    // Readings every 10, then none for 100 (acquisition stopped), then again.
    const Punti fermata{{10, 1}, {20, 2}, {30, 3}, {130, 4}, {140, 5}, {150, 6}};
    QTest::newRow("in a stretch without readings") << fermata << 35.0 << A;
    QTest::newRow("at the first reading after it") << fermata << 130.0 << 4.0;
    QTest::newRow("between readings after it") << fermata << 136.0 << 5.0;
}

void TstDatiTrend::cursore()
{
    QFETCH(Punti, punti);
    QFETCH(double, tempo);
    QFETCH(double, atteso);
    DatiTrend d;
    carica(d, 30, punti);
    QCOMPARE(d.ValoreA(30, tempo), atteso);
}

void TstDatiTrend::finestraSegueIPunti()
{
    DatiTrend d;
    d.ImpostaAmpiezzaTempo(0.5);
    d.ImpostaFinestraTempo(9, 10);
    d.AggiungiPunto(2, 12, 1);  // later: ends there, as wide as AmpiezzaTempo
    QCOMPARE(d.TempoFine(), 12.0);
    QCOMPARE(d.TempoInizio(), 11.5);
    d.ImpostaInPausa(true);
    d.AggiungiPunto(1, 20, A);
    QCOMPARE(d.TempoFine(), 12.0);
    QCOMPARE(d.Punti(1).size(), size_t(1));  // held while paused
    d.ImpostaInPausa(false);
    d.AggiungiPunto(1, 21, 1);
    QCOMPARE(d.TempoFine(), 21.0);
    // The clocks go back: the window follows the newest point, earlier than its end, and keeps
    // moving with the points after it.
    d.AggiungiPunto(1, 20.5, 1);
    QCOMPARE(d.TempoFine(), 20.5);
    QCOMPARE(d.TempoInizio(), 20.0);
    d.AggiungiPunto(1, 20.6, 1);
    QCOMPARE(d.TempoFine(), 20.6);

    // A window of no width, or given backwards, is still drawn one second wide, forwards.
    d.ImpostaFinestraTempo(5, 5);
    QCOMPARE(d.AsseTempi(), std::make_pair(5.0, 5.0 + UnSecondo));
    d.ImpostaFinestraTempo(6, 4);
    QCOMPARE(d.AsseTempi(), std::make_pair(4.0, 6.0));
    d.ImpostaAmpiezzaTempo(-1);
    QCOMPARE(d.AmpiezzaTempo(), 0.5);
}

void TstDatiTrend::asseValori_data()
{
    QTest::addColumn<double>("bassa");
    QTest::addColumn<double>("alta");
    QTest::addColumn<double>("limiteBasso");
    QTest::addColumn<double>("limiteAlto");
    QTest::addColumn<double>("basso");
    QTest::addColumn<double>("alto");
    QTest::newRow("within limits") << -50.0 << 50.0 << -200.0 << 200.0 << -50.0 << 50.0;
    QTest::newRow("no width") << 50.0 << 50.0 << -200.0 << 200.0 << 49.0 << 51.0;
    QTest::newRow("both zero") << 0.0 << 0.0 << -200.0 << 200.0 << -1.0 << 1.0;
    QTest::newRow("backwards") << 50.0 << -50.0 << -200.0 << 200.0 << -50.0 << 50.0;
    QTest::newRow("beyond the limits") << -500.0 << 1000.0 << -200.0 << 200.0 << -200.0 << 200.0;
    QTest::newRow("wholly above the limits") << 300.0 << 400.0 << -200.0 << 200.0 << 199.0 << 201.0;
    QTest::newRow("limits out of order are ignored") << -500.0 << 500.0 << 200.0 << -200.0 << -500.0 << 500.0;
}

void TstDatiTrend::asseValori()
{
    QFETCH(double, bassa);
    QFETCH(double, alta);
    QFETCH(double, limiteBasso);
    QFETCH(double, limiteAlto);
    QFETCH(double, basso);
    QFETCH(double, alto);
    DatiTrend d;
    d.ImpostaScalaBassa(bassa);
    d.ImpostaScalaAlta(alta);
    d.ImpostaLimiteBasso(limiteBasso);
    d.ImpostaLimiteAlto(limiteAlto);
    QCOMPARE(d.AsseValori(), std::make_pair(basso, alto));
    QCOMPARE(d.ScalaBassa(), bassa);  // read back as set
}

void TstDatiTrend::colonne()
{
    // 100000 points of a saw between -40 and 40 in a window 100 columns wide: one column
    // each, each spanning the whole saw, every one joined to the one before.
    DatiTrend d;
    d.ImpostaDimensioneBuffer(200000);
    d.ImpostaInPausa(true);
    d.ImpostaFinestraTempo(0, 1);
    for (int i = 0; i < 100000; ++i)
        d.AggiungiPunto(1, i / 100000.0, (i % 10) * (80.0 / 9) - 40);
    const auto c = d.Colonne(1, 100);
    QCOMPARE(c.size(), size_t(100));
    for (size_t i = 0; i < c.size(); ++i) {
        QCOMPARE(c[i].x, int(i));
        QCOMPARE(c[i].minimo, -40.0);
        QCOMPARE(c[i].massimo, 40.0);
        QCOMPARE(c[i].unitaAllaPrecedente, i > 0);
    }
    QVERIFY(d.Colonne(1, 0).empty());
    QVERIFY(d.Colonne(2, 100).empty());
}

void TstDatiTrend::colonneLacuneEBordi()
{
    DatiTrend d;
    d.ImpostaInPausa(true);
    d.ImpostaFinestraTempo(10, 20);
    // Before the window, inside with a gap, after the window.
    carica(d, 1, {{8, 0}, {12, 20}, {14, A}, {16, 60}, {18, 80}, {22, 120}});
    const auto c = d.Colonne(1, 10);
    QCOMPARE(c.size(), size_t(5));
    // Left edge: the line from (8, 0) to (12, 20), cut at 10.
    QCOMPARE(c[0].x, 0);
    QCOMPARE(c[0].primo, 10.0);
    QVERIFY(!c[0].unitaAllaPrecedente);
    QCOMPARE(c[1].x, 2);
    QCOMPARE(c[1].primo, 20.0);
    QVERIFY(c[1].unitaAllaPrecedente);
    QCOMPARE(c[2].x, 6);
    QVERIFY(!c[2].unitaAllaPrecedente);  // the gap at 14 breaks the line
    QCOMPARE(c[3].x, 8);
    QVERIFY(c[3].unitaAllaPrecedente);
    // Right edge: the line from (18, 80) to (22, 120), cut at 20.
    QCOMPARE(c[4].x, 10);
    QCOMPARE(c[4].primo, 100.0);
    QVERIFY(c[4].unitaAllaPrecedente);

    // No point inside: the line crosses the window from edge to edge.
    DatiTrend vuota;
    vuota.ImpostaInPausa(true);
    vuota.ImpostaFinestraTempo(10, 20);
    carica(vuota, 1, {{0, 0}, {30, 30}});
    const auto attraverso = vuota.Colonne(1, 10);
    QCOMPARE(attraverso.size(), size_t(2));
    QCOMPARE(attraverso[0].primo, 10.0);
    QCOMPARE(attraverso[1].x, 10);
    QCOMPARE(attraverso[1].primo, 20.0);
    QVERIFY(attraverso[1].unitaAllaPrecedente);

    // A gap just outside either edge: no line comes in or goes out.
    DatiTrend lacune;
    lacune.ImpostaInPausa(true);
    lacune.ImpostaFinestraTempo(10, 20);
    carica(lacune, 1, {{0, 0}, {5, A}, {15, 1}, {25, A}, {30, 3}});
    const auto sola = lacune.Colonne(1, 10);
    QCOMPARE(sola.size(), size_t(1));
    QCOMPARE(sola[0].x, 5);
    QVERIFY(!sola[0].unitaAllaPrecedente);
}

// A stretch without readings, told from the trace's own steps, is never joined by a line: the
// columns on either side of it are not joined, and no line comes in across a window's edge.
void TstDatiTrend::fermataNelTempo_data()
{
    QTest::addColumn<double>("passo");   // the usual step, seconds
    QTest::addColumn<double>("fermo");   // the step in the middle, seconds
    QTest::addColumn<bool>("unita");     // drawn as a line across it
    QTest::newRow("acquisition stopped for an hour, a point a second") << 1.0 << 3600.0 << false;
    QTest::newRow("stopped ten minutes, a point a minute") << 60.0 << 600.0 << false;
    QTest::newRow("a pass slower than usual") << 1.0 << 4.0 << true;
    QTest::newRow("the same step throughout") << 60.0 << 60.0 << true;
}

void TstDatiTrend::fermataNelTempo()
{
    QFETCH(double, passo);
    QFETCH(double, fermo);
    QFETCH(bool, unita);
    // 50 points, the step in the middle, then 50 more.
    DatiTrend d;
    d.ImpostaInPausa(true);
    Punti punti;
    double t = 46000;
    for (int i = 0; i < 100; ++i) {
        punti.append({t, 20 + i % 3});
        t += (i == 49 ? fermo : passo) * UnSecondo;
    }
    carica(d, 1, punti);
    const double prima = punti[49].first, dopo = punti[50].first;
    d.ImpostaFinestraTempo(punti.first().first, punti.last().first);
    // A column a point: only the first column, and the one after the stretch, start a line.
    const auto colonne = d.Colonne(1, 100000);
    QCOMPARE(colonne.size(), size_t(100));
    const auto inizi = std::count_if(colonne.begin(), colonne.end(), [](const ColonnaTrend& c) { return !c.unitaAllaPrecedente; });
    QCOMPARE(inizi, unita ? 1L : 2L);
    QVERIFY(!colonne[50].unitaAllaPrecedente || unita);
    // A window inside the step: a line across it comes in and goes out at the edges, or nothing.
    d.ImpostaFinestraTempo(prima + (dopo - prima) / 3, dopo - (dopo - prima) / 3);
    QCOMPARE(d.Colonne(1, 100).size(), unita ? size_t(2) : size_t(0));
}

// A paused chart keeps the points of the window it shows however many points arrive (two and
// three quarters of an hour at a point a second fill a buffer of 10000), and the point just before
// the window and just after it, so the lines that enter and leave it stay drawn and the cursor
// reads a value up to its edges; it holds no more than its buffer, and the newest points are kept
// as well for when the pause ends.
void TstDatiTrend::pausaTieneLaFinestra_data()
{
    QTest::addColumn<int>("buffer");
    QTest::addColumn<int>("dopo");     // points added after the pause began
    QTest::addColumn<double>("passo"); // seconds between points
    QTest::newRow("a buffer's worth of pause") << 10000 << 10000 << 1.0;
    QTest::newRow("a long pause, many buffers") << 10000 << 40000 << 1.0;
    QTest::newRow("a small buffer") << 100 << 1000 << 1.0;
    QTest::newRow("a pass of about ten seconds") << 10000 << 20000 << 10.5;
    QTest::newRow("a pass of about ten seconds, a small buffer") << 20 << 100 << 10.5;
}

void TstDatiTrend::pausaTieneLaFinestra()
{
    QFETCH(int, buffer);
    QFETCH(int, dopo);
    QFETCH(double, passo);
    DatiTrend d;
    d.ImpostaDimensioneBuffer(buffer);
    d.ImpostaAmpiezzaTempo(60 * UnSecondo);
    const double t0 = 46000;
    for (int i = 0; i < buffer; ++i)
        d.AggiungiPunto(1, t0 + i * passo * UnSecondo, 1);
    d.ImpostaInPausa(true);
    const auto [inizio, fine] = d.AsseTempi();
    const auto viste = d.Viste(1);
    auto nellaFinestra = [&] {
        const auto p = d.Punti(1);
        return std::count_if(p.begin(), p.end(), [&](const PuntoTrend& q) { return q.tempo >= inizio && q.tempo <= fine; });
    };
    const auto mostrati = nellaFinestra();
    QVERIFY(mostrati >= 60 / passo);
    auto ultimoPrima = [&] {
        const auto p = d.Punti(1);
        return std::prev(std::lower_bound(p.begin(), p.end(), inizio, [](const PuntoTrend& q, double t) { return q.tempo < t; }))->tempo;
    };
    const double prima = ultimoPrima();
    for (int i = 0; i < dopo; ++i)
        d.AggiungiPunto(1, t0 + (buffer + i) * passo * UnSecondo, 2);
    QCOMPARE(d.AsseTempi(), std::make_pair(inizio, fine));
    const auto oraViste = d.Viste(1);
    QCOMPARE((QList<double>{oraViste.massimo, oraViste.media, oraViste.minimo}),
             (QList<double>{viste.massimo, viste.media, viste.minimo}));
    const auto punti = d.Punti(1);
    QCOMPARE(int(punti.size()), buffer);
    QCOMPARE(nellaFinestra(), mostrati);
    QCOMPARE(punti.back().tempo, t0 + (buffer + dopo - 1) * passo * UnSecondo);  // the newest is held
    QVERIFY(std::is_sorted(punti.begin(), punti.end(), [](const PuntoTrend& a, const PuntoTrend& b) { return a.tempo < b.tempo; }));
    // The neighbours of the window: the line comes in at its left edge and goes out at its right.
    QVERIFY(punti.front().tempo < inizio);
    QCOMPARE(ultimoPrima(), prima);
    const auto colonne = d.Colonne(1, 600);
    QCOMPARE(colonne.front().x, 0);
    QCOMPARE(colonne.back().x, 600);
    QCOMPARE(d.ValoreA(1, inizio + UnSecondo / 10), 1.0);
    // The pause ends: the window follows the newest point again.
    d.ImpostaInPausa(false);
    d.AggiungiPunto(1, t0 + (buffer + dopo) * passo * UnSecondo, 3);
    QCOMPARE(d.TempoFine(), t0 + (buffer + dopo) * passo * UnSecondo);
}

void TstDatiTrend::seriale_data()
{
    QTest::addColumn<QDateTime>("dataOra");
    QTest::addColumn<double>("seriale");
    QTest::newRow("day zero") << QDateTime(QDate(1899, 12, 30), QTime(0, 0)) << 0.0;
    QTest::newRow("noon of day zero") << QDateTime(QDate(1899, 12, 30), QTime(12, 0)) << 0.5;
    QTest::newRow("first of 1900") << QDateTime(QDate(1900, 1, 1), QTime(0, 0)) << 2.0;
    QTest::newRow("2000") << QDateTime(QDate(2000, 1, 1), QTime(18, 0)) << 36526.75;
    QTest::newRow("before day zero") << QDateTime(QDate(1899, 12, 29), QTime(6, 0)) << -1.25;
}

void TstDatiTrend::seriale()
{
    QFETCH(QDateTime, dataOra);
    QFETCH(double, seriale);
    // The rows read as standard time; where the machine's zone keeps daylight saving on that
    // date (January in the southern hemisphere), the serial is an hour earlier.
    const QTimeZone zona = QTimeZone::systemTimeZone();
    if (zona.isValid() && zona.isDaylightTime(dataOra))
        seriale -= zona.daylightTimeOffset(dataOra) / 86400.0;
    QCOMPARE(SerialeDaDataOra(dataOra), seriale);
    QCOMPARE(DataOraDaSeriale(seriale), dataOra);
}

void TstDatiTrend::formattaValore_data()
{
    QTest::addColumn<QString>("formato");
    QTest::addColumn<double>("valore");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("chart pattern") << "##0.0" << 21.46 << "21,5";
    QTest::newRow("negative") << "##0.0" << -3.0 << "-3,0";
    QTest::newRow("no minus for a zero") << "##0.0" << -0.04 << "0,0";
    QTest::newRow("gap marker") << "##0.0" << -99999.0 << "-99999,0";
    QTest::newRow("three decimals") << "###0.000" << 5.0 << "5,000";
    QTest::newRow("whole") << "######0" << 7.6 << "8";
    QTest::newRow("optional decimals") << "0.##" << 1.5 << "1,5";
    QTest::newRow("optional decimals of a whole") << "0.##" << 2.0 << "2";
    QTest::newRow("leading zeros") << "000" << 7.0 << "007";
    QTest::newRow("not a number") << "##0.0" << qQNaN() << "";
}

void TstDatiTrend::formattaValore()
{
    QFETCH(QString, formato);
    QFETCH(double, valore);
    QFETCH(QString, atteso);
    QCOMPARE(FormattaValore(valore, formato), atteso);
}

void TstDatiTrend::formattaTempo_data()
{
    QTest::addColumn<QString>("formato");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("chart pattern") << "hh:mm:ss" << "13:05:09";
    QTest::newRow("month and minutes") << "dd/mm/yyyy hh:mm" << "01/03/2026 13:05";
    QTest::newRow("n for minutes") << "hh.nn" << "13.05";
    QTest::newRow("literal text") << "hh:mm 'ok'" << "13:05 'ok'";
}

void TstDatiTrend::formattaTempo()
{
    QFETCH(QString, formato);
    QFETCH(QString, atteso);
    QCOMPARE(FormattaTempo(SerialeDaDataOra(QDateTime(QDate(2026, 3, 1), QTime(13, 5, 9))), formato), atteso);
    QCOMPARE(FormattaTempo(qQNaN(), formato), QString());
}

void TstDatiTrend::leggiColore_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<bool>("valido");
    QTest::addColumn<quint32>("colore");
    QTest::newRow("decimal") << "255" << true << 0xFFu;
    QTest::newRow("decimal with blanks") << " 16777215 " << true << 0xFFFFFFu;
    QTest::newRow("hex") << "&HFF" << true << 0xFFu;
    QTest::newRow("hex lower case with type mark") << "&hff&" << true << 0xFFu;
    QTest::newRow("hex of four digits is green, not -256") << "&HFF00" << true << 0xFF00u;
    QTest::newRow("system colour in hex") << "&H80000008" << true << 0x80000008u;
    QTest::newRow("system colour as a Long") << "-2147483640" << true << 0x80000008u;
    QTest::newRow("empty") << "" << false << 0u;
    QTest::newRow("word") << "rosso" << false << 0u;
    QTest::newRow("hex without digits") << "&H" << false << 0u;
    QTest::newRow("hex not hex") << "&HFG" << false << 0u;
    QTest::newRow("hex over 32 bits") << "&H123456789" << false << 0u;
    QTest::newRow("decimal over a Long") << "4294967295" << false << 0u;
}

void TstDatiTrend::leggiColore()
{
    QFETCH(QString, testo);
    QFETCH(bool, valido);
    QFETCH(quint32, colore);
    const auto c = LeggiColore(testo);
    QCOMPARE(c.has_value(), valido);
    if (valido)
        QCOMPARE(*c, colore);
}

void TstDatiTrend::coloreQt()
{
    QPalette tav;
    tav.setColor(QPalette::Text, QColor(1, 2, 3));
    QCOMPARE(ColoreQt(0x0000FF, tav), QColor(255, 0, 0));
    QCOMPARE(ColoreQt(0x804020, tav), QColor(0x20, 0x40, 0x80));
    QCOMPARE(ColoreQt(TestoFinestraSistema, tav), QColor(1, 2, 3));
}

QTEST_MAIN(TstDatiTrend)
#include "tst_datitrend.moc"
