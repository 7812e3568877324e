// The whole-configuration load on real settings files in a temporary program folder.
#include "caricamento.h"
#include "cartellatemporanea.h"
#include "generale.h"
#include "testo1252.h"
#include "vista_configurazione.h"

#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>
#include <stdexcept>

using namespace Generale;
using Configurazione::CaricaImpostazioni;
using Configurazione::Vista;

class TestCaricamento : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void fileVuotoDaIPredefiniti_data();
    void fileVuotoDaIPredefiniti();
    void valoriEScarti_data();
    void valoriEScarti();
    void posizioniENomi_data();
    void posizioniENomi();
    void tabelleIndirizzi_data();
    void tabelleIndirizzi();
    void zoneSlave();
    void righeOltreIlConteggio();
    void ricaricaSenzaDoppioni();
    void attivitaLinea_data();
    void attivitaLinea();
    void seriale_data();
    void seriale();
    void cronoAzzeratoSoloAlPrimoCaricamento();
    void opzioneCronoSoloInModoStagioni_data();
    void opzioneCronoSoloInModoStagioni();
    void armaAvvioAutomatico_data();
    void armaAvvioAutomatico();
    void ordineEIsolamentoDeiPassi();
    void nonCedeAgliEventi();

private:
    void scriviIni(const QString& testo);
    std::unique_ptr<CartellaTemporanea> cartella_;
};

void TestCaricamento::init()
{
    cartella_ = std::make_unique<CartellaTemporanea>();
    ModoStagioni = true;
    FileImpostazioni = QStringLiteral("Quelvar1.ini");
    AvvioInCorso = false;
    Vista = {};
}

void TestCaricamento::cleanup()
{
    Vista = {};
    cartella_.reset();
}

void TestCaricamento::scriviIni(const QString& testo)
{
    QString crlf = testo;
    crlf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    cartella_->scrivi(FileImpostazioni, Piattaforma::In1252(crlf));
}

template <typename Riga>
QList<int> lista(const Riga& r)
{
    return QList<int>(r.begin(), r.end());
}

void TestCaricamento::fileVuotoDaIPredefiniti_data()
{
    QTest::addColumn<QString>("contenuto");  // "-" = no file
    QTest::newRow("nessun file") << "-";
    QTest::newRow("file vuoto") << "";
    QTest::newRow("sezioni senza chiavi") << "[Generale]\n[COM]\n[Grafico]\n[Sinottico]\n[Zona 01]\n";
}

void TestCaricamento::fileVuotoDaIPredefiniti()
{
    QFETCH(QString, contenuto);
    if (contenuto != QLatin1String("-"))
        scriviIni(contenuto);
    // Leftovers of an earlier plant that the load must replace.
    NumeroZone = 4;
    MappaLetturaZone[0][Nodo] = 9;
    ListeComunicazione[ListaLetture] = QStringList{QStringLiteral("vecchia")};
    QList<int> porte;
    QStringList pannello;
    Vista.ProvaSeriale = [&](int p) { porte << p; return true; };
    Vista.MostraStatoPorta = [&](const QString& t) { pannello << t; };

    CaricaImpostazioni();

    QCOMPARE(NumeroZone, 0);
    QCOMPARE(NumeroInterruttori, 0);
    QCOMPARE(NumeroLED, 0);
    QCOMPARE(ApriportaPresente, 0);
    QCOMPARE(WebcamPresente, 0);
    QCOMPARE(NomeApriporta, QStringLiteral("Apriporta"));
    QCOMPARE(NomeWebcam, QStringLiteral("Webcam"));
    QCOMPARE(UnitaMisura, QStringLiteral("°C"));
    QCOMPARE(IndiceTesto, 1);
    QCOMPARE(IndiceGrafico, 1);
    QCOMPARE(IndiceCrono, 0);
    QCOMPARE(TemperaturaMinimaAssoluta, -200.0f);
    QCOMPARE(TemperaturaMassimaAssoluta, 200.0f);
    QCOMPARE(ImmaginePianta, QStringLiteral("Pianta.jpg"));
    QCOMPARE(SuonoPorta, QString());
    QCOMPARE(SuonoAllarme, QString());
    QCOMPARE(ZonaSelezionata, -1);
    for (const QStringList& l : ListeComunicazione)
        QVERIFY(l.isEmpty());
    for (const auto& r : MappaLetturaZone)
        QCOMPARE(lista(r), lista(RigaVuota<RigaMappaZona>()));
    QCOMPARE(lista(MappaScritturaApriporta[0]), lista(RigaVuota<RigaMappaInterruttore>()));
    QCOMPARE(LetturaAttivita, (std::array<long, 3>{-1, -1, -1}));
    QCOMPARE(BaseMisura, 60);
    QCOMPARE(BaseRemoto, 3);
    QCOMPARE(BaseLED, 3);
    QCOMPARE(MBus::NumeroTentativi, 1L);
    QCOMPARE(MBus::AttesaRisposta, 0.5f);
    QCOMPARE(porte, QList<int>{1});
    QCOMPARE(pannello, QStringList{QStringLiteral("COM1:9600,N,8,1")});
    QVERIFY(PortaSerialeValida);
    QVERIFY(AvvioAutomatico);
    QVERIFY(!GraficiAbilitati);
    QVERIFY(!CronotermostatoAbilitato);
    QVERIFY(!MasterSlaveAbilitato);
    QCOMPARE(ValoreAllineato, (std::array<bool, 5>{}));
    QVERIFY(!ModoRemoto);
    QVERIFY(!AttivitaLinea);
    QCOMPARE(TempoApriporta, 1000);
    QCOMPARE(TestiStato[2], QStringLiteral("--.-"));
}

