// The reset of the plant model that every configuration load runs.
#include "generale.h"

#include <QTest>

using namespace Generale;

namespace {

// Leaves a mark in every table, the reset ones and those it must not touch.
void sporca()
{
    ValoriZone[0][0] = 21.5f;
    ValoriZone[MaxZone - 1][NumeroValoriZona - 1] = 1.0f;
    ValoriInterruttori[MaxInterruttori - 1][1] = 1.0f;
    TabellaCrono[0][0][0] = 17.0f;
    TabellaCrono[NumeroFasce - 1][MaxZone - 1][NumeroGiorni - 1] = 23.5f;
    TestiStato = {};
    FormatiDecimali = {};
    ZonaSelezionata = 4;
    ValoriLED[2] = 3.0f;
    StatiLED[2] = 1;
    MappaLetturaZone[0][Nodo] = 7;
    ErroriZona[0] = 5;
    AllarmeZona[0] = true;
    NumeroZone = 3;
}

bool tutti(float atteso, const auto& tabella)
{
    for (const auto& riga : tabella)
        for (float v : riga)
            if (v != atteso)
                return false;
    return true;
}

}  // namespace

class TstTabelle : public QObject {
    Q_OBJECT
private slots:
    void inizializza();
};

void TstTabelle::inizializza()
{
    // Three loads: the first after program start, a reload, and the first after a fresh start.
    for (int carico = 0; carico < 3; ++carico) {
        if (carico == 2)
            DimenticaPrimoCaricamento();
        sporca();
        InizializzaTabelle();

        QVERIFY(tutti(float(ValoreAssente), ValoriZone));
        QVERIFY(tutti(float(ValoreAssente), ValoriInterruttori));
        QCOMPARE(TestiStato, (std::array<QString, 3>{"OFF", "ON", "--.-"}));
        QCOMPARE(FormatiDecimali, (std::array<QString, 4>{"######0", "#####0.0", "####0.00", "###0.000"}));
        QCOMPARE(ZonaSelezionata, -1);

        // The week programme read from the chrono files survives a reload.
        const bool primo = carico != 1;
        QCOMPARE(TabellaCrono[0][0][0], primo ? 20.0f : 17.0f);
        QCOMPARE(TabellaCrono[NumeroFasce - 1][MaxZone - 1][NumeroGiorni - 1], primo ? 20.0f : 23.5f);
        if (primo)
            for (const auto& fascia : TabellaCrono)
                QVERIFY(tutti(20.0f, fascia));

        QCOMPARE(ValoriLED[2], 3.0f);
        QCOMPARE(StatiLED[2], 1);
        QCOMPARE(MappaLetturaZone[0][Nodo], 7);
        QCOMPARE(ErroriZona[0], 5);
        QVERIFY(AllarmeZona[0]);
        QCOMPARE(NumeroZone, 3);
    }
}

QTEST_GUILESS_MAIN(TstTabelle)
#include "tst_tabelle.moc"
