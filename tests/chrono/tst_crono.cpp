// The chrono files in a real program folder, and the day and slot a moment runs.
#include "cartellatemporanea.h"
#include "crono.h"
#include "discopiccolo.h"
#include "file_ini.h"
#include "filecrono.h"

#include <QTest>

using namespace Generale;

class TestCrono : public QObject {
    Q_OBJECT

    void tabella20()
    {
        for (auto& s : TabellaCrono)
            for (auto& z : s)
                z.fill(20.0f);
    }

private slots:
    void init()
    {
        tabella20();
        Crono::Festivita.clear();
        Crono::RiempiFasceOrarie();
    }

    void fasceOrarie()
    {
        QCOMPARE(FasceOrarie[0], QStringLiteral("00:00"));
        QCOMPARE(FasceOrarie[1], QStringLiteral("00:15"));
        QCOMPARE(FasceOrarie[32], QStringLiteral("08:00"));
        QCOMPARE(FasceOrarie[95], QStringLiteral("23:45"));
        QCOMPARE(FasceOrarie[96], QStringLiteral("24:00"));
    }

    void giornoEFascia_data()
    {
        QTest::addColumn<QDateTime>("momento");
        QTest::addColumn<QStringList>("festivita");
        QTest::addColumn<int>("fascia");
        QTest::addColumn<int>("giorno");
        QTest::newRow("Monday 00:00") << QDateTime(QDate(2026, 12, 7), QTime(0, 0)) << QStringList{} << 0 << 0;
        QTest::newRow("Wednesday 08:14") << QDateTime(QDate(2026, 12, 9), QTime(8, 14)) << QStringList{} << 32 << 2;
        QTest::newRow("Saturday 23:59:59") << QDateTime(QDate(2026, 12, 12), QTime(23, 59, 59)) << QStringList{} << 95 << 5;
        QTest::newRow("holiday Monday") << QDateTime(QDate(2026, 12, 7), QTime(9, 30)) << QStringList{"07/12/2026"} << 38 << 6;
        QTest::newRow("one-digit day never matches") << QDateTime(QDate(2026, 12, 7), QTime(9, 30)) << QStringList{"7/12/2026"} << 38 << 0;
        QTest::newRow("text that is no date") << QDateTime(QDate(2026, 12, 7), QTime(9, 30)) << QStringList{"Natale"} << 38 << 0;
    }
    void giornoEFascia()
    {
        QFETCH(QDateTime, momento);
        QFETCH(QStringList, festivita);
        Crono::Festivita = festivita;
        const auto casella = Crono::CasellaAttiva(momento);
        QVERIFY(casella);
        QTEST(casella->fascia, "fascia");
        QTEST(casella->giorno, "giorno");
    }

    void senzaEtichetteNessunaFascia()
    {
        FasceOrarie.fill(QString());
        QVERIFY(!Crono::CasellaAttiva(QDateTime(QDate(2026, 12, 7), QTime(9, 30))));
    }

    void testoCella_data()
    {
        QTest::addColumn<float>("valore");
        QTest::addColumn<QString>("testo");
        QTest::newRow("20") << 20.0f << "20,0";
        QTest::newRow("5.5") << 5.5f << "05,5";
        QTest::newRow("-3") << -3.0f << "-03,0";
        QTest::newRow("105.25 to the nearest tenth") << 105.25f << "105,3";
        QTest::newRow("0.04") << 0.04f << "00,0";
        QTest::newRow("21.45, stored as 21.4500008") << 21.45f << "21,5";
    }
    void testoCella()
    {
        QFETCH(float, valore);
        QTEST(Crono::TestoCella(valore), "testo");
    }

    // First start with an empty Crono folder: both files are created with their defaults.
    void primoAvvio()
    {
        CartellaTemporanea cartella;
        QDir(cartella.percorso()).mkpath(QStringLiteral("Crono"));
        TabellaCrono[5][5][5] = 99.0f;
        File_Ini::CaricaCronotermostato();
        const QByteArray tabella = cartella.leggi(QStringLiteral("Crono/Cronotermostato.cts"));
        QCOMPARE(tabella.count("\r\n"), 20370);
        QCOMPARE(tabella, QByteArray("20,0\r\n").repeated(20370));
        QCOMPARE(cartella.leggi(QStringLiteral("Crono/Festivita.cts")), QByteArray(" \r\n"));
        QCOMPARE(TabellaCrono[5][5][5], 20.0f);
        QVERIFY(Crono::Festivita.isEmpty());
    }

