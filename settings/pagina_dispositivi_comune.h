#pragma once
// What the switches page and the LEDs page share: the count of devices in use (written to the
// settings file the moment it is chosen), the chooser of one device, its name, node and decimals,
// the record's boxes and the three buttons (save and exit, exit without saving, save and stay).
// The page shows the plant model after the last whole-configuration load, and what the load could
// not take as the file holds it; a save writes, into the section of the device the page shows, the
// keys the operator changed since (after checking them), one by one, and reloads the configuration.
#include "editor_punti.h"
#include "pagina.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

class CasellaValore;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

class PaginaDispositivi : public Pagina {
    Q_OBJECT
public:
    // Names and texts of one page's shared controls.
    struct Descrizione {
        const char* pagina;     // Pic_InterruttoriMB
        const char* titolo;     // "Impostazione interruttori ON/OFF"
        const char* usati;      // Cmb_InterruttoriUsati, its caption and tooltip
        const char* testoUsati;
        const char* suggerimentoUsati;
        const char* scelta;     // Cmb_Interruttore
        const char* testoScelta;
        const char* suggerimentoScelta;
        const char* nome;       // Txt_NomeInterruttore
        const char* testoNome;
        const char* suggerimentoNome;
        const char* nodo;       // Cmb_IndirizzoInt
        const char* decimali;   // Cmb_DecimaliInt
        const char* caselle;    // Txt_ZoneMBInt
        const char* pulsanti;   // Cmd_ChiudiInt
        const char* ripiego;    // "Interruttore ": the name offered when the model has none
        const Chiavi::Chiave* chiaveUsati;  // [Generale] Interruttori
        int massimo;            // devices at most
        EditorPunti::Record record;
        int numeroCaselle;
    };

    // The page's share of the list filling: count, node and decimals lists, nothing selected.
    void RiempiListe(bool saltaCrono) override;
    // Shows the count just loaded with its first device (nothing written: the count is in
    // force), and shows the page.
    void Apri() override;

    // The count list's selection changed: rebuilds the chooser, writes the count at once, and
    // for a count above 0 reloads the configuration and shows the first device.
    void CambiaConteggio();
    // The chooser's selection changed: the chosen device's record, or the empty state.
    void MostraScelto();
    // The decimals list's selection changed: the page decimals and every value box with them.
    void CambiaDecimali();
    // Buttons 0 save and exit, 1 exit without saving, 2 save and stay.
    void Chiudi(int indice);

    // The decimals the page's value boxes are read and written with (a bit point's: none).
    int DecimaliPagina() const { return decimali_; }
    // The device whose record the boxes show (0-based), none in the empty state. Until a
    // reload the page asked for has run, it may not be the one the chooser names.
    std::optional<int> Mostrato() const { return mostrato_; }
    // Every key of the device shown, in the order a save writes them, as the controls stand now
    // (unchecked); none in the empty state.
    Impostazioni::Scritture ChiaviMostrate() const;

protected:
    PaginaDispositivi(Comunicazioni* finestra, const Descrizione& descrizione);

    // What the page's own part of the plant model holds.
    virtual int Conteggio() const = 0;
    virtual QString NomeModello(int i) const = 0;
    virtual EditorPunti::Riga Lettura(int i) const = 0;
    virtual EditorPunti::Riga Scrittura(int i) const = 0;
    virtual QString Sezione(int i) const = 0;
    // The window's copy of the page decimals.
    virtual int& DecimaliFinestra() = 0;
    // The page's other controls for device i, and their keys after the record's.
    // `configurato`: the device has a node (the model holds it).
    virtual void MostraAltro(int i, bool configurato) { Q_UNUSED(i); Q_UNUSED(configurato); }
    virtual QList<EditorPunti::Scrittura> ChiaviAltre() const { return {}; }

    // Places `w` at `left`, `top` with size `larghezza` x `altezza`, all in twips.
    static void Colloca(QWidget* w, int left, int top, int larghezza, int altezza);
    QLabel* Etichetta(const QString& testo, int left, int top, int larghezza);
    // The places are the form's, in twips, made for a narrower face: every label and box takes
    // the largest size, down to 7 points, at which its widest text fits its place.
    void AdattaCaratteri();

    QLabel* titolo_ = nullptr;
    QComboBox* usati_ = nullptr;
    QComboBox* scelta_ = nullptr;
    QLineEdit* nome_ = nullptr;
    QComboBox* nodo_ = nullptr;
    QComboBox* decimaliLista_ = nullptr;
    std::vector<CasellaValore*> caselle_;
    std::array<QToolButton*, 3> pulsanti_{};
    std::unique_ptr<EditorPunti::EditorRecord> editor_;
    std::vector<QLabel*> etichette_;

private:
    // The chooser for `n` devices: "1".."n" with the first chosen, or the lone "0" with none.
    void RiempiScelta(int n);
    bool Salva();

    Descrizione d_;
    int decimali_ = 0;
    std::optional<int> mostrato_;
};
