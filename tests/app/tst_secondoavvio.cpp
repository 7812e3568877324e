// A second start of the station in the folder of a running one (a double click on the launcher,
// a second session on the same desktop) is refused with its box before it reads or writes a file
// there, and ends once the box is closed; the first station goes on. A station killed outright
// does not hold its folder, and stations in two folders both run.
//
// The stations are the real executable, each copied with the demo plant into a program folder of
// its own and started from another working folder. The first runs offscreen; a second that is
// to be refused runs on Qt's VNC platform, so the test presses Enter on its box as an operator
// at its screen would.
#include "istanza.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QDirIterator>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <memory>

namespace {

const QStringList Impostazioni{QStringLiteral("Quelvar0.ini"), QStringLiteral("Quelvar1.ini")};

// A program folder with the executable and the demo plant.
std::unique_ptr<QTemporaryDir> CartellaProgramma()
{
    auto cartella = std::make_unique<QTemporaryDir>();
    QFile::copy(QStringLiteral(QUELVAR_ESEGUIBILE), cartella->filePath(QStringLiteral("quelvar")));
    for (const QFileInfo& file : QDir(QStringLiteral(QUELVAR_DEMO)).entryInfoList(QDir::Files)) {
        if (!file.fileName().startsWith(QLatin1String(Piattaforma::Istanza::NomeFile)))
            QFile::copy(file.filePath(), cartella->filePath(file.fileName()));
    }
    return cartella;
}

std::unique_ptr<QProcess> AvviaStazione(const QString& cartella, const QString& piattaforma)
{
    auto stazione = std::make_unique<QProcess>();
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), piattaforma);
    stazione->setProcessEnvironment(ambiente);
    stazione->setWorkingDirectory(QDir::tempPath());
    stazione->start(QDir(cartella).filePath(QStringLiteral("quelvar")), {});
    return stazione;
}

// The process that holds the folder's lock, 0 for none.
qint64 Titolare(const QString& cartella)
{
    QFile blocco(QDir(cartella).filePath(QLatin1String(Piattaforma::Istanza::NomeFile)));
    return blocco.open(QIODevice::ReadOnly) ? blocco.readLine().trimmed().toLongLong() : 0;
}

// Every entry of the folder, the folder itself included, with its size and last change.
QStringList Fotografia(const QString& cartella)
{
    QStringList voci;
    auto aggiungi = [&](const QFileInfo& voce) {
        voci << voce.filePath() + QLatin1Char(' ') + QString::number(voce.size()) + QLatin1Char(' ')
                    + voce.lastModified().toString(Qt::ISODateWithMs);
    };
    aggiungi(QFileInfo(cartella));
    QDirIterator it(cartella, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        aggiungi(it.fileInfo());
    }
    voci.sort();
    return voci;
}

quint16 PortaLibera()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return server.serverPort();
}

// The keyboard of a station on Qt's VNC platform: RFB 3.3, no authentication.
class TastieraVnc {
public:
    static constexpr quint32 Invio = 0xff0d;  // X keysym of Return

    bool collega(quint16 porta)
    {
        presa_.abort();
        presa_.connectToHost(QHostAddress::LocalHost, porta);
        if (!presa_.waitForConnected(200) || leggi(12).size() != 12)
            return false;
        presa_.write("RFB 003.003\n");
        if (leggi(4) != QByteArray("\0\0\0\1", 4))
            return false;
        presa_.write(QByteArray(1, '\1'));  // the desktop shared with other viewers
        const QByteArray inizio = leggi(24);
        if (inizio.size() != 24)
            return false;
        leggi(int(qFromBigEndian<quint32>(inizio.constData() + 20)));  // the desktop's name
        return true;
    }

    void premi(quint32 tasto)
    {
        for (char giu : {1, 0}) {
            char evento[8] = {4, giu, 0, 0};
            qToBigEndian(tasto, evento + 4);
            presa_.write(evento, sizeof evento);
        }
        presa_.waitForBytesWritten(200);
    }

private:
    QByteArray leggi(int n)
    {
        while (presa_.bytesAvailable() < n && presa_.waitForReadyRead(2000)) {
        }
        return presa_.read(n);
    }
    QTcpSocket presa_;
};

}  // namespace

