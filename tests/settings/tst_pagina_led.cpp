// The LEDs page offscreen on a temporary program folder: the record as the plant model holds it,
// saving unchanged leaving the file as it was, condition and colour codes, the Enter order and
// the empty state of count 0.
#include "bancodispositivi.h"
#include "pagina_led.h"

#include <QApplication>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

using namespace Generale;

namespace {

const char* const impianto =
    "[Generale]\nZone=0\nInterruttori=0\nLED=4\n"
    "[LED 01]\nNome=Allarme caldaia\nIndirizzo=1\nDecimali=0\nREM_r=1,7\nREM_w=5,7\nP1_r=1,3\nVal=1\n"
    "Condizione=5\nCol=2\n"
    "[LED 02]\nNome=Temperatura alta\nIndirizzo=2\nDecimali=1\nREM_r=\nREM_w=6,12\nP1_r=3,100\nVal=-1,5\n"
    "Condizione=1\nCol=1\n"
    "[LED 03]\nNome=Ingresso\nIndirizzo=3\nDecimali=2\nREM_r=\nREM_w=\nP1_r=2,4\nVal=0\nCondizione=6\nCol=5\n"
    "[LED 04]\nNome=Pressione\nIndirizzo=4\nDecimali=3\nREM_r=2,9\nREM_w=6,9\nP1_r=4,200\nVal=3,500\n"
    "Condizione=3\nCol=4\n";

}  // namespace

class TestPaginaLED : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void mostraESalvaSenzaModifiche_data();
    void mostraESalvaSenzaModifiche();
    void condizioneEColore();
    void ordineDiInvio();
    void conteggioZero();

private:
    void apri(const QString& ini) { b_.apri(p_, ini); }
    QStringList caselle() const { return Testi(p_->Txt_ZoneMBLED); }
    QByteArray file() const { return b_.file(); }

    BancoDispositivi b_;
    PaginaLED* p_ = nullptr;
};

void TestPaginaLED::init()
{
    b_.prepara();
    p_ = b_.comunicazioni()->Pic_LED;
}

void TestPaginaLED::cleanup() { b_.smonta(); }

void TestPaginaLED::mostraESalvaSenzaModifiche_data()
{
    QTest::addColumn<int>("scelto");
    QTest::addColumn<QString>("decimali");
    QTest::addColumn<QString>("condizione");
    QTest::addColumn<QString>("colore");
    QTest::addColumn<QStringList>("testi");
    QTest::newRow("bit, 0 decimali") << 0 << "0" << "Uguale" << "Rosso"
                                     << QStringList{"1", "3", "1", "1", "7", "5", "7"};
    QTest::newRow("registro, 1 decimale") << 1 << "1" << "Maggiore o uguale" << "Verde"
                                          << QStringList{"3", "100", "-1,5", "", "", "6", "12"};
    // A discrete input's threshold is compared unscaled, whatever the LED's decimals.
    QTest::newRow("bit, 2 decimali") << 2 << "2" << "Diverso" << "Giallo"
                                     << QStringList{"2", "4", "0", "", "", "", ""};
    QTest::newRow("registro, 3 decimali") << 3 << "3" << "Maggiore" << "Blu"
                                          << QStringList{"4", "200", "3,500", "2", "9", "6", "9"};
}

void TestPaginaLED::mostraESalvaSenzaModifiche()
{
    QFETCH(int, scelto);
    QFETCH(QString, decimali);
    QFETCH(QString, condizione);
    QFETCH(QString, colore);
    QFETCH(QStringList, testi);
    apri(impianto);
    const QByteArray prima = file();
    p_->Cmb_LED->setCurrentIndex(scelto);
    QCOMPARE(p_->Cmb_IndirizzoLED->currentText(), QString::number(scelto + 1));
    QCOMPARE(p_->Cmb_DecimaliLED->currentText(), decimali);
    QCOMPARE(p_->Cmb_DisLED->currentText(), condizione);
    QCOMPARE(p_->Cmb_ColoreLED->currentText(), colore);
    QCOMPARE(caselle(), testi);
    QCOMPARE(b_.comunicazioni()->DecimaliPaginaLED, decimali.toInt());
    p_->Cmd_ChiudiLED[2]->click();
    QCOMPARE(file(), prima);
    QVERIFY(b_.dialoghi->mostrati.isEmpty());
    QVERIFY(p_->isVisibleTo(b_.comunicazioni()));
}

