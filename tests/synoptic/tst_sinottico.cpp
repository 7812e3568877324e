// The real synoptic, offscreen, after whole-configuration loads of real settings files.
#include "banco.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTextDocument>
#include <QtTest>

#include <memory>

using namespace Generale;

class TestSinottico : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void fileVuoto();
    void zoneCollocate();
    void ridurreECrescere_data();
    void ridurreECrescere();
    void ordineDiTabulazioneEPrimoPiano();
    void icone();
    void piantaConRipiego();
    void apriportaSecondoIlModo_data();
    void apriportaSecondoIlModo();
    void interruttoriELED();
    void pannelliChiusiAdOgniCaricamento();
    void nomiComeScritti_data();
    void nomiComeScritti();

private:
    void carica(const QString& ini);
    template <typename W>
    QList<W*> visibili(const QString& prefisso) const;

    std::unique_ptr<Banco> banco_;
    CartellaTemporanea* cartella_ = nullptr;
    Sinottico* s_ = nullptr;
};

void TestSinottico::init()
{
    banco_ = std::make_unique<Banco>();
    cartella_ = &banco_->cartella;
    s_ = banco_->s.get();
}

void TestSinottico::cleanup()
{
    banco_.reset();
}

void TestSinottico::carica(const QString& ini)
{
    banco_->carica(ini);
}

template <typename W>
QList<W*> TestSinottico::visibili(const QString& prefisso) const
{
    QList<W*> r;
    for (W* w : s_->Pic_Pianta->findChildren<W*>())
        if (w->objectName().startsWith(prefisso + QLatin1Char('(')) && w->isVisibleTo(s_))
            r << w;
    return r;
}

namespace {
QString zone(int n, const QString& generale = QString())
{
    QString t = QStringLiteral("[Generale]\nZone=%1\n").arg(n) + generale;
    for (int i = 1; i <= n; ++i)
        t += QStringLiteral("[Zona %1]\nNome=Zona n%2\nX=%3\nY=%4\n").arg(i, 2, 10, QLatin1Char('0')).arg(i).arg(i * 300).arg(i * 150);
    return t;
}
}  // namespace

void TestSinottico::fileVuoto()
{
    carica(QString());
    QCOMPARE(s_->Cmd_PuntoMon.size(), std::size_t(1));
    QVERIFY(visibili<QPushButton>("Cmd_PuntoMon").isEmpty());
    QVERIFY(visibili<QLabel>("Img_off").isEmpty());
    QVERIFY(visibili<QLabel>("Img_L1").isEmpty());
    QVERIFY(!s_->Cmd_Apriporta[0]->isVisibleTo(s_) && !s_->Cmd_Apriporta[1]->isVisibleTo(s_));
    QVERIFY(!s_->Cmd_Webcam->isVisibleTo(s_));
    QCOMPARE(s_->Pic_Pianta->pixmap().size(), QSize(800, 600));
}

void TestSinottico::zoneCollocate()
{
    carica("[Generale]\nZone=7\n[Zona 01]\nNome=Caldaia\nX=1234.6\nY=1500\n[Zona 02]\nX=1234,5\n");
    QCOMPARE(visibili<QPushButton>("Cmd_PuntoMon").size(), 7);
    QPushButton* b0 = s_->Cmd_PuntoMon[0];
    QCOMPARE(b0->toolTip(), QStringLiteral("Caldaia"));
    QCOMPARE(b0->pos(), QPoint(1235 / 15, 100));  // 1235 twips is 82.3 pixels
    QCOMPARE(s_->Cmd_PuntoMon[1]->x(), 1234 / 15);
    QCOMPARE(s_->Cmd_PuntoMon[6]->toolTip(), QStringLiteral("Zona 07"));
    QCOMPARE(s_->Cmd_PuntoMon[6]->pos(), QPoint(20, 20));  // 300 twips
    QCOMPARE(s_->Cmd_PuntoMon[6]->parentWidget(), s_->Pic_Pianta);
    QCOMPARE(s_->Cmd_PuntoMon[6]->objectName(), QStringLiteral("Cmd_PuntoMon(6)"));
    for (QPushButton* b : s_->Cmd_PuntoMon) {
        QCOMPARE(b->text(), QStringLiteral("--.-"));
        QCOMPARE(b->size(), b0->size());
    }
}

