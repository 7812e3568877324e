// Clicks on the real synoptic, offscreen: what runs at once on the bus, what waits in a mailbox,
// what a double click on a value row posts and what it refuses.
#include "banco.h"
#include "dialoghifinti.h"
#include "drag.h"
#include "turnotenuto.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace Generale;
using Scrittura = BusRegistrato::Scrittura;

namespace {

// Zone 1 a master, zone 2 a slave; SP and AL1 registers (one decimal) and AL2 a coil are
// writable, AL3 is not. Three switches on coils, an opener.
const char* const Impianto = R"([Generale]
Zone=2
Interruttori=3
Apriporta=1
[Apriporta]
Indirizzo=20
On_w=5,1
Off_w=5,1
Val_on=1
Val_off=0
[Zona 01]
Indirizzo=1
Decimali=1
PV_r=3,0
SP_r=3,1
AL1_r=3,2
AL2_r=1,0
AL3_r=3,4
SP_w=6,1
AL1_w=6,2
AL2_w=5,0
[Zona 02]
Indirizzo=2
Decimali=1
Slave=1
PV_r=3,0
SP_r=3,1
SP_w=6,1
[Interruttore 01]
Indirizzo=11
On_w=5,7
Off_w=5,8
Val_on=1
Val_off=0
[Interruttore 02]
Indirizzo=12
On_w=5,7
Off_w=5,8
Val_on=1
Val_off=0
[Interruttore 03]
Indirizzo=13
On_w=5,7
Off_w=5,8
Val_on=1
Val_off=0
)";

// The mailboxes as text, oldest first: "A" door, "I1+" switch 1 ON, "I1-" OFF, "V" set-value.
QStringList Caselle()
{
    QStringList t;
    for (const auto& r : Acquisizione::RichiesteInAttesa()) {
        using Tipo = Acquisizione::Richiesta::Tipo;
        if (r.tipo == Tipo::Apriporta)
            t << QStringLiteral("A");
        else if (r.tipo == Tipo::Interruttore)
            t << QStringLiteral("I%1%2").arg(r.interruttore).arg(r.accendi ? '+' : '-');
        else
            t << QStringLiteral("V");
    }
    return t;
}

}  // namespace

class TestComandiSinottico : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void clicInterruttori_data();
    void clicInterruttori();
    void clicSuccessiviInCoda();
    void apriporta_data();
    void apriporta();
    void dirittiAlClic_data();
    void dirittiAlClic();
    void rifiutoMentreIlBusAttende_data();
    void rifiutoMentreIlBusAttende();
    void doppioClic_data();
    void doppioClic();
    void doppioClicSuBobina_data();
    void doppioClicSuBobina();

private:
    std::unique_ptr<Banco> b_;
};

void TestComandiSinottico::init()
{
    b_ = std::make_unique<Banco>();
    b_->carica(QString::fromUtf8(Impianto));
    b_->s->show();
    QVERIFY(QTest::qWaitForWindowExposed(b_->s.get()));
}

void TestComandiSinottico::cleanup()
{
    // Work a failed case left waiting runs out here, not in the next case.
    QTRY_VERIFY_WITH_TIMEOUT(BusLibero(), 10000);
    b_.reset();
}

void TestComandiSinottico::clicInterruttori_data()
{
    QTest::addColumn<bool>("attiva");
    QTest::addColumn<QString>("look");
    QTest::addColumn<int>("tasto");
    QTest::addColumn<QStringList>("caselle");
    QTest::addColumn<QList<Scrittura>>("scritture");
    QTest::addColumn<QString>("lookDopo");

    const Scrittura spegni{5, 8, 0, 12};
    const Scrittura accendi{5, 7, 0xFF00, 12};
    const QStringList nessuna;
    QTest::newRow("ON, ferma: spegne subito") << false << "on" << int(Qt::LeftButton) << nessuna << QList{spegni} << "off";
    QTest::newRow("ON, in corso: nella casella") << true << "on" << int(Qt::LeftButton) << QStringList{"I1-"} << QList<Scrittura>{} << "on";
    QTest::newRow("OFF, ferma: accende subito") << false << "off" << int(Qt::LeftButton) << nessuna << QList{accendi} << "on";
    QTest::newRow("OFF, in corso") << true << "off" << int(Qt::LeftButton) << QStringList{"I1+"} << QList<Scrittura>{} << "off";
    QTest::newRow("indeterminato, ferma: accende") << false << "ind" << int(Qt::LeftButton) << nessuna << QList{accendi} << "on";
    QTest::newRow("indeterminato, in corso") << true << "ind" << int(Qt::LeftButton) << QStringList{"I1+"} << QList<Scrittura>{} << "ind";
    QTest::newRow("destro, ferma: niente") << false << "on" << int(Qt::RightButton) << nessuna << QList<Scrittura>{} << "on";
    QTest::newRow("destro, in corso: niente") << true << "off" << int(Qt::RightButton) << nessuna << QList<Scrittura>{} << "off";
    QTest::newRow("centrale: niente") << false << "off" << int(Qt::MiddleButton) << nessuna << QList<Scrittura>{} << "off";
}

