#include "monitorerrori.h"
#include "generale.h"

#include <QCloseEvent>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class TestAllarmi : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        Generale::UtenteAmministratore = false;
        Generale::UtenteTecnico = false;
    }

    void voci();
    void pulsantiDiChiusura_data();
    void pulsantiDiChiusura();
    void azzeramentoSecondoIPrivilegi_data();
    void azzeramentoSecondoIPrivilegi();
};

void TestAllarmi::voci()
{
    Allarmi monitor;
    QVERIFY(monitor.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(monitor.Lst_AllarmiZ->count(), 0);
    QCOMPARE(monitor.Lst_AllarmiI->count(), 0);

    monitor.AggiungiVoceZona(QStringLiteral("Zona 1 (05/03/2024 07:04:09)"));
    monitor.AggiungiVoceDispositivo(QStringLiteral("Pompa ricircolo (05/03/2024 07:05:09)"));
    monitor.AggiungiVoceDispositivo(QStringLiteral("LED caldaia (06/03/2024 07:04:09)"));
    QCOMPARE(monitor.Lst_AllarmiZ->count(), 1);
    QCOMPARE(monitor.Lst_AllarmiI->count(), 2);
    // Kept in the order they latched.
    QCOMPARE(monitor.Lst_AllarmiI->item(1)->text(), QStringLiteral("LED caldaia (06/03/2024 07:04:09)"));

    monitor.hide();
    QCOMPARE(monitor.Lst_AllarmiI->count(), 2);
    monitor.SvuotaListe();
    QCOMPARE(monitor.Lst_AllarmiZ->count(), 0);
    QCOMPARE(monitor.Lst_AllarmiI->count(), 0);
}

void TestAllarmi::pulsantiDiChiusura_data()
{
    QTest::addColumn<QString>("come");
    QTest::addColumn<int>("indice");
    QTest::newRow("azzera e chiudi") << "Cmd_Chiudi(0)" << 0;
    QTest::newRow("chiudi") << "Cmd_Chiudi(1)" << 1;
    QTest::newRow("chiusura della finestra") << "" << 1;
}

void TestAllarmi::pulsantiDiChiusura()
{
    QFETCH(QString, come);
    QFETCH(int, indice);
    Generale::UtenteTecnico = true;
    Allarmi monitor;
    monitor.AggiungiVoceZona(QStringLiteral("Zona 3 (01/01/2025 10:00:00)"));
    monitor.Mostra();
    QSignalSpy chiudi(&monitor, &Allarmi::ChiudiMonitor);

    if (come.isEmpty()) {
        QCloseEvent e;
        QCoreApplication::sendEvent(&monitor, &e);
        QVERIFY(!e.isAccepted());
    } else {
        auto* pulsante = monitor.findChild<QPushButton*>(come);
        QVERIFY(pulsante);
        QTest::mouseClick(pulsante, Qt::LeftButton);
    }
    QCOMPARE(chiudi.count(), 1);
    QCOMPARE(chiudi.first().first().toInt(), indice);
    // Resetting is the alarm module's job; the window itself never drops an entry.
    QCOMPARE(monitor.Lst_AllarmiZ->count(), 1);
}

void TestAllarmi::azzeramentoSecondoIPrivilegi_data()
{
    QTest::addColumn<bool>("amministratore");
    QTest::addColumn<bool>("tecnico");
    QTest::addColumn<bool>("abilitato");
    QTest::newRow("anonimo") << false << false << false;
    QTest::newRow("tecnico") << false << true << true;
    QTest::newRow("amministratore") << true << false << true;
}

void TestAllarmi::azzeramentoSecondoIPrivilegi()
{
    QFETCH(bool, amministratore);
    QFETCH(bool, tecnico);
    QFETCH(bool, abilitato);
    Allarmi monitor;
    monitor.Mostra();
    QVERIFY(!monitor.Cmd_Chiudi[0]->isEnabled());
    QVERIFY(monitor.Cmd_Chiudi[1]->isEnabled());

    // A login while the monitor shows changes nothing until it is opened again.
    Generale::UtenteAmministratore = amministratore;
    Generale::UtenteTecnico = tecnico;
    QVERIFY(!monitor.Cmd_Chiudi[0]->isEnabled());
    monitor.hide();
    monitor.Mostra();
    QCOMPARE(monitor.Cmd_Chiudi[0]->isEnabled(), abilitato);
    QVERIFY(monitor.Cmd_Chiudi[1]->isEnabled());

    Generale::UtenteAmministratore = false;
    Generale::UtenteTecnico = false;
    monitor.Mostra();
    QVERIFY(!monitor.Cmd_Chiudi[0]->isEnabled());
}

QTEST_MAIN(TestAllarmi)
#include "tst_monitorerrori.moc"
