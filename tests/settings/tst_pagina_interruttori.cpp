// The switches page offscreen on a temporary program folder: what it shows of the plant model,
// the count written at once, saving unchanged leaving the file as it was, and the saves it
// refuses.
#include "bancodispositivi.h"
#include "pagina_interruttori.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

#include <algorithm>

using namespace Generale;

namespace {

// Every kind of point, decimals 0..3, a real -1 and a coil's value on a device with decimals;
// written as the station writes it, so a save of unchanged pages must give the same bytes.
const char* const impianto =
    "[Generale]\nZone=0\nInterruttori=5\nLED=0\n"
    "[Interruttore 01]\nNome=Pompa & ricircolo\nX=300\nY=600\nIndirizzo=1\nDecimali=0\nREM_r=1,100\nREM_w=5,100\n"
    "On_r=2,10\nOn_w=5,10\nVal_on=1\nOff_r=3,11\nOff_w=6,11\nVal_off=-1\n"
    "[Interruttore 02]\nNome=Valvola\nIndirizzo=2\nDecimali=1\nREM_r=\nREM_w=\nOn_r=4,20\nOn_w=6,20\nVal_on=21,5\n"
    "Off_r=\nOff_w=6,21\nVal_off=-0,1\n"
    "[Interruttore 03]\nNome=Ventola\nIndirizzo=3\nDecimali=2\nREM_r=\nREM_w=\nOn_r=\nOn_w=5,30\nVal_on=1\nOff_r=\n"
    "Off_w=6,31\nVal_off=-327,68\n"
    "[Interruttore 04]\nNome=Serranda\nIndirizzo=255\nDecimali=3\nREM_r=2,5\nREM_w=6,5\nOn_r=3,40\nOn_w=6,40\n"
    "Val_on=32,767\nOff_r=3,41\nOff_w=6,41\nVal_off=0,000\n"
    "[Interruttore 05]\nNome=Senza nodo\nDecimali=2\nOn_w=6,50\nVal_on=1,00\n";

}  // namespace

class TestPaginaInterruttori : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void mostraIlModello_data();
    void mostraIlModello();
    void salvaSenzaModificheLasciaIlFile();
    void conteggio();
    void nome_data();
    void nome();
    void cambioDecimali();
    void ordineDiInvio_data();
    void ordineDiInvio();
    void rifiuti_data();
    void rifiuti();
    void fileDiSolaLettura();

private:
    void apri(const QString& ini) { b_.apri(p_, ini); }
    void scegli(int i) { p_->Cmb_Interruttore->setCurrentIndex(i); }
    void salva() { p_->Cmd_ChiudiInt[2]->click(); }
    QStringList caselle() const { return Testi(p_->Txt_ZoneMBInt); }
    QByteArray file() const { return b_.file(); }

    BancoDispositivi b_;
    PaginaInterruttori* p_ = nullptr;
};

void TestPaginaInterruttori::init()
{
    b_.prepara();
    p_ = b_.comunicazioni()->Pic_InterruttoriMB;
}

void TestPaginaInterruttori::cleanup() { b_.smonta(); }

void TestPaginaInterruttori::mostraIlModello_data()
{
    QTest::addColumn<int>("scelto");
    QTest::addColumn<QString>("nodo");
    QTest::addColumn<QString>("decimali");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QStringList>("testi");
    QTest::newRow("0 decimali, bit e un -1 vero")
        << 0 << "1" << "0" << "Pompa & ricircolo"
        << QStringList{"2", "10", "5", "10", "1", "3", "11", "6", "11", "-1", "1", "100", "5", "100"};
    QTest::newRow("1 decimale") << 1 << "2" << "1" << "Valvola"
                                << QStringList{"4", "20", "6", "20", "21,5", "", "", "6", "21", "-0,1", "", "", "", ""};
    // The coil's ON value is read without decimals, whatever the device's.
    QTest::newRow("2 decimali, ON su una bobina")
        << 2 << "3" << "2" << "Ventola"
        << QStringList{"", "", "5", "30", "1", "", "", "6", "31", "-327,68", "", "", "", ""};
    QTest::newRow("3 decimali") << 3 << "255" << "3" << "Serranda"
                                << QStringList{"3", "40", "6", "40", "32,767", "3", "41", "6", "41", "0,000", "2", "5",
                                               "6", "5"};
    QTest::newRow("senza nodo: nulla di un altro") << 4 << "" << "0" << "Senza nodo"
                                                   << QStringList(14, QString());
}

