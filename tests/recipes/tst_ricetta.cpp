// Recipe files without a window: the template, the line split, the loading with every refusal
// that would otherwise stop a sending half-way, and the sending against a recording fake bus.
#include "cartellatemporanea.h"
#include "fintobus.h"
#include "modello.h"
#include "ricetta.h"

#include <QTest>
#include <QCoro/QCoroTask>

using namespace Generale;
using Ricette::RigaLista;

class TestRicetta : public QObject {
    Q_OBJECT

    std::unique_ptr<CartellaTemporanea> cartella;
    std::array<qint32, MaxZone> intervalli{};
    QByteArray path = qgetenv("PATH");

    // Zones 1 and 2 on nodes 1 and 2, zone 3 without a node.
    void impianto()
    {
        AzzeraModello();
        NumeroZone = 3;
        ConfiguraZona(0, 1, 0);
        ConfiguraZona(1, 2, 1);
        NomiZone[0] = QStringLiteral("Forno");
    }

    Ricette::Caricamento carica(const QByteArray& testo)
    {
        cartella->scrivi(QStringLiteral("Ricetta/prova.prg"), testo);
        return Ricette::CaricaRicetta(QStringLiteral("prova.prg"), Ricette::StadioScelta, intervalli);
    }

private slots:
    void init()
    {
        cartella = std::make_unique<CartellaTemporanea>();
        QDir(cartella->percorso()).mkpath(QStringLiteral("Ricetta"));
        // No desktop program is started by the tests: the PATH holds only what a test puts there.
        qputenv("PATH", cartella->percorso(QStringLiteral("bin")).toLocal8Bit());
        intervalli.fill(-7);
        impianto();
    }
    void cleanup()
    {
        qputenv("PATH", path);
        cartella.reset();
    }

    void modello()
    {
        const QByteArray t = File_Ini::ModelloRicetta();
        QVERIFY(t.startsWith("[File]\r\nID = Quelvar\r\n\r\n\r\n[Note]\r\n< Spazio dedicato alle note del cliente >\r\n"
                             "\r\n\r\n[Zona 01]\r\nIntervallo = 150\r\nLinee =0\r\n\r\n\r\n[Zona 02]\r\n"));
        QVERIFY(t.endsWith("Linee =0\r\n\r\n\r\n[Zona 30]\r\nIntervallo = 150\r\nLinee =0\r\n"));
        QCOMPARE(t.count("\r\n"), 8 + 29 * 5 + 3);
        QCOMPARE(t.count('\n'), t.count("\r\n"));
        QCOMPARE(t.count("Intervallo = 150\r\nLinee =0\r\n"), 30);

        // Written over a longer file, replaced whole; the editor gets the path as one argument.
        QDir().mkpath(cartella->percorso(QStringLiteral("bin")));
        QFile editor(cartella->percorso(QStringLiteral("bin/mousepad")));
        QVERIFY(editor.open(QIODevice::WriteOnly));
        editor.write("#!/bin/sh\necho \"$1\" > \"$0.tmp\"; /bin/mv \"$0.tmp\" \"$0.args\"\n");
        editor.close();
        editor.setPermissions(editor.permissions() | QFile::ExeOwner);
        cartella->scrivi(QStringLiteral("Ricetta/InvioDati.prg"), QByteArray(20000, 'x'));
        QVERIFY(File_Ini::CreaRicetta());
        QCOMPARE(cartella->leggi(QStringLiteral("Ricetta/InvioDati.prg")), t);
        QTRY_COMPARE(cartella->leggi(QStringLiteral("bin/mousepad.args")).trimmed(),
                     cartella->percorso(QStringLiteral("Ricetta/InvioDati.prg")).toLocal8Bit());

        // The template loads with the success message and no rows, whatever the zones.
        NumeroZone = 30;
        for (int z = 0; z < 30; ++z)
            ConfiguraZona(z, z + 1, 0);
        const auto esito = Ricette::CaricaRicetta(QStringLiteral("invIODATI.PRG"), Ricette::StadioScelta, intervalli);
        QCOMPARE(esito.stadio, int(Ricette::StadioCaricata));
        QVERIFY(esito.righe.isEmpty());
        QCOMPARE(intervalli[29], 150);

        // No folder Ricetta: nothing written, no editor.
        QVERIFY(QDir(cartella->percorso(QStringLiteral("Ricetta"))).removeRecursively());
        QFile::remove(cartella->percorso(QStringLiteral("bin/mousepad.args")));
        QVERIFY(!File_Ini::CreaRicetta());
        QVERIFY(!QFile::exists(cartella->percorso(QStringLiteral("Ricetta/InvioDati.prg"))));
    }

