// The recipe window offscreen: loading by the three buttons with their closing messages, the row
// selected across the columns, and the sending with its question, progress, season mark and the
// idle state restored on every path, against a recording fake bus.
#include "cartellatemporanea.h"
#include "codabus.h"
#include "dialoghifinti.h"
#include "file_ini.h"
#include "fintobus.h"
#include "modello.h"
#include "stagione.h"
#include "turnotenuto.h"

#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QToolTip>
#include <QtTest>

using namespace Generale;
using Piattaforma::IconaDialogo;
using Piattaforma::RispostaDialogo;

namespace {
const QByteArray Estate = "[File]\r\nID=Quelvar\r\n[Zona 01]\r\nIntervallo=150\r\nLinee=3\r\n1=6,100,215;SP\r\n"
                          "2=5,7,1;Uscita\r\n3=0,SLEEP,50;attesa\r\n[Zona 02]\r\nLinee=1\r\n1=6,200,-3;Allarme\r\n";
const QString Ok = QStringLiteral("Il file %1 è stato caricato correttamente.");
const QString Fallito = QStringLiteral("Attenzione: Un errore occorso durante l'invio della procedura ha impedito il "
                                       "completamento del cambio di stagione.\rVerificare il file e la linea di "
                                       "trasmissione dati.");
}  // namespace

class TestStagione : public QObject {
    Q_OBJECT

    std::unique_ptr<CartellaTemporanea> cartella;
    std::unique_ptr<DialoghiFinti> dialoghi;
    std::unique_ptr<FintoBus> bus;
    std::unique_ptr<Stagione> s;
    QStringList cartelleDialogo;
    QString scelta;
    QList<int> pause;

    QStringList colonna(QListWidget* l)
    {
        QStringList r;
        for (int i = 0; i < l->count(); ++i)
            r << l->item(i)->text();
        return r;
    }
    QString attuale() { return File_Ini::LeggiIni(QStringLiteral("Stagione"), QStringLiteral("Attuale"), QStringLiteral("assente")); }
    // The window in a main window's work area, as the station hosts it, with the recipe `ricetta`
    // loaded; the area owns it from now on.
    QMdiSubWindow* ospitaCon(QMdiArea& area, const QString& ricetta)
    {
        QMdiSubWindow* cornice = area.addSubWindow(s.release());
        area.show();
        cornice->show();
        scelta = ricetta;
        qobject_cast<Stagione*>(cornice->widget())->Cmd_Stagione_Click(2);
        return cornice;
    }

private slots:
    void init()
    {
        cartella = std::make_unique<CartellaTemporanea>();
        AzzeraModello();
        FileImpostazioni = QStringLiteral("Quelvar1.ini");
        NumeroZone = 2;
        ConfiguraZona(0, 1, 0);
        ConfiguraZona(1, 2, 0);
        cartella->scrivi(QStringLiteral("Ricetta/estate.prg"), Estate);
        cartella->scrivi(QStringLiteral("Ricetta/rotta.prg"), "[File]\r\nID=Quelvar\r\n[Zona 01]\r\nLinee=1\r\n1=6,1,1;x\r\n"
                                                              "[Zona 02]\r\nLinee=1\r\n1=5,1,3;x\r\n");
        cartella->scrivi(QStringLiteral("Ricetta/nonvalida.prg"), "[File]\r\nID=Altro\r\n");
        dialoghi = std::make_unique<DialoghiFinti>();
        bus = std::make_unique<FintoBus>();
        s = std::make_unique<Stagione>();
        cartelleDialogo.clear();
        pause.clear();
        s->Cmd_Dialog = [this](const QString& c) {
            cartelleDialogo << c;
            return scelta;
        };
        s->Pausa = [this](int ms) { pause << ms; };
    }
    void cleanup()
    {
        Acquisizione::GanciAttivi().ImpostaPuntatore = {};
        s.reset();
        bus.reset();
        dialoghi.reset();
        cartella.reset();
    }