void TestComandiSinottico::clicInterruttori()
{
    QFETCH(bool, attiva);
    QFETCH(QString, look);
    QFETCH(int, tasto);
    QFETCH(QStringList, caselle);
    QFETCH(QList<Scrittura>, scritture);
    QFETCH(QString, lookDopo);

    Sinottico& s = *b_->s;
    using Acquisizione::IconaInterruttore;
    s.MostraInterruttore(1, look == "on" ? IconaInterruttore::On : look == "off" ? IconaInterruttore::Off : IconaInterruttore::Indicatore);
    QLabel* icona = look == "on" ? s.Img_on[1] : look == "off" ? s.Img_off[1] : s.Img_ind[1];
    AcquisizioneAttiva = attiva;
    QTest::mouseClick(icona, Qt::MouseButton(tasto));

    QCOMPARE(TastoMouseInterruttore, Drag::CodicePulsante(Qt::MouseButton(tasto)));
    QCOMPARE(Caselle(), caselle);
    QCOMPARE(b_->bus.scritture, scritture);
    QCOMPARE(s.Img_on[1]->isVisible(), lookDopo == "on");
    QCOMPARE(s.Img_off[1]->isVisible(), lookDopo == "off");
    QCOMPARE(s.Img_ind[1]->isVisible(), lookDopo == "ind");
    QVERIFY(s.Pic_Pianta->hasFocus());
}

void TestComandiSinottico::clicSuccessiviInCoda()
{
    // Each click is a request of its own, in the order of the clicks: none takes another's place.
    AcquisizioneAttiva = true;
    QTest::mouseClick(b_->s->Img_off[0], Qt::LeftButton);
    QTest::mouseClick(b_->s->Img_off[2], Qt::LeftButton);
    QTest::mouseClick(b_->s->Img_on[2], Qt::LeftButton);
    QTest::mouseClick(b_->s->Cmd_Apriporta[0], Qt::LeftButton);
    QTest::mouseClick(b_->s->Cmd_Apriporta[0], Qt::LeftButton);
    QCOMPARE(Caselle(), QStringList({"I0+", "I2+", "I2-", "A"}));
    QVERIFY(b_->bus.scritture.isEmpty());
}

void TestComandiSinottico::apriporta_data()
{
    QTest::addColumn<bool>("attiva");
    QTest::addColumn<bool>("richiesta");
    QTest::addColumn<QList<Scrittura>>("scritture");
    QTest::newRow("ferma: impulso subito") << false << false << QList<Scrittura>{{5, 1, 0xFF00, 20}, {5, 1, 0, 20}};
    QTest::newRow("in corso: nella casella") << true << true << QList<Scrittura>{};
}

void TestComandiSinottico::apriporta()
{
    QFETCH(bool, attiva);
    QFETCH(bool, richiesta);
    QFETCH(QList<Scrittura>, scritture);
    AcquisizioneAttiva = attiva;
    QTest::mouseClick(b_->s->Cmd_Apriporta[0], Qt::LeftButton);
    QCOMPARE(Caselle(), richiesta ? QStringList{"A"} : QStringList{});
    QCOMPARE(b_->bus.scritture, scritture);
}

// Who asked is who clicked: a door or switch command waiting for its tick or its turn is judged
// at the click, against the rights of that moment, whoever is logged in when it runs.
void TestComandiSinottico::dirittiAlClic_data()
{
    QTest::addColumn<QString>("comando");  // "porta"; "on": switch 1 clicked on its ON icon; "off"
    QTest::addColumn<bool>("attiva");      // running: the click waits in its mailbox; stopped: for its turn
    QTest::addColumn<bool>("tecnico");     // the technician is logged in at the click, and logs out after it
    QTest::addColumn<QStringList>("attesa");  // what waits once the click is taken
    QTest::addColumn<QList<Scrittura>>("scritture");

    const QList<std::pair<QString, QList<Scrittura>>> comandi = {
        {"porta", {{5, 1, 0xFF00, 20}, {5, 1, 0, 20}}},
        {"on", {{5, 8, 0, 12}}},
        {"off", {{5, 7, 0xFF00, 12}}},
    };
    for (const auto& [comando, scritture] : comandi) {
        const QString casella = comando == "porta" ? "A" : comando == "on" ? "I1-" : "I1+";
        for (bool attiva : {true, false}) {
            const char* come = attiva ? "in the mailbox" : "waiting for its turn";
            QTest::addRow("%s, %s: anonymous click, technician logs in before it runs", qPrintable(comando), come)
                << comando << attiva << false << QStringList{} << QList<Scrittura>{};
            QTest::addRow("%s, %s: technician clicks, logs out before it runs", qPrintable(comando), come)
                << comando << attiva << true << QStringList{attiva ? casella : "turno"} << scritture;
        }
    }
}

