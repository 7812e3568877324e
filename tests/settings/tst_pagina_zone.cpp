// The zones page and its supplementary panel, offscreen, on settings files in a temporary program
// folder: what a save writes (and what it leaves byte for byte alone), the count, the refusals,
// the box filters, the captions, the panel and the display selectors.
#include "caricamento.h"
#include "cartellatemporanea.h"
#include "ciclo.h"
#include "codabus.h"
#include "ganci.h"
#include "storicogiornaliero.h"
#include "../acquisition/fintobus.h"
#include "casellavalore.h"
#include "comunicazioni.h"
#include "dialoghifinti.h"
#include "finestre.h"
#include "generale.h"
#include "mainform.h"
#include "pagina_zona_sup.h"
#include "pagina_zone.h"
#include "profilo.h"
#include "testo1252.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace Generale;
namespace Z = ChiaviZone;

namespace {

// A file of the demo plant's program folder.
QByteArray demo(const char* nome = "Quelvar1.ini")
{
    QFile f(QDir::cleanPath(qEnvironmentVariable("QUELVAR_TEST_DATA") + QStringLiteral("/../../demo/") +
                            QLatin1String(nome)));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

QByteArray crlf(QString testo)
{
    testo.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return Piattaforma::In1252(testo);
}

// Decimals 0..3, bit and register points, writes of both kinds, every key present.
const char* const tipi =
    "[Generale]\nZone=4\nZone Unita=°F\n[Grafico]\nT_Min_Ass=0\nT_Max_Ass=1500\n[Sinottico]\nImmagine=Impianto.png\n"
    "[Zona 01]\nNome=Forno\nIndirizzo=255\nDecimali=0\nSlave=0\nREM_r=2,7\nREM_w=5,7\nPV_r=4,0\nPV_w=6,0\n"
    "SP_r=3,1\nSP_w=6,1\nAL1_r=1,2\nAL1_w=5,2\nAL2_r=3,32767\nAL2_w=6,32767\nAL3_r=2,3\nAL3_w=5,3\n"
    "[Zona 02]\nNome=Cella\nIndirizzo=2\nDecimali=2\nSlave=1\nREM_r=\nREM_w=\nPV_r=3,0\nPV_w=\nSP_r=3,1\nSP_w=6,1\n"
    "AL1_r=\nAL1_w=\nAL2_r=\nAL2_w=\nAL3_r=\nAL3_w=\n"
    "[Zona 03]\nNome=Essiccatoio\nIndirizzo=3\nDecimali=3\nSlave=0\nPV_r=3,0\n"
    "[Zona 04]\nNome=Senza nodo\nDecimali=1\nPV_r=3,5\nSP_w=6,1\n";

}  // namespace

class TestPaginaZone : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void salvataggioInvariato_data();
    void salvataggioInvariato();
    void ordineChiavi();
    void chiaviScritte_data();
    void chiaviScritte();
    void conteggio();
    void rifiuti_data();
    void rifiuti();
    void fileSolaLettura();
    void filtro_data();
    void filtro();
    void invio();
    void dicitura_data();
    void dicitura();
    void pannello();
    void pannelloIconaComeNelFile_data();
    void pannelloIconaComeNelFile();
    void selettori_data();
    void selettori();
    void graficoSceltoDuranteUnaPassata_data();
    void graficoSceltoDuranteUnaPassata();

private:
    void carica(const QByteArray& ini);
    void apri();
    void scegliZona(int numero);
    QString leggi(const QString& sezione, const QString& chiave) const
    {
        return Piattaforma::Profilo::Leggi(cartella_->percorso(FileImpostazioni), sezione, chiave, QStringLiteral("?"));
    }
    QByteArray file() const { return cartella_->leggi(FileImpostazioni); }

    std::unique_ptr<CartellaTemporanea> cartella_;
    std::unique_ptr<Finestre> f_;
    std::unique_ptr<DialoghiFinti> dialoghi_;
    PaginaZone* p_ = nullptr;
};

void TestPaginaZone::init()
{
    cartella_ = std::make_unique<CartellaTemporanea>();
    ModoStagioni = true;
    FileImpostazioni = QStringLiteral("Quelvar1.ini");
    AvvioInCorso = false;
    dialoghi_ = std::make_unique<DialoghiFinti>();
    f_ = std::make_unique<Finestre>();
    p_ = f_->comunicazioni->Pic_ZoneMB;
}