    void salvaERileggi()
    {
        CartellaTemporanea cartella;
        QDir(cartella.percorso()).mkpath(QStringLiteral("Crono"));
        cartella.scrivi(QStringLiteral("Quelvar2.ini"), "[Zona 01]\r\nCronotermostato=0\r\n");
        FileImpostazioni = QStringLiteral("Quelvar2.ini");
        TabellaCrono[32][4][2] = 21.5f;
        TabellaCrono[96][29][6] = -3.0f;
        Crono::Festivita = QStringList{"25/12/2026", "01/01/2027"};
        CronoAttivoZona.fill(false);
        CronoAttivoZona[0] = CronoAttivoZona[29] = true;
        QVERIFY(File_Ini::SalvaCronotermostato());
        const QList<QByteArray> righe = cartella.leggi(QStringLiteral("Crono/Cronotermostato.cts")).split('\n');
        QCOMPARE(righe.at(Crono::RigaFileCrono(32, 4, 2)), QByteArray("21,5\r"));
        QCOMPARE(Crono::RigaFileCrono(32, 4, 2), 6750);
        QCOMPARE(righe.at(20369), QByteArray("-03,0\r"));
        QCOMPARE(cartella.leggi(QStringLiteral("Crono/Festivita.cts")), QByteArray("25/12/2026\r\n01/01/2027\r\n"));
        QCOMPARE(File_Ini::LeggiIni(QStringLiteral("Zona 01"), QStringLiteral("Cronotermostato"), QString()), QStringLiteral("1"));
        QCOMPARE(File_Ini::LeggiIni(QStringLiteral("Zona 02"), QStringLiteral("Cronotermostato"), QString()), QStringLiteral("0"));
        QCOMPARE(File_Ini::LeggiIni(QStringLiteral("Zona 30"), QStringLiteral("Cronotermostato"), QString()), QStringLiteral("1"));

        tabella20();
        Crono::Festivita.clear();
        File_Ini::CaricaCronotermostato();
        QCOMPARE(TabellaCrono[32][4][2], 21.5f);
        QCOMPARE(TabellaCrono[96][29][6], -3.0f);
        QCOMPARE(Crono::Festivita, QStringList({"25/12/2026", "01/01/2027"}));
    }

    void festivitaVuota()
    {
        CartellaTemporanea cartella;
        QDir(cartella.percorso()).mkpath(QStringLiteral("Crono"));
        QVERIFY(File_Ini::SalvaFestivita());
        QCOMPARE(cartella.leggi(QStringLiteral("Crono/Festivita.cts")), QByteArray("          \r\n"));
        Crono::Festivita = QStringList{"x"};
        File_Ini::CaricaCronotermostato();
        QVERIFY(Crono::Festivita.isEmpty());
    }

    // Files written by hand or elsewhere: either separator, LF endings, blank and padded holiday
    // lines, a line that is no number, and a file that ends early.
    void fileScrittiAMano()
    {
        CartellaTemporanea cartella;
        cartella.scrivi(QStringLiteral("Crono/Cronotermostato.cts"), "21.5\n19,5\r\nabc\n18\n1e39\n");
        cartella.scrivi(QStringLiteral("Crono/Festivita.cts"), "  25/12/2026  \r\n\r\n   \n06/01/2027");
        TabellaCrono[0][0][2] = 7.0f;
        TabellaCrono[96][29][6] = 8.0f;
        File_Ini::CaricaCronotermostato();
        QCOMPARE(TabellaCrono[0][0][0], 21.5f);
        QCOMPARE(TabellaCrono[0][0][1], 19.5f);
        QCOMPARE(TabellaCrono[0][0][2], 7.0f);   // not a number: the cell keeps its value
        QCOMPARE(TabellaCrono[0][0][3], 18.0f);
        QCOMPARE(TabellaCrono[0][0][4], 20.0f);  // beyond any temperature a cell holds: kept
        QCOMPARE(TabellaCrono[0][0][5], 20.0f);  // past the end: kept
        QCOMPARE(TabellaCrono[96][29][6], 8.0f);
        QCOMPARE(Crono::Festivita, QStringList({"25/12/2026", "06/01/2027"}));
    }