void TestPaginaInterruttori::mostraIlModello()
{
    QFETCH(int, scelto);
    QFETCH(QString, nodo);
    QFETCH(QString, decimali);
    QFETCH(QString, nome);
    QFETCH(QStringList, testi);
    apri(impianto);
    QVERIFY(p_->isVisibleTo(b_.comunicazioni()));
    QCOMPARE(p_->Cmb_InterruttoriUsati->currentText(), QStringLiteral("5"));
    QCOMPARE(Voci(p_->Cmb_Interruttore), (QStringList{"1", "2", "3", "4", "5"}));
    QCOMPARE(p_->Cmb_Interruttore->currentIndex(), 0);
    scegli(scelto);
    QCOMPARE(p_->Cmb_IndirizzoInt->currentText(), nodo);
    QCOMPARE(p_->Cmb_DecimaliInt->currentText(), decimali);
    QCOMPARE(p_->Txt_NomeInterruttore->text(), nome);
    QCOMPARE(caselle(), testi);
    QVERIFY(p_->Txt_ZoneMBInt[13]->isEnabled());
}

void TestPaginaInterruttori::salvaSenzaModificheLasciaIlFile()
{
    apri(impianto);
    const QByteArray prima = file();
    for (int i = 0; i < 4; ++i) {
        scegli(i);
        const QStringList mostrati = caselle();
        salva();
        QCOMPARE(file(), prima);
        QCOMPARE(caselle(), mostrati);  // saved and reloaded, not refilled
    }
    QVERIFY(b_.dialoghi->mostrati.isEmpty());
    // The switch without a node takes no other switch's node when it is saved, and what its
    // section holds but the page could not show stays: only what was filled in is written.
    scegli(4);
    salva();
    QCOMPARE(file(), prima);
    p_->Txt_NomeInterruttore->setText(QStringLiteral("Nuova"));
    p_->Txt_ZoneMBInt[10]->setText(QStringLiteral("1"));
    p_->Txt_ZoneMBInt[11]->setText(QStringLiteral("9"));
    salva();
    QVERIFY(file().endsWith("[Interruttore 05]\r\nNome=Nuova\r\nDecimali=2\r\nOn_w=6,50\r\nVal_on=1,00\r\nREM_r=1,9\r\n"));
    QCOMPARE(MappaLetturaInterruttori[4][Nodo], -1);
    b_.cartella->scrivi(FileImpostazioni, prima);
    Configurazione::CaricaImpostazioni();
    scegli(0);
    // Save and exit reloads and hides the page.
    p_->Cmd_ChiudiInt[0]->click();
    QVERIFY(!p_->isVisibleTo(b_.comunicazioni()));
    QCOMPARE(file(), prima);
    QCOMPARE(MappaScritturaInterruttori[1][ValoreON], 215);
    QCOMPARE(MappaScritturaInterruttori[0][ValoreOFF], -1);
}

void TestPaginaInterruttori::conteggio()
{
    apri(impianto);
    p_->Cmb_InterruttoriUsati->setCurrentIndex(0);
    QVERIFY(file().contains("Interruttori=0\r\n"));
    QCOMPARE(Voci(p_->Cmb_Interruttore), QStringList{"0"});
    QCOMPARE(p_->Cmb_Interruttore->currentIndex(), -1);
    QVERIFY(!p_->Cmb_Interruttore->isEnabled());
    QVERIFY(!p_->Txt_ZoneMBInt[4]->isEnabled());
    QVERIFY(p_->Txt_ZoneMBInt[4]->text().isEmpty());
    QVERIFY(p_->Txt_NomeInterruttore->text().isEmpty());
    QCOMPARE(NumeroInterruttori, 5);  // no reload: the model keeps its switches until the next load
    // Saving with no switch chosen writes into no switch's section.
    const QByteArray zero = file();
    salva();
    QCOMPARE(file(), zero);
    QCOMPARE(NumeroInterruttori, 0);

    p_->Cmb_InterruttoriUsati->setCurrentIndex(3);
    QCOMPARE(NumeroInterruttori, 3);
    p_->Cmb_InterruttoriUsati->setCurrentIndex(5);
    QCOMPARE(NumeroInterruttori, 5);
    QVERIFY(file().contains("Interruttori=5\r\n"));
    scegli(3);
    QCOMPARE(p_->Txt_NomeInterruttore->text(), QStringLiteral("Serranda"));
    QCOMPARE(p_->Txt_ZoneMBInt[4]->text(), QStringLiteral("32,767"));
}

