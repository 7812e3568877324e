// The settings routines on a real program folder: which file each routine reads and writes, the
// switch of the active file by FileImpostazioni, and the data folders.
#include "caricamento.h"
#include "cartellatemporanea.h"
#include "file_ini.h"
#include "generale.h"
#include "vista_configurazione.h"

#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

enum class Routine { Base, Attivo, ConNome };

// Every file names itself, so a read shows which file it reached. The recipe mode's file and the
// recipe were named on a case-blind system.
void prepara(const CartellaTemporanea& cartella)
{
    for (const char* nome : {"Quelvar0.ini", "Quelvar1.ini", "QUELVAR2.INI", "Ricetta/Estate.prg"})
        cartella.scrivi(QString::fromLatin1(nome), "[Generale]\r\nNome=" + QByteArray(nome) + "\r\n");
}

}  // namespace

Q_DECLARE_METATYPE(Routine)

class TstFileIni : public QObject {
    Q_OBJECT
private slots:
    void leggi_data();
    void leggi();
    void scrivi_data();
    void scrivi();
    void chiaveConPredefinito();
    void creaCartella();
    void modificaAManoTraDueCaricamenti();
};

void TstFileIni::leggi_data()
{
    QTest::addColumn<Routine>("routine");
    QTest::addColumn<QString>("attivo");
    QTest::addColumn<QString>("nomeFile");
    QTest::addColumn<QString>("chiave");
    QTest::addColumn<QString>("atteso");

    QTest::newRow("base") << Routine::Base << "Quelvar2.ini" << "" << "Nome" << "Quelvar0.ini";
    QTest::newRow("attivo, stagioni") << Routine::Attivo << "Quelvar1.ini" << "" << "Nome" << "Quelvar1.ini";
    QTest::newRow("attivo, ricette") << Routine::Attivo << "Quelvar2.ini" << "" << "Nome" << "QUELVAR2.INI";
    QTest::newRow("con nome") << Routine::ConNome << "Quelvar1.ini" << "ricetta\\ESTATE.PRG" << "Nome"
                              << "Ricetta/Estate.prg";
    QTest::newRow("con nome, file mancante") << Routine::ConNome << "Quelvar1.ini" << "Ricetta\\Inverno.prg"
                                             << "Nome" << "assente";
    QTest::newRow("chiave mancante") << Routine::Attivo << "Quelvar1.ini" << "" << "Zone" << "assente";
}

void TstFileIni::leggi()
{
    QFETCH(Routine, routine);
    QFETCH(QString, attivo);
    QFETCH(QString, nomeFile);
    QFETCH(QString, chiave);
    QFETCH(QString, atteso);

    CartellaTemporanea cartella;
    prepara(cartella);
    Generale::FileImpostazioni = attivo;
    const QString s = QStringLiteral("Generale");
    const QString p = QStringLiteral("assente");
    const QString letto = routine == Routine::Base     ? File_Ini::LeggiIniBase(s, chiave, p)
                          : routine == Routine::Attivo ? File_Ini::LeggiIni(s, chiave, p)
                                                       : File_Ini::LeggiIniFile(s, chiave, p, nomeFile);
    QCOMPARE(letto, atteso);
}

void TstFileIni::scrivi_data()
{
    QTest::addColumn<bool>("base");
    QTest::addColumn<QString>("attivo");
    QTest::addColumn<bool>("solaLettura");
    QTest::addColumn<QString>("valore");
    QTest::addColumn<long>("risultato");
    QTest::addColumn<QString>("scritto");  // the one file that must change

    QTest::newRow("base") << true << "Quelvar1.ini" << false << "1" << 1L << "Quelvar0.ini";
    QTest::newRow("attivo, stagioni") << false << "Quelvar1.ini" << false << "3" << 1L << "Quelvar1.ini";
    QTest::newRow("attivo, ricette nel file che c'e'") << false << "Quelvar2.ini" << false << "3" << 1L
                                                         << "QUELVAR2.INI";
    QTest::newRow("valore con a capo rifiutato") << false << "Quelvar1.ini" << false << "3\r\nX=1" << 0L << "";
    QTest::newRow("base di sola lettura") << true << "Quelvar1.ini" << true << "1" << 0L << "";
    QTest::newRow("attivo di sola lettura") << false << "Quelvar2.ini" << true << "3" << 0L << "";
}

