#pragma once
#include <QWidget>

#include <array>
#include <vector>

class QFrame;
class QLabel;
class QPushButton;

// The synoptic: the plant picture with one button per zone, the switch and LED icons, the
// opener and webcam buttons, the zone information panel and the webcam panel. Every device
// control array has a designed element 0; the configuration load creates the further elements
// as copies of it inside the plant picture and destroys them at the next load, so nothing
// outside this window may keep a pointer to an element.
class Sinottico : public QWidget {
    Q_OBJECT
public:
    explicit Sinottico(QWidget* parent = nullptr);

    // One pixel is 15 twips.
    static constexpr int TwipPerPixel = 15;
    static int Pixel(int twips);

    // Closes the zone and webcam panels and clears the panel's zone texts.
    void ChiudiPannelli();
    // Name and row captions of the zone panel for zone 1..30; 0 or less: no zone, the general
    // captions only.
    void MostraInfoZona(int zona);
    // Destroys the elements the last load created and builds the device controls again from
    // the plant model: names, positions, icons, tab and front-to-back order, plant picture.
    void RicostruisciDispositivi();
    // "--.-" on every value row and zone button.
    void AzzeraSinottico();
    // Every switch at its OFF look, every LED at the look of state 0.
    void RipristinaIcone();

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

    QFrame* Pic_Info = nullptr;
    QLabel* Lab_Nome = nullptr;
    std::array<QLabel*, 5> Lab_Temp_1{};
    std::array<QLabel*, 5> Lab_Temp{};
    QPushButton* Cmd_Chiudi = nullptr;
    QFrame* Pic_WebCam = nullptr;

    // The seven LED looks, L0 .. L6.
    std::array<std::vector<QLabel*>*, 7> LookLED();
    // The three switch looks: off, on, undetermined.
    std::array<std::vector<QLabel*>*, 3> LookInterruttore();

protected:
    void resizeEvent(QResizeEvent* evento) override;

private:
    void creaPianta();
    void creaDispositivi();
    void creaPannelloInfo();
    void centraPianta();
};