    void carica_data()
    {
        QTest::addColumn<int>("pulsante");
        QTest::addColumn<QString>("ini");
        QTest::addColumn<QString>("sceltaDialogo");
        QTest::addColumn<QString>("messaggio");  // empty: no box
        QTest::addColumn<int>("righe");
        QTest::addColumn<bool>("invio");
        const QString estateVuota = QStringLiteral("Nessun file relativo al cambio stagione Inverno -> Estate è stato impostato.");
        QTest::newRow("summer not set") << 0 << "" << "" << estateVuota << 0 << false;
        QTest::newRow("summer file missing") << 0 << "Estate=manca.prg" << "" << estateVuota << 0 << false;
        QTest::newRow("winter not set") << 1 << "Estate=estate.prg"
                                        << "" << "Nessun file relativo al cambio stagione Estate -> Inverno è stato impostato." << 0
                                        << false;
        QTest::newRow("winter name with blanks") << 1 << "Inverno=  estate.prg  " << "" << Ok.arg("estate.prg") << 4 << true;
        QTest::newRow("dialog cancelled") << 2 << "" << "" << "" << 0 << false;
        QTest::newRow("other folder, same name in Ricetta") << 2 << "" << "C:\\Altrove\\ESTATE.PRG" << Ok.arg("ESTATE.PRG") << 4
                                                            << true;
        QTest::newRow("other folder, name not in Ricetta") << 2 << "" << "/altrove/altra.prg" << "" << 0 << false;
        QTest::newRow("not a recipe") << 2 << "" << "/x/nonvalida.prg"
                                      << "Il file nonvalida.prg non è un file valido per il cambio stagione." << 0 << false;
        QTest::newRow("refused half-way keeps the rows") << 2 << "" << "rotta.prg"
                                                         << "Il file rotta.prg è errato o mancante.\rZona 02, linea 1" << 1
                                                         << false;
    }
    void carica()
    {
        QFETCH(int, pulsante);
        QFETCH(QString, ini);
        QFETCH(QString, sceltaDialogo);
        QFETCH(QString, messaggio);
        QFETCH(int, righe);
        QFETCH(bool, invio);
        cartella->scrivi(FileImpostazioni, ("[Stagione]\r\n" + ini + "\r\n").toLatin1());
        scelta = sceltaDialogo;
        s->Cmd_Stagione_Click(pulsante);
        QCOMPARE(dialoghi->mostrati.size(), messaggio.isEmpty() ? 0 : 1);
        if (!messaggio.isEmpty()) {
            QCOMPARE(dialoghi->mostrati[0].testo, messaggio);
            QCOMPARE(dialoghi->mostrati[0].titolo, QStringLiteral("Configurazione strumenti"));
            QCOMPARE(dialoghi->mostrati[0].icona, invio ? IconaDialogo::Informazione : IconaDialogo::Esclamazione);
        }
        for (QListWidget* l : {s->Lst_Dev, s->Lst_Sadd, s->Lst_FC, s->Lst_MB, s->Lst_MBVal, s->Lst_NomePar, s->Lst_nDev})
            QCOMPARE(l->count(), righe);
        QCOMPARE(s->Cmd_Invio_Stagione->isEnabled(), invio);
        QCOMPARE(cartelleDialogo, pulsante == 2 ? QStringList{cartella->percorso(QStringLiteral("Ricetta"))} : QStringList{});
        if (righe == 4) {
            QCOMPARE(colonna(s->Lst_Dev), (QStringList{"Zona 01", "Zona 01", "Zona 01", "Zona 02"}));
            QCOMPARE(colonna(s->Lst_Sadd), (QStringList{"1", "1", "1", "2"}));
            QCOMPARE(colonna(s->Lst_MB), (QStringList{"100", "7", "SLEEP", "200"}));
            QCOMPARE(colonna(s->Lst_nDev), (QStringList{"1", "1", "1", "2"}));
            QCOMPARE(s->IntervalloRicetta[0], 150);
        }
    }

    void rigaAllineata()
    {
        scelta = QStringLiteral("estate.prg");
        s->Cmd_Stagione_Click(2);
        s->Lst_MBVal->setCurrentRow(3);
        for (QListWidget* l : {s->Lst_Dev, s->Lst_Sadd, s->Lst_FC, s->Lst_MB, s->Lst_MBVal, s->Lst_NomePar})
            QCOMPARE(l->currentRow(), 3);
        s->Cmd_Cancella_Click();
        QCOMPARE(s->Lst_nDev->count(), 0);
        QVERIFY(!s->Cmd_Invio_Stagione->isEnabled());
        QCOMPARE(s->minimumSize(), QSize(851, 481));  // 12765 x 7215 twips
    }

