#pragma once
// One station per program folder. Two stations on one folder would both poll the line (each
// one's exchanges failing while the other holds the port), both append to the day's history
// file and both write the settings files. A station takes its folder by a lock file there and
// keeps it until it ends.
#include <QLockFile>
#include <QString>

namespace Piattaforma {

class Istanza {
public:
    // The lock file, in the program folder.
    static constexpr const char* NomeFile = "quelvar.lck";

    enum class Esito {
        Presa,      // the folder is this station's until the object is destroyed
        Occupata,   // a running station holds the folder
        Impossibile // the lock file cannot be made (a folder without write permission, a full
                    // disk): nothing tells whether another station runs there
    };

    // The lock of `cartella`; nothing is touched yet.
    explicit Istanza(const QString& cartella);
    Istanza(const Istanza&) = delete;
    Istanza& operator=(const Istanza&) = delete;

    // Takes the folder without waiting. A lock file whose station is no longer running (killed,
    // crashed, a power cut, a machine restarted since) is removed and the folder taken: the lock
    // records its station's process, host and boot, and only a live process makes it hold.
    Esito Prendi();

    QString Percorso() const { return percorso_; }

private:
    QString percorso_;
    QLockFile blocco_;
};

}  // namespace Piattaforma
