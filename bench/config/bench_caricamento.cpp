// The whole-configuration load (Configurazione::CaricaImpostazioni, no windows attached) of the
// largest plant: 30 zones, 10 switches, 10 LEDs, opener and webcam, as the settings pages write
// it. Then the same plant in a hand-edited file that also holds 20,000 more sections, which a
// load must get through without stalling the window.
#include "caricamento.h"
#include "cartellaprogramma.h"
#include "generale.h"
#include "testo1252.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Generale;

namespace {

QByteArray Impianto()
{
    QString t;
    auto riga = [&](const QString& s) { t += s + QStringLiteral("\r\n"); };
    riga(QStringLiteral("[Generale]"));
    for (const char* r : {"Zone=30", "Interruttori=10", "LED=10", "Apriporta=1", "Webcam=1", "Zone Unita=\u00B0C",
                          "Zone Testo=0", "Zone Grafico=0", "Zone Crono=1", "AutoAvvio=1", "Grafico=1", "Ricette=1",
                          "Cronotermostato=1", "Master=1", "Master_1=0", "Master_2=1", "Master_3=0", "Master_4=0",
                          "Master_5=0"})
        riga(QString::fromUtf8(r));
    riga(QString());
    riga(QStringLiteral("[COM]\r\nPorta=1\r\nFormato=9600,N,8,1\r\nRetry=2\r\nTimeOut=400\r\nBase Misura=10\r\n"
                        "Base Remoto=5\r\nBase LED=3\r\nRemoto=0\r\nAttivita=1\r\n"));
    riga(QStringLiteral("[Grafico]\r\nT_Max=30\r\nT_Min=0\r\nT_Max_Ass=200\r\nT_Min_Ass=-100\r\n"));
    riga(QStringLiteral("[Sinottico]\r\nImmagine=Pianta.jpg\r\nCampo_1=Temperatura\r\nCampo_2=Set-point\r\n"));
    riga(QStringLiteral("[Apriporta]\r\nNome=Cancello\r\nX=480\r\nY=2625\r\nIndirizzo=20\r\nDecimali=0\r\n"
                        "REM_r=1,10\r\nREM_w=5,10\r\nOn_w=5,1\r\nVal_on=1\r\nOff_w=5,1\r\nVal_off=0\r\nTempo=1000\r\n"));
    riga(QStringLiteral("[Webcam]\r\nNome=Telecamera\r\nX=8400\r\nY=7050\r\nInfo_X=4500\r\nInfo_Y=1500\r\n"));
    for (int i = 1; i <= 30; ++i)
        riga(QStringLiteral("[Zona %1]\r\nNome=Zona numero %1\r\nX=%2\r\nY=%3\r\nInfo_X=4125\r\nInfo_Y=675\r\n"
                            "Icona=T1.bmp\r\nColore=&H0000FF\r\nCronotermostato=%4\r\nIndirizzo=%5\r\nDecimali=1\r\n"
                            "Slave=%6\r\nREM_r=1,10\r\nPV_r=3,0\r\nSP_r=3,1\r\nAL1_r=3,2\r\nAL2_r=1,0\r\nAL3_r=1,1\r\n"
                            "REM_w=5,10\r\nSP_w=6,1\r\nAL1_w=6,2\r\n")
                 .arg(i, 2, 10, QLatin1Char('0'))
                 .arg(300 * i)
                 .arg(200 * i)
                 .arg(i % 2)
                 .arg(i)
                 .arg(i % 3 == 0 ? 1 : 0));
    for (int i = 1; i <= 10; ++i)
        riga(QStringLiteral("[Interruttore %1]\r\nNome=Interruttore %1\r\nX=%2\r\nY=3000\r\nIndirizzo=%3\r\n"
                            "Decimali=0\r\nREM_r=1,10\r\nOn_r=1,0\r\nOff_r=1,0\r\nREM_w=5,10\r\nOn_w=5,0\r\nVal_on=1\r\n"
                            "Off_w=5,0\r\nVal_off=0\r\n")
                 .arg(i, 2, 10, QLatin1Char('0'))
                 .arg(250 * i)
                 .arg(40 + i));
    for (int i = 1; i <= 10; ++i)
        riga(QStringLiteral("[LED %1]\r\nNome=LED %1\r\nX=%2\r\nY=7725\r\nIndirizzo=%3\r\nDecimali=1\r\n"
                            "P1_r=3,10\r\nVal=1,5\r\nCol=2\r\nCondizione=5\r\n")
                 .arg(i, 2, 10, QLatin1Char('0'))
                 .arg(250 * i)
                 .arg(60 + i));
    riga(QStringLiteral("[Stagione]\r\nEstate=\r\nInverno=\r\nAttuale=0"));
    return Piattaforma::In1252(t);
}

// Per load, in milliseconds: the median of `volte` loads.
double Misura(int volte)
{
    std::vector<double> ms;
    for (int i = 0; i < volte; ++i) {
        QElapsedTimer t;
        t.start();
        Configurazione::CaricaImpostazioni();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void Scrivi(const QString& percorso, const QByteArray& contenuto)
{
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly) || f.write(contenuto) != contenuto.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(percorso));
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int volte = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 21;
    QTemporaryDir cartella;
    Piattaforma::ImpostaCartellaProgramma(cartella.path());
    FileImpostazioni = QStringLiteral("Quelvar1.ini");
    ModoStagioni = true;
    const QString percorso = cartella.filePath(FileImpostazioni);

    const QByteArray impianto = Impianto();
    Scrivi(percorso, impianto);
    const double piccolo = Misura(volte);
    const bool giusto = NumeroZone == 30 && NumeroInterruttori == 10 && NumeroLED == 10 && MappaLetturaLED[9][Nodo] == 70;

    // Hand-edited: the plant, then 20,000 sections of notes below it.
    QByteArray grande = impianto + "\r\n";
    for (int i = 0; i < 20000; ++i)
        grande += "[Nota " + QByteArray::number(i) + "]\r\nTesto=appunto del manutentore\r\n";
    Scrivi(percorso, grande);
    const double enorme = Misura(std::max(3, volte / 4));
    const bool giustoGrande = NumeroZone == 30 && MappaLetturaLED[9][Nodo] == 70;

    std::printf("Whole-configuration load, median of %d loads, no windows attached\n", volte);
    std::printf("  30 zones / 10 switches / 10 LEDs (%lld bytes):        %8.2f ms  (target < 5 ms)%s\n",
                static_cast<long long>(impianto.size()), piccolo, giusto ? "" : "  WRONG PLANT");
    std::printf("  same plant + 20,000 sections (%lld bytes):          %8.2f ms  (target < 50 ms)%s\n",
                static_cast<long long>(grande.size()), enorme, giustoGrande ? "" : "  WRONG PLANT");
    return 0;
}
