// The operator on a dead line (a pulled cable: nothing answers): the real windows, the station's
// own link on a scripted port whose clock moves only while the link waits. Every wait of the
// link resumes from the event loop, so what the operator does meanwhile runs between two waits,
// at the fake time it happened. A click is answered within 100 ms of that time; Stop and Re-read
// cut the pass under way at its next exchange, and a pass cut short records nothing it did not
// read.
#include "banco_shell.h"
#include "ciclo.h"
#include "clicaccodato.h"
#include "../fieldbus/portafinta.h"
#include "storicogiornaliero.h"
#include "turnotenuto.h"

#include <QAction>
#include <QFile>
#include <QTest>
#include <QToolBar>

using namespace BancoShell;

namespace {

constexpr int Zone = 5;
constexpr float Sentinella = 123.0f;  // a value no pass on a dead line can give

QByteArray Impianto()
{
    QByteArray ini = Impostazioni(Zone);
    for (int z = 1; z <= Zone; ++z)
        ini += "[Zona 0" + QByteArray::number(z) + "]\r\nIndirizzo=" + QByteArray::number(z)
               + "\r\nDecimali=1\r\nPV_r=3," + QByteArray::number(100 + z) + "\r\n";
    return ini;
}

}  // namespace

class TstLineaMorta : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void azioneDuranteUnaPassata_data();
    void azioneDuranteUnaPassata();

private:
    int righeStorico() const;

    std::unique_ptr<CartellaTemporanea> cartella_;
    std::unique_ptr<Finestre> f_;
    MainForm* m_ = nullptr;
    std::unique_ptr<PortaFinta> porta_;
    Registro registro_;
};

void TstLineaMorta::init()
{
    porta_ = std::make_unique<PortaFinta>();
    porta_->sospendi = true;
    MBus::ImpostaPorta(porta_.get());
    MBus::ImpostaOrologio(porta_.get());
    cartella_ = std::make_unique<CartellaTemporanea>();
    const QByteArray impianto = Impianto();
    f_ = ApriImpianto(*cartella_, impianto.constData(), nullptr, registro_);
    m_ = f_->mainForm;
    QVERIFY(QTest::qWaitForWindowExposed(m_));
    QVERIFY(Generale::PortaSerialeValida);
    MBus::ComunicazioneReale = true;
    MBus::NumeroTentativi = 3;
    MBus::AttesaRisposta = 0.5f;
    Generale::UtenteAmministratore = true;
}

void TstLineaMorta::cleanup()
{
    Generale::AcquisizioneAttiva = false;
    QTRY_VERIFY(BusLibero());
    f_.reset();
    MBus::ComunicazioneReale = false;
    MBus::ImpostaPorta(nullptr);
    MBus::ImpostaOrologio(nullptr);
    porta_.reset();
}

int TstLineaMorta::righeStorico() const
{
    QFile file(File_Ini::PercorsoStorico(QDate::currentDate()));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return int(file.readAll().count('\n'));
}

void TstLineaMorta::azioneDuranteUnaPassata_data()
{
    QTest::addColumn<QString>("azione");
    QTest::newRow("click on the synoptic's button") << "sinottico";
    QTest::newRow("click on the history's button") << "storico";
    QTest::newRow("Stop") << "stop";
    QTest::newRow("Stop while the next exchange waits for the quiet after a failure") << "stop nel silenzio";
    QTest::newRow("Re-read") << "rileggi";
}

