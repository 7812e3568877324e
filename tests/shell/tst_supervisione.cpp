// The supervision goes on while a box waits for the operator: the real windows with acquisition
// running on its own timer against a recording bus. The operator's clicks arrive as the window
// system delivers them, queued while a pass waits on the line; each box stays open a second,
// and the passes run meanwhile are counted.
#include "turnotenuto.h"
#include "banco_shell.h"
#include "clicaccodato.h"
#include "ciclo.h"
#include "codabus.h"
#include "dialoghifinti.h"
#include "finestre.h"
#include "mainform.h"
#include "mbus.h"
#include "sinottico.h"
#include "webcam.h"
#include "attesa.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

#include <functional>

using namespace BancoShell;

namespace {

// One zone on node 1 (PV and SP registers, SP written at 6,1), one switch on coils of node 11,
// the webcam button shown.
const char* const Impianto =
    "[Generale]\r\nZone=1\r\nInterruttori=1\r\nLED=0\r\nApriporta=0\r\nWebcam=1\r\nAutoAvvio=1\r\n"
    "Grafico=0\r\nRicette=1\r\nCronotermostato=0\r\nMaster=0\r\n"
    "[Zona 01]\r\nIndirizzo=1\r\nDecimali=1\r\nPV_r=3,0\r\nSP_r=3,1\r\nSP_w=6,1\r\n"
    "[Interruttore 01]\r\nIndirizzo=11\r\nOn_w=5,7\r\nOff_w=5,8\r\nOn_r=1,7\r\nOff_r=1,8\r\nVal_on=1\r\nVal_off=0\r\n"
    "[Webcam]\r\nNome=Cortile\r\nX=9000\r\nY=6000\r\n";

// Reads give 0 and are counted; writes echo wrongly, so every command fails. `durante` runs once,
// at the next read: what the operator does while a pass waits on the line.
class Bus final : public MBus::Collegamento {
public:
    int letture = 0;
    std::function<void()> durante;
    std::function<void()> aOgniLettura;
    int rispostaMs = 0;  // how long the instrument takes to answer
    QCoro::Task<long> Leggi(int, long, int) override
    {
        ++letture;
        if (aOgniLettura)
            aOgniLettura();
        if (durante)
            std::exchange(durante, nullptr)();
        if (rispostaMs > 0)
            co_await Piattaforma::Dormi(rispostaMs);
        co_return 0;
    }
    QCoro::Task<long> Scrivi(int, int, long valore, int) override { co_return valore + 1; }
};

class CameraAssente final : public CatturaVideo {
public:
    bool Apri() override { return false; }
    bool Avvia(bool) override { return false; }
    QString UltimoErrore() const override { return QStringLiteral("Nessuna telecamera."); }
    void Ferma() override {}
    void ImpostaAudio(bool) override {}
    bool InCattura() const override { return false; }
    QWidget* Vista() override { return &vista; }
    QWidget vista;
};

enum class Box { Webcam, ComandoFallito, InputValore };

}  // namespace

Q_DECLARE_METATYPE(Box)

class TstSupervisione : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void boxAperto_data();
    void boxAperto();
    void lavoroTrattenuto();
    void avvioMentreSiLegge_data();
    void avvioMentreSiLegge();
    void uscitaDopoStop_data();
    void uscitaDopoStop();

private:
    std::unique_ptr<CartellaTemporanea> cartella_;
    std::unique_ptr<Finestre> f_;
    MainForm* m_ = nullptr;
    Sinottico* s_ = nullptr;
    Bus bus_;
    Registro registro_;
};

