// The operator commands: echo checks, the door pulse, the refusal without rights and the set-value command.
#include "../fieldbus/portafinta.h"
#include "comandi.h"
#include "fintobus.h"
#include "modello.h"

#include <QTest>

using namespace Generale;
using Acquisizione::GanciAttivi;
using Acquisizione::IconaInterruttore;
using Acquisizione::Puntatore;

Q_DECLARE_METATYPE(Acquisizione::IconaInterruttore)

class TestComandi : public QObject {
    Q_OBJECT

    FintoBus* bus = nullptr;
    QStringList avvisi, pannello3, pannello4, righe;
    QList<int> pause;
    QList<Puntatore> puntatori;
    QList<std::pair<int, IconaInterruttore>> icone;

    void interruttore(int i, int funzione, int valoreOn, int valoreOff)
    {
        auto& w = MappaScritturaInterruttori[i];
        w[Nodo] = 4; w[Decimali] = 0;
        w[FunzioneON] = std::int16_t(funzione); w[RegistroON] = 10;
        w[FunzioneOFF] = std::int16_t(funzione); w[RegistroOFF] = 11;
        w[ValoreON] = std::int16_t(valoreOn); w[ValoreOFF] = std::int16_t(valoreOff);
    }

private slots:
    void init()
    {
        AzzeraModello();
        bus = new FintoBus;
        avvisi.clear(); pannello3.clear(); pannello4.clear(); righe.clear(); pause.clear(); puntatori.clear(); icone.clear();
        auto& g = GanciAttivi();
        g.Avviso = [this](const QString& titolo, const QString& testo) { avvisi << titolo + "|" + testo; };
        g.Pannello3 = [this](const QString& t) { pannello3 << t; };
        g.Pannello4 = [this](const QString& t) { pannello4 << t; };
        g.Pausa = [this](int ms) { pause << ms; };
        g.ImpostaPuntatore = [this](Puntatore p) { puntatori << p; };
        g.MostraInterruttore = [this](int i, IconaInterruttore c) { icone.append({i, c}); };
        g.TestoRigaZona = [this](int riga, const QString& t) { righe << QString::number(riga) + "=" + t; };
    }
    void cleanup() { delete bus; }

    // Echo check of a switch command, with the instrument's and the simulation's echoes.
    void ecoInterruttore_data()
    {
        QTest::addColumn<int>("funzione");
        QTest::addColumn<int>("valore");  // as stored (a coil ON is stored as 1)
        QTest::addColumn<QString>("scritto");
        QTest::addColumn<long>("eco");
        QTest::addColumn<bool>("reale");
        QTest::addColumn<bool>("buono");
        QTest::newRow("register, echo equal") << 6 << 300 << "S6,10=300@4" << 300L << true << true;
        QTest::newRow("register, echo different") << 6 << 300 << "S6,10=300@4" << 299L << true << false;
        QTest::newRow("register, no answer") << 6 << 300 << "S6,10=300@4" << long(ValoreAssente) << true << false;
        QTest::newRow("coil ON, instrument echo -256") << 5 << 1 << "S5,10=65280@4" << -256L << true << true;
        QTest::newRow("coil ON, echo 65280 from an instrument") << 5 << 1 << "S5,10=65280@4" << 65280L << true << false;
        QTest::newRow("coil ON, echo 65280 in simulation") << 5 << 1 << "S5,10=65280@4" << 65280L << false << true;
        QTest::newRow("coil ON, echo 0") << 5 << 1 << "S5,10=65280@4" << 0L << true << false;
        QTest::newRow("coil, value 0 echo 0") << 5 << 0 << "S5,10=0@4" << 0L << true << true;
        QTest::newRow("coil, value 0 echo -256") << 5 << 0 << "S5,10=0@4" << -256L << true << false;
        QTest::newRow("coil, other echo") << 5 << 1 << "S5,10=65280@4" << 1L << true << false;
    }
    void ecoInterruttore()
    {
        QFETCH(int, funzione);
        QFETCH(int, valore);
        QFETCH(long, eco);
        QFETCH(bool, reale);
        QFETCH(bool, buono);
        interruttore(2, funzione, valore, 0);
        MBus::ComunicazioneReale = reale;
        bus->eco = [eco](int, int, long, int) { return eco; };
        ErroriInterruttore[2] = 3;
        ComandaInterruttore(2, true);
        QFETCH(QString, scritto);
        QCOMPARE(bus->traffico, QStringList{scritto});
        QCOMPARE(ErroriInterruttore[2], buono ? 0 : 1);
        QCOMPARE(icone, (QList<std::pair<int, IconaInterruttore>>{{2, buono ? IconaInterruttore::On : IconaInterruttore::Indicatore}}));
        QCOMPARE(avvisi, buono ? QStringList{} : QStringList{"Gestione Interruttore|Attenzione: L'interruttore potrebbe non essere stato acceso a causa di un errore di comunicazione."});
        QCOMPARE(pannello3, QStringList({"Accensione...", ""}));
        QCOMPARE(pause, QList<int>{500});
        QCOMPARE(puntatori, QList<Puntatore>({Puntatore::Clessidra, Puntatore::Predefinito}));
    }

