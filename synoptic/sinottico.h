#pragma once
#include "geometria.h"

#include <QWidget>

#include <array>
#include <memory>
#include <vector>

class CatturaVideo;
class QCheckBox;
class QFrame;
class QLabel;
class QMouseEvent;
class QPushButton;

namespace Acquisizione {
enum class IconaInterruttore;
}

// The synoptic: the plant picture with one button per zone, the switch and LED icons, the
// opener and webcam buttons, the zone information panel and the webcam panel. Every device
// control array has a designed element 0; the configuration load creates the further elements
// as copies of it inside the plant picture and destroys them at the next load, so nothing
// outside this window may keep a pointer to an element.
//
// The left button commands, the right button arranges: an administrator drags every item and
// its place is written to the active settings file at once.
class Sinottico : public QWidget {
    Q_OBJECT
public:
    explicit Sinottico(QWidget* parent = nullptr);
    ~Sinottico() override;

    // One pixel is 15 twips.
    static constexpr int TwipPerPixel = Geometria::TwipsPerPixel;
    static int Pixel(int twips);

    // The acquisition cycle's synoptic hooks call this window from now on.
    void CollegaGanci();
    // The webcam the panel shows (the system's default camera unless a test gives another).
    void ImpostaCattura(std::unique_ptr<CatturaVideo> cattura);

    // Closes the zone and webcam panels (the capture stops) and clears the panel's zone texts.
    void ChiudiPannelli();
    // Name and row captions of the zone panel for zone 1..30; 0 or less: no zone, the general
    // captions only.
    void MostraInfoZona(int zona);
    // Destroys the elements the last load created and builds the device controls again from
    // the plant model: names, positions, icons, tab and front-to-back order, plant picture.
    void RicostruisciDispositivi();

    // Value rows of the selected zone and every zone button (zone), switch looks (interruttori);
    // the window is repainted in any case.
    void AggiornaSinottico(bool zone, bool interruttori);
    // "--.-" on every value row and zone button.
    void AzzeraSinottico();
    // Every switch at its OFF look, every LED at the look of state 0.
    void RipristinaIcone();
    // LED `led` in the look of state -1 (not read), 0 (condition false) or 1..5 (lit in that
    // colour); any other state hides the LED.
    void MostraLED(int led, int stato);
    void MostraInterruttore(int interruttore, Acquisizione::IconaInterruttore icona);

    // ---- Event handlers ----
    void Cmd_PuntoMon_Click(int indice);
    void Cmd_Chiudi_Click();
    void Cmd_Apriporta_Click(int indice);
    void Img_on_Click(int indice);
    void Img_off_Click(int indice);
    void Img_ind_Click(int indice);
    void Lab_Temp_DblClick(int indice);
    void Cmd_Webcam_Click();
    void Cmd_ChiudiWC_Click();
    void Chk_Audio_Click();

    QLabel* Pic_Pianta = nullptr;
    std::vector<QPushButton*> Cmd_PuntoMon;
    std::vector<QLabel*> Img_off;
    std::vector<QLabel*> Img_on;
    std::vector<QLabel*> Img_ind;
    std::vector<QLabel*> Img_L0;
    std::vector<QLabel*> Img_L1;
    std::vector<QLabel*> Img_L2;
    std::vector<QLabel*> Img_L3;
    std::vector<QLabel*> Img_L4;
    std::vector<QLabel*> Img_L5;
    std::vector<QLabel*> Img_L6;
    std::array<QPushButton*, 2> Cmd_Apriporta{};
    QPushButton* Cmd_Webcam = nullptr;

    // Zone information panel.
    QFrame* Pic_Info = nullptr;
    QLabel* Lab_Nome = nullptr;
    std::array<QLabel*, 5> Lab_Temp_1{};
    std::array<QLabel*, 5> Lab_Temp{};
    // Row markers: plain value, value the slaves copy, value copied from the master, value
    // driven by the chrono programme.
    std::array<QLabel*, 5> Img_MS{};
    std::array<QLabel*, 5> Img_MS_M{};
    std::array<QLabel*, 5> Img_MS_S{};
    std::array<QLabel*, 5> Img_CR{};
    QLabel* Img_Master = nullptr;
    QLabel* Img_Slave = nullptr;
    QLabel* Img_Cro = nullptr;
    QPushButton* Cmd_Chiudi = nullptr;

    // Webcam panel.
    QFrame* Pic_WebCam = nullptr;
    QWidget* Video_OCX = nullptr;
    QLabel* Lab_Nome_WC = nullptr;
    QCheckBox* Chk_Audio = nullptr;
    QPushButton* Cmd_ChiudiWC = nullptr;

    // The seven LED looks, L0 .. L6.
    std::array<std::vector<QLabel*>*, 7> LookLED();
    // The three switch looks: off, on, undetermined.
    std::array<std::vector<QLabel*>*, 3> LookInterruttore();

protected:
    void hideEvent(QHideEvent* evento) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void creaPianta();
    void creaDispositivi();
    void creaPannelloInfo();
    void creaPannelloWebcam();
    void collega(QPushButton* zona);
    void ascolta(QWidget* w);
    CatturaVideo& cattura();
    void fermaWebcam();

    // Mouse-down on an item: a switch look records the button; an administrator's right button
    // starts a drag whose drop is stored.
    bool pressione(QWidget* w, QMouseEvent* e);
    void trascina(QWidget* w, QMouseEvent* e);
    void collocato(QWidget* w, QPoint prima);
    void mostraMarcatori(int indiceZona);

    std::unique_ptr<CatturaVideo> cattura_;
    QWidget* premuto_ = nullptr;  // the image a press went down on, for its click
};