void TestPaginaZone::cleanup()
{
    PaginaZone::MostraDicitura = nullptr;
    f_.reset();
    dialoghi_.reset();
    cartella_.reset();
}

void TestPaginaZone::carica(const QByteArray& ini)
{
    cartella_->scrivi(FileImpostazioni, ini);
    Configurazione::CaricaImpostazioni();
}

// What the page's menu does: lists filled, pages hidden and the configuration reloaded, page open.
void TestPaginaZone::apri()
{
    p_->RiempiListe(false);
    f_->comunicazioni->NascondiPagine();
    p_->Apri();
}

void TestPaginaZone::scegliZona(int numero) { p_->Cmb_Zone->setCurrentIndex(numero - 1); }

void TestPaginaZone::salvataggioInvariato_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<int>("zona");
    for (int z = 1; z <= 5; ++z)
        QTest::addRow("demo, zona %d", z) << demo() << z;
    for (int z = 1; z <= 4; ++z)
        QTest::addRow("ogni tipo di punto, zona %d", z) << crlf(QString::fromUtf8(tipi)) << z;
    QTest::newRow("chiavi mancanti") << crlf(QStringLiteral("[Generale]\nZone=1\n[Zona 01]\nIndirizzo=7\n")) << 1;
    QTest::newRow("righe LF, nome tra virgolette")
        << QByteArray("[Generale]\nZone=2\n[Zona 02]\nNome=\"Sala A\"\nIndirizzo=9\nPV_r=3,4\n") << 2;
    // Points the page would refuse if typed: the file's own are not the operator's to mend.
    QTest::newRow("codice 7 che il caricamento prende")
        << crlf(QStringLiteral("[Generale]\nZone=1\n[Zona 01]\nIndirizzo=1\nPV_r=7,100\nSP_w=3,4\n")) << 1;
    QTest::newRow("punti che il caricamento non prende")
        << crlf(QStringLiteral("[Generale]\nZone=1\n[Zona 01]\nIndirizzo=1\nPV_r=3,40001\nSP_r=3,abc\nAL1_w=6;5\n"
                               "REM_r=1,\n"))
        << 1;
}

void TestPaginaZone::salvataggioInvariato()
{
    QFETCH(QByteArray, ini);
    QFETCH(int, zona);
    carica(ini);
    apri();
    scegliZona(1);
    scegliZona(zona);
    QCOMPARE(p_->ZonaScelta(), zona);
    p_->Cmd_ChiudiZone_Click(2);
    QCOMPARE(file(), ini);
    QVERIFY(!p_->isHidden());
    p_->Cmd_ChiudiZone_Click(0);
    QCOMPARE(file(), ini);
    QVERIFY(p_->isHidden());
    QVERIFY(dialoghi_->mostrati.isEmpty());
    // Leaving without saving after edits writes nothing and closes the page.
    apri();
    scegliZona(zona);
    p_->Txt_NomeLoop->setText(QStringLiteral("Modificato"));
    p_->Txt_ZoneMB[0]->setText(QStringLiteral("4"));
    p_->Cmd_ChiudiZone_Click(1);
    QCOMPARE(file(), ini);
    QVERIFY(p_->isHidden());
    QVERIFY(NomiZone[zona - 1] != QStringLiteral("Modificato"));
}

void TestPaginaZone::ordineChiavi()
{
    Z::Pagina p;
    p.zona = 3;
    p.indirizzo = QStringLiteral("5");
    p.decimali = QStringLiteral("1");
    QStringList chiavi;
    for (const Z::Scrittura& s : Z::Salvataggio(p))
        chiavi << s.sezione + QLatin1Char('/') + s.chiave;
    QCOMPARE(chiavi, (QStringList{"Sinottico/Immagine", "Zona 03/Nome", "Zona 03/Indirizzo", "Grafico/T_Min_Ass",
                                  "Grafico/T_Max_Ass", "Generale/Zone Unita", "Zona 03/Decimali", "Zona 03/Slave",
                                  "Zona 03/REM_r", "Zona 03/REM_w", "Zona 03/PV_r", "Zona 03/PV_w", "Zona 03/SP_r",
                                  "Zona 03/SP_w", "Zona 03/AL1_r", "Zona 03/AL1_w", "Zona 03/AL2_r", "Zona 03/AL2_w",
                                  "Zona 03/AL3_r", "Zona 03/AL3_w"}));
    p.zona = 0;
    QVERIFY(Z::Salvataggio(p).isEmpty());
}

