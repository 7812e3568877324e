// The boxes of the device pages, offscreen with real key events: what each kind of box lets
// through typed and pasted, and the reformat of a value box on Enter and on leaving it.
#include "casellavalore.h"
#include "dialoghifinti.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(CasellaValore::Ruolo)

namespace {

std::unique_ptr<CasellaValore> casella(CasellaValore::Ruolo ruolo, QWidget* genitore)
{
    using R = CasellaValore::Ruolo;
    switch (ruolo) {
    case R::CodiceLettura:
        return std::make_unique<CasellaValore>(CasellaValore::Tipo::Registro, Casella::SuggerimentoLettura, genitore);
    case R::CodiceScrittura:
        return std::make_unique<CasellaValore>(CasellaValore::Tipo::Registro, Casella::SuggerimentoScrittura, genitore);
    case R::Indirizzo:
        return std::make_unique<CasellaValore>(CasellaValore::Tipo::Registro, Casella::SuggerimentoRegistro, genitore);
    case R::Valore:
        break;
    }
    return std::make_unique<CasellaValore>(CasellaValore::Tipo::Valore, Casella::SuggerimentoValoreOn, genitore);
}

}  // namespace

class TestCasellaValore : public QObject {
    Q_OBJECT
private slots:
    void digitaEIncolla_data();
    void digitaEIncolla();
    void invioSelezionaIlSuccessivo();
    void rifiutoDetto_data();
    void rifiutoDetto();
};

void TestCasellaValore::digitaEIncolla_data()
{
    using R = CasellaValore::Ruolo;
    QTest::addColumn<R>("ruolo");
    QTest::addColumn<int>("decimali");
    QTest::addColumn<QString>("iniziale");
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QString>("incollato");
    QTest::addColumn<QString>("fine");  // "invio", "uscita" or ""
    QTest::addColumn<QString>("atteso");

    // Typed keys.
    QTest::newRow("valore: la virgola entra come punto") << R::Valore << 1 << "" << "12,5" << "" << "" << "12.5";
    QTest::newRow("valore: un solo separatore") << R::Valore << 1 << "" << "1.2,3." << "" << "" << "1.23";
    QTest::newRow("valore: la virgola del riformato conta") << R::Valore << 1 << "12,5" << "." << "" << "" << "12,5";
    QTest::newRow("valore: il meno solo a casella vuota") << R::Valore << 0 << "" << "-5-" << "" << "" << "-5";
    QTest::newRow("valore: il meno su un testo scartato") << R::Valore << 0 << "5" << "-" << "" << "" << "5";
    QTest::newRow("valore: lettere e blank scartati") << R::Valore << 0 << "" << "a1 b+2" << "" << "" << "12";
    QTest::newRow("registro: separatori e segno scartati") << R::Indirizzo << 0 << "" << "1,2.3-4" << "" << "" << "1234";
    QTest::newRow("registro: oltre il massimo") << R::Indirizzo << 0 << "" << "32768" << "" << "" << "3276";
    QTest::newRow("registro: il massimo") << R::Indirizzo << 0 << "" << "32767" << "" << "" << "32767";
    QTest::newRow("codice lettura: solo 1..4") << R::CodiceLettura << 0 << "" << "07532" << "" << "" << "3";
    QTest::newRow("codice scrittura: solo 5 o 6") << R::CodiceScrittura << 0 << "" << "1456" << "" << "" << "5";

    // Pasted text.
    QTest::newRow("incolla valore negativo") << R::Valore << 1 << "" << "" << "-12,5" << "" << "-12,5";
    QTest::newRow("incolla due separatori") << R::Valore << 1 << "" << "" << "1.2,3" << "" << "";
    QTest::newRow("incolla meno non in testa") << R::Valore << 1 << "" << "" << "5-" << "" << "";
    QTest::newRow("incolla lettere in un registro") << R::Indirizzo << 0 << "" << "" << "12a" << "" << "";
    QTest::newRow("incolla registro troppo grande") << R::Indirizzo << 0 << "" << "" << "70000" << "" << "";
    QTest::newRow("incolla separatore in un registro") << R::Indirizzo << 0 << "" << "" << "1,5" << "" << "";
    QTest::newRow("incolla codice di scrittura in lettura") << R::CodiceLettura << 0 << "" << "" << "5" << "" << "";
    QTest::newRow("incolla codice di lettura") << R::CodiceLettura << 0 << "" << "" << "4" << "" << "4";
    QTest::newRow("incolla due cifre in un codice") << R::CodiceScrittura << 0 << "" << "" << "56" << "" << "";

    // Reformat on Enter and on leaving the box.
    QTest::newRow("vuota, 0 decimali") << R::Valore << 0 << "" << "" << "" << "invio" << "0";
    QTest::newRow("vuota, 1 decimale") << R::Valore << 1 << "" << "" << "" << "invio" << "0,0";
    QTest::newRow("vuota, 2 decimali") << R::Valore << 2 << "" << "" << "" << "uscita" << "0,00";
    QTest::newRow("vuota, 3 decimali") << R::Valore << 3 << "" << "" << "" << "uscita" << "0,000";
    QTest::newRow("punto: decimali in più troncati") << R::Valore << 2 << "" << "12.345" << "" << "invio" << "12,34";
    QTest::newRow("virgola: decimali in più troncati") << R::Valore << 2 << "12,345" << "" << "" << "uscita" << "12,34";
    QTest::newRow("meno e virgola") << R::Valore << 1 << "" << "-,5" << "" << "invio" << "-0,5";
    QTest::newRow("meno zero punto") << R::Valore << 1 << "" << "-0.5" << "" << "uscita" << "-0,5";
    QTest::newRow("un meno solo") << R::Valore << 1 << "" << "-" << "" << "invio" << "0,0";
    QTest::newRow("cifre mancanti aggiunte") << R::Valore << 3 << "" << "7.5" << "" << "invio" << "7,500";
    QTest::newRow("un registro non si riformatta") << R::Indirizzo << 2 << "" << "12" << "" << "invio" << "12";
}

