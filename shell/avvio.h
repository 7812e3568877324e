#pragma once
// The station's start-up: the splash first, then every window created and loaded hidden in
// their order, then, when the splash ends, the main window and the communicate-or-simulate
// question.
#include <QObject>
#include <QString>

#include <memory>

class Finestre;
class frmSplash;

class Avvio : public QObject {
    Q_OBJECT
public:
    // The question's text: a line to talk to the instruments, one to simulate them.
    static const QString Domanda;

    // Creates the splash (its timer runs from here) and the windows, runs their loads, and
    // shows the splash. An accepted "Fine programma" ends the application's event loop.
    Avvio();
    ~Avvio() override;

    frmSplash* Splash() const { return splash_.get(); }
    Finestre& finestre() const { return *finestre_; }

    // The rest of the splash's end: the main window shows, then the question is asked. The
    // answer No (Esc and the close box answer No) simulates the instruments; Yes talks to them.
    void ChiudiSplash();

private:
    std::unique_ptr<frmSplash> splash_;
    std::unique_ptr<Finestre> finestre_;
};
