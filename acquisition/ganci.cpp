#include "ganci.h"

#include "attesa.h"

namespace Acquisizione {

Ganci& GanciAttivi()
{
    static Ganci ganci;
    return ganci;
}

void Pannello3(const QString& testo)
{
    if (GanciAttivi().Pannello3)
        GanciAttivi().Pannello3(testo);
}

void Pannello4(const QString& testo)
{
    if (GanciAttivi().Pannello4)
        GanciAttivi().Pannello4(testo);
}

namespace {
Puntatore puntatore = Puntatore::Predefinito;
}

void ImpostaPuntatore(Puntatore forma)
{
    puntatore = forma;
    if (GanciAttivi().ImpostaPuntatore)
        GanciAttivi().ImpostaPuntatore(forma);
}

Puntatore PuntatoreAttuale() { return puntatore; }

void Avviso(const QString& titolo, const QString& testo)
{
    if (GanciAttivi().Avviso)
        GanciAttivi().Avviso(titolo, testo);
}

QCoro::Task<> Pausa(int millisecondi)
{
    if (GanciAttivi().Pausa)
        GanciAttivi().Pausa(millisecondi);
    else if (millisecondi > 0)
        co_await Piattaforma::Dormi(millisecondi);
}

QDateTime Adesso()
{
    return GanciAttivi().Adesso ? GanciAttivi().Adesso() : QDateTime::currentDateTime();
}

QString TestoDataOra(const QDateTime& momento)
{
    return momento.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

}  // namespace Acquisizione
