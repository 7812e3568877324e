#pragma once
#include "pagina.h"

// Page Pic_Stagione of the settings window.
class PaginaStagione : public Pagina {
    Q_OBJECT
public:
    explicit PaginaStagione(Comunicazioni* finestra);
};
