#include "pagina_interruttori.h"

#include "comunicazioni.h"

PaginaInterruttori::PaginaInterruttori(Comunicazioni* finestra)
    : Pagina(finestra, QStringLiteral("Pic_InterruttoriMB"), 120, 480)
{
}
