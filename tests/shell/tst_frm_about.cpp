#include "frm_about.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class TestFrmAbout : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QCoreApplication::setApplicationVersion(QString()); }

    void testi_data();
    void testi();
    void chiusuraNasconde_data();
    void chiusuraNasconde();
};

void TestFrmAbout::testi_data()
{
    QTest::addColumn<QString>("versione");
    QTest::addColumn<QString>("etichetta");
    QTest::newRow("1.0.0") << "1.0.0" << "Versione 1.00";
    QTest::newRow("0.4.1 BETA") << "0.4.1" << "Versione 0.41 (BETA)";
}

void TestFrmAbout::testi()
{
    QFETCH(QString, versione);
    QFETCH(QString, etichetta);
    QCoreApplication::setApplicationVersion(versione);
    Frm_About about;
    QCOMPARE(about.windowTitle(), QStringLiteral("Informazioni su..."));
    QCOMPARE(about.lblVersion->text(), etichetta);
    QCOMPARE(about.lblProductName->text(), QStringLiteral("Quelvar"));
    QCOMPARE(about.height(), 3270 / 15);
    QVERIFY(!about.Logo_Fenlo->isHidden());
    QVERIFY(!about.Logo_Fenlo->pixmap().isNull());
    QVERIFY(about.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    // The texts are set when the window is made, not again at each showing.
    QCoreApplication::setApplicationVersion(QStringLiteral("3.0.0"));
    about.show();
    QCOMPARE(about.lblVersion->text(), etichetta);
}

void TestFrmAbout::chiusuraNasconde_data()
{
    QTest::addColumn<bool>("daChiusura");
    QTest::newRow("OK") << false;
    QTest::newRow("chiusura della finestra") << true;
}

void TestFrmAbout::chiusuraNasconde()
{
    QFETCH(bool, daChiusura);
    auto* about = new Frm_About;
    about->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<Frm_About> vivo(about);
    about->show();
    QSignalSpy chiuso(about, &Frm_About::Chiuso);
    if (daChiusura)
        QVERIFY(!about->close());
    else
        QTest::mouseClick(about->cmdOK, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(vivo);
    QVERIFY(about->isHidden());
    QCOMPARE(chiuso.count(), 1);
    delete about;
}

QTEST_MAIN(TestFrmAbout)
#include "tst_frm_about.moc"
