// The chrono page on real widgets, offscreen, over a real program folder: the lists it fills, the
// interval editor, its buttons, the holidays, the copy frame and the printout.
#include "caricamento.h"
#include "cartellatemporanea.h"
#include "comunicazioni.h"
#include "crono.h"
#include "dialoghifinti.h"
#include "file_ini.h"
#include "filecrono.h"
#include "ganci.h"
#include "generale.h"
#include "pagina_ct.h"
#include "stampacrono.h"
#include "stampante.h"
#include "stampanteregistrata.h"
#include "testo1252.h"
#include "valori.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace Generale;
using Piattaforma::RispostaDialogo;

namespace {

QStringList voci(const QListWidget* l)
{
    QStringList r;
    for (int i = 0; i < l->count(); ++i)
        r << l->item(i)->text();
    return r;
}

// Page objects of a PDF file ("/Type /Page", not the "/Type /Pages" tree above them).
int pagineDelPdf(const QByteArray& pdf)
{
    auto trovate = QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)")).globalMatch(QString::fromLatin1(pdf));
    int n = 0;
    for (; trovate.hasNext(); trovate.next())
        ++n;
    return n;
}

// Everything the operator needs lies inside the window's frame, and no list covers its neighbour.
void nellaCornice(QWidget* cornice, PaginaCT* p)
{
    p->layout()->activate();
    for (QFrame* f : {p->Frm_Cronotermostato, p->Frm_Copia})
        if (f->layout())
            f->layout()->activate();
    QList<QWidget*> controlli{p, p->Lst_Festa, p->Frm_CopiaRic, p->Cmd_OK_CT[6], p->Cmb_AlleOre, p->Cmd_Conferma[0]};
    for (QListWidget* l : p->Lst_CT)
        controlli << l;
    for (QWidget* w : controlli) {
        if (w->isHidden())
            continue;
        const QRect r(w->mapTo(cornice, QPoint(0, 0)), w->size());
        QVERIFY2(cornice->rect().contains(r), qPrintable(w->objectName()));
    }
    for (int d = 0; d < 7; ++d) {
        QWidget* dopo = d < 6 ? static_cast<QWidget*>(p->Lst_CT[d + 1]) : p->Lst_Festa;
        QVERIFY2(p->Lst_CT[d]->geometry().right() < dopo->geometry().left(), qPrintable(p->Lst_CT[d]->objectName()));
    }
}

}  // namespace

class TestPaginaCT : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void listeRiempite_data();
    void listeRiempite();
    void editor_data();
    void editor();
    void valoreRifiutato();
    void valoreComeNelFile_data();
    void valoreComeNelFile();
    void applicaSegueLaCasella_data();
    void applicaSegueLaCasella();
    void salvaEChiudi();
    void rilettureMostranoIlProgramma();
    void senzaZone();
    void copia();
    void festivita();
    void ordinaFestivita_data();
    void ordinaFestivita();
    void stampaImpaginata();
    void stampaDallaPagina();
    void stampaNelFoglio_data();
    void stampaNelFoglio();

private:
    void carica(const QString& generale = QString());
    void scegli(int zona, int giorno, const QString& da, const QString& a, const QString& temperatura);
    std::unique_ptr<CartellaTemporanea> cartella_;
    std::unique_ptr<DialoghiFinti> dialoghi_;
    std::unique_ptr<Comunicazioni> c_;
    PaginaCT* p_ = nullptr;
    QList<int> pause_;
};

void TestPaginaCT::init()
{
    cartella_ = std::make_unique<CartellaTemporanea>();
    dialoghi_ = std::make_unique<DialoghiFinti>();
    QDir(cartella_->percorso()).mkpath(QStringLiteral("Crono"));
    ModoStagioni = true;
    FileImpostazioni = QStringLiteral("Quelvar1.ini");
    DimenticaPrimoCaricamento();
    pause_.clear();
    Acquisizione::GanciAttivi() = {};
    Acquisizione::GanciAttivi().Pausa = [this](int ms) { pause_ << ms; };
    Acquisizione::GanciAttivi().Adesso = [] { return QDateTime(QDate(2009, 12, 1), QTime(9, 5, 7)); };
    c_ = std::make_unique<Comunicazioni>();
    c_->resize(1300, 800);
    c_->show();
    p_ = c_->Pic_CT;
}

void TestPaginaCT::cleanup()
{
    c_.reset();
    dialoghi_.reset();
    cartella_.reset();
    Acquisizione::GanciAttivi() = {};
    Stampante::Imposta({});
    Stampante::NomeProdotto = nullptr;
    QFont::removeSubstitutions(QStringLiteral("Arial"));
}

