#include "sostituzione.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Piattaforma {

namespace {

std::function<bool(PassoSostituzione)>& guasto()
{
    static std::function<bool(PassoSostituzione)> g;
    return g;
}

bool fallisce(PassoSostituzione passo)
{
    return guasto() && guasto()(passo);
}

// The file a write replaces: the one a symbolic link names, not the link.
QString destinazione(const QString& percorso)
{
    const QFileInfo info(percorso);
    if (!info.isSymLink())
        return info.absoluteFilePath();
    const QString reale = info.canonicalFilePath();
    return reale.isEmpty() ? info.symLinkTarget() : reale;
}

// A name of its own in the file's folder, so two writers never share one temporary file; the
// leading dot keeps it out of the folder listings the station shows.
int apriTemporaneo(const QFileInfo& file, QByteArray& temporaneo)
{
    for (int tentativo = 0; tentativo < 16; ++tentativo) {
        const QString nome = QStringLiteral(".%1.%2")
                                 .arg(file.fileName())
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        temporaneo = QFile::encodeName(file.absolutePath() + QLatin1Char('/') + nome);
        const int fd = ::open(temporaneo.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Every byte, going on after a partial write; false at the first write that is refused.
bool scriviTutto(int fd, QByteArrayView dati)
{
    if (fallisce(PassoSostituzione::Scrittura)) {
        // What a full disk does: part of the bytes reach the file, then the write fails.
        const ssize_t parte = ::write(fd, dati.data(), size_t(dati.size() / 2));
        Q_UNUSED(parte);
        return false;
    }
    qsizetype fatti = 0;
    while (fatti < dati.size()) {
        const ssize_t n = ::write(fd, dati.data() + fatti, size_t(dati.size() - fatti));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        fatti += n;
    }
    return true;
}

}  // namespace

bool SostituisciFile(const QString& percorso, QByteArrayView contenuto)
{
    using P = PassoSostituzione;
    const QFileInfo file(destinazione(percorso));
    const QByteArray finale = QFile::encodeName(file.absoluteFilePath());
    struct stat prima {};
    const bool esiste = ::stat(finale.constData(), &prima) == 0;
    if (esiste && !S_ISREG(prima.st_mode))
        return false;

    QByteArray temporaneo;
    const int fd = fallisce(P::Apertura) ? -1 : apriTemporaneo(file, temporaneo);
    if (fd < 0)
        return false;
    if (esiste) {
        // The replaced file's mode and owner carry over; where the file system keeps neither
        // (or we may not give the file away) the write still goes on.
        bool tenuti = ::fchmod(fd, prima.st_mode & 07777) == 0;
        struct stat nuovo {};
        if (::fstat(fd, &nuovo) == 0 && (nuovo.st_uid != prima.st_uid || nuovo.st_gid != prima.st_gid))
            tenuti = ::fchown(fd, prima.st_uid, prima.st_gid) == 0 && tenuti;
        Q_UNUSED(tenuti);
    }

    bool riuscito = scriviTutto(fd, contenuto);
    // Written is not yet on the disk: a file system may refuse the blocks only now.
    riuscito = riuscito && !fallisce(P::Sincronizzazione) && ::fsync(fd) == 0;
    struct stat scritto {};
    riuscito = riuscito && !fallisce(P::Dimensione) && ::fstat(fd, &scritto) == 0 && scritto.st_size == contenuto.size();
    const bool chiuso = ::close(fd) == 0 && !fallisce(P::Chiusura);
    riuscito = riuscito && chiuso && !fallisce(P::Rinomina) && ::rename(temporaneo.constData(), finale.constData()) == 0;
    if (!riuscito)
        ::unlink(temporaneo.constData());
    return riuscito;
}

void ImpostaGuastoSostituzione(std::function<bool(PassoSostituzione)> g)
{
    guasto() = std::move(g);
}

}  // namespace Piattaforma
