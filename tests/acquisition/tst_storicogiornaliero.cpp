// The daily history file when its lines cannot be written (the folder blocked, a full disk): each
// lost line leaves the file as it was, the outage is told once and its end once, and writing
// resumes by itself with every line whole on its own line. A Dati folder that is gone is made
// again by the next line.
#include "cartellatemporanea.h"
#include "discopiccolo.h"
#include "ganci.h"
#include "storicogiornaliero.h"

#include <QTest>

namespace {

const QDate Giorno(2026, 1, 2);
const QDateTime Ora(Giorno, QTime(10, 0, 0));
const QString Nome = QStringLiteral("Dati/2026_01_02.csv");

QString riga(int n) { return QStringLiteral("02/01/2026 10:%1:00;%2;").arg(n, 2, 10, QLatin1Char('0')).arg(n); }

}  // namespace

class TestStoricoGiornaliero : public QObject {
    Q_OBJECT

    struct Esito {
        bool scritto;
        QString voce;
    };
    QList<Esito> esiti_;

private slots:
    void init()
    {
        Acquisizione::GanciAttivi() = {};
        Acquisizione::GanciAttivi().Adesso = [] { return Ora; };
        Acquisizione::GanciAttivi().EsitoStorico = [this](bool scritto, const QString& voce) { esiti_.append({scritto, voce}); };
    }
    void cleanup()
    {
        Acquisizione::GanciAttivi() = {};
        esiti_.clear();
    }

    void interruzione_data();
    void interruzione();
    void cartellaMancante_data();
    void cartellaMancante();
};

void TestStoricoGiornaliero::interruzione_data()
{
    QTest::addColumn<bool>("discoPieno");
    // A file stands where the folder was: the folder cannot be made until it goes.
    QTest::newRow("un file al posto della cartella Dati") << false;
    // The file ends ten bytes before the end of its block: the line's first bytes still fit,
    // the rest does not, as on a real full disk.
    QTest::newRow("disco pieno a meta riga") << true;
}

void TestStoricoGiornaliero::interruzione()
{
    QFETCH(bool, discoPieno);
    const CartellaDiProva prova(discoPieno, 64);
    if (!prova.errore().isEmpty())
        QSKIP(qPrintable(prova.errore()));
    const QString cartella = prova.percorso();
    const DiscoPiccolo* disco = prova.disco();
    QDir(cartella).mkpath(QStringLiteral("Dati"));
    QFile file(cartella + QLatin1Char('/') + Nome);
    auto contenuto = [&] {
        QFile f(file.fileName());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<nessun file>");
    };

    QVERIFY(File_Ini::ScriviStorico(riga(0), Giorno));
    QByteArray prima = riga(0).toLatin1() + "\r\n";
    prima += QByteArray(4096 - 10 - prima.size() - 2, 'x') + "\r\n";
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(prima);
    file.close();
    esiti_.clear();

    if (discoPieno)
        disco->riempi();
    else {
        QVERIFY(QDir(cartella + QStringLiteral("/Dati")).removeRecursively());
        QVERIFY(QFile(cartella + QStringLiteral("/Dati")).open(QIODevice::WriteOnly));
    }
    const QByteArray durante = contenuto();
    for (int n = 1; n <= 3; ++n)
        QVERIFY(!File_Ini::ScriviStorico(riga(n), Giorno));
    QCOMPARE(contenuto(), durante);
    QCOMPARE(esiti_.size(), 1);
    QVERIFY(!esiti_[0].scritto);
    QCOMPARE(esiti_[0].voce, File_Ini::TestoStoricoNonScritto + QStringLiteral(" (02/01/2026 10:00:00)"));

    if (discoPieno)
        disco->libera();
    else
        QVERIFY(QFile::remove(cartella + QStringLiteral("/Dati")));
    QVERIFY(File_Ini::ScriviStorico(riga(4), Giorno));
    QVERIFY(File_Ini::ScriviStorico(riga(5), Giorno));
    QCOMPARE(esiti_.size(), 2);
    QVERIFY(esiti_[1].scritto);
    QCOMPARE(esiti_[1].voce, File_Ini::TestoStoricoRipreso + QStringLiteral(" (02/01/2026 10:00:00)"));
    const QByteArray dopo = riga(4).toLatin1() + "\r\n" + riga(5).toLatin1() + "\r\n";
    QCOMPARE(contenuto(), discoPieno ? prima + dopo : dopo);
}

void TestStoricoGiornaliero::cartellaMancante_data()
{
    QTest::addColumn<bool>("cartellaProgramma");  // the program folder itself is gone
    QTest::newRow("cartella Dati rimossa") << false;
    // A program folder that has gone (a disk taken away) is not made anew for one folder.
    QTest::newRow("cartella del programma sparita") << true;
}

void TestStoricoGiornaliero::cartellaMancante()
{
    QFETCH(bool, cartellaProgramma);
    const CartellaTemporanea prova;
    const QString programma = prova.percorso(QStringLiteral("programma"));
    QVERIFY(QDir(programma).mkpath(QStringLiteral("Dati")));
    Piattaforma::ImpostaCartellaProgramma(programma);
    QVERIFY(File_Ini::ScriviStorico(riga(0), Giorno));
    esiti_.clear();
    QVERIFY(QDir(cartellaProgramma ? programma : programma + QStringLiteral("/Dati")).removeRecursively());

    QCOMPARE(File_Ini::ScriviStorico(riga(1), Giorno), !cartellaProgramma);
    QCOMPARE(QFileInfo::exists(programma), !cartellaProgramma);
    if (cartellaProgramma) {
        QCOMPARE(esiti_.size(), 1);
        QVERIFY(!esiti_[0].scritto);
        // Back in one piece, so the next test starts without an outage.
        QVERIFY(QDir(programma).mkpath(QStringLiteral("Dati")));
        QVERIFY(File_Ini::ScriviStorico(riga(2), Giorno));
    } else {
        QVERIFY(esiti_.isEmpty());
        QCOMPARE(prova.leggi(QStringLiteral("programma/") + Nome), riga(1).toLatin1() + "\r\n");
    }
}

QTEST_GUILESS_MAIN(TestStoricoGiornaliero)
#include "tst_storicogiornaliero.moc"