void TestSinottico::ridurreECrescere_data()
{
    QTest::addColumn<QList<int>>("conteggi");
    QTest::newRow("12 poi 4") << QList<int>{12, 4};
    QTest::newRow("5 poi 2") << QList<int>{5, 2};
    QTest::newRow("2 poi 30") << QList<int>{2, 30};
    QTest::newRow("stesso conteggio tre volte") << QList<int>{6, 6, 6};
    QTest::newRow("a zero e ritorno") << QList<int>{3, 0, 3};
}

void TestSinottico::ridurreECrescere()
{
    QFETCH(QList<int>, conteggi);
    QPointer<QPushButton> creato;
    for (int n : conteggi) {
        carica(zone(n, "Interruttori=2\nLED=3\n"));
        // What the last load created is gone: nothing can reach it any more.
        QVERIFY(creato.isNull());
        const int attese = n;
        QCOMPARE(visibili<QPushButton>("Cmd_PuntoMon").size(), attese);
        const auto tutti = s_->Pic_Pianta->findChildren<QPushButton*>(QRegularExpression("^Cmd_PuntoMon\\("));
        QCOMPARE(tutti.size(), std::max(n, 1));
        QCOMPARE(int(s_->Cmd_PuntoMon.size()), std::max(n, 1));
        QCOMPARE(s_->Pic_Pianta->findChildren<QLabel*>(QRegularExpression("^Img_L4\\(")).size(), 3);
        if (n > 1)
            creato = s_->Cmd_PuntoMon[n - 1];
    }
}

void TestSinottico::ordineDiTabulazioneEPrimoPiano()
{
    carica(zone(4, "Apriporta=1\nWebcam=1\n"));
    QWidget* w = s_->Cmd_Apriporta[0];
    QCOMPARE(w->nextInFocusChain(), s_->Cmd_Webcam);
    w = s_->Cmd_Webcam;
    for (int i = 0; i < 4; ++i) {
        w = w->nextInFocusChain();
        QCOMPARE(w, s_->Cmd_PuntoMon[i]);
    }
    // A later zone lies over an earlier one.
    const QObjectList figli = s_->Pic_Pianta->children();
    for (int i = 1; i < 4; ++i)
        QVERIFY(figli.indexOf(s_->Cmd_PuntoMon[i]) > figli.indexOf(s_->Cmd_PuntoMon[i - 1]));
}

void TestSinottico::icone()
{
    QImage rossa(24, 24, QImage::Format_RGB32);
    rossa.fill(Qt::red);
    rossa.save(cartella_->percorso("T1.bmp"));
    QImage blu = rossa;
    blu.fill(Qt::blue);
    blu.save(cartella_->percorso("t2.BMP"));
    cartella_->scrivi("rotta.bmp", "non un'immagine");
    carica("[Generale]\nZone=3\n[Zona 01]\nIcona=T1.bmp\n[Zona 02]\nIcona=T2.bmp\n[Zona 03]\nIcona=rotta.bmp\n");
    auto colore = [](QPushButton* b) { return b->icon().pixmap(24, 24).toImage().pixelColor(12, 12); };
    QCOMPARE(colore(s_->Cmd_PuntoMon[0]), QColor(Qt::red));
    QCOMPARE(colore(s_->Cmd_PuntoMon[1]), QColor(Qt::blue));  // found whatever the case of its name
    QCOMPARE(colore(s_->Cmd_PuntoMon[2]), QColor(Qt::red));   // unreadable: zone 1's icon

    // Zone 1 keeps the picture it has when its own does not load any more.
    carica("[Generale]\nZone=1\n[Zona 01]\nIcona=manca.bmp\n");
    QCOMPARE(colore(s_->Cmd_PuntoMon[0]), QColor(Qt::red));
}

