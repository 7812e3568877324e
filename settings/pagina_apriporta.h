#pragma once
#include "pagina.h"

// Page Pic_Apriporta of the settings window.
class PaginaApriporta : public Pagina {
    Q_OBJECT
public:
    explicit PaginaApriporta(Comunicazioni* finestra);
};
