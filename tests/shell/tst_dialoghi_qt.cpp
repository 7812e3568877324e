#include "dialoghi_qt.h"

#include <QApplication>
#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QDialog>
#include <QFrame>
#include <QTimer>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

#include <algorithm>
#include <functional>

using Piattaforma::IconaDialogo;
using Piattaforma::PulsantiDialogo;
using Piattaforma::RispostaDialogo;

namespace {
// Runs `agisci` on the box once it is open (the box's own event loop delivers the call). A box
// that never opens fails the test; one that stays open is closed, so the test cannot hang.
void QuandoAperto(std::function<void(QWidget*)> agisci, int tentativi = 50)
{
    QTimer::singleShot(0, qApp, [agisci, tentativi] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box && tentativi > 0)
            return QuandoAperto(agisci, tentativi - 1);
        QVERIFY2(box, "nessun box aperto");
        agisci(box);
        if (auto* d = qobject_cast<QDialog*>(box); d && d->isVisible())
            d->reject();
    });
}

QStringList Etichette(QMessageBox* box)
{
    QStringList testi;
    for (QAbstractButton* b : box->buttons())
        testi << b->text();
    testi.sort();
    return testi;
}

QList<QMessageBox*> AvvisiAperti()
{
    QList<QMessageBox*> box;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible())
            box << b;
    return box;
}

QList<QWidget*> PopupAperti()
{
    QList<QWidget*> popup;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowType() == Qt::Popup && w->isVisible())
            popup << w;
    std::sort(popup.begin(), popup.end());
    return popup;
}

// Lets what is already queued on the event loop run, and no more.
void Sfoga()
{
    bool fatto = false;
    QTimer::singleShot(0, qApp, [&] { fatto = true; });
    QVERIFY(QTest::qWaitFor([&] { return fatto; }));
}

// A click as the window system delivers it: refused by a window that a modal box blocks. Queued,
// it waits like a real click for the event loop that takes the operator's input.
template <typename Consegna = QWindowSystemInterface::SynchronousDelivery>
void Clic(QWidget* w)
{
    QWindow* finestra = w->window()->windowHandle();
    const QPointF locale = w->mapTo(w->window(), w->rect().center());
    const QPointF globale = w->mapToGlobal(w->rect().center());
    for (const auto tipo : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QWindowSystemInterface::handleMouseEvent<Consegna>(
            finestra, locale, globale, tipo == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
            Qt::LeftButton, tipo);
}

// A key with its modifiers to `finestra` as the window system delivers it: pressed and released.
void Premi(QWidget* finestra, Qt::Key tasto, Qt::KeyboardModifiers modificatori, const QString& testo)
{
    for (const auto tipo : {QEvent::KeyPress, QEvent::KeyRelease})
        QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::SynchronousDelivery>(
            finestra->window()->windowHandle(), tipo, tasto, modificatori, testo);
}

// A key to `w`'s window as the window system delivers it (auto-repeat as a held key sends it).
void Tasto(QWidget* w, QEvent::Type tipo, Qt::Key tasto, bool ripetuto = false)
{
    const QString testo = tasto == Qt::Key_Space ? QStringLiteral(" ") : QStringLiteral("\r");
    QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::SynchronousDelivery>(
        w->window()->windowHandle(), tipo, tasto, Qt::NoModifier, testo, ripetuto);
}
}  // namespace

class TestDialoghiQt : public QObject {
    Q_OBJECT

private slots:
    void messaggio_data();
    void messaggio();
    void input_data();
    void input();
    void servizioInstallato();
    void avvisiUnoDopoLAltro();
    void avvisoNonPrendeInput_data();
    void avvisoNonPrendeInput();
    void avvisoNonChiudePopup_data();
    void avvisoNonChiudePopup();
    void tastieraTornaAllaFinestra_data();
    void tastieraTornaAllaFinestra();
};

