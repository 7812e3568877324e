#include "pagina_rs232.h"

#include "comunicazioni.h"

#include <QCheckBox>
#include <QVBoxLayout>

PaginaRS232::PaginaRS232(Comunicazioni* finestra)
    : Pagina(finestra, QStringLiteral("Pic_RS232"), 120, 480)
{
    auto* colonna = new QVBoxLayout(this);
    Chk_Remoto = new QCheckBox(QStringLiteral("Mantieni strumenti in < Remoto >"), this);
    Chk_Remoto->setObjectName(QStringLiteral("Chk_Remoto"));
    Chk_Attivita_Linea = new QCheckBox(QStringLiteral("Mantieni attività di linea"), this);
    Chk_Attivita_Linea->setObjectName(QStringLiteral("Chk_Attivita_Linea"));
    colonna->addWidget(Chk_Remoto);
    colonna->addWidget(Chk_Attivita_Linea);
}
