#pragma once
#include "pagina_dispositivi_comune.h"

#include <array>
#include <vector>

// Page Pic_LED of the settings window: the LEDs in use and, one at a time, a LED's name, node,
// decimals, the parameter point that lights it with the condition and threshold, the colour it
// shows lit and its remote points.
class PaginaLED : public PaginaDispositivi {
    Q_OBJECT
public:
    explicit PaginaLED(Comunicazioni* finestra);

    // The record's 7 boxes: 0, 1 the parameter point, 2 the threshold, 3, 4 the remote point
    // read, 5, 6 written.
    static const std::array<EditorPunti::Voce, 4> Record;

    void RiempiListe(bool saltaCrono) override;

    void Cmb_LEDUsati_Click() { CambiaConteggio(); }
    void Cmb_LED_Click() { MostraScelto(); }
    void Cmb_DecimaliLED_Click() { CambiaDecimali(); }
    void Cmd_ChiudiLED_Click(int indice) { Chiudi(indice); }

    QComboBox* Cmb_LEDUsati = nullptr;
    QComboBox* Cmb_LED = nullptr;
    QLineEdit* Txt_NomeLED = nullptr;
    QComboBox* Cmb_IndirizzoLED = nullptr;
    QComboBox* Cmb_DecimaliLED = nullptr;
    QComboBox* Cmb_DisLED = nullptr;
    QComboBox* Cmb_ColoreLED = nullptr;
    std::vector<CasellaValore*> Txt_ZoneMBLED;
    std::array<QToolButton*, 3> Cmd_ChiudiLED{};

protected:
    int Conteggio() const override;
    QString NomeModello(int i) const override;
    EditorPunti::Riga Lettura(int i) const override;
    EditorPunti::Riga Scrittura(int i) const override;
    QString Sezione(int i) const override;
    int& DecimaliFinestra() override;
    void MostraAltro(int i, bool configurato) override;
    QList<EditorPunti::Scrittura> ChiaviAltre() const override;
};