// One key, one value, what it becomes; "prima" is the value the variable holds before the load
// (a text that does not convert leaves it so).
namespace {
using Grandezza = std::function<int()>;
const QMap<QString, Grandezza>& grandezze()
{
    static const QMap<QString, Grandezza> m{
        {"NumeroZone", [] { return NumeroZone; }},
        {"NumeroInterruttori", [] { return NumeroInterruttori; }},
        {"NumeroLED", [] { return NumeroLED; }},
        {"ApriportaPresente", [] { return ApriportaPresente; }},
        {"WebcamPresente", [] { return WebcamPresente; }},
        {"IndiceTesto", [] { return IndiceTesto; }},
        {"IndiceGrafico", [] { return IndiceGrafico; }},
        {"IndiceCrono", [] { return IndiceCrono; }},
        {"BaseMisura", [] { return BaseMisura; }},
        {"BaseRemoto", [] { return BaseRemoto; }},
        {"BaseLED", [] { return BaseLED; }},
        {"NumeroTentativi", [] { return int(MBus::NumeroTentativi); }},
        {"AttesaMs", [] { return qRound(MBus::AttesaRisposta * 1000); }},
        {"TempoApriporta", [] { return TempoApriporta; }},
        {"ModoRemoto", [] { return int(ModoRemoto); }},
        {"AvvioAutomatico", [] { return int(AvvioAutomatico); }},
        {"GraficiAbilitati", [] { return int(GraficiAbilitati); }},
        {"MasterSlaveAbilitato", [] { return int(MasterSlaveAbilitato); }},
        {"Allineato0", [] { return int(ValoreAllineato[0]); }},
        {"TMinAss", [] { return int(TemperaturaMinimaAssoluta); }},
    };
    return m;
}
void imposta(const QString& nome, int v)
{
    if (nome == "IndiceTesto") IndiceTesto = v;
    else if (nome == "BaseMisura") BaseMisura = v;
    else if (nome == "TempoApriporta") TempoApriporta = v;
    else if (nome == "TMinAss") TemperaturaMinimaAssoluta = float(v);
}
}  // namespace

