#pragma once
// The history window: one past day on its own chart, chosen in a calendar, with the trace boxes,
// statistics, cursor read-out, clear and print of the live window. Created once, hidden; closing
// it only hides it.
#include "finestratrend.h"

#include <QCalendarWidget>

class Storico : public FinestraTrend {
    Q_OBJECT
public:
    // A whole day at one point a second, the fastest the zone pass can write history lines; the
    // day the clocks go back has 25 hours.
    static constexpr int PuntiGiorno = 25 * 3600;
    // The shortest line a history file can hold: "dd/MM/yyyy;0;" and a line break.
    static constexpr int RigaMinima = 14;
    // Load status of a picked day: 0 the load itself failed, 1 the file is damaged (whatever could
    // be read of it is on the chart), 2 read completely, 3 no file for that day.
    enum StatoCaricamento { ErroreCaricamento = 0, FileDanneggiato = 1, FileCaricato = 2, FileAssente = 3 };

    explicit Storico(QWidget* genitore = nullptr);

    QFrame* Pic_CursoreS = nullptr;
    QToolButton* Cmd_Apri = nullptr;
    QToolButton* Cmd_Chiudi = nullptr;
    QCalendarWidget* Calendar = nullptr;

    void Form_Load();
    void Cmd_Apri_Click();
    void Cmd_Chiudi_Click();
    // The day picked in the calendar: the chart cleared and filled with that day's file, shown
    // from 00:00 (or the start of the pass that crossed midnight into the day) to 24:00, then one
    // message by the status. Returns the status.
    int Calendar_Click();
    void Pic_CursoreS_MouseDown(int pulsante, QPoint doveSchermo) { PannelloCursore_MouseDown(pulsante, doveSchermo); }

    // The history file name of a day, "yyyy_mm_dd.csv", and the day as the messages name it.
    static QString NomeFileGiorno(const QDate& giorno);
    static QString TestoGiorno(const QDate& giorno);

protected:
    void DopoVediCursore() override;
    void showEvent(QShowEvent* e) override;
};
