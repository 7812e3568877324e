// The zone panel and the live values on the real synoptic, offscreen: markers, captions, the
// value texts of rows and buttons, switch and LED looks, as the acquisition hooks ask for them.
#include "banco.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace Generale;

namespace {

// Zones with every value configured: PV, SP, AL1 registers, AL2 and AL3 bits, one decimal.
QString zone(int n, const QString& altro = QString())
{
    QString t = QStringLiteral("[Generale]\nZone=%1\nInterruttori=3\nLED=2\n").arg(n) + altro;
    for (int i = 1; i <= n; ++i)
        t += QStringLiteral("[Zona %1]\nIndirizzo=%2\nDecimali=1\nPV_r=3,0\nSP_r=3,1\nAL1_r=4,2\nAL2_r=1,0\nAL3_r=2,1\n")
                 .arg(i, 2, 10, QLatin1Char('0'))
                 .arg(i);
    for (int i = 1; i <= 3; ++i)
        t += QStringLiteral("[Interruttore %1]\nIndirizzo=%2\nOn_r=1,0\nOff_r=1,1\nOn_w=5,0\nOff_w=5,0\nVal_on=1\nVal_off=0\n").arg(i, 2, 10, QLatin1Char('0')).arg(10 + i);
    return t;
}

// The zone's section with `chiavi` in front of its own keys.
QString conChiavi(QString ini, int zona, const QString& chiavi)
{
    const QString sezione = QStringLiteral("[Zona %1]\n").arg(zona, 2, 10, QLatin1Char('0'));
    return ini.replace(sezione, sezione + chiavi);
}

QString px(const char* nome, int twips) { return QStringLiteral("%1@%2").arg(QLatin1String(nome)).arg(Sinottico::Pixel(twips)); }

}  // namespace

class TestPannello : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void marcatori_data();
    void marcatori();
    void didascalie_data();
    void didascalie();
    void posizionePannello_data();
    void posizionePannello();
    void testiValore_data();
    void testiValore();
    void indiceTestoFuoriCampo();
    void aspettoInterruttori_data();
    void aspettoInterruttori();
    void aspettoLED_data();
    void aspettoLED();
    void azzeraERipristina();
    void chiusuraEScomparsa();

private:
    void premiZona(int numero);
    QString riga(int k) const;
    QString marcatoriPannello() const;

    std::unique_ptr<Banco> b_;
};

void TestPannello::init()
{
    b_ = std::make_unique<Banco>();
    b_->s->show();
    QVERIFY(QTest::qWaitForWindowExposed(b_->s.get()));
}

void TestPannello::cleanup() { b_.reset(); }

void TestPannello::premiZona(int numero)
{
    QPushButton* p = b_->s->Cmd_PuntoMon[numero - 1];
    QVERIFY(p->isVisible());
    QTest::mouseClick(p, Qt::LeftButton);
}

// The markers shown on row k, with their left edge in pixels.
QString TestPannello::riga(int k) const
{
    const Sinottico& s = *b_->s;
    QStringList r;
    const std::pair<const char*, QLabel*> marcatori[] = {
        {"P", s.Img_MS[k]}, {"M", s.Img_MS_M[k]}, {"S", s.Img_MS_S[k]}, {"CR", s.Img_CR[k]}};
    for (const auto& [nome, m] : marcatori)
        if (m->isVisible())
            r << QStringLiteral("%1@%2").arg(QLatin1String(nome)).arg(m->x());
    return r.join(QLatin1Char(' '));
}

QString TestPannello::marcatoriPannello() const
{
    const Sinottico& s = *b_->s;
    QStringList r;
    if (s.Img_Master->isVisible())
        r << px("Master", 120);
    if (s.Img_Slave->isVisible())
        r << px("Slave", 120);
    if (s.Img_Cro->isVisible())
        r << QStringLiteral("Cro@%1").arg(s.Img_Cro->x());
    return r.join(QLatin1Char(' '));
}