// The settings file, the load with the chrono files after it, the lists, the page opened.
void TestPaginaCT::carica(const QString& generale)
{
    const QString ini = QStringLiteral("[Generale]\r\nZone=3\r\nCronotermostato=1\r\n") + generale
                        + QStringLiteral("[Zona 01]\r\nNome=Nord\r\n[Zona 02]\r\nNome=R&D\r\n[Zona 03]\r\nNome=Sud\r\n");
    cartella_->scrivi(FileImpostazioni, Piattaforma::In1252(ini));
    c_->CaricaImpostazioni();
    p_->RiempiListe(false);
    c_->NascondiPagine();
    c_->Cmd_Accessori[5]->setEnabled(false);
    p_->Apri();
}

void TestPaginaCT::scegli(int zona, int giorno, const QString& da, const QString& a, const QString& temperatura)
{
    p_->Cmb_ZonaCT->setCurrentIndex(zona);
    p_->Cmb_ZonaCT_Click();
    p_->Cmb_Giorno->setCurrentIndex(giorno);
    p_->Cmb_Giorno_Click();
    p_->Cmb_DalleOre->setCurrentIndex(p_->Cmb_DalleOre->findText(da));
    p_->Cmb_DalleOre_Click();
    p_->Cmb_AlleOre->setCurrentIndex(p_->Cmb_AlleOre->findText(a));
    p_->Cmb_CT_Temp->setCurrentText(temperatura);
}

void TestPaginaCT::listeRiempite_data()
{
    QTest::addColumn<bool>("stagioni");
    QTest::addColumn<QString>("generale");
    QTest::addColumn<QString>("primo");
    QTest::addColumn<QString>("ultimo");
    QTest::addColumn<QString>("scelto");
    QTest::addColumn<int>("quanti");
    QTest::newRow("°C") << true << "" << "10,0" << "30,0" << "20,0" << 41;
    QTest::newRow("°F") << true << "Zone Unita=°F\r\n" << "50,0" << "86,0" << "68,0" << 37;
    QTest::newRow("EU") << true << "Zone Unita=EU\r\n" << "-10,0" << "10,0" << "-5,0" << 201;
    QTest::newRow("clock, default limits") << false << "" << "-200" << "200" << "-200" << 41;
    QTest::newRow("clock, limits 0 and 100") << false << "[Grafico]\r\nT_Min_Ass=0\r\nT_Max_Ass=100\r\n[Generale]\r\n"
                                             << "0" << "100" << "0" << 101;
    QTest::newRow("clock, limits in the wrong order") << false << "[Grafico]\r\nT_Min_Ass=100\r\nT_Max_Ass=-100\r\n[Generale]\r\n"
                                                      << "-100" << "100" << "-100" << 21;
    QTest::newRow("clock, a span too wide for a list") << false
                                                       << "[Grafico]\r\nT_Min_Ass=-30000\r\nT_Max_Ass=30000\r\n[Generale]\r\n"
                                                       << "-30000" << "29990" << "-30000" << 858;
    QTest::newRow("season, unit not offered") << true << "Zone Unita=K\r\n" << "10,0" << "30,0" << "20,0" << 41;
}

void TestPaginaCT::listeRiempite()
{
    QFETCH(bool, stagioni);
    QFETCH(QString, generale);
    QFETCH(int, quanti);
    ModoStagioni = stagioni;
    FileImpostazioni = stagioni ? QStringLiteral("Quelvar1.ini") : QStringLiteral("Quelvar2.ini");
    carica(generale);
    p_->RiempiListe(true);  // twice: nothing doubled
    QCOMPARE(p_->Cmb_ZonaCT->count(), 3);
    QCOMPARE(p_->Cmb_ZonaCT->itemText(1), QStringLiteral("R&D"));
    QCOMPARE(p_->Cmb_ZonaCT->currentIndex(), 0);
    QCOMPARE(p_->Cmb_DalleOre->count(), 96);
    QCOMPARE(p_->Cmb_DalleOre->itemText(95), QStringLiteral("23:45"));
    QCOMPARE(p_->Cmb_AlleOre->count(), 96);
    QCOMPARE(p_->Cmb_AlleOre->currentText(), QStringLiteral("24:00"));
    QCOMPARE(p_->Cmb_Giorno->currentText(), QStringLiteral("Lunedì"));
    QCOMPARE(p_->Lst_CT[0]->palette().color(QPalette::Base), QColor(255, 255, 0));
    QVERIFY(p_->Lst_CT[1]->palette().color(QPalette::Base) != QColor(255, 255, 0));
    for (QListWidget* l : p_->Lst_CT)
        QCOMPARE(l->count(), 97);
    QCOMPARE(p_->Lst_CT[6]->item(96)->text(), QStringLiteral("24:00 - 20,0"));
    QCOMPARE(p_->Cmb_CT_Temp->count(), quanti);
    QTEST(p_->Cmb_CT_Temp->itemText(0), "primo");
    QTEST(p_->Cmb_CT_Temp->itemText(p_->Cmb_CT_Temp->count() - 1), "ultimo");
    QTEST(p_->Cmb_CT_Temp->currentText(), "scelto");
    QVERIFY(c_->Calendar->isHidden());
    QVERIFY(p_->Frm_Copia->isHidden());
    QVERIFY(!p_->Frm_Cronotermostato->isHidden());
}

