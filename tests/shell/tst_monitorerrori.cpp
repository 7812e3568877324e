#include "monitorerrori.h"
#include "ganci.h"
#include "generale.h"
#include "storicogiornaliero.h"

#include <QCloseEvent>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QTextLayout>

class TestAllarmi : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        Generale::UtenteAmministratore = false;
        Generale::UtenteTecnico = false;
    }

    void voci();
    void vociIntere_data();
    void vociIntere();
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

void TestAllarmi::vociIntere_data()
{
    QTest::addColumn<QString>("lista");
    QTest::addColumn<QString>("voce");
    QTest::addColumn<int>("prima");  // history notices the station added before this one
    // Names as the settings pages store them, up to 50 characters, and the history notices.
    const QString ora = QStringLiteral(" (05/03/2024 07:04:09)");
    QTest::newRow("zona") << "Lst_AllarmiZ" << QStringLiteral("Zona 1") + ora << 0;
    QTest::newRow("zona dal nome lungo")
        << "Lst_AllarmiZ" << QStringLiteral("Centrale termica, piano interrato, lato nord-ovest") + ora << 0;
    QTest::newRow("interruttore dal nome lungo")
        << "Lst_AllarmiI" << QStringLiteral("Pompa di ricircolo del circuito dei radiatori sud") + ora << 0;
    QTest::newRow("nome lungo senza spazi") << "Lst_AllarmiI" << QString(50, QLatin1Char('W')) + ora << 0;
    QTest::newRow("storico interrotto") << "Lst_Storico" << File_Ini::TestoStoricoNonScritto + ora << 0;
    QTest::newRow("storico ripreso") << "Lst_Storico" << File_Ini::TestoStoricoRipreso + ora << 0;
    QTest::newRow("storico ripreso dopo molte interruzioni")
        << "Lst_Storico" << File_Ini::TestoStoricoRipreso + ora << Allarmi::NoteStoricoMassime + 5;
}

void TestAllarmi::vociIntere()
{
    // At the size the monitor opens with, an entry shows whole, the time it latched included,
    // without scrolling sideways: a long one takes more lines.
    QFETCH(QString, lista);
    QFETCH(QString, voce);
    QFETCH(int, prima);
    Allarmi monitor;
    // A station that runs for long: outages and their ends, one a minute, all before this one.
    QStringList note;
    const QDateTime inizio(QDate(2024, 3, 1), QTime(6, 0));
    for (int n = 0; n < prima; ++n) {
        note << (n % 2 ? File_Ini::TestoStoricoRipreso : File_Ini::TestoStoricoNonScritto) + QStringLiteral(" (")
                    + Acquisizione::TestoDataOra(inizio.addSecs(60 * n)) + QLatin1Char(')');
        monitor.AggiungiVoceStorico(note.back());
    }
    note << voce;
    if (lista == QLatin1String("Lst_AllarmiZ"))
        monitor.AggiungiVoceZona(voce);
    else if (lista == QLatin1String("Lst_AllarmiI"))
        monitor.AggiungiVoceDispositivo(voce);
    else
        monitor.AggiungiVoceStorico(voce);
    monitor.Mostra();
    QVERIFY(QTest::qWaitForWindowExposed(&monitor));
    QCoreApplication::sendPostedEvents();

    auto* l = monitor.findChild<QListWidget*>(lista);
    QVERIFY(l);
    // The oldest first; of a long history only the newest notices, up to its limit.
    const QStringList tenute = note.mid(qMax(0, note.size() - Allarmi::NoteStoricoMassime));
    QStringList viste;
    for (int i = 0; i < l->count(); ++i)
        viste << l->item(i)->text();
    QCOMPARE(viste.size(), tenute.size());
    QCOMPARE(viste, tenute);
    QCOMPARE(l->horizontalScrollBar()->maximum(), 0);
    // The newest entry, the one the list shows.
    const QRect r = l->visualItemRect(l->item(l->count() - 1));
    const QRect vista = l->viewport()->rect();
    QVERIFY2(r.left() >= vista.left() && r.right() <= vista.right() && r.bottom() <= vista.bottom(),
             qPrintable(QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())));
    // Its lines at the item's width, inside its margins, broken between words (inside one only
    // when it is longer than a line): all of them within the item.
    const int margine = l->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, l) + 1;
    QTextLayout testo(voce, l->font());
    QTextOption opzione;
    opzione.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    testo.setTextOption(opzione);
    qreal altezza = 0;
    testo.beginLayout();
    for (QTextLine riga = testo.createLine(); riga.isValid(); riga = testo.createLine()) {
        riga.setLineWidth(r.width() - 2 * margine);
        altezza += riga.height();
        QVERIFY(riga.naturalTextWidth() <= r.width() - 2 * margine);
    }
    testo.endLayout();
    QVERIFY2(altezza <= r.height(), qPrintable(QStringLiteral("%1 in %2").arg(altezza).arg(r.height())));
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
