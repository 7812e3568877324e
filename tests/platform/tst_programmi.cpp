// Programs started for the operator: the first one found on the PATH, every argument whole,
// without waiting; nothing found is a quiet false.
#include "programmi.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Piattaforma::Programma;

class TestProgrammi : public QObject {
    Q_OBJECT

    QTemporaryDir cartella;
    QByteArray pathOriginale = qgetenv("PATH");

    // A fake program that writes one argument a line into `<name>.args` beside itself.
    void fintoProgramma(const QString& nome)
    {
        QFile f(cartella.filePath(nome));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > \"$0.args.tmp\"; /bin/mv \"$0.args.tmp\" \"$0.args\"\n");
        f.close();
        f.setPermissions(f.permissions() | QFile::ExeOwner);
    }

private slots:
    void init() { qputenv("PATH", cartella.path().toLocal8Bit()); }
    void cleanup() { qputenv("PATH", pathOriginale); }

    void avvia_data()
    {
        QTest::addColumn<Programma>("ruolo");
        QTest::addColumn<QStringList>("presenti");
        QTest::addColumn<QStringList>("argomenti");
        QTest::addColumn<QString>("atteso");  // the program that must run
        QTest::addColumn<QStringList>("argomentiAttesi");
        QTest::newRow("editor on a path with blanks") << Programma::EditorTesto << QStringList{"mousepad"}
                                                      << QStringList{"/tmp/a b/Quelvar1.ini"} << "mousepad"
                                                      << QStringList{"/tmp/a b/Quelvar1.ini"};
        QTest::newRow("first of the list wins") << Programma::Calcolatrice << QStringList{"xcalc", "kcalc"}
                                                << QStringList{} << "kcalc" << QStringList{};
        QTest::newRow("settings panel argument first") << Programma::ImpostazioniDataOra
                                                       << QStringList{"gnome-control-center"} << QStringList{}
                                                       << "gnome-control-center" << QStringList{"datetime"};
        QTest::newRow("file opener only for a file") << Programma::EditorTesto << QStringList{"xdg-open"}
                                                     << QStringList{"x.prg"} << "xdg-open" << QStringList{"x.prg"};
    }
    void avvia()
    {
        QFETCH(Programma, ruolo);
        QFETCH(QStringList, presenti);
        QFETCH(QStringList, argomenti);
        QFETCH(QString, atteso);
        QFETCH(QStringList, argomentiAttesi);
        for (const QString& p : presenti)
            fintoProgramma(p);
        QVERIFY(Piattaforma::AvviaProgramma(ruolo, argomenti));
        const QString traccia = cartella.filePath(atteso + ".args");
        QTRY_VERIFY(QFile::exists(traccia));
        QFile f(traccia);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QStringList letti = QString::fromLocal8Bit(f.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(letti, argomentiAttesi);
        for (const QString& p : presenti) {
            QFile::remove(cartella.filePath(p));
            QFile::remove(cartella.filePath(p + ".args"));
        }
    }

    void nessunProgramma()
    {
        QVERIFY(!Piattaforma::AvviaProgramma(Programma::RegistratoreSuoni));
        fintoProgramma("xdg-open");  // no file to open: the opener is not an editor
        QVERIFY(!Piattaforma::AvviaProgramma(Programma::EditorTesto));
        QFile::remove(cartella.filePath("xdg-open"));
    }
};

QTEST_GUILESS_MAIN(TestProgrammi)
#include "tst_programmi.moc"
