#include "pagina_webcam.h"

#include "comunicazioni.h"

PaginaWebcam::PaginaWebcam(Comunicazioni* finestra)
    : Pagina(finestra, QStringLiteral("Pic_WebCam"), 120, 480)
{
}