void TestPaginaLED::condizioneEColore()
{
    apri(impianto);
    p_->Cmb_LED->setCurrentIndex(1);
    p_->Cmb_DisLED->setCurrentIndex(5);
    p_->Cmb_ColoreLED->setCurrentIndex(4);
    p_->Txt_ZoneMBLED[5]->clear();
    p_->Txt_ZoneMBLED[6]->clear();
    p_->Cmd_ChiudiLED[0]->click();
    QVERIFY(!p_->isVisibleTo(b_.comunicazioni()));
    const QByteArray dopo = file();
    QVERIFY(dopo.contains("[LED 02]\r\nNome=Temperatura alta\r\nIndirizzo=2\r\nDecimali=1\r\nREM_r=\r\nREM_w=\r\n"
                          "P1_r=3,100\r\nVal=-1,5\r\nCondizione=6\r\nCol=5\r\n"));
    QCOMPARE(MappaScritturaLED[1][FunzioneREM], -1);
    b_.comunicazioni()->NascondiPagine();
    p_->Apri();
    p_->Cmb_LED->setCurrentIndex(1);
    QCOMPARE(p_->Cmb_DisLED->currentText(), QStringLiteral("Diverso"));
    QCOMPARE(p_->Cmb_ColoreLED->currentText(), QStringLiteral("Giallo"));
}

void TestPaginaLED::ordineDiInvio()
{
    apri(impianto);
    QWidget* finestra = b_.comunicazioni()->window();
    b_.comunicazioni()->show();
    finestra->show();
    QApplication::setActiveWindow(finestra);
    QVERIFY(QTest::qWaitForWindowActive(finestra));
    p_->Cmb_LED->setCurrentIndex(3);
    p_->Txt_ZoneMBLED[2]->setFocus();
    p_->Txt_ZoneMBLED[2]->setText(QStringLiteral("2.25"));
    QTest::keyClick(p_->Txt_ZoneMBLED[2], Qt::Key_Return);
    QCOMPARE(p_->Txt_ZoneMBLED[2]->text(), QStringLiteral("2,250"));
    QCOMPARE(QApplication::focusWidget(), p_->Cmb_ColoreLED);
    p_->Txt_ZoneMBLED[1]->setFocus();
    QTest::keyClick(p_->Txt_ZoneMBLED[1], Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), p_->Cmb_DisLED);
    p_->Txt_ZoneMBLED[6]->setFocus();
    QTest::keyClick(p_->Txt_ZoneMBLED[6], Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), p_->Txt_ZoneMBLED[0]);
    QCOMPARE(p_->Txt_ZoneMBLED[0]->selectedText(), QStringLiteral("4"));
}

void TestPaginaLED::conteggioZero()
{
    apri(impianto);
    p_->Cmb_LED->setCurrentIndex(2);
    p_->Cmb_LEDUsati->setCurrentIndex(0);
    QVERIFY(file().contains("LED=0\r\n"));
    QCOMPARE(p_->Cmb_LED->count(), 1);
    QCOMPARE(p_->Cmb_LED->currentIndex(), -1);
    QVERIFY(!p_->Cmb_LED->isEnabled());
    QCOMPARE(caselle(), QStringList(7, QString()));
    QVERIFY(!p_->Txt_ZoneMBLED[2]->isEnabled());
    QVERIFY(!p_->Txt_NomeLED->isEnabled());
    QCOMPARE(p_->Cmb_IndirizzoLED->currentIndex(), -1);
    // The condition and colour lists keep their last choice.
    QCOMPARE(p_->Cmb_DisLED->currentText(), QStringLiteral("Diverso"));
    QCOMPARE(p_->Cmb_ColoreLED->currentText(), QStringLiteral("Giallo"));
    QCOMPARE(NumeroLED, 4);
}

QTEST_MAIN(TestPaginaLED)
#include "tst_pagina_led.moc"