void TestPaginaCT::editor_data()
{
    QTest::addColumn<QString>("da");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("temperatura");
    QTest::addColumn<int>("prima");
    QTest::addColumn<int>("quante");
    QTest::addColumn<QString>("riga");
    QTest::newRow("whole day, comma") << "00:00" << "24:00" << "21,5" << 0 << 97 << "00:00 - 21,5";
    QTest::newRow("23:45 to 24:00, point") << "23:45" << "24:00" << "21.5" << 95 << 2 << "23:45 - 21,5";
    QTest::newRow("08:00 to 12:00") << "08:00" << "12:00" << "17,0" << 32 << 17 << "08:00 - 17,0";
    QTest::newRow("negative") << "08:00" << "08:15" << "-5,5" << 32 << 2 << "08:00 - -5,5";
}

void TestPaginaCT::editor()
{
    QFETCH(QString, da);
    QFETCH(QString, a);
    QFETCH(QString, temperatura);
    QFETCH(int, prima);
    QFETCH(int, quante);
    carica();
    scegli(1, 2, da, a, temperatura);
    QCOMPARE(p_->Lst_CT[2]->palette().color(QPalette::Base), QColor(255, 255, 0));
    QTest::mouseClick(p_->Img_InviaModifica[0], Qt::LeftButton);
    QCOMPARE(pause_, QList<int>{300});
    QVERIFY(!p_->Img_InviaModifica[0]->isHidden());
    QVERIFY(p_->Img_InviaModifica[1]->isHidden());
    QTEST(p_->Lst_CT[2]->item(prima)->text(), "riga");
    const float valore = TabellaCrono[prima][1][2];
    for (int s = 0; s < NumeroFasce; ++s) {
        QCOMPARE(TabellaCrono[s][1][2], s >= prima && s < prima + quante ? valore : 20.0f);
        QCOMPARE(p_->Lst_CT[2]->item(s)->text().left(8), FasceOrarie[s] + QStringLiteral(" - "));
    }
    QCOMPARE(TabellaCrono[prima][0][2], 20.0f);
    QCOMPARE(p_->Lst_CT[1]->item(prima)->text(), FasceOrarie[prima] + QStringLiteral(" - 20,0"));
    QVERIFY(dialoghi_->mostrati.isEmpty());
}

// A value the zone's instrument cannot take (beyond 16 bits with its decimals) stops at the page.
void TestPaginaCT::valoreRifiutato()
{
    carica();
    MappaScritturaZone[0][Decimali] = 1;
    scegli(0, 0, "00:00", "24:00", "4000,0");
    p_->ApplicaIntervallo();
    QCOMPARE(dialoghi_->mostrati.size(), 1);
    QCOMPARE(dialoghi_->mostrati[0].titolo, QStringLiteral("Cronotermostato"));
    QCOMPARE(TabellaCrono[0][0][0], 20.0f);
    QCOMPARE(p_->Lst_CT[0]->item(0)->text(), QStringLiteral("00:00 - 20,0"));
    MappaScritturaZone[0][Decimali] = -1;
}

