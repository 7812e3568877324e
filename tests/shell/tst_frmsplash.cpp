#include "frmsplash.h"
#include "generale.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class TestFrmSplash : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QCoreApplication::setApplicationVersion(QString()); }

    void timerDallaCreazione();
    void testiDelCaricamento_data();
    void testiDelCaricamento();
    void finisceUnaVolta_data();
    void finisceUnaVolta();
};

void TestFrmSplash::timerDallaCreazione()
{
    frmSplash splash;
    QVERIFY(splash.Timer1->isActive());
    QCOMPARE(splash.Timer1->interval(), 3500);
    QVERIFY(splash.Timer1->isSingleShot());
    QVERIFY(splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

void TestFrmSplash::testiDelCaricamento_data()
{
    QTest::addColumn<QString>("versione");
    QTest::addColumn<QString>("etichetta");
    QTest::addColumn<QString>("titolo");
    QTest::newRow("1.0.0") << "1.0.0" << "Versione 1.00" << "Quelvar";
    QTest::newRow("0.9.3 BETA") << "0.9.3" << "Versione 0.93 (BETA)" << "Quelvar (BETA)";
    QTest::newRow("revisione a due cifre") << "2.1.12" << "Versione 2.112" << "Quelvar";
    QTest::newRow("0.0.0") << "0.0.0" << "Versione 0.00 (BETA)" << "Quelvar (BETA)";
}

void TestFrmSplash::testiDelCaricamento()
{
    QFETCH(QString, versione);
    QFETCH(QString, etichetta);
    QFETCH(QString, titolo);
    QCoreApplication::setApplicationVersion(versione);
    Generale::UtenteAmministratore = true;
    Generale::UtenteTecnico = true;

    frmSplash splash;
    splash.Form_Load();
    QCOMPARE(splash.lblVersion->text(), etichetta);
    QCOMPARE(splash.lblProductName->text(), QStringLiteral("Quelvar"));
    QCOMPARE(Versione::TitoloPrincipale(), titolo);
    QVERIFY(!Generale::UtenteAmministratore);
    QVERIFY(!Generale::UtenteTecnico);
    QVERIFY(!splash.Logo_Fenlo->isHidden());
    QVERIFY(!splash.Logo_Fenlo->pixmap().isNull());
    QVERIFY(qAbs(splash.Logo_Fenlo->geometry().center().x() - splash.width() / 2) <= 1);
}

void TestFrmSplash::finisceUnaVolta_data()
{
    QTest::addColumn<QString>("causa");
    QTest::newRow("timer") << "timer";
    QTest::newRow("tasto") << "tasto";
    QTest::newRow("clic sulla cornice") << "cornice";
    QTest::newRow("clic sul nome") << "nome";
}

void TestFrmSplash::finisceUnaVolta()
{
    QFETCH(QString, causa);
    frmSplash splash;
    splash.Form_Load();
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QSignalSpy fine(&splash, &frmSplash::Terminato);

    auto causaFine = [&](const QString& c) {
        if (c == QLatin1String("timer"))
            splash.Timer1_Timer();
        else if (c == QLatin1String("tasto"))
            QTest::keyClick(&splash, Qt::Key_Q);
        else if (c == QLatin1String("cornice"))
            QTest::mouseClick(splash.Frm_Splash, Qt::LeftButton, {}, QPoint(5, 5));
        else
            QTest::mouseClick(splash.lblProductName, Qt::LeftButton);
    };
    causaFine(causa);
    QCOMPARE(fine.count(), 1);
    QVERIFY(splash.isHidden());
    QVERIFY(!splash.Timer1->isActive());

    // Whatever comes after (a queued key, a click, the timer's event) does not end it again.
    for (const char* altra : {"timer", "tasto", "cornice"})
        causaFine(QLatin1String(altra));
    QCOMPARE(fine.count(), 1);
}

QTEST_MAIN(TestFrmSplash)
#include "tst_frmsplash.moc"