void TestPannello::marcatori_data()
{
    QTest::addColumn<int>("zona");
    QTest::addColumn<bool>("masterSlave");
    QTest::addColumn<int>("allineato");  // the one value row the slaves copy, -1 none
    QTest::addColumn<bool>("slave");
    QTest::addColumn<bool>("crono");     // the chrono programme drives this zone, option on
    QTest::addColumn<int>("indiceCrono");
    QTest::addColumn<QStringList>("righe");
    QTest::addColumn<QString>("pannello");

    const QString p = px("P", 120);
    QTest::newRow("zona 1 master, PV copiato")
        << 1 << true << 0 << false << false << 1 << QStringList{px("M", 120), p, p, p, p} << px("Master", 120);
    QTest::newRow("zona slave, PV copiato")
        << 2 << true << 0 << true << false << 1 << QStringList{px("S", 120), p, p, p, p} << px("Slave", 120);
    QTest::newRow("zona non slave")
        << 3 << true << 0 << false << false << 1 << QStringList{p, p, p, p, p} << QString();
    QTest::newRow("crono su SP, master/slave spento")
        << 1 << false << 0 << false << true << 1 << QStringList{p, px("CR", 120), p, p, p} << px("Cro", 120);
    QTest::newRow("crono su SP non copiato della zona 1")
        << 1 << true << 0 << false << true << 1 << QStringList{px("M", 120), px("CR", 120), p, p, p}
        << px("Master", 120) + QLatin1Char(' ') + px("Cro", 680);
    QTest::newRow("crono su un valore che la zona 1 manda agli slave")
        << 1 << true << 1 << false << true << 1 << QStringList{p, px("M", 50) + QLatin1Char(' ') + px("CR", 210), p, p, p}
        << px("Master", 120) + QLatin1Char(' ') + px("Cro", 680);
    QTest::newRow("crono su uno slave, valore copiato dal master")
        << 2 << true << 1 << true << true << 1 << QStringList{p, px("S", 120), p, p, p} << px("Slave", 120);
    QTest::newRow("crono su uno slave, valore proprio")
        << 2 << true << 0 << true << true << 1 << QStringList{px("S", 120), px("CR", 120), p, p, p}
        << px("Slave", 120) + QLatin1Char(' ') + px("Cro", 680);
}

void TestPannello::marcatori()
{
    QFETCH(int, zona);
    QFETCH(bool, masterSlave);
    QFETCH(int, allineato);
    QFETCH(bool, slave);
    QFETCH(bool, crono);
    QFETCH(int, indiceCrono);
    QFETCH(QStringList, righe);
    QFETCH(QString, pannello);

    b_->carica(zone(3));
    // A zone shown before leaves nothing behind on the next one.
    MasterSlaveAbilitato = CronotermostatoAbilitato = true;
    ValoreAllineato = {true, true, true, true, true};
    ZonaSlave.fill(true);
    CronoAttivoZona.fill(true);
    IndiceCrono = 3;
    premiZona(zona == 1 ? 2 : 1);

    MasterSlaveAbilitato = masterSlave;
    ValoreAllineato.fill(false);
    if (allineato >= 0)
        ValoreAllineato[allineato] = true;
    ZonaSlave.fill(false);
    ZonaSlave[zona - 1] = slave;
    CronoAttivoZona.fill(false);
    CronoAttivoZona[zona - 1] = crono;
    CronotermostatoAbilitato = crono;
    IndiceCrono = indiceCrono;
    premiZona(zona);

    QCOMPARE(ZonaSelezionata, zona);
    QVERIFY(b_->s->Pic_Info->isVisible());
    for (int k = 0; k < 5; ++k)
        QCOMPARE(riga(k), righe[k]);
    QCOMPARE(marcatoriPannello(), pannello);
}

void TestPannello::didascalie_data()
{
    QTest::addColumn<QString>("generale");
    QTest::addColumn<QString>("zona3");  // keys of Zona 03
    QTest::addColumn<int>("zona");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QStringList>("righe");

    QTest::newRow("generali con unità")
        << "Zone Unita=°C\n[Sinottico]\nCampo_1=Temperatura Letta\nCampo_3= Allarme 1 \n" << "" << 1 << "Zona 01"
        << QStringList{"Temperatura Letta [°C]:", " [°C]:", "Allarme 1:", ":", ":"};
    QTest::newRow("didascalia di zona come scritta")
        << "Zone Unita=bar\n[Sinottico]\nCampo_2=Set-point\n" << "Nome=\"  Caldaia \"\nCampo_2=\"  Pressione SP \"\n" << 3
        << "  Caldaia " << QStringList{" [bar]:", "Pressione SP", ":", ":", ":"};
    QTest::newRow("solo la zona che la ha")
        << "[Sinottico]\nCampo_2=Set-point\n" << "Campo_2=Pressione SP\n" << 2 << "Zona 02"
        << QStringList{" [°C]:", "Set-point [°C]:", ":", ":", ":"};
}

