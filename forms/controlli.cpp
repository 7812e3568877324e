#include "controlli.h"

namespace Controlli {

QString Elemento(QAnyStringView nome, qsizetype i)
{
    return nome.toString() + QLatin1Char('(') + QString::number(i) + QLatin1Char(')');
}

}  // namespace Controlli