void TestCaricamento::valoriEScarti_data()
{
    QTest::addColumn<QString>("sezione");
    QTest::addColumn<QString>("chiave");
    QTest::addColumn<QString>("valore");
    QTest::addColumn<QString>("grandezza");
    QTest::addColumn<int>("prima");
    QTest::addColumn<int>("attesa");
    const int _ = 0;
    QTest::newRow("zone 35") << "Generale" << "Zone" << "35" << "NumeroZone" << _ << 30;
    QTest::newRow("zone -3") << "Generale" << "Zone" << "-3" << "NumeroZone" << _ << 0;
    QTest::newRow("zone testo") << "Generale" << "Zone" << "tre" << "NumeroZone" << _ << 0;
    QTest::newRow("zone oltre 16 bit") << "Generale" << "Zone" << "65539" << "NumeroZone" << _ << 0;
    QTest::newRow("zone 2,5 pari") << "Generale" << "Zone" << "2,5" << "NumeroZone" << _ << 2;
    QTest::newRow("zone 3.5 pari") << "Generale" << "Zone" << "3.5" << "NumeroZone" << _ << 4;
    QTest::newRow("interruttori 12") << "Generale" << "Interruttori" << "12" << "NumeroInterruttori" << _ << 10;
    QTest::newRow("led 11") << "Generale" << "LED" << "11" << "NumeroLED" << _ << 10;
    QTest::newRow("apriporta 2") << "Generale" << "Apriporta" << "2" << "ApriportaPresente" << _ << 1;
    QTest::newRow("apriporta -1") << "Generale" << "Apriporta" << "-1" << "ApriportaPresente" << _ << 1;
    QTest::newRow("apriporta 0") << "Generale" << "Apriporta" << "0" << "ApriportaPresente" << _ << 0;
    QTest::newRow("apriporta si") << "Generale" << "Apriporta" << "si" << "ApriportaPresente" << _ << 0;
    QTest::newRow("webcam 1") << "Generale" << "Webcam" << "1" << "WebcamPresente" << _ << 1;
    QTest::newRow("testo 5") << "Generale" << "Zone Testo" << "5" << "IndiceTesto" << 3 << 1;
    QTest::newRow("testo -1") << "Generale" << "Zone Testo" << "-1" << "IndiceTesto" << 3 << 1;
    QTest::newRow("testo non numero") << "Generale" << "Zone Testo" << "PV" << "IndiceTesto" << 3 << 3;
    QTest::newRow("grafico 4") << "Generale" << "Zone Grafico" << "4" << "IndiceGrafico" << _ << 4;
    QTest::newRow("crono 7") << "Generale" << "Zone Crono" << "7" << "IndiceCrono" << _ << 0;
    QTest::newRow("misura 301") << "COM" << "Base Misura" << "301" << "BaseMisura" << _ << 300;
    QTest::newRow("misura -1") << "COM" << "Base Misura" << "-1" << "BaseMisura" << _ << 300;
    QTest::newRow("misura 300") << "COM" << "Base Misura" << "300" << "BaseMisura" << _ << 300;
    QTest::newRow("misura 0") << "COM" << "Base Misura" << "0" << "BaseMisura" << _ << 0;
    QTest::newRow("misura non numero") << "COM" << "Base Misura" << "x" << "BaseMisura" << 45 << 45;
    QTest::newRow("misura oltre 16 bit") << "COM" << "Base Misura" << "70000" << "BaseMisura" << 45 << 45;
    QTest::newRow("remoto 31") << "COM" << "Base Remoto" << "31" << "BaseRemoto" << _ << 30;
    QTest::newRow("led -5") << "COM" << "Base LED" << "-5" << "BaseLED" << _ << 30;
    QTest::newRow("retry 3") << "COM" << "Retry" << "3" << "NumeroTentativi" << _ << 3;
    QTest::newRow("retry enorme") << "COM" << "Retry" << "2000000000" << "NumeroTentativi" << _ << 5;
    QTest::newRow("retry 0") << "COM" << "Retry" << "0" << "NumeroTentativi" << _ << 1;
    QTest::newRow("timeout 50") << "COM" << "TimeOut" << "50" << "AttesaMs" << _ << 50;
    QTest::newRow("timeout 1000") << "COM" << "TimeOut" << "1000" << "AttesaMs" << _ << 1000;
    QTest::newRow("timeout enorme") << "COM" << "TimeOut" << "9e9" << "AttesaMs" << _ << 1000;
    QTest::newRow("tempo 700") << "Apriporta" << "Tempo" << "700" << "TempoApriporta" << _ << 700;
    QTest::newRow("tempo 50") << "Apriporta" << "Tempo" << "50" << "TempoApriporta" << _ << 100;
    QTest::newRow("tempo enorme") << "Apriporta" << "Tempo" << "99999999" << "TempoApriporta" << _ << 2000;
    QTest::newRow("tempo non numero") << "Apriporta" << "Tempo" << "x" << "TempoApriporta" << 700 << 700;
    QTest::newRow("remoto 2 spento") << "COM" << "Remoto" << "2" << "ModoRemoto" << _ << 0;
    QTest::newRow("remoto 1") << "COM" << "Remoto" << "1" << "ModoRemoto" << _ << 1;
    QTest::newRow("remoto testo") << "COM" << "Remoto" << "on" << "ModoRemoto" << _ << 0;
    QTest::newRow("avvio 00 manuale") << "Generale" << "AutoAvvio" << "00" << "AvvioAutomatico" << _ << 0;
    QTest::newRow("avvio 0") << "Generale" << "AutoAvvio" << "0" << "AvvioAutomatico" << _ << 1;
    QTest::newRow("grafico 2") << "Generale" << "Grafico" << "2" << "GraficiAbilitati" << _ << 1;
    QTest::newRow("master 1") << "Generale" << "Master" << "1" << "MasterSlaveAbilitato" << _ << 1;
    QTest::newRow("master_1 1") << "Generale" << "Master_1" << "1" << "Allineato0" << _ << 1;
    QTest::newRow("master_1 2") << "Generale" << "Master_1" << "2" << "Allineato0" << _ << 0;
    QTest::newRow("t_min_ass -100") << "Grafico" << "T_Min_Ass" << "-100" << "TMinAss" << _ << -100;
    QTest::newRow("t_min_ass oltre float") << "Grafico" << "T_Min_Ass" << "-1e300" << "TMinAss" << -50 << -50;
}

void TestCaricamento::valoriEScarti()
{
    QFETCH(QString, sezione);
    QFETCH(QString, chiave);
    QFETCH(QString, valore);
    QFETCH(QString, grandezza);
    QFETCH(int, prima);
    QFETCH(int, attesa);
    scriviIni(QStringLiteral("[%1]\n%2=%3\n").arg(sezione, chiave, valore));
    imposta(grandezza, prima);
    CaricaImpostazioni();
    QCOMPARE(grandezze().value(grandezza)(), attesa);
}

void TestCaricamento::posizioniENomi_data()
{
    QTest::addColumn<QString>("x");
    QTest::addColumn<int>("sinistra");
    QTest::newRow("virgola sotto la metà") << "1234,4" << 1234;
    QTest::newRow("virgola, metà a pari") << "1234,5" << 1234;
    QTest::newRow("punto, oltre la metà") << "1234.6" << 1235;
    QTest::newRow("punto, metà a pari") << "1235.5" << 1236;
    QTest::newRow("intero") << "4500" << 4500;
    QTest::newRow("non numero resta") << "sinistra" << 777;
}

void TestCaricamento::posizioniENomi()
{
    QFETCH(QString, x);
    QFETCH(int, sinistra);
    scriviIni(QStringLiteral("[Generale]\nZone=7\n[Zona 07]\nX=%1\n[Zona 01]\nNome= Caldaia \n").arg(x));
    PosizioniZone[6].X = 777;
    CaricaImpostazioni();
    QCOMPARE(PosizioniZone[6].X, sinistra);
    QCOMPARE(PosizioniZone[6].Y, 300);
    QCOMPARE(NomiZone[6], QStringLiteral("Zona 07"));
    QCOMPARE(NomiZone[0], QStringLiteral("Caldaia"));
}

// ---- Address tables ----------------------------------------------------------------------------

