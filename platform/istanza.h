#pragma once
// One station per program folder. Two stations on one folder would both poll the line (each
// one's exchanges failing while the other holds the port), both append to the day's history
// file and both write the settings files. A station takes its folder by a kernel lock on a file
// there and keeps it until it ends.
#include <QString>

namespace Piattaforma {

class Istanza {
public:
    // The lock file, in the program folder. It stays there between runs: only the kernel lock
    // on it says that a station runs.
    static constexpr const char* NomeFile = "quelvar.lck";

    enum class Esito {
        Presa,      // the folder is this station's until the object is destroyed
        Occupata,   // a running station holds the folder
        Impossibile // the lock file cannot be made or locked (a folder without write permission,
                    // a full disk): nothing tells whether another station runs there
    };

    // The lock of `cartella`; nothing is touched yet.
    explicit Istanza(const QString& cartella);
    ~Istanza();
    Istanza(const Istanza&) = delete;
    Istanza& operator=(const Istanza&) = delete;

    // Takes the folder without waiting. The kernel lock dies with its process, however it ends
    // (killed, crashed, a power cut), so what a dead station left never holds the folder, and a
    // file left empty or half written by a power cut does not matter. A refused take changes
    // nothing in the folder. Once taken, the file holds the station's process number.
    Esito Prendi();

    QString Percorso() const { return percorso_; }

private:
    QString percorso_;
    int descrittore_ = -1;
};

}  // namespace Piattaforma
