#include "generale.h"

namespace Generale {

namespace {
bool primoCaricamento = true;

QString sezione(const char* prefisso, int indice)
{
    return QString::fromLatin1(prefisso) + QStringLiteral("%1").arg(indice + 1, 2, 10, QLatin1Char('0'));
}
}  // namespace

void InizializzaTabelle()
{
    for (auto& zona : ValoriZone)
        zona.fill(float(ValoreAssente));
    for (auto& interruttore : ValoriInterruttori)
        interruttore.fill(float(ValoreAssente));
    if (primoCaricamento) {
        for (auto& fascia : TabellaCrono)
            for (auto& zona : fascia)
                zona.fill(20.0f);
        primoCaricamento = false;
    }
    TestiStato = {QStringLiteral("OFF"), QStringLiteral("ON"), QStringLiteral("--.-")};
    FormatiDecimali = {QStringLiteral("######0"), QStringLiteral("#####0.0"), QStringLiteral("####0.00"),
                       QStringLiteral("###0.000")};
    ZonaSelezionata = -1;
}

void DimenticaPrimoCaricamento()
{
    primoCaricamento = true;
}

QString SezioneZona(int indice) { return sezione("Zona ", indice); }
QString SezioneInterruttore(int indice) { return sezione("Interruttore ", indice); }
QString SezioneLED(int indice) { return sezione("LED ", indice); }

}  // namespace Generale