void TestPaginaInterruttori::nome_data()
{
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QString>("salvato");
    const QString cinquanta = QStringLiteral("Pompa di calore del primo piano, lato nord ") + QStringLiteral("  ab   ");
    QTest::newRow("60 caratteri") << cinquanta + QStringLiteral("1234567890") << cinquanta.trimmed();
    QTest::newRow("50 caratteri con blank") << cinquanta << cinquanta;
    QTest::newRow("& e punto e virgola") << "R&D; sala 1" << "R&D; sala 1";
}

void TestPaginaInterruttori::nome()
{
    QFETCH(QString, digitato);
    QFETCH(QString, salvato);
    apri(impianto);
    scegli(1);
    p_->Txt_NomeInterruttore->setText(digitato);
    salva();
    QCOMPARE(NomiInterruttori[1], salvato.trimmed());  // the reader trims the value
    QVERIFY(file().contains(Piattaforma::In1252(QStringLiteral("Nome=") + salvato + QStringLiteral("\r\n"))));
}

void TestPaginaInterruttori::cambioDecimali()
{
    apri(impianto);
    scegli(1);  // ON and OFF written to registers, 1 decimal
    p_->Cmb_DecimaliInt->setCurrentIndex(2);
    QCOMPARE(p_->Txt_ZoneMBInt[4]->text(), QStringLiteral("21,50"));
    QCOMPARE(b_.comunicazioni()->DecimaliPagina, 2);
    p_->Txt_ZoneMBInt[4]->setText(QStringLiteral("12,57"));
    p_->Cmb_DecimaliInt->setCurrentIndex(0);
    QCOMPARE(p_->Txt_ZoneMBInt[4]->text(), QStringLiteral("12"));
    QCOMPARE(p_->Txt_ZoneMBInt[9]->text(), QStringLiteral("0"));
    QVERIFY(p_->Txt_ZoneMBInt[13]->text().isEmpty());
    p_->Txt_ZoneMBInt[9]->clear();
    p_->Cmb_DecimaliInt->setCurrentIndex(1);
    QVERIFY(p_->Txt_ZoneMBInt[9]->text().isEmpty());  // still a value nobody gave
    scegli(2);  // a coil's value keeps no decimals
    p_->Cmb_DecimaliInt->setCurrentIndex(3);
    QCOMPARE(p_->Txt_ZoneMBInt[4]->text(), QStringLiteral("1"));
    QCOMPARE(p_->Txt_ZoneMBInt[9]->text(), QStringLiteral("-327,680"));
}

void TestPaginaInterruttori::ordineDiInvio_data()
{
    QTest::addColumn<int>("scelto");
    QTest::newRow("ogni punto compilato") << 0;
    QTest::newRow("caselle vuote") << 4;
}