namespace {
QList<int> riga(const QString& nome)
{
    const QStringList p = nome.split(QLatin1Char(' '));
    const int i = p.value(1).toInt();
    if (p[0] == "zonaL") return lista(MappaLetturaZone[i]);
    if (p[0] == "zonaS") return lista(MappaScritturaZone[i]);
    if (p[0] == "intL") return lista(MappaLetturaInterruttori[i]);
    if (p[0] == "intS") return lista(MappaScritturaInterruttori[i]);
    if (p[0] == "apL") return lista(MappaLetturaApriporta[0]);
    if (p[0] == "apS") return lista(MappaScritturaApriporta[0]);
    if (p[0] == "ledL") return lista(MappaLetturaLED[i]);
    if (p[0] == "ledS") return lista(MappaScritturaLED[i]);
    return {};
}
constexpr int _ = -1;
}  // namespace

void TestCaricamento::tabelleIndirizzi_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QString>("riga");
    QTest::addColumn<QList<int>>("campi");
    QTest::addColumn<int>("lista");
    QTest::addColumn<QStringList>("voci");

    const QString z1 = "[Generale]\nZone=1\n[Zona 01]\nIndirizzo=5\n";
    QTest::newRow("zona, PV con decimale")
        << z1 + "Decimali=1\nPV_r=3,100\n" << "zonaL 0" << QList<int>{5, 1, _, _, 3, 100, _, _, _, _, _, _, _, _}
        << int(ListaLetture) << QStringList{"100>5:3,100 [1]"};
    QTest::newRow("zona, spazi intorno alla virgola")
        << z1 + "PV_r=3,100\nSP_r=3 , 101\n" << "zonaL 0" << QList<int>{5, 0, _, _, 3, 100, 3, 101, _, _, _, _, _, _}
        << int(ListaLetture) << QStringList{"100>5:3 , 101 [0]", "100>5:3,100 [0]"};
    QTest::newRow("zona, punto senza virgola")
        << z1 + "PV_r=3100\n" << "zonaL 0" << QList<int>{5, 0, _, _, _, _, _, _, _, _, _, _, _, _}
        << int(ListaLetture) << QStringList{};
    QTest::newRow("zona, bit senza decimali nella voce")
        << z1 + "Decimali=2\nAL1_r=1,7\n" << "zonaL 0" << QList<int>{5, 2, _, _, _, _, _, _, 1, 7, _, _, _, _}
        << int(ListaLetture) << QStringList{"100>5:1,7 [0]"};
    QTest::newRow("zona, remoto in lettura")
        << z1 + "Decimali=1\nREM_r=1,50\n" << "zonaL 0" << QList<int>{5, 1, 1, 50, _, _, _, _, _, _, _, _, _, _}
        << int(ListaRemL) << QStringList{"100>5:1,50 [0]"};
    QTest::newRow("zona, scrittura")
        << z1 + "Decimali=1\nSP_w=6,101\nREM_w=5,2\n" << "zonaS 0"
        << QList<int>{5, 1, 5, 2, _, _, 6, 101, _, _, _, _, _, _} << int(ListaScritture) << QStringList{"100>5:6,101 [1]"};
    QTest::newRow("zona, scrittura del remoto")
        << z1 + "REM_w=5,2\n" << "zonaS 0" << QList<int>{5, 0, 5, 2, _, _, _, _, _, _, _, _, _, _}
        << int(ListaRemW) << QStringList{"100>5:5,2 [0]"};
    QTest::newRow("decimali 7") << z1 + "Decimali=7\nPV_r=3,1\n" << "zonaL 0"
                                << QList<int>{5, 0, _, _, 3, 1, _, _, _, _, _, _, _, _} << int(ListaLetture)
                                << QStringList{"100>5:3,1 [0]"};
    QTest::newRow("decimali non numero") << z1 + "Decimali=uno\nPV_r=3,1\n" << "zonaL 0"
                                         << QList<int>{5, 0, _, _, 3, 1, _, _, _, _, _, _, _, _} << int(ListaLetture)
                                         << QStringList{"100>5:3,1 [0]"};
    QTest::newRow("punto che non converte")
        << z1 + "PV_r=3,abc\nSP_r=x,4\nAL1_r=3,40000\nAL2_r=3,7\n" << "zonaL 0"
        << QList<int>{5, 0, _, _, _, _, _, _, _, _, 3, 7, _, _} << int(ListaLetture) << QStringList{"100>5:3,7 [0]"};
    // -1 marks "no point" in the rows: a negative code or register is no Modbus point, and would
    // otherwise be listed (and read as the keep-alive) with a row that says it is not there.
    QTest::newRow("codice o registro negativo")
        << z1 + "PV_r=3,-1\nSP_r=-3,4\nAL1_r=3,-100\nAL2_r=-1,-1\nAL3_r=4,0\n" << "zonaL 0"
        << QList<int>{5, 0, _, _, _, _, _, _, _, _, _, _, 4, 0} << int(ListaLetture) << QStringList{"100>5:4,0 [0]"};

    const QList<int> zonaVuota(14, -1);
    const QString senzaNodo = "[Generale]\nZone=1\n[Zona 01]\nIndirizzo=%1\nPV_r=3,100\nREM_w=5,1\n";
    for (const char* nodo : {"0", "256", "-3", "", "cinque", "99999"})
        for (const char* r : {"zonaL 0", "zonaS 0"})
            QTest::addRow("nodo '%s' %s", nodo, r)
                << senzaNodo.arg(QString::fromLatin1(nodo)) << r << zonaVuota << int(ListaLetture) << QStringList{};
    QTest::newRow("nessuna eredità del nodo")
        << "[Generale]\nZone=2\n[Zona 01]\nIndirizzo=5\nPV_r=3,100\n[Zona 02]\nPV_r=3,200\nSP_r=3,201\n"
        << "zonaL 1" << zonaVuota << int(ListaLetture) << QStringList{"100>5:3,100 [0]"};
    QTest::newRow("nodo 255 valido") << "[Generale]\nZone=1\n[Zona 01]\nIndirizzo=255\nPV_r=4,0\n" << "zonaL 0"
                                     << QList<int>{255, 0, _, _, 4, 0, _, _, _, _, _, _, _, _} << int(ListaLetture)
                                     << QStringList{"100>255:4,0 [0]"};

    const QString i1 = "[Generale]\nInterruttori=1\n[Interruttore 01]\nIndirizzo=7\n";
    QTest::newRow("interruttore, registro scalato")
        << i1 + "Decimali=1\nOn_w=6,40\nVal_on=12.5\n" << "intS 0"
        << QList<int>{7, 1, _, _, 6, 40, _, _, 125, _, _, _} << int(ListaScritture) << QStringList{"200>7:6,40 @ 125 [1]"};
    QTest::newRow("interruttore, valore copiato nella lettura")
        << i1 + "Decimali=1\nOn_w=6,40\nVal_on=12.5\nOn_r=3,40\nOff_r=1,41\n" << "intL 0"
        << QList<int>{7, 1, _, _, 3, 40, 1, 41, 125, _, _, _} << int(ListaLetture)
        << QStringList{"200>7:1,41 [0]", "200>7:3,40 [1]"};
    QTest::newRow("interruttore, bobina")
        << i1 + "Decimali=1\nOn_w=5,40\nVal_on=1\nOff_w=5,40\nVal_off=0\n" << "intS 0"
        << QList<int>{7, 1, _, _, 5, 40, 5, 40, 1, 0, _, _} << int(ListaScritture)
        << QStringList{"200>7:5,40 @ 0 [0]", "200>7:5,40 @ 1 [0]"};
    QTest::newRow("interruttore, valore negativo")
        << i1 + "Off_w=6,3\nVal_off=-2\n" << "intS 0" << QList<int>{7, 0, _, _, _, _, 6, 3, _, -2, _, _}
        << int(ListaScritture) << QStringList{"200>7:6,3 @ -2 [0]"};
    QTest::newRow("interruttore senza On_w")
        << i1 + "Val_on=4\n" << "intL 0" << QList<int>{7, 0, _, _, _, _, _, _, _, _, _, _} << int(ListaScritture)
        << QStringList{};
    QTest::newRow("valore che non converte lascia il punto")
        << i1 + "On_w=6,40\nVal_on=acceso\nOff_w=6,41\nVal_off=99999\n" << "intS 0"
        << QList<int>{7, 0, _, _, _, _, _, _, _, _, _, _} << int(ListaScritture) << QStringList{};

    const QString l1 = "[Generale]\nLED=1\n[LED 01]\nIndirizzo=5\n";
    QTest::newRow("led, soglia e condizione")
        << l1 + "Decimali=1\nP1_r=3,200\nVal=21,5\nCondizione=3\n" << "ledL 0"
        << QList<int>{5, 1, _, _, 3, 200, 215, 1, 3} << int(ListaLetture) << QStringList{"300>5:3,200 @ >215 [1]"};
    QTest::newRow("led, colore e condizione fuori campo")
        << l1 + "P1_r=2,9\nCol=7\nCondizione=0\n" << "ledL 0" << QList<int>{5, 0, _, _, 2, 9, 0, 1, 1}
        << int(ListaLetture) << QStringList{"300>5:2,9 @ >=0 [0]"};
    QTest::newRow("led, colore non numero")
        << l1 + "P1_r=3,9\nCol=rosso\nCondizione=6\nVal=4\n" << "ledL 0" << QList<int>{5, 0, _, _, 3, 9, 4, 1, 6}
        << int(ListaLetture) << QStringList{"300>5:3,9 @ <>4 [0]"};
    QTest::newRow("led senza P1") << l1 + "REM_r=1,10\nCol=3\n" << "ledL 0" << QList<int>{5, 0, 1, 10, _, _, _, _, _}
                                  << int(ListaRemL) << QStringList{"300>5:1,10 [0]"};
    QTest::newRow("led, soglia che non converte")
        << l1 + "P1_r=3,9\nVal=alta\n" << "ledL 0" << QList<int>{5, 0, _, _, _, _, _, _, _} << int(ListaLetture)
        << QStringList{};
    QTest::newRow("led, scrittura") << l1 + "REM_w=5,10\nP1_r=3,9\n" << "ledS 0"
                                    << QList<int>{5, 0, 5, 10, _, _, _, _, _} << int(ListaRemW)
                                    << QStringList{"300>5:5,10 [0]"};

    QTest::newRow("apriporta in lettura anche se non in uso")
        << "[Generale]\nApriporta=0\n[Apriporta]\nIndirizzo=9\nREM_r=1,5\nOn_w=5,1\n" << "apL"
        << QList<int>{9, 0, 1, 5, _, _, _, _, _, _, _, _} << int(ListaRemL) << QStringList{"400>9:1,5 [0]"};
    QTest::newRow("apriporta in scrittura")
        << "[Apriporta]\nIndirizzo=9\nOn_w=5,1\nVal_on=1\nOff_w=5,1\nVal_off=0\n" << "apS"
        << QList<int>{9, 0, _, _, 5, 1, 5, 1, 1, 0, _, _} << int(ListaScritture)
        << QStringList{"400>9:5,1 @ 0 [0]", "400>9:5,1 @ 1 [0]"};
    QTest::newRow("apriporta senza nodo") << "[Apriporta]\nOn_w=5,1\nVal_on=1\n" << "apS"
                                          << QList<int>(12, -1) << int(ListaScritture) << QStringList{};

    QTest::newRow("ordine delle voci tra dispositivi")
        << "[Generale]\nZone=2\nInterruttori=1\nLED=1\n[Zona 02]\nIndirizzo=12\nPV_r=3,1\n[Zona 01]\nIndirizzo=3\n"
           "AL3_r=4,9\n[Interruttore 01]\nIndirizzo=2\nOn_r=1,1\n[LED 01]\nIndirizzo=1\nP1_r=3,5\n"
        << "zonaL 0" << QList<int>{3, 0, _, _, _, _, _, _, _, _, _, _, 4, 9} << int(ListaLetture)
        << QStringList{"100>3:4,9 [0]", "101>12:3,1 [0]", "200>2:1,1 [0]", "300>1:3,5 @ >=0 [0]"};
}

