#pragma once
#include <QWidget>

#include <array>

class QPushButton;

// The recipe window: loads a recipe file, shows its lines and sends them to the instruments.
class Stagione : public QWidget {
    Q_OBJECT
public:
    explicit Stagione(QWidget* parent = nullptr);

    // (0) load a summer recipe, (1) a winter recipe, (2) a recipe to send.
    std::array<QPushButton*, 3> Cmd_Stagione{};
};
