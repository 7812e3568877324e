// The season page offscreen: the two names filled when the page opens, saved exactly as typed,
// left unchanged by the exit without saving, and the template button with its error box.
#include "cartellatemporanea.h"
#include "comunicazioni.h"
#include "dialoghifinti.h"
#include "file_ini.h"
#include "generale.h"
#include "pagina_stagione.h"
#include "ricetta.h"

#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

class TestPaginaStagione : public QObject {
    Q_OBJECT

    QByteArray path = qgetenv("PATH");

    static QString chiave(const char* nome)
    {
        return File_Ini::LeggiIni(QStringLiteral("Stagione"), QString::fromLatin1(nome), QStringLiteral("assente"));
    }

private slots:
    void init() { qputenv("PATH", QByteArray("/nessuna-cartella")); }
    void cleanup() { qputenv("PATH", path); }

    void salvaOEsci_data()
    {
        QTest::addColumn<int>("pulsante");
        QTest::addColumn<QString>("estate");
        QTest::addColumn<QString>("inverno");
        QTest::addColumn<bool>("solaLettura");
        QTest::newRow("save, blanks kept, empty written") << 0 << "  nuova.prg " << "" << false;
        QTest::newRow("exit without saving") << 1 << "altra.prg" << "x.prg" << false;
        QTest::newRow("read-only settings: told, names kept") << 0 << "nuova.prg" << "y.prg" << true;
    }
    void salvaOEsci()
    {
        QFETCH(int, pulsante);
        QFETCH(QString, estate);
        QFETCH(QString, inverno);
        QFETCH(bool, solaLettura);
        CartellaTemporanea cartella;
        DialoghiFinti dialoghi;
        Generale::FileImpostazioni = QStringLiteral("Quelvar1.ini");
        cartella.scrivi(Generale::FileImpostazioni, "[Stagione]\r\nEstate = estate.prg\r\nInverno=inverno.prg\r\n");
        QFile impostazioni(File_Ini::PercorsoImpostazioni());
        if (solaLettura)
            QVERIFY(impostazioni.setPermissions(QFile::ReadOwner));
        Comunicazioni finestra;
        PaginaStagione* pagina = finestra.Pic_Stagione;
        finestra.show();
        pagina->Apri();
        QVERIFY(pagina->isVisible());
        QCOMPARE(pagina->Txt_Estate->text(), QStringLiteral("estate.prg"));
        QCOMPARE(pagina->Txt_Inverno->text(), QStringLiteral("inverno.prg"));
        pagina->Txt_Estate->setText(estate);
        pagina->Txt_Inverno->setText(inverno);
        pagina->Cmd_Chiudi_Stag[pulsante]->click();
        QVERIFY(!pagina->isVisible());
        const bool scritto = pulsante == 0 && !solaLettura;
        QCOMPARE(chiave("Estate"), scritto ? estate.trimmed() : QStringLiteral("estate.prg"));
        QCOMPARE(chiave("Inverno"), scritto ? inverno : QStringLiteral("inverno.prg"));
        QCOMPARE(dialoghi.mostrati.size(), solaLettura ? 1 : 0);
        if (solaLettura)
            QCOMPARE(dialoghi.mostrati[0].icona, Piattaforma::IconaDialogo::Esclamazione);
        if (scritto)
            QVERIFY(cartella.leggi(Generale::FileImpostazioni).contains("Estate=  nuova.prg \r\n"));
        pagina->Apri();
        QCOMPARE(pagina->Txt_Estate->text(), chiave("Estate"));
    }

    void modello()
    {
        CartellaTemporanea cartella;
        DialoghiFinti dialoghi;
        Comunicazioni finestra;
        PaginaStagione* pagina = finestra.Pic_Stagione;
        pagina->Cmd_CreaRicetta->click();  // no folder Ricetta
        QCOMPARE(dialoghi.mostrati.size(), 1);
        QCOMPARE(dialoghi.mostrati[0].testo, QStringLiteral("Errore occorso durante la creazione del file InvioDati.prg"));
        QCOMPARE(dialoghi.mostrati[0].titolo, QStringLiteral("Gestione cambio stagione"));
        QCOMPARE(dialoghi.mostrati[0].icona, Piattaforma::IconaDialogo::Esclamazione);
        QDir(cartella.percorso()).mkpath(QStringLiteral("Ricetta"));
        pagina->Cmd_CreaRicetta->click();
        QCOMPARE(dialoghi.mostrati.size(), 1);
        QCOMPARE(cartella.leggi(QStringLiteral("Ricetta/InvioDati.prg")), File_Ini::ModelloRicetta());
    }
};

QTEST_MAIN(TestPaginaStagione)
#include "tst_pagina_stagione.moc"
