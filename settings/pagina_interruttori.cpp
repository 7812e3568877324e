#include "pagina_interruttori.h"

#include "casellavalore.h"
#include "comunicazioni.h"
#include "generale.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

namespace {

namespace D = Chiavi::Dispositivo;
using namespace Generale;
using EditorPunti::Voce;

constexpr char RigaOn[] = "Accensione (ON)";
constexpr char RigaOff[] = "Spegnimento (OFF)";
constexpr char RigaRemoto[] = "Modo < Remoto >";

}  // namespace

// In the order the keys are saved.
const std::array<Voce, 8> PaginaInterruttori::Record = {{
    {&D::REM_r, RigaRemoto, false, false, 10, FunzioneREM},
    {&D::REM_w, RigaRemoto, false, true, 12, FunzioneREM},
    {&D::On_r, RigaOn, false, false, 0, FunzioneON},
    {&D::On_w, RigaOn, false, true, 2, FunzioneON},
    {&D::ValOn, RigaOn, true, true, 4, ValoreON, FunzioneON, 2, Casella::SuggerimentoValoreOn},
    {&D::Off_r, RigaOff, false, false, 5, FunzioneOFF},
    {&D::Off_w, RigaOff, false, true, 7, FunzioneOFF},
    {&D::ValOff, RigaOff, true, true, 9, ValoreOFF, FunzioneOFF, 7, Casella::SuggerimentoValoreOff},
}};

namespace {

const PaginaDispositivi::Descrizione descrizione = {
    "Pic_InterruttoriMB",
    "Impostazione interruttori ON/OFF",
    "Cmb_InterruttoriUsati", "Interruttori utilizzati:", "Numero di interruttori utilizzati",
    "Cmb_Interruttore", "Interruttore:", "Interruttore",
    "Txt_NomeInterruttore", "Nome interruttore:", "Nome dell'interruttore",
    "Cmb_IndirizzoInt",
    "Cmb_DecimaliInt",
    "Txt_ZoneMBInt",
    "Cmd_ChiudiInt",
    "Interruttore ",
    &Chiavi::Generale::Interruttori,
    MaxInterruttori,
    PaginaInterruttori::Record,
    14,
};

}  // namespace

PaginaInterruttori::PaginaInterruttori(Comunicazioni* finestra)
    : PaginaDispositivi(finestra, descrizione)
{
    Cmb_InterruttoriUsati = usati_;
    Cmb_Interruttore = scelta_;
    Txt_NomeInterruttore = nome_;
    Cmb_IndirizzoInt = nodo_;
    Cmb_DecimaliInt = decimaliLista_;
    Txt_ZoneMBInt = caselle_;
    Cmd_ChiudiInt = pulsanti_;

    // The grid: three rows of boxes under the headings Lettura (code, register) and Scrittura
    // (code, register, value).
    Etichetta(QStringLiteral("Lettura"), 1680, 3540, 975);
    Etichetta(QStringLiteral("Scrittura"), 2760, 3540, 1575);
    static const int colonne[] = {1680, 2040, 2760, 3120, 3720};
    // The value boxes reach to the page's edge, wide enough for a signed value with decimals.
    static const int larghezze[] = {375, 615, 375, 615, 780};
    static const int righe[] = {3840, 4141, 4440};
    static const char* const etichette[] = {"Accensione (ON):", "Spegnimento (OFF):", "Modo < Remoto >:"};
    for (int r = 0; r < 3; ++r) {
        Etichetta(QString::fromUtf8(etichette[r]), 30, righe[r] + 15, 1635);
        for (int c = 0; c < (r < 2 ? 5 : 4); ++c)
            Colloca(Txt_ZoneMBInt[5 * r + c], colonne[c], righe[r], larghezze[c], 285);
    }
    // Enter goes on to the next box, from the last back to the first.
    for (int i = 0; i < 14; ++i)
        Txt_ZoneMBInt[i]->successivo = [this, i] { return static_cast<QWidget*>(Txt_ZoneMBInt[(i + 1) % 14]); };

    static const int pulsanti[] = {360, 1740, 3120};
    for (int i = 0; i < 3; ++i)
        Colloca(Cmd_ChiudiInt[i], pulsanti[i], 5280, 1290, 660);
    setFixedSize(4560 / 15, 6120 / 15);
    AdattaCaratteri();
}

int PaginaInterruttori::Conteggio() const { return NumeroInterruttori; }
QString PaginaInterruttori::NomeModello(int i) const { return NomiInterruttori[i]; }
EditorPunti::Riga PaginaInterruttori::Lettura(int i) const { return MappaLetturaInterruttori[i]; }
EditorPunti::Riga PaginaInterruttori::Scrittura(int i) const { return MappaScritturaInterruttori[i]; }
QString PaginaInterruttori::Sezione(int i) const { return SezioneInterruttore(i); }
int& PaginaInterruttori::DecimaliFinestra() { return Finestra()->DecimaliPagina; }
