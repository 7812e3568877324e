// The start-up on the real windows: the program folder taken first, the order of the window
// loads, the communicate-or-simulate question and the automatic start that waits for its answer.
#include "avvio.h"
#include "codabus.h"
#include "banco_shell.h"
#include "dialoghi_qt.h"
#include "finestre.h"
#include "frmsplash.h"
#include "generale.h"
#include "istanza.h"
#include "mainform.h"
#include "modo.h"
#include "monitorerrori.h"
#include "vista_configurazione.h"

#include <QAction>
#include <QDir>
#include <QKeyEvent>
#include <QListWidget>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

using namespace BancoShell;
using Piattaforma::RispostaDialogo;

class TstAvvio : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cartellaProgramma_data();
    void cartellaProgramma();
    void ordineCaricamenti();
    void domanda_data();
    void domanda();
    void domandaFinestraVera_data();
    void domandaFinestraVera();
    void avvioAutomaticoAttendeRisposta_data();
    void avvioAutomaticoAttendeRisposta();
    void fineProgrammaTermina();

private:
    std::unique_ptr<CartellaTemporanea> cartella_;
};

void TstAvvio::init()
{
    cartella_ = std::make_unique<CartellaTemporanea>();
    cartella_->scrivi(QStringLiteral("Quelvar0.ini"), "[Generale]\r\nModo=1\r\n");
    cartella_->scrivi(QStringLiteral("Quelvar1.ini"), Impostazioni());
    StatoIniziale();
}

void TstAvvio::cartellaProgramma_data()
{
    QTest::addColumn<QString>("cartella");
    QTest::addColumn<bool>("tenuta");  // by a station still running
    QTest::addColumn<bool>("parte");
    QTest::addColumn<QString>("registro");  // the line on the log
    QTest::newRow("libera") << "" << false << true << "";
    QTest::newRow("tenuta: box, poi fine") << "" << true << false << "^Attenzione: ";
    // Nothing can tell whether another station runs there: the plant is not left unsupervised.
    QTest::newRow("blocco impossibile: parte") << "manca" << false << true << "File di blocco non creato";
}

void TstAvvio::cartellaProgramma()
{
    QFETCH(QString, cartella);
    QFETCH(bool, tenuta);
    QFETCH(bool, parte);
    QFETCH(QString, registro);
    DialoghiScriptati dialoghi;
    Piattaforma::Istanza prima(cartella_->percorso(cartella));
    if (tenuta)
        QCOMPARE(prima.Prendi(), Piattaforma::Istanza::Esito::Presa);
    if (!registro.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(registro));

    Piattaforma::Istanza istanza(cartella_->percorso(cartella));
    QCOMPARE(Avvio::PrendiCartella(istanza), parte);

    if (parte) {
        QVERIFY(dialoghi.testi.isEmpty());
        return;
    }
    QCOMPARE(dialoghi.testi.size(), 1);
    QVERIFY(dialoghi.testi.first().startsWith(QStringLiteral("Attenzione: ")));
    QCOMPARE(dialoghi.pulsanti.first(), Piattaforma::PulsantiDialogo::OK);
}