void TestDialoghiQt::messaggio_data()
{
    QTest::addColumn<int>("pulsanti");
    QTest::addColumn<int>("icona");
    QTest::addColumn<QStringList>("etichette");
    QTest::addColumn<QString>("predefinito");
    QTest::addColumn<QString>("premuto");  // empty: Esc
    QTest::addColumn<int>("risposta");

    const QStringList siNo{QStringLiteral("No"), QStringLiteral("Sì")};
    const QStringList okAnnulla{QStringLiteral("Annulla"), QStringLiteral("OK")};
    QTest::newRow("Sì/No, Sì") << int(PulsantiDialogo::SiNo) << int(IconaDialogo::Informazione) << siNo << "Sì"
                               << "Sì" << int(RispostaDialogo::Si);
    QTest::newRow("Sì/No, No") << int(PulsantiDialogo::SiNo) << int(IconaDialogo::Domanda) << siNo << "Sì" << "No"
                               << int(RispostaDialogo::No);
    QTest::newRow("Sì/No, Esc") << int(PulsantiDialogo::SiNo) << int(IconaDialogo::Domanda) << siNo << "Sì" << ""
                                << int(RispostaDialogo::No);
    QTest::newRow("OK") << int(PulsantiDialogo::OK) << int(IconaDialogo::Esclamazione) << QStringList{"OK"} << "OK"
                        << "OK" << int(RispostaDialogo::OK);
    QTest::newRow("OK, Esc") << int(PulsantiDialogo::OK) << int(IconaDialogo::Esclamazione) << QStringList{"OK"}
                             << "OK" << "" << int(RispostaDialogo::OK);
    QTest::newRow("OK/Annulla, Esc") << int(PulsantiDialogo::OKAnnulla) << int(IconaDialogo::Nessuna) << okAnnulla
                                     << "OK" << "" << int(RispostaDialogo::Annulla);
}

void TestDialoghiQt::messaggio()
{
    QFETCH(int, pulsanti);
    QFETCH(int, icona);
    QFETCH(QStringList, etichette);
    QFETCH(QString, predefinito);
    QFETCH(QString, premuto);
    QFETCH(int, risposta);

    const QMessageBox::Icon iconeQt[] = {QMessageBox::NoIcon, QMessageBox::Warning, QMessageBox::Question,
                                         QMessageBox::Information};
    QuandoAperto([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QStringLiteral("Titolo"));
        QCOMPARE(box->text(), QStringLiteral("Testo del messaggio"));
        QCOMPARE(box->icon(), iconeQt[icona]);
        QVERIFY(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(Etichette(box), etichette);
        QVERIFY(box->defaultButton());
        QCOMPARE(box->defaultButton()->text(), predefinito);
        if (premuto.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        for (QAbstractButton* b : box->buttons())
            if (b->text() == premuto)
                b->click();
    });
    DialoghiQt qt;
    Piattaforma::Dialoghi& dialoghi = qt;
    const RispostaDialogo r = dialoghi.Messaggio(QStringLiteral("Testo del messaggio"), QStringLiteral("Titolo"),
                                                 PulsantiDialogo(pulsanti), IconaDialogo(icona));
    QCOMPARE(int(r), risposta);
}

void TestDialoghiQt::input_data()
{
    QTest::addColumn<bool>("conferma");
    QTest::addColumn<QString>("scritto");
    QTest::newRow("OK") << true << "21,5";
    QTest::newRow("Annulla") << false << "21,5";
}

void TestDialoghiQt::input()
{
    QFETCH(bool, conferma);
    QFETCH(QString, scritto);
    QuandoAperto([&](QWidget* w) {
        auto* box = qobject_cast<QInputDialog*>(w);
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QStringLiteral("Impostazione"));
        QCOMPARE(box->labelText(), QStringLiteral("Nuovo valore"));
        QCOMPARE(box->textValue(), QStringLiteral("20"));
        QCOMPARE(box->okButtonText(), QStringLiteral("OK"));
        QCOMPARE(box->cancelButtonText(), QStringLiteral("Annulla"));
        box->setTextValue(scritto);
        conferma ? box->accept() : box->reject();
    });
    DialoghiQt dialoghi;
    const auto valore = dialoghi.Input(QStringLiteral("Nuovo valore"), QStringLiteral("Impostazione"),
                                       QStringLiteral("20"));
    QCOMPARE(valore.has_value(), conferma);
    if (conferma)
        QCOMPARE(*valore, scritto);
}

