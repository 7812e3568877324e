#include "editorcrono.h"

#include "conversioni.h"
#include "crono.h"
#include "filecrono.h"

#include <algorithm>
#include <cmath>

namespace Crono {

namespace {

bool zonaValida(int zona) { return zona >= 0 && zona < Generale::MaxZone; }
bool giornoValido(int giorno) { return giorno >= 0 && giorno < Generale::NumeroGiorni; }

}  // namespace

QString RigaGiorno(int fascia, float valore, FormaRiga forma)
{
    const QString testo = forma == FormaRiga::Copia ? TestoCella(valore) : Generale::FormattaDecimali(valore, 1);
    return Generale::FasceOrarie[fascia] + QStringLiteral(" - ") + testo;
}

QStringList RigheGiorno(int zona, int giorno, FormaRiga forma)
{
    QStringList righe;
    if (!zonaValida(zona) || !giornoValido(giorno))
        return righe;
    for (int s = 0; s < Generale::NumeroFasce; ++s)
        righe << RigaGiorno(s, Generale::TabellaCrono[s][zona][giorno], forma);
    return righe;
}

std::optional<int> MinutiEtichetta(const QString& etichetta)
{
    if (etichetta.size() < 5 || etichetta[2] != QLatin1Char(':'))
        return std::nullopt;
    bool okOre = false;
    bool okMinuti = false;
    const int ore = etichetta.left(2).toInt(&okOre);
    const int minuti = etichetta.mid(3, 2).toInt(&okMinuti);
    if (!okOre || !okMinuti)
        return std::nullopt;
    return ore * 60 + minuti;
}

std::optional<float> TemperaturaValida(const QString& testo, int decimali)
{
    const auto valore = Generale::LeggiNumero(testo);
    if (!valore || !Generale::ConvertiInInteroVerificato(testo, decimali))
        return std::nullopt;
    // As the chrono file keeps it, to the nearest tenth, which must fit the register too
    // ("3276,75" with 1 decimal is 3276,8).
    const QString cella = TestoCella(float(*valore));
    const auto tenuto = Generale::LeggiNumero(cella);
    if (!tenuto || !Generale::ConvertiInInteroVerificato(cella, decimali))
        return std::nullopt;
    return float(*tenuto);
}

int DecimaliZona(int zona)
{
    if (!zonaValida(zona))
        return 0;
    return std::clamp<int>(Generale::MappaScritturaZone[zona][Generale::Decimali], 0, 3);
}

QList<int> ApplicaIntervallo(int zona, int giorno, int daMinuti, int aMinuti, float valore)
{
    QList<int> fasce;
    if (!zonaValida(zona) || !giornoValido(giorno))
        return fasce;
    for (int s = 0; s < Generale::NumeroFasce; ++s) {
        const int minuti = s * 15;
        if (minuti >= daMinuti && minuti <= aMinuti) {
            Generale::TabellaCrono[s][zona][giorno] = valore;
            fasce << s;
        }
    }
    return fasce;
}

bool CopiaGiorno(int zona, int da, int a)
{
    if (!zonaValida(zona) || !giornoValido(da) || !giornoValido(a) || da == a)
        return false;
    for (auto& fascia : Generale::TabellaCrono)
        fascia[zona][a] = fascia[zona][da];
    return true;
}

bool CopiaZona(int da, int a)
{
    if (!zonaValida(da) || !zonaValida(a) || da == a)
        return false;
    for (auto& fascia : Generale::TabellaCrono)
        fascia[a] = fascia[da];
    Generale::CronoAttivoZona[a] = Generale::CronoAttivoZona[da];
    return true;
}

QStringList OrdinaFestivita(const QStringList& festivita, const QDate& oggi, bool elimina)
{
    QList<QDate> date;
    QStringList altri;
    for (const QString& voce : festivita) {
        const QDate giorno = QDate::fromString(voce.trimmed(), QStringLiteral("dd/MM/yyyy"));
        if (giorno.isValid())
            date << giorno;
        else
            altri << voce;
    }
    std::stable_sort(date.begin(), date.end());
    if (elimina) {
        date.erase(std::remove_if(date.begin(), date.end(), [&](const QDate& d) { return d < oggi; }), date.end());
        date.erase(std::unique(date.begin(), date.end()), date.end());
        altri.clear();
    }
    QStringList risultato;
    for (const QDate& d : date)
        risultato << TestoFestivita(d);
    return risultato + altri;
}

}  // namespace Crono
