// The history window's day chooser on the real window, offscreen, over day files in a temporary
// program folder, with the message boxes answered from a script.
#include "cartellatemporanea.h"
#include "dialoghifinti.h"
#include "storico.h"
#include "tempotrend.h"

#include <QtTest>

using Piattaforma::IconaDialogo;

class TstStorico : public QObject {
    Q_OBJECT
private slots:
    void giornoScelto_data();
    void giornoScelto();
    void statiDelSelettore();
    void cursoreEComandi();
    void cursoreFuoriDaiDati_data();
    void cursoreFuoriDaiDati();
};

void TstStorico::giornoScelto_data()
{
    QTest::addColumn<QByteArray>("contenuto");  // empty: no file for the day
    QTest::addColumn<int>("stato");
    QTest::addColumn<IconaDialogo>("icona");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("punti");  // on trace 1
    QTest::addColumn<QDateTime>("inizio");  // where the day's chart starts

    const QDateTime mezzanotte(QDate(2026, 10, 25), QTime(0, 0));

    const QByteArray buone = "25/10/2026 02:30:00;21,5;\r\n25/10/2026 02:30:10;21,6;\r\n";
    // The autumn change: 02:30 again after 02:59; then a line cut short by a power failure.
    const QByteArray danneggiato = buone + "25/10/2026 02:10:00;21,5;\r\n25/10/2026 02:10:05;2" + "\r\n25/10/2026 02:10:10;21,7;\r\n";
    QTest::newRow("caricato") << buone << 2 << IconaDialogo::Informazione
                              << "Il file relativo alla giornata di domenica 25/10/2026 è stato caricato correttamente." << 2 << mezzanotte;
    QTest::newRow("danneggiato") << danneggiato << 1 << IconaDialogo::Critico
                                 << "Attenzione: Il file relativo alla giornata di domenica 25/10/2026 è danneggiato. "
                                    "Il caricameto dei dati potrebbe essere errato o incompleto." << 4 << mezzanotte;
    // The day the clocks go back, a line every second: 25 hours, none of them lost.
    QByteArray venticinqueOre;
    for (int ora = 0; ora < 25; ++ora)
        for (int s = 0; s < 3600; ++s)
            venticinqueOre += QTime(ora <= 2 ? ora : ora - 1, 0).addSecs(s).toString(QStringLiteral("'25/10/2026 'HH:mm:ss';20,0;\r\n'")).toLatin1();
    QTest::newRow("giorno di 25 ore") << venticinqueOre << 2 << IconaDialogo::Informazione
                                      << "Il file relativo alla giornata di domenica 25/10/2026 è stato caricato correttamente." << 90000 << mezzanotte;
    // The clock set back four hours at noon: more lines than a day has seconds, none of them lost.
    QByteArray riportato;
    for (int s = 0; s < 86400 + 4 * 3600; ++s)
        riportato += QTime(0, 0).addSecs(s < 12 * 3600 ? s : s - 4 * 3600).toString(QStringLiteral("'25/10/2026 'HH:mm:ss';20,0;\r\n'")).toLatin1();
    QTest::newRow("orologio riportato indietro") << riportato << 2 << IconaDialogo::Informazione
                                                 << "Il file relativo alla giornata di domenica 25/10/2026 è stato caricato correttamente." << 86400 + 4 * 3600
                                                 << mezzanotte;
    // The pass that ended after midnight, stamped with its start, opens the day's file.
    const QByteArray cavallo = "24/10/2026 23:59:52;21,4;\r\n25/10/2026 00:00:04;21,5;\r\n";
    QTest::newRow("passata a cavallo della mezzanotte")
        << cavallo << 2 << IconaDialogo::Informazione
        << "Il file relativo alla giornata di domenica 25/10/2026 è stato caricato correttamente." << 2
        << QDateTime(QDate(2026, 10, 24), QTime(23, 59, 52));
    // A line of another day (a clock far out) does not stretch the day's chart over days.
    QTest::newRow("riga di un altro giorno")
        << "20/10/2026 12:00:00;21,4;\r\n" + buone << 2 << IconaDialogo::Informazione
        << "Il file relativo alla giornata di domenica 25/10/2026 è stato caricato correttamente." << 3 << mezzanotte;
    QTest::newRow("assente") << QByteArray() << 3 << IconaDialogo::Critico
                             << "Attenzione: Il file relativo alla giornata di domenica 25/10/2026 non è presente." << 0 << QDateTime();
}

void TstStorico::giornoScelto()
{
    QFETCH(QByteArray, contenuto);
    QFETCH(int, stato);
    QFETCH(IconaDialogo, icona);
    QFETCH(QString, testo);
    QFETCH(int, punti);
    QFETCH(QDateTime, inizio);
    CartellaTemporanea cartella;
    if (!contenuto.isEmpty())
        cartella.scrivi(QStringLiteral("Dati/2026_10_25.csv"), contenuto);
    Storico s;
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));
    const double finestraPrima = s.Trend->TempoFine();
    DialoghiFinti dialoghi;
    s.Cmd_Apri->click();
    QVERIFY(s.Calendar->isVisible());
    s.Calendar->setSelectedDate(QDate(2026, 10, 25));
    // Picking the same day twice shows it once: the chart is cleared before each load.
    for (int volta = 0; volta < 2; ++volta) {
        QCOMPARE(s.Calendar_Click(), stato);
        QCOMPARE(int(s.Trend->Dati().Punti(1).size()), punti);
    }
    QCOMPARE(dialoghi.mostrati.size(), 2);
    QCOMPARE(dialoghi.mostrati[0].titolo, QStringLiteral("Lettura dati storici"));
    QCOMPARE(dialoghi.mostrati[0].icona, icona);
    QCOMPARE(dialoghi.mostrati[0].testo, testo);
    QVERIFY(s.Calendar->isHidden());
    QVERIFY(s.Cmd_Apri->isEnabled() && !s.Cmd_Chiudi->isEnabled());
    if (stato == 3) {
        QCOMPARE(s.Trend->TempoFine(), finestraPrima);  // the time window is left as it was
        return;
    }
    // The chosen day whole, 00:00 to the next 00:00 (in a zone that goes back an hour that day,
    // 25 hours), also after lines from an hour repeated; from the start of a pass that crossed
    // into it.
    QCOMPARE(s.Trend->TempoInizio(), SerialeDaDataOra(inizio));
    QCOMPARE(s.Trend->TempoFine(), SerialeDaDataOra(QDateTime(QDate(2026, 10, 26), QTime(0, 0))));
}