void TstAvvio::ordineCaricamenti()
{
    // One cell of the chrono file: the read must come after the load that resets the table.
    cartella_->scrivi(QStringLiteral("Crono/Cronotermostato.cts"), "18,5\r\n");
    Generale::TabellaCrono[1][0][0] = 7.0f;
    Finestre f;
    f.allarmi->AggiungiVoceZona(QStringLiteral("di una corsa precedente"));

    QStringList ordine;
    bool cartelleDuranteModo = false;
    int vociDuranteCarico = -1;
    bool avvioInCorsoDuranteCarico = false;
    const auto modo = Generale::RietichettaModo;
    Generale::RietichettaModo = [&] {
        ordine << QStringLiteral("modo");
        const QDir d(cartella_->percorso());
        cartelleDuranteModo = d.exists(QStringLiteral("Dati")) && d.exists(QStringLiteral("Crono"))
                              && d.exists(QStringLiteral("Ricetta"));
        modo();
    };
    auto& v = Configurazione::Vista;
    const auto ricostruisci = v.RicostruisciSinottico;
    v.RicostruisciSinottico = [&] {
        ordine << QStringLiteral("configurazione ") + Generale::FileImpostazioni;
        vociDuranteCarico = f.allarmi->Lst_AllarmiZ->count();
        avvioInCorsoDuranteCarico = Generale::AvvioInCorso;
        ricostruisci();
    };
    const auto arma = v.ArmaAvvioAutomatico;
    v.ArmaAvvioAutomatico = [&] {
        ordine << QStringLiteral("conto alla rovescia");
        arma();
    };

    f.Carica();

    QCOMPARE(ordine, (QStringList{QStringLiteral("modo"), QStringLiteral("configurazione Quelvar1.ini"),
                                  QStringLiteral("conto alla rovescia")}));
    QVERIFY(cartelleDuranteModo);
    QCOMPARE(vociDuranteCarico, 0);  // the monitor loaded first
    QVERIFY(avvioInCorsoDuranteCarico);
    QCOMPARE(Generale::TabellaCrono[0][0][0], 18.5f);
    QCOMPARE(Generale::TabellaCrono[1][0][0], 20.0f);  // past the end of the file: the load's value

    MainForm* m = f.mainForm;
    QVERIFY(m->TimerAutoStart->isActive());
    QCOMPARE(m->TimerAutoStart->interval(), 10000);
    QVERIFY(m->TimerAutoStart->isSingleShot());
    QVERIFY(m->Timer_Lampeggio->isActive());
    QCOMPARE(m->Timer_Lampeggio->interval(), 350);
    QVERIFY(!m->Timer_Monitor->isActive());
    QCOMPARE(m->Pannello(4)->text(), QStringLiteral("Avvio in corso..."));
    QCOMPARE(m->windowTitle(), Versione::TitoloPrincipale());
    for (int n : {1, 2, 3, 4, 5, 7})
        QCOMPARE(m->ImmaginePulsante(n), 1);
    QCOMPARE(m->ImmaginePulsante(8), 3);
}

void TstAvvio::domanda_data()
{
    QTest::addColumn<int>("risposta");
    QTest::addColumn<bool>("reale");
    QTest::newRow("Sì: gli strumenti") << int(RispostaDialogo::Si) << true;
    QTest::newRow("No: simulazione") << int(RispostaDialogo::No) << false;
}

void TstAvvio::domanda()
{
    QFETCH(int, risposta);
    QFETCH(bool, reale);
    DialoghiScriptati dialoghi;
    dialoghi.risposta = RispostaDialogo(risposta);
    MBus::ComunicazioneReale = !reale;
    Avvio avvio;
    MainForm* m = avvio.finestre().mainForm;
    QVERIFY(avvio.Splash()->isVisible());
    QCOMPARE(m->Pannello(1)->text(), QStringLiteral("Utente: Anonimo"));
    QVERIFY(dialoghi.testi.isEmpty());

    QTest::keyClick(avvio.Splash(), Qt::Key_Space);
    QTest::mouseClick(avvio.Splash()->Frm_Splash, Qt::LeftButton);  // already ended: asks nothing more

    QVERIFY(!avvio.Splash()->isVisible());
    QVERIFY(!avvio.Splash()->Timer1->isActive());
    QVERIFY(m->isVisible());
    QCOMPARE(dialoghi.testi, QStringList{Avvio::Domanda});
    QCOMPARE(dialoghi.titoli.first(), m->windowTitle());
    QCOMPARE(dialoghi.pulsanti.first(), Piattaforma::PulsantiDialogo::SiNo);
    QCOMPARE(dialoghi.icone.first(), Piattaforma::IconaDialogo::Informazione);
    QCOMPARE(dialoghi.predefinite.first(), std::optional(RispostaDialogo::Si));
    QCOMPARE(MBus::ComunicazioneReale, reale);
    QVERIFY(m->SceltaFatta());
}

void TstAvvio::domandaFinestraVera_data()
{
    QTest::addColumn<QString>("gesto");
    QTest::addColumn<bool>("reale");
    QTest::newRow("Invio: Sì, il pulsante predefinito") << QStringLiteral("invio") << true;
    QTest::newRow("Esc: No") << QStringLiteral("esc") << false;
    QTest::newRow("chiusura: No") << QStringLiteral("chiudi") << false;
}

