#include "pagina_stagione.h"

#include "comunicazioni.h"

PaginaStagione::PaginaStagione(Comunicazioni* finestra)
    : Pagina(finestra, QStringLiteral("Pic_Stagione"), 120, 480)
{
}