void TstLineaMorta::azioneDuranteUnaPassata()
{
    QFETCH(QString, azione);
    // Acquisition started: its first reads fail on the dead line, in fake minutes.
    m_->MenuStart->trigger();
    QTRY_VERIFY(Generale::AcquisizioneAttiva);
    QTRY_VERIFY(BusLibero());
    m_->Timer_Monitor->stop();
    for (int z = 0; z < Zone; ++z)
        Generale::ValoriZone[z][0] = Sentinella;
    const int righePrima = righeStorico();

    // A full tick; the operator acts while zone 2 is being asked for.
    qsizetype richiesteAllAzione = -1;
    std::int64_t oraAzione = -1, oraRisposta = -1;
    QString standby;
    QWidget* pulsante = m_->Toolbar->widgetForAction(m_->PulsanteToolbar(azione == QLatin1String("storico") ? 4 : 2));
    QAction* finestra = azione == QLatin1String("storico") ? m_->MenuStorico : m_->MenuSinottico;
    connect(finestra, &QAction::toggled, this, [&](bool aperta) {
        if (aperta && oraRisposta < 0)
            oraRisposta = porta_->ora;
    });
    const bool nelSilenzio = azione == QLatin1String("stop nel silenzio");
    if (nelSilenzio)
        azione = QStringLiteral("stop");
    auto zona2 = [](const QByteArray& richiesta) {
        return std::uint8_t(richiesta[0]) == 2 && std::uint8_t(richiesta[1]) == 3;
    };
    // Zone 2's tries have all gone unanswered: zone 3's read waits for a whole time-out of quiet.
    porta_->allAttesa = [&] {
        if (!nelSilenzio || oraAzione >= 0 || std::count_if(porta_->inviate.begin(), porta_->inviate.end(), zona2) < 3
            || porta_->ora < porta_->istantiInvio.last() + 500'000)
            return;
        oraAzione = porta_->ora;
        richiesteAllAzione = porta_->inviate.size();
        m_->MenuStop->trigger();
        standby = m_->Pannello(2)->text();
    };
    porta_->risponde = [&](const QByteArray& richiesta) {
        if (zona2(richiesta) && oraAzione < 0 && !nelSilenzio) {
            oraAzione = porta_->ora;
            richiesteAllAzione = porta_->inviate.size();
            if (azione == QLatin1String("stop")) {
                m_->MenuStop->trigger();
                standby = m_->Pannello(2)->text();
            } else if (azione == QLatin1String("rileggi")) {
                m_->MenuRileggi->trigger();
            } else {
                ClicAccodato(pulsante);
            }
        }
        return Copione{};
    };
    Generale::ContatoreCicli = 59;
    m_->Ciclo->Timer_Monitor_Timer();
    QTRY_VERIFY_WITH_TIMEOUT(BusLibero(), 20000);
    m_->Timer_Monitor->stop();
    QVERIFY(oraAzione >= 0);
    const QList<QByteArray> dopo = porta_->inviate.mid(richiesteAllAzione);

    if (azione == QLatin1String("sinottico") || azione == QLatin1String("storico")) {
        QTRY_VERIFY(finestra->isChecked());
        QVERIFY2(oraRisposta - oraAzione <= 100'000,
                 qPrintable(QStringLiteral("answered after %1 ms").arg((oraRisposta - oraAzione) / 1000)));
        return;
    }
    // The exchange under way ends with its retries, then no request of the pass leaves.
    const QByteArray sotto = porta_->inviate.at(richiesteAllAzione - 1);
    qsizetype restanti = 0;
    while (restanti < dopo.size() && dopo.at(restanti) == sotto)
        ++restanti;
    QVERIFY2(restanti <= MBus::NumeroTentativi - 1, qPrintable(QString::number(restanti)));
    if (azione == QLatin1String("stop")) {
        QCOMPARE(standby, QStringLiteral("Standby"));
        QCOMPARE(dopo.size(), restanti);
        QVERIFY(!Generale::AcquisizioneAttiva);
        // Zones 3 to 5 were never asked for: what they showed stays, no line is filed.
        for (int z = 2; z < Zone; ++z)
            QCOMPARE(Generale::ValoriZone[z][0], Sentinella);
        QCOMPARE(righeStorico(), righePrima);
    } else {
        // The Re-read reads the plant from zone 1, once, and files its own line.
        QVERIFY(dopo.size() > restanti);
        QCOMPARE(std::uint8_t(dopo.at(restanti)[0]), std::uint8_t(1));
        QVERIFY(Generale::AcquisizioneAttiva);
        QCOMPARE(righeStorico(), righePrima + 1);
        for (int z = 0; z < Zone; ++z)
            QCOMPARE(Generale::ValoriZone[z][0], float(Generale::ValoreAssente));
    }
}

QTEST_MAIN(TstLineaMorta)
#include "tst_lineamorta.moc"