void TestComandiSinottico::dirittiAlClic()
{
    QFETCH(QString, comando);
    QFETCH(bool, attiva);
    QFETCH(bool, tecnico);
    QFETCH(QStringList, attesa);
    QFETCH(QList<Scrittura>, scritture);

    Sinottico& s = *b_->s;
    QList<Acquisizione::Puntatore> puntatori;
    Acquisizione::GanciAttivi().ImpostaPuntatore = [&](Acquisizione::Puntatore p) { puntatori << p; };
    using Acquisizione::IconaInterruttore;
    s.MostraInterruttore(1, comando == "on" ? IconaInterruttore::On : IconaInterruttore::Off);
    AcquisizioneAttiva = attiva;
    // Stopped, a pass waiting on the line holds the turn; running, the tick has not come yet.
    std::optional<TurnoTenuto> passata;
    if (!attiva) {
        passata.emplace();
        QVERIFY(passata->tenuto());
    }
    UtenteTecnico = tecnico;
    QWidget* bersaglio = comando == "porta" ? static_cast<QWidget*>(s.Cmd_Apriporta[0])
                         : comando == "on"  ? s.Img_on[1]
                                            : s.Img_off[1];
    QTest::mouseClick(bersaglio, Qt::LeftButton);

    // The answer is on screen at once, before anything runs.
    QStringList inAttesa = Caselle();
    if (Acquisizione::LavoriInAttesa() > 0)
        inAttesa << "turno";
    QCOMPARE(inAttesa, attesa);
    using Acquisizione::Puntatore;
    QCOMPARE(b_->pannello4, tecnico ? QStringList{} : QStringList({"Privilegi insufficienti", ""}));
    QCOMPARE(puntatori, tecnico ? QList<Puntatore>{} : QList<Puntatore>({Puntatore::Divieto, Puntatore::Predefinito}));
    if (!tecnico)
        QVERIFY(s.Pic_Pianta->hasFocus());
    QVERIFY(b_->bus.scritture.isEmpty());

    // The login window changes the user before the command's turn comes.
    UtenteTecnico = !tecnico;
    b_->pannello4.clear();
    if (attiva)
        InTurno([]() -> QCoro::Task<> { co_await Acquisizione::ServiRichieste(); });
    passata.reset();
    QTRY_VERIFY(BusLibero());
    QCOMPARE(b_->bus.scritture, scritture);
    QVERIFY(!b_->pannello4.contains("Privilegi insufficienti"));
}

// A refusal shows for its second on its own, while the bus is busy: behind a pass waiting on the
// line, or under a command of the technician's still on the line. A second refusal keeps its
// whole second, and what the refusal covered comes back after it.
void TestComandiSinottico::rifiutoMentreIlBusAttende_data()
{
    QTest::addColumn<bool>("comandoInCorso");
    QTest::addColumn<int>("puntatoreDopo");  // the pointer once the refusals have cleared
    QTest::newRow("a pass holds the turn") << false << int(Acquisizione::Puntatore::Predefinito);
    QTest::newRow("a technician's switch command on a slow line") << true << int(Acquisizione::Puntatore::Clessidra);
}

