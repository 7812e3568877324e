#pragma once
#include "pagina.h"
#include "pagina_zone_chiavi.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

// Panel Pic_Zona_Sup of the settings window, opened over the zones page for the zone it shows:
// that zone's own captions of its five values and the picture of its synoptic button. It edits
// the zone it was opened for until it is closed, whatever the zones page shows meanwhile.
class PaginaZonaSup : public Pagina {
    Q_OBJECT
public:
    explicit PaginaZonaSup(Comunicazioni* finestra);

    // Opens the panel for zone number 1..30, filled from that zone's section and the pictures
    // in the program folder.
    void ApriZona(int zona);
    // The zone being edited, 0 when the panel was never opened.
    int Zona() const { return zona_; }

    // ---- Event handlers ----
    void Cmb_Pics_Click();
    // 0 save and close, 1 close.
    void Cmd_ChiudiZoneSup_Click(int indice);

    QLabel* Lab_Titolo = nullptr;
    std::array<QLineEdit*, ChiaviZone::NumeroDiciture> Txt_ZonaSup{};
    QComboBox* Cmb_Pics = nullptr;
    QLabel* Img_Preview = nullptr;
    std::array<QToolButton*, 2> Cmd_ChiudiZoneSup{};

private:
    std::array<QString, ChiaviZone::NumeroDiciture> campi() const;
    // The entry chosen in Cmb_Pics; empty when none is.
    QString iconaScelta() const;

    // The panel's keys as it showed them when opened: a save writes only those changed since, so
    // a picture the list could not show, or showed under another case, stays as the file names it.
    QList<ChiaviZone::Scrittura> mostrate_;
    int zona_ = 0;
};