void TestCaricamento::tabelleIndirizzi()
{
    QFETCH(QString, ini);
    QFETCH(QString, riga);
    QFETCH(QList<int>, campi);
    QFETCH(int, lista);
    QFETCH(QStringList, voci);
    scriviIni(ini);
    CaricaImpostazioni();
    QCOMPARE(::riga(riga), campi);
    QCOMPARE(ListeComunicazione[lista], voci);
}

void TestCaricamento::zoneSlave()
{
    scriviIni("[Generale]\nZone=6\n[Zona 01]\nIndirizzo=1\nSlave=1\n[Zona 02]\nIndirizzo=2\nSlave= 1 \n"
              "[Zona 03]\nIndirizzo=3\nSlave=0\n[Zona 04]\nIndirizzo=4\nSlave=si\n[Zona 05]\nSlave=1\n"
              "[Zona 07]\nSlave=1\n");
    CaricaImpostazioni();
    QCOMPARE(ZonaSlave, (std::array<bool, MaxZone>{false, true, false, true, true}));
}

void TestCaricamento::righeOltreIlConteggio()
{
    QString ini = "[Generale]\nZone=%1\nInterruttori=5\nLED=%2\n";
    for (int i = 1; i <= 5; ++i)
        ini += QStringLiteral("[Zona 0%1]\nIndirizzo=%1\nPV_r=3,%1\nSP_w=6,%1\nSlave=1\n").arg(i);
    for (int i = 1; i <= 3; ++i)
        ini += QStringLiteral("[LED 0%1]\nIndirizzo=%1\nREM_w=5,%1\nP1_r=3,%1\n").arg(i);
    scriviIni(ini.arg(5).arg(3));
    CaricaImpostazioni();
    QCOMPARE(ListeComunicazione[ListaLetture].size(), 5 + 3);
    QCOMPARE(MappaScritturaLED[2][Nodo], 3);

    scriviIni(ini.arg(3).arg(2));
    CaricaImpostazioni();
    QCOMPARE(NumeroZone, 3);
    for (int i = 3; i < MaxZone; ++i) {
        QCOMPARE(lista(MappaLetturaZone[i]), QList<int>(14, -1));
        QCOMPARE(lista(MappaScritturaZone[i]), QList<int>(14, -1));
        QVERIFY(!ZonaSlave[i]);
    }
    QVERIFY(ZonaSlave[2]);
    QCOMPARE(MappaScritturaLED[1][Nodo], 2);
    for (int i = 2; i < MaxLED; ++i)
        QCOMPARE(lista(MappaScritturaLED[i]), QList<int>(9, -1));
    QCOMPARE(ListeComunicazione[ListaLetture],
             (QStringList{"100>1:3,1 [0]", "101>2:3,2 [0]", "102>3:3,3 [0]", "300>1:3,1 @ >=0 [0]",
                          "301>2:3,2 @ >=0 [0]"}));

    scriviIni(ini.arg(5).arg(3));
    CaricaImpostazioni();
    QCOMPARE(MappaLetturaZone[4][RegistroPV], 5);
    QVERIFY(ZonaSlave[4]);
    QCOMPARE(ListeComunicazione[ListaLetture].size(), 5 + 3);
}

