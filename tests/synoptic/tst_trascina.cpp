// Arranging the real synoptic with the right button, offscreen: what moves, what is written to
// the settings file, and that it reads back to the same place.
#include "banco.h"
#include "dialoghifinti.h"
#include "drag.h"
#include "file_ini.h"
#include "sostituzione.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace Generale;

namespace {

const char* const Impianto = R"([Generale]
Zone=3
Interruttori=2
LED=2
Apriporta=1
Webcam=1
[Zona 01]
X=1500
Y=1500
[Zona 02]
X=4500
Y=1500
[Interruttore 02]
X=3000
Y=4500
[LED 01]
X=6000
Y=6000
[Apriporta]
X=7500
Y=1500
)";

}  // namespace

class TestTrascina : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void trascinaVoci_data();
    void trascinaVoci();
    void senzaDirittiNienteScritto_data();
    void senzaDirittiNienteScritto();
    void posizioneRifiutata_data();
    void posizioneRifiutata();
    void clicSenzaMuovere();
    void puntatoreTenutoNellaPianta();
    void pannelloPerZona();
    void sinistroDuranteIlDestro();
    void rilettoAlCaricamento_data();
    void rilettoAlCaricamento();
    void routineSenzaTasti();

private:
    QWidget* voce(const QString& nome) const;
    // Presses `tasto` at `presa` on w, moves the pointer by `spostamento` in steps, releases.
    void trascina(QWidget* w, QPoint presa, QPoint spostamento, Qt::MouseButton tasto = Qt::RightButton);
    QString chiave(const QString& sezione, const QString& nome) const;

    std::unique_ptr<Banco> b_;
};

void TestTrascina::init()
{
    b_ = std::make_unique<Banco>();
    b_->carica(QString::fromUtf8(Impianto));
    UtenteAmministratore = true;
    b_->s->show();
    QVERIFY(QTest::qWaitForWindowExposed(b_->s.get()));
}

void TestTrascina::cleanup()
{
    QVERIFY(!Drag::TrascinamentoInCorso());
    QVERIFY(!QGuiApplication::overrideCursor());
    b_.reset();
}

QWidget* TestTrascina::voce(const QString& nome) const
{
    auto* w = b_->s->findChild<QWidget*>(nome);
    if (!w)
        qFatal("no %s", qPrintable(nome));
    return w;
}

void TestTrascina::trascina(QWidget* w, QPoint presa, QPoint spostamento, Qt::MouseButton tasto)
{
    const QPoint inizio = w->mapToGlobal(presa);
    QTest::mousePress(w, tasto, {}, presa);
    // The widget moves under the pointer: each step is given in its coordinates of the moment.
    for (int passo = 1; passo <= 4; ++passo)
        QTest::mouseMove(w, w->mapFromGlobal(inizio + spostamento * passo / 4));
    QTest::mouseRelease(w, tasto, {}, w->mapFromGlobal(inizio + spostamento));
}

QString TestTrascina::chiave(const QString& sezione, const QString& nome) const
{
    return File_Ini::LeggiIni(sezione, nome, QStringLiteral("mancante"));
}

void TestTrascina::trascinaVoci_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("sezione");
    QTest::addColumn<QStringList>("compagni");  // the other looks that join it

    QTest::newRow("zona 2") << "Cmd_PuntoMon(1)" << "Zona 02" << QStringList{};
    QTest::newRow("apriporta") << "Cmd_Apriporta(0)" << "Apriporta" << QStringList{};
    QTest::newRow("webcam") << "Cmd_Webcam" << "Webcam" << QStringList{};
    QTest::newRow("interruttore, look OFF") << "Img_off(1)" << "Interruttore 02" << QStringList{"Img_on(1)", "Img_ind(1)"};
    QTest::newRow("LED, look 1") << "Img_L1(0)" << "LED 01"
                                 << QStringList{"Img_L0(0)", "Img_L2(0)", "Img_L3(0)", "Img_L4(0)", "Img_L5(0)", "Img_L6(0)"};
}

