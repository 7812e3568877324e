// The files the station replaces whole (the settings file, the chrono programme, the holidays,
// the recipe template) on a disk that refuses the write: each step of the replacement failing in
// turn, and a real full file system. Whatever fails, the writer says so, every file of the
// program folder stays byte for byte as it was, and no temporary file is left.
#include "cartellatemporanea.h"
#include "crono.h"
#include "discopiccolo.h"
#include "file_ini.h"
#include "filecrono.h"
#include "generale.h"
#include "ricetta.h"
#include "sostituzione.h"

#include <QDirIterator>
#include <QTest>

#include <map>

using Piattaforma::PassoSostituzione;

namespace {

enum class Scrittore { Impostazioni, Programma, Festivita, Modello };

// A settings file of the size the plant's was (11,077 bytes).
QByteArray impostazioni()
{
    QByteArray testo = "[Generale]\r\nZone=30\r\n";
    for (int z = 1; testo.size() < 11000; ++z)
        testo += QStringLiteral("\r\n[Zona %1]\r\nNome=Zona numero %1\r\nX=1000\r\nY=2000\r\nCronotermostato=0\r\n")
                     .arg(z, 2, 10, QLatin1Char('0'))
                     .toLatin1();
    return testo;
}

void prepara(const QString& cartella)
{
    Piattaforma::ImpostaCartellaProgramma(cartella);
    Generale::FileImpostazioni = QStringLiteral("Quelvar2.ini");
    const std::map<QString, QByteArray> file = {
        {QStringLiteral("Quelvar2.ini"), impostazioni()},
        {QStringLiteral("Crono/Cronotermostato.cts"), QByteArray("19,5\r\n").repeated(Crono::RigheFileCrono)},
        {QStringLiteral("Crono/Festivita.cts"), "25/12/2026\r\n"},
        {QStringLiteral("Ricetta/InvioDati.prg"), "[File]\r\nID = Quelvar\r\n; scritto a mano\r\n"},
    };
    for (const auto& [nome, contenuto] : file) {
        QDir(cartella).mkpath(QFileInfo(nome).path());
        QFile f(cartella + QLatin1Char('/') + nome);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(contenuto), contenuto.size());
    }
}

// What each writer changes; the settings row is the right-drag of a zone button, X then Y.
bool scrivi(Scrittore s)
{
    switch (s) {
    case Scrittore::Impostazioni: {
        const bool x = File_Ini::ScriviIni(QStringLiteral("Zona 29"), QStringLiteral("X"), QStringLiteral("3000"));
        const bool y = File_Ini::ScriviIni(QStringLiteral("Zona 29"), QStringLiteral("Y"), QStringLiteral("4005"));
        return x || y;
    }
    case Scrittore::Programma:
        for (auto& fascia : Generale::TabellaCrono)
            for (auto& zona : fascia)
                zona.fill(21.0f);
        Generale::CronoAttivoZona.fill(true);
        Crono::Festivita = QStringList{QStringLiteral("01/01/2027")};
        return File_Ini::SalvaCronotermostato();
    case Scrittore::Festivita:
        Crono::Festivita = QStringList{QStringLiteral("01/01/2027")};
        return File_Ini::SalvaFestivita();
    case Scrittore::Modello:
        return File_Ini::CreaRicetta();
    }
    return true;
}

// Every entry of the folder, hidden ones too, with its bytes.
std::map<QString, QByteArray> contenuto(const QString& cartella)
{
    std::map<QString, QByteArray> voci;
    QDirIterator it(cartella, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString percorso = it.next();
        QFile f(percorso);
        voci[QDir(cartella).relativeFilePath(percorso)] = it.fileInfo().isFile() && f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<cartella>");
    }
    return voci;
}

}  // namespace

Q_DECLARE_METATYPE(Scrittore)
Q_DECLARE_METATYPE(PassoSostituzione)

class TestFileRifiutati : public QObject {
    Q_OBJECT

    QByteArray path_ = qgetenv("PATH");

private slots:
    void init()
    {
        // No editor is started by the template: nothing is on the PATH.
        qputenv("PATH", "/nonexistent");
    }
    void cleanup()
    {
        Piattaforma::ImpostaGuastoSostituzione(nullptr);
        qputenv("PATH", path_);
    }

    void passoRifiutato_data();
    void passoRifiutato();
    void discoPieno_data();
    void discoPieno();
};

namespace {

constexpr std::pair<const char*, Scrittore> Scrittori[] = {{"impostazioni", Scrittore::Impostazioni},
                                                           {"programma crono", Scrittore::Programma},
                                                           {"festivita", Scrittore::Festivita},
                                                           {"modello ricetta", Scrittore::Modello}};

}  // namespace

void TestFileRifiutati::passoRifiutato_data()
{
    QTest::addColumn<Scrittore>("scrittore");
    QTest::addColumn<PassoSostituzione>("passo");
    const std::pair<const char*, PassoSostituzione> passi[] = {
        {"apertura", PassoSostituzione::Apertura},      {"scrittura a meta", PassoSostituzione::Scrittura},
        {"fsync", PassoSostituzione::Sincronizzazione}, {"dimensione", PassoSostituzione::Dimensione},
        {"chiusura", PassoSostituzione::Chiusura},      {"rinomina", PassoSostituzione::Rinomina}};
    for (const auto& [nomeScrittore, s] : Scrittori)
        for (const auto& [nomePasso, p] : passi)
            QTest::addRow("%s, %s", nomeScrittore, nomePasso) << s << p;
}

void TestFileRifiutati::passoRifiutato()
{
    QFETCH(Scrittore, scrittore);
    QFETCH(PassoSostituzione, passo);
    CartellaTemporanea cartella;
    prepara(cartella.percorso());
    const auto prima = contenuto(cartella.percorso());

    int chiesti = 0;
    Piattaforma::ImpostaGuastoSostituzione([&](PassoSostituzione p) {
        ++chiesti;
        return p == passo;
    });
    QVERIFY(!scrivi(scrittore));
    QVERIFY2(chiesti > 0, "the write did not go through the replacement");
    QCOMPARE(contenuto(cartella.percorso()), prima);

    // The same write goes through once the disk takes it.
    Piattaforma::ImpostaGuastoSostituzione(nullptr);
    QVERIFY(scrivi(scrittore));
    QVERIFY(contenuto(cartella.percorso()) != prima);
}

void TestFileRifiutati::discoPieno_data()
{
    QTest::addColumn<Scrittore>("scrittore");
    for (const auto& [nome, s] : Scrittori)
        QTest::newRow(nome) << s;
}

void TestFileRifiutati::discoPieno()
{
    QFETCH(Scrittore, scrittore);
    DiscoPiccolo disco(512);
    if (!disco.montato())
        QSKIP(qPrintable(QStringLiteral("no tmpfs can be mounted here (%1)").arg(disco.errore())));
    prepara(disco.percorso());
    disco.riempi();
    const auto prima = contenuto(disco.percorso());

    QVERIFY(!scrivi(scrittore));
    QCOMPARE(contenuto(disco.percorso()), prima);
    // Still refused with the file as it was: the failed write freed nothing.
    QVERIFY(!scrivi(scrittore));
    QCOMPARE(contenuto(disco.percorso()), prima);

    disco.libera();
    QVERIFY(scrivi(scrittore));
}

QTEST_GUILESS_MAIN(TestFileRifiutati)
#include "tst_file_rifiutati.moc"
