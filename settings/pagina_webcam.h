#pragma once
#include "pagina.h"

// Page Pic_WebCam of the settings window.
class PaginaWebcam : public Pagina {
    Q_OBJECT
public:
    explicit PaginaWebcam(Comunicazioni* finestra);
};
