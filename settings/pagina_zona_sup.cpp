#include "pagina_zona_sup.h"

#include "comunicazioni.h"

PaginaZonaSup::PaginaZonaSup(Comunicazioni* finestra)
    : Pagina(finestra, QStringLiteral("Pic_Zona_Sup"), 1000, 1800)
{
}
