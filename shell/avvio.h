#pragma once
// The station's start-up: the program folder taken, the splash, then every window created and
// loaded hidden in their order, then, when the splash ends, the main window and the
// communicate-or-simulate question.
#include <QObject>
#include <QString>

#include <memory>

class Finestre;
class frmSplash;
namespace Piattaforma {
class Istanza;
}

class Avvio : public QObject {
    Q_OBJECT
public:
    // The question's text: a line to talk to the instruments, one to simulate them.
    static const QString Domanda;
    // The box of a start refused because a running station holds the program folder.
    static const QString GiaInEsecuzione;

    // Takes the program folder for this process, before anything reads a file of it or opens the
    // port. False, once the operator has closed the box, when a running station holds it. A
    // folder where the lock cannot be made (no write permission, a full disk) does not stop the
    // plant's supervision: the station starts unguarded and says so on its log.
    static bool PrendiCartella(Piattaforma::Istanza& istanza);

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