void TestDialoghiQt::servizioInstallato()
{
    // Until the shell installs its service, boxes are answered with their default and not shown.
    QCOMPARE(Piattaforma::ServizioDialoghi().Messaggio(QStringLiteral("x"), QStringLiteral("y"),
                                                       PulsantiDialogo::SiNo, IconaDialogo::Domanda,
                                                       RispostaDialogo::No),
             RispostaDialogo::No);
    QVERIFY(!Piattaforma::ServizioDialoghi().Input(QStringLiteral("x"), QStringLiteral("y")).has_value());

    DialoghiQt qt;
    QCOMPARE(Piattaforma::ImpostaServizioDialoghi(&qt), nullptr);
    QCOMPARE(&Piattaforma::ServizioDialoghi(), &qt);
    QCOMPARE(Piattaforma::ImpostaServizioDialoghi(nullptr), &qt);
    QVERIFY(&Piattaforma::ServizioDialoghi() != &qt);
}

void TestDialoghiQt::avvisiUnoDopoLAltro()
{
    // A notice returns at once and stays up until its OK; the next one follows it, never both.
    DialoghiQt qt;
    qt.Avviso(QStringLiteral("primo"), QStringLiteral("Titolo"), IconaDialogo::Esclamazione);
    qt.Avviso(QStringLiteral("secondo"), QStringLiteral("Titolo"), IconaDialogo::Esclamazione);
    auto aperti = AvvisiAperti;
    for (const char* atteso : {"primo", "secondo"}) {
        QVERIFY(QTest::qWaitFor([&] { return aperti().size() == 1; }, 2000));
        QMessageBox* box = aperti().front();
        QCOMPARE(box->text(), QString::fromLatin1(atteso));
        QCOMPARE(box->icon(), QMessageBox::Warning);
        QCOMPARE(Etichette(box), QStringList{QStringLiteral("OK")});
        box->buttons().front()->click();
        QTest::qWait(20);
    }
    QVERIFY(QTest::qWaitFor([&] { return aperti().isEmpty(); }, 2000));
}

enum class Disturbo { ClicPrincipale, ClicTrattenuto, InvioTenuto, SpazioAllApparire };
enum class Chiusura { ClicOK, InvioDeliberato };

void TestDialoghiQt::avvisoNonPrendeInput_data()
{
    QTest::addColumn<Disturbo>("disturbo");
    QTest::addColumn<Chiusura>("chiusura");
    QTest::newRow("clic su Stop con l'avviso aperto") << Disturbo::ClicPrincipale << Chiusura::ClicOK;
    QTest::newRow("clic su Stop trattenuto dalla passata che apre l'avviso")
        << Disturbo::ClicTrattenuto << Chiusura::ClicOK;
    QTest::newRow("Invio tenuto mentre l'avviso appare") << Disturbo::InvioTenuto << Chiusura::ClicOK;
    QTest::newRow("Spazio premuto mentre l'avviso appare") << Disturbo::SpazioAllApparire
                                                          << Chiusura::InvioDeliberato;
}

