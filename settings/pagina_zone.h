#pragma once
#include "pagina.h"

// Page Pic_ZoneMB of the settings window.
class PaginaZone : public Pagina {
    Q_OBJECT
public:
    explicit PaginaZone(Comunicazioni* finestra);
};