void TestComandiSinottico::rifiutoMentreIlBusAttende()
{
    QFETCH(bool, comandoInCorso);
    QFETCH(int, puntatoreDopo);
    using Acquisizione::Puntatore;
    Sinottico& s = *b_->s;
    QList<Puntatore> puntatori;
    Acquisizione::GanciAttivi().ImpostaPuntatore = [&](Puntatore p) { puntatori << p; };
    Acquisizione::GanciAttivi().Pausa = {};  // the station's own waits, in real time
    s.MostraInterruttore(0, Acquisizione::IconaInterruttore::Off);
    s.MostraInterruttore(1, Acquisizione::IconaInterruttore::On);
    std::optional<TurnoTenuto> passata;
    if (comandoInCorso) {
        b_->bus.attesa = 4000;
        QTest::mouseClick(s.Img_off[0], Qt::LeftButton);
        QTRY_COMPARE(b_->bus.scritture.size(), 1);
    } else {
        passata.emplace();
    }

    UtenteTecnico = false;
    QTest::mouseClick(s.Cmd_Apriporta[0], Qt::LeftButton);
    QCOMPARE(b_->pannello4.value(b_->pannello4.size() - 1), QStringLiteral("Privilegi insufficienti"));
    QCOMPARE(puntatori.value(puntatori.size() - 1), Puntatore::Divieto);
    QVERIFY(s.Pic_Pianta->hasFocus());
    // Wide margins both ways: a wait may run late on a loaded machine, never early.
    QTest::qWait(800);
    QTest::mouseClick(s.Img_on[1], Qt::LeftButton);
    // Past the first refusal's second: the second one still shows.
    QTest::qWait(300);
    QCOMPARE(b_->pannello4.last(), QStringLiteral("Privilegi insufficienti"));
    QCOMPARE(puntatori.last(), Puntatore::Divieto);
    QTRY_COMPARE_WITH_TIMEOUT(b_->pannello4.last(), QString(), 2000);
    QCOMPARE(int(puntatori.last()), puntatoreDopo);
    QVERIFY(b_->bus.scritture.size() <= 1);

    passata.reset();
    QTRY_VERIFY_WITH_TIMEOUT(BusLibero(), 5000);
    QCOMPARE(puntatori.last(), Puntatore::Predefinito);
    QCOMPARE(b_->bus.scritture.size(), comandoInCorso ? 1 : 0);
}

void TestComandiSinottico::doppioClic_data()
{
    QTest::addColumn<int>("zona");
    QTest::addColumn<int>("riga");
    QTest::addColumn<bool>("attiva");
    QTest::addColumn<bool>("tecnico");
    QTest::addColumn<bool>("crono");          // the chrono programme drives SP of the zone
    QTest::addColumn<QStringList>("risposte"); // typed in the input box; none: cancelled
    QTest::addColumn<int>("valore");           // posted value, -1: nothing posted
    QTest::addColumn<int>("domande");          // input boxes shown
    QTest::addColumn<int>("messaggi");         // message boxes shown

    QTest::newRow("virgola") << 1 << 1 << true << true << false << QStringList{"21,5"} << 215 << 1 << 0;
    QTest::newRow("punto") << 1 << 1 << true << true << false << QStringList{"21.5"} << 215 << 1 << 0;
    QTest::newRow("spazi intorno, AL1") << 1 << 2 << true << true << false << QStringList{" -3 "} << -30 << 1 << 0;
    QTest::newRow("acquisizione ferma") << 1 << 1 << false << true << false << QStringList{"21,5"} << -1 << 0 << 0;
    QTest::newRow("senza diritti") << 1 << 1 << true << false << false << QStringList{"21,5"} << -1 << 0 << 0;
    QTest::newRow("valore copiato dal master") << 2 << 1 << true << true << false << QStringList{"21,5"} << -1 << 0 << 0;
    QTest::newRow("valore del crono") << 1 << 1 << true << true << true << QStringList{"21,5"} << -1 << 0 << 0;
    QTest::newRow("annullato") << 1 << 1 << true << true << false << QStringList{} << -1 << 1 << 0;
    QTest::newRow("vuoto") << 1 << 1 << true << true << false << QStringList{"   "} << -1 << 1 << 0;
    QTest::newRow("non un numero") << 1 << 1 << true << true << false << QStringList{"21,5a"} << -1 << 1 << 1;
    QTest::newRow("oltre 16 bit") << 1 << 1 << true << true << false << QStringList{"3276,8"} << -1 << 1 << 1;
    QTest::newRow("registro non scrivibile") << 1 << 4 << true << true << false << QStringList{"1"} << -1 << 0 << 0;
}

