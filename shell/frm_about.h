#pragma once
#include <QWidget>

class QLabel;
class QPushButton;

// The About window: product name, version and logo, topmost, owned by the main window. Closing
// only hides it; the main window, disabled while it shows, is enabled again through Chiuso.
class Frm_About : public QWidget {
    Q_OBJECT
public:
    // 3270 twips at 15 twips a pixel.
    static constexpr int Altezza = 218;

    explicit Frm_About(QWidget* parent = nullptr);

    void cmdOK_Click();

    QLabel* lblProductName = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* Logo_Fenlo = nullptr;
    QPushButton* cmdOK = nullptr;

signals:
    // The main window takes this to enable itself again and take the focus.
    void Chiuso();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
};