void TestPaginaZone::chiaviScritte_data()
{
    QTest::addColumn<QString>("modifiche");  // what the test changes, by name
    QTest::addColumn<int>("zona");
    QTest::addColumn<QString>("sezione");
    QTest::addColumn<QString>("chiave");
    QTest::addColumn<QByteArray>("riga");  // the key's line in the file after the save
    const QString a45 = QString(45, QLatin1Char('A'));
    QTest::newRow("nome di 60 caratteri") << a45 + "     " + QString(10, 'B') << 2 << "Zona 02" << "Nome"
                                           << QByteArray("Nome=") + a45.toLatin1() + "\r\n";
    QTest::newRow("nome di 50 con spazio finale") << QString(49, 'C') + " " << 2 << "Zona 02" << "Nome"
                                                   << QByteArray("Nome=") + QByteArray(49, 'C') + " \r\n";
    QTest::newRow("zona 1 sempre master") << "" << 1 << "Zona 01" << "Slave" << QByteArray("Slave=0\r\n");
    QTest::newRow("slave spuntato") << "slave" << 3 << "Zona 03" << "Slave" << QByteArray("Slave=1\r\n");
    QTest::newRow("punto svuotato") << "svuota PV" << 2 << "Zona 02" << "PV_r" << QByteArray("PV_r=\r\n");
    // Shown as the list's last entry, "1500"; untouched, it stays as the file holds it.
    QTest::newRow("limite fuori lista") << "" << 2 << "Grafico" << "T_Max_Ass" << QByteArray("T_Max_Ass=250\r\n");
    QTest::newRow("nodo e decimali scelti") << "nodo" << 2 << "Zona 02" << "Indirizzo" << QByteArray("Indirizzo=17\r\n");
}

void TestPaginaZone::chiaviScritte()
{
    QFETCH(QString, modifiche);
    QFETCH(int, zona);
    QFETCH(QString, sezione);
    QFETCH(QString, chiave);
    QFETCH(QByteArray, riga);
    QByteArray ini = demo();
    ini.replace("T_Max_Ass=200", "T_Max_Ass=250");
    ini.replace("[Zona 01]\r\n", "[Zona 01]\r\nSlave=1\r\n");
    carica(ini);
    apri();
    scegliZona(zona);
    QCOMPARE(p_->Chk_Master->isVisibleTo(p_), zona == 1);
    QCOMPARE(p_->Chk_Slave->isVisibleTo(p_), zona != 1);
    QCOMPARE(p_->Chk_Master->checkState(), Qt::PartiallyChecked);
    if (modifiche == "slave")
        p_->Chk_Slave->click();
    else if (modifiche == "svuota PV")
        p_->Txt_ZoneMB[0]->clear(), p_->Txt_ZoneMB[1]->clear();
    else if (modifiche == "nodo")
        p_->Cmb_Indirizzo->setCurrentIndex(16), p_->Cmb_Decimali->setCurrentIndex(3);
    else if (!modifiche.isEmpty())
        p_->Txt_NomeLoop->setText(modifiche);
    p_->Cmd_ChiudiZone_Click(2);
    const QByteArray dopo = file();
    const qsizetype inizio = dopo.indexOf("[" + sezione.toLatin1() + "]");
    QVERIFY(inizio >= 0);
    QVERIFY2(dopo.indexOf("\n" + riga, inizio) > inizio, dopo.mid(inizio, 400).constData());
    if (modifiche == "nodo") {
        QCOMPARE(leggi("Zona 02", "Decimali"), QStringLiteral("3"));
        QCOMPARE(MappaLetturaZone[1][Nodo], 17);  // the save reloaded the configuration
    }
    // The point rows keep their text: an emptied pair is "", never a lone comma.
    QVERIFY(!dopo.contains("=,\r\n"));
}