void TestPannello::didascalie()
{
    QFETCH(QString, generale);
    QFETCH(QString, zona3);
    QFETCH(int, zona);
    QFETCH(QString, nome);
    QFETCH(QStringList, righe);
    b_->carica(conChiavi(zone(3, generale), 3, zona3));
    premiZona(zona);
    QCOMPARE(b_->s->Lab_Nome->text(), nome);
    for (int k = 0; k < 5; ++k)
        QCOMPARE(b_->s->Lab_Temp_1[k]->text(), righe[k]);
    b_->s->MostraInfoZona(0);
    QCOMPARE(b_->s->Lab_Nome->text(), QString());
}

void TestPannello::posizionePannello_data()
{
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("y");
    QTest::addColumn<QPoint>("posizione");
    QTest::newRow("virgola e punto") << "1200,0" << "450.4" << QPoint(80, 30);
    QTest::newRow("mancanti") << "" << "" << QPoint(20, 20);
    QTest::newRow("non numeri: restano dove erano") << "a sinistra" << "12x" << QPoint(7, 9);
    QTest::newRow("negativo") << "-150" << "0" << QPoint(-10, 0);
}

void TestPannello::posizionePannello()
{
    QFETCH(QString, x);
    QFETCH(QString, y);
    QFETCH(QPoint, posizione);
    b_->carica(x.isEmpty() ? zone(2) : conChiavi(zone(2), 2, QStringLiteral("Info_X=%1\nInfo_Y=%2\n").arg(x, y)));
    b_->s->Pic_Info->move(7, 9);
    premiZona(2);
    QCOMPARE(b_->s->Pic_Info->pos(), posizione);
}

void TestPannello::testiValore_data()
{
    QTest::addColumn<int>("funzione");
    QTest::addColumn<int>("decimali");
    QTest::addColumn<float>("valore");
    QTest::addColumn<QString>("riga");
    QTest::addColumn<QString>("pulsante");
    QTest::addColumn<QString>("unita");

    const float assente = float(ValoreAssente);
    QTest::newRow("registro, 1 decimale") << 3 << 1 << 21.5f << "21,5" << "21,5 °C" << "";
    // A unit from the settings shows as written: "&" marks no shortcut on the button.
    QTest::newRow("unita con &") << 3 << 1 << 21.5f << "21,5" << "21,5 m&&m" << "m&m";
    QTest::newRow("registro 4, 0 decimali") << 4 << 0 << 22.0f << "22" << "22 °C" << "";
    QTest::newRow("negativo") << 3 << 1 << -5.0f << "-5,0" << "-5,0 °C" << "";
    QTest::newRow("2 decimali") << 3 << 2 << 3.14159f << "3,14" << "3,14 °C" << "";
    QTest::newRow("3 decimali") << 4 << 3 << -0.5f << "-0,500" << "-0,500 °C" << "";
    QTest::newRow("registro senza valore") << 3 << 1 << assente << "--.-" << "--.-" << "";
    QTest::newRow("bit 1") << 1 << 1 << 1.0f << "ON" << "ON" << "";
    QTest::newRow("bit 0") << 2 << 1 << 0.0f << "OFF" << "OFF" << "";
    QTest::newRow("bit senza valore") << 1 << 0 << assente << "--.-" << "--.-" << "";
    QTest::newRow("punto non configurato") << -1 << 1 << assente << "--.-" << "--.-" << "";
}

