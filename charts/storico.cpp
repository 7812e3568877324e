#include "storico.h"

#include "grafico.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

Storico::Storico(QWidget* genitore)
    : QWidget(genitore)
{
    setObjectName(QStringLiteral("Storico"));
    setWindowTitle(QStringLiteral("Storico"));

    Frm_trend = new QFrame(this);
    Frm_trend->setObjectName(QStringLiteral("Frm_trend"));
    Trend = new ::Trend(Frm_trend);
    Trend->ImpostaDimensioneBuffer(PuntiGiorno);
    Pic_Tracce = CreaPannelloTracce(Frm_trend, Chk_Trax, Cmb_Cursore);
    auto* riga = new QHBoxLayout(Frm_trend);
    riga->setContentsMargins(0, 0, 0, 0);
    riga->addWidget(Trend, 1);
    riga->addWidget(Pic_Tracce);
    auto* tutto = new QVBoxLayout(this);
    tutto->setContentsMargins(4, 4, 4, 4);
    tutto->addWidget(Frm_trend);

    resize(13965 / 15, 9180 / 15);
}

void Storico::closeEvent(QCloseEvent* e)
{
    e->ignore();
    hide();
}
