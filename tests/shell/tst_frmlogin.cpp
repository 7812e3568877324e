#include "dialoghifinti.h"
#include "frmlogin.h"
#include "generale.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
enum Utente { Anonimo, Tecnico, Amministratore };

Utente UtenteAttuale()
{
    if (Generale::UtenteAmministratore)
        return Generale::UtenteTecnico ? Utente(-1) : Amministratore;
    return Generale::UtenteTecnico ? Tecnico : Anonimo;
}

void Imposta(Utente u)
{
    Generale::UtenteAmministratore = u == Amministratore;
    Generale::UtenteTecnico = u == Tecnico;
}
}  // namespace

class TestFrmLogin : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        login_ = std::make_unique<frmLogin>();
        pannello_.clear();
        chiusure_.clear();
        login_->ScriviUtente = [this](const QString& t) { pannello_ << t; };
        login_->Mostra();
    }
    void cleanup()
    {
        login_.reset();
        Imposta(Anonimo);
    }

    void accesso_data();
    void accesso();
    void annullaNonCambiaUtente_data();
    void annullaNonCambiaUtente();
    void chiusuraPassaPerLaCommutazione();

private:
    std::unique_ptr<frmLogin> login_;
    QStringList pannello_;
    QList<bool> chiusure_;
};

void TestFrmLogin::accesso_data()
{
    QTest::addColumn<int>("prima");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("dopo");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<bool>("errata");

    const QString anonimo = QStringLiteral("Utente: Anonimo");
    const QString tecnico = QStringLiteral("Utente: Tecnico");
    const QString amm = QStringLiteral("Utente: Amministratore");
    QTest::newRow("Tecnico") << int(Anonimo) << "Tecnico" << "Lm4" << int(Tecnico) << tecnico << false;
    QTest::newRow("Service") << int(Anonimo) << "Service" << "7ulp4ra" << int(Amministratore) << amm << false;
    QTest::newRow("Admin") << int(Tecnico) << "Admin" << "Xq7" << int(Amministratore) << amm << false;
    QTest::newRow("da amministratore a tecnico") << int(Amministratore) << "Tecnico" << "Lm4" << int(Tecnico)
                                                 << tecnico << false;
    QTest::newRow("nome minuscolo") << int(Anonimo) << "tecnico" << "Lm4" << int(Anonimo) << anonimo << true;
    QTest::newRow("password maiuscola") << int(Anonimo) << "Admin" << "XQ7" << int(Anonimo) << anonimo << true;
    QTest::newRow("spazio dopo il nome") << int(Anonimo) << "Tecnico " << "Lm4" << int(Anonimo) << anonimo << true;
    QTest::newRow("spazio prima della password") << int(Anonimo) << "Service" << " 7ulp4ra" << int(Anonimo)
                                                 << anonimo << true;
    QTest::newRow("password di un altro utente") << int(Anonimo) << "Admin" << "7ulp4ra" << int(Anonimo)
                                                 << anonimo << true;
    QTest::newRow("nome e password spostati") << int(Anonimo) << "Tecnic" << "oLm4" << int(Anonimo) << anonimo
                                              << true;
    QTest::newRow("password vuota esce") << int(Amministratore) << "Admin" << "" << int(Anonimo) << anonimo << true;
    QTest::newRow("nome vuoto") << int(Anonimo) << "" << "Lm4" << int(Anonimo) << anonimo << true;
    QTest::newRow("tutto vuoto: uscita senza messaggio") << int(Tecnico) << "" << "" << int(Anonimo) << anonimo
                                                         << false;
    QTest::newRow("solo spazi") << int(Tecnico) << " " << " " << int(Anonimo) << anonimo << true;
}