    void dividi_data()
    {
        QTest::addColumn<QString>("riga");
        QTest::addColumn<QStringList>("campi");  // empty: malformed
        QTest::newRow("separators inside the name") << "6,100,215;Set, point; B" << QStringList{"6", "100", "215", "Set, point; B"};
        QTest::newRow("blanks kept") << " 6, 100 ,2 ; x" << QStringList{" 6", " 100 ", "2 ", " x"};
        QTest::newRow("empty name") << "6,100,215;" << QStringList{"6", "100", "215", ""};
        QTest::newRow("value with a comma") << "6,100,21,5;x" << QStringList{"6", "100", "21,5", "x"};
        QTest::newRow("no ;") << "6,100,215" << QStringList{};
        QTest::newRow("; before the second comma") << "6,100;215" << QStringList{};
        QTest::newRow("empty") << "" << QStringList{};
    }
    void dividi()
    {
        QFETCH(QString, riga);
        QFETCH(QStringList, campi);
        const auto c = Ricette::DividiRiga(riga);
        QCOMPARE(c.has_value(), !campi.isEmpty());
        if (c)
            QCOMPARE((QStringList{c->Funzione, c->Registro, c->Valore, c->Nome}), campi);
    }

    // Zone 1 holds the line under test; zone 2 a good line after it.
    void caricamento_data()
    {
        QTest::addColumn<QByteArray>("id");
        QTest::addColumn<QByteArray>("zona1");
        QTest::addColumn<int>("stadio");
        QTest::addColumn<QString>("dove");
        QTest::addColumn<int>("righe");
        const QByteArray id = "Quelvar";
        auto riga = [](const char* r) { return QByteArray("Linee=1\r\n1=") + r + "\r\n"; };
        QTest::newRow("ID lower case, blanks") << QByteArray("  quelvar ") << riga("6,1,2;x") << -1 << "" << 2;
        QTest::newRow("ID with a blank inside") << QByteArray("Quel var") << riga("6,1,2;x") << 3 << "" << 0;
        QTest::newRow("no ID") << QByteArray() << riga("6,1,2;x") << 3 << "" << 0;
        QTest::newRow("lower-case sleep kept") << id << riga("0,sleep,abc;") << -1 << "" << 2;
        QTest::newRow("MSGBOX any style") << id << riga("0,MSGBOX, 5;Pronto?") << -1 << "" << 2;
        QTest::newRow("register 40000") << id << riga("6,100,40000;x") << -1 << "" << 2;
        QTest::newRow("coil 65280, no name") << id << riga("5,7,65280;") << -1 << "" << 2;
        QTest::newRow("Linee above its keys") << id << QByteArray("Linee=2\r\n1=6,1,2;x\r\n") << 4 << "Zona 01, linea 2" << 1;
        QTest::newRow("line without ;") << id << riga("6,1,2") << 4 << "Zona 01, linea 1" << 0;
        QTest::newRow("function code 7") << id << riga("7,1,2;x") << 4 << "Zona 01, linea 1" << 0;
        QTest::newRow("code 0 without a word") << id << riga("0,PAUSA,2;x") << 4 << "Zona 01, linea 1" << 0;
        QTest::newRow("coil value 2") << id << riga("5,7,2;x") << 4 << "Zona 01, linea 1" << 0;
        QTest::newRow("register above 32767") << id << riga("6,32768,2;x") << 4 << "Zona 01, linea 1" << 0;
        QTest::newRow("value above 16 bits") << id << riga("6,1,65536;x") << 4 << "Zona 01, linea 1" << 0;
        QTest::newRow("value not a number") << id << riga("6,1,12abc;x") << 4 << "Zona 01, linea 1" << 0;
        QTest::newRow("value empty") << id << riga("6,1,;x") << 4 << "Zona 01, linea 1" << 0;
        QTest::newRow("SLEEP not a number") << id << riga("0,SLEEP,x;") << 4 << "Zona 01, linea 1" << 0;
        QTest::newRow("SLEEP negative") << id << riga("0,SLEEP,-1;") << 4 << "Zona 01, linea 1" << 0;
        QTest::newRow("SLEEP above 10 minutes") << id << riga("0,SLEEP,600001;") << 4 << "Zona 01, linea 1" << 0;
        QTest::newRow("Intervallo negative") << id << QByteArray("Intervallo=-5\r\n") << 4 << "Zona 01, Intervallo" << 0;
        QTest::newRow("Intervallo not a number") << id << QByteArray("Intervallo=1s\r\n") << 4 << "Zona 01, Intervallo" << 0;
        QTest::newRow("Linee not a number") << id << QByteArray("Linee=x\r\n") << 4 << "Zona 01, Linee" << 0;
        // Recipes write plain decimals: a number with an exponent is refused as "12abc" is.
        QTest::newRow("value 1e3") << id << riga("6,1,1e3;x") << 4 << "Zona 01, linea 1" << 0;
        QTest::newRow("value 2E2") << id << riga("6,1,2E2;x") << 4 << "Zona 01, linea 1" << 0;
        QTest::newRow("value 2.5e1") << id << riga("6,1,2.5e1;x") << 4 << "Zona 01, linea 1" << 0;
        QTest::newRow("register 1e2") << id << riga("6,1e2,5;x") << 4 << "Zona 01, linea 1" << 0;
        QTest::newRow("coil value 1e0") << id << riga("5,7,1e0;x") << 4 << "Zona 01, linea 1" << 0;
        QTest::newRow("SLEEP 5e2") << id << riga("0,SLEEP,5e2;") << 4 << "Zona 01, linea 1" << 0;
        QTest::newRow("Intervallo 1e2") << id << QByteArray("Intervallo=1e2\r\n") << 4 << "Zona 01, Intervallo" << 0;
        QTest::newRow("Linee 1e0") << id << QByteArray("Linee=1e0\r\n1=6,1,2;x\r\n") << 4 << "Zona 01, Linee" << 0;
        // A zone's keys are found as every settings read finds them, in a zone of any length.
        QTest::newRow("keys in any case, the first line of a number wins")
            << id << QByteArray("LINEE=2\r\n1=6,1,2;x\r\n1=7,1,2;x\r\n 2 = \"0,SLEEP,5;\" \r\n") << -1 << "" << 3;
        QTest::newRow("line 01 is not line 1") << id << QByteArray("Linee=1\r\n01=6,1,2;x\r\n") << 4 << "Zona 01, linea 1" << 0;
        QTest::newRow("a line in a second Zona 01 is not read")
            << id << QByteArray("Linee=1\r\n[ZONA 01]\r\n1=6,1,2;x\r\n") << 4 << "Zona 01, linea 1" << 0;
        QByteArray lunga = "Linee=5000\r\n";
        for (int j = 1; j <= 5000; ++j)
            lunga += QByteArray::number(j) + (j == 4000 ? QByteArray("=6,1;x") : "=6," + QByteArray::number(j) + ",1;x") + "\r\n";
        QTest::newRow("a zone of 5,000 lines refused at line 4,000") << id << lunga << 4 << "Zona 01, linea 4000" << 3999;
    }
    void caricamento()
    {
        QFETCH(QByteArray, id);
        QFETCH(QByteArray, zona1);
        QFETCH(int, stadio);
        QFETCH(QString, dove);
        QFETCH(int, righe);
        // Zone 3 has no node: its lines could not be sent, but it has none. Zone 4 is not in use.
        const QByteArray intervallo = zona1.startsWith("Intervallo") ? "" : "Intervallo=150\r\n";
        const auto esito = carica("[File]\r\nID = " + id + "\r\n[Zona 01]\r\n" + intervallo + zona1 +
                                  "[Zona 02]\r\nLinee=1\r\n1=6,9,-25536;Nome\r\n[Zona 04]\r\nLinee=1\r\n1=x\r\n");
        QCOMPARE(esito.stadio, stadio);
        QCOMPARE(esito.dove, dove);
        QCOMPARE(esito.righe.size(), righe);
        if (stadio == 4)
            QCOMPARE(intervalli[0], zona1.startsWith("Intervallo") ? -7 : 150);
        if (stadio == -1) {
            QCOMPARE(intervalli[1], 200);  // the reader's default
            const RigaLista& r = esito.righe.last();
            QCOMPARE((QStringList{r.nDev, r.Dev, r.Sadd, r.FC, r.MB, r.MBVal, r.NomePar}),
                     (QStringList{"2", "Zona 02", "2", "6", "9", "-25536", "Nome"}));
            QCOMPARE(esito.righe[0].Dev, QStringLiteral("Forno"));
        }
    }

