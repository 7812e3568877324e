#pragma once
#include "pagina.h"
#include "chiavi.h"
#include "pagina_zone_chiavi.h"

#include <array>
#include <functional>

class CasellaValore;
class GrigliaPuntiZona;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

// Page Pic_ZoneMB of the settings window: the zone count, and zone by zone its name, node,
// decimals, master/slave role and Modbus points; the plant picture, the absolute chart limits
// and the unit of the zone values; the common captions of the five values and the three
// display selectors. It shows what the last configuration load put into the plant model, and a
// point the load could not take as the file holds it.
class PaginaZone : public Pagina {
    Q_OBJECT
public:
    explicit PaginaZone(Comunicazioni* finestra);

    // The synoptic's caption label of value i (0..4) takes a new common caption and the synoptic
    // is redrawn. Set by the shell; empty: only the settings file changes.
    static inline std::function<void(int indice, const QString& testo)> MostraDicitura;

    void RiempiListe(bool saltaCrono) override;
    // Shows the zone list for the count in force and the first zone.
    void Apri() override;

    // ---- Event handlers ----
    void Cmb_ZoneUsate_Click();
    void Cmb_Zone_Click();
    void Chk_Master_Click();
    void Chk_Slave_Click();
    // 0 save and close, 1 close without saving, 2 save and stay.
    void Cmd_ChiudiZone_Click(int indice);
    void Cmd_ModificaDicitura_Click(int indice);
    void Cmd_ZoneAvanzate_Click();
    void Opt_Sin_Click(int indice);
    void Opt_Graf_Click(int indice);
    void Opt_Crono_Click(int indice);

    // The number in the chosen entry of Cmb_Zone; 0 when none is chosen.
    int ZonaScelta() const;
    // The controls as the save reads them.
    ChiaviZone::Pagina Valori() const;

    QLabel* Lab_Titolo = nullptr;
    QComboBox* Cmb_ZoneUsate = nullptr;
    QComboBox* Cmb_Zone = nullptr;
    QLineEdit* Txt_NomeLoop = nullptr;
    QComboBox* Cmb_Indirizzo = nullptr;
    QComboBox* Cmb_Decimali = nullptr;
    QCheckBox* Chk_Master = nullptr;
    QCheckBox* Chk_Slave = nullptr;
    GrigliaPuntiZona* Punti = nullptr;
    std::array<CasellaValore*, ChiaviZone::NumeroCaselle> Txt_ZoneMB{};
    QLineEdit* Txt_Immagine = nullptr;
    QComboBox* Cmb_MinAss = nullptr;
    QComboBox* Cmb_MaxAss = nullptr;
    QComboBox* Cmd_Umisura = nullptr;
    std::array<QRadioButton*, 5> Opt_Sin{};
    std::array<QRadioButton*, 5> Opt_Graf{};
    std::array<QRadioButton*, 5> Opt_Crono{};
    std::array<QPushButton*, 5> Cmd_ModificaDicitura{};
    QToolButton* Cmd_ZoneAvanzate = nullptr;
    std::array<QToolButton*, 3> Cmd_ChiudiZone{};

    // The supplementary panel goes with the page it is shown over: when the page is closed (its
    // buttons, another page's menu) the panel closes too, without saving. Hiding the settings
    // window leaves both as they are.
    void setVisible(bool visibile) override;

private:
    void creaControlli();
    // The zone list for `n` zones and the page for its first zone (none for 0); nothing written.
    void mostraConteggio(int n);
    void mostraSelettori();
    void selettore(QButtonGroup* gruppo, const Chiavi::Chiave& chiave, int& indice, int scelto);
    void avvisa(const QString& testo);

    // The keys of the zone shown, as the page showed them: a save writes only those changed since.
    QList<ChiaviZone::Scrittura> mostrateZona_;
    QButtonGroup* gruppoSin_ = nullptr;
    QButtonGroup* gruppoGraf_ = nullptr;
    QButtonGroup* gruppoCrono_ = nullptr;
};