void TestDialoghiQt::avvisoNonPrendeInput()
{
    // What the operator does elsewhere while a failed command's notice appears reaches its own
    // window and leaves the notice up until it is read and closed on purpose.
    QFETCH(Disturbo, disturbo);
    QFETCH(Chiusura, chiusura);

    QWidget principale;
    QPushButton stop(QStringLiteral("Stop"), &principale);
    stop.setGeometry(20, 20, 120, 40);
    int stopPremuto = 0;
    connect(&stop, &QPushButton::clicked, this, [&] { ++stopPremuto; });
    principale.resize(400, 300);
    principale.show();
    principale.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&principale));

    DialoghiQt qt;
    auto avvisa = [&] {
        qt.Avviso(QStringLiteral("Attenzione: Il valore non è stato inviato allo strumento."),
                  QStringLiteral("Impostazione Valori"), IconaDialogo::Esclamazione);
        QCOMPARE(AvvisiAperti().size(), 1);
    };
    switch (disturbo) {
    case Disturbo::ClicPrincipale:
        avvisa();
        Clic(&stop);
        break;
    case Disturbo::ClicTrattenuto: {
        // The operator clicks while a pass waits on the line; the pass's command fails and its
        // notice appears before the click is delivered.
        Clic<QWindowSystemInterface::AsynchronousDelivery>(&stop);
        avvisa();
        QCOMPARE(stopPremuto, 0);
        break;
    }
    case Disturbo::InvioTenuto: {
        // Held since before the notice: its repeats and its release reach the notice even where the
        // window manager hands it the keyboard.
        Tasto(&principale, QEvent::KeyPress, Qt::Key_Return);
        avvisa();
        QPointer<QWidget> avviso = AvvisiAperti().front();
        for (int tempo = 0; avviso && tempo <= DialoghiQt::TastiIgnoratiMs + 100; tempo += 50) {
            Tasto(avviso, QEvent::KeyRelease, Qt::Key_Return, true);
            Tasto(avviso, QEvent::KeyPress, Qt::Key_Return, true);
            QTest::qWait(50);
        }
        if (avviso)
            Tasto(avviso, QEvent::KeyRelease, Qt::Key_Return);
        break;
    }
    case Disturbo::SpazioAllApparire: {
        // Typed for the main window the moment the notice takes its place.
        avvisa();
        QWidget* avviso = AvvisiAperti().front();
        Tasto(avviso, QEvent::KeyPress, Qt::Key_Space);
        Tasto(avviso, QEvent::KeyRelease, Qt::Key_Space);
        break;
    }
    }
    QTest::qWait(50);
    if (disturbo == Disturbo::ClicPrincipale || disturbo == Disturbo::ClicTrattenuto)
        QCOMPARE(stopPremuto, 1);
    QCOMPARE(AvvisiAperti().size(), 1);
    QPointer<QMessageBox> avviso = AvvisiAperti().front();
    QCOMPARE(avviso->windowTitle(), QStringLiteral("Impostazione Valori"));
    QVERIFY(avviso->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    switch (chiusura) {
    case Chiusura::ClicOK:
        Clic(avviso->buttons().front());
        break;
    case Chiusura::InvioDeliberato:
        QTest::qWait(DialoghiQt::TastiIgnoratiMs + 100);  // read, then answered
        QVERIFY(avviso);
        Tasto(avviso, QEvent::KeyPress, Qt::Key_Return);
        Tasto(avviso, QEvent::KeyRelease, Qt::Key_Return);
        break;
    }
    QVERIFY(QTest::qWaitFor([] { return AvvisiAperti().isEmpty(); }, 2000));
}

enum class Popup { MenuDellaBarra, Sottomenu, ElencoCombo, MenuContestuale };

void TestDialoghiQt::avvisoNonChiudePopup_data()
{
    QTest::addColumn<Popup>("popup");
    QTest::newRow("menu Funzioni aperto con Alt+U") << Popup::MenuDellaBarra;
    QTest::newRow("sottomenu del menu Funzioni") << Popup::Sottomenu;
    QTest::newRow("elenco aperto di una casella a discesa") << Popup::ElencoCombo;
    QTest::newRow("menu contestuale") << Popup::MenuContestuale;
}

