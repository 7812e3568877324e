// The lock that keeps a program folder to one station: a station that has run for a day still
// holds it, and a start it refuses leaves the folder as it was; one that has ended gives it back,
// and so does what a power cut left or a program the station started; a folder where no lock can
// be made is told apart from one a station holds, and so is a lock file that another user made
// and this one may only read.
#include "istanza.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

using Esito = Piattaforma::Istanza::Esito;

// The second station of the "altro utente" row: this program started again on the folder. Run
// as root, it first becomes 'nobody', who may read the lock file but not write it; run as anybody
// else, the lock file is read-only to it already. Its exit code is the outcome of its take.
constexpr char OpzioneAltroUtente[] = "--prendi-come-altro-utente";
enum : int { NessunCambioUtente = 10, BloccoScrivibile = 11 };

static int PrendiComeAltroUtente(const QString& cartella)
{
    if (::geteuid() == 0) {
        constexpr uid_t Nessuno = 65534;
        if (::setgroups(0, nullptr) != 0 || ::setgid(Nessuno) != 0 || ::setuid(Nessuno) != 0 || ::geteuid() == 0)
            return NessunCambioUtente;
    }
    Piattaforma::Istanza istanza(cartella);
    if (::access(QFile::encodeName(istanza.Percorso()).constData(), W_OK) == 0)
        return BloccoScrivibile;
    return int(istanza.Prendi());
}

class TstIstanza : public QObject {
    Q_OBJECT
private slots:
    void prendi_data();
    void prendi();
};

void TstIstanza::prendi_data()
{
    QTest::addColumn<QString>("prima");  // the station before: none, running for a day, ended
    QTest::addColumn<QString>("cartella");
    QTest::addColumn<Esito>("atteso");
    QTest::newRow("tenuta da un giorno") << "in corso" << "" << Esito::Occupata;
    QTest::newRow("tenuta, file di blocco di un altro utente") << "in corso" << "altro utente" << Esito::Occupata;
    QTest::newRow("restituita alla fine") << "finita" << "" << Esito::Presa;
    QTest::newRow("file vuoto dopo un'interruzione di corrente") << "vuoto" << "" << Esito::Presa;
    QTest::newRow("un programma avviato dalla stazione le sopravvive") << "figlio" << "" << Esito::Presa;
    QTest::newRow("cartella inesistente") << "" << "manca" << Esito::Impossibile;
    QTest::newRow("cartella in sola lettura") << "" << "sola lettura" << Esito::Impossibile;
}

void TstIstanza::prendi()
{
    QFETCH(QString, prima);
    QFETCH(QString, cartella);
    QFETCH(Esito, atteso);

    // The other user must reach the folder: /tmp lets anybody through, a temporary folder under
    // a private one would not.
    const bool altroUtente = cartella == QLatin1String("altro utente");
    QTemporaryDir radice(altroUtente ? QStringLiteral("/tmp/tst_istanza-XXXXXX")
                                     : QDir::tempPath() + QStringLiteral("/tst_istanza-XXXXXX"));
    QVERIFY(radice.isValid());
    const QString percorso = cartella == QLatin1String("manca") ? radice.filePath(cartella) : radice.path();
    if (cartella == QLatin1String("sola lettura")) {
        QFile::setPermissions(percorso, QFile::ReadOwner | QFile::ExeOwner);
        if (QFile prova(radice.filePath(QStringLiteral("prova"))); prova.open(QIODevice::WriteOnly))
            QSKIP("this user writes in read-only folders (root)");
    }

    const QDateTime ieri = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch() - 24 * 3600);
    auto precedente = std::make_unique<Piattaforma::Istanza>(percorso);
    QProcess figlio;
    if (prima == QLatin1String("finita")) {
        QCOMPARE(precedente->Prendi(), Esito::Presa);
        precedente.reset();
    } else if (prima == QLatin1String("vuoto")) {
        // Created, its contents never reached the disk.
        QFile blocco(precedente->Percorso());
        QVERIFY(blocco.open(QIODevice::WriteOnly));
        blocco.close();
        precedente.reset();
    } else if (prima == QLatin1String("figlio")) {
        // A desktop program the station started, still open after the station has ended.
        QCOMPARE(precedente->Prendi(), Esito::Presa);
        figlio.start(QStringLiteral("sleep"), {QStringLiteral("30")});
        QVERIFY(figlio.waitForStarted());
        precedente.reset();
    } else if (prima == QLatin1String("in corso")) {
        QCOMPARE(precedente->Prendi(), Esito::Presa);
        if (altroUtente) {
            const auto lettura = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
            QVERIFY(QFile::setPermissions(percorso, lettura | QFile::WriteOwner | QFile::ExeOwner
                                                        | QFile::ExeGroup | QFile::ExeOther));
            QVERIFY(QFile::setPermissions(precedente->Percorso(), lettura));
        }
        QFile blocco(precedente->Percorso());
        QVERIFY(blocco.open(QIODevice::ReadOnly));
        QVERIFY(blocco.setFileTime(ieri, QFileDevice::FileModificationTime));
        // The folder unchanged since yesterday: a file made and removed again in it would show.
        const timespec tempi[2] = {{ieri.toSecsSinceEpoch(), 0}, {ieri.toSecsSinceEpoch(), 0}};
        QCOMPARE(utimensat(AT_FDCWD, QFile::encodeName(percorso).constData(), tempi, 0), 0);
    }

    Piattaforma::Istanza istanza(percorso);
    if (altroUtente) {
        QProcess altro;
        altro.start(QCoreApplication::applicationFilePath(), {QLatin1String(OpzioneAltroUtente), percorso});
        QVERIFY(altro.waitForFinished());
        QCOMPARE(altro.exitStatus(), QProcess::NormalExit);
        if (altro.exitCode() == NessunCambioUtente)
            QSKIP("root here cannot become another user");
        if (altro.exitCode() == BloccoScrivibile)
            QSKIP("this user writes read-only files");
        QCOMPARE(Esito(altro.exitCode()), atteso);
    } else {
        QCOMPARE(istanza.Prendi(), atteso);
    }
    if (atteso == Esito::Occupata) {
        QCOMPARE(QFileInfo(percorso).lastModified(), ieri);
        QCOMPARE(QFileInfo(istanza.Percorso()).lastModified(), ieri);
    }
    if (atteso == Esito::Impossibile)
        QVERIFY(!QFileInfo::exists(istanza.Percorso()));
    if (figlio.state() != QProcess::NotRunning) {
        figlio.kill();
        figlio.waitForFinished();
    }
}

int main(int argc, char* argv[])
{
    if (argc == 3 && qstrcmp(argv[1], OpzioneAltroUtente) == 0)
        return PrendiComeAltroUtente(QFile::decodeName(argv[2]));
    QCoreApplication app(argc, argv);
    TstIstanza t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_istanza.moc"