// A value typed with more decimals than the chrono file keeps: the zone is sent the same
// set-point before the save and after the file is read again.
void TestPaginaCT::valoreComeNelFile_data()
{
    QTest::addColumn<QString>("temperatura");
    QTest::addColumn<int>("decimali");
    QTest::addColumn<QString>("riga");
    QTest::addColumn<long>("registro");
    QTest::newRow("21,25 on two decimals") << "21,25" << 2 << "08:00 - 21,3" << 2130L;
    QTest::newRow("21,24 on two decimals") << "21,24" << 2 << "08:00 - 21,2" << 2120L;
    QTest::newRow("-5,55 on two decimals") << "-5,55" << 2 << "08:00 - -5,6" << -560L;
    QTest::newRow("19,96 on three decimals") << "19,96" << 3 << "08:00 - 20,0" << 20000L;
    QTest::newRow("21,5 on one decimal") << "21,5" << 1 << "08:00 - 21,5" << 215L;
}

void TestPaginaCT::valoreComeNelFile()
{
    QFETCH(QString, temperatura);
    QFETCH(int, decimali);
    QFETCH(long, registro);
    carica();
    MappaScritturaZone[1][Decimali] = std::int16_t(decimali);
    scegli(1, 3, "08:00", "08:15", temperatura);
    p_->ApplicaIntervallo();
    QVERIFY(dialoghi_->mostrati.isEmpty());
    QTEST(p_->Lst_CT[3]->item(32)->text(), "riga");
    const auto prima = Acquisizione::RegistroDaValore(TabellaCrono[32][1][3], decimali);
    p_->Cmd_OK_CT_Click(2);  // save
    TabellaCrono[32][1][3] = 0.0f;
    File_Ini::CaricaCronotermostato();
    const auto dopo = Acquisizione::RegistroDaValore(TabellaCrono[32][1][3], decimali);
    MappaScritturaZone[1][Decimali] = -1;
    QCOMPARE(prima, std::optional<long>(registro));
    QCOMPARE(dopo, std::optional<long>(registro));
    QTEST(p_->Lst_CT[3]->item(32)->text(), "riga");
}

// The apply takes the zone's use flag from the box as it stands, whatever the flag held.
void TestPaginaCT::applicaSegueLaCasella_data()
{
    QTest::addColumn<bool>("casella");
    QTest::addColumn<bool>("prima");
    QTest::newRow("box ticked, flag off") << true << false;
    QTest::newRow("box cleared, flag on") << false << true;
    QTest::newRow("box ticked, flag on") << true << true;
}

void TestPaginaCT::applicaSegueLaCasella()
{
    QFETCH(bool, casella);
    QFETCH(bool, prima);
    carica();
    scegli(2, 0, "08:00", "09:00", "18,0");
    {
        const QSignalBlocker fermo(p_->Chk_UsaCrono);
        p_->Chk_UsaCrono->setChecked(casella);
    }
    CronoAttivoZona[2] = prima;
    CronoAttivoZona[1] = !casella;
    QTest::mouseClick(p_->Img_InviaModifica[0], Qt::LeftButton);
    QCOMPARE(TabellaCrono[32][2][0], 18.0f);
    QCOMPARE(CronoAttivoZona[2], casella);
    QCOMPARE(CronoAttivoZona[1], !casella);  // another zone's flag is not the box's
}

void TestPaginaCT::salvaEChiudi()
{
    carica();
    scegli(2, 4, "08:00", "12:00", "22,5");
    p_->Chk_UsaCrono->click();
    QVERIFY(CronoAttivoZona[2]);
    p_->ApplicaIntervallo();
    QTest::mouseClick(p_->Cmd_OK_CT[0], Qt::LeftButton);  // save and close
    QVERIFY(p_->isHidden());
    QVERIFY(c_->Cmd_Accessori[5]->isEnabled());
    QCOMPARE(File_Ini::LeggiIni(QStringLiteral("Zona 03"), QStringLiteral("Cronotermostato"), QString()), QStringLiteral("1"));
    TabellaCrono[40][2][4] = 0.0f;
    File_Ini::CaricaCronotermostato();  // the run-time step's loader
    QCOMPARE(TabellaCrono[40][2][4], 22.5f);
    QCOMPARE(TabellaCrono[49][2][4], 20.0f);

    // An apply that is not saved is gone after a close.
    c_->NascondiPagine();
    p_->Apri();
    scegli(2, 4, "00:00", "24:00", "11,0");
    p_->ApplicaIntervallo();
    QCOMPARE(TabellaCrono[0][2][4], 11.0f);
    p_->Cmd_OK_CT_Click(1);
    QCOMPARE(TabellaCrono[0][2][4], 20.0f);
    QCOMPARE(TabellaCrono[40][2][4], 22.5f);
    QVERIFY(dialoghi_->mostrati.isEmpty());
}

