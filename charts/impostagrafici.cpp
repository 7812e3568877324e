#include "impostagrafici.h"

#include "chiavi.h"
#include "conversioni.h"
#include "file_ini.h"
#include "generale.h"
#include "grafico.h"
#include "storico.h"

#include <QPointer>
#include <QTextDocument>

#include <algorithm>

namespace Generale {

namespace {

constexpr std::array<ColoreLong, NumeroTracceGrafico> TracceDiSerie = {
    0x0000FF, 0x0080FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF00FF, 0x000080, 0x004080, 0x008080,
    0xC0C0FF, 0xC0E0FF, 0xC0FFFF, 0xC0FFC0, 0xFFFFC0, 0xFF8080, 0xFFC0FF, 0x404080, 0x004040, 0x404000,
    0x0000C0, 0x0040C0, 0x00C0C0, 0x008000, 0x808000, 0xC00000, 0xC000C0, 0x800080, 0x808080, TestoFinestraSistema,
};

const QString SezioneGrafico = QString::fromLatin1(Chiavi::Sezione::Grafico);

// The colour of a key, or `attuale` when its text is no colour.
ColoreLong leggiColore(const QString& sezione, const QString& chiave, ColoreLong predefinito, ColoreLong attuale)
{
    // Defaults go to the reader as decimal Long text, as the station always passed them.
    const QString testo = File_Ini::LeggiIni(sezione, chiave, QString::number(std::int32_t(predefinito)));
    return LeggiColore(testo).value_or(attuale);
}

ColoreLong leggiColore(const Chiavi::Chiave& chiave, ColoreLong predefinito, ColoreLong attuale)
{
    return leggiColore(SezioneGrafico, chiave.Nome(), predefinito, attuale);
}

// A single-precision setting applied to the chart only when its text is a number.
template <typename Imposta>
void leggiLimite(const Chiavi::Chiave& chiave, Imposta imposta)
{
    if (const auto v = LeggiNumero(File_Ini::LeggiIni(SezioneGrafico, chiave)))
        imposta(double(float(*v)));
}

// A tool tip whose text looks like markup is taken for markup: such a text goes escaped, so a
// zone name shows as written and a tag in a hand-edited name never loads a file.
QString suggerimento(const QString& testo)
{
    return Qt::mightBeRichText(testo) ? Qt::convertFromPlainText(testo, Qt::WhiteSpacePre) : testo;
}

// A zone name on a check box: "&" doubled, so "R&D" reads "R&D" and makes no shortcut.
QString testoCasella(const QString& nome)
{
    QString t = nome;
    return t.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QPointer<Grafico> ultimoGrafico;
QPointer<Storico> ultimoStorico;

void aggiorna(QWidget* w)
{
    if (w)
        w->update();
}

}  // namespace

void ImpostaLimitiAssoluti(Grafico& grafico, double basso, double alto)
{
    grafico.Trend->ImpostaLimiteBasso(basso);
    grafico.Trend->ImpostaLimiteAlto(alto);
}

void ImpostaGrafici()
{
    if (ultimoGrafico && ultimoStorico)
        ImpostaGrafici(*ultimoGrafico, *ultimoStorico);
}

void ImpostaGrafici(Grafico& grafico, Storico& storico)
{
    ultimoGrafico = &grafico;
    ultimoStorico = &storico;
    ColoreBordoPredefinito = 0xFFFFFF;
    ColoreSfondoPredefinito = 0xFFFFFF;
    ColoreGrigliaPredefinito = 0x000000;
    ColoreCursorePredefinito = 0x800000;
    ColoreOff1Predefinito = 0xC0C0C0;
    ColoreOff2Predefinito = 0xE0E0E0;
    ColoreTracciaPredefinito = TracceDiSerie;

    namespace G = Chiavi::Grafico;
    ColoreBordo = leggiColore(G::ColoreBordo, ColoreBordoPredefinito, ColoreBordo);
    ColoreSfondo = leggiColore(G::ColoreSfondo, ColoreSfondoPredefinito, ColoreSfondo);
    ColoreGriglia = leggiColore(G::ColoreGriglia, ColoreGrigliaPredefinito, ColoreGriglia);
    ColoreCursore = leggiColore(G::ColoreCursore, ColoreCursorePredefinito, ColoreCursore);
    ColoreOff1 = leggiColore(G::ColoreOff1, ColoreOff1Predefinito, ColoreOff1);
    ColoreOff2 = leggiColore(G::ColoreOff2, ColoreOff2Predefinito, ColoreOff2);

    ::Trend& live = *grafico.Trend;
    live.ImpostaNumeroTracce(NumeroTracceGrafico);
    live.ImpostaBordoColore(ColoreBordo);
    live.ImpostaSfondoColore(ColoreSfondo);
    live.ImpostaGrigliaColore(ColoreGriglia);
    live.ImpostaCursoreColore(ColoreCursore ^ 0xFFFFFFu);
    leggiLimite(G::TMaxAss, [&](double v) { live.ImpostaLimiteAlto(v); });
    leggiLimite(G::TMinAss, [&](double v) { live.ImpostaLimiteBasso(v); });
    leggiLimite(G::TMax, [&](double v) { live.ImpostaScalaAlta(v); });
    leggiLimite(G::TMin, [&](double v) { live.ImpostaScalaBassa(v); });

    const int zone = std::clamp(NumeroZone, 0, NumeroTracceGrafico);
    grafico.Cmb_Cursore->clear();
    for (int i = 0; i < zone; ++i) {
        const QString& nome = NomiZone[i];
        ColoreTraccia[i] = leggiColore(SezioneZona(i), Chiavi::Dispositivo::Colore.Nome(), ColoreTracciaPredefinito[i], ColoreTraccia[i]);
        grafico.Cmb_Cursore->addItem(nome);
        grafico.Chk_Trax[i]->setText(testoCasella(nome));
        grafico.Chk_Trax[i]->setChecked(true);
        grafico.Chk_Trax[i]->setVisible(true);
        grafico.Lin_Trax[i]->ImpostaColore(ColoreTraccia[i]);
        grafico.Shp_Trax[i]->ImpostaColore(ColoreTraccia[i]);
        grafico.Shp_Trax[i]->ImpostaSfondo(ColoreSfondo);
        const QString etichetta = nome.left(20).trimmed();
        grafico.Lab_Trax[i]->setText(etichetta);
        grafico.Lab_Trax[i]->setToolTip(
            suggerimento(QStringLiteral("Doppio click per modificare il colore della traccia <") + etichetta + QLatin1Char('>')));
        grafico.Lab_Trax[i]->setEnabled(true);
        live.ImpostaTracciaCorrente(i + 1);
        live.ImpostaTracciaColore(ColoreTraccia[i]);
        live.ImpostaTracciaVisibile(true);
    }
    for (int i = zone; i < NumeroTracceGrafico; ++i) {
        ColoreTraccia[i] = ColoreOff1;
        grafico.Chk_Trax[i]->setChecked(false);
        grafico.Chk_Trax[i]->setVisible(false);
        grafico.Lin_Trax[i]->ImpostaColore(ColoreOff1);
        grafico.Shp_Trax[i]->ImpostaColore(ColoreOff1);
        grafico.Shp_Trax[i]->ImpostaSfondo(ColoreOff2);
        grafico.Lab_Trax[i]->setText(QStringLiteral("--------"));
        grafico.Lab_Trax[i]->setToolTip(QString());
        grafico.Lab_Trax[i]->setEnabled(false);
        live.ImpostaTracciaCorrente(i + 1);
        live.ImpostaTracciaColore(ColoreTracciaPredefinito[i]);
        live.ImpostaTracciaVisibile(false);
    }
    grafico.PicTraxLegenda->adjustSize();  // the panel floats, no layout resizes it for new names
    live.Ridisegna();
    aggiorna(&grafico);

    ::Trend& giorno = *storico.Trend;
    giorno.ImpostaNumeroTracce(live.NumeroTracce());
    giorno.ImpostaBordoColore(live.BordoColore());
    giorno.ImpostaSfondoColore(live.SfondoColore());
    giorno.ImpostaGrigliaColore(live.GrigliaColore());
    giorno.ImpostaCursoreColore(live.CursoreColore());
    giorno.ImpostaLimiteAlto(live.LimiteAlto());
    giorno.ImpostaLimiteBasso(live.LimiteBasso());
    giorno.ImpostaScalaAlta(live.ScalaAlta());
    giorno.ImpostaScalaBassa(live.ScalaBassa());

    storico.Cmb_Cursore->clear();
    for (int i = 0; i < NumeroTracceGrafico; ++i) {
        const bool inUso = i < zone;
        if (inUso) {
            storico.Cmb_Cursore->addItem(NomiZone[i]);
            storico.Chk_Trax[i]->setText(testoCasella(NomiZone[i]));
        } else {
            ColoreTraccia[i] = ColoreOff1;
        }
        storico.Chk_Trax[i]->setChecked(inUso);
        storico.Chk_Trax[i]->setVisible(inUso);
        live.ImpostaTracciaCorrente(i + 1);
        giorno.ImpostaTracciaCorrente(i + 1);
        giorno.ImpostaTracciaColore(live.TracciaColore());
        giorno.ImpostaTracciaVisibile(live.TracciaVisibile());
    }
    giorno.Ridisegna();
    aggiorna(&storico);
}

}  // namespace Generale