void TestPaginaZone::conteggio()
{
    const QByteArray ini = demo();
    carica(ini);
    apri();
    p_->Cmb_ZoneUsate->setCurrentIndex(3);
    QCOMPARE(NumeroZone, 3);
    QCOMPARE(p_->Cmb_Zone->count(), 3);
    QCOMPARE(p_->Cmb_Zone->currentText(), QStringLiteral("1"));
    p_->Cmb_ZoneUsate->setCurrentIndex(5);
    scegliZona(5);
    QCOMPARE(p_->Txt_NomeLoop->text(), QStringLiteral("Laboratorio"));
    QCOMPARE(p_->Txt_ZoneMB[1]->text(), QStringLiteral("0"));
    // Zones 4 and 5 came back as they were: the file is the one it was.
    QCOMPARE(file(), ini);

    p_->Cmb_ZoneUsate->setCurrentIndex(0);
    QCOMPARE(leggi("Generale", "Zone"), QStringLiteral("0"));
    QCOMPARE(NumeroZone, 5);  // no reload with no zone
    QCOMPARE(p_->Cmb_Zone->count(), 1);
    QCOMPARE(p_->Cmb_Zone->itemText(0), QStringLiteral("0"));
    QCOMPARE(p_->Cmb_Zone->currentIndex(), -1);
    QVERIFY(!p_->Cmb_Zone->isEnabled());
    QVERIFY(!p_->Txt_NomeLoop->isEnabled() && p_->Txt_NomeLoop->text().isEmpty());
    QVERIFY(!p_->Txt_ZoneMB[7]->isEnabled() && p_->Txt_ZoneMB[7]->text().isEmpty());
    QCOMPARE(p_->Cmb_Indirizzo->currentIndex(), -1);
    for (int i = 0; i < 5; ++i) {
        QVERIFY(!p_->Opt_Sin[i]->isEnabled() && !p_->Opt_Graf[i]->isEnabled() && !p_->Opt_Crono[i]->isEnabled());
        QVERIFY(!p_->Cmd_ModificaDicitura[i]->isEnabled());
    }
    // The panel edits a zone: with none it does not open.
    QVERIFY(!p_->Cmd_ZoneAvanzate->isEnabled());
    p_->Cmd_ZoneAvanzate_Click();
    QVERIFY(f_->comunicazioni->Pic_Zona_Sup->isHidden());
    const QByteArray senzaZone = file();
    p_->Cmd_ChiudiZone_Click(2);
    QCOMPARE(file(), senzaZone);
    QVERIFY(!senzaZone.contains("Zona 00"));
}

void TestPaginaZone::rifiuti_data()
{
    QTest::addColumn<int>("casella");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("punto");  // named in the message; empty: accepted
    QTest::newRow("coppia a metà") << 1 << "" << "\"Misura (PV)\" (Lettura)";
    QTest::newRow("solo indirizzo di scrittura") << 19 << "9" << "\"Allarme 3 (AL3)\" (Scrittura)";
    QTest::newRow("registro oltre 32767") << 5 << "32768" << "\"Set-Point (SP)\" (Lettura)";
    QTest::newRow("codice di scrittura in lettura") << 8 << "5" << "\"Allarme 1 (AL1)\" (Lettura)";
    QTest::newRow("codice di lettura in scrittura") << 6 << "3" << "\"Set-Point (SP)\" (Scrittura)";
    QTest::newRow("registro 32767") << 5 << "32767" << "";
}

void TestPaginaZone::rifiuti()
{
    QFETCH(int, casella);
    QFETCH(QString, testo);
    QFETCH(QString, punto);
    const QByteArray ini = demo();
    carica(ini);
    apri();
    p_->Txt_NomeLoop->setText(QStringLiteral("Nuovo nome"));
    // Set by code, past the box's own filter, as a stale or hand-made value would be.
    p_->Txt_ZoneMB[casella]->setText(testo);
    p_->Cmd_ChiudiZone_Click(0);
    if (punto.isEmpty()) {
        QVERIFY(dialoghi_->mostrati.isEmpty());
        QCOMPARE(leggi("Zona 01", "SP_r"), "3," + testo);
        return;
    }
    QCOMPARE(file(), ini);
    QCOMPARE(dialoghi_->mostrati.size(), 1);
    QVERIFY2(dialoghi_->mostrati[0].testo.contains(punto), qPrintable(dialoghi_->mostrati[0].testo));
    QVERIFY(dialoghi_->mostrati[0].testo.startsWith(QStringLiteral("Attenzione: ")));
    QCOMPARE(dialoghi_->mostrati[0].titolo, QStringLiteral("Configurazione strumenti"));
    QCOMPARE(dialoghi_->mostrati[0].icona, Piattaforma::IconaDialogo::Esclamazione);
    // The page stays open with the edits, for the operator to mend.
    QVERIFY(!p_->isHidden());
    QCOMPARE(p_->Txt_NomeLoop->text(), QStringLiteral("Nuovo nome"));
}

