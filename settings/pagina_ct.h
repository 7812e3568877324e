#pragma once
#include "pagina.h"

class QLabel;

// Page Pic_CT of the settings window: the chrono-thermostat (clock) editor.
class PaginaCT : public Pagina {
    Q_OBJECT
public:
    explicit PaginaCT(Comunicazioni* finestra);

    QLabel* Lab_CT_UM = nullptr;
};
