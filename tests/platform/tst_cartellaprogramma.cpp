// Names taken from the settings ("Ricetta\Estate.prg") find the plant's files, which were named
// on a case-blind file system, in a real program folder.
#include "cartellaprogramma.h"
#include "cartellatemporanea.h"

#include <QTest>

class TstCartellaProgramma : public QObject {
    Q_OBJECT
private slots:
    void percorso_data();
    void percorso();
};

void TstCartellaProgramma::percorso_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("atteso");  // relative to the program folder

    QTest::newRow("esatto") << "Quelvar1.ini" << "Quelvar1.ini";
    QTest::newRow("maiuscole diverse") << "QUELVAR1.INI" << "Quelvar1.ini";
    QTest::newRow("barra rovescia e cartella") << "ricetta\\ESTATE.prg" << "Ricetta/Estate.prg";
    QTest::newRow("barra rovescia iniziale e doppia") << "\\Ricetta\\\\estate.PRG" << "Ricetta/Estate.prg";
    QTest::newRow("il nome esatto vince") << "Ricetta\\INVERNO.prg" << "Ricetta/INVERNO.prg";
    QTest::newRow("file nuovo in cartella esistente") << "RICETTA\\Nuova.prg" << "Ricetta/Nuova.prg";
    QTest::newRow("cartella nuova") << "Crono\\Zona.cro" << "Crono/Zona.cro";
}

void TstCartellaProgramma::percorso()
{
    QFETCH(QString, nome);
    QFETCH(QString, atteso);

    CartellaTemporanea cartella;
    for (const char* f : {"Quelvar1.ini", "Ricetta/Estate.prg", "Ricetta/INVERNO.prg", "Ricetta/inverno.prg"})
        cartella.scrivi(QString::fromLatin1(f), "x");
    QCOMPARE(Piattaforma::PercorsoProgramma(nome), cartella.percorso(atteso));
}

QTEST_GUILESS_MAIN(TstCartellaProgramma)
#include "tst_cartellaprogramma.moc"