void TestPaginaZone::fileSolaLettura()
{
    const QByteArray ini = demo();
    carica(ini);
    apri();
    scegliZona(2);
    QFile::setPermissions(cartella_->percorso(FileImpostazioni), QFileDevice::ReadOwner);
    p_->Txt_NomeLoop->setText(QStringLiteral("Ufficio tecnico"));
    p_->Txt_ZoneMB[4]->setText(QStringLiteral("4"));
    p_->Cmd_ChiudiZone_Click(2);
    QCOMPARE(file(), ini);
    QCOMPARE(dialoghi_->mostrati.size(), 1);
    QCOMPARE(dialoghi_->mostrati[0].testo, Z::TestoScritturaRifiutata());
    // Reloaded: the page shows what the file holds.
    QCOMPARE(p_->Txt_NomeLoop->text(), QStringLiteral("Ufficio"));
    QCOMPARE(p_->Txt_ZoneMB[4]->text(), QStringLiteral("3"));
    // A refused count goes back to the file's.
    p_->Cmb_ZoneUsate->setCurrentIndex(2);
    QCOMPARE(dialoghi_->mostrati.size(), 2);
    QCOMPARE(p_->Cmb_ZoneUsate->currentIndex(), 5);
    QCOMPARE(p_->Cmb_Zone->count(), 5);
    // The supplementary panel's save, refused too, is told: captions and icon are not lost unsaid.
    scegliZona(2);
    p_->Cmd_ZoneAvanzate->click();
    PaginaZonaSup* s = f_->comunicazioni->Pic_Zona_Sup;
    QVERIFY(!s->isHidden());
    s->Txt_ZonaSup[0]->setText(QStringLiteral("Aria"));
    s->Cmd_ChiudiZoneSup[0]->click();
    QCOMPARE(file(), ini);
    QCOMPARE(dialoghi_->mostrati.size(), 3);
    QCOMPARE(dialoghi_->mostrati[2].testo, Z::TestoScritturaRifiutata());
    QCOMPARE(dialoghi_->mostrati[2].icona, Piattaforma::IconaDialogo::Esclamazione);
}

void TestPaginaZone::filtro_data()
{
    QTest::addColumn<int>("casella");
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QString>("attesoDigitato");
    QTest::addColumn<QString>("incollato");
    QTest::addColumn<QString>("attesoIncollato");
    QTest::newRow("codice di lettura") << 0 << "a5,3-" << "3" << "4" << "4";
    QTest::newRow("codice di lettura, incollato di scrittura") << 4 << "12" << "1" << "5" << "";
    QTest::newRow("codice di scrittura") << 2 << "1 6" << "6" << "56" << "";
    QTest::newRow("registro") << 1 << "1,5.0" << "150" << "32767" << "32767";
    QTest::newRow("registro oltre 32767") << 5 << "32768" << "3276" << "40000" << "";
    QTest::newRow("registro con spazio") << 21 << "-12" << "12" << "1 2" << "";
}

void TestPaginaZone::filtro()
{
    QFETCH(int, casella);
    QFETCH(QString, digitato);
    QFETCH(QString, attesoDigitato);
    QFETCH(QString, incollato);
    QFETCH(QString, attesoIncollato);
    carica(demo());
    apri();
    CasellaValore* box = p_->Txt_ZoneMB[casella];
    QCOMPARE(box->objectName(), QStringLiteral("Txt_ZoneMB(%1)").arg(casella));
    box->clear();
    QTest::keyClicks(box, digitato);
    QCOMPARE(box->text(), attesoDigitato);
    box->clear();
    QApplication::clipboard()->setText(incollato);
    box->paste();
    QCOMPARE(box->text(), attesoIncollato);
}