void TestPaginaInterruttori::ordineDiInvio()
{
    QFETCH(int, scelto);
    apri(impianto);
    scegli(scelto);
    QWidget* finestra = b_.comunicazioni()->window();
    finestra->show();
    QApplication::setActiveWindow(finestra);
    QVERIFY(QTest::qWaitForWindowActive(finestra));
    // Enter from the first box runs through every box in order, the remote write register last,
    // and from there back to the first, its text selected to be typed over.
    const int n = int(p_->Txt_ZoneMBInt.size());
    QCOMPARE(n, 14);
    Casella::DaiFuoco(p_->Txt_ZoneMBInt[0]);
    QList<int> giro;
    for (int passo = 0; passo < n; ++passo) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        const auto casella = std::find(p_->Txt_ZoneMBInt.begin(), p_->Txt_ZoneMBInt.end(), QApplication::focusWidget());
        giro << int(casella - p_->Txt_ZoneMBInt.begin());
        if (casella != p_->Txt_ZoneMBInt.end())
            QCOMPARE((*casella)->selectedText(), (*casella)->text());
    }
    QCOMPARE(giro, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 0}));
}

void TestPaginaInterruttori::rifiuti_data()
{
    QTest::addColumn<int>("casella");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("parole");
    QTest::newRow("coppia senza registro") << 6 << "" << "\"Spegnimento (OFF)\" (Lettura)";
    QTest::newRow("coppia senza codice") << 12 << "" << "\"Modo < Remoto >\" (Scrittura)";
    QTest::newRow("codice di lettura in scrittura") << 2 << "3" << "5 o 6";
    QTest::newRow("codice di scrittura in lettura") << 0 << "6" << "1, 2, 3 o 4";
    QTest::newRow("registro oltre le righe") << 1 << "40000" << "tra 0 e 32767";
    QTest::newRow("valore oltre 16 bit una volta scalato") << 9 << "-3276,9" << "\"Spegnimento (OFF)\"";
    QTest::newRow("punto senza valore") << 9 << "" << "manca il valore";
    QTest::newRow("valore che non è un numero") << 4 << "-" << "\"Accensione (ON)\"";
}

void TestPaginaInterruttori::rifiuti()
{
    QFETCH(int, casella);
    QFETCH(QString, testo);
    QFETCH(QString, parole);
    apri(impianto);
    scegli(3);
    // Set as a hand-edited file or a stray paste could leave it.
    p_->Txt_ZoneMBInt[casella]->setText(testo);
    const QByteArray prima = file();
    salva();
    QCOMPARE(file(), prima);
    QCOMPARE(b_.dialoghi->mostrati.size(), 1);
    QVERIFY2(b_.dialoghi->mostrati[0].testo.contains(parole), qPrintable(b_.dialoghi->mostrati[0].testo));
    QVERIFY(b_.dialoghi->mostrati[0].testo.startsWith(QStringLiteral("Attenzione: ")));
    QCOMPARE(b_.dialoghi->mostrati[0].icona, Piattaforma::IconaDialogo::Esclamazione);
}

void TestPaginaInterruttori::fileDiSolaLettura()
{
    apri(impianto);
    scegli(1);
    p_->Txt_ZoneMBInt[4]->setText(QStringLiteral("30"));
    QFile::setPermissions(b_.cartella->percorso(FileImpostazioni), QFileDevice::ReadOwner);
    const QByteArray prima = file();
    salva();
    QCOMPARE(file(), prima);
    QCOMPARE(b_.dialoghi->mostrati.size(), 1);
    QCOMPARE(b_.dialoghi->mostrati[0].testo, EditorPunti::TestoScritturaRifiutata());
    QCOMPARE(b_.dialoghi->mostrati[0].icona, Piattaforma::IconaDialogo::Esclamazione);
    QCOMPARE(MappaScritturaInterruttori[1][ValoreON], 215);
    // A count the file refuses is told and not shown: the page goes back to the file's.
    p_->Cmb_InterruttoriUsati->setCurrentIndex(2);
    QCOMPARE(b_.dialoghi->mostrati.size(), 2);
    QCOMPARE(p_->Cmb_InterruttoriUsati->currentIndex(), 5);
    QCOMPARE(Voci(p_->Cmb_Interruttore), (QStringList{"1", "2", "3", "4", "5"}));
    QCOMPARE(p_->Txt_NomeInterruttore->text(), QStringLiteral("Pompa & ricircolo"));
    QFile::setPermissions(b_.cartella->percorso(FileImpostazioni), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

QTEST_MAIN(TestPaginaInterruttori)
#include "tst_pagina_interruttori.moc"
