#pragma once
#include <QWidget>

#include <array>

class QLabel;

// The settings window: pages for every device, the serial line and the program options.
class Comunicazioni : public QWidget {
    Q_OBJECT
public:
    explicit Comunicazioni(QWidget* parent = nullptr);

    // Page titles; element 6 is the title of the chrono-thermostat (or clock) page.
    std::array<QLabel*, 7> Lab_Stat_Gen{};
};
