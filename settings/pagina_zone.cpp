#include "pagina_zone.h"

#include "comunicazioni.h"

PaginaZone::PaginaZone(Comunicazioni* finestra)
    : Pagina(finestra, QStringLiteral("Pic_ZoneMB"), 120, 480)
{
}