    // A value typed into the programme file is taken only when the file can give it back: the
    // cell is single precision, where 999999999,9 is 1e9, which a save would write as
    // "1000000000,0" and the next load refuse, so the cell would change by itself at the next
    // start. What a load takes, a save and a load give back; what it refuses leaves the cell.
    void cellaScrittaAMano_data()
    {
        QTest::addColumn<QByteArray>("riga");
        QTest::addColumn<float>("cella");
        QTest::newRow("temperature") << QByteArray("21,5") << 21.5f;
        QTest::newRow("largest a cell holds below 1e9") << QByteArray("999999936") << 999999936.0f;
        QTest::newRow("down to it in single precision") << QByteArray("999999967,9") << 999999936.0f;
        QTest::newRow("up to 1e9 in single precision") << QByteArray("999999999,9") << 7.0f;
        QTest::newRow("negative, down to -1e9") << QByteArray("-999999999.9") << 7.0f;
        QTest::newRow("halfway, to the even 1e9") << QByteArray("999999968") << 7.0f;
        QTest::newRow("1e9") << QByteArray("1000000000,0") << 7.0f;
    }
    void cellaScrittaAMano()
    {
        QFETCH(QByteArray, riga);
        QFETCH(float, cella);
        CartellaTemporanea cartella;
        cartella.scrivi(QStringLiteral("Quelvar2.ini"), "[Zona 01]\r\nCronotermostato=0\r\n");
        FileImpostazioni = QStringLiteral("Quelvar2.ini");
        cartella.scrivi(QStringLiteral("Crono/Cronotermostato.cts"), riga + "\r\n");
        TabellaCrono[0][0][0] = 7.0f;
        File_Ini::CaricaCronotermostato();
        QCOMPARE(TabellaCrono[0][0][0], cella);
        QVERIFY(File_Ini::SalvaCronotermostato());
        TabellaCrono[0][0][0] = 5.0f;
        File_Ini::CaricaCronotermostato();
        QCOMPARE(TabellaCrono[0][0][0], cella);
    }

    // A list saved by an editor that writes UTF-8 starts with a byte-order mark: it is not part of
    // the first day (or the first cell), so Christmas still runs Sunday's programme.
    void marcaUtf8_data()
    {
        QTest::addColumn<QByteArray>("festivita");
        QTest::addColumn<QByteArray>("programma");
        QTest::addColumn<QStringList>("giorni");
        QTest::addColumn<float>("primaCella");
        const QByteArray marca = "\xEF\xBB\xBF";
        QTest::newRow("holidays, CRLF") << marca + "25/12/2026\r\n06/01/2027\r\n" << QByteArray("21,5\r\n")
                                        << QStringList{"25/12/2026", "06/01/2027"} << 21.5f;
        QTest::newRow("holidays, LF, blanks after the mark") << marca + "  25/12/2026\n" << QByteArray("21,5\n")
                                                             << QStringList{"25/12/2026"} << 21.5f;
        QTest::newRow("holidays, the mark alone on the first line") << marca + "\r\n25/12/2026\r\n" << QByteArray("21,5\r\n")
                                                                    << QStringList{"25/12/2026"} << 21.5f;
        QTest::newRow("programme") << QByteArray("25/12/2026\r\n") << marca + "21,5\r\n19,5\r\n"
                                   << QStringList{"25/12/2026"} << 21.5f;
    }
    void marcaUtf8()
    {
        QFETCH(QByteArray, festivita);
        QFETCH(QByteArray, programma);
        QFETCH(QStringList, giorni);
        CartellaTemporanea cartella;
        cartella.scrivi(QStringLiteral("Crono/Festivita.cts"), festivita);
        cartella.scrivi(QStringLiteral("Crono/Cronotermostato.cts"), programma);
        TabellaCrono[0][0][0] = 7.0f;
        File_Ini::CaricaCronotermostato();
        QCOMPARE(Crono::Festivita, giorni);
        QTEST(TabellaCrono[0][0][0], "primaCella");
        QCOMPARE(Crono::Giorno(QDate(2026, 12, 25)), Crono::Domenica);  // a Friday
    }

    void festivitaIlleggibile()
    {
        CartellaTemporanea cartella;
        QDir(cartella.percorso()).mkpath(QStringLiteral("Crono/Festivita.cts"));  // a folder: cannot be read
        Crono::Festivita = QStringList{"01/01/2000"};
        File_Ini::CaricaCronotermostato();
        QVERIFY(Crono::Festivita.isEmpty());
    }