// Closed: calendar hidden, Apri enabled. Open: calendar shown, Chiudi enabled. Showing the
// window again puts the buttons back in the closed state and leaves the calendar as it was.
void TstStorico::statiDelSelettore()
{
    CartellaTemporanea cartella;
    Storico s;
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));
    QVERIFY(s.Calendar->isHidden() && s.Cmd_Apri->isEnabled() && !s.Cmd_Chiudi->isEnabled());
    QCOMPARE(s.Calendar->selectedDate(), QDate::currentDate());
    s.Cmd_Apri->click();
    QVERIFY(s.Calendar->isVisible() && !s.Cmd_Apri->isEnabled() && s.Cmd_Chiudi->isEnabled());
    s.hide();
    s.show();
    QVERIFY(s.Calendar->isVisible() && s.Cmd_Apri->isEnabled() && !s.Cmd_Chiudi->isEnabled());
    s.Cmd_Apri->click();
    s.Cmd_Chiudi->click();
    QVERIFY(s.Calendar->isHidden() && s.Cmd_Apri->isEnabled() && !s.Cmd_Chiudi->isEnabled());
}

// The window has no pause, limit, legend or colour command. Its cursor button empties the
// read-out before the first zone is chosen.
void TstStorico::cursoreEComandi()
{
    CartellaTemporanea cartella;
    Storico s;
    for (const char* nome : {"Cmd_Pausa", "Cmd_Limite(0)", "Cmd_Limite(1)", "Cmd_Legenda", "PicTraxLegenda",
                             "Cmd_Sfondo", "Cmd_Bordo", "Cmd_Griglia", "Cmd_Cursore"})
        QVERIFY2(!s.findChild<QWidget*>(QLatin1String(nome)), nome);
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));
    s.Lab_Cur[0]->setText(QStringLiteral("12:00:00"));
    s.Cmd_VediCursore->click();
    QVERIFY(s.Pic_CursoreS->isVisible());
    QCOMPARE(s.Trend->CursoreVisibile(), 1L);
    QCOMPARE(s.Lab_Cur[0]->text(), QString());
    QCOMPARE(s.Lab_Cur[1]->text(), QStringLiteral("--.-"));  // no zone in the list
    s.Cmd_VediCursore->click();
    QVERIFY(s.Pic_CursoreS->isHidden());
    QCOMPARE(s.Trend->CursoreVisibile(), 0L);
}

// The cursor reads a value only where the day has readings: before the first line, after the
// last and where acquisition was stopped it reads "--.-", never the nearest value.
void TstStorico::cursoreFuoriDaiDati_data()
{
    QTest::addColumn<QTime>("mira");  // invalid: the last pixel of the chart
    QTest::addColumn<QString>("valore");
    QTest::newRow("before the first line") << QTime(23, 31, 58) << "--.-";
    QTest::newRow("among the readings") << QTime(23, 42, 30) << "32,0";
    QTest::newRow("acquisition stopped") << QTime(23, 50, 0) << "--.-";
    QTest::newRow("after the last line") << QTime() << "--.-";
}

void TstStorico::cursoreFuoriDaiDati()
{
    QFETCH(QTime, mira);
    QFETCH(QString, valore);
    // Readings every ten seconds from 23:40 to 23:45 and from 23:55 to 23:57.
    QByteArray giorno;
    for (const auto& [da, a] : {std::pair(QTime(23, 40), QTime(23, 45)), std::pair(QTime(23, 55), QTime(23, 57))})
        for (QTime t = da; t <= a; t = t.addSecs(10))
            giorno += t.toString(QStringLiteral("'25/10/2026 'HH:mm:ss';32,0;\r\n'")).toLatin1();
    CartellaTemporanea cartella;
    cartella.scrivi(QStringLiteral("Dati/2026_10_25.csv"), giorno);
    DialoghiFinti dialoghi;
    Storico s;
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));
    s.Calendar->setSelectedDate(QDate(2026, 10, 25));
    QCOMPARE(s.Calendar_Click(), int(Storico::FileCaricato));
    s.Cmb_Cursore->addItem(QStringLiteral("Zona 1"));
    s.Cmd_VediCursore->click();
    const QRect area = s.Trend->AreaGrafico();
    int x = area.right();
    if (mira.isValid()) {
        const double t = SerialeDaDataOra(QDateTime(QDate(2026, 10, 25), mira));
        x = area.left() + int(std::lround((t - s.Trend->TempoInizio()) / (s.Trend->TempoFine() - s.Trend->TempoInizio()) * area.width() - 0.5));
    }
    QTest::mouseClick(s.Trend, Qt::LeftButton, {}, QPoint(x, area.center().y()));
    QCOMPARE(s.Lab_Cur[1]->text(), valore);
}

QTEST_MAIN(TstStorico)
#include "tst_storico.moc"