void TestComandiSinottico::doppioClic()
{
    QFETCH(int, zona);
    QFETCH(int, riga);
    QFETCH(bool, attiva);
    QFETCH(bool, tecnico);
    QFETCH(bool, crono);
    QFETCH(QStringList, risposte);
    QFETCH(int, valore);
    QFETCH(int, domande);
    QFETCH(int, messaggi);

    DialoghiFinti dialoghi;
    for (const QString& r : risposte)
        dialoghi.testi.enqueue(r);
    MasterSlaveAbilitato = true;
    ValoreAllineato[1] = true;  // the slaves copy SP
    CronotermostatoAbilitato = crono;
    CronoAttivoZona[zona - 1] = crono;
    IndiceCrono = 1;
    QTest::mouseClick(b_->s->Cmd_PuntoMon[zona - 1], Qt::LeftButton);
    ValoriZone[0][1] = 20.0f;
    Acquisizione::GanciAttivi().AggiornaSinottico(true, false);

    // A request posted before stays first, whatever follows: it was asked for.
    Acquisizione::PostaImpostazione({6, 9, 99, 9, 0, 0, 0});
    AcquisizioneAttiva = attiva;
    UtenteTecnico = tecnico;
    QTest::mouseDClick(b_->s->Lab_Temp[riga], Qt::LeftButton);

    const auto& caselle = Acquisizione::RichiesteInAttesa();
    QCOMPARE(int(caselle.size()), valore != -1 ? 2 : 1);
    QCOMPARE(caselle.front().impostazione.Valore, 99);
    int domandeViste = 0;
    for (const auto& box : dialoghi.mostrati) {
        if (!box.input)
            continue;
        ++domandeViste;
        QCOMPARE(box.testo, QStringLiteral("Inserire il valore da impostare:"));
        QCOMPARE(box.titolo, b_->s->Lab_Temp_1[riga]->text());
    }
    QCOMPARE(domandeViste, domande);
    QCOMPARE(int(dialoghi.mostrati.size()) - domandeViste, messaggi);
    if (messaggi)
        QVERIFY(dialoghi.mostrati.last().testo.startsWith(QStringLiteral("Attenzione: ")));
    if (valore != -1) {
        const RigaMappaZona& w = MappaScritturaZone[zona - 1];
        const Impostazione& comando = caselle.back().impostazione;
        QCOMPARE(comando.Valore, valore);
        QCOMPARE(comando.Funzione, 6);
        QCOMPARE(comando.Registro, int(w[CampoRegistroValore(riga)]));
        QCOMPARE(comando.Nodo, zona);
        QCOMPARE(comando.Decimali, 1);
        QCOMPARE(comando.Riga, riga);
        QCOMPARE(comando.Zona, zona - 1);
        QCOMPARE(b_->pannello4, QStringList{"Modifica parametro..."});
    } else {
        // "Modifica parametro..." never stays behind when nothing was posted.
        QVERIFY(b_->pannello4.isEmpty() || b_->pannello4.last().isEmpty());
    }
    QVERIFY(b_->bus.scritture.isEmpty());
}

void TestComandiSinottico::doppioClicSuBobina_data()
{
    QTest::addColumn<float>("lettura");
    QTest::addColumn<int>("valore");  // -1: nothing posted
    QTest::addColumn<int>("funzione");  // write code of the AL2 row
    QTest::newRow("OFF chiede ON") << 0.0f << 0xFF00 << 5;
    QTest::newRow("ON chiede OFF") << 1.0f << 0 << 5;
    QTest::newRow("nessuna lettura") << float(ValoreAssente) << -1 << 5;
    // Only a coil takes 0xFF00 and 0: a hand-edited code sends nothing (8 would be a
    // diagnostics request, a restart of the instrument's communications).
    QTest::newRow("codice 8: niente") << 0.0f << -1 << 8;
    QTest::newRow("codice 15: niente") << 1.0f << -1 << 15;
}

void TestComandiSinottico::doppioClicSuBobina()
{
    QFETCH(float, lettura);
    QFETCH(int, valore);
    QFETCH(int, funzione);
    DialoghiFinti dialoghi;
    MappaScritturaZone[0][FunzioneAL2] = std::int16_t(funzione);
    QTest::mouseClick(b_->s->Cmd_PuntoMon[0], Qt::LeftButton);
    ValoriZone[0][3] = lettura;
    Acquisizione::GanciAttivi().AggiornaSinottico(true, false);
    AcquisizioneAttiva = true;
    QTest::mouseDClick(b_->s->Lab_Temp[3], Qt::LeftButton);
    QVERIFY(dialoghi.mostrati.isEmpty());
    const auto& caselle = Acquisizione::RichiesteInAttesa();
    QCOMPARE(int(caselle.size()), valore != -1 ? 1 : 0);
    if (valore != -1) {
        QCOMPARE(caselle.front().impostazione.Funzione, 5);
        QCOMPARE(caselle.front().impostazione.Registro, 0);
        QCOMPARE(caselle.front().impostazione.Valore, valore);
    }
}

QTEST_MAIN(TestComandiSinottico)
#include "tst_comandi_sinottico.moc"
