#include "comunicazioni.h"

#include <QLabel>
#include <QVBoxLayout>

Comunicazioni::Comunicazioni(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Comunicazioni"));
    setWindowTitle(QStringLiteral("Impostazioni"));
    auto* colonna = new QVBoxLayout(this);
    for (int i = 0; i < static_cast<int>(Lab_Stat_Gen.size()); ++i) {
        Lab_Stat_Gen[i] = new QLabel(this);
        Lab_Stat_Gen[i]->setObjectName(QStringLiteral("Lab_Stat_Gen(%1)").arg(i));
        Lab_Stat_Gen[i]->hide();
        colonna->addWidget(Lab_Stat_Gen[i]);
    }
}