// Whoever reads the chrono files again (a reload, a re-read, the page's own re-read), the page
// shows the programme in effect, not the rows it had.
void TestPaginaCT::rilettureMostranoIlProgramma()
{
    carica();
    scegli(0, 0, "00:00", "24:00", "11,0");
    p_->ApplicaIntervallo();
    Crono::Festivita << QStringLiteral("25/12/2009");
    p_->Lst_Festa->addItem(QStringLiteral("25/12/2009"));
    File_Ini::CaricaCronotermostato();
    QCOMPARE(p_->Lst_CT[0]->item(0)->text(), QStringLiteral("00:00 - 20,0"));
    QCOMPARE(p_->Lst_Festa->count(), 0);

    // The use flag from the settings file, once the whole configuration is loaded again.
    scegli(1, 0, "00:00", "24:00", "11,0");
    p_->Chk_UsaCrono->click();
    QVERIFY(p_->Chk_UsaCrono->isChecked());
    c_->CaricaImpostazioni();
    QVERIFY(!p_->Chk_UsaCrono->isChecked());

    p_->Cmd_OK_CT_Click(3);  // re-read: shown again, button 5 still off
    QVERIFY(!p_->isHidden());
    QVERIFY(!c_->Cmd_Accessori[5]->isEnabled());
    QCOMPARE(p_->Lst_CT[0]->count(), 97);
}

// No zone configured: every button and handler does nothing harmful.
void TestPaginaCT::senzaZone()
{
    cartella_->scrivi(FileImpostazioni, "[Generale]\r\nZone=0\r\n");
    c_->CaricaImpostazioni();
    p_->RiempiListe(false);
    p_->Apri();
    QCOMPARE(p_->Cmb_ZonaCT->currentIndex(), -1);
    for (QListWidget* l : p_->Lst_CT)
        QCOMPARE(l->count(), 0);
    const auto prima = TabellaCrono;
    p_->Cmb_ZonaCT_Click();
    p_->Chk_UsaCrono->click();
    p_->Img_InviaModifica_Click(0);
    p_->Chk_Copia->click();
    p_->Opt_Copia_Click(1);
    p_->Cmb_CopiaZ_Click(0);
    p_->Cmb_CopiaG1_Click();
    p_->Cmd_Conferma_Click(0);
    p_->Cmd_Conferma_Click(1);
    p_->Cmd_Conferma_Click(2);
    p_->Lst_Festa_DblClick();
    p_->Cmd_OK_CT_Click(7);
    QVERIFY(TabellaCrono == prima);
    QVERIFY(!std::any_of(CronoAttivoZona.begin(), CronoAttivoZona.end(), [](bool b) { return b; }));
    QVERIFY(dialoghi_->mostrati.isEmpty());
}

