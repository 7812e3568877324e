// A new plant configured through the zones page alone, from an empty program folder, and then
// read from a real Modbus RTU slave (libmodbus on a socat pty pair linked as COM1). A pty
// ignores baud rate and parity: this proves what the page writes reaches the instruments.
#include "cartellatemporanea.h"
#include "casellavalore.h"
#include "ciclo.h"
#include "comunicazioni.h"
#include "finestre.h"
#include "generale.h"
#include "mbus.h"
#include "pagina_zone.h"
#include "slavemodbus.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include <memory>

using namespace Generale;

class TestPaginaZoneImpianto : public QObject {
    Q_OBJECT
private slots:
    void dueZoneDallaCartellaVuota();
};

void TestPaginaZoneImpianto::dueZoneDallaCartellaVuota()
{
    CartellaTemporanea cartella;
    SlaveModbus slave(cartella.percorso(QStringLiteral("COM1")));
    QVERIFY2(slave.pronto(), qPrintable(slave.errore()));
    slave.aggiungiNodo(1);
    slave.aggiungiNodo(2);
    slave.impostaRegistro(1, 100, 215);           // zone 1 PV 21.5
    slave.impostaRegistro(1, 101, 200);           // zone 1 SP 20.0
    slave.impostaRegistroIngresso(2, 7, 0xFFFD);  // zone 2 PV -3
    slave.impostaBobina(2, 3, true);              // zone 2 AL1 on

    ModoStagioni = true;
    FileImpostazioni = QStringLiteral("Quelvar1.ini");
    Finestre finestre;
    PaginaZone* p = finestre.comunicazioni->Pic_ZoneMB;
    p->RiempiListe(false);
    finestre.comunicazioni->NascondiPagine();
    p->Apri();
    QCOMPARE(p->Cmb_Zone->currentIndex(), -1);

    p->Cmb_ZoneUsate->setCurrentIndex(2);
    QCOMPARE(NumeroZone, 2);
    struct Zona {
        int nodo;
        int decimali;
        const char* nome;
        std::vector<std::pair<int, const char*>> caselle;
    };
    const Zona zone[] = {{1, 1, "Forno", {{0, "3"}, {1, "100"}, {4, "3"}, {5, "101"}}},
                         {2, 0, "Cella", {{0, "4"}, {1, "7"}, {8, "1"}, {9, "3"}}}};
    for (int z = 0; z < 2; ++z) {
        p->Cmb_Zone->setCurrentIndex(z);
        QCOMPARE(p->Cmb_Indirizzo->currentIndex(), -1);  // nothing configured yet
        p->Cmb_Indirizzo->setCurrentIndex(zone[z].nodo - 1);
        p->Cmb_Decimali->setCurrentIndex(zone[z].decimali);
        p->Txt_NomeLoop->setText(QLatin1String(zone[z].nome));
        for (const auto& [i, testo] : zone[z].caselle)
            QTest::keyClicks(p->Txt_ZoneMB[i], QLatin1String(testo));
        p->Cmd_ChiudiZone_Click(2);
    }
    QCOMPARE(NomiZone[0], QStringLiteral("Forno"));
    QCOMPARE(NomiZone[1], QStringLiteral("Cella"));
    QVERIFY(PortaSerialeValida);

    MBus::ComunicazioneReale = true;
    MBus::AttesaRisposta = 0.2f;
    CicloAcquisizione ciclo;
    ciclo.LeggiZone();
    QCOMPARE(ValoriZone[0][0], 21.5f);
    QCOMPARE(ValoriZone[0][1], 20.0f);
    QCOMPARE(ValoriZone[1][0], -3.0f);
    QCOMPARE(ValoriZone[1][2], 1.0f);
    MBus::ComunicazioneReale = false;
}

QTEST_MAIN(TestPaginaZoneImpianto)
#include "tst_pagina_zone_impianto.moc"