void TestFrmLogin::accesso()
{
    QFETCH(int, prima);
    QFETCH(QString, nome);
    QFETCH(QString, password);
    QFETCH(int, dopo);
    QFETCH(QString, testo);
    QFETCH(bool, errata);

    Imposta(Utente(prima));
    DialoghiFinti dialoghi;
    QTest::keyClicks(login_->txtUserName, nome);
    QTest::keyClicks(login_->txtPassword, password);
    QTest::mouseClick(login_->cmdOK, Qt::LeftButton);

    QCOMPARE(int(UtenteAttuale()), dopo);
    // Every attempt logs the user out before it checks.
    QCOMPARE(pannello_.first(), QStringLiteral("Utente: Anonimo"));
    QCOMPARE(pannello_.last(), testo);
    QVERIFY(login_->txtUserName->text().isEmpty());
    QVERIFY(login_->txtPassword->text().isEmpty());
    QVERIFY(login_->isHidden());
    if (errata) {
        QCOMPARE(dialoghi.mostrati.size(), 1);
        const DialoghiFinti::Box& box = dialoghi.mostrati.first();
        QCOMPARE(box.testo, QStringLiteral("Password errata."));
        QCOMPARE(box.titolo, QStringLiteral("Accesso"));
        QCOMPARE(box.pulsanti, Piattaforma::PulsantiDialogo::OK);
        QCOMPARE(box.icona, Piattaforma::IconaDialogo::Esclamazione);
    } else {
        QVERIFY(dialoghi.mostrati.isEmpty());
    }
}

void TestFrmLogin::annullaNonCambiaUtente_data()
{
    QTest::addColumn<int>("prima");
    QTest::addColumn<bool>("daChiusura");
    QTest::newRow("Annulla da tecnico") << int(Tecnico) << false;
    QTest::newRow("Annulla da anonimo") << int(Anonimo) << false;
    QTest::newRow("chiusura da amministratore") << int(Amministratore) << true;
}

void TestFrmLogin::annullaNonCambiaUtente()
{
    QFETCH(int, prima);
    QFETCH(bool, daChiusura);
    Imposta(Utente(prima));
    DialoghiFinti dialoghi;
    QTest::keyClicks(login_->txtUserName, QStringLiteral("Admin"));
    QTest::keyClicks(login_->txtPassword, QStringLiteral("Xq7"));
    if (daChiusura) {
        QCloseEvent e;
        QCoreApplication::sendEvent(login_.get(), &e);
        QVERIFY(!e.isAccepted());
    } else {
        QTest::mouseClick(login_->cmdCancel, Qt::LeftButton);
    }
    QCOMPARE(int(UtenteAttuale()), prima);
    QVERIFY(pannello_.isEmpty());
    QVERIFY(dialoghi.mostrati.isEmpty());
    QVERIFY(login_->txtUserName->text().isEmpty());
    QVERIFY(login_->txtPassword->text().isEmpty());
    QVERIFY(login_->isHidden());
}

void TestFrmLogin::chiusuraPassaPerLaCommutazione()
{
    // With the switching wired, the window is hidden by it (menu mark, toolbar picture), not by itself.
    login_->MostraLogin = [this](bool mostra) { chiusure_ << mostra; };
    DialoghiFinti dialoghi;
    QTest::keyClicks(login_->txtUserName, QStringLiteral("Tecnico"));
    QTest::keyClicks(login_->txtPassword, QStringLiteral("Lm4"));
    QTest::keyClick(login_->txtPassword, Qt::Key_Return);
    QCOMPARE(chiusure_, QList<bool>{false});
    QVERIFY(Generale::UtenteTecnico);
    QVERIFY(login_->txtUserName->text().isEmpty());

    login_->txtPassword->setFocus();
    login_->Mostra();
    QVERIFY(login_->isVisible());
    QCOMPARE(login_->focusWidget(), login_->txtUserName);
    QTest::mouseClick(login_->cmdCancel, Qt::LeftButton);
    QCOMPARE(chiusure_, (QList<bool>{false, false}));
}

QTEST_MAIN(TestFrmLogin)
#include "tst_frmlogin.moc"