void TestDialoghiQt::avvisoNonChiudePopup()
{
    // A failed command's notice that comes while the operator has a menu or a list open leaves it
    // open, and shows once the operator has closed it.
    QFETCH(Popup, popup);

    QMainWindow principale;
    QMenu* funzioni = principale.menuBar()->addMenu(QStringLiteral("F&unzioni"));
    QMenu* strumenti = funzioni->addMenu(QStringLiteral("Strumenti"));
    strumenti->addAction(QStringLiteral("Azzera"));
    funzioni->addAction(QStringLiteral("Ricette"));
    auto* casella = new QComboBox;
    casella->addItems({QStringLiteral("Linea 1"), QStringLiteral("Linea 2")});
    principale.setCentralWidget(casella);
    QMenu contestuale;
    contestuale.addAction(QStringLiteral("Dettagli"));
    principale.resize(400, 300);
    principale.show();
    principale.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&principale));

    switch (popup) {
    case Popup::MenuDellaBarra:
    case Popup::Sottomenu:
        QTest::keyClick(&principale, Qt::Key_U, Qt::AltModifier);
        QTRY_VERIFY(funzioni->isVisible());
        if (popup == Popup::Sottomenu) {
            QTest::keyClick(funzioni, Qt::Key_Right);
            QTRY_VERIFY(strumenti->isVisible());
        }
        break;
    case Popup::ElencoCombo:
        casella->showPopup();
        break;
    case Popup::MenuContestuale:
        contestuale.popup(principale.mapToGlobal(QPoint(100, 100)));
        break;
    }
    QList<QWidget*> aperti = PopupAperti();
    QVERIFY(!aperti.isEmpty());

    DialoghiQt qt;
    qt.Avviso(QStringLiteral("Attenzione: Il valore non è stato inviato allo strumento."),
              QStringLiteral("Gestione Interruttore"), IconaDialogo::Esclamazione);
    Sfoga();
    QCOMPARE(PopupAperti(), aperti);

    // Esc closes the innermost popup only; the others stay open until the operator closes them.
    while (!aperti.isEmpty()) {
        QWidget* attivo = QApplication::activePopupWidget();
        QTest::keyClick(attivo, Qt::Key_Escape);
        aperti.removeOne(attivo);
        Sfoga();
        QCOMPARE(PopupAperti(), aperti);
    }
    QTRY_COMPARE(AvvisiAperti().size(), 1);
    QPointer<QMessageBox> avviso = AvvisiAperti().front();
    QCOMPARE(avviso->windowTitle(), QStringLiteral("Gestione Interruttore"));
    Clic(avviso->buttons().front());
    QTRY_VERIFY(AvvisiAperti().isEmpty());
}

enum class Percorso {
    PrimoBox,
    Invio,
    ClicOK,
    InputConEsc,
    DopoIlLavoro,
    SubitoDopoLaDomanda,
    DopoUnDialogo,
    AvvisoCliccato
};

void TestDialoghiQt::tastieraTornaAllaFinestra_data()
{
    QTest::addColumn<Percorso>("percorso");
    QTest::newRow("first box, no window active yet (no window manager)") << Percorso::PrimoBox;
    QTest::newRow("box closed with Return") << Percorso::Invio;
    QTest::newRow("box closed by clicking its OK") << Percorso::ClicOK;
    QTest::newRow("input box cancelled with Esc") << Percorso::InputConEsc;
    QTest::newRow("question, window disabled for its work and enabled, then the failure box")
        << Percorso::DopoIlLavoro;
    QTest::newRow("failure box as the question closes (a sending that fails at once)")
        << Percorso::SubitoDopoLaDomanda;
    QTest::newRow("box asked for as a file dialog closes") << Percorso::DopoUnDialogo;
    QTest::newRow("notice closed by clicking its OK") << Percorso::AvvisoCliccato;
}

