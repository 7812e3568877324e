#pragma once
#include <QWidget>

#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

// The login window: three built-in users, two privilege levels above the anonymous user. Every
// attempt logs the current user out first; both boxes empty is the silent way to log out.
class frmLogin : public QWidget {
    Q_OBJECT
public:
    explicit frmLogin(QWidget* parent = nullptr);

    // Writes status panel 1 ("Utente: ...") and refreshes the status bar.
    std::function<void(const QString&)> ScriviUtente;
    // The switching's procedure for this window; closing calls it with false. Without it the
    // window only hides itself.
    std::function<void(bool)> MostraLogin;

    // What the switching does to the window itself: shown at normal size with the focus in the
    // user-name box, or hidden. In the main window's MDI area this acts on the sub-window.
    void Mostra();
    void Nascondi();

    void cmdOK_Click();
    void cmdCancel_Click();
    void ChiudiLogin();

    QLineEdit* txtUserName = nullptr;
    QLineEdit* txtPassword = nullptr;
    std::array<QLabel*, 2> lblLabels{};
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* cornice();
};
