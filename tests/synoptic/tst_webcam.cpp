// The webcam panel of the real synoptic, offscreen, with a fake camera: the two opening steps,
// their messages, where the panel stands, and that no camera is left running unseen.
#include "banco.h"
#include "camerafinta.h"
#include "dialoghifinti.h"

#include <QCheckBox>
#include <QCameraDevice>
#include <QMediaDevices>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace Generale;

class TestWebcam : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void apertura_data();
    void apertura();
    void senzaSezione();
    void nomeComeScritto();
    void fermaQuandoNonSiVede_data();
    void fermaQuandoNonSiVede();
    void audio();
    void senzaCamera();

private:
    std::unique_ptr<Banco> b_;
    CameraFinta* camera_ = nullptr;
};

void TestWebcam::init()
{
    b_ = std::make_unique<Banco>();
    b_->carica("[Generale]\nWebcam=1\n[Webcam]\nNome=Telecamera cortile\nInfo_X=1500\nInfo_Y=600,0\n");
    auto camera = std::make_unique<CameraFinta>();
    camera->vista.setParent(nullptr);
    camera_ = camera.get();
    b_->s->ImpostaCattura(std::move(camera));
    b_->s->show();
    QVERIFY(QTest::qWaitForWindowExposed(b_->s.get()));
}

void TestWebcam::cleanup() { b_.reset(); }

void TestWebcam::apertura_data()
{
    QTest::addColumn<bool>("apre");
    QTest::addColumn<bool>("avvia");
    QTest::addColumn<QStringList>("messaggi");
    QTest::newRow("riuscita") << true << true << QStringList{};
    QTest::newRow("apertura fallita") << false << true << QStringList{"apertura 2 fallita"};
    QTest::newRow("avvio fallito") << true << false << QStringList{"avvio 2 fallito"};
    QTest::newRow("entrambi falliti") << false << false << QStringList{"apertura 2 fallita", "avvio 2 fallito"};
}

void TestWebcam::apertura()
{
    QFETCH(bool, apre);
    QFETCH(bool, avvia);
    QFETCH(QStringList, messaggi);
    DialoghiFinti dialoghi;
    // Open first, so a failure also closes a panel that was showing.
    QTest::mouseClick(b_->s->Cmd_Webcam, Qt::LeftButton);
    QVERIFY(b_->s->Pic_WebCam->isVisible());
    b_->s->Pic_WebCam->move(1, 1);

    camera_->apre = apre;
    camera_->avvia = avvia;
    QTest::mouseClick(b_->s->Cmd_Webcam, Qt::LeftButton);
    QStringList visti;
    for (const auto& box : dialoghi.mostrati) {
        visti << box.testo;
        QCOMPARE(box.titolo, QStringLiteral("Telecamera cortile"));
        QCOMPARE(box.pulsanti, Piattaforma::PulsantiDialogo::OK);
        QCOMPARE(box.icona, Piattaforma::IconaDialogo::Critico);
    }
    QCOMPARE(visti, messaggi);
    const bool riuscita = messaggi.isEmpty();
    QCOMPARE(b_->s->Pic_WebCam->isVisible(), riuscita);
    // A failed opening leaves no camera running.
    QCOMPARE(camera_->InCattura(), riuscita);
    QCOMPARE(b_->s->Lab_Nome_WC->text(), QStringLiteral("Telecamera cortile"));
    QCOMPARE(b_->s->Pic_WebCam->pos(), QPoint(100, 40));
    QCOMPARE(camera_->aperture, 2);
    QVERIFY(b_->s->Pic_Pianta->hasFocus());
}

void TestWebcam::senzaSezione()
{
    DialoghiFinti dialoghi;
    b_->carica("[Generale]\nWebcam=1\n");
    QTest::mouseClick(b_->s->Cmd_Webcam, Qt::LeftButton);
    QCOMPARE(b_->s->Lab_Nome_WC->text(), QStringLiteral("Webcam"));
    QCOMPARE(b_->s->Pic_WebCam->pos(), QPoint(20, 20));
    QVERIFY(dialoghi.mostrati.isEmpty());
}

// A name holding markup shows as written on the panel and in the message title, and never
// makes the station load the file it names.
void TestWebcam::nomeComeScritto()
{
    QImage foto(300, 200, QImage::Format_RGB32);
    foto.fill(Qt::green);
    foto.save(b_->cartella.percorso("foto.png"));
    const QString nome = QStringLiteral("<img src=\"%1\">").arg(b_->cartella.percorso("foto.png"));
    b_->carica(QStringLiteral("[Generale]\nWebcam=1\n[Webcam]\nNome=%1\n").arg(nome));
    DialoghiFinti dialoghi;
    camera_->apre = false;
    QTest::mouseClick(b_->s->Cmd_Webcam, Qt::LeftButton);
    QCOMPARE(b_->s->Lab_Nome_WC->text(), nome);
    QVERIFY(b_->s->Lab_Nome_WC->sizeHint().height() < b_->s->fontMetrics().height() * 3);
    QCOMPARE(dialoghi.mostrati.size(), 1);
    QCOMPARE(dialoghi.mostrati.front().titolo, nome);
}

void TestWebcam::fermaQuandoNonSiVede_data()
{
    QTest::addColumn<QString>("come");
    QTest::newRow("chiudi") << "chiudi";
    QTest::newRow("finestra nascosta") << "nascondi";
    QTest::newRow("ricaricamento") << "ricarica";
}

void TestWebcam::fermaQuandoNonSiVede()
{
    QFETCH(QString, come);
    QTest::mouseClick(b_->s->Cmd_Webcam, Qt::LeftButton);
    QVERIFY(camera_->InCattura());
    if (come == "chiudi")
        QTest::mouseClick(b_->s->Cmd_ChiudiWC, Qt::LeftButton);
    else if (come == "nascondi")
        b_->s->hide();
    else
        Configurazione::CaricaImpostazioni();
    QVERIFY(!camera_->InCattura());
    QVERIFY(b_->s->Pic_WebCam->isHidden());
}

void TestWebcam::audio()
{
    QTest::mouseClick(b_->s->Cmd_Webcam, Qt::LeftButton);
    QVERIFY(camera_->audio.isEmpty());  // the box is not read at opening
    const QPoint casella(8, b_->s->Chk_Audio->height() / 2);
    QTest::mouseClick(b_->s->Chk_Audio, Qt::LeftButton, {}, casella);
    QTest::mouseClick(b_->s->Chk_Audio, Qt::LeftButton, {}, casella);
    QCOMPARE(camera_->audio, (QList<bool>{true, false}));
}

// The station's own camera on a machine without one: the failure path, and nothing runs.
void TestWebcam::senzaCamera()
{
    if (!QMediaDevices::videoInputs().isEmpty())
        QSKIP("this machine has a camera");
    DialoghiFinti dialoghi;
    b_->s->ImpostaCattura(CreaCatturaVideo());
    QTest::mouseClick(b_->s->Cmd_Webcam, Qt::LeftButton);
    QCOMPARE(dialoghi.mostrati.size(), 2);
    QVERIFY(b_->s->Pic_WebCam->isHidden());
}

QTEST_MAIN(TestWebcam)
#include "tst_webcam.moc"
