#pragma once
#include "programmi.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QCalendarWidget;
class QCheckBox;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QMenuBar;
class QPrinter;
class QPushButton;
class QToolButton;
class MenuOfferto;
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
// configuration load keeps in line with the settings. It is created once and only hidden.
class Comunicazioni : public QWidget {
    Q_OBJECT
public:
    explicit Comunicazioni(QWidget* parent = nullptr);

    // The window's load, once at start-up: calendar on today, the whole-configuration load with
    // the chrono files, then every choice list filled and every page placed and hidden.
    void Form_Load();
    // The close box: the window is only hidden (through NascondiFinestra) and accessory button
    // 5 is offered again.
    void Form_QueryUnload();
    // Hides the window and puts the main window's menu mark and toolbar button in step; set by
    // the shell.
    std::function<void()> NascondiFinestra;

    // The whole-configuration load followed by the read of the chrono files, through the bus
    // queue (at once when the bus is free); `dopo` runs right after it. While it waits for its
    // turn the window takes no input.
    void CaricaImpostazioni(std::function<void()> dopo = {});
    // Hides the eight pages at their places (the supplementary zone panel closes itself) and
    // reloads; `dopo` runs after the reload.
    void NascondiPagine(std::function<void()> dopo = {});
    // A page menu: the pages hidden, the configuration reloaded, then the page's own opening.
    void ApriPagina(Pagina* pagina);

    // Every choice list of the pages emptied and filled, in the pages' order, each page placed
    // and hidden; `saltaCrono` skips the chrono editor's zone choice (and its read of the chrono
    // files).
    void RiempiListe(bool saltaCrono);

    // Option menus: the [Generale] key written, then the option's loader run again.
    void MenuAvvioAuto_Click(int indice);
    void MenuVediGraf_Click(int indice);
    void Menu_Vedi_Ricette_Click(int indice);
    void MenuCronoT_Click(int indice);
    void MenuMaster_Click(int indice);
    // The item's check mark has already been inverted: its new state is written.
    void MenuMS_Pan_Click(int indice);

    // The other program mode in Quelvar0.ini, then the steps of "Rileggi file dati"; the mode
    // is the other of the one in force when its turn comes.
    void MenuCambiaIni_Click();
    void MenuEditaDati_Click();
    void MenuEditaFeste_Click();
    void MenuRileggiIni_Click();
    void MenuRileggiDati_Click();
    void Cmd_Accessori_Click(int indice);
    void Cmd_Stampa_Click();

    // The settings menu offered or withdrawn (greyed) until the next call, whatever disables and
    // enables the window meanwhile. Withdrawn while open, it closes.
    void OffriMenuImposta(bool offerto);

    // Starts a desktop program (the platform's launcher; tests put their own).
    std::function<bool(Piattaforma::Programma, const QStringList&)> AvviaProgramma = &Piattaforma::AvviaProgramma;

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
    QAction* MenuPorta = nullptr;
    QAction* MenuNull0 = nullptr;
    QAction* MenuZone = nullptr;
    QAction* MenuInterruttori = nullptr;
    QAction* MenuIndicatori = nullptr;
    QAction* MenuApriPorta = nullptr;
    QAction* MenuWebCam = nullptr;
    QAction* MenuStagioni = nullptr;
    QAction* MenuNull1 = nullptr;
    QAction* MenuEditaDati = nullptr;
    QAction* MenuEditaFeste = nullptr;
    QAction* MenuNull2 = nullptr;
    QAction* MenuRileggiIni = nullptr;
    QAction* MenuRileggiDati = nullptr;
    QAction* MenuNull3 = nullptr;
    QAction* MenuCambiaIni = nullptr;
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

    // The main frame, kept centred: lists, buttons, calendar and the pages laid over it.
    QFrame* Frm_Com = nullptr;

    // Lst_Letture, Lst_Scritture, Lst_RemL, Lst_RemW, in the order of ListaComunicazione.
    std::array<QListWidget*, 4> Liste{};
    QListWidget* Lst_Letture = nullptr;
    QListWidget* Lst_Scritture = nullptr;
    QListWidget* Lst_RemL = nullptr;
    QListWidget* Lst_RemW = nullptr;
    std::array<QLabel*, 4> Lab_Comunica{};

    QPushButton* Cmd_Stampa = nullptr;
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
    MenuOfferto* offerta_ = nullptr;  // MenuImposta itself
    // One option menu: the key written and the loader run again, through the bus queue.
    void scriviOpzione(const QString& chiave, const QString& valore, void (*caricatore)());
    // Work of this window in its turn of the bus, asking for the cut of the pass under way:
    // `lavoro`, then `dopo` when the window is still there. False from `lavoro` is a refused
    // write, told once the turn is given back.
    void nelTurno(std::function<bool()> lavoro, std::function<void()> dopo = {});
    // Work of this window waiting for its turn, and the control that had the focus when the
    // window stopped taking input.
    int inAttesa_ = 0;
    QPointer<QWidget> fuoco_;
    void rileggi(bool saltaCrono);
    void avvia(Piattaforma::Programma ruolo, const QStringList& argomenti = {});
};