void TestTrascina::trascinaVoci()
{
    QFETCH(QString, nome);
    QFETCH(QString, sezione);
    QFETCH(QStringList, compagni);
    QWidget* w = voce(nome);
    const QPoint prima = w->pos();
    QList<QPoint> compagniPrima;
    for (const QString& c : compagni)
        compagniPrima << voce(c)->pos();

    const QPoint presa(5, 4);
    const QPoint inizio = w->mapToGlobal(presa);
    QTest::mousePress(w, Qt::RightButton, {}, presa);
    QTest::mouseMove(w, w->mapFromGlobal(inizio + QPoint(20, 10)));
    QTest::mouseMove(w, w->mapFromGlobal(inizio + QPoint(33, 27)));
    // During the drag only the grabbed look moves; nothing is stored yet.
    QCOMPARE(w->pos(), prima + QPoint(33, 27));
    for (int i = 0; i < compagni.size(); ++i)
        QCOMPARE(voce(compagni[i])->pos(), compagniPrima[i]);
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::SizeAllCursor);
    QTest::mouseRelease(w, Qt::RightButton, {}, w->mapFromGlobal(inizio + QPoint(33, 27)));

    const QPoint dopo = prima + QPoint(33, 27);
    QCOMPARE(w->pos(), dopo);
    QCOMPARE(chiave(sezione, "X"), QString::number(dopo.x() * 15));
    QCOMPARE(chiave(sezione, "Y"), QString::number(dopo.y() * 15));
    for (const QString& c : compagni)
        QCOMPARE(voce(c)->pos(), dopo);
    // A right button on a switch look records the button, and never switches.
    if (nome.startsWith("Img_off"))
        QCOMPARE(TastoMouseInterruttore, 2);
    QVERIFY(b_->bus.scritture.isEmpty());
}

void TestTrascina::senzaDirittiNienteScritto_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<bool>("amministratore");
    QTest::addColumn<int>("tasto");
    QTest::newRow("destro, non amministratore") << "Cmd_PuntoMon(0)" << false << int(Qt::RightButton);
    QTest::newRow("destro su interruttore, non amministratore") << "Img_off(0)" << false << int(Qt::RightButton);
    QTest::newRow("sinistro, amministratore") << "Img_L1(1)" << true << int(Qt::LeftButton);
    QTest::newRow("centrale, amministratore") << "Cmd_Webcam" << true << int(Qt::MiddleButton);
}

void TestTrascina::senzaDirittiNienteScritto()
{
    QFETCH(QString, nome);
    QFETCH(bool, amministratore);
    QFETCH(int, tasto);
    UtenteAmministratore = amministratore;
    QWidget* w = voce(nome);
    const QPoint prima = w->pos();
    const QByteArray file = b_->cartella.leggi(FileImpostazioni);
    trascina(w, QPoint(3, 3), QPoint(40, 30), Qt::MouseButton(tasto));
    QCOMPARE(w->pos(), prima);
    QCOMPARE(b_->cartella.leggi(FileImpostazioni), file);
    if (nome.startsWith("Img_off"))
        QCOMPARE(TastoMouseInterruttore, 2);
}

void TestTrascina::posizioneRifiutata_data()
{
    QTest::addColumn<QString>("nome");  // Pic_Info: zone 2's panel, grabbed by its name
    QTest::addColumn<QString>("sezione");
    QTest::addColumn<QString>("guasto");
    QTest::addColumn<QPoint>("nelFile");  // the place the file gives, pixels
    QTest::addColumn<QStringList>("compagni");

    const QStringList nessuno;
    const QStringList interruttore{"Img_on(1)", "Img_ind(1)"};
    QTest::newRow("zona, file di sola lettura") << "Cmd_PuntoMon(1)" << "Zona 02" << "sola lettura" << QPoint(300, 100) << nessuno;
    QTest::newRow("zona, disco pieno") << "Cmd_PuntoMon(1)" << "Zona 02" << "disco pieno" << QPoint(300, 100) << nessuno;
    QTest::newRow("zona, disco pieno dopo una scrittura")
        << "Cmd_PuntoMon(1)" << "Zona 02" << "pieno dopo una scrittura" << QPoint() << nessuno;
    QTest::newRow("zona senza posizione nel file") << "Cmd_PuntoMon(2)" << "Zona 03" << "sola lettura" << QPoint(20, 20) << nessuno;
    QTest::newRow("zona cambiata a mano nel file") << "Cmd_PuntoMon(1)" << "Zona 02" << "a mano, sola lettura"
                                                   << QPoint(400, 100) << nessuno;
    QTest::newRow("interruttore, file di sola lettura")
        << "Img_off(1)" << "Interruttore 02" << "sola lettura" << QPoint(200, 300) << interruttore;
    QTest::newRow("interruttore, disco pieno dopo una scrittura")
        << "Img_off(1)" << "Interruttore 02" << "pieno dopo una scrittura" << QPoint() << interruttore;
    QTest::newRow("pannello, file di sola lettura") << "Pic_Info" << "Zona 02" << "sola lettura" << QPoint(20, 20) << nessuno;
    QTest::newRow("pannello, disco pieno dopo una scrittura")
        << "Pic_Info" << "Zona 02" << "pieno dopo una scrittura" << QPoint() << nessuno;
}