void TestDialoghiQt::tastieraTornaAllaFinestra()
{
    // Once a box is closed, the keyboard is back with the window the operator was working in: its
    // menus open with Alt and their letter, whether or not a window manager hands it back.
    QFETCH(Percorso, percorso);

    QMainWindow principale;
    QMenu* funzioni = principale.menuBar()->addMenu(QStringLiteral("F&unzioni"));
    funzioni->addAction(QStringLiteral("Stagione"));
    auto* pannello = new QFrame;
    pannello->setFocusPolicy(Qt::StrongFocus);
    principale.setCentralWidget(pannello);
    principale.resize(400, 300);
    principale.show();
    principale.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&principale));
    pannello->setFocus();
    if (percorso == Percorso::PrimoBox) {
        // Without a window manager no window is active until the operator clicks one.
        QWindowSystemInterface::handleWindowActivated<QWindowSystemInterface::SynchronousDelivery>(nullptr);
        QVERIFY(!QApplication::activeWindow());
    }
    DialoghiQt servizio;
    Piattaforma::Dialoghi& qt = servizio;
    auto conInvio = [](QWidget* box) { Premi(box, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")); };
    const QString testo = QStringLiteral("Attenzione: Un errore occorso durante l'invio della procedura.");
    const QString titolo = QStringLiteral("Configurazione strumenti");
    switch (percorso) {
    case Percorso::PrimoBox:
    case Percorso::Invio:
        QuandoAperto(conInvio);
        qt.Messaggio(testo, titolo, PulsantiDialogo::OK, IconaDialogo::Esclamazione);
        break;
    case Percorso::ClicOK:
        QuandoAperto([](QWidget* box) { Clic(qobject_cast<QMessageBox*>(box)->buttons().front()); });
        qt.Messaggio(testo, titolo, PulsantiDialogo::OK, IconaDialogo::Esclamazione);
        break;
    case Percorso::InputConEsc:
        QuandoAperto([](QWidget* box) { Premi(box, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b")); });
        QVERIFY(!qt.Input(QStringLiteral("Nuovo valore"), QStringLiteral("Impostazione")).has_value());
        break;
    case Percorso::DopoIlLavoro:
    case Percorso::SubitoDopoLaDomanda:
        // The recipe sending: "Yes", the windows take no input while it runs, then its failure box.
        QuandoAperto(conInvio);
        QCOMPARE(qt.Messaggio(QStringLiteral("Modificare le impostazioni sugli strumenti ?"), titolo,
                              PulsantiDialogo::SiNo, IconaDialogo::Domanda),
                 RispostaDialogo::Si);
        principale.setEnabled(false);
        if (percorso == Percorso::DopoIlLavoro)
            QTest::qWait(50);
        principale.setEnabled(true);
        QuandoAperto(conInvio);
        qt.Messaggio(testo, titolo, PulsantiDialogo::OK, IconaDialogo::Esclamazione);
        break;
    case Percorso::DopoUnDialogo: {
        // The recipe chosen in the file dialog; its load's box follows as the dialog closes.
        QDialog dialogo(&principale);
        QuandoAperto([](QWidget* d) { Premi(d, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b")); });
        dialogo.exec();
        QuandoAperto(conInvio);
        qt.Messaggio(QStringLiteral("Il file estate.prg è stato caricato correttamente."), titolo,
                     PulsantiDialogo::OK, IconaDialogo::Informazione);
        break;
    }
    case Percorso::AvvisoCliccato: {
        qt.Avviso(testo, QStringLiteral("Impostazione Valori"), IconaDialogo::Esclamazione);
        QCOMPARE(AvvisiAperti().size(), 1);
        QMessageBox* avviso = AvvisiAperti().front();
        // A click on a window activates it (without a window manager the window system does so).
        avviso->activateWindow();
        QTRY_VERIFY(avviso->isActiveWindow());
        Clic(avviso->buttons().front());
        QTRY_VERIFY(AvvisiAperti().isEmpty());
        break;
    }
    }
    QVERIFY(!QApplication::activeModalWidget());
    QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), &principale, 1000);
    // Typed over the main window, where the keys go whichever window has the keyboard.
    Premi(&principale, Qt::Key_U, Qt::AltModifier, QStringLiteral("u"));
    QTRY_VERIFY(funzioni->isVisible());
    funzioni->hide();
}

QTEST_MAIN(TestDialoghiQt)
#include "tst_dialoghi_qt.moc"
