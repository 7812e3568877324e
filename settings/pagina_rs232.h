#pragma once
#include "pagina.h"

class QCheckBox;

// Page Pic_RS232 of the settings window: serial line, polling periods, line options.
class PaginaRS232 : public Pagina {
    Q_OBJECT
public:
    explicit PaginaRS232(Comunicazioni* finestra);

    QCheckBox* Chk_Remoto = nullptr;
    QCheckBox* Chk_Attivita_Linea = nullptr;
};
