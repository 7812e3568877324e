#include "pagina_apriporta.h"

#include "comunicazioni.h"

PaginaApriporta::PaginaApriporta(Comunicazioni* finestra)
    : Pagina(finestra, QStringLiteral("Pic_Apriporta"), 120, 480)
{
}
