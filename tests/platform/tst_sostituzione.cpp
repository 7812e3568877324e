// Replacing a file whole, in what outlives the write: the folder is synced after the rename so a
// power cut brings back the new file, the replaced file keeps its group where a writer that is
// not root cannot keep its owner, and a temporary file left by a crash goes with the next write.
#include "sostituzione.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QByteArray Vecchio = "[A]\r\nK=1\r\n";
const QByteArray Nuovo = "[A]\r\nK=2\r\n";

QByteArray leggi(const QString& percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<nessun file>");
}

void scrivi(const QString& percorso, const QByteArray& contenuto)
{
    QFile f(percorso);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(contenuto), contenuto.size());
}

// Accounts of the plant's machine, by number: the writer's own group is its number.
constexpr uid_t Scrittore = 54321;
constexpr gid_t Condiviso = 54322;  // the group the station's accounts share
constexpr gid_t Estraneo = 54323;   // a group the writer is not in

}  // namespace

class TstSostituzione : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        Piattaforma::ImpostaSincronizzazione(nullptr);
        Piattaforma::ImpostaGuastoSostituzione(nullptr);
    }

    void cartellaSincronizzata_data();
    void cartellaSincronizzata();
    void proprietario_data();
    void proprietario();
    void temporaneoLasciato_data();
    void temporaneoLasciato();
};

void TstSostituzione::cartellaSincronizzata_data()
{
    QTest::addColumn<bool>("esiste");
    QTest::addColumn<bool>("collegamento");
    QTest::newRow("file nuovo") << false << false;
    QTest::newRow("file sostituito") << true << false;
    // The file the link names lives in another folder: that folder holds the rename.
    QTest::newRow("collegamento simbolico") << true << true;
}

// What the disk was asked to keep, in order, and what the file held at that moment.
void TstSostituzione::cartellaSincronizzata()
{
    QFETCH(bool, esiste);
    QFETCH(bool, collegamento);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("altrove")));
    const QString percorso = dir.filePath(QStringLiteral("prova.ini"));
    const QString vero = collegamento ? dir.filePath(QStringLiteral("altrove/vero.ini")) : percorso;
    if (esiste)
        scrivi(vero, Vecchio);
    if (collegamento)
        QVERIFY(QFile::link(vero, percorso));

    struct Sincronizzato {
        bool cartella;
        dev_t dispositivo;
        ino_t inode;
        QByteArray fileAllora;
    };
    QList<Sincronizzato> sincronizzati;
    Piattaforma::ImpostaSincronizzazione([&](int fd) {
        struct stat st {};
        ::fstat(fd, &st);
        sincronizzati.append({S_ISDIR(st.st_mode), st.st_dev, st.st_ino, leggi(vero)});
        return ::fsync(fd) == 0;
    });
    QVERIFY(Piattaforma::SostituisciFile(percorso, Nuovo));
    QCOMPARE(leggi(vero), Nuovo);

    struct stat cartella {};
    QCOMPARE(::stat(QFile::encodeName(QFileInfo(vero).absolutePath()).constData(), &cartella), 0);
    QCOMPARE(sincronizzati.size(), 2);
    QVERIFY(!sincronizzati[0].cartella);
    QCOMPARE(sincronizzati[0].fileAllora, esiste ? Vecchio : QByteArray("<nessun file>"));
    QVERIFY2(sincronizzati[1].cartella, "the folder was not synced");
    QCOMPARE(sincronizzati[1].dispositivo, cartella.st_dev);
    QCOMPARE(sincronizzati[1].inode, cartella.st_ino);
    QVERIFY2(sincronizzati[1].fileAllora == Nuovo, "the folder was synced before the rename");
}

void TstSostituzione::proprietario_data()
{
    QTest::addColumn<uid_t>("scrittore");  // 0: root
    QTest::addColumn<uid_t>("uidPrima");
    QTest::addColumn<gid_t>("gidPrima");
    QTest::addColumn<uint>("modo");
    QTest::addColumn<uid_t>("uidDopo");
    QTest::addColumn<gid_t>("gidDopo");
    QTest::newRow("root:condiviso 0664, scrittore del gruppo")
        << Scrittore << uid_t(0) << Condiviso << 0664u << Scrittore << Condiviso;
    QTest::newRow("root:estraneo 0666, scrittore fuori dal gruppo")
        << Scrittore << uid_t(0) << Estraneo << 0666u << Scrittore << gid_t(Scrittore);
    QTest::newRow("scrittore root") << uid_t(0) << Scrittore << Condiviso << 0640u << Scrittore << Condiviso;
}

