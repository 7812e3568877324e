#pragma once
#include <QWidget>

#include <array>

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QMenuBar;
class QToolButton;

// The settings window: pages for every device, the serial line and the program options. It
// shows the four communication lists of the plant model and the option menus that the
// configuration load keeps in line with the settings.
class Comunicazioni : public QWidget {
    Q_OBJECT
public:
    explicit Comunicazioni(QWidget* parent = nullptr);

    // What the configuration load shows here.
    void MostraListe();  // the four lists from the plant model, entry 0 selected
    void MostraUnitaCrono(const QString& unita);
    void MostraOpzioneCrono();
    void MostraOpzioniRemoto();
    void MostraOpzioneAvvio();
    void MostraOpzioneGrafici();
    void MostraOpzioneRicette(bool attiva);
    void MostraOpzioneMaster();

    // Page titles; element 6 is the title of the chrono-thermostat (or clock) page.
    std::array<QLabel*, 7> Lab_Stat_Gen{};

    QMenuBar* BarraMenu = nullptr;
    QMenu* MenuImposta = nullptr;
    QMenu* MenuModalita = nullptr;
    QMenu* MenuVediGrafico = nullptr;
    QMenu* MenuRicette = nullptr;
    QMenu* MenuCronoT0 = nullptr;
    QMenu* MenuMaster0 = nullptr;
    std::array<QAction*, 2> MenuAvvioAuto{};
    std::array<QAction*, 2> MenuVediGraf{};
    std::array<QAction*, 2> Menu_Vedi_Ricette{};
    std::array<QAction*, 2> MenuCronoT{};
    std::array<QAction*, 2> MenuMaster{};
    std::array<QAction*, 5> MenuMS_Pan{};

    // Lst_Letture, Lst_Scritture, Lst_RemL, Lst_RemW, in the order of ListaComunicazione.
    std::array<QListWidget*, 4> Liste{};
    QListWidget* Lst_Letture = nullptr;
    QListWidget* Lst_Scritture = nullptr;
    QListWidget* Lst_RemL = nullptr;
    QListWidget* Lst_RemW = nullptr;
    std::array<QLabel*, 4> Lab_Comunica{};

    // 0 calculator .. 4 date and time, 5 the chrono-thermostat page.
    std::array<QToolButton*, 6> Cmd_Accessori{};

    QFrame* Pic_RS232 = nullptr;
    QCheckBox* Chk_Remoto = nullptr;
    QCheckBox* Chk_Attivita_Linea = nullptr;
    QFrame* Pic_CT = nullptr;
    QLabel* Lab_CT_UM = nullptr;

private:
    void createMenus();
    void createLists();
    void createPages();
};
