#pragma once
#include "chiavi.h"
#include "pagina.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QToolButton;

// What the serial page shows and saves, without the window.
namespace PaginaSeriale {

// The seven lists: port, line format, retries, time-out, remote, acquisition and LED periods.
enum Lista { Porta = 0, Formato, Retry, TimeOut, CicloRem, CicloMisura, CicloLED, NumeroListe };

// The entries of list `lista`.
QStringList Voci(int lista);
// The key each list edits in [COM], and the default the page reads it with. The time-out's is
// the one the link runs with when the key is missing, so an untouched page saves what runs.
Chiavi::Chiave ChiaveLista(int lista);

struct Valori {
    std::array<QString, NumeroListe> liste;  // the selected entries; empty: none selected
    bool remoto = false;
    bool attivita = false;
    QString suonoAllarme;  // as typed
};

// The keys the save writes, in order: [COM] Porta, Formato, Retry, TimeOut, Base Remoto,
// Base Misura, Base LED, Remoto, Attivita, then [Sinottico] SuonoAllarme. A list with nothing
// selected writes no key.
Impostazioni::Scritture ChiaviDaSalvare(const Valori& v);

}  // namespace PaginaSeriale

// Page Pic_RS232 of the settings window: serial line, polling periods, line options, alarm sound.
class PaginaRS232 : public Pagina {
    Q_OBJECT
public:
    explicit PaginaRS232(Comunicazioni* finestra);

    void RiempiListe(bool saltaCrono) override;
    // Filled from the settings file, then shown.
    void Apri() override;
    // 0 saves what changed since the page opened, reloads and closes; 1 reloads and closes.
    void Cmd_Chiudi_RS232_Click(int indice);

    PaginaSeriale::Valori ValoriPagina() const;

    QComboBox* Cmb_RS232 = nullptr;
    QComboBox* Cmb_ImpRS232 = nullptr;
    QComboBox* Cmb_Retry = nullptr;
    QComboBox* Cmb_TimeOut = nullptr;
    QComboBox* Cmb_CicloRem = nullptr;
    QComboBox* Cmb_CicloMisura = nullptr;
    QComboBox* Cmb_CicloLED = nullptr;
    // In the order of PaginaSeriale::Lista.
    std::array<QComboBox*, PaginaSeriale::NumeroListe> Liste{};
    QCheckBox* Chk_Remoto = nullptr;
    QCheckBox* Chk_Attivita_Linea = nullptr;
    QLineEdit* Txt_SuonoAllarme = nullptr;
    std::array<QToolButton*, 2> Cmd_Chiudi_RS232{};
};