    // A name too long for its column shows whole in its tooltip; a short one keeps the column's.
    void nomeLungo()
    {
        const QString lungo = QStringLiteral("Controllare che la valvola della zona Ingresso sia aperta prima di continuare");
        cartella->scrivi(QStringLiteral("Ricetta/lunga.prg"),
                         ("[File]\r\nID=Quelvar\r\n[Zona 01]\r\nLinee=2\r\n1=0,MSGBOX,5;" + lungo + "\r\n2=6,1,1;SP\r\n").toLatin1());
        scelta = QStringLiteral("lunga.prg");
        s->Cmd_Stagione_Click(2);
        s->show();
        QVERIFY(QTest::qWaitForWindowExposed(s.get()));
        QStringList suggerimenti;
        for (int riga : {0, 1}) {
            const QRect r = s->Lst_NomePar->visualItemRect(s->Lst_NomePar->item(riga));
            QHelpEvent evento(QEvent::ToolTip, r.center(), s->Lst_NomePar->viewport()->mapToGlobal(r.center()));
            QApplication::sendEvent(s->Lst_NomePar->viewport(), &evento);
            suggerimenti << (QToolTip::isVisible() ? QToolTip::text() : QString());
            QToolTip::hideText();
        }
        QCOMPARE(suggerimenti, (QStringList{lungo, QStringLiteral("Nome del parametro")}));
    }

    void invio()
    {
        QMdiArea area;
        QMdiSubWindow* cornice = ospitaCon(area, QStringLiteral("estate.prg"));
        auto* finestra = qobject_cast<Stagione*>(cornice->widget());
        dialoghi->mostrati.clear();

        QStringList durante;
        int eseguitoDopo = -1;
        QList<Acquisizione::Puntatore> puntatori;
        Acquisizione::GanciAttivi().ImpostaPuntatore = [&](Acquisizione::Puntatore p) { puntatori << p; };
        bus->durante = [&] {
            durante << QStringLiteral("%1 %2 %3 %4").arg(finestra->Lab_Avanzamento->text())
                           .arg(finestra->Pic_Avanzamento->isVisible())
                           .arg(area.isEnabled())
                           .arg(finestra->ProgBar->value());
            if (bus->traffico.size() == 1) {
                cornice->close();
                Acquisizione::EseguiQuandoLibero([&]() -> QCoro::Task<> {
                    eseguitoDopo = int(bus->traffico.size());
                    co_return;
                });
            }
        };
        dialoghi->risposte.clear();
        for (auto r : {RispostaDialogo::No})
            dialoghi->risposte.enqueue(r);
        finestra->Cmd_Invio_Stagione_Click();
        QVERIFY(bus->traffico.isEmpty());
        QCOMPARE(attuale(), QStringLiteral("assente"));
        dialoghi->mostrati.clear();

        dialoghi->risposte.clear();
        for (auto r : {RispostaDialogo::Si, RispostaDialogo::OK, RispostaDialogo::Si})
            dialoghi->risposte.enqueue(r);
        finestra->Cmd_Invio_Stagione_Click();
        QCOMPARE(bus->traffico, (QStringList{"S6,100=215@1", "S5,7=65280@1", "S6,200=-3@2"}));
        QCOMPARE(durante, (QStringList{"20% 1 0 1", "40% 1 0 2", "80% 1 0 4"}));
        QCOMPARE(pause, (QList<int>{150, 150, 50, 200, 200}));
        QTRY_COMPARE(eseguitoDopo, 3);  // waited for its turn until the sending ended
        QVERIFY(cornice->isVisible());
        QCOMPARE(attuale(), QStringLiteral("1"));
        QCOMPARE(dialoghi->mostrati[1].testo, QStringLiteral("Il cambio delle impostazioni è stato completato correttamente."));
        QVERIFY(!finestra->Pic_Avanzamento->isVisible());
        QVERIFY(area.isEnabled() && finestra->isEnabled());
        QCOMPARE(finestra->Lab_Avanzamento->text(), QStringLiteral("100%"));

        finestra->Cmd_Invio_Stagione_Click();
        QCOMPARE(attuale(), QStringLiteral("0"));

        // A failing echo: the rows before it stay written, the mark stays, the idle state is back.
        bus->traffico.clear();
        bus->durante = {};
        bus->eco = [&](int, int, long v, int) { return bus->traffico.size() == 2 ? long(ValoreAssente) : v; };
        dialoghi->risposte.clear();
        for (auto r : {RispostaDialogo::Si})
            dialoghi->risposte.enqueue(r);
        dialoghi->mostrati.clear();
        finestra->Cmd_Invio_Stagione_Click();
        QCOMPARE(bus->traffico.size(), 2);
        QCOMPARE(attuale(), QStringLiteral("0"));
        QCOMPARE(dialoghi->mostrati.last().testo, Fallito);
        QCOMPARE(dialoghi->mostrati.last().icona, IconaDialogo::Esclamazione);
        QVERIFY(!finestra->Pic_Avanzamento->isVisible());
        QVERIFY(area.isEnabled() && finestra->isEnabled() && !finestra->InvioInCorso());
        QCOMPARE(puntatori.first(), Acquisizione::Puntatore::Clessidra);
        QCOMPARE(puntatori.last(), Acquisizione::Puntatore::Predefinito);
        cornice->close();
        QVERIFY(!finestra->isVisible() || !cornice->isVisible());
    }

