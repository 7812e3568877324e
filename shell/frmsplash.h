#pragma once
#include <QWidget>

class QFrame;
class QLabel;
class QTimer;

// The program's version as the splash, the About window and the main window's caption show it:
// "Versione " major "." minor revision, the numbers as plain integers with nothing between minor
// and revision (1.0.0 reads "Versione 1.00"), and " (BETA)" while the major number is 0. The
// numbers are the application's version (QCoreApplication::applicationVersion).
namespace Versione {
QString Suffisso();
QString Testo();
// The main window's caption: "Quelvar" and the suffix.
QString TitoloPrincipale();
}  // namespace Versione

// The start-up window: product name, version and logo, topmost, until its timer runs out, a key
// is pressed on it or it is clicked. It is hidden then, never destroyed.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    static constexpr int DurataMs = 3500;

    explicit frmSplash(QWidget* parent = nullptr);

    // The window's own part of the start-up: the anonymous user, the texts and the logo.
    void Form_Load();

    void Form_KeyPress();
    void Frm_Splash_Click();
    void Timer1_Timer();
    // Ends the splash once: the timer stops, the window hides and Terminato is emitted.
    void ChiudiSplash();

    QFrame* Frm_Splash = nullptr;
    QTimer* Timer1 = nullptr;
    QLabel* lblProductName = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* Logo_Fenlo = nullptr;

signals:
    // The start-up goes on from here: main window, then the communicate-or-simulate question.
    void Terminato();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* oggetto, QEvent* event) override;

private:
    bool terminato_ = false;
};