void TstFileIni::scrivi()
{
    QFETCH(bool, base);
    QFETCH(QString, attivo);
    QFETCH(bool, solaLettura);
    QFETCH(QString, valore);
    QFETCH(long, risultato);
    QFETCH(QString, scritto);

    CartellaTemporanea cartella;
    prepara(cartella);
    const QStringList files = {"Quelvar0.ini", "Quelvar1.ini", "QUELVAR2.INI", "Ricetta/Estate.prg"};
    QList<QByteArray> prima;
    for (const QString& f : files)
        prima << cartella.leggi(f);

    Generale::FileImpostazioni = attivo;
    const QString bersaglio = base ? cartella.percorso(QStringLiteral("Quelvar0.ini")) : File_Ini::PercorsoImpostazioni();
    if (solaLettura)
        QVERIFY(QFile::setPermissions(bersaglio, QFile::ReadOwner | QFile::ReadGroup));
    const QString s = QStringLiteral("Generale");
    const QString k = QStringLiteral("Zone");
    QCOMPARE(base ? File_Ini::ScriviIniBase(s, k, valore) : File_Ini::ScriviIni(s, k, valore), risultato);

    for (int i = 0; i < files.size(); ++i) {
        const QByteArray atteso = files[i] == scritto ? prima[i] + "Zone=" + valore.toLatin1() + "\r\n" : prima[i];
        QCOMPARE(cartella.leggi(files[i]), atteso);
    }
    QVERIFY(!QFileInfo::exists(cartella.percorso(QStringLiteral("Quelvar2.ini"))));
    if (risultato)
        QCOMPARE(base ? File_Ini::LeggiIniBase(s, k, QString()) : File_Ini::LeggiIni(s, k, QString()), valore);
}

void TstFileIni::chiaveConPredefinito()
{
    CartellaTemporanea cartella;
    prepara(cartella);
    Generale::FileImpostazioni = QStringLiteral("Quelvar1.ini");
    const QString s = QStringLiteral("Generale");
    QCOMPARE(File_Ini::LeggiIni(s, Chiavi::Generale::ZoneUnita), QStringLiteral(u"\u00B0C"));
    QCOMPARE(File_Ini::ScriviIni(s, Chiavi::Generale::ZoneUnita, QStringLiteral(u"\u00B0F")), 1L);
    QVERIFY(cartella.leggi(QStringLiteral("Quelvar1.ini")).endsWith("Zone Unita=\xB0"
                                                                      "F\r\n"));
    QCOMPARE(File_Ini::LeggiIni(s, Chiavi::Generale::ZoneUnita), QStringLiteral(u"\u00B0F"));
    // The switch of the active file takes effect at the next read.
    Generale::FileImpostazioni = QStringLiteral("Quelvar2.ini");
    QCOMPARE(File_Ini::LeggiIni(s, Chiavi::Generale::ZoneUnita), QStringLiteral(u"\u00B0C"));
}

void TstFileIni::creaCartella()
{
    CartellaTemporanea cartella;
    cartella.scrivi(QStringLiteral("Crono/Zona01.cro"), "dati");
    cartella.scrivi(QStringLiteral("ricetta/Estate.prg"), "dati");

    for (const char* nome : {"Dati", "Crono", "Ricetta"})
        File_Ini::CreaCartella(QString::fromLatin1(nome));

    const QDir dir(cartella.percorso());
    QCOMPARE(dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
             (QStringList{"Crono", "Dati", "ricetta"}));
    QVERIFY(QFileInfo(cartella.percorso(QStringLiteral("Dati"))).isDir());
    QCOMPARE(cartella.leggi(QStringLiteral("Crono/Zona01.cro")), QByteArray("dati"));
    QCOMPARE(cartella.leggi(QStringLiteral("ricetta/Estate.prg")), QByteArray("dati"));
    QCOMPARE(QDir(cartella.percorso(QStringLiteral("Dati"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList());

    // A second call changes nothing.
    File_Ini::CreaCartella(QStringLiteral("Dati"));
    QCOMPARE(dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
             (QStringList{"Crono", "Dati", "ricetta"}));
}

// A load reads its file once, but the next load reads it again: a hand edit between two loads
// is seen even when it keeps the file's size, inode and modification time.
void TstFileIni::modificaAManoTraDueCaricamenti()
{
    CartellaTemporanea cartella;
    Generale::FileImpostazioni = QStringLiteral("Quelvar1.ini");
    Configurazione::Vista = {};
    const QString percorso = cartella.percorso(QStringLiteral("Quelvar1.ini"));
    cartella.scrivi(QStringLiteral("Quelvar1.ini"), "[Generale]\r\nZone=3\r\nLED=1\r\n");
    Configurazione::CaricaImpostazioni();
    QCOMPARE(Generale::NumeroZone, 3);
    QCOMPARE(Generale::NumeroLED, 1);

    struct stat prima {};
    QCOMPARE(::stat(QFile::encodeName(percorso).constData(), &prima), 0);
    cartella.scrivi(QStringLiteral("Quelvar1.ini"), "[Generale]\r\nZone=4\r\nLED=2\r\n");
    const timespec tempi[2] = {prima.st_atim, prima.st_mtim};
    QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(percorso).constData(), tempi, 0), 0);
    struct stat dopo {};
    QCOMPARE(::stat(QFile::encodeName(percorso).constData(), &dopo), 0);
    QCOMPARE(dopo.st_ino, prima.st_ino);
    QCOMPARE(dopo.st_size, prima.st_size);

    Configurazione::CaricaImpostazioni();
    QCOMPARE(Generale::NumeroZone, 4);
    QCOMPARE(Generale::NumeroLED, 2);
}

QTEST_GUILESS_MAIN(TstFileIni)
#include "tst_file_ini.moc"