    // A close asked for while the recipe is being sent, by the window itself or by its frame, at
    // a write, at a pause or while a MSGBOX row waits for the operator: the window stays, the
    // sending goes on to its end; once idle, the same close hides it.
    void chiusuraDuranteInvio_data()
    {
        QTest::addColumn<bool>("cornice");  // the frame's close box; otherwise the window's own close
        QTest::addColumn<QString>("quando");
        for (bool cornice : {false, true})
            for (const char* quando : {"write", "pause", "message"})
                QTest::newRow(qPrintable(QStringLiteral("%1, at a %2").arg(cornice ? "frame" : "window", quando)))
                    << cornice << QString::fromLatin1(quando);
    }
    void chiusuraDuranteInvio()
    {
        QFETCH(bool, cornice);
        QFETCH(QString, quando);
        cartella->scrivi(QStringLiteral("Ricetta/messaggio.prg"),
                         "[File]\r\nID=Quelvar\r\n[Zona 01]\r\nIntervallo=150\r\nLinee=3\r\n1=6,100,215;SP\r\n"
                         "2=0,MSGBOX,5;Pronto\r\n3=0,SLEEP,50;attesa\r\n[Zona 02]\r\nLinee=1\r\n1=6,200,-3;x\r\n");
        QMdiArea area;
        QMdiSubWindow* telaio = ospitaCon(area, QStringLiteral("messaggio.prg"));
        auto* finestra = qobject_cast<Stagione*>(telaio->widget());
        QCOMPARE(finestra->Lst_Dev->count(), 4);
        dialoghi->mostrati.clear();

        QList<bool> visibile;  // right after each close asked for
        auto chiudi = [&] {
            if (cornice)
                telaio->close();
            else
                finestra->close();
            visibile << (finestra->isVisible() && telaio->isVisible());
        };
        bus->durante = [&] {
            if (quando == QLatin1String("write") && bus->traffico.size() == 1)
                chiudi();
        };
        finestra->Pausa = [&](int ms) {
            pause << ms;
            if (quando == QLatin1String("pause") && pause.size() == 1)
                chiudi();
        };
        dialoghi->allApertura = [&](const DialoghiFinti::Box& box) {
            if (quando == QLatin1String("message") && box.testo == QLatin1String("Pronto"))
                chiudi();
        };
        for (auto r : {RispostaDialogo::Si, RispostaDialogo::OK, RispostaDialogo::OK})
            dialoghi->risposte.enqueue(r);
        finestra->Cmd_Invio_Stagione_Click();
        dialoghi->allApertura = {};

        QCOMPARE(visibile, QList<bool>{true});
        QCOMPARE(bus->traffico, (QStringList{"S6,100=215@1", "S6,200=-3@2"}));
        QCOMPARE(dialoghi->mostrati.last().testo, QStringLiteral("Il cambio delle impostazioni è stato completato correttamente."));
        QVERIFY(finestra->isVisible() && telaio->isVisible() && !finestra->InvioInCorso());
        chiudi();
        QCOMPARE(visibile.last(), false);
    }