void TestPaginaZone::invio()
{
    carica(demo());
    apri();
    f_->comunicazioni->show();
    QApplication::setActiveWindow(f_->comunicazioni);
    for (int i : {3, 22, 23}) {
        Casella::DaiFuoco(p_->Txt_ZoneMB[i]);
        QTest::keyClick(p_->Txt_ZoneMB[i], Qt::Key_Return);
        CasellaValore* prossima = p_->Txt_ZoneMB[(i + 1) % Z::NumeroCaselle];
        QCOMPARE(QApplication::focusWidget(), prossima);
        QCOMPARE(prossima->selectedText(), prossima->text());
    }
}

void TestPaginaZone::dicitura_data()
{
    QTest::addColumn<std::optional<QString>>("risposta");
    QTest::addColumn<QString>("scritto");  // empty: nothing written, label untouched
    QTest::newRow("annullata") << std::optional<QString>() << "";
    QTest::newRow("solo spazi") << std::optional<QString>(QStringLiteral("    ")) << "";
    QTest::newRow("con spazi ai lati") << std::optional<QString>(QStringLiteral("  Temperatura aria ")) << "Temperatura aria";
    QTest::newRow("60 caratteri") << std::optional<QString>(QString(48, 'X') + "  " + QString(10, 'Y'))
                                  << QString(48, 'X');
}

void TestPaginaZone::dicitura()
{
    QFETCH(std::optional<QString>, risposta);
    QFETCH(QString, scritto);
    const QByteArray ini = demo();
    carica(ini);
    apri();
    QStringList etichette;
    PaginaZone::MostraDicitura = [&](int i, const QString& testo) { etichette << QString::number(i) + ":" + testo; };
    dialoghi_->testi.enqueue(risposta);
    p_->Cmd_ModificaDicitura[1]->click();
    QCOMPARE(dialoghi_->mostrati.size(), 1);
    QCOMPARE(dialoghi_->mostrati[0].testo, QStringLiteral("Inserire il nome del parametro (impostazione generale)"));
    QCOMPARE(dialoghi_->mostrati[0].titolo, QStringLiteral("Definizione Parametri"));
    if (scritto.isEmpty()) {
        QCOMPARE(file(), ini);
        QVERIFY(etichette.isEmpty());
        return;
    }
    QCOMPARE(leggi("Sinottico", "Campo_2"), scritto);
    QCOMPARE(etichette, QStringList{"1:" + scritto});
}

void TestPaginaZone::pannello()
{
    QByteArray ini = demo();
    ini.replace("Icona=T2.bmp", "Icona=t2.BMP");
    carica(ini);
    const QByteArray bmp = demo("T1.bmp");
    QVERIFY(!bmp.isEmpty());
    for (const char* nome : {"T2.bmp", "t10.BMP", "T1.bmp", "A1.bmp", "T3.txt"})
        cartella_->scrivi(QLatin1String(nome), bmp);
    cartella_->scrivi(QStringLiteral("T9.bmp"), "non un'immagine");
    apri();
    scegliZona(2);
    p_->Cmd_ZoneAvanzate->click();
    PaginaZonaSup* s = f_->comunicazioni->Pic_Zona_Sup;
    QVERIFY(!s->isHidden());
    QStringList icone;
    for (int i = 0; i < s->Cmb_Pics->count(); ++i)
        icone << s->Cmb_Pics->itemText(i);
    QCOMPARE(icone, (QStringList{"T1.bmp", "t10.BMP", "T2.bmp", "T9.bmp"}));
    QCOMPARE(s->Cmb_Pics->currentText(), QStringLiteral("T2.bmp"));  // Icona t2.BMP, another case
    QVERIFY(!s->Img_Preview->pixmap().isNull());
    // A picture that does not load leaves the preview as it was; no entry empties it.
    s->Cmb_Pics->setCurrentIndex(3);
    QVERIFY(!s->Img_Preview->pixmap().isNull());
    s->Cmb_Pics->setCurrentIndex(-1);
    QVERIFY(s->Img_Preview->pixmap().isNull());

    // The panel edits the zone it was opened for, whatever the page shows meanwhile.
    scegliZona(3);
    const QString lunga = QString(60, QLatin1Char('L'));
    s->Txt_ZonaSup[0]->setText(QStringLiteral("  Aria  "));
    s->Txt_ZonaSup[4]->setText(lunga);
    s->Cmb_Pics->setCurrentIndex(1);
    s->Cmd_ChiudiZoneSup[0]->click();
    QVERIFY(s->isHidden());
    QCOMPARE(leggi("Zona 02", "Campo_1"), QStringLiteral("Aria"));
    QCOMPARE(leggi("Zona 02", "Campo_5"), lunga);
    QCOMPARE(leggi("Zona 02", "Icona"), QStringLiteral("t10.BMP"));
    QCOMPARE(leggi("Zona 03", "Campo_1"), QStringLiteral("?"));
    QCOMPARE(leggi("Zona 03", "Icona"), QStringLiteral("T3.bmp"));

    // Opened again and closed with either button, unchanged: the file stays as it is.
    const QByteArray salvato = file();
    scegliZona(2);
    p_->Cmd_ZoneAvanzate_Click();
    QCOMPARE(s->Txt_ZonaSup[0]->text(), QStringLiteral("Aria"));
    s->Cmd_ChiudiZoneSup_Click(0);
    scegliZona(3);
    p_->Cmd_ZoneAvanzate_Click();
    s->Txt_ZonaSup[1]->setText(QStringLiteral("non salvato"));
    s->Cmd_ChiudiZoneSup_Click(1);
    QCOMPARE(file(), salvato);

    // Left open, it closes with the page it is shown over, and writes nothing.
    p_->Cmd_ZoneAvanzate_Click();
    s->Txt_ZonaSup[1]->setText(QStringLiteral("non salvato"));
    f_->comunicazioni->MenuInterruttori->trigger();
    QVERIFY(s->isHidden());
    QCOMPARE(file(), salvato);
}

