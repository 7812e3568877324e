#pragma once
#include "pagina.h"

// Page Pic_InterruttoriMB of the settings window.
class PaginaInterruttori : public Pagina {
    Q_OBJECT
public:
    explicit PaginaInterruttori(Comunicazioni* finestra);
};