    // A MSGBOX row asking OK or Annulla, answered through the window: OK goes on to the next row
    // with no zone pause after the box; Annulla ends the sending there, nothing after it is
    // written, the failure is reported and the season mark stays.
    void rispostaAlMessaggio_data()
    {
        QTest::addColumn<bool>("annulla");
        QTest::addColumn<QStringList>("scritti");
        QTest::addColumn<QList<int>>("attese");
        QTest::addColumn<QString>("esito");
        QTest::addColumn<QString>("marca");
        QTest::newRow("OK") << false << QStringList{"S6,100=215@1", "S6,200=-3@2"} << QList<int>{150, 200, 200}
                            << QStringLiteral("Il cambio delle impostazioni è stato completato correttamente.") << "0";
        QTest::newRow("Annulla") << true << QStringList{"S6,100=215@1"} << QList<int>{150} << Fallito << "1";
    }
    void rispostaAlMessaggio()
    {
        QFETCH(bool, annulla);
        QFETCH(QStringList, scritti);
        QFETCH(QList<int>, attese);
        QFETCH(QString, esito);
        QFETCH(QString, marca);
        cartella->scrivi(FileImpostazioni, "[Stagione]\r\nAttuale=1\r\n");
        cartella->scrivi(QStringLiteral("Ricetta/domanda.prg"),
                         "[File]\r\nID=Quelvar\r\n[Zona 01]\r\nIntervallo=150\r\nLinee=2\r\n1=6,100,215;SP\r\n"
                         "2=0,MSGBOX,4;Valvola aperta ?\r\n[Zona 02]\r\nLinee=1\r\n1=6,200,-3;x\r\n");
        QMdiArea area;
        QMdiSubWindow* cornice = area.addSubWindow(s.release());
        auto* finestra = qobject_cast<Stagione*>(cornice->widget());
        area.show();
        cornice->show();
        scelta = QStringLiteral("domanda.prg");
        QTest::mouseClick(finestra->Cmd_Stagione[2], Qt::LeftButton);
        QCOMPARE(finestra->Lst_Dev->count(), 3);
        dialoghi->mostrati.clear();
        for (auto r : {RispostaDialogo::Si, annulla ? RispostaDialogo::Annulla : RispostaDialogo::OK})
            dialoghi->risposte.enqueue(r);
        QTest::mouseClick(finestra->Cmd_Invio_Stagione, Qt::LeftButton);
        QTRY_VERIFY(!finestra->InvioInCorso());

        QCOMPARE(bus->traffico, scritti);
        QCOMPARE(pause, attese);
        QCOMPARE(dialoghi->mostrati.size(), 3);
        QCOMPARE(dialoghi->mostrati[1].testo, QStringLiteral("Valvola aperta ?"));
        QCOMPARE(dialoghi->mostrati[1].pulsanti, Piattaforma::PulsantiDialogo::OKAnnulla);
        QCOMPARE(dialoghi->mostrati[2].testo, esito);
        QCOMPARE(attuale(), marca);
    }