void TestCaricamento::ricaricaSenzaDoppioni()
{
    scriviIni("[Generale]\nZone=2\nInterruttori=1\n[Zona 01]\nIndirizzo=1\nPV_r=3,1\nREM_r=1,1\nREM_w=5,1\nPV_w=6,1\n"
              "[Zona 02]\nIndirizzo=2\nPV_r=3,1\n[Interruttore 01]\nIndirizzo=3\nOn_w=5,1\nVal_on=1\n"
              "[Apriporta]\nIndirizzo=4\nREM_r=1,2\n");
    CaricaImpostazioni();
    const auto prima = ListeComunicazione;
    QCOMPARE(prima[ListaLetture].size(), 2);
    CaricaImpostazioni();
    CaricaImpostazioni();
    QCOMPARE(ListeComunicazione, prima);
}

void TestCaricamento::attivitaLinea_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<bool>("attiva");
    QTest::addColumn<QList<int>>("lettura");
    QTest::newRow("spenta") << "[COM]\nAttivita=0\n[Generale]\nZone=1\n[Zona 01]\nIndirizzo=1\nPV_r=3,0\n" << false
                            << QList<int>{-1, -1, -1};
    QTest::newRow("nessuna voce di lettura")
        << "[COM]\nAttivita=1\n[Generale]\nZone=1\n[Zona 01]\nIndirizzo=1\nREM_r=1,0\n" << false << QList<int>{-1, -1, -1};
    QTest::newRow("prima zona") << "[COM]\nAttivita=1\n[Generale]\nZone=2\n[Zona 02]\nIndirizzo=1\nPV_r=3,0\n"
                                   "[Zona 01]\nIndirizzo=17\nDecimali=1\nSP_r=3 , 12\nAL1_r=4,99\n"
                                << true << QList<int>{17, 3, 12};
    QTest::newRow("solo un led") << "[COM]\nAttivita=1\n[Generale]\nLED=1\n[LED 01]\nIndirizzo=5\nDecimali=1\n"
                                    "P1_r=3,200\nVal=21,5\nCondizione=3\n"
                                 << true << QList<int>{5, 3, 200};
}

