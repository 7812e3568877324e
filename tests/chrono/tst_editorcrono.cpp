// The editor's work on the week programme: intervals, copies, day-list rows, the values an
// operator may enter, and the clean-up of the holiday list.
#include "crono.h"
#include "editorcrono.h"

#include <QTest>

using namespace Generale;

class TestEditorCrono : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        for (auto& s : TabellaCrono)
            for (auto& z : s)
                z.fill(20.0f);
        CronoAttivoZona.fill(false);
        Crono::RiempiFasceOrarie();
    }

    void applicaIntervallo_data()
    {
        QTest::addColumn<QString>("da");
        QTest::addColumn<QString>("a");
        QTest::addColumn<float>("valore");
        QTest::addColumn<int>("prima");
        QTest::addColumn<int>("quante");
        QTest::newRow("whole day") << "00:00" << "24:00" << 18.5f << 0 << 97;
        QTest::newRow("last quarter and end of day") << "23:45" << "24:00" << 16.0f << 95 << 2;
        QTest::newRow("08:00 to 12:00, both ends") << "08:00" << "12:00" << 21.0f << 32 << 17;
        QTest::newRow("negative value") << "06:00" << "06:15" << -5.5f << 24 << 2;
    }
    void applicaIntervallo()
    {
        QFETCH(QString, da);
        QFETCH(QString, a);
        QFETCH(float, valore);
        QFETCH(int, prima);
        QFETCH(int, quante);
        const QList<int> fasce = Crono::ApplicaIntervallo(4, 2, *Crono::MinutiEtichetta(da), *Crono::MinutiEtichetta(a), valore);
        QCOMPARE(fasce.size(), quante);
        QCOMPARE(fasce.first(), prima);
        for (int s = 0; s < NumeroFasce; ++s) {
            const bool dentro = s >= prima && s < prima + quante;
            QCOMPARE(TabellaCrono[s][4][2], dentro ? valore : 20.0f);
        }
        QCOMPARE(TabellaCrono[prima][4][1], 20.0f);  // other day
        QCOMPARE(TabellaCrono[prima][3][2], 20.0f);  // other zone
        // The first "-" of a row is always the one after the time.
        const QString riga = Crono::RigaGiorno(prima, valore, Crono::FormaRiga::Editor);
        QCOMPARE(riga.left(8), FasceOrarie[prima] + QStringLiteral(" - "));
        QCOMPARE(riga.indexOf(QLatin1Char('-')), 6);
    }

    void fuoriTabellaNienteCambia()
    {
        QVERIFY(Crono::ApplicaIntervallo(-1, 0, 0, 1440, 5.0f).isEmpty());
        QVERIFY(Crono::ApplicaIntervallo(0, -1, 0, 1440, 5.0f).isEmpty());
        QVERIFY(Crono::ApplicaIntervallo(30, 7, 0, 1440, 5.0f).isEmpty());
        QVERIFY(Crono::RigheGiorno(-1, 0, Crono::FormaRiga::Editor).isEmpty());
        QVERIFY(!Crono::CopiaGiorno(-1, 0, 1));
        QVERIFY(!Crono::CopiaZona(0, -1));
        QCOMPARE(TabellaCrono[0][0][0], 20.0f);
    }

    void righe_data()
    {
        QTest::addColumn<float>("valore");
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("copia");
        QTest::newRow("5.5") << 5.5f << "24:00 - 5,5" << "24:00 - 05,5";
        QTest::newRow("20") << 20.0f << "24:00 - 20,0" << "24:00 - 20,0";
        QTest::newRow("-3") << -3.0f << "24:00 - -3,0" << "24:00 - -03,0";
    }
    void righe()
    {
        QFETCH(float, valore);
        QTEST(Crono::RigaGiorno(96, valore, Crono::FormaRiga::Editor), "editor");
        QTEST(Crono::RigaGiorno(96, valore, Crono::FormaRiga::Copia), "copia");
    }

    void temperatura_data()
    {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<int>("decimali");
        QTest::addColumn<bool>("valida");
        QTest::addColumn<float>("valore");
        QTest::newRow("comma") << "21,5" << 1 << true << 21.5f;
        QTest::newRow("point") << "21.5" << 1 << true << 21.5f;
        QTest::newRow("negative") << "-10,0" << 1 << true << -10.0f;
        QTest::newRow("largest with 1 decimal") << "3276,7" << 1 << true << 3276.7f;
        QTest::newRow("beyond 16 bits with 1 decimal") << "3276,8" << 1 << false << 0.0f;
        QTest::newRow("fits with 0 decimals") << "3276,8" << 0 << true << 3276.8f;
        QTest::newRow("not a number") << "venti" << 1 << false << 0.0f;
        QTest::newRow("empty") << "" << 1 << false << 0.0f;
        // The programme keeps what its file keeps: the nearest tenth, whatever the zone's decimals.
        QTest::newRow("two decimals, up to the tenth") << "21,25" << 2 << true << 21.3f;
        QTest::newRow("two decimals, down to the tenth") << "21,24" << 2 << true << 21.2f;
        QTest::newRow("negative, away from zero") << "-5,55" << 2 << true << -5.6f;
        QTest::newRow("three decimals, to the next whole") << "19,96" << 3 << true << 20.0f;
        QTest::newRow("the tenth beyond 16 bits") << "3276,75" << 1 << false << 0.0f;
        QTest::newRow("a cell of 1e9 in single precision") << "999999999,9" << 0 << false << 0.0f;
    }
    void temperatura()
    {
        QFETCH(QString, testo);
        QFETCH(int, decimali);
        QFETCH(bool, valida);
        QFETCH(float, valore);
        const auto t = Crono::TemperaturaValida(testo, decimali);
        QCOMPARE(t.has_value(), valida);
        if (valida)
            QCOMPARE(*t, valore);
    }

    void copie()
    {
        for (int s = 0; s < NumeroFasce; ++s)
            TabellaCrono[s][1][0] = 5.0f + s;
        QVERIFY(!Crono::CopiaGiorno(1, 0, 0));
        QVERIFY(Crono::CopiaGiorno(1, 0, 6));
        QCOMPARE(TabellaCrono[40][1][6], 45.0f);
        QCOMPARE(TabellaCrono[40][1][5], 20.0f);
        QVERIFY(!CronoAttivoZona[1]);

        CronoAttivoZona[1] = true;
        QVERIFY(!Crono::CopiaZona(1, 1));
        QVERIFY(Crono::CopiaZona(1, 7));
        QCOMPARE(TabellaCrono[96][7][0], 101.0f);
        QCOMPARE(TabellaCrono[96][7][6], 101.0f);
        QCOMPARE(TabellaCrono[96][7][3], 20.0f);
        QVERIFY(CronoAttivoZona[7]);
        QCOMPARE(TabellaCrono[96][6][0], 20.0f);
    }

    void ordinaFestivita_data()
    {
        QTest::addColumn<QStringList>("prima");
        QTest::addColumn<bool>("elimina");
        QTest::addColumn<QStringList>("dopo");
        const QStringList esempio{"25/12/2009", "01/01/2009", "06/01/2010", "25/12/2009"};
        QTest::newRow("yes: duplicates and past days go") << esempio << true << QStringList{"25/12/2009", "06/01/2010"};
        QTest::newRow("no: all kept in date order") << esempio << false
                                                     << QStringList{"01/01/2009", "25/12/2009", "25/12/2009", "06/01/2010"};
        QTest::newRow("empty") << QStringList{} << true << QStringList{};
        QTest::newRow("no: an item that is no date stays last") << QStringList{"Natale", "06/01/2010", "1/1/2010", "02/01/2010"}
                                                                << false
                                                                << QStringList{"02/01/2010", "06/01/2010", "Natale", "1/1/2010"};
        QTest::newRow("yes: an item that is no date goes") << QStringList{"Natale", "06/01/2010"} << true << QStringList{"06/01/2010"};
        QTest::newRow("yes: today stays, a day far ahead is kept") << QStringList{"01/01/2080", "01/12/2009", "01/01/2080"}
                                                                   << true << QStringList{"01/12/2009", "01/01/2080"};
    }
    void ordinaFestivita()
    {
        QFETCH(QStringList, prima);
        QFETCH(bool, elimina);
        QTEST(Crono::OrdinaFestivita(prima, QDate(2009, 12, 1), elimina), "dopo");
    }
};

QTEST_GUILESS_MAIN(TestEditorCrono)
#include "tst_editorcrono.moc"
