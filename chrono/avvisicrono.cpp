#include "avvisicrono.h"

namespace Crono {

AvvisiCrono& Avvisi()
{
    static AvvisiCrono avvisi;
    return avvisi;
}

}  // namespace Crono