void TestCaricamento::attivitaLinea()
{
    QFETCH(QString, ini);
    QFETCH(bool, attiva);
    QFETCH(QList<int>, lettura);
    LetturaAttivita = {7, 7, 7};
    scriviIni(ini);
    CaricaImpostazioni();
    QCOMPARE(AttivitaLinea, attiva);
    QCOMPARE((QList<int>{int(LetturaAttivita[0]), int(LetturaAttivita[1]), int(LetturaAttivita[2])}), lettura);
}

void TestCaricamento::seriale_data()
{
    QTest::addColumn<QString>("porta");
    QTest::addColumn<QString>("formato");
    QTest::addColumn<bool>("provaRiesce");
    QTest::addColumn<QList<int>>("provate");
    QTest::addColumn<QString>("pannello");
    QTest::newRow("porta 3 a 19200") << "3" << "19200,N,8,1" << true << QList<int>{3} << "COM3:19200,N,8,1";
    QTest::newRow("prova fallita") << "3" << "19200,N,8,1" << false << QList<int>{3} << "Nessuna COM";
    QTest::newRow("parità pari") << "2" << "9600,E,7,2" << true << QList<int>{2} << "COM2:9600,E,7,2";
    QTest::newRow("parità sconosciuta") << "1" << "9600,X,8,1" << true << QList<int>{} << "Nessuna COM";
    QTest::newRow("velocità strana") << "1" << "9601,N,8,1" << true << QList<int>{} << "Nessuna COM";
    QTest::newRow("tre campi") << "1" << "9600,N,8" << true << QList<int>{} << "Nessuna COM";
    QTest::newRow("bit di dati 9") << "1" << "9600,N,9,1" << true << QList<int>{} << "Nessuna COM";
    QTest::newRow("formato vuoto") << "1" << "\"\"" << true << QList<int>{} << "Nessuna COM";
    QTest::newRow("porta non numero") << "COM1" << "9600,N,8,1" << true << QList<int>{} << "Nessuna COM";
    QTest::newRow("porta 0") << "0" << "9600,N,8,1" << true << QList<int>{} << "Nessuna COM";
}

void TestCaricamento::seriale()
{
    QFETCH(QString, porta);
    QFETCH(QString, formato);
    QFETCH(bool, provaRiesce);
    QFETCH(QList<int>, provate);
    QFETCH(QString, pannello);
    scriviIni(QStringLiteral("[COM]\nPorta=%1\nFormato=%2\n").arg(porta, formato));
    QList<int> porte;
    QString applicata;
    QString testo;
    Vista.ProvaSeriale = [&](int p) { porte << p; return provaRiesce; };
    Vista.ImpostaPortaSeriale = [&](int p, const QString& f) { applicata = QStringLiteral("%1 %2").arg(p).arg(f); };
    Vista.MostraStatoPorta = [&](const QString& t) { testo = t; };
    PortaSerialeValida = !provaRiesce;
    CaricaImpostazioni();
    QCOMPARE(porte, provate);
    QCOMPARE(testo, pannello);
    const bool valida = pannello != QLatin1String("Nessuna COM");
    QCOMPARE(PortaSerialeValida, valida);
    QCOMPARE(applicata, valida ? QStringLiteral("%1 %2").arg(porta, formato) : QString());
}

void TestCaricamento::cronoAzzeratoSoloAlPrimoCaricamento()
{
    scriviIni("[Generale]\nZone=1\n");
    DimenticaPrimoCaricamento();
    TabellaCrono[40][0][3] = 17.5f;
    ValoriZone[0][0] = 21.0f;
    CaricaImpostazioni();
    QCOMPARE(TabellaCrono[40][0][3], 20.0f);
    QCOMPARE(ValoriZone[0][0], float(ValoreAssente));

    // What the chrono file read after the first load put there stays through every reload.
    TabellaCrono[40][0][3] = 17.5f;
    ValoriZone[0][0] = 21.0f;
    CaricaImpostazioni();
    CaricaImpostazioni();
    QCOMPARE(TabellaCrono[40][0][3], 17.5f);
    QCOMPARE(ValoriZone[0][0], float(ValoreAssente));
}

