#pragma once
// The recipe window (caption "Configurazione strumenti"): loads a recipe (the summer or winter
// one named in the settings, or any file of the folder Ricetta), shows its rows in six aligned
// columns and sends them to the instruments with a progress bar. Created once, hidden; closing
// it only hides it, and it cannot be closed while it sends.
#include "generale.h"
#include "ricetta.h"

#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class QFrame;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

class Stagione : public QWidget {
    Q_OBJECT
public:
    explicit Stagione(QWidget* parent = nullptr);

    // (0) load the summer recipe, (1) the winter recipe, (2) a recipe chosen in the dialog.
    std::array<QPushButton*, 3> Cmd_Stagione{};
    QPushButton* Cmd_Cancella = nullptr;
    QPushButton* Cmd_Invio_Stagione = nullptr;
    QFrame* Frm_Stagione = nullptr;
    QFrame* Pic_Ricette = nullptr;
    std::array<QLabel*, 6> Lab_Stagioni{};
    // Entry i of every list is recipe row i; Lst_nDev (hidden) holds the row's zone number.
    QListWidget* Lst_Dev = nullptr;
    QListWidget* Lst_Sadd = nullptr;
    QListWidget* Lst_FC = nullptr;
    QListWidget* Lst_MB = nullptr;
    QListWidget* Lst_MBVal = nullptr;
    QListWidget* Lst_NomePar = nullptr;
    QListWidget* Lst_nDev = nullptr;
    QFrame* Pic_Avanzamento = nullptr;
    QProgressBar* ProgBar = nullptr;
    QLabel* Lab_Avanzamento = nullptr;

    // The pause after each write of zone index k, from the loaded recipe's Intervallo.
    std::array<qint32, Generale::MaxZone> IntervalloRicetta{};

    // The open-file dialog: given the folder it starts in, the full path chosen, empty when
    // cancelled. Tests put their own chooser here.
    std::function<QString(const QString& cartella)> Cmd_Dialog;
    // Called instead of the pauses of a sending (zone intervals, SLEEP rows, the last 200 ms).
    // Empty, as in the station: the sending waits, suspended; the windows' input stays disabled.
    std::function<void(int millisecondi)> Pausa;

    void Cmd_Stagione_Click(int Index);
    QString ScegliRicetta();
    void Cmd_Cancella_Click();
    void AllineaSelezione(int index);
    // A click (or a move of the selection) in one of the six visible columns selects the whole
    // row; the selections set by the alignment itself do nothing.
    void Lst_Dev_Click();
    void Lst_Sadd_Click();
    void Lst_FC_Click();
    void Lst_MB_Click();
    void Lst_MBVal_Click();
    void Lst_NomePar_Click();
    void Cmd_Invio_Stagione_Click();
    // Sends the rows in view inside the caller's turn of the bus. False, with nothing sent, when
    // no whole recipe with rows is loaded or a sending is already under way.
    QCoro::Task<bool> InviaProcedura();

    // What each showing of the window sets by the user's rights: the load and clear buttons, and
    // the send button only while a recipe loaded whole is in the lists.
    void AbilitaComandi(bool diritti);
    bool InvioInCorso() const { return invioInCorso_; }
    bool RicettaCompleta() const { return ricettaCompleta_; }

    static const QString Titolo;

protected:
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void creaPulsanti();
    void creaListe();
    void creaAvanzamento();
    void svuotaListe();
    void aggiungiRiga(const Ricette::RigaLista& riga);
    QList<Ricette::RigaLista> righe() const;
    void abilitaFinestre(bool abilita);

    // What the operator confirmed: the rows and their zones' pauses as they were at the "Yes".
    struct Confermata {
        QList<Ricette::RigaLista> righe;
        std::array<qint32, Generale::MaxZone> intervalli{};
    };
    // The sending is under way from here, its turn of the bus still to come: the windows take no
    // input, the progress shows, the window cannot be closed. No value when there is nothing to
    // send or a sending is under way already.
    std::optional<Confermata> avviaInvio();
    // Sends what was confirmed, inside the caller's turn, and makes the window idle again.
    QCoro::Task<bool> inviaConfermata(Confermata confermata);
    void concludiInvio();
    void abilitaInvio();
    void listaCliccata(QListWidget* lista);

    std::array<QListWidget*, 6> visibili_{};
    bool AllineamentoInCorso = false;
    bool invioInCorso_ = false;
    bool ricettaCompleta_ = false;
};