void TstAvvio::domandaFinestraVera()
{
    QFETCH(QString, gesto);
    QFETCH(bool, reale);
    DialoghiQt dialoghiQt;
    auto* precedente = Piattaforma::ImpostaServizioDialoghi(&dialoghiQt);
    MBus::ComunicazioneReale = !reale;
    {
        Avvio avvio;
        QString testoVisto;
        std::function<void()> rispondi = [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {
                QTimer::singleShot(5, rispondi);
                return;
            }
            testoVisto = box->text();
            if (gesto == QLatin1String("invio"))
                QTest::keyClick(box, Qt::Key_Return);
            else if (gesto == QLatin1String("esc"))
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->close();
        };
        QTimer::singleShot(0, rispondi);
        avvio.Splash()->Timer1_Timer();
        QCOMPARE(testoVisto, Avvio::Domanda);
        QCOMPARE(MBus::ComunicazioneReale, reale);
    }
    Piattaforma::ImpostaServizioDialoghi(precedente);
}

void TstAvvio::avvioAutomaticoAttendeRisposta_data()
{
    QTest::addColumn<int>("risposta");
    QTest::addColumn<bool>("portaValida");
    QTest::addColumn<bool>("acquisizione");
    QTest::newRow("No: parte in simulazione") << int(RispostaDialogo::No) << false << true;
    QTest::newRow("Sì, porta valida: parte") << int(RispostaDialogo::Si) << true << true;
    QTest::newRow("Sì, porta guasta: non parte") << int(RispostaDialogo::Si) << false << false;
}

void TstAvvio::avvioAutomaticoAttendeRisposta()
{
    QFETCH(int, risposta);
    QFETCH(bool, portaValida);
    QFETCH(bool, acquisizione);
    DialoghiScriptati dialoghi;
    dialoghi.risposta = RispostaDialogo(risposta);
    Avvio avvio;
    MainForm* m = avvio.finestre().mainForm;
    Registro registro;
    registro.installa(m);
    QVERIFY(m->TimerAutoStart->isActive());

    bool attivaDurante = true;
    bool inCorsoDurante = false;
    dialoghi.durante = [&] {
        // The countdown runs out while the question is still open.
        Generale::PortaSerialeValida = portaValida;
        m->TimerAutoStart_Timer();
        attivaDurante = Generale::AcquisizioneAttiva;
        inCorsoDurante = Generale::AvvioInCorso;
    };
    avvio.Splash()->ChiudiSplash();

    QVERIFY(!attivaDurante);
    QVERIFY(inCorsoDurante);
    QVERIFY(!m->TimerAutoStart->isActive());
    QCOMPARE(Generale::AcquisizioneAttiva, acquisizione);
    QCOMPARE(m->Timer_Monitor->isActive(), acquisizione);
    QVERIFY(!Generale::AvvioInCorso);
    QCOMPARE(m->Timer_Lampeggio->interval(), 700);
    QVERIFY(!Generale::LampeggioAllarme);
    QCOMPARE(m->Pannello(4)->text(), QString());
    QCOMPARE(m->Pannello(2)->text(), acquisizione ? QStringLiteral("Acquisizione") : QStringLiteral("Standby"));
    Generale::AcquisizioneAttiva = false;
}

void TstAvvio::fineProgrammaTermina()
{
    // "Fine programma" accepted ends the program at once: the windows are not asked to close,
    // since the main window's close box is itself routed back to "Fine programma".
    DialoghiScriptati dialoghi;
    dialoghi.risposta = RispostaDialogo::No;
    Avvio avvio;
    MainForm* m = avvio.finestre().mainForm;
    Registro registro;
    registro.installa(m);
    avvio.Splash()->ChiudiSplash();
    m->TimerAutoStart->stop();
    int fini = 0;
    connect(m, &MainForm::FineProgramma, m, [&] {
        // A program that keeps asking itself to end is stopped here, and the test fails.
        if (++fini == 3) {
            Generale::StagioneAperta = true;
            QCoreApplication::exit(1);
        }
    });
    QTimer::singleShot(0, m->MenuFine, &QAction::trigger);
    QCOMPARE(QCoreApplication::exec(), 0);
    QCOMPARE(fini, 1);
    QCOMPARE(Acquisizione::LavoriInAttesa(), 0);
}

QTEST_MAIN(TstAvvio)
#include "tst_avvio.moc"