void TestCaricamento::opzioneCronoSoloInModoStagioni_data()
{
    QTest::addColumn<bool>("stagioni");
    QTest::addColumn<QString>("opzione");
    QTest::addColumn<bool>("abilitato");
    QTest::addColumn<QList<bool>>("zone");
    QTest::newRow("stagioni, acceso") << true << "1" << true << QList<bool>{false, true, true, false};
    QTest::newRow("stagioni, spento") << true << "0" << false << QList<bool>{false, false, false, false};
    QTest::newRow("ricette ignora l'opzione") << false << "1" << false << QList<bool>{false, false, false, false};
}

void TestCaricamento::opzioneCronoSoloInModoStagioni()
{
    QFETCH(bool, stagioni);
    QFETCH(QString, opzione);
    QFETCH(bool, abilitato);
    QFETCH(QList<bool>, zone);
    ModoStagioni = stagioni;
    FileImpostazioni = stagioni ? "Quelvar1.ini" : "Quelvar2.ini";
    scriviIni(QStringLiteral("[Generale]\nCronotermostato=%1\nZone=1\n[Zona 01]\nCronotermostato=0\n"
                             "[Zona 02]\nCronotermostato=1\n[Zona 03]\nCronotermostato=2,5\n[Zona 04]\n"
                             "Cronotermostato=si\n")
                  .arg(opzione));
    CronoAttivoZona.fill(true);
    int mostrata = 0;
    Vista.MostraOpzioneCrono = [&] { ++mostrata; };
    CaricaImpostazioni();
    QCOMPARE(CronotermostatoAbilitato, abilitato);
    QCOMPARE((QList<bool>{CronoAttivoZona[0], CronoAttivoZona[1], CronoAttivoZona[2], CronoAttivoZona[3]}), zone);
    // Zones beyond the count follow the file too: the chrono page edits all 30.
    QCOMPARE(CronoAttivoZona[29], false);
    QCOMPARE(mostrata, 1);
}

void TestCaricamento::armaAvvioAutomatico_data()
{
    QTest::addColumn<bool>("avvioInCorso");
    QTest::addColumn<QString>("autoAvvio");
    QTest::addColumn<int>("armato");
    QTest::newRow("avvio automatico all'avvio") << true << "0" << 1;
    QTest::newRow("avvio manuale all'avvio") << true << "1" << 0;
    QTest::newRow("automatico dopo l'avvio") << false << "0" << 0;
}

void TestCaricamento::armaAvvioAutomatico()
{
    QFETCH(bool, avvioInCorso);
    QFETCH(QString, autoAvvio);
    QFETCH(int, armato);
    scriviIni(QStringLiteral("[Generale]\nAutoAvvio=%1\n").arg(autoAvvio));
    AvvioInCorso = avvioInCorso;
    int volte = 0;
    Vista.ArmaAvvioAutomatico = [&] { ++volte; };
    CaricaImpostazioni();
    QCOMPARE(volte, armato);
}

void TestCaricamento::ordineEIsolamentoDeiPassi()
{
    scriviIni("[Generale]\nZone=1\nGrafico=1\n[Zona 01]\nIndirizzo=1\nPV_r=3,1\n");
    QStringList passi;
    auto registra = [&](const char* nome) { passi << QString::fromLatin1(nome); };
    Vista.ChiudiPannelli = [&] { registra("pannelli"); throw std::runtime_error("finestra assente"); };
    Vista.MostraUnitaCrono = [&](const QString&) { registra("unita"); };
    Vista.RicostruisciSinottico = [&] { registra("sinottico"); throw 3; };
    Vista.ImpostaLimitiAssoluti = [&](float, float) { registra("limiti"); };
    Vista.ImpostaGrafici = [&] { registra("grafici"); };
    Vista.MostraListe = [&] { registra(ListeComunicazione[ListaLetture].isEmpty() ? "liste vuote" : "liste"); throw 1; };
    Vista.MostraOpzioneCrono = [&] { registra("crono"); };
    Vista.MostraOpzioniRemoto = [&] { registra("remoto"); };
    Vista.ProvaSeriale = [&](int) -> bool { registra("prova"); throw std::runtime_error("porta"); };
    Vista.MostraStatoPorta = [&](const QString& t) { registra(t == "Nessuna COM" ? "nessuna com" : "com"); };
    Vista.MostraOpzioneAvvio = [&] { registra("avvio"); };
    Vista.MostraOpzioneGrafici = [&] { registra("opzione grafici"); };
    Vista.MostraOpzioneRicette = [&](bool) { registra("ricette"); };
    Vista.MostraOpzioneMaster = [&] { registra("master"); };
    CaricaImpostazioni();
    QCOMPARE(passi, (QStringList{"pannelli", "unita", "sinottico", "limiti", "grafici", "liste vuote", "crono",
                                 "remoto", "prova", "nessuna com", "liste", "avvio", "opzione grafici", "ricette",
                                 "master"}));
    QVERIFY(GraficiAbilitati);
    QCOMPARE(MappaLetturaZone[0][RegistroPV], 1);
    QVERIFY(!PortaSerialeValida);
}

void TestCaricamento::nonCedeAgliEventi()
{
    scriviIni("[Generale]\nZone=3\n");
    bool eseguito = false;
    QTimer::singleShot(0, this, [&] { eseguito = true; });
    QMetaObject::invokeMethod(this, [&] { eseguito = true; }, Qt::QueuedConnection);
    bool durante = true;
    Vista.MostraOpzioneMaster = [&] { durante = eseguito; };
    CaricaImpostazioni();
    QVERIFY(!durante);
    QTRY_VERIFY(eseguito);
}

QTEST_GUILESS_MAIN(TestCaricamento)
#include "tst_caricamento.moc"