void TestSinottico::piantaConRipiego()
{
    carica("[Sinottico]\nImmagine=manca.jpg\n");
    QCOMPARE(s_->Pic_Pianta->pixmap().size(), QSize(800, 600));
    QImage pianta(640, 480, QImage::Format_RGB32);
    pianta.fill(Qt::green);
    pianta.save(cartella_->percorso("Pianta.jpg"));
    carica(QString());
    QCOMPARE(s_->Pic_Pianta->pixmap().size(), QSize(640, 480));
    QCOMPARE(s_->Pic_Pianta->size(), QSize(640, 480));
    cartella_->scrivi("Pianta.jpg", "rovinata");
    carica(QString());
    QCOMPARE(s_->Pic_Pianta->pixmap().size(), QSize(640, 480));
}

void TestSinottico::apriportaSecondoIlModo_data()
{
    QTest::addColumn<bool>("stagioni");
    QTest::addColumn<int>("elemento");
    QTest::newRow("stagioni") << true << 0;
    QTest::newRow("ricette") << false << 1;
}

void TestSinottico::apriportaSecondoIlModo()
{
    QFETCH(bool, stagioni);
    QFETCH(int, elemento);
    ModoStagioni = stagioni;
    FileImpostazioni = stagioni ? "Quelvar1.ini" : "Quelvar2.ini";
    carica("[Generale]\nApriporta=2\nWebcam=1\n[Apriporta]\nNome=Cancello\nX=1500\nY=3000\n[Webcam]\nX=150\n");
    QPushButton* usato = s_->Cmd_Apriporta[elemento];
    QVERIFY(usato->isVisibleTo(s_));
    QVERIFY(!s_->Cmd_Apriporta[1 - elemento]->isVisibleTo(s_));
    QCOMPARE(usato->toolTip(), QStringLiteral("Cancello"));
    QCOMPARE(usato->pos(), QPoint(100, 200));
    QCOMPARE(s_->Cmd_Webcam->toolTip(), QStringLiteral("Webcam"));
    QCOMPARE(s_->Cmd_Webcam->pos(), QPoint(10, 20));
}

void TestSinottico::interruttoriELED()
{
    carica("[Generale]\nInterruttori=12\nLED=2\n[Interruttore 03]\nNome=Pompa\nX=3000\nY=1500\n[LED 02]\nX=450\n");
    QCOMPARE(visibili<QLabel>("Img_off").size(), 10);
    QVERIFY(visibili<QLabel>("Img_on").isEmpty());
    QVERIFY(visibili<QLabel>("Img_ind").isEmpty());
    for (auto* look : s_->LookInterruttore()) {
        QCOMPARE((*look)[2]->toolTip(), QStringLiteral("Pompa"));
        QCOMPARE((*look)[2]->pos(), QPoint(200, 100));
    }
    const auto led = s_->LookLED();
    for (int k = 0; k < 7; ++k) {
        QCOMPARE(int(led[k]->size()), 2);
        QCOMPARE((*led[k])[1]->toolTip(), QStringLiteral("LED 02"));
        QCOMPARE((*led[k])[1]->pos(), QPoint(30, 20));
        QCOMPARE((*led[k])[1]->isVisibleTo(s_), k == 1);
    }
}