void TestPaginaCT::copia()
{
    carica();
    for (int s = 0; s < NumeroFasce; ++s)
        TabellaCrono[s][0][0] = 5.5f;
    nellaCornice(c_->Frm_Com, p_);
    if (QTest::currentTestFailed())
        return;
    p_->Chk_Copia->click();
    p_->Chk_Copia->click();
    p_->Chk_Copia->click();
    nellaCornice(c_->Frm_Com, p_);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(!p_->Frm_Copia->isHidden());
    QVERIFY(p_->Frm_Cronotermostato->isHidden());
    QCOMPARE(p_->Cmb_CopiaG[1]->count(), 7);
    QCOMPARE(p_->Cmb_CopiaZ[0]->count(), 3);
    QCOMPARE(p_->Cmb_CopiaG1->count(), 3);
    QVERIFY(!p_->Cmb_CopiaZ[0]->isEnabled());
    QVERIFY(!p_->Cmd_Conferma[1]->isEnabled());
    // Ticking re-read the files: put the sample day back.
    for (int s = 0; s < NumeroFasce; ++s)
        TabellaCrono[s][0][0] = 5.5f;

    // Same day: refused; No: nothing.
    p_->Cmd_Conferma_Click(0);
    QCOMPARE(dialoghi_->mostrati.size(), 1);
    QCOMPARE(dialoghi_->mostrati[0].testo, QStringLiteral("Attenzione: Non è possibile copiare un giorno su se stesso."));
    p_->Cmb_CopiaG[1]->setCurrentIndex(6);
    dialoghi_->risposte << RispostaDialogo::No;
    p_->Cmd_Conferma_Click(0);
    QCOMPARE(dialoghi_->mostrati[1].testo, QStringLiteral("Si desidera copiare i dati relativi alla giornata di Lunedì sulla "
                                                         "giornata di Domenica relativi alla sola zona Nord?"));
    QCOMPARE(TabellaCrono[10][0][6], 20.0f);
    p_->Cmd_Conferma_Click(0);  // Yes
    QCOMPARE(TabellaCrono[10][0][6], 5.5f);
    QCOMPARE(p_->Lst_CT[6]->item(10)->text(), QStringLiteral("02:30 - 05,5"));
    QCOMPARE(p_->Lst_CT[6]->count(), 97);

    // Zone mode: the source zone's week and use flag onto another zone.
    p_->Opt_Copia[1]->click();
    QVERIFY(p_->Cmb_CopiaZ[0]->isEnabled());
    QVERIFY(!p_->Cmb_CopiaG1->isEnabled());
    QCOMPARE(p_->Cmb_Giorno->currentIndex(), -1);
    TabellaCrono[3][0][2] = 7.0f;
    CronoAttivoZona[0] = true;
    CronoAttivoZona[2] = false;
    p_->Cmb_CopiaZ[1]->setCurrentIndex(2);
    p_->Cmd_Conferma_Click(1);
    QCOMPARE(dialoghi_->mostrati.last().testo, QStringLiteral("Si desidera copiare i dati relativi alla zona Nord sulla zona Sud?"));
    QCOMPARE(TabellaCrono[3][2][2], 7.0f);
    QVERIFY(CronoAttivoZona[2]);
    QCOMPARE(p_->Lst_CT[2]->item(3)->text(), QStringLiteral("00:45 - 07,0"));
    p_->Cmb_CopiaZ[1]->setCurrentIndex(0);
    p_->Cmd_Conferma_Click(1);
    QCOMPARE(dialoghi_->mostrati.last().testo, QStringLiteral("Attenzione: Non è possibile copiare una zona su se stessa."));

    // Closing unticks the box and shows the editor again.
    p_->Cmd_OK_CT_Click(1);
    QVERIFY(!p_->Chk_Copia->isChecked());
    QVERIFY(p_->Frm_Copia->isHidden());
    QCOMPARE(p_->Cmb_Giorno->currentIndex(), 0);
}

