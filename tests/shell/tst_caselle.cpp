// The operator's requests through the real windows while acquisition runs: clicks on the
// synoptic during a pass, then the ticks and a Stop of the main window, against a recording bus.
#include "turnotenuto.h"
#include "banco_shell.h"
#include "ciclo.h"
#include "dialoghifinti.h"
#include "finestre.h"
#include "mainform.h"
#include "mbus.h"
#include "sinottico.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <functional>

using namespace BancoShell;

namespace {

// One zone on node 1 (SP a register with one decimal, written at 6,1), three switches on coils
// (nodes 11..13, ON at 7, OFF at 8); manual start.
const char* const Impianto =
    "[Generale]\r\nZone=1\r\nInterruttori=3\r\nLED=0\r\nApriporta=0\r\nWebcam=0\r\nAutoAvvio=1\r\n"
    "Grafico=0\r\nRicette=1\r\nCronotermostato=0\r\nMaster=0\r\n"
    "[Zona 01]\r\nIndirizzo=1\r\nDecimali=1\r\nPV_r=3,0\r\nSP_r=3,1\r\nSP_w=6,1\r\n"
    "[Interruttore 01]\r\nIndirizzo=11\r\nOn_w=5,7\r\nOff_w=5,8\r\nOn_r=1,7\r\nOff_r=1,8\r\nVal_on=1\r\nVal_off=0\r\n"
    "[Interruttore 02]\r\nIndirizzo=12\r\nOn_w=5,7\r\nOff_w=5,8\r\nOn_r=1,7\r\nOff_r=1,8\r\nVal_on=1\r\nVal_off=0\r\n"
    "[Interruttore 03]\r\nIndirizzo=13\r\nOn_w=5,7\r\nOff_w=5,8\r\nOn_r=1,7\r\nOff_r=1,8\r\nVal_on=1\r\nVal_off=0\r\n";

// Reads give 0 (every switch reads OFF); a write is recorded with whether acquisition was
// running when it went out, and echoed as an instrument does. `durante` runs once, at the next
// read: the operator's clicks while a pass waits on the line.
class BusRegistrato final : public MBus::Collegamento {
public:
    struct Scrittura {
        int funzione, registro;
        long valore;
        int nodo;
        bool inAcquisizione;
        bool operator==(const Scrittura&) const = default;
    };
    QList<Scrittura> scritture;
    std::function<void()> durante;

    QCoro::Task<long> Leggi(int, long, int) override
    {
        if (durante)
            std::exchange(durante, nullptr)();
        co_return 0;
    }
    QCoro::Task<long> Scrivi(int funzione, int registro, long valore, int nodo) override
    {
        scritture.append({funzione, registro, valore, nodo, Generale::AcquisizioneAttiva});
        co_return funzione == 5 && valore == 0xFF00 ? -256 : valore;
    }
};

char* toString(const BusRegistrato::Scrittura& s)
{
    return qstrdup(QStringLiteral("(%1,%2,%3,nodo %4,%5)").arg(s.funzione).arg(s.registro).arg(s.valore).arg(s.nodo)
                       .arg(s.inAcquisizione ? "in acquisizione" : "fermo").toUtf8());
}

}  // namespace

class TstCaselle : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void dueClicInUnaPassata();
    void impostazioneEPoiStop();

private:
    // A tick in which the zone and switch pass falls due.
    void tickConPassata();
    std::unique_ptr<CartellaTemporanea> cartella_;
    std::unique_ptr<Finestre> f_;
    MainForm* m_ = nullptr;
    Sinottico* s_ = nullptr;
    BusRegistrato bus_;
    Registro registro_;
};

void TstCaselle::init()
{
    cartella_ = std::make_unique<CartellaTemporanea>();
    f_ = ApriImpianto(*cartella_, Impianto, &bus_, registro_);
    m_ = f_->mainForm;
    s_ = f_->sinottico;
    QVERIFY(QTest::qWaitForWindowExposed(m_));
    Generale::UtenteTecnico = true;
    m_->MenuStart_Click();
    QVERIFY(Generale::AcquisizioneAttiva);
    m_->Timer_Monitor->stop();  // the test runs the ticks
    m_->MenuSinottico_Click();
    QVERIFY(s_->Img_off[2]->isVisible());
    bus_.scritture.clear();
}

void TstCaselle::cleanup()
{
    Generale::AcquisizioneAttiva = false;
    f_.reset();
    MBus::ImpostaCollegamento(nullptr);
}

void TstCaselle::tickConPassata()
{
    Generale::ContatoreCicli = 59;
    QCoro::waitFor(m_->Ciclo->Timer_Monitor_Timer());
    m_->Timer_Monitor->stop();
    QTRY_VERIFY(BusLibero());
}

void TstCaselle::dueClicInUnaPassata()
{
    bus_.durante = [this] {
        QTest::mouseClick(s_->Img_off[0], Qt::LeftButton);
        QTest::mouseClick(s_->Img_off[2], Qt::LeftButton);
    };
    tickConPassata();
    QVERIFY(!bus_.durante);
    QVERIFY(bus_.scritture.isEmpty());  // asked for during the pass: the next tick serves them

    m_->Ciclo->Timer_Monitor_Timer();
    const QList<BusRegistrato::Scrittura> attese{{5, 7, 0xFF00, 11, true}, {5, 7, 0xFF00, 13, true}};
    QCOMPARE(bus_.scritture, attese);
    QVERIFY(s_->Img_on[0]->isVisible());
    QVERIFY(s_->Img_on[2]->isVisible());
}

void TstCaselle::impostazioneEPoiStop()
{
    DialoghiFinti dialoghi;
    dialoghi.testi.enqueue(QStringLiteral("21,5"));
    QTest::mouseClick(s_->Cmd_PuntoMon[0], Qt::LeftButton);
    QVERIFY(s_->Lab_Temp[1]->isVisible());
    // The value is confirmed while the pass waits on the line, and Stop is asked for right after.
    bus_.durante = [this] {
        QTest::mouseDClick(s_->Lab_Temp[1], Qt::LeftButton);
        m_->MenuStop->trigger();
    };
    tickConPassata();

    QVERIFY(!Generale::AcquisizioneAttiva);
    const QList<BusRegistrato::Scrittura> prima{{6, 1, 215, 1, false}};
    QCOMPARE(bus_.scritture, prima);  // served by the Stop, after "Standby", before it ends
    QCOMPARE(dialoghi.mostrati.size(), 1);  // the question only: no failure reported

    // Nothing asked for before the Stop is written after the next Start.
    bus_.scritture.clear();
    m_->MenuStart_Click();
    QVERIFY(Generale::AcquisizioneAttiva);
    m_->Timer_Monitor->stop();
    tickConPassata();
    tickConPassata();
    QVERIFY(bus_.scritture.isEmpty());
}

QTEST_MAIN(TstCaselle)
#include "tst_caselle.moc"