void TestSinottico::pannelliChiusiAdOgniCaricamento()
{
    carica("[Sinottico]\nCampo_1=Temperatura Letta\nCampo_3=Allarme 1\n[Generale]\nZone=2\n");
    s_->Pic_Info->show();
    s_->Pic_WebCam->show();
    s_->Lab_Nome->setText("Zona 02");
    s_->Lab_Temp[0]->setText("21,5");
    ZonaSelezionata = 2;
    Configurazione::CaricaImpostazioni();
    QVERIFY(!s_->Pic_Info->isVisibleTo(s_));
    QVERIFY(!s_->Pic_WebCam->isVisibleTo(s_));
    QCOMPARE(ZonaSelezionata, -1);
    QCOMPARE(s_->Lab_Nome->text(), QString());
    QCOMPARE(s_->Lab_Temp[0]->text(), QStringLiteral("--.-"));
    QCOMPARE(s_->Lab_Temp_1[0]->text(), QStringLiteral("Temperatura Letta [°C]:"));
    QCOMPARE(s_->Lab_Temp_1[1]->text(), QStringLiteral(" [°C]:"));
    QCOMPARE(s_->Lab_Temp_1[2]->text(), QStringLiteral("Allarme 1:"));
    QCOMPARE(s_->Lab_Temp_1[4]->text(), QStringLiteral(":"));
}

// What a tool tip shows of its text: the window system takes a text that looks like markup
// for markup.
QString suggerimentoMostrato(const QString& testo)
{
    if (!Qt::mightBeRichText(testo))
        return testo;
    QTextDocument documento;
    documento.setHtml(testo);
    return documento.toPlainText();
}

void TestSinottico::nomiComeScritti_data()
{
    QTest::addColumn<QString>("nome");
    QTest::newRow("un tag di immagine") << "<img src=\"FOTO\">";
    QTest::newRow("grassetto") << "<b>Caldaia</b> nord";
    QTest::newRow("un'entità") << "T &lt; 5";
    QTest::newRow("testo semplice") << "Caldaia < 5 > 3";
}

// Names and captions come from a file anyone may edit: they show as written, and markup in
// them never makes the station load a file (a device or a pipe named there would hang it).
void TestSinottico::nomiComeScritti()
{
    QFETCH(QString, nome);
    QImage foto(300, 200, QImage::Format_RGB32);
    foto.fill(Qt::green);
    foto.save(cartella_->percorso("foto.png"));
    nome.replace("FOTO", cartella_->percorso("foto.png"));
    carica(QStringLiteral("[Generale]\nZone=2\nInterruttori=1\nLED=1\nWebcam=1\nApriporta=1\n[Sinottico]\nCampo_1=%1\n"
                          "[Zona 01]\nNome=%1\n[Zona 02]\nCampo_2=%1\n[Interruttore 01]\nNome=%1\n[LED 01]\nNome=%1\n"
                          "[Webcam]\nNome=%1\n[Apriporta]\nNome=%1\n")
               .arg(nome));
    QList<QWidget*> conSuggerimento = {s_->Cmd_PuntoMon[0], s_->Cmd_Webcam, s_->Cmd_Apriporta[0]};
    for (auto* look : s_->LookInterruttore())
        conSuggerimento << look->front();
    for (auto* look : s_->LookLED())
        conSuggerimento << look->front();
    for (QWidget* w : conSuggerimento)
        QCOMPARE(suggerimentoMostrato(w->toolTip()), nome);

    const int rigaDiTesto = s_->fontMetrics().height() * 3;
    s_->Cmd_PuntoMon_Click(0);
    QCOMPARE(s_->Lab_Nome->text(), nome);
    QVERIFY(s_->Lab_Nome->sizeHint().height() < rigaDiTesto);
    QVERIFY(s_->Lab_Temp_1[0]->sizeHint().height() < rigaDiTesto);
    s_->Cmd_PuntoMon_Click(1);
    QCOMPARE(s_->Lab_Temp_1[1]->text(), nome);
    QVERIFY(s_->Lab_Temp_1[1]->sizeHint().height() < rigaDiTesto);
}

QTEST_MAIN(TestSinottico)
#include "tst_sinottico.moc"
