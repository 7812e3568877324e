#pragma once
#include "pagina.h"

// Page Pic_LED of the settings window.
class PaginaLED : public Pagina {
    Q_OBJECT
public:
    explicit PaginaLED(Comunicazioni* finestra);
};
