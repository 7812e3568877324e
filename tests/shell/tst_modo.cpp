// The program mode read from the base file, and the controls it relabels on the real windows.
#include "cartellatemporanea.h"
#include "comunicazioni.h"
#include "finestre.h"
#include "generale.h"
#include "mainform.h"
#include "modo.h"
#include "stagione.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWidget>

class TstModo : public QObject {
    Q_OBJECT
private slots:
    void imposta_data();
    void imposta();
};

void TstModo::imposta_data()
{
    QTest::addColumn<QByteArray>("base");  // Quelvar0.ini; null: no file
    QTest::addColumn<bool>("stagioni");

    QTest::newRow("Modo=0") << QByteArray("[Generale]\r\nModo=0\r\n") << false;
    QTest::newRow("Modo=1") << QByteArray("[Generale]\r\nModo=1\r\n") << true;
    QTest::newRow("Modo=2") << QByteArray("[Generale]\r\nModo=2\r\n") << true;
    QTest::newRow("Modo=x") << QByteArray("[Generale]\r\nModo=x\r\n") << true;
    QTest::newRow("Modo vuoto") << QByteArray("[Generale]\r\nModo=\r\n") << true;
    QTest::newRow("Modo = \"0\", nomi in maiuscolo") << QByteArray("[GENERALE]\r\nMODO = \"0\"\r\n") << false;
    QTest::newRow("chiave mancante") << QByteArray("[Generale]\r\n") << false;
    QTest::newRow("file mancante") << QByteArray() << false;
}

void TstModo::imposta()
{
    QFETCH(QByteArray, base);
    QFETCH(bool, stagioni);

    CartellaTemporanea cartella;
    if (!base.isNull())
        cartella.scrivi(QStringLiteral("Quelvar0.ini"), base);
    Finestre finestre;
    // Start from the other mode, so that every control has to change.
    Generale::ModoStagioni = !stagioni;
    Generale::FileImpostazioni = QStringLiteral("altro.ini");
    finestre.rietichettaModo();

    auto* mainForm = finestre.mainForm;
    auto* stagione = finestre.stagione;
    auto* comunicazioni = finestre.comunicazioni;
    auto* pulsante = mainForm->findChild<QAction*>(QStringLiteral("Toolbar(5)"));
    auto* menu = mainForm->findChild<QAction*>(QStringLiteral("MenuStagione"));
    auto* estate = stagione->findChild<QPushButton*>(QStringLiteral("Cmd_Stagione(0)"));
    auto* inverno = stagione->findChild<QPushButton*>(QStringLiteral("Cmd_Stagione(1)"));
    auto* ricetta = stagione->findChild<QPushButton*>(QStringLiteral("Cmd_Stagione(2)"));
    auto* titolo = comunicazioni->findChild<QLabel*>(QStringLiteral("Lab_Stat_Gen(6)"));
    QVERIFY(pulsante && menu && estate && inverno && ricetta && titolo);

    // The windows' relabelling may load the settings, so the active file is set before it runs.
    const auto rietichetta = Generale::RietichettaModo;
    QString fileDuranteRietichetta;
    Generale::RietichettaModo = [&] {
        fileDuranteRietichetta = Generale::FileImpostazioni;
        rietichetta();
    };

    const QString file = stagioni ? QStringLiteral("Quelvar1.ini") : QStringLiteral("Quelvar2.ini");
    const QString testo = stagioni ? QStringLiteral("Stagione") : QStringLiteral("Ricette");
    for (int volta = 0; volta < 2; ++volta) {
        Generale::ImpostaModo();
        QCOMPARE(fileDuranteRietichetta, file);
        QCOMPARE(Generale::ModoStagioni, stagioni);
        QCOMPARE(Generale::FileImpostazioni, file);
        QCOMPARE(pulsante->text(), testo);
        QCOMPARE(menu->text(), testo);
        // The windows are not shown: what counts is whether each button would show with its window.
        QCOMPARE(estate->isHidden(), !stagioni);
        QCOMPARE(inverno->isHidden(), !stagioni);
        QVERIFY(!ricetta->isHidden());
        QCOMPARE(estate->isVisibleTo(stagione), stagioni);
        QVERIFY(ricetta->isVisibleTo(stagione));
        QCOMPARE(titolo->text(), stagioni ? QStringLiteral("Impostazioni cronotermostato")
                                          : QStringLiteral("Impostazioni orologio"));
    }
    // Reading the mode never creates or changes the base file.
    QCOMPARE(QFileInfo::exists(cartella.percorso(QStringLiteral("Quelvar0.ini"))), !base.isNull());
    QCOMPARE(cartella.leggi(QStringLiteral("Quelvar0.ini")), base.isNull() ? QByteArray() : base);
}

QTEST_MAIN(TstModo)
#include "tst_modo.moc"