void TstSupervisione::init()
{
    cartella_ = std::make_unique<CartellaTemporanea>();
    f_ = ApriImpianto(*cartella_, Impianto, &bus_, registro_);
    m_ = f_->mainForm;
    s_ = f_->sinottico;
    s_->ImpostaCattura(std::make_unique<CameraAssente>());
    QVERIFY(QTest::qWaitForWindowExposed(m_));
    Generale::UtenteTecnico = true;
    m_->MenuSinottico_Click();
    QTest::mouseClick(s_->Cmd_PuntoMon[0], Qt::LeftButton);
    QVERIFY(s_->Lab_Temp[1]->isVisible());
    QVERIFY(s_->Cmd_Webcam->isVisible());
    m_->MenuStart_Click();
    QVERIFY(Generale::AcquisizioneAttiva);
    // Every tick reads the plant, twenty ticks a second.
    Generale::BaseMisura = 1;
    m_->Timer_Monitor->setInterval(50);
}

void TstSupervisione::cleanup()
{
    Generale::AcquisizioneAttiva = false;
    if (m_)
        m_->Timer_Monitor->stop();
    QTRY_VERIFY(BusLibero());
    f_.reset();
    MBus::ImpostaCollegamento(nullptr);
    bus_.rispostaMs = 0;
    bus_.durante = nullptr;
    bus_.aOgniLettura = nullptr;
}

void TstSupervisione::boxAperto_data()
{
    QTest::addColumn<Box>("box");
    QTest::addColumn<bool>("input");
    QTest::addColumn<bool>("bloccante");
    QTest::newRow("errore della webcam, clic durante una passata") << Box::Webcam << false << true;
    QTest::newRow("comando servito dal tick e fallito") << Box::ComandoFallito << false << false;
    QTest::newRow("valore da impostare, doppio clic durante una passata") << Box::InputValore << true << true;
}

void TstSupervisione::boxAperto()
{
    QFETCH(Box, box);
    QFETCH(bool, input);
    QFETCH(bool, bloccante);

    QElapsedTimer orologio;
    orologio.start();
    QList<qint64> tick;
    connect(m_->Ciclo, &CicloAcquisizione::TickEseguito, this, [&] { tick << orologio.elapsed(); });

    DialoghiFinti dialoghi;
    dialoghi.apertoMs = 1000;
    qint64 aperto = -1;
    int lettureAllApertura = 0;
    dialoghi.allApertura = [&](const DialoghiFinti::Box&) {
        if (aperto < 0) {
            aperto = orologio.elapsed();
            lettureAllApertura = bus_.letture;
        }
    };
    int lettureAlChiudersi = -1;

    switch (box) {
    case Box::Webcam:
        bus_.durante = [this] { ClicAccodato(s_->Cmd_Webcam); };
        break;
    case Box::InputValore:
        bus_.durante = [this] { DoppioClicAccodato(s_->Lab_Temp[1]); };
        break;
    case Box::ComandoFallito:
        QTest::mouseClick(s_->Img_off[0], Qt::LeftButton);  // posted: the next tick serves it
        break;
    }
    QVERIFY(QTest::qWaitFor([&] { return aperto >= 0; }, 5000));
    QVERIFY(QTest::qWaitFor([&] { return orologio.elapsed() > aperto + 1100; }, 3000));
    lettureAlChiudersi = bus_.letture;

    QVERIFY(!dialoghi.mostrati.isEmpty());
    QCOMPARE(dialoghi.mostrati[0].input, input);
    QCOMPARE(dialoghi.mostrati[0].bloccante, bloccante);
    // Twenty ticks fall due in that second: a box held over a pass would leave none.
    const auto mentreAperto = std::count_if(tick.begin(), tick.end(),
                                            [&](qint64 t) { return t > aperto && t < aperto + 1000; });
    QVERIFY2(mentreAperto >= 3, qPrintable(QStringLiteral("%1 passate col box aperto").arg(mentreAperto)));
    QVERIFY(lettureAlChiudersi - lettureAllApertura >= 3);
}