void TestPannello::testiValore()
{
    QFETCH(int, funzione);
    QFETCH(int, decimali);
    QFETCH(float, valore);
    QFETCH(QString, riga);
    QFETCH(QString, pulsante);
    QFETCH(QString, unita);
    b_->carica(zone(2, "Zone Unita=" + (unita.isEmpty() ? QStringLiteral("°C") : unita) + "\n"));
    premiZona(2);
    for (int k = 0; k < 5; ++k) {
        MappaLetturaZone[1][Decimali] = std::int16_t(decimali);
        MappaLetturaZone[1][CampoFunzioneValore(k)] = std::int16_t(funzione);
        ValoriZone[1] = {1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
        ValoriZone[1][k] = valore;
        IndiceTesto = k;
        Acquisizione::GanciAttivi().AggiornaSinottico(true, false);
        QCOMPARE(b_->s->Lab_Temp[k]->text(), riga);
        QCOMPARE(b_->s->Cmd_PuntoMon[1]->text(), pulsante);
        // Zone 1 has no readings: its button follows the same rule.
        QCOMPARE(b_->s->Cmd_PuntoMon[0]->text(), QStringLiteral("--.-"));
    }
}

void TestPannello::indiceTestoFuoriCampo()
{
    b_->carica(zone(2));
    ValoriZone[0] = {20.0f, 21.0f, 22.0f, 23.0f, 24.0f};
    IndiceTesto = 5;
    Acquisizione::GanciAttivi().AggiornaSinottico(true, false);
    QCOMPARE(b_->s->Cmd_PuntoMon[0]->text(), QStringLiteral("--.-"));
    // No zone selected: the rows show no value, the buttons are still written.
    IndiceTesto = 1;
    Acquisizione::GanciAttivi().AggiornaSinottico(true, false);
    QCOMPARE(b_->s->Cmd_PuntoMon[0]->text(), QStringLiteral("21,0 °C"));
    for (QLabel* l : b_->s->Lab_Temp)
        QCOMPARE(l->text(), QStringLiteral("--.-"));
}

void TestPannello::aspettoInterruttori_data()
{
    QTest::addColumn<QString>("punti");  // settings of switch 2
    QTest::addColumn<float>("letturaOn");
    QTest::addColumn<float>("letturaOff");
    QTest::addColumn<QString>("aspetto");

    const QString bobina = "On_r=1,0\nOff_r=1,1\nOn_w=5,0\nOff_w=5,0\nVal_on=1\nVal_off=0\n";
    const float assente = float(ValoreAssente);
    QTest::newRow("ON") << bobina << 1.0f << 1.0f << "on";
    QTest::newRow("OFF") << bobina << 0.0f << 0.0f << "off";
    QTest::newRow("entrambi: vince OFF") << bobina << 1.0f << 0.0f << "off";
    QTest::newRow("nessuno") << bobina << 0.0f << 1.0f << "ind";
    QTest::newRow("nessuna lettura") << bobina << assente << assente << "ind";
    QTest::newRow("registro con decimali, nella sua unità")
        << "Decimali=1\nOn_r=3,0\nOff_r=3,0\nOn_w=6,0\nOff_w=6,0\nVal_on=21,5\nVal_off=0\n" << 21.5f << 21.5f << "on";
    // A coil reads 0 or 1 and Val_on of a coil is stored unscaled: the device's decimals are
    // for its registers and never apply to a bit.
    QTest::newRow("bobine su un dispositivo con decimali, ON") << "Decimali=1\n" + bobina << 1.0f << 1.0f << "on";
    QTest::newRow("bobine su un dispositivo con decimali, OFF") << "Decimali=2\n" + bobina << 0.0f << 0.0f << "off";
    QTest::newRow("registro letto, bobina scritta, con decimali")
        << "Decimali=1\nOn_r=3,0\nOff_r=3,0\nOn_w=5,0\nOff_w=5,0\nVal_on=1\nVal_off=0\n" << 0.1f << 0.1f << "on";
}

void TestPannello::aspettoInterruttori()
{
    QFETCH(QString, punti);
    QFETCH(float, letturaOn);
    QFETCH(float, letturaOff);
    QFETCH(QString, aspetto);
    QString ini = zone(1);
    ini.replace("[Interruttore 02]\n", "[Interruttore 02]\nIndirizzo=12\n" + punti + "[Vecchio]\n");
    b_->carica(ini);
    ValoriInterruttori[1] = {letturaOn, letturaOff};
    ValoriInterruttori[0] = {1.0f, 1.0f};
    Acquisizione::GanciAttivi().AggiornaSinottico(false, true);
    const Sinottico& s = *b_->s;
    QCOMPARE(s.Img_on[1]->isVisible(), aspetto == "on");
    QCOMPARE(s.Img_off[1]->isVisible(), aspetto == "off");
    QCOMPARE(s.Img_ind[1]->isVisible(), aspetto == "ind");
    QVERIFY(s.Img_on[0]->isVisible() && !s.Img_off[0]->isVisible() && !s.Img_ind[0]->isVisible());
}

void TestPannello::aspettoLED_data()
{
    QTest::addColumn<int>("stato");
    QTest::addColumn<int>("look");  // -1: no look shown
    QTest::newRow("non letto") << -1 << 0;
    QTest::newRow("condizione falsa") << 0 << 1;
    for (int c = 1; c <= 5; ++c)
        QTest::addRow("colore %d", c) << c << c + 1;
    QTest::newRow("stato sconosciuto") << 9 << -1;
}

void TestPannello::aspettoLED()
{
    QFETCH(int, stato);
    QFETCH(int, look);
    b_->carica(zone(1));
    Acquisizione::GanciAttivi().MostraLED(1, stato);
    const auto looks = b_->s->LookLED();
    for (int k = 0; k < 7; ++k) {
        QCOMPARE((*looks[k])[1]->isVisible(), k == look);
        QCOMPARE((*looks[k])[0]->isVisible(), k == 1);
    }
}

void TestPannello::azzeraERipristina()
{
    b_->carica(zone(2));
    premiZona(1);
    ValoriZone[0] = {20.5f, 21.0f, 22.0f, 1.0f, 0.0f};
    ValoriZone[1][0] = 19.0f;
    ValoriInterruttori[0] = {1.0f, 1.0f};
    Acquisizione::GanciAttivi().AggiornaSinottico(true, true);
    Acquisizione::GanciAttivi().MostraLED(0, 3);
    QCOMPARE(b_->s->Lab_Temp[3]->text(), QStringLiteral("ON"));
    QVERIFY(b_->s->Img_on[0]->isVisible());

    // The stop: no reading anywhere, switches OFF, LEDs in the look of state 0.
    b_->s->AzzeraSinottico();
    b_->s->RipristinaIcone();
    for (QLabel* l : b_->s->Lab_Temp)
        QCOMPARE(l->text(), QStringLiteral("--.-"));
    for (QPushButton* p : b_->s->Cmd_PuntoMon)
        QCOMPARE(p->text(), QStringLiteral("--.-"));
    for (int i = 0; i < 3; ++i)
        QVERIFY(b_->s->Img_off[i]->isVisible() && !b_->s->Img_on[i]->isVisible() && !b_->s->Img_ind[i]->isVisible());
    for (int j = 0; j < 2; ++j)
        QVERIFY(b_->s->Img_L1[j]->isVisible() && !b_->s->Img_L4[j]->isVisible());
}

void TestPannello::chiusuraEScomparsa()
{
    b_->carica(zone(2));
    premiZona(2);
    ValoriZone[1][0] = 18.5f;

    // Hiding the window closes the panel but keeps the zone: its rows go on following it.
    b_->s->hide();
    QCOMPARE(ZonaSelezionata, 2);
    QVERIFY(b_->s->Pic_Info->isHidden());
    Acquisizione::GanciAttivi().AggiornaSinottico(true, false);
    QCOMPARE(b_->s->Lab_Temp[0]->text(), QStringLiteral("18,5"));

    b_->s->show();
    premiZona(2);
    QTest::mouseClick(b_->s->Cmd_Chiudi, Qt::LeftButton);
    QCOMPARE(ZonaSelezionata, -1);
    QVERIFY(b_->s->Pic_Info->isHidden());
    Acquisizione::GanciAttivi().AggiornaSinottico(true, false);
    QCOMPARE(b_->s->Lab_Temp[0]->text(), QStringLiteral("--.-"));
}

QTEST_MAIN(TestPannello)
#include "tst_pannello.moc"