void TestPaginaCT::festivita()
{
    carica();
    c_->Calendar->setSelectedDate(QDate(2009, 12, 8));
    p_->Calendar_Click();
    c_->Calendar->setSelectedDate(QDate(2010, 1, 6));
    p_->Calendar_Click();
    c_->Calendar->setSelectedDate(QDate(2009, 12, 25));
    p_->Calendar_Click();
    QCOMPARE(Crono::Festivita, QStringList({"08/12/2009", "06/01/2010", "25/12/2009"}));
    QCOMPARE(voci(p_->Lst_Festa), Crono::Festivita);

    p_->Cmd_OK_CT_Click(4);
    QVERIFY(!c_->Calendar->isHidden());
    p_->Cmd_OK_CT_Click(4);
    QVERIFY(c_->Calendar->isHidden());

    // Double click: one day, after a question.
    p_->Lst_Festa->setCurrentRow(1);
    dialoghi_->risposte << RispostaDialogo::No;
    p_->Lst_Festa_DblClick();
    QCOMPARE(Crono::Festivita.size(), 3);
    p_->Lst_Festa_DblClick();
    QCOMPARE(dialoghi_->mostrati.last().testo, QStringLiteral("Eliminare la festività 06/01/2010 ?"));
    QCOMPARE(Crono::Festivita, QStringList({"08/12/2009", "25/12/2009"}));
    QCOMPARE(voci(p_->Lst_Festa), Crono::Festivita);

    // Right click alone, or with Shift and Ctrl: nothing; with Shift: all, after a question.
    QWidget* vista = p_->Lst_Festa->viewport();
    QTest::mouseClick(vista, Qt::RightButton);
    QTest::mouseClick(vista, Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(dialoghi_->mostrati.size(), 2);
    QTest::mouseClick(vista, Qt::RightButton, Qt::ShiftModifier);
    QCOMPARE(dialoghi_->mostrati.last().testo, QStringLiteral("Eliminare tutte le festività dalla lista ?"));
    QVERIFY(Crono::Festivita.isEmpty());
    QCOMPARE(p_->Lst_Festa->count(), 0);
    QCOMPARE(p_->pos(), QPoint(8, 32));  // the right click never dragged the page
}

void TestPaginaCT::ordinaFestivita_data()
{
    QTest::addColumn<QStringList>("prima");
    QTest::addColumn<QList<RispostaDialogo>>("risposte");
    QTest::addColumn<QStringList>("lista");
    QTest::addColumn<int>("domande");
    QTest::addColumn<QByteArray>("file");
    const QByteArray vecchio = "01/01/2000\r\n";
    const QStringList esempio{"25/12/2009", "01/01/2009", "Natale", "06/01/2010", "25/12/2009"};
    QTest::newRow("yes, yes: cleaned and saved") << esempio << QList<RispostaDialogo>{RispostaDialogo::Si, RispostaDialogo::Si}
                                                 << QStringList{"25/12/2009", "06/01/2010"} << 2
                                                 << QByteArray("25/12/2009\r\n06/01/2010\r\n");
    QTest::newRow("no, no: sorted, not saved") << esempio << QList<RispostaDialogo>{RispostaDialogo::No, RispostaDialogo::No}
                                               << QStringList{"01/01/2009", "25/12/2009", "25/12/2009", "06/01/2010", "Natale"}
                                               << 2 << vecchio;
    QTest::newRow("cancel: nothing") << esempio << QList<RispostaDialogo>{RispostaDialogo::Annulla} << esempio << 1 << vecchio;
    QTest::newRow("empty list: still asked, saved as ten blanks")
        << QStringList{} << QList<RispostaDialogo>{RispostaDialogo::Si, RispostaDialogo::Si} << QStringList{} << 2
        << QByteArray("          \r\n");
}

void TestPaginaCT::ordinaFestivita()
{
    QFETCH(QStringList, prima);
    QFETCH(QList<RispostaDialogo>, risposte);
    carica();
    cartella_->scrivi(QStringLiteral("Crono/Festivita.cts"), "01/01/2000\r\n");
    Crono::Festivita = prima;
    p_->Lst_Festa->clear();
    p_->Lst_Festa->addItems(prima);
    for (RispostaDialogo r : risposte)
        dialoghi_->risposte << r;
    p_->Cmd_OK_CT_Click(5);
    QTEST(Crono::Festivita, "lista");
    QTEST(voci(p_->Lst_Festa), "lista");
    QTEST(int(dialoghi_->mostrati.size()), "domande");
    QCOMPARE(dialoghi_->mostrati[0].pulsanti, Piattaforma::PulsantiDialogo::SiNoAnnulla);
    QTEST(cartella_->leggi(QStringLiteral("Crono/Festivita.cts")), "file");
}

// The printout's lines, through the printing code into a PDF file.
void TestPaginaCT::stampaImpaginata()
{
    Crono::RiempiFasceOrarie();
    StampaCrono::Contenuto c;
    c.prodotto = QStringLiteral("  Quelvar ");
    c.zona = QStringLiteral("zona nord ");
    c.momento = QDateTime(QDate(2009, 12, 1), QTime(17, 5, 9));
    for (int d = 0; d < 7; ++d) {
        c.giorni[d] = QStringLiteral("G%1").arg(d);
        for (int s = 0; s < NumeroFasce; ++s)
            c.colonne[d] << FasceOrarie[s] + QStringLiteral(" - 20,0");
    }
    c.titoloFestivita = QStringLiteral("Festività");
    c.festivita = QStringList{"25/12/2009"};

    QPrinter stampante(QPrinter::HighResolution);
    stampante.setOutputFormat(QPrinter::PdfFormat);
    stampante.setOutputFileName(cartella_->percorso(QStringLiteral("stampa.pdf")));
    stampante.setPageSize(QPageSize(QPageSize::A4));
    stampante.setPageMargins(QMarginsF(7, 7, 7, 7), QPageLayout::Millimeter);
    const QList<QStringList> fogli = StampaCrono::Stampa(stampante, StampaCrono::Impagina(c));
    QCOMPARE(fogli.size(), 2);
    QCOMPARE(pagineDelPdf(cartella_->leggi(QStringLiteral("stampa.pdf"))), 2);
    for (const QStringList& foglio : fogli) {
        QCOMPARE(foglio[2], QStringLiteral("Quelvar"));
        QCOMPARE(foglio[4], QStringLiteral("IMPOSTAZIONE CRONOTERMOSTATO ZONA: ZONA NORD"));
    }
    QCOMPARE(fogli[0][5], QStringLiteral("Stampato il 01/12/2009 alle ore 17:05:09"));
    QCOMPARE(fogli[0][8], QStringLiteral("G0 G1 G2 G3 G4 G5 G6"));
    QCOMPARE(fogli[0][9].left(14), QStringLiteral("00:00 - 20,0 0"));
    QCOMPARE(fogli[0].last().left(5), QStringLiteral("18:15"));
    QCOMPARE(fogli[0].size(), 9 + 74);
    QCOMPARE(fogli[1][9].left(5), QStringLiteral("18:30"));
    QCOMPARE(fogli[1].size(), 9 + 23 + 4);
    QCOMPARE(fogli[1][9 + 22].left(5), QStringLiteral("24:00"));
    QCOMPARE(fogli[1].mid(fogli[1].size() - 4), QStringList({"", "", "Festività", "25/12/2009"}));
}

void TestPaginaCT::stampaDallaPagina()
{
    const QString pdf = cartella_->percorso(QStringLiteral("pagina.pdf"));
    Stampante::Imposta([pdf] {
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(pdf);
        p->setPageSize(QPageSize(QPageSize::A4));
        return p;
    });
    Stampante::NomeProdotto = [] { return QStringLiteral("Quelvar"); };
    carica();
    dialoghi_->risposte << RispostaDialogo::No;
    p_->Cmd_OK_CT_Click(6);
    QCOMPARE(dialoghi_->mostrati[0].titolo, QStringLiteral("Stampa elenco comunicazione"));
    QVERIFY(!QFile::exists(pdf));
    p_->Cmd_OK_CT_Click(6);
    QCOMPARE(pagineDelPdf(cartella_->leggi(QStringLiteral("pagina.pdf"))), 2);

    // An empty page prints its header and empty columns on one sheet.
    QFile::remove(pdf);
    cartella_->scrivi(FileImpostazioni, "[Generale]\r\nZone=0\r\n");
    c_->CaricaImpostazioni();
    p_->RiempiListe(false);
    p_->Cmd_OK_CT_Click(6);
    QCOMPARE(pagineDelPdf(cartella_->leggi(QStringLiteral("pagina.pdf"))), 1);
}

void TestPaginaCT::stampaNelFoglio_data()
{
    QTest::addColumn<QPageSize::PageSizeId>("carta");
    QTest::addColumn<QString>("carattere");  // the face the system gives for "Arial"; empty: its own
    QTest::newRow("A4, carattere più largo del previsto") << QPageSize::A4 << QStringLiteral("DejaVu Sans Mono");
    QTest::newRow("B5, foglio più stretto") << QPageSize::B5 << QString();
}

// Printed from the page's print button, every text of the printout stands wholly within the
// printable area, Sunday's column too, and the seven columns of a line keep their order without running into each other,
// whatever the paper's width and the face the printer has for the font.
void TestPaginaCT::stampaNelFoglio()
{
    QFETCH(QPageSize::PageSizeId, carta);
    QFETCH(QString, carattere);
    if (!carattere.isEmpty())
        QFont::insertSubstitution(QStringLiteral("Arial"), carattere);
    auto registro = std::make_shared<RegistroStampa>();
    Stampante::Imposta([registro, carta] { return std::make_unique<StampanteRegistrata>(registro, QPageSize(carta)); });
    carica();
    QTest::mouseClick(p_->Cmd_OK_CT[6], Qt::LeftButton);
    QCOMPARE(dialoghi_->mostrati.size(), 1);

    // The printable area's edges: a printer that cannot print into its margins cuts what passes them.
    const qreal sinistra = 0;
    const qreal destra = registro->area().width();
    QMap<QPair<int, qreal>, QList<QRectF>> righe;
    for (const RegistroStampa::Testo& t : registro->testi) {
        QVERIFY2(t.dove.left() >= sinistra && t.dove.right() <= destra,
                 qPrintable(QStringLiteral("%1 da %2 a %3, l'area stampabile da %4 a %5")
                                .arg(t.testo).arg(t.dove.left()).arg(t.dove.right()).arg(sinistra).arg(destra)));
        righe[{t.foglio, t.base}] << t.dove;
    }
    QVERIFY(std::any_of(registro->testi.begin(), registro->testi.end(),
                        [](const RegistroStampa::Testo& t) { return t.testo == QLatin1String("Domenica"); }));
    for (QList<QRectF>& riga : righe) {
        std::sort(riga.begin(), riga.end(), [](const QRectF& a, const QRectF& b) { return a.left() < b.left(); });
        for (int i = 1; i < riga.size(); ++i)
            QVERIFY2(riga[i - 1].right() < riga[i].left(), qPrintable(QStringLiteral("colonna %1").arg(i + 1)));
    }
}

QTEST_MAIN(TestPaginaCT)
#include "tst_pagina_ct.moc"