    // On the serial link: the echo of a write counts only with the address and value sent.
    void ecoSulFilo_data()
    {
        QTest::addColumn<QByteArray>("eco");
        QTest::addColumn<bool>("buono");
        QTest::newRow("echo of the write") << QByteArray::fromHex("0406000A012C") << true;
        QTest::newRow("echo of another register") << QByteArray::fromHex("0406000B012C") << false;
        QTest::newRow("echo of another value") << QByteArray::fromHex("0406000A012D") << false;
    }
    void ecoSulFilo()
    {
        QFETCH(QByteArray, eco);
        QFETCH(bool, buono);
        delete std::exchange(bus, nullptr);  // the station's own link, on a scripted port
        PortaFinta porta;
        porta.risponde = [eco](const QByteArray& richiesta) {
            return richiesta[1] == 6 ? Copione{{8000, ConCrc(eco)}} : Copione{};
        };
        MBus::ImpostaPorta(&porta);
        MBus::ImpostaOrologio(&porta);
        MBus::AttesaRisposta = 0.5f;
        MBus::NumeroTentativi = 1;
        interruttore(2, 6, 300, 0);
        ErroriInterruttore[2] = 3;
        ComandaInterruttore(2, true);
        MBus::ImpostaPorta(nullptr);
        MBus::ImpostaOrologio(nullptr);
        QCOMPARE(porta.inviate, QList<QByteArray>{ConCrc(QByteArray::fromHex("0406000A012C"))});
        QCOMPARE(ErroriInterruttore[2], buono ? 0 : 1);
        QCOMPARE(avvisi.size(), buono ? 0 : 1);
    }

    void spegnimentoFallito()
    {
        interruttore(0, 6, 1, 0);
        bus->eco = [](int, int, long, int) { return long(ValoreAssente); };
        ComandaInterruttore(0, false);
        QCOMPARE(bus->traffico, QStringList{"S6,11=0@4"});
        QCOMPARE(icone.first().second, IconaInterruttore::Indicatore);
        QVERIFY(avvisi.first().contains("spento"));
    }

    void senzaPrivilegi_data()
    {
        QTest::addColumn<bool>("porta");
        QTest::newRow("switch") << false;
        QTest::newRow("door") << true;
    }
    void senzaPrivilegi()
    {
        QFETCH(bool, porta);
        UtenteTecnico = UtenteAmministratore = false;
        interruttore(0, 6, 1, 0);
        MappaScritturaApriporta[0] = MappaScritturaInterruttori[0];
        int fuoco = 0;
        GanciAttivi().FuocoPianta = [&] { ++fuoco; };
        QVERIFY(!ComandoConsentito(porta));
        QVERIFY(bus->traffico.isEmpty());
        QCOMPARE(pannello4, QStringList({"Privilegi insufficienti", ""}));
        QCOMPARE(pause, QList<int>{1000});
        QCOMPARE(puntatori, QList<Puntatore>({Puntatore::Divieto, Puntatore::Predefinito}));
        QCOMPARE(fuoco, porta ? 1 : 0);
    }

    // The door: a coil ON stored as 1 goes out as 65280; the OFF write always follows an ON that
    // was sent, even when the second hand-over fails; the pulse is clamped to 100..2000 ms.
    void apriporta_data()
    {
        QTest::addColumn<long>("statoRemoto2");  // what the remote bit reads at the second hand-over
        QTest::addColumn<int>("tempo");
        QTest::addColumn<QStringList>("traffico");
        QTest::addColumn<int>("impulso");
        QTest::addColumn<bool>("avviso");
        QTest::newRow("good pulse of 2000 ms")
            << 1L << 2000 << QStringList{"L1,70@9", "S5,10=65280@9", "L1,70@9", "S5,11=0@9", "L1,70@9", "S5,70=0@9"} << 2000 << false;
        QTest::newRow("second hand-over fails: OFF still sent")
            << long(ValoreAssente) << 1000 << QStringList{"L1,70@9", "S5,10=65280@9", "L1,70@9", "S5,11=0@9", "L1,70@9", "S5,70=0@9"} << 1000 << true;
        QTest::newRow("pulse clamped to 2000") << 1L << 60000 << QStringList{"L1,70@9", "S5,10=65280@9", "L1,70@9", "S5,11=0@9", "L1,70@9", "S5,70=0@9"} << 2000 << false;
        QTest::newRow("pulse clamped to 100") << 1L << 0 << QStringList{"L1,70@9", "S5,10=65280@9", "L1,70@9", "S5,11=0@9", "L1,70@9", "S5,70=0@9"} << 100 << false;
    }
    void apriporta()
    {
        auto& r = MappaLetturaApriporta[0];
        auto& w = MappaScritturaApriporta[0];
        r[Nodo] = w[Nodo] = 9;
        r[FunzioneREM] = 1; r[RegistroREM] = 70;
        w[FunzioneREM] = 5; w[RegistroREM] = 70;
        w[FunzioneON] = 5; w[RegistroON] = 10; w[ValoreON] = 1;
        w[FunzioneOFF] = 5; w[RegistroOFF] = 11; w[ValoreOFF] = 0;
        QFETCH(int, tempo);
        TempoApriporta = tempo;
        SuonoPorta = QStringLiteral("porta.wav");
        QString suonato;
        GanciAttivi().Suona = [&](const QString& p) { suonato = p; };
        QFETCH(long, statoRemoto2);
        int letture = 0;
        bus->punto(1, 70, 9, 1);
        bus->durante = [&] {
            if (bus->traffico.last() == QLatin1String("L1,70@9") && ++letture == 2)
                statoRemoto2 == 1 ? bus->punto(1, 70, 9, 1) : (void)bus->punti.erase({1, 70, 9});
            if (letture == 2 && bus->traffico.last().startsWith("S5,11"))
                bus->punto(1, 70, 9, 1);
        };
        AzionaApriporta();
        QTEST(bus->traffico, "traffico");
        QFETCH(int, impulso);
        QCOMPARE(pause, QList<int>({impulso, 300}));
        QFETCH(bool, avviso);
        QCOMPARE(avvisi, avviso ? QStringList{"Apriporta|Attenzione: Si sono verificati errori di comunicazione durante l'apertura della porta."} : QStringList{});
        QCOMPARE(pannello3, QStringList({"Apertura...", "Porta aperta", ""}));
        QVERIFY(suonato.endsWith("/porta.wav"));
    }

