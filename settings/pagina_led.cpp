#include "pagina_led.h"

#include "casellavalore.h"
#include "comunicazioni.h"
#include "conversioni.h"
#include "file_ini.h"
#include "generale.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>

namespace {

namespace D = Chiavi::Dispositivo;
using namespace Generale;
using EditorPunti::Voce;

constexpr char RigaOn[] = "Accensione (ON)";
constexpr char RigaValore[] = "Valore Accensione";
constexpr char RigaRemoto[] = "Modo < Remoto >";

}  // namespace

// In the order the keys are saved; Condizione and Col follow them.
const std::array<Voce, 4> PaginaLED::Record = {{
    {&D::REM_r, RigaRemoto, false, false, 3, FunzioneREM},
    {&D::REM_w, RigaRemoto, false, true, 5, FunzioneREM},
    {&D::P1_r, RigaOn, false, false, 0, FunzioneP1},
    {&D::Val, RigaValore, true, false, 2, Soglia, FunzioneP1, 0, Casella::SuggerimentoValoreOn},
}};

namespace {

const PaginaDispositivi::Descrizione descrizione = {
    "Pic_LED",
    "Impostazione LED indicatori",
    "Cmb_LEDUsati", "Indicatori (LED) utilizzati:", "Numero di indicatori (LED) utilizzati",
    "Cmb_LED", "Indicatore:", "Indicatore",
    "Txt_NomeLED", "Nome indicatore:", "Nome dell'indicatore",
    "Cmb_IndirizzoLED",
    "Cmb_DecimaliLED",
    "Txt_ZoneMBLED",
    "Cmd_ChiudiLED",
    "Indicatore ",
    &Chiavi::Generale::LED,
    MaxLED,
    PaginaLED::Record,
    7,
};

// Entry index + 1 is the code stored in Condizione and Col.
const char* const condizioni[] = {"Maggiore o uguale", "Minore o uguale", "Maggiore", "Minore", "Uguale", "Diverso"};
const char* const colori[] = {"Verde", "Rosso", "Bianco", "Blu", "Giallo"};

void seleziona(QComboBox* lista, int indice)
{
    const QSignalBlocker blocco(lista);
    lista->setCurrentIndex(indice >= 0 && indice < lista->count() ? indice : -1);
}

}  // namespace

PaginaLED::PaginaLED(Comunicazioni* finestra)
    : PaginaDispositivi(finestra, descrizione)
{
    Cmb_LEDUsati = usati_;
    Cmb_LED = scelta_;
    Txt_NomeLED = nome_;
    Cmb_IndirizzoLED = nodo_;
    Cmb_DecimaliLED = decimaliLista_;
    Txt_ZoneMBLED = caselle_;
    Cmd_ChiudiLED = pulsanti_;

    Cmb_DisLED = new QComboBox(this);
    Cmb_DisLED->setObjectName(QStringLiteral("Cmb_DisLED"));
    Cmb_DisLED->setToolTip(QStringLiteral("Condindizione per parametro ON"));
    Cmb_ColoreLED = new QComboBox(this);
    Cmb_ColoreLED->setObjectName(QStringLiteral("Cmb_ColoreLED"));
    Cmb_ColoreLED->setToolTip(QStringLiteral("Colore dell'indicatore acceso"));

    Etichetta(QStringLiteral("Lettura"), 1680, 3060, 975);
    Etichetta(QStringLiteral("Accensione (ON):"), 30, 3375, 1635);
    Etichetta(QStringLiteral("Valore Accensione:"), 30, 3735, 1635);
    Etichetta(QStringLiteral("Colore acceso:"), 30, 4095, 1635);
    Etichetta(QStringLiteral("Modo < Remoto >:"), 30, 4455, 1635);
    Etichetta(QStringLiteral("Scrittura:"), 2745, 4455, 855);
    Colloca(Txt_ZoneMBLED[0], 1680, 3360, 375, 285);
    Colloca(Txt_ZoneMBLED[1], 2040, 3360, 615, 285);
    Colloca(Cmb_DisLED, 1680, 3690, 2220, 315);
    // The threshold box reaches to the page's edge, wide enough for a signed value.
    Colloca(Txt_ZoneMBLED[2], 3960, 3720, 720, 285);
    Colloca(Cmb_ColoreLED, 1680, 4050, 2220, 315);
    Colloca(Txt_ZoneMBLED[3], 1680, 4440, 375, 285);
    Colloca(Txt_ZoneMBLED[4], 2040, 4440, 615, 285);
    Colloca(Txt_ZoneMBLED[5], 3600, 4440, 375, 285);
    Colloca(Txt_ZoneMBLED[6], 3960, 4440, 615, 285);

    // Enter: the parameter point, the condition list; the threshold, the colour list; the
    // remote points in turn, then back to the first box.
    static const int prossima[] = {1, -1, -2, 4, 5, 6, 0};
    for (int i = 0; i < 7; ++i)
        Txt_ZoneMBLED[i]->successivo = [this, i]() -> QWidget* {
            const int p = prossima[i];
            return p == -1 ? static_cast<QWidget*>(Cmb_DisLED)
                 : p == -2 ? static_cast<QWidget*>(Cmb_ColoreLED)
                           : static_cast<QWidget*>(Txt_ZoneMBLED[p]);
        };

    static const int pulsanti[] = {480, 1860, 3240};
    for (int i = 0; i < 3; ++i)
        Colloca(Cmd_ChiudiLED[i], pulsanti[i], 5190, 1290, 660);
    setFixedSize(4740 / 15, 6030 / 15);
    AdattaCaratteri();
}