class TstSecondoAvvio : public QObject {
    Q_OBJECT
private slots:
    void secondaStazione_data();
    void secondaStazione();
};

void TstSecondoAvvio::secondaStazione_data()
{
    QTest::addColumn<bool>("stessaCartella");
    QTest::addColumn<bool>("primaUccisa");  // with SIGKILL: its lock file stays behind
    QTest::addColumn<bool>("rifiutata");
    QTest::newRow("stessa cartella: rifiutata") << true << false << true;
    QTest::newRow("dopo una stazione uccisa: parte") << true << true << false;
    QTest::newRow("cartelle diverse: partono entrambe") << false << false << false;
}

void TstSecondoAvvio::secondaStazione()
{
    QFETCH(bool, stessaCartella);
    QFETCH(bool, primaUccisa);
    QFETCH(bool, rifiutata);

    const auto cartellaPrima = CartellaProgramma();
    const auto altraCartella = CartellaProgramma();
    const QString cartella = cartellaPrima->path();
    const QString cartellaSeconda = stessaCartella ? cartella : altraCartella->path();

    auto prima = AvviaStazione(cartella, QStringLiteral("offscreen"));
    QVERIFY(prima->waitForStarted());
    // Its load is over once it has written the holiday file, the last file of its start-up.
    QTRY_VERIFY(QFile::exists(QDir(cartella).filePath(QStringLiteral("Crono/Festivita.cts"))));
    if (primaUccisa) {
        prima->kill();
        QVERIFY(prima->waitForFinished());
        QVERIFY(Titolare(cartella) != 0);
    }

    if (!rifiutata) {
        auto seconda = AvviaStazione(cartellaSeconda, QStringLiteral("offscreen"));
        QVERIFY(seconda->waitForStarted());
        QTRY_COMPARE(Titolare(cartellaSeconda), seconda->processId());
        QCOMPARE(seconda->state(), QProcess::Running);
        if (!primaUccisa) {
            QCOMPARE(prima->state(), QProcess::Running);
            QCOMPARE(Titolare(cartella), prima->processId());
        }
        return;
    }

    // Settings last read a day ago: a read by the second station would show (on a file system
    // that records reads at all).
    const QDateTime ieri = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch() - 24 * 3600);
    for (const QString& nome : Impostazioni) {
        QFile file(QDir(cartella).filePath(nome));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.setFileTime(ieri, QFileDevice::FileAccessTime));
    }
    const QStringList prime = Fotografia(cartella);

    const quint16 porta = PortaLibera();
    auto seconda = AvviaStazione(cartellaSeconda, QStringLiteral("vnc:size=800x600:port=%1").arg(porta));
    QVERIFY(seconda->waitForStarted());
    TastieraVnc tastiera;
    QTRY_VERIFY(tastiera.collega(porta));
    QByteArray registro;
    QTRY_VERIFY((registro += seconda->readAllStandardError()).startsWith("Attenzione: ")
                || registro.contains("\nAttenzione: "));
    // The box waits for the operator; Enter closes it, once it has the keyboard.
    QVERIFY(!seconda->waitForFinished(300));
    for (QDeadlineTimer limite(5000); seconda->state() != QProcess::NotRunning && !limite.hasExpired();) {
        tastiera.premi(TastieraVnc::Invio);
        seconda->waitForFinished(100);
    }
    QCOMPARE(seconda->state(), QProcess::NotRunning);
    QCOMPARE(seconda->exitStatus(), QProcess::NormalExit);
    QVERIFY(seconda->exitCode() != 0);

    QCOMPARE(Fotografia(cartella), prime);
    for (const QString& nome : Impostazioni)
        QCOMPARE(QFileInfo(QDir(cartella).filePath(nome)).lastRead(), ieri);
    QCOMPARE(prima->state(), QProcess::Running);
    QCOMPARE(Titolare(cartella), prima->processId());
}

QTEST_GUILESS_MAIN(TstSecondoAvvio)
#include "tst_secondoavvio.moc"