// A drop the settings file refuses puts the item (and the other looks of its device) back where
// the file has it before the operator is told, and leaves the file as it was. A disk that fills
// after the first write of a move still stores the move whole: its two edges are one write.
void TestTrascina::posizioneRifiutata()
{
    QFETCH(QString, nome);
    QFETCH(QString, sezione);
    QFETCH(QString, guasto);
    QFETCH(QPoint, nelFile);
    QFETCH(QStringList, compagni);
    const bool pannello = nome == QLatin1String("Pic_Info");
    const QString chiaveX = pannello ? QStringLiteral("Info_X") : QStringLiteral("X");
    const QString chiaveY = pannello ? QStringLiteral("Info_Y") : QStringLiteral("Y");
    if (pannello)
        QTest::mouseClick(b_->s->Cmd_PuntoMon[1], Qt::LeftButton);
    QWidget* w = voce(nome);
    QWidget* presa = pannello ? b_->s->Lab_Nome : w;
    const QPoint prima = w->pos();

    if (guasto.startsWith(QLatin1String("a mano")))
        QVERIFY(File_Ini::ScriviIni(sezione, "X", "6000"));
    const QByteArray file = b_->cartella.leggi(FileImpostazioni);
    if (guasto.endsWith(QLatin1String("sola lettura")))
        QVERIFY(QFile::setPermissions(b_->cartella.percorso(FileImpostazioni), QFile::ReadOwner));
    int sostituzioni = 0;
    Piattaforma::ImpostaGuastoSostituzione([&](Piattaforma::PassoSostituzione passo) {
        if (passo == Piattaforma::PassoSostituzione::Apertura)
            ++sostituzioni;
        return passo == Piattaforma::PassoSostituzione::Scrittura
               && (guasto == QLatin1String("disco pieno") || sostituzioni > 1);
    });
    DialoghiFinti dialoghi;
    QList<QPoint> durante;
    dialoghi.allApertura = [&](const DialoghiFinti::Box&) {
        durante << w->pos();
        for (const QString& c : compagni)
            durante << voce(c)->pos();
    };
    trascina(presa, QPoint(3, 3), QPoint(40, 30));
    Piattaforma::ImpostaGuastoSostituzione({});

    if (nelFile.isNull()) {
        QCOMPARE(w->pos(), prima + QPoint(40, 30));
        QCOMPARE(chiave(sezione, chiaveX), QString::number(w->x() * 15));
        QCOMPARE(chiave(sezione, chiaveY), QString::number(w->y() * 15));
        QVERIFY(dialoghi.mostrati.isEmpty());
        return;
    }
    QCOMPARE(b_->cartella.leggi(FileImpostazioni), file);
    QCOMPARE(w->pos(), nelFile);
    for (const QString& c : compagni)
        QCOMPARE(voce(c)->pos(), nelFile);
    QCOMPARE(dialoghi.mostrati.size(), 1);
    QCOMPARE(dialoghi.mostrati[0].testo, File_Ini::TestoScritturaRifiutata());
    QCOMPARE(dialoghi.mostrati[0].icona, Piattaforma::IconaDialogo::Esclamazione);
    QCOMPARE(durante, QList<QPoint>(compagni.size() + 1, nelFile));
}

void TestTrascina::clicSenzaMuovere()
{
    // Zone 3 has no keys: a right click writes them with its place as it is.
    QWidget* w = voce("Cmd_PuntoMon(2)");
    QCOMPARE(chiave("Zona 03", "X"), QStringLiteral("mancante"));
    QTest::mouseClick(w, Qt::RightButton, {}, QPoint(4, 4));
    QCOMPARE(w->pos(), QPoint(20, 20));
    QCOMPARE(chiave("Zona 03", "X"), QStringLiteral("300"));
    QCOMPARE(chiave("Zona 03", "Y"), QStringLiteral("300"));
}

void TestTrascina::puntatoreTenutoNellaPianta()
{
    // Grabbed 30 pixels inside its left edge and pulled far to the left: the pointer stops at
    // the picture's edge, so the button ends 30 pixels out, and its place is stored negative.
    QWidget* w = voce("Cmd_PuntoMon(0)");
    const QPoint presa(30, 5);
    trascina(w, presa, QPoint(-2000, -2000));
    QCOMPARE(w->pos(), QPoint(-30, -5));
    QCOMPARE(chiave("Zona 01", "X"), QStringLiteral("-450"));
    QCOMPARE(chiave("Zona 01", "Y"), QStringLiteral("-75"));
    // The grabbed point is still inside the picture: the button can be grabbed again.
    QVERIFY(b_->s->Pic_Pianta->rect().contains(w->mapTo(b_->s->Pic_Pianta, presa)));

    trascina(w, presa, QPoint(5000, 5000));
    const QSize pianta = b_->s->Pic_Pianta->size();
    QCOMPARE(w->pos(), QPoint(pianta.width() - 1 - presa.x(), pianta.height() - 1 - presa.y()));
}