    // The operator confirmed while the bus was busy: from the "Yes" on the sending is under way,
    // whatever the operator tries before its turn comes. Once it comes, the rows confirmed are
    // sent once, with their zones' pauses, and the mark flips once.
    void confermaColBusOccupato_data()
    {
        QTest::addColumn<QString>("azione");
        QTest::newRow("clear") << "Cancella";
        QTest::newRow("send and confirm again") << "Invia";
        QTest::newRow("window closed") << "chiudi finestra";
        QTest::newRow("frame closed") << "chiudi cornice";
        QTest::newRow("summer recipe loaded") << "Estate";
        QTest::newRow("recipe refused half-way loaded") << "rotta";
    }
    void confermaColBusOccupato()
    {
        QFETCH(QString, azione);
        cartella->scrivi(FileImpostazioni, "[Stagione]\r\nEstate=altra.prg\r\n");
        cartella->scrivi(QStringLiteral("Ricetta/altra.prg"),
                         "[File]\r\nID=Quelvar\r\n[Zona 01]\r\nIntervallo=40\r\nLinee=1\r\n1=6,300,9;Altra\r\n");
        QMdiArea area;
        QMdiSubWindow* cornice = ospitaCon(area, QStringLiteral("estate.prg"));
        auto* finestra = qobject_cast<Stagione*>(cornice->widget());
        QList<Acquisizione::Puntatore> puntatori;
        Acquisizione::GanciAttivi().ImpostaPuntatore = [&](Acquisizione::Puntatore p) { puntatori << p; };
        dialoghi->mostrati.clear();
        for (auto r : {RispostaDialogo::Si, RispostaDialogo::Si, RispostaDialogo::OK, RispostaDialogo::OK})
            dialoghi->risposte.enqueue(r);
        // What the station shows while the sending waits, right after the "Yes" and after the
        // operator's try: a window taking input, the progress panel and its text, the hourglass,
        // the recipe window on screen.
        QStringList attesa;
        auto stato = [&] {
            attesa << QStringLiteral("%1 %2 %3 %4 %5")
                          .arg(finestra->isEnabled() || area.isEnabled())
                          .arg(finestra->Pic_Avanzamento->isVisible())
                          .arg(finestra->Lab_Avanzamento->text())
                          .arg(puntatori.value(puntatori.size() - 1) == Acquisizione::Puntatore::Clessidra)
                          .arg(finestra->isVisible() && cornice->isVisible());
        };
        {
            TurnoTenuto occupato;
            QVERIFY(occupato.tenuto());
            finestra->Cmd_Invio_Stagione_Click();
            stato();
            if (azione == QLatin1String("Cancella"))
                finestra->Cmd_Cancella_Click();
            else if (azione == QLatin1String("Invia"))
                finestra->Cmd_Invio_Stagione_Click();
            else if (azione == QLatin1String("chiudi finestra"))
                finestra->close();
            else if (azione == QLatin1String("chiudi cornice"))
                cornice->close();
            else if (azione == QLatin1String("Estate"))
                finestra->Cmd_Stagione_Click(0);
            else {
                scelta = QStringLiteral("rotta.prg");
                finestra->Cmd_Stagione_Click(2);
            }
            stato();
            attesa << bus->traffico;
        }
        QTRY_VERIFY(BusLibero() && !finestra->InvioInCorso());

        QCOMPARE(bus->traffico, (QStringList{"S6,100=215@1", "S5,7=65280@1", "S6,200=-3@2"}));
        QCOMPARE(pause, (QList<int>{150, 150, 50, 200, 200}));
        QCOMPARE(attuale(), QStringLiteral("1"));
        QStringList testi;
        for (const auto& box : dialoghi->mostrati)
            testi << box.testo;
        QCOMPARE(testi, (QStringList{QStringLiteral("Modificare le impostazioni sugli strumenti ?"),
                                     QStringLiteral("Il cambio delle impostazioni è stato completato correttamente.")}));
        QCOMPARE(attesa, (QStringList{"0 1 0% 1 1", "0 1 0% 1 1"}));
        QVERIFY(finestra->isVisible() && cornice->isVisible());
        QVERIFY(area.isEnabled() && finestra->isEnabled() && !finestra->Pic_Avanzamento->isVisible());
        QCOMPARE(puntatori.last(), Acquisizione::Puntatore::Predefinito);
    }

    // The instruments took the recipe but the settings file refused the season mark: the change
    // is not reported as completed.
    void marcaRifiutata()
    {
        cartella->scrivi(QStringLiteral("Quelvar1.ini"), "[Stagione]\r\nAttuale=0\r\n");
        QVERIFY(QFile::setPermissions(cartella->percorso(QStringLiteral("Quelvar1.ini")), QFile::ReadOwner));
        scelta = QStringLiteral("estate.prg");
        s->Cmd_Stagione_Click(2);
        dialoghi->mostrati.clear();
        dialoghi->risposte.clear();
        for (auto r : {RispostaDialogo::Si, RispostaDialogo::OK, RispostaDialogo::OK})
            dialoghi->risposte.enqueue(r);
        s->Cmd_Invio_Stagione_Click();
        QCOMPARE(bus->traffico.size(), 3);
        QCOMPARE(attuale(), QStringLiteral("0"));
        QCOMPARE(dialoghi->mostrati.last().testo, File_Ini::TestoScritturaRifiutata());
        QCOMPARE(dialoghi->mostrati.last().titolo, Stagione::Titolo);
        QCOMPARE(dialoghi->mostrati.last().icona, IconaDialogo::Esclamazione);
    }

    void rigaNonCaricataNonParte()
    {
        scelta = QStringLiteral("rotta.prg");
        s->Cmd_Stagione_Click(2);
        dialoghi->mostrati.clear();
        s->Cmd_Invio_Stagione_Click();
        QVERIFY(dialoghi->mostrati.isEmpty());
        QVERIFY(bus->traffico.isEmpty());
        // Showing the window again, with rights, does not offer those rows for sending.
        s->AbilitaComandi(true);
        QVERIFY(s->Cmd_Cancella->isEnabled() && !s->Cmd_Invio_Stagione->isEnabled());
        s->AbilitaComandi(false);
        QVERIFY(!s->Cmd_Stagione[2]->isEnabled() && !s->Cmd_Cancella->isEnabled());
    }
};

QTEST_MAIN(TestStagione)
#include "tst_stagione.moc"
