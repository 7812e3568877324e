#pragma once
#include "pagina_dispositivi_comune.h"

#include <array>
#include <vector>

// Page Pic_InterruttoriMB of the settings window: the switches in use and, one at a time, a
// switch's name, node, decimals, its remote, ON and OFF points for reading and for writing and
// the values its ON and OFF points write.
class PaginaInterruttori : public PaginaDispositivi {
    Q_OBJECT
public:
    explicit PaginaInterruttori(Comunicazioni* finestra);

    // The record's 14 boxes: row ON 0..4, row OFF 5..9 (read code, read register, write code,
    // write register, value), remote row 10..13.
    static const std::array<EditorPunti::Voce, 8> Record;

    void Cmb_InterruttoriUsati_Click() { CambiaConteggio(); }
    void Cmb_Interruttore_Click() { MostraScelto(); }
    void Cmb_DecimaliInt_Click() { CambiaDecimali(); }
    void Cmd_ChiudiInt_Click(int indice) { Chiudi(indice); }

    QComboBox* Cmb_InterruttoriUsati = nullptr;
    QComboBox* Cmb_Interruttore = nullptr;
    QLineEdit* Txt_NomeInterruttore = nullptr;
    QComboBox* Cmb_IndirizzoInt = nullptr;
    QComboBox* Cmb_DecimaliInt = nullptr;
    std::vector<CasellaValore*> Txt_ZoneMBInt;
    std::array<QToolButton*, 3> Cmd_ChiudiInt{};

protected:
    int Conteggio() const override;
    QString NomeModello(int i) const override;
    EditorPunti::Riga Lettura(int i) const override;
    EditorPunti::Riga Scrittura(int i) const override;
    QString Sezione(int i) const override;
    int& DecimaliFinestra() override;
};