void TestCasellaValore::digitaEIncolla()
{
    QFETCH(CasellaValore::Ruolo, ruolo);
    QFETCH(int, decimali);
    QFETCH(QString, iniziale);
    QFETCH(QString, digitato);
    QFETCH(QString, incollato);
    QFETCH(QString, fine);
    QFETCH(QString, atteso);

    QWidget finestra;
    auto box = casella(ruolo, &finestra);
    QCOMPARE(box->ruolo(), ruolo);
    box->decimali = [decimali] { return decimali; };
    box->setText(iniziale);
    finestra.show();
    box->setFocus();
    QTest::keyClicks(box.get(), digitato);
    if (!incollato.isEmpty()) {
        QGuiApplication::clipboard()->setText(incollato);
        QTest::keyClick(box.get(), Qt::Key_V, Qt::ControlModifier);
    }
    if (fine == QLatin1String("invio"))
        QTest::keyClick(box.get(), Qt::Key_Return);
    if (fine == QLatin1String("uscita")) {
        QFocusEvent uscita(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(box.get(), &uscita);
    }
    QCOMPARE(box->text(), atteso);
}

void TestCasellaValore::invioSelezionaIlSuccessivo()
{
    QWidget finestra;
    CasellaValore primo(CasellaValore::Tipo::Valore, Casella::SuggerimentoValoreOn, &finestra);
    CasellaValore secondo(CasellaValore::Tipo::Valore, Casella::SuggerimentoValoreOff, &finestra);
    primo.decimali = [] { return 1; };
    primo.successivo = [&] { return &secondo; };
    secondo.setText(QStringLiteral("25,5"));
    finestra.show();
    QApplication::setActiveWindow(&finestra);
    QVERIFY(QTest::qWaitForWindowActive(&finestra));
    primo.setFocus();
    QTest::keyClicks(&primo, QStringLiteral("3"));
    QTest::keyClick(&primo, Qt::Key_Enter);
    QCOMPARE(primo.text(), QStringLiteral("3,0"));
    QCOMPARE(QApplication::focusWidget(), &secondo);
    QCOMPARE(secondo.selectedText(), QStringLiteral("25,5"));
    // The text is selected, but not empty: a minus is still refused; a digit replaces it.
    QTest::keyClick(&secondo, '-');
    QCOMPARE(secondo.text(), QStringLiteral("25,5"));
    QTest::keyClick(&secondo, '7');
    QCOMPARE(secondo.text(), QStringLiteral("7"));
}

void TestCasellaValore::rifiutoDetto_data()
{
    using R = CasellaValore::Ruolo;
    QTest::addColumn<R>("ruolo");
    QTest::addColumn<QString>("iniziale");  // set by code, as a page fills the box
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QString>("incollato");
    QTest::addColumn<int>("messaggi");
    QTest::addColumn<QString>("parole");
    QTest::newRow("registro: la cifra di troppo") << R::Indirizzo << "4000" << "1" << "" << 1 << "tra 0 e 32767";
    QTest::newRow("registro: una lettera") << R::Indirizzo << "" << "1a" << "" << 1 << "tra 0 e 32767";
    QTest::newRow("codice di lettura: 7") << R::CodiceLettura << "" << "7" << "" << 1 << "1, 2, 3 o 4";
    QTest::newRow("codice di scrittura: una seconda cifra") << R::CodiceScrittura << "5" << "6" << "" << 1 << "5 o 6";
    QTest::newRow("valore: il meno dopo le cifre") << R::Valore << "" << "5-" << "" << 1 << "segno meno";
    QTest::newRow("valore: due tasti scartati") << R::Valore << "" << "1,2,3x" << "" << 2 << "separatore";
    QTest::newRow("incolla un registro troppo grande") << R::Indirizzo << "" << "" << "70000" << 1 << "tra 0 e 32767";
    QTest::newRow("incolla lettere in un valore") << R::Valore << "" << "" << "1a" << 1 << "separatore";
    // What the box takes, and what a page puts in it, are not refusals.
    QTest::newRow("registro: cifre") << R::Indirizzo << "" << "32767" << "" << 0 << "";
    QTest::newRow("valore: negativo con decimali") << R::Valore << "" << "-1,5" << "" << 0 << "";
    QTest::newRow("messo dalla pagina, fuori regola") << R::CodiceLettura << "7" << "" << "" << 0 << "";
}

void TestCasellaValore::rifiutoDetto()
{
    QFETCH(CasellaValore::Ruolo, ruolo);
    QFETCH(QString, iniziale);
    QFETCH(QString, digitato);
    QFETCH(QString, incollato);
    QFETCH(int, messaggi);
    QFETCH(QString, parole);
    DialoghiFinti dialoghi;
    QWidget finestra;
    auto box = casella(ruolo, &finestra);
    box->punto = QStringLiteral("\"Accensione (ON)\" (Lettura)");
    finestra.show();
    box->setFocus();
    box->setText(iniziale);
    QTest::keyClicks(box.get(), digitato);
    if (!incollato.isEmpty()) {
        QGuiApplication::clipboard()->setText(incollato);
        QTest::keyClick(box.get(), Qt::Key_V, Qt::ControlModifier);
    }
    QCOMPARE(dialoghi.mostrati.size(), messaggi);
    for (const DialoghiFinti::Box& m : dialoghi.mostrati) {
        QVERIFY2(m.testo.startsWith(QStringLiteral("Attenzione: \"Accensione (ON)\" (Lettura): ")), qPrintable(m.testo));
        QVERIFY2(m.testo.contains(parole), qPrintable(m.testo));
        QCOMPARE(m.titolo, QStringLiteral("Configurazione strumenti"));
        QCOMPARE(m.icona, Piattaforma::IconaDialogo::Esclamazione);
    }
}

QTEST_MAIN(TestCasellaValore)
#include "tst_casellavalore.moc"
