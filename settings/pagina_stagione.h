#pragma once
#include "pagina.h"

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// Page Pic_Stagione of the settings window ("Impostazione stagioni"): the names of the summer and
// winter recipes, relative to the folder Ricetta, and the button that writes the recipe template.
class PaginaStagione : public Pagina {
    Q_OBJECT
public:
    explicit PaginaStagione(Comunicazioni* finestra);

    // The menu "Stagioni", once the pages are hidden and the configuration reloaded: the two
    // boxes from the settings file, then the page.
    void Apri() override;
    void Cmd_CreaRicetta_Click();
    // 0: save both names as typed, then reload and close; 1: reload and close without saving.
    void Cmd_Chiudi_Stag_Click(int Index);

    QLabel* Lab_Titolo = nullptr;
    QLineEdit* Txt_Estate = nullptr;
    QLineEdit* Txt_Inverno = nullptr;
    QPushButton* Cmd_CreaRicetta = nullptr;
    std::array<QToolButton*, 2> Cmd_Chiudi_Stag{};
};