void TestPaginaZone::pannelloIconaComeNelFile_data()
{
    QTest::addColumn<QString>("icona");          // the Icona line of the zone; empty: none
    QTest::addColumn<QStringList>("bitmap");     // the pictures in the program folder
    QTest::addColumn<QString>("dicitura");       // typed as the first caption; empty: nothing typed
    QTest::addColumn<QString>("mostrata");       // the entry the list shows
    QTest::newRow("bitmap mancante") << "Icona=T3.bmp" << QStringList{"T1.bmp"} << "" << "";
    QTest::newRow("nessuna bitmap") << "Icona=T3.bmp" << QStringList{} << "" << "";
    QTest::newRow("nome in altro maiuscolo") << "Icona=t3.bmp" << QStringList{"T1.bmp", "T3.bmp"} << "" << "T3.bmp";
    QTest::newRow("chiave mancante") << "" << QStringList{"T1.bmp"} << "" << "";
    QTest::newRow("bitmap mancante, dicitura nuova") << "Icona = T3.bmp" << QStringList{"T1.bmp"} << "Aria" << "";
}

void TestPaginaZone::pannelloIconaComeNelFile()
{
    QFETCH(QString, icona);
    QFETCH(QStringList, bitmap);
    QFETCH(QString, dicitura);
    QFETCH(QString, mostrata);
    const QString sezione = "[Zona 01]\nNome=Forno\nIndirizzo=1\n" + (icona.isEmpty() ? QString() : icona + "\n");
    const QByteArray ini = crlf("[Generale]\nZone=1\n" + sezione);
    carica(ini);
    for (const QString& nome : bitmap)
        cartella_->scrivi(nome, demo("T1.bmp"));
    apri();
    p_->Cmd_ZoneAvanzate->click();
    PaginaZonaSup* s = f_->comunicazioni->Pic_Zona_Sup;
    QCOMPARE(s->Cmb_Pics->currentText(), mostrata);
    if (!dicitura.isEmpty())
        s->Txt_ZonaSup[0]->setText(dicitura);
    s->Cmd_ChiudiZoneSup[0]->click();
    // The picture the list could not show, or showed under another case, stays as the file names it.
    QCOMPARE(file(), dicitura.isEmpty() ? ini : crlf("[Generale]\nZone=1\n" + sezione + "Campo_1=" + dicitura + "\n"));
    QVERIFY(dialoghi_->mostrati.isEmpty());
}