void TestTrascina::pannelloPerZona()
{
    QTest::mouseClick(b_->s->Cmd_PuntoMon[1], Qt::LeftButton);
    QFrame* info = b_->s->Pic_Info;
    QVERIFY(info->isVisible());
    const QPoint prima = info->pos();
    // Grabbed by its name label: the press reaches the panel.
    trascina(b_->s->Lab_Nome, QPoint(2, 2), QPoint(15, 30));
    QCOMPARE(info->pos(), prima + QPoint(15, 30));
    QCOMPARE(chiave("Zona 02", "Info_X"), QString::number((prima.x() + 15) * 15));
    QCOMPARE(chiave("Zona 02", "Info_Y"), QString::number((prima.y() + 30) * 15));
    QCOMPARE(chiave("Zona 01", "Info_X"), QStringLiteral("mancante"));
    QCOMPARE(chiave("Zona 02", "X"), QStringLiteral("4500"));

    // Zone 1 opens at its own place; zone 2 comes back where it was dropped.
    QTest::mouseClick(b_->s->Cmd_PuntoMon[0], Qt::LeftButton);
    QCOMPARE(info->pos(), QPoint(20, 20));
    QTest::mouseClick(b_->s->Cmd_PuntoMon[1], Qt::LeftButton);
    QCOMPARE(info->pos(), prima + QPoint(15, 30));
}

void TestTrascina::sinistroDuranteIlDestro()
{
    // Right pressed while the left is down: the drag lasts until both are up.
    QWidget* w = voce("Img_L1(1)");
    const QPoint prima = w->pos();
    const QPoint inizio = w->mapToGlobal(QPoint(2, 2));
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mousePress(w, Qt::RightButton, {}, QPoint(2, 2));
    QTest::mouseMove(w, w->mapFromGlobal(inizio + QPoint(10, 0)));
    QTest::mouseRelease(w, Qt::RightButton, {}, w->mapFromGlobal(inizio + QPoint(10, 0)));
    QVERIFY(Drag::TrascinamentoInCorso());
    QTest::mouseMove(w, w->mapFromGlobal(inizio + QPoint(10, 12)));
    QTest::mouseRelease(w, Qt::LeftButton, {}, w->mapFromGlobal(inizio + QPoint(10, 12)));
    QVERIFY(!Drag::TrascinamentoInCorso());
    QCOMPARE(w->pos(), prima + QPoint(10, 12));
    QCOMPARE(chiave("LED 02", "X"), QString::number((prima.x() + 10) * 15));
}

void TestTrascina::rilettoAlCaricamento_data()
{
    QTest::addColumn<QString>("scritto");
    QTest::newRow("punto") << "2250.0";
    QTest::newRow("virgola") << "2250,0";
    QTest::newRow("intero") << "2250";
}

void TestTrascina::rilettoAlCaricamento()
{
    QFETCH(QString, scritto);
    b_->s->MostraInterruttore(1, Acquisizione::IconaInterruttore::On);
    QWidget* w = voce("Img_on(1)");
    trascina(w, QPoint(1, 1), QPoint(-50, 25));
    const QPoint posato = w->pos();
    Configurazione::CaricaImpostazioni();
    for (const char* look : {"Img_on(1)", "Img_off(1)", "Img_ind(1)"})
        QCOMPARE(voce(look)->pos(), posato);

    File_Ini::ScriviIni("Interruttore 02", "X", scritto);
    Configurazione::CaricaImpostazioni();
    QCOMPARE(voce("Img_off(1)")->x(), 150);
}

void TestTrascina::routineSenzaTasti()
{
    QWidget* w = voce("Cmd_Webcam");
    const QPoint prima = w->pos();
    int finito = 0;
    Drag::TrascinaControllo(w, Qt::NoButton, [&] { ++finito; });
    QCOMPARE(finito, 1);
    QVERIFY(!Drag::TrascinamentoInCorso());
    QCOMPARE(w->pos(), prima);
}

QTEST_MAIN(TestTrascina)
#include "tst_trascina.moc"