    // The settings file refuses the 30 use flags: the save says it failed, and the file stays
    // as it was.
    void usoRifiutato()
    {
        CartellaTemporanea cartella;
        QDir(cartella.percorso()).mkpath(QStringLiteral("Crono"));
        const QByteArray impostazioni = "[Zona 01]\r\nCronotermostato=0\r\n";
        cartella.scrivi(QStringLiteral("Quelvar2.ini"), impostazioni);
        QVERIFY(QFile::setPermissions(cartella.percorso(QStringLiteral("Quelvar2.ini")), QFile::ReadOwner));
        FileImpostazioni = QStringLiteral("Quelvar2.ini");
        CronoAttivoZona.fill(true);
        QVERIFY(!File_Ini::SalvaCronotermostato());
        QCOMPARE(cartella.leggi(QStringLiteral("Quelvar2.ini")), impostazioni);
    }

    // A save replaces the file whole: when it cannot, the old file stays as it was, and the save
    // says so. A full disk refuses root too; a folder without write permission only others.
    void salvataggioFallitoLasciaIlVecchio_data()
    {
        QTest::addColumn<bool>("discoPieno");
        QTest::addColumn<bool>("programma");  // the whole save; otherwise the holidays alone
        QTest::newRow("full disk, holidays") << true << false;
        QTest::newRow("full disk, programme") << true << true;
        QTest::newRow("read-only folder, holidays") << false << false;
        QTest::newRow("read-only folder, programme") << false << true;
    }
    void salvataggioFallitoLasciaIlVecchio()
    {
        QFETCH(bool, discoPieno);
        QFETCH(bool, programma);
        const QByteArray tabella = QByteArray("19,5\r\n").repeated(Crono::RigheFileCrono);
        const QByteArray festivita = "25/12/2026\r\n";
        const QByteArray impostazioni = "[Zona 01]\r\nCronotermostato=0\r\n";
        auto scrivi = [](const QString& percorso, const QByteArray& contenuto) {
            QFile f(percorso);
            return f.open(QIODevice::WriteOnly) && f.write(contenuto) == contenuto.size() && f.flush();
        };
        auto leggi = [](const QString& percorso) {
            QFile f(percorso);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<nessun file>");
        };

        // The whole program folder on a disk of its own: the files are there before it fills.
        const CartellaDiProva prova(discoPieno, 256);
        if (!prova.errore().isEmpty())
            QSKIP(qPrintable(prova.errore()));
        const QString cartella = prova.percorso();
        const DiscoPiccolo* disco = prova.disco();
        const QString crono = cartella + QStringLiteral("/Crono");
        QVERIFY(QDir().mkpath(crono));
        QVERIFY(scrivi(crono + QStringLiteral("/Cronotermostato.cts"), tabella));
        QVERIFY(scrivi(crono + QStringLiteral("/Festivita.cts"), festivita));
        QVERIFY(scrivi(cartella + QStringLiteral("/Quelvar2.ini"), impostazioni));
        FileImpostazioni = QStringLiteral("Quelvar2.ini");
        if (discoPieno)
            disco->riempi();
        else
            QFile::setPermissions(crono, QFile::ReadOwner | QFile::ExeOwner);

        Crono::Festivita = QStringList{"01/01/2027"};
        TabellaCrono[0][0][0] = 22.0f;
        CronoAttivoZona.fill(true);
        const bool riuscito = programma ? File_Ini::SalvaCronotermostato() : File_Ini::SalvaFestivita();
        if (!discoPieno) {
            QFile::setPermissions(crono, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            if (riuscito)
                QSKIP("running with rights that ignore folder permissions: the full disk rows stand for it");
        } else {
            disco->libera();
        }
        QVERIFY(!riuscito);
        QCOMPARE(leggi(crono + QStringLiteral("/Cronotermostato.cts")), tabella);
        QCOMPARE(leggi(crono + QStringLiteral("/Festivita.cts")), festivita);
        QCOMPARE(leggi(cartella + QStringLiteral("/Quelvar2.ini")), impostazioni);
        QCOMPARE(QDir(crono).entryList(QDir::Files | QDir::Hidden).size(), 2);  // no temporary file left
    }
};

QTEST_GUILESS_MAIN(TestCrono)
#include "tst_crono.moc"