void TstSupervisione::lavoroTrattenuto()
{
    // Start and Stop asked for again and again while a pass holds the line: each Stop shows
    // "Standby" at once, and a Start already overtaken by a later Stop reads nothing. Until the
    // line is free the main window shows that work waits.
    m_->Timer_Monitor->stop();
    const int prima = bus_.letture;
    {
        TurnoTenuto pass;
        m_->MenuStop->trigger();
        m_->MenuStart_Click();
        m_->MenuStop->trigger();
        m_->MenuStart_Click();
        m_->MenuStop->trigger();
        QCOMPARE(Acquisizione::LavoriInAttesa(), 5);
        QVERIFY(!Generale::AcquisizioneAttiva);  // "Standby" at the first Stop
        QCOMPARE(m_->cursor().shape(), Qt::BusyCursor);
    }
    QTRY_VERIFY(BusLibero());
    QVERIFY(!Generale::AcquisizioneAttiva);
    QCOMPARE(bus_.letture, prima);
    QCOMPARE(m_->cursor().shape(), Qt::ArrowCursor);
}

void TstSupervisione::avvioMentreSiLegge_data()
{
    QTest::addColumn<QString>("come");
    QTest::newRow("double click on the acquisition button while stopped") << "doppio clic";
    QTest::newRow("Start chosen twice from the menu while stopped") << "due start";
    QTest::newRow("Start chosen from the menu while acquisition runs") << "start in corsa";
}

void TstSupervisione::avvioMentreSiLegge()
{
    // An instrument answering slowly: a pass (4 reads) lasts longer than the polling period.
    QFETCH(QString, come);
    bus_.rispostaMs = 20;
    m_->Timer_Monitor->setInterval(50);
    if (come != QLatin1String("start in corsa")) {
        m_->MenuStop->trigger();
        QTRY_VERIFY(BusLibero());
    }
    int lettureAvvio = 0;
    int timerArmato = 0;
    bus_.aOgniLettura = [&] {
        // The Start reads with the tick counter at 0; a tick has counted itself first.
        if (Generale::ContatoreCicli == 0)
            ++lettureAvvio;
        else if (m_->Timer_Monitor->isActive())
            ++timerArmato;
    };
    auto avvio = [&] {
        if (come == QLatin1String("doppio clic"))
            m_->Toolbar_ButtonClick(8);
        else
            m_->MenuStart->trigger();
    };
    // Asked while a read waits: a tick's, or the first click's.
    bus_.durante = avvio;
    if (come != QLatin1String("start in corsa"))
        avvio();
    int tick = 0;
    connect(m_->Ciclo, &CicloAcquisizione::TickEseguito, this, [&] { ++tick; });
    QVERIFY(QTest::qWaitFor([&] { return tick >= 6; }, 10000));
    m_->MenuStop->trigger();
    QTRY_VERIFY(BusLibero());
    bus_.aOgniLettura = nullptr;
    // One Start's reads, whole: the zone's PV and SP, the switch's ON and OFF points.
    QCOMPARE(lettureAvvio, 4);
    QCOMPARE(timerArmato, 0);
}

void TstSupervisione::uscitaDopoStop_data()
{
    QTest::addColumn<bool>("chiusura");
    QTest::newRow("Fine programma") << false;
    QTest::newRow("the main window's close box") << true;
}

void TstSupervisione::uscitaDopoStop()
{
    // Stop while a Start reads, then the exit at once: acquisition is stopped and the recipe
    // window closed, so the exit waits for the reads to be cut and ends the program.
    QFETCH(bool, chiusura);
    m_->MenuStop->trigger();
    QTRY_VERIFY(BusLibero());
    bus_.rispostaMs = 20;
    QSignalSpy fine(m_, &MainForm::FineProgramma);
    QStringList pannello4;
    bus_.durante = [&] {
        m_->MenuStop->trigger();
        if (chiusura)
            m_->close();
        else
            m_->MenuFine->trigger();
        pannello4 << m_->Pannello(4)->text();
    };
    m_->MenuStart->trigger();
    QTRY_COMPARE(fine.count(), 1);
    QCOMPARE(pannello4, QStringList{QString()});
    QVERIFY(!Generale::AcquisizioneAttiva);
}

QTEST_MAIN(TstSupervisione)
#include "tst_supervisione.moc"
