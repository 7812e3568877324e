#pragma once
#include "editor_punti.h"
#include "pagina.h"

#include <array>
#include <memory>
#include <variant>

class CasellaValore;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QToolButton;

// What the door-opener page shows and saves, without the window.
namespace PaginaApriportaDati {

// The opener's name as the page shows it: the loaded name, or when that is empty the mode's own
// word ("Apricancello" in season mode, "Accensione" in recipe mode).
QString NomeMostrato(const QString& nomeCaricato, bool modoStagioni);

// The opener's points and values, in the order their keys are saved. The opener is only written
// at its ON and OFF points, so the read boxes 0, 1, 5 and 6 feed no key.
extern const std::array<EditorPunti::Voce, 6> Record;

struct Valori {
    bool usa = false;
    bool riempita = false;  // the fields show the opener (after the reload a tick asks for)
    QString suono;  // as typed
    QString nome;   // as typed
    QString indirizzo, decimali, tempo;  // the selected entries; empty: none selected
    int decimaliPagina = 0;              // the page decimals the values are read with
    std::array<QString, 14> caselle;     // the grid boxes
};

// Every key of the page as its controls stand, in the order a save writes them, unchecked:
// [Generale] Apriporta; only when the opener is used and its fields show it, then [Sinottico]
// SuonoPorta and [Apriporta] Nome, Indirizzo, Decimali, Tempo, REM_r, REM_w, On_w, Val_on, Off_w,
// Val_off. A list with nothing selected gives no key. A value is given in the decimals the load
// reads it with (none for a coil), so an unchanged page gives what it showed.
Impostazioni::Scritture ChiaviDaSalvare(const Valori& v);
// The box to correct and why, when the fields show the opener and a point or value the save
// writes (among the keys `cambiate`) is one the load could not take.
std::optional<EditorPunti::Rifiuto> Verifica(const Valori& v, const Impostazioni::Scritture& cambiate);

// The grid box after box `i` for Enter: 4 to 7, 13 to 2, any other to the next; the four read
// boxes of the ON and OFF rows are never reached.
int CasellaSuccessiva(int i);

}  // namespace PaginaApriportaDati

// Page Pic_Apriporta of the settings window: the door or gate opener.
class PaginaApriporta : public Pagina {
    Q_OBJECT
public:
    explicit PaginaApriporta(Comunicazioni* finestra);

    void RiempiListe(bool saltaCrono) override;
    // The use box from the plant model, its behaviour run, then the page shown.
    void Apri() override;

    // Ticked: [Generale] Apriporta = "1" written at once, the configuration reloaded, the page
    // filled from it. Cleared: everything emptied and disabled, nothing written.
    void Chk_UsaApriporta_Click();
    // The page decimals from the selected entry (kept when none), the value boxes reformatted.
    void Cmb_Decimali_AP_Click();
    // Save (the keys changed since the page was filled), reload, close; a value or point the
    // load could not take is refused with a message and the page stays open on that box.
    void Cmd_Chiudi_AP_Click();
    void Cmd_Chiudi_AP2_Click();  // close: nothing written, nothing reloaded

    PaginaApriportaDati::Valori ValoriPagina() const;

    QCheckBox* Chk_UsaApriporta = nullptr;
    QLineEdit* Txt_NomeApriporta = nullptr;
    QComboBox* Cmb_Indirizzo_AP = nullptr;
    QComboBox* Cmb_Decimali_AP = nullptr;
    QComboBox* Cmd_Tempo_AP = nullptr;
    std::array<CasellaValore*, 14> Txt_ZoneMB_AP{};
    QLineEdit* Txt_Suono = nullptr;
    QToolButton* Cmd_Chiudi_AP = nullptr;
    QToolButton* Cmd_Chiudi_AP2 = nullptr;

private:
    void svuota();
    void riempi();
    bool riempita_ = false;
    std::unique_ptr<EditorPunti::EditorRecord> editor_;
};