void TestPaginaZone::selettori_data()
{
    QTest::addColumn<QString>("gruppo");
    QTest::addColumn<int>("indice");
    QTest::addColumn<QString>("chiave");
    QTest::newRow("sinottico SP") << "Opt_Sin" << 1 << "Zone Testo";
    QTest::newRow("grafico AL3") << "Opt_Graf" << 4 << "Zone Grafico";
    QTest::newRow("crono AL1") << "Opt_Crono" << 2 << "Zone Crono";
}

void TestPaginaZone::selettori()
{
    QFETCH(QString, gruppo);
    QFETCH(int, indice);
    QFETCH(QString, chiave);
    carica(demo());  // Zone Testo 0, Zone Grafico 0, Zone Crono 1
    apri();
    QVERIFY(p_->Opt_Sin[0]->isChecked() && p_->Opt_Graf[0]->isChecked() && p_->Opt_Crono[1]->isChecked());
    auto* opzione = p_->findChild<QRadioButton*>(QStringLiteral("%1(%2)").arg(gruppo).arg(indice));
    QVERIFY(opzione);
    opzione->click();
    QCOMPARE(leggi("Generale", chiave), QString::number(indice));
    const int variabile = gruppo == "Opt_Sin" ? IndiceTesto : gruppo == "Opt_Graf" ? IndiceGrafico : IndiceCrono;
    QCOMPARE(variabile, indice);
    QVERIFY(opzione->isChecked());
}

// The charted value picked on the page while a zone pass reads: the pass charts and files the
// value it began with for every zone; the new choice holds from the next pass.
void TestPaginaZone::graficoSceltoDuranteUnaPassata_data()
{
    QTest::addColumn<int>("zonaAlClic");  // the zone whose read is under way at the click
    QTest::newRow("SP picked while zone 2 is read") << 2;
    QTest::newRow("SP picked while zone 3 is read") << 3;
}

void TestPaginaZone::graficoSceltoDuranteUnaPassata()
{
    QFETCH(int, zonaAlClic);
    UtenteAmministratore = true;
    QString ini = QStringLiteral("[Generale]\nZone=3\nGrafico=1\nZone Grafico=0\n");
    for (int z = 1; z <= 3; ++z)
        ini += QStringLiteral("[Zona 0%1]\nIndirizzo=%1\nDecimali=1\nPV_r=3,100\nSP_r=3,101\n").arg(z);
    carica(crlf(ini));
    apri();
    f_->mainForm->show();
    MostraComunicazioni(true);
    QVERIFY(QTest::qWaitForWindowExposed(f_->mainForm));
    QVERIFY(p_->Opt_Graf[1]->isVisible() && p_->Opt_Graf[1]->isEnabled());

    FintoBus bus;
    for (int z = 1; z <= 3; ++z) {
        bus.punto(3, 100, z, 210 + z);  // PV 21,z
        bus.punto(3, 101, z, 300 + z);  // SP 30,z
    }
    const QString lettura = QStringLiteral("L3,100@%1").arg(zonaAlClic);
    bus.durante = [&] {
        if (bus.traffico.last() == lettura)
            QTest::mouseClick(p_->Opt_Graf[1], Qt::LeftButton);
    };
    const QDateTime ora(QDate(2026, 12, 9), QTime(10, 0, 0));
    Acquisizione::GanciAttivi().Adesso = [ora] { return ora; };
    Acquisizione::GanciAttivi().Pausa = [](int) {};
    QStringList punti;
    Acquisizione::GanciAttivi().AggiungiPunto = [&](int traccia, const QDateTime&, float valore) {
        punti << QStringLiteral("%1:%2").arg(traccia).arg(double(valore));
    };
    MBus::ComunicazioneReale = true;
    CicloAcquisizione ciclo;
    QCoro::waitFor([&]() -> QCoro::Task<> {
        const Acquisizione::Turno turno = co_await Acquisizione::PrendiTurno();
        co_await ciclo.LeggiZone();
    }());
    MBus::ComunicazioneReale = false;

    QCOMPARE(IndiceGrafico, 1);
    QCOMPARE(punti, (QStringList{"1:21.1", "2:21.2", "3:21.3"}));
    QCOMPARE(cartella_->leggi(QStringLiteral("Dati/2026_12_09.csv")), QByteArray("09/12/2026 10:00:00;21,1;21,2;21,3;\r\n"));
}

QTEST_MAIN(TestPaginaZone)
#include "tst_pagina_zone.moc"
