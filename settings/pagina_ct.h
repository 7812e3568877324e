#pragma once
#include "pagina.h"

#include <QPointer>

#include <array>

class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QToolButton;

// Page Pic_CT of the settings window: the chrono-thermostat (clock) editor. One zone's week
// programme at a time in seven day lists, an interval editor, the holiday list with the
// window's calendar, the copy of days and zones, save, re-read and print. The programme itself
// is `TabellaCrono` and the holidays `Crono::Festivita`: the lists only show them, and show them
// again whenever the chrono files are read.
class PaginaCT : public Pagina {
    Q_OBJECT
public:
    explicit PaginaCT(Comunicazioni* finestra);

    // Zone, start time, day and set-point lists; the calendar hidden.
    void RiempiListe(bool saltaCrono) override;
    // The use box's caption, the editor in place of the copy frame, the page shown.
    void Apri() override;

    // ---- Editor ----
    void Cmb_ZonaCT_Click();
    void Chk_UsaCrono_Click();
    void Cmb_Giorno_Click();
    void Cmb_DalleOre_Click();
    void Img_InviaModifica_Click(int index);
    void ApplicaIntervallo();

    // ---- Buttons and holidays ----
    void Cmd_OK_CT_Click(int index);
    void Calendar_Click();
    void Lst_Festa_DblClick();
    void Lst_Festa_MouseDown(Qt::MouseButton tasto, Qt::KeyboardModifiers modificatori);
    void StampaCronotermostato();

    // ---- Copy of days and zones ----
    void Chk_Copia_Click();
    void Opt_Copia_Click(int index);
    void Cmb_CopiaG1_Click();
    void Cmb_CopiaG_Click(int index);
    void Cmb_CopiaZ_Click(int index);
    void Cmd_Conferma_Click(int index);

    QComboBox* Cmb_ZonaCT = nullptr;
    QCheckBox* Chk_UsaCrono = nullptr;
    std::array<QListWidget*, 7> Lst_CT{};
    std::array<QLabel*, 7> Lab_CTg{};
    std::array<QLabel*, 7> Lab_CT{};
    QComboBox* Cmb_Giorno = nullptr;
    QComboBox* Cmb_DalleOre = nullptr;
    QComboBox* Cmb_AlleOre = nullptr;
    QComboBox* Cmb_CT_Temp = nullptr;
    QLabel* Lab_CT_UM = nullptr;
    std::array<QToolButton*, 2> Img_InviaModifica{};
    QFrame* Frm_Cronotermostato = nullptr;

    std::array<QToolButton*, 7> Cmd_OK_CT{};
    QListWidget* Lst_Festa = nullptr;
    QLabel* Lab_CTf = nullptr;

    QFrame* Frm_CopiaRic = nullptr;
    QCheckBox* Chk_Copia = nullptr;
    QFrame* Frm_Copia = nullptr;
    std::array<QRadioButton*, 2> Opt_Copia{};
    QComboBox* Cmb_CopiaG1 = nullptr;
    std::array<QComboBox*, 2> Cmb_CopiaG{};
    std::array<QComboBox*, 2> Cmb_CopiaZ{};
    std::array<QPushButton*, 2> Cmd_Conferma{};

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void hideEvent(QHideEvent* evento) override;
    void moveEvent(QMoveEvent* evento) override;

private:
    void createEditor();
    void createCopia();
    void createPulsanti();
    // The chosen zone's seven lists, its use flag and the holidays, from the data in memory.
    void mostraZona();
    void mostraFestivita();
    void mostraCopia(bool copia);
    void chiudi();
    void rileggi();
    void ordinaFestivita();
    bool salva();
    void posizionaCalendario();

    // The window's calendar, which the page shows and hides; gone first when the window goes.
    QPointer<QCalendarWidget> calendario_;
    bool leggendo_ = false;
};