    void nodoNonConfigurato()
    {
        const auto esito = carica("[File]\r\nID=QUELVAR\r\n[Zona 03]\r\nLinee=1\r\n1=6,1,2;x\r\n");
        QCOMPARE(esito.stadio, int(Ricette::StadioContenuto));
        QCOMPARE(esito.dove, QStringLiteral("Zona 03, linea 1"));
        QCOMPARE(Ricette::MessaggioCaricamento(esito).testo,
                 QStringLiteral("Il file prova.prg è errato o mancante.\rZona 03, linea 1"));
    }

    // Rows "zone|fc|register|value|name" on nodes 1 and 2 (zones 1 and 2, pauses 150 and 300).
    // `eco` replaces the echo of write n (1-based): "x" no answer, a number a wrong echo.
    void invio_data()
    {
        QTest::addColumn<QStringList>("righe");
        QTest::addColumn<QString>("eco");
        QTest::addColumn<QList<int>>("risposte");  // 1 OK, 0 Cancel for the MSGBOX rows
        QTest::addColumn<bool>("riuscito");
        QTest::addColumn<QStringList>("scritture");
        QTest::addColumn<QList<int>>("pause");
        const QStringList cinque = {"1|6|100|215|SP", "1|0|SLEEP|500|", "1|0|MSGBOX|4|", "1|5|7|1|Bobina",
                                    "2|6|200|40000|Alto"};
        QTest::newRow("all rows, pauses after writes only")
            << cinque << "" << QList<int>{1} << true
            << QStringList{"S6,100=215@1", "S5,7=65280@1", "S6,200=40000@2"} << QList<int>{150, 500, 150, 300, 200};
        QTest::newRow("MSGBOX Cancel") << cinque << "" << QList<int>{0} << false << QStringList{"S6,100=215@1"}
                                       << QList<int>{150, 500};
        QTest::newRow("wrong echo at the second write")
            << cinque << "2=0" << QList<int>{1} << false << QStringList{"S6,100=215@1", "S5,7=65280@1"}
            << QList<int>{150, 500};
        QTest::newRow("no answer looks like nothing") << QStringList{"1|6|1|31073|", "1|6|2|1|"} << "1=x" << QList<int>{}
                                                      << false << QStringList{"S6,1=31073@1"} << QList<int>{};
        QTest::newRow("refused row 3 of 5: nothing written")
            << QStringList{"1|6|1|1|", "1|6|2|2|", "1|5|3|2|", "1|6|4|4|", "1|6|5|5|"} << "" << QList<int>{} << false
            << QStringList{} << QList<int>{};
        QTest::newRow("exponent in row 2 of 3: nothing written")
            << QStringList{"1|6|1|1|", "1|6|2|1e3|", "1|6|3|3|"} << "" << QList<int>{} << false << QStringList{}
            << QList<int>{};
        QTest::newRow("exponent in a SLEEP: nothing written")
            << QStringList{"1|6|1|1|", "1|0|SLEEP|1E3|"} << "" << QList<int>{} << false << QStringList{} << QList<int>{};
        QTest::newRow("mixed-case SLEEP skipped") << QStringList{"1|0|Sleep|900|"} << "" << QList<int>{} << true
                                                  << QStringList{} << QList<int>{200};
    }
    void invio()
    {
        QFETCH(QStringList, righe);
        QFETCH(QString, eco);
        QFETCH(QList<int>, risposte);
        QFETCH(bool, riuscito);
        QFETCH(QStringList, scritture);
        QFETCH(QList<int>, pause);
        intervalli.fill(0);
        intervalli[0] = 150;
        intervalli[1] = 300;
        QList<RigaLista> lista;
        for (const QString& r : righe) {
            const QStringList c = r.split(QLatin1Char('|'));
            lista.append({c[0], QString(), c[0], c[1], c[2], c[3], c[4]});
        }
        FintoBus bus;
        if (!eco.isEmpty()) {
            const int n = eco.section(QLatin1Char('='), 0, 0).toInt();
            const QString e = eco.section(QLatin1Char('='), 1);
            bus.eco = [&bus, n, e](int, int, long valore, int) {
                if (bus.traffico.size() != n)
                    return (valore & 0xFFFF) >= 0x8000 ? (valore & 0xFFFF) - 0x10000 : valore;
                return e == QLatin1String("x") ? long(ValoreAssente) : e.toLong();
            };
        }
        QList<int> fatte;
        QStringList percentuali, messaggi;
        Ricette::ServiziInvio s;
        s.Pausa = [&](int ms) { fatte << ms; };
        s.Avanzamento = [&](int, int, const QString& p) { percentuali << p; };
        s.Messaggio = [&](const QString& testo, const QString&) {
            messaggi << testo;
            return risposte.takeFirst() == 1;
        };
        QCOMPARE(QCoro::waitFor(Ricette::InviaRighe(lista, intervalli, s)), riuscito);
        QCOMPARE(bus.traffico, scritture);
        QCOMPARE(fatte, pause);
        if (QTest::currentDataTag() == QLatin1String("all rows, pauses after writes only")) {
            QCOMPARE(percentuali, (QStringList{"0%", "16%", "33%", "50%", "66%", "83%", "100%"}));
            QCOMPARE(messaggi, QStringList{Ricette::TestoMessaggioVuoto});
        }
    }

    void percentuale()
    {
        QCOMPARE((QList<int>{Ricette::Percentuale(1, 4), Ricette::Percentuale(2, 4), Ricette::Percentuale(3, 4),
                             Ricette::Percentuale(1, 2)}),
                 (QList<int>{25, 50, 75, 50}));
        QCOMPARE(Ricette::StileDa(QStringLiteral("5")).icona, Ricette::StileMessaggio::Esclamazione);
        QVERIFY(Ricette::StileDa(QStringLiteral("5")).annulla);
        QCOMPARE(Ricette::StileDa(QStringLiteral(" 5")).icona, Ricette::StileMessaggio::Stop);
        QVERIFY(!Ricette::StileDa(QStringLiteral(" 5")).annulla);
    }
};

QTEST_GUILESS_MAIN(TestRicetta)
#include "tst_ricetta.moc"
