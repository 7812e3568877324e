// Settings files damaged at random load without a crash and leave a plant model the rest of
// the station can index safely.
#include "caricamento.h"
#include "cartellatemporanea.h"
#include "generale.h"
#include "vista_configurazione.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace Generale;

namespace {

// A plausible plant, the starting point of every damaged file.
QByteArray impiantoSano()
{
    QByteArray t = "[Generale]\r\nZone=4\r\nInterruttori=2\r\nLED=2\r\nApriporta=1\r\nWebcam=1\r\nZone Testo=1\r\n"
                   "AutoAvvio=0\r\nGrafico=1\r\nMaster=1\r\nMaster_1=1\r\n[COM]\r\nPorta=1\r\nFormato=9600,N,8,1\r\n"
                   "Retry=2\r\nTimeOut=300\r\nBase Misura=10\r\nAttivita=1\r\nRemoto=1\r\n"
                   "[Grafico]\r\nT_Min_Ass=-100\r\nT_Max_Ass=300\r\n[Sinottico]\r\nImmagine=Pianta.jpg\r\n"
                   "[Apriporta]\r\nIndirizzo=9\r\nOn_w=5,1\r\nVal_on=1\r\nOff_w=5,1\r\nVal_off=0\r\nTempo=800\r\n";
    for (int i = 1; i <= 4; ++i)
        t += QStringLiteral("[Zona 0%1]\r\nNome=Zona prova %1\r\nX=%2.5\r\nY=900\r\nIndirizzo=%1\r\nDecimali=1\r\n"
                            "REM_r=1,10\r\nREM_w=5,10\r\nPV_r=3,100\r\nSP_r=3,101\r\nSP_w=6,101\r\nSlave=1\r\n")
                 .arg(i)
                 .arg(i * 1000)
                 .toLatin1();
    for (int i = 1; i <= 2; ++i)
        t += QStringLiteral("[Interruttore 0%1]\r\nIndirizzo=2%1\r\nOn_r=1,5\r\nOn_w=5,5\r\nVal_on=1\r\n"
                            "Off_w=6,6\r\nVal_off=12,5\r\nDecimali=1\r\n[LED 0%1]\r\nIndirizzo=3%1\r\nP1_r=3,7\r\n"
                            "Val=21,5\r\nCol=2\r\nCondizione=4\r\n")
                 .arg(i)
                 .toLatin1();
    return t;
}

QByteArray rovina(QByteArray t, QRandomGenerator& caso)
{
    QList<QByteArray> righe = t.split('\n');
    const int danni = 1 + caso.bounded(12);
    static const QByteArray enormi[] = {"99999999999999999999", "-2147483649", "1e308", "-1e400", "nan", "inf",
                                        "32768", "-32769", "2147483648", "0x7fff", "1,2,3", ",", "3,", ",7",
                                        "1.5e3", "--5", "+7", "\"\"", "=", "[", "]"};
    for (int d = 0; d < danni && !righe.isEmpty(); ++d) {
        const int r = caso.bounded(int(righe.size()));
        switch (caso.bounded(7)) {
        case 0:  // truncated line
            righe[r].truncate(caso.bounded(int(righe[r].size()) + 1));
            break;
        case 1: {  // binary bytes
            QByteArray b(1 + caso.bounded(40), '\0');
            for (char& c : b)
                c = char(caso.bounded(256));
            righe[r].insert(caso.bounded(int(righe[r].size()) + 1), b);
            break;
        }
        case 2: {  // huge or odd value
            const int uguale = int(righe[r].indexOf('='));
            if (uguale >= 0)
                righe[r] = righe[r].left(uguale + 1) + enormi[caso.bounded(int(std::size(enormi)))];
            break;
        }
        case 3:  // duplicate section, with different contents further down
            righe.append(righe[r]);
            righe.append("Zone=" + QByteArray::number(caso.bounded(-5, 60)));
            break;
        case 4:  // a line far too long
            righe[r] += QByteArray(1000 + caso.bounded(4000), 'A' + char(caso.bounded(26)));
            break;
        case 5:  // lost line
            righe.removeAt(r);
            break;
        default:  // whole file cut short
            righe = righe.mid(0, r);
            break;
        }
    }
    return righe.join('\n');
}

template <typename Riga>
bool rigaSensata(const Riga& riga)
{
    if (riga[Nodo] == -1) {
        for (auto v : riga)
            if (v != -1)
                return false;
        return true;
    }
    return riga[Nodo] >= 1 && riga[Nodo] <= 255 && riga[Decimali] >= 0 && riga[Decimali] <= 3;
}

}  // namespace

class TestCorruzione : public QObject {
    Q_OBJECT
private slots:
    void duecentoFileRovinati();
};

void TestCorruzione::duecentoFileRovinati()
{
    CartellaTemporanea cartella;
    ModoStagioni = true;
    FileImpostazioni = QStringLiteral("Quelvar1.ini");
    Configurazione::Vista = {};
    Configurazione::Vista.ProvaSeriale = [](int p) { return p >= 1 && p <= 255; };
    QRandomGenerator caso(20240611);
    const QByteArray sano = impiantoSano();
    for (int n = 0; n < 200; ++n) {
        const QByteArray file = rovina(sano, caso);
        cartella.scrivi(FileImpostazioni, file);
        Configurazione::CaricaImpostazioni();
        const auto messaggio = QByteArray("file ") + QByteArray::number(n);

        QVERIFY2(NumeroZone >= 0 && NumeroZone <= MaxZone, messaggio);
        QVERIFY2(NumeroInterruttori >= 0 && NumeroInterruttori <= MaxInterruttori, messaggio);
        QVERIFY2(NumeroLED >= 0 && NumeroLED <= MaxLED, messaggio);
        for (int indice : {IndiceTesto, IndiceGrafico, IndiceCrono})
            QVERIFY2(indice >= 0 && indice < NumeroValoriZona, messaggio);
        QVERIFY2(BaseMisura >= 0 && BaseMisura <= 300 && BaseRemoto >= 0 && BaseRemoto <= 30 && BaseLED >= 0 &&
                     BaseLED <= 30,
                 messaggio);
        QVERIFY2(TempoApriporta >= 100 && TempoApriporta <= 2000, messaggio);
        QVERIFY2(MBus::NumeroTentativi >= 1 && MBus::NumeroTentativi <= 5, messaggio);
        QVERIFY2(MBus::AttesaRisposta >= 0.05f && MBus::AttesaRisposta <= 1.0f, messaggio);
        QVERIFY2(std::isfinite(TemperaturaMinimaAssoluta) && std::isfinite(TemperaturaMassimaAssoluta), messaggio);
        for (const auto& r : MappaLetturaZone)
            QVERIFY2(rigaSensata(r), messaggio);
        for (const auto& r : MappaScritturaInterruttori)
            QVERIFY2(rigaSensata(r), messaggio);
        for (const auto& r : MappaLetturaLED) {
            QVERIFY2(rigaSensata(r), messaggio);
            QVERIFY2(r[Colore] == -1 || (r[Colore] >= 1 && r[Colore] <= 5), messaggio);
            QVERIFY2(r[Condizione] == -1 || (r[Condizione] >= 1 && r[Condizione] <= 6), messaggio);
        }
        for (const QStringList& l : ListeComunicazione)
            QVERIFY2(std::is_sorted(l.begin(), l.end()), messaggio);
        QVERIFY2(AttivitaLinea == (LetturaAttivita[0] >= 1), messaggio);
    }
}

QTEST_GUILESS_MAIN(TestCorruzione)
#include "tst_corruzione.moc"
