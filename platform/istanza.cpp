#include "istanza.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace Piattaforma {

Istanza::Istanza(const QString& cartella) : percorso_(QDir(cartella).filePath(QLatin1String(NomeFile))) {}

Istanza::~Istanza()
{
    if (descrittore_ >= 0)
        ::close(descrittore_);  // the lock goes with the descriptor; the file stays
}

Istanza::Esito Istanza::Prendi()
{
    if (descrittore_ >= 0)
        return Esito::Presa;
    const QByteArray nome = QFile::encodeName(percorso_);
    // Close-on-exec: a program the station starts (a calculator, an editor) must not inherit the
    // lock and hold the folder after the station has ended.
    int fd = ::open(nome.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0644);
    const bool scrivibile = fd >= 0;
    if (fd < 0)
        fd = ::open(nome.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY);  // another user's file: a lock needs no write
    if (fd < 0)
        return Esito::Impossibile;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int errore = errno;
        ::close(fd);
        return errore == EWOULDBLOCK ? Esito::Occupata : Esito::Impossibile;
    }
    descrittore_ = fd;
    if (scrivibile) {
        // For whoever looks at the folder: which process holds it.
        const QByteArray pid = QByteArray::number(QCoreApplication::applicationPid()) + '\n';
        if (::ftruncate(fd, 0) == 0 && ::pwrite(fd, pid.constData(), std::size_t(pid.size()), 0) != pid.size())
            ::ftruncate(fd, 0);  // a full disk: no number rather than half of one
    }
    return Esito::Presa;
}

}  // namespace Piattaforma
