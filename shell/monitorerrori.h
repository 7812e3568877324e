#pragma once
#include <QWidget>

#include <array>

class QLabel;
class QListWidget;
class QPushButton;

// The communication-error monitor: the devices whose communication alarm is latched, zones on
// the left and switches/LED indicators on the right. Topmost, not modal; closing only hides it.
class Allarmi : public QWidget {
    Q_OBJECT
public:
    explicit Allarmi(QWidget* parent = nullptr);

    // Entries come ready from the alarm module: the device name and, in brackets, when its
    // alarm latched. Zones go to the left list, switches and LED indicators to the right one.
    void AggiungiVoceZona(const QString& voce);
    void AggiungiVoceDispositivo(const QString& voce);
    // Empties the zone list, then the switch and LED list.
    void SvuotaListe();
    // The history file's notices (an outage, then its end), below the two lists and shown only
    // once there is one. They are not communication errors: the reset leaves them; the oldest
    // go beyond NoteStoricoMassime.
    void AggiungiVoceStorico(const QString& voce);
    static constexpr int NoteStoricoMassime = 100;

    // Opens the monitor; the reset button is offered only to a technician or an administrator
    // logged in at this moment.
    void Mostra();

    // (0) reset and close, (1) close only; the close box is (1), so it never resets.
    void Cmd_Chiudi_Click(int Index);

    QListWidget* Lst_AllarmiZ = nullptr;
    QListWidget* Lst_AllarmiI = nullptr;
    QListWidget* Lst_Storico = nullptr;
    QLabel* Lab_Storico = nullptr;
    std::array<QLabel*, 2> Lab_ZoneAll{};
    std::array<QPushButton*, 2> Cmd_Chiudi{};

signals:
    // Generale::ChiudiMonitor(Index) is connected here: it resets (Index 0) and hides the monitor.
    void ChiudiMonitor(int Index);

protected:
    void closeEvent(QCloseEvent* event) override;
};
