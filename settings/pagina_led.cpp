#include "pagina_led.h"

#include "comunicazioni.h"

PaginaLED::PaginaLED(Comunicazioni* finestra)
    : Pagina(finestra, QStringLiteral("Pic_LED"), 120, 480)
{
}
