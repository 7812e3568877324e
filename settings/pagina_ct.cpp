#include "pagina_ct.h"

#include "comunicazioni.h"

#include <QLabel>

PaginaCT::PaginaCT(Comunicazioni* finestra)
    : Pagina(finestra, QStringLiteral("Pic_CT"), 120, 480)
{
    Lab_CT_UM = new QLabel(this);
    Lab_CT_UM->setObjectName(QStringLiteral("Lab_CT_UM"));
}
