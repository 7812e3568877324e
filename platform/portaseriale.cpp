#include "portaseriale.h"

#include "cartellaprogramma.h"
#include "attesa.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace Piattaforma {

namespace {

struct Velocita {
    int baud;
    speed_t costante;
};
constexpr Velocita Standard[] = {
    {50, B50},         {75, B75},         {110, B110},       {134, B134},       {150, B150},
    {200, B200},       {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
    {2400, B2400},     {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
    {57600, B57600},   {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600},
};

// Speeds without a constant of their own (14400, 28800, 56000) go through the kernel's
// second terminal structure, which takes the rate as a number.
struct Termios2 {
    tcflag_t c_iflag, c_oflag, c_cflag, c_lflag;
    cc_t c_line;
    cc_t c_cc[19];
    speed_t c_ispeed, c_ospeed;
};
constexpr tcflag_t AltraVelocita = 0010000;  // BOTHER
constexpr tcflag_t MascheraVelocita = 0010017;  // CBAUD

bool ImpostaVelocitaLibera(int fd, int baud)
{
    Termios2 t{};
    if (::ioctl(fd, _IOR('T', 0x2A, Termios2), &t) != 0)  // TCGETS2
        return false;
    t.c_cflag = (t.c_cflag & ~MascheraVelocita) | AltraVelocita;
    t.c_cflag &= ~(MascheraVelocita << 16);  // input speed follows the output speed
    t.c_ispeed = t.c_ospeed = speed_t(baud);
    return ::ioctl(fd, _IOW('T', 0x2B, Termios2), &t) == 0;  // TCSETS2
}

// Raw line: every byte as it comes, no echo, no translation, no flow control, no signals.
bool ImpostaLinea(int fd, int baud, char parita, int dati, int stop)
{
    termios t{};
    if (::tcgetattr(fd, &t) != 0)
        return false;
    t.c_iflag &= ~tcflag_t(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY | IGNPAR | INPCK);
    t.c_oflag &= ~tcflag_t(OPOST);
    t.c_lflag &= ~tcflag_t(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~tcflag_t(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    t.c_cflag |= CREAD | CLOCAL;
    t.c_cflag |= dati == 5 ? CS5 : dati == 6 ? CS6 : dati == 7 ? CS7 : CS8;
    if (stop == 2)
        t.c_cflag |= CSTOPB;
    switch (parita) {
    case 'E': t.c_cflag |= PARENB; break;
    case 'O': t.c_cflag |= PARENB | PARODD; break;
    case 'M': t.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case 'S': t.c_cflag |= PARENB | CMSPAR; break;
    default: break;
    }
    // A character with a parity error reads as 0, which no reply's CRC survives.
    if (parita != 'N')
        t.c_iflag |= INPCK;
    t.c_cc[VMIN] = 1;  // with O_NONBLOCK: no byte is "try again", a read of 0 is a hang-up
    t.c_cc[VTIME] = 0;
    const auto standard = std::find_if(std::begin(Standard), std::end(Standard),
                                       [baud](const Velocita& v) { return v.baud == baud; });
    if (standard != std::end(Standard)) {
        ::cfsetispeed(&t, standard->costante);
        ::cfsetospeed(&t, standard->costante);
    }
    if (::tcsetattr(fd, TCSANOW, &t) != 0)
        return false;
    return standard != std::end(Standard) || ImpostaVelocitaLibera(fd, baud);
}

}  // namespace

PortaSeriale::PortaSeriale() = default;

PortaSeriale::~PortaSeriale() { Chiudi(); }

namespace {

QString EntrataCOM(int porta)
{
    return QDir(CartellaProgramma()).filePath(QStringLiteral("COM%1").arg(porta));
}

// The COMn entries that have been a port in this run. A bridge removes its link while it
// restarts: a load that finds the entry missing then is that port down, not the machine's own
// line, which would take the plant's requests without a word.
QSet<QString>& EntrateViste()
{
    static QSet<QString> viste;
    return viste;
}

}  // namespace

QString PortaSeriale::PercorsoPorta(int porta)
{
    const QString nome = EntrataCOM(porta);
    if (EntrateViste().contains(nome))
        return nome;
    // The entry itself, not what it leads to: a link whose adapter is pulled out is still this
    // port, unavailable, and never a reason to talk to whatever the machine's own line carries.
    // Only an entry known to be absent gives the machine's line; one that cannot be looked at
    // is tried, and its failure said, under its own name.
    struct stat voce {};
    if (::lstat(QFile::encodeName(nome).constData(), &voce) == 0 || (errno != ENOENT && errno != ENOTDIR))
        return nome;
    return QStringLiteral("/dev/ttyS%1").arg(porta - 1);
}

void PortaSeriale::DecidiPercorso()
{
    const QString nome = PercorsoPorta(porta_);
    if (nome == EntrataCOM(porta_))
        EntrateViste().insert(nome);
    if (nome == percorso_)
        return;
    percorso_ = nome;
    qInfo().noquote() << QStringLiteral("Porta seriale COM%1:").arg(porta_) << nome;
}

bool PortaSeriale::ImpostaCommPort(int porta)
{
    if (PortOpen() || porta < 1)
        return false;
    porta_ = porta;
    DecidiPercorso();
    return true;
}

bool PortaSeriale::ImpostaSettings(const QString& impostazioni)
{
    if (PortOpen())
        return false;
    const QStringList parti = impostazioni.trimmed().split(QLatin1Char(','));
    if (parti.size() != 4)
        return false;
    bool ok = false;
    const int baud = parti[0].trimmed().toInt(&ok);
    if (!ok || baud <= 0 || baud > 4000000)
        return false;
    const QString p = parti[1].trimmed().toUpper();
    if (p.size() != 1 || !QStringLiteral("NEOMS").contains(p))
        return false;
    const int bitDati = parti[2].trimmed().toInt(&ok);
    if (!ok || bitDati < 5 || bitDati > 8)
        return false;
    const QString s = parti[3].trimmed();
    if (s != u"1" && s != u"2")
        return false;

    impostazioni_ = impostazioni.trimmed();
    baud_ = baud;
    parita_ = p.at(0).toLatin1();
    dati_ = bitDati;
    stop_ = s == u"2" ? 2 : 1;
    return true;
}

bool PortaSeriale::Apri()
{
    if (PortOpen())
        return true;
    errore_ = false;
    ricevuti_.clear();
    // The name decided with the number, not the folder as it is now: a COMn that went away
    // meanwhile is this port, gone, never a reason to open the machine's own line.
    if (percorso_.isEmpty())
        DecidiPercorso();
    const QString nome = percorso_;
    const QByteArray percorso = QFile::encodeName(nome);
    // Never the controlling terminal of the station; never a wait for a modem's carrier.
    const int fd = ::open(percorso.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return SegnalaGuasto(nome, errno);
    // A lock on the device keeps out every opener that takes it (root too), whatever name it
    // reached the device by; TIOCEXCL keeps out the other openers but root. Both are dropped
    // when the port closes. An opener that finds the line locked leaves it exactly as the
    // holder has it.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        // The lock taken by another is the line in use: said as TIOCEXCL says it, not as
        // "try again".
        const int errore = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        return SegnalaGuasto(nome, errore);
    }
    if (::ioctl(fd, TIOCEXCL) != 0 || !ImpostaLinea(fd, baud_, parita_, dati_, stop_)) {
        const int errore = errno;
        ::ioctl(fd, TIOCNXCL);
        ::close(fd);
        return SegnalaGuasto(nome, errore);
    }
    fd_ = fd;
    guastoPercorso_.clear();
    guastoErrore_ = 0;
    return true;
}

bool PortaSeriale::SegnalaGuasto(const QString& percorso, int errore)
{
    if (percorso == guastoPercorso_ && errore == guastoErrore_)
        return false;
    guastoPercorso_ = percorso;
    guastoErrore_ = errore;
    qWarning().noquote() << QStringLiteral("Porta seriale COM%1 non aperta:").arg(porta_) << percorso << "-"
                         << QString::fromLocal8Bit(std::strerror(errore));
    return false;
}

void PortaSeriale::Chiudi()
{
    if (fd_ < 0)
        return;
    // The exclusive mode belongs to the device, not to this opening: a pty keeps it after
    // the close and would refuse every later opener but root.
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
    ricevuti_.clear();
}

void PortaSeriale::Raccogli() const
{
    if (fd_ < 0 || errore_)
        return;
    char blocco[512];
    for (;;) {
        const ssize_t n = ::read(fd_, blocco, sizeof blocco);
        if (n > 0) {
            ricevuti_.append(blocco, n);
            if (n < ssize_t(sizeof blocco))
                return;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        errore_ = true;  // end of file (hang-up) or a device error: the adapter is gone
        return;
    }
}

qint64 PortaSeriale::InBufferCount() const
{
    Raccogli();
    return ricevuti_.size();
}

QByteArray PortaSeriale::Input()
{
    Raccogli();
    QByteArray dati;
    dati.swap(ricevuti_);
    return dati;
}

void PortaSeriale::SvuotaIngresso()
{
    if (fd_ < 0)
        return;
    ::tcflush(fd_, TCIFLUSH);
    ricevuti_.clear();
}

bool PortaSeriale::Output(const QByteArray& dati)
{
    if (fd_ < 0 || errore_)
        return false;
    qsizetype inviati = 0;
    while (inviati < dati.size()) {
        const ssize_t n = ::write(fd_, dati.constData() + inviati, size_t(dati.size() - inviati));
        if (n > 0) {
            inviati += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // The driver's buffer is full: wait for room, never without end.
            pollfd d{fd_, POLLOUT, 0};
            if (::poll(&d, 1, 1000) > 0 && !(d.revents & (POLLERR | POLLHUP | POLLNVAL)))
                continue;
        }
        errore_ = true;
        return false;
    }
    return true;
}

QCoro::Task<bool> PortaSeriale::AttendiDati(qint64 microsecondi)
{
    if (!PortOpen() || errore_)
        co_return false;
    // Bytes already taken answer at once; bytes still in the device end the wait at once.
    if (!ricevuti_.isEmpty())
        co_return true;
    co_await AttesaDescrittore(fd_, std::max<qint64>(microsecondi, 0));
    if (!PortOpen())
        co_return false;
    Raccogli();
    co_return !errore_;
}

int PortaSeriale::BitPerCarattere() const
{
    return 1 + dati_ + (parita_ == 'N' ? 0 : 1) + stop_;
}

}  // namespace Piattaforma
