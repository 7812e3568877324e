#include "sostituzione.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Piattaforma {

namespace {

std::function<bool(PassoSostituzione)>& guasto()
{
    static std::function<bool(PassoSostituzione)> g;
    return g;
}

std::function<bool(int)>& sincronizzazione()
{
    static std::function<bool(int)> s;
    return s;
}

bool sincronizza(int fd)
{
    return sincronizzazione() ? sincronizzazione()(fd) : ::fsync(fd) == 0;
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

// "." name "." and eight hex digits: the name apriTemporaneo gives.
bool eTemporaneo(const QString& voce, const QString& file)
{
    const QString prefisso = QLatin1Char('.') + file + QLatin1Char('.');
    if (voce.size() != prefisso.size() + 8 || !voce.startsWith(prefisso))
        return false;
    return std::all_of(voce.cbegin() + prefisso.size(), voce.cend(), [](QChar c) {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'));
    });
}

bool stessoFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// A writer holds a lock on its temporary file from its creation to its rename, and the lock dies
// with the writer. A temporary file of this file that no one holds was left by a write that a
// crash or a power cut stopped, and goes; one another writer holds right now stays.
void rimuoviAbbandonati(const QFileInfo& file)
{
    const QDir cartella(file.absolutePath());
    const QStringList voci = cartella.entryList(QDir::Files | QDir::Hidden);
    for (const QString& voce : voci) {
        if (!eTemporaneo(voce, file.fileName()))
            continue;
        const QByteArray nome = QFile::encodeName(cartella.filePath(voce));
        const int fd = ::open(nome.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        // Removed only while held, and only if the name still is the file held.
        struct stat aperto {}, ora {};
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &aperto) == 0 && ::lstat(nome.constData(), &ora) == 0
            && S_ISREG(ora.st_mode) && stessoFile(aperto, ora))
            ::unlink(nome.constData());
        ::close(fd);
    }
}

// A name of its own in the file's folder, so two writers never share one temporary file; the
// leading dot keeps it out of the folder listings the station shows. Held (above) once open.
int apriTemporaneo(const QFileInfo& file, QByteArray& temporaneo)
{
    for (int tentativo = 0; tentativo < 16; ++tentativo) {
        const QString nome = QStringLiteral(".%1.%2")
                                 .arg(file.fileName())
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        temporaneo = QFile::encodeName(file.absolutePath() + QLatin1Char('/') + nome);
        const int fd = ::open(temporaneo.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return fd;
        // Another writer's clean-up may have taken the new file before the lock: then it is gone
        // or going, and a new name is tried. A file system without locks leaves it unheld, and a
        // clean-up there never removes anything.
        struct stat aperto {}, ora {};
        const bool tenuto = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        if (tenuto ? (::fstat(fd, &aperto) == 0 && ::stat(temporaneo.constData(), &ora) == 0 && stessoFile(aperto, ora))
                   : errno != EWOULDBLOCK)
            return fd;
        ::close(fd);
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

    rimuoviAbbandonati(file);
    QByteArray temporaneo;
    const int fd = fallisce(P::Apertura) ? -1 : apriTemporaneo(file, temporaneo);
    if (fd < 0)
        return false;
    if (esiste) {
        // The replaced file's owner, group and mode carry over, each where the rights allow; what
        // cannot be kept stays the writer's own and the write goes on. Owner and group are set
        // apart: a writer that is not root cannot give the file away, yet keeps the group it
        // shares with the other accounts that save the file. The mode comes last, as a change of
        // owner clears its set-id bits.
        [[maybe_unused]] const bool proprietario = ::fchown(fd, prima.st_uid, gid_t(-1)) == 0;
        [[maybe_unused]] const bool gruppo = ::fchown(fd, uid_t(-1), prima.st_gid) == 0;
        [[maybe_unused]] const bool modo = ::fchmod(fd, prima.st_mode & 07777) == 0;
    }

    bool riuscito = scriviTutto(fd, contenuto);
    // Written is not yet on the disk: a file system may refuse the blocks only now.
    riuscito = riuscito && !fallisce(P::Sincronizzazione) && sincronizza(fd);
    struct stat scritto {};
    riuscito = riuscito && !fallisce(P::Dimensione) && ::fstat(fd, &scritto) == 0 && scritto.st_size == contenuto.size();
    // The lock goes with the last descriptor: a second one keeps it from the checked close to
    // the rename, so no clean-up takes the file in between.
    const int tenuta = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    const bool chiuso = ::close(fd) == 0 && !fallisce(P::Chiusura);
    riuscito = riuscito && chiuso && !fallisce(P::Rinomina) && ::rename(temporaneo.constData(), finale.constData()) == 0;
    if (!riuscito)
        ::unlink(temporaneo.constData());
    if (tenuta >= 0)
        ::close(tenuta);
    if (riuscito) {
        // The rename is written in the folder: until the folder reaches the disk, a power cut may
        // bring back the old file. The new file is in place whatever this sync says, so the
        // write is done either way.
        const int dir = ::open(QFile::encodeName(file.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            sincronizza(dir);
            ::close(dir);
        }
    }
    return riuscito;
}

void ImpostaGuastoSostituzione(std::function<bool(PassoSostituzione)> g)
{
    guasto() = std::move(g);
}

void ImpostaSincronizzazione(std::function<bool(int)> s)
{
    sincronizzazione() = std::move(s);
}

}  // namespace Piattaforma
