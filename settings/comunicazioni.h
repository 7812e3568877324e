#pragma once
#include <QWidget>

#include <array>
#include <functional>

class QAction;
class QCalendarWidget;
class QCheckBox;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QMenuBar;
class QToolButton;
class Pagina;
class PaginaApriporta;
class PaginaCT;
class PaginaInterruttori;
class PaginaLED;
class PaginaRS232;
class PaginaStagione;
class PaginaWebcam;
class PaginaZonaSup;
class PaginaZone;

// The settings window: pages for every device, the serial line and the program options. It
// shows the four communication lists of the plant model and the option menus that the
// configuration load keeps in line with the settings.
class Comunicazioni : public QWidget {
    Q_OBJECT
public:
    explicit Comunicazioni(QWidget* parent = nullptr);

    // The whole-configuration load followed by the read of the chrono files, through the bus
    // queue (at once when the bus is free); `dopo` runs right after it.
    void CaricaImpostazioni(std::function<void()> dopo = {});
    // Hides the eight pages (the supplementary zone panel closes itself) and reloads.
    void NascondiPagine();

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

    // The holiday calendar the chrono page shows and hides.
    QCalendarWidget* Calendar = nullptr;

    // The nine pages, in the order of Pagine.
    PaginaRS232* Pic_RS232 = nullptr;
    PaginaZone* Pic_ZoneMB = nullptr;
    PaginaZonaSup* Pic_Zona_Sup = nullptr;
    PaginaInterruttori* Pic_InterruttoriMB = nullptr;
    PaginaLED* Pic_LED = nullptr;
    PaginaApriporta* Pic_Apriporta = nullptr;
    PaginaWebcam* Pic_WebCam = nullptr;
    PaginaStagione* Pic_Stagione = nullptr;
    PaginaCT* Pic_CT = nullptr;
    std::array<Pagina*, 9> Pagine{};

    // Controls of the pages that the configuration load sets.
    QCheckBox* Chk_Remoto = nullptr;
    QCheckBox* Chk_Attivita_Linea = nullptr;
    QLabel* Lab_CT_UM = nullptr;

    // The decimals of the switch and door-opener pages (one value for both: one page is shown
    // at a time) and of the LED page.
    int DecimaliPagina = 0;
    int DecimaliPaginaLED = 0;

private:
    void createMenus();
    void createLists();
    void createPages();
};