// The write runs in a child process that becomes the writer (its own group, and the shared one).
void TstSostituzione::proprietario()
{
    QFETCH(uid_t, scrittore);
    QFETCH(uid_t, uidPrima);
    QFETCH(gid_t, gidPrima);
    QFETCH(uint, modo);
    QFETCH(uid_t, uidDopo);
    QFETCH(gid_t, gidDopo);
    if (::geteuid() != 0)
        QSKIP("acting as another account needs root");
    QTemporaryDir dir;
    const QString percorso = dir.filePath(QStringLiteral("prova.ini"));
    scrivi(percorso, Vecchio);
    const QByteArray nome = QFile::encodeName(percorso);
    QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
    QCOMPARE(::chown(nome.constData(), uidPrima, gidPrima), 0);
    QCOMPARE(::chmod(nome.constData(), mode_t(modo)), 0);

    enum Uscita { Scritto, NonDiventato, FuoriPortata, Rifiutato };
    const pid_t figlio = ::fork();
    if (figlio == 0) {
        if (scrittore != 0) {
            const gid_t gruppi[] = {gid_t(scrittore), Condiviso};
            if (::setgroups(2, gruppi) != 0 || ::setresgid(scrittore, scrittore, scrittore) != 0
                || ::setresuid(scrittore, scrittore, scrittore) != 0)
                ::_exit(NonDiventato);
            if (::access(QFile::encodeName(dir.path()).constData(), W_OK | X_OK) != 0)
                ::_exit(FuoriPortata);
        }
        ::_exit(Piattaforma::SostituisciFile(percorso, Nuovo) ? Scritto : Rifiutato);
    }
    int stato = 0;
    QCOMPARE(::waitpid(figlio, &stato, 0), figlio);
    QVERIFY(WIFEXITED(stato));
    if (WEXITSTATUS(stato) == FuoriPortata)
        QSKIP("the temporary folder is out of reach of other accounts here");
    QCOMPARE(WEXITSTATUS(stato), int(Scritto));

    struct stat dopo {};
    QCOMPARE(::stat(nome.constData(), &dopo), 0);
    QCOMPARE(leggi(percorso), Nuovo);
    QCOMPARE(dopo.st_uid, uidDopo);
    QCOMPARE(dopo.st_gid, gidDopo);
    QCOMPARE(uint(dopo.st_mode & 07777), modo);
}

void TstSostituzione::temporaneoLasciato_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<bool>("inUso");
    QTest::addColumn<bool>("rimosso");
    QTest::newRow("lasciato da una scrittura interrotta") << QStringLiteral(".prova.ini.0badcafe") << false << true;
    // Another process is writing the same file right now: its temporary file is its own.
    QTest::newRow("di una scrittura in corso") << QStringLiteral(".prova.ini.0badcafe") << true << false;
    QTest::newRow("di un altro file") << QStringLiteral(".altro.ini.0badcafe") << false << false;
    QTest::newRow("non temporaneo") << QStringLiteral(".prova.ini.bak") << false << false;
}

void TstSostituzione::temporaneoLasciato()
{
    QFETCH(QString, nome);
    QFETCH(bool, inUso);
    QFETCH(bool, rimosso);
    QTemporaryDir dir;
    const QString percorso = dir.filePath(QStringLiteral("prova.ini"));
    scrivi(percorso, Vecchio);
    scrivi(dir.filePath(nome), Nuovo.left(4));
    QFile inScrittura(dir.filePath(nome));
    if (inUso) {
        QVERIFY(inScrittura.open(QIODevice::ReadWrite));
        QCOMPARE(::flock(inScrittura.handle(), LOCK_EX | LOCK_NB), 0);
    }

    QVERIFY(Piattaforma::SostituisciFile(percorso, Nuovo));
    QCOMPARE(leggi(percorso), Nuovo);
    QStringList attese{QStringLiteral("prova.ini")};
    if (!rimosso)
        attese.prepend(nome);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name), attese);
}

QTEST_GUILESS_MAIN(TstSostituzione)
#include "tst_sostituzione.moc"
