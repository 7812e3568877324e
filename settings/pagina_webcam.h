#pragma once
#include "pagina.h"

#include <array>

class QCheckBox;
class QLineEdit;
class QToolButton;

namespace PaginaWebcamDati {
// [Generale] Webcam, then [Webcam] Nome, whatever the box: cleared, the name is written empty.
Impostazioni::Scritture ChiaviDaSalvare(bool usa, const QString& nome);
}  // namespace PaginaWebcamDati

// Page Pic_WebCam of the settings window: whether the synoptic offers the USB webcam, and its name.
class PaginaWebcam : public Pagina {
    Q_OBJECT
public:
    explicit PaginaWebcam(Comunicazioni* finestra);

    void Apri() override;
    // Ticked: the name box gets the loaded name; cleared: emptied and disabled. Nothing written.
    void Chk_Webcam_Click();
    // 0 saves what changed since the page opened, reloads and closes; 1 reloads and closes.
    void Cmd_Chiudi_WC_Click(int indice);

    QCheckBox* Chk_Webcam = nullptr;
    QLineEdit* Txt_Nome_WC = nullptr;
    std::array<QToolButton*, 2> Cmd_Chiudi_WC{};
};
