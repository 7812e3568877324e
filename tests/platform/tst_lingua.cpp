// Qt's own texts follow Italian conventions on a machine set to another language.
#include "lingua.h"

#include <QCoreApplication>
#include <QDate>
#include <QLocale>
#include <QMimeDatabase>
#include <QTest>

#include <clocale>

class TstLingua : public QObject {
    Q_OBJECT
private slots:
    void testiDiQtInItaliano_data()
    {
        QTest::addColumn<QString>("ottenuto");
        QTest::addColumn<QString>("atteso");
        const QLocale sistema = QLocale::system();
        QTest::newRow("system locale") << sistema.name() << "it_IT";
        QTest::newRow("default locale") << QLocale().name() << "it_IT";
        QTest::newRow("file date") << sistema.toString(QDate(2026, 12, 8), QLocale::ShortFormat) << "08/12/26";
        QTest::newRow("file size") << sistema.formattedDataSize(284) << "284 byte";
        QTest::newRow("large size") << sistema.formattedDataSize(6170) << "6,03 KiB";
        QTest::newRow("file type") << QMimeDatabase().mimeTypeForName(QStringLiteral("text/plain")).comment()
                                   << "Documento in testo semplice";
        QTest::newRow("button") << QCoreApplication::translate("QPlatformTheme", "Cancel") << "Annulla";
    }
    void testiDiQtInItaliano()
    {
        QFETCH(QString, ottenuto);
        QFETCH(QString, atteso);
        QCOMPARE(ottenuto, atteso);
    }

    void libreriaCTieneIlSuoLocale()
    {
        // The machine's character set stays what it was.
        QCOMPARE(QString::fromLatin1(std::setlocale(LC_CTYPE, nullptr)), QStringLiteral("C.UTF-8"));
    }
};

int main(int argc, char* argv[])
{
    // An English machine whose whole locale is set by LC_ALL.
    qputenv("LANG", "en_US.UTF-8");
    qputenv("LC_ALL", "C.UTF-8");
    qputenv("LANGUAGE", "en_US:en");
    Piattaforma::ImpostaLinguaItaliana();
    QCoreApplication app(argc, argv);
    if (!Piattaforma::InstallaTraduzioniQt())
        qWarning("Qt's Italian translations are not installed");
    TstLingua t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_lingua.moc"
