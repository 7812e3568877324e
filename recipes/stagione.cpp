#include "stagione.h"

#include <QHBoxLayout>
#include <QPushButton>

Stagione::Stagione(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Stagione"));
    setWindowTitle(QStringLiteral("Ricette"));
    auto* riga = new QHBoxLayout(this);
    const std::array<QString, 3> testi = {QStringLiteral("Estate"), QStringLiteral("Inverno"), QStringLiteral("Ricetta")};
    for (int i = 0; i < 3; ++i) {
        Cmd_Stagione[i] = new QPushButton(testi[i], this);
        Cmd_Stagione[i]->setObjectName(QStringLiteral("Cmd_Stagione(%1)").arg(i));
        riga->addWidget(Cmd_Stagione[i]);
    }
}