    void apriportaNonConfigurata()
    {
        auto& w = MappaScritturaApriporta[0];
        w[Nodo] = 9; w[FunzioneON] = 5; w[RegistroON] = 10; w[FunzioneOFF] = 5;  // OFF register missing
        ModoStagioni = false;
        AzionaApriporta();
        QVERIFY(bus->traffico.isEmpty());
        QVERIFY(avvisi.isEmpty());
        QCOMPARE(pannello3, QStringList({"On/Off...", ""}));
    }

    void impostazione_data()
    {
        QTest::addColumn<int>("funzione");
        QTest::addColumn<int>("valore");
        QTest::addColumn<long>("eco");
        QTest::addColumn<int>("selezionata");  // 1-based zone selected when the command is served
        QTest::addColumn<QStringList>("righe");
        QTest::addColumn<bool>("errore");
        QTest::newRow("register 1 decimal, echo 125") << 6 << 125 << 125L << 3 << QStringList{"1=12,5"} << false;
        QTest::newRow("register, no answer") << 6 << 125 << long(ValoreAssente) << 3 << QStringList{"1=--.-"} << true;
        QTest::newRow("coil ON, -256") << 5 << 65280 << -256L << 3 << QStringList{"1=ON"} << false;
        QTest::newRow("coil ON, echo 0: caption unchanged") << 5 << 65280 << 0L << 3 << QStringList{} << true;
        QTest::newRow("coil OFF") << 5 << 0 << 0L << 3 << QStringList{"1=OFF"} << false;
        QTest::newRow("coil, other echo") << 5 << 0 << 7L << 3 << QStringList{"1=--.-"} << true;
        QTest::newRow("another zone selected since: caption left alone") << 6 << 125 << 125L << 5 << QStringList{} << false;
    }
    void impostazione()
    {
        QFETCH(int, funzione);
        QFETCH(int, valore);
        QFETCH(long, eco);
        QFETCH(int, selezionata);
        MappaLetturaZone[2][Nodo] = MappaScritturaZone[2][Nodo] = 8;
        MappaLetturaZone[2][FunzioneREM] = 1; MappaLetturaZone[2][RegistroREM] = 60;
        MappaScritturaZone[2][FunzioneREM] = 5; MappaScritturaZone[2][RegistroREM] = 60;
        bus->punto(1, 60, 8, 1);
        bus->eco = [eco](int, int registro, long v, int) { return registro == 201 ? eco : v; };
        ZonaSelezionata = selezionata;
        Acquisizione::Pannello4(QStringLiteral("Modifica parametro..."));
        ErroriZona[2] = 2;
        InviaValoreZona({funzione, 201, valore, 8, 1, 1, 2});
        QCOMPARE(bus->traffico, QStringList({"L1,60@8", QStringLiteral("S%1,201=%2@8").arg(funzione).arg(valore), "L1,60@8", "S5,60=0@8"}));
        QTEST(righe, "righe");
        QFETCH(bool, errore);
        QCOMPARE(ErroriZona[2], errore ? 1 : 0);
        QCOMPARE(avvisi, errore ? QStringList{"Impostazione Valori|Attenzione: Il valore non è stato inviato allo strumento."} : QStringList{});
        QCOMPARE(pannello4.last(), QString());
    }

    void impostazioneSenzaZonaScartata()
    {
        ZonaSelezionata = 3;
        InviaValoreZona({6, 201, 125, 8, 1, 1, -1});
        QVERIFY(bus->traffico.isEmpty());
        QVERIFY(avvisi.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestComandi)
#include "tst_comandi.moc"
