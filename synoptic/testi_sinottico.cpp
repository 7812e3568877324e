#include "testi_sinottico.h"

#include "conversioni.h"
#include "generale.h"
#include "valori.h"

namespace Generale {

QString TestoValoreZona(int zona, int k, bool conUnita)
{
    const QString nessuno = QStringLiteral("--.-");
    if (zona < 0 || zona >= MaxZone || k < 0 || k >= NumeroValoriZona)
        return nessuno;
    const float valore = ValoriZone[zona][k];
    if (valore == float(ValoreAssente))
        return nessuno;
    const RigaMappaZona& riga = MappaLetturaZone[zona];
    const int funzione = riga[CampoFunzioneValore(k)];
    if (funzione == 3 || funzione == 4) {
        const QString testo = FormattaDecimali(valore, riga[Decimali]);
        return conUnita ? testo + QLatin1Char(' ') + UnitaMisura : testo;
    }
    // A bit reads 0 or 1; anything else is no reading.
    if (valore == 0.0f)
        return TestiStato[0];
    if (valore == 1.0f)
        return TestiStato[1];
    return nessuno;
}

AspettoInterruttore AspettoDiInterruttore(int i)
{
    if (i < 0 || i >= MaxInterruttori)
        return AspettoInterruttore::Indeterminato;
    const RigaMappaInterruttore& riga = MappaLetturaInterruttori[i];
    // A bit reads its raw 0 or 1, so Val_on and Val_off meet it unscaled; a register is
    // compared in its own unit, scaled by the device's decimals as its reading is.
    auto nellUnitaLetta = [&riga](int campoFunzione, int campoValore) {
        const bool bit = riga[campoFunzione] == 1 || riga[campoFunzione] == 2;
        return Acquisizione::Scala(riga[campoValore], bit ? 0 : riga[Decimali]);
    };
    const float on = nellUnitaLetta(FunzioneON, ValoreON);
    const float off = nellUnitaLetta(FunzioneOFF, ValoreOFF);
    AspettoInterruttore aspetto = AspettoInterruttore::Indeterminato;
    if (ValoriInterruttori[i][0] != float(ValoreAssente) && ValoriInterruttori[i][0] == on)
        aspetto = AspettoInterruttore::On;
    if (ValoriInterruttori[i][1] != float(ValoreAssente) && ValoriInterruttori[i][1] == off)
        aspetto = AspettoInterruttore::Off;
    return aspetto;
}

QString DidascaliaRiga(int k, const QString& generale, const QString& diZona)
{
    if (!diZona.isEmpty())
        return diZona;
    if (k < 2)
        return generale + QStringLiteral(" [") + UnitaMisura + QStringLiteral("]:");
    return generale + QLatin1Char(':');
}

QString TestoSuPulsante(const QString& testo)
{
    QString t = testo;
    return t.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace Generale