void PaginaLED::RiempiListe(bool saltaCrono)
{
    PaginaDispositivi::RiempiListe(saltaCrono);
    using Voci = std::span<const char* const>;
    for (auto [lista, voci] : {std::pair{Cmb_DisLED, Voci(condizioni)}, std::pair{Cmb_ColoreLED, Voci(colori)}}) {
        const QSignalBlocker blocco(lista);
        lista->clear();
        for (const char* voce : voci)
            lista->addItem(QString::fromUtf8(voce));
        lista->setCurrentIndex(-1);
    }
}

int PaginaLED::Conteggio() const { return NumeroLED; }
QString PaginaLED::NomeModello(int i) const { return NomiLED[i]; }
EditorPunti::Riga PaginaLED::Lettura(int i) const { return MappaLetturaLED[i]; }
EditorPunti::Riga PaginaLED::Scrittura(int i) const { return MappaScritturaLED[i]; }
QString PaginaLED::Sezione(int i) const { return SezioneLED(i); }
int& PaginaLED::DecimaliFinestra() { return Finestra()->DecimaliPaginaLED; }

void PaginaLED::MostraAltro(int i, bool configurato)
{
    // The load sets condition and colour with the parameter point. Without it they show what the
    // file holds when that is a code of the list (a save then keeps it), else the load's
    // defaults (1, 1).
    const auto& riga = MappaLetturaLED[i];
    auto codice = [&](int campo, const Chiavi::Chiave& chiave, int massimo) {
        if (riga[campo] >= 1)
            return static_cast<int>(riga[campo]);
        if (!configurato)
            return 1;
        const auto v = LeggiIntero(File_Ini::LeggiIni(SezioneLED(i), chiave));
        return v && *v >= 1 && *v <= massimo ? static_cast<int>(*v) : 1;
    };
    seleziona(Cmb_DisLED, codice(Condizione, D::Condizione, 6) - 1);
    seleziona(Cmb_ColoreLED, codice(Colore, D::Col, 5) - 1);
}

QList<EditorPunti::Scrittura> PaginaLED::ChiaviAltre() const
{
    return {{D::Condizione.Nome(), QString::number(Cmb_DisLED->currentIndex() + 1)},
            {D::Col.Nome(), QString::number(Cmb_ColoreLED->currentIndex() + 1)}};
}
