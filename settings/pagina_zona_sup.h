#pragma once
#include "pagina.h"

// Page Pic_Zona_Sup of the settings window.
class PaginaZonaSup : public Pagina {
    Q_OBJECT
public:
    explicit PaginaZonaSup(Comunicazioni* finestra);
};
