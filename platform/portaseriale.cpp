#include "portaseriale.h"

#include "cartellaprogramma.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QStringList>
#include <QTimer>

#include "eventi.h"

#include <algorithm>
#include <limits>

#include <poll.h>
#include <sys/file.h>

namespace Piattaforma {

namespace {
constexpr qint64 AttesaBreve = 20000;  // microseconds
}

PortaSeriale::PortaSeriale() = default;

PortaSeriale::~PortaSeriale() { Chiudi(); }

QString PortaSeriale::PercorsoPorta(int porta)
{
    const QString nome = QDir(CartellaProgramma()).filePath(QStringLiteral("COM%1").arg(porta));
    if (QFileInfo::exists(nome))
        return nome;
    return QStringLiteral("/dev/ttyS%1").arg(porta - 1);
}

bool PortaSeriale::ImpostaCommPort(int porta)
{
    if (PortOpen() || porta < 1)
        return false;
    porta_ = porta;
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
    if (!ok || baud <= 0)
        return false;
    QSerialPort::Parity parita;
    const QString p = parti[1].trimmed().toUpper();
    if (p == u"N") parita = QSerialPort::NoParity;
    else if (p == u"E") parita = QSerialPort::EvenParity;
    else if (p == u"O") parita = QSerialPort::OddParity;
    else if (p == u"M") parita = QSerialPort::MarkParity;
    else if (p == u"S") parita = QSerialPort::SpaceParity;
    else return false;
    const int bitDati = parti[2].trimmed().toInt(&ok);
    if (!ok || bitDati < 5 || bitDati > 8)
        return false;
    QSerialPort::StopBits stop;
    const QString s = parti[3].trimmed();
    if (s == u"1") stop = QSerialPort::OneStop;
    else if (s == u"2") stop = QSerialPort::TwoStop;
    else return false;

    impostazioni_ = impostazioni.trimmed();
    baud_ = baud;
    parita_ = parita;
    dati_ = QSerialPort::DataBits(bitDati);
    stop_ = stop;
    return true;
}

bool PortaSeriale::PortOpen() const { return seriale_ && seriale_->isOpen(); }

bool PortaSeriale::Apri()
{
    if (PortOpen())
        return true;
    errore_ = false;
    auto seriale = std::make_unique<QSerialPort>();
    seriale->setPortName(PercorsoPorta(porta_));
    // Line settings given before opening are applied by the open itself, in one go.
    seriale->setBaudRate(baud_);
    seriale->setParity(parita_);
    seriale->setDataBits(dati_);
    seriale->setStopBits(stop_);
    seriale->setFlowControl(QSerialPort::NoFlowControl);
    if (!seriale->open(QIODevice::ReadWrite))
        return false;
    // QSerialPort's lock file is named after the path it was given, and TIOCEXCL does not stop
    // root: a lock on the device itself also keeps out an opener that reaches the same tty
    // through another name.
    if (::flock(int(seriale->handle()), LOCK_EX | LOCK_NB) != 0) {
        seriale->close();
        return false;
    }
    QObject::connect(seriale.get(), &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError e) {
        if (e != QSerialPort::NoError && e != QSerialPort::TimeoutError)
            errore_ = true;
    });
    seriale_ = std::move(seriale);
    return true;
}

void PortaSeriale::Chiudi()
{
    if (!seriale_)
        return;
    seriale_->disconnect();
    seriale_->close();  // also drops the device lock
    seriale_.reset();
}

qint64 PortaSeriale::InBufferCount() const { return PortOpen() ? seriale_->bytesAvailable() : 0; }

QByteArray PortaSeriale::Input() { return PortOpen() ? seriale_->readAll() : QByteArray(); }

void PortaSeriale::SvuotaIngresso()
{
    if (!PortOpen())
        return;
    seriale_->clear(QSerialPort::Input);
    seriale_->readAll();
}

bool PortaSeriale::Output(const QByteArray& dati)
{
    if (!PortOpen() || errore_)
        return false;
    if (seriale_->write(dati) != dati.size())
        return false;
    // A request goes on the wire now, not at the next turn of the event loop.
    while (seriale_->bytesToWrite() > 0) {
        if (!seriale_->waitForBytesWritten(1000))
            return false;
    }
    return !errore_;
}

bool PortaSeriale::AttendiDati(qint64 microsecondi)
{
    if (!PortOpen() || errore_)
        return false;
    if (seriale_->bytesAvailable() > 0)
        return true;
    if (microsecondi >= AttesaBreve) {
        // Long waits sleep in the event loop, so every window event is served as it comes; the
        // timer's whole milliseconds fall short of the deadline, the caller waits the rest.
        QEventLoop attesa;
        QTimer scadenza;
        scadenza.setSingleShot(true);
        scadenza.setTimerType(Qt::PreciseTimer);
        QObject::connect(&scadenza, &QTimer::timeout, &attesa, &QEventLoop::quit);
        QObject::connect(seriale_.get(), &QSerialPort::readyRead, &attesa, &QEventLoop::quit);
        QObject::connect(seriale_.get(), &QSerialPort::errorOccurred, &attesa, &QEventLoop::quit);
        scadenza.start(int(std::min<qint64>(microsecondi / 1000, std::numeric_limits<int>::max())));
        attesa.exec();
        return PortOpen() && !errore_;
    }
    // Short waits (the 3.5-character silence, the tail of a time-out) need a finer clock than
    // the event loop's milliseconds: serve pending events once, then sleep on the device.
    LasciaEventi();
    if (!PortOpen() || errore_)
        return false;
    if (seriale_->bytesAvailable() > 0)
        return true;
    // No time left is a look, never a wait without end.
    const qint64 us = std::max<qint64>(microsecondi, 0);
    pollfd dispositivo{int(seriale_->handle()), POLLIN, 0};
    const timespec limite{time_t(us / 1000000), long(us % 1000000) * 1000};
    const int pronti = ::ppoll(&dispositivo, 1, &limite, nullptr);
    if (pronti > 0) {
        if (dispositivo.revents & (POLLERR | POLLHUP | POLLNVAL))
            errore_ = true;
        else
            seriale_->waitForReadyRead(0);  // takes the bytes into the port's buffer
    }
    return PortOpen() && !errore_;
}

int PortaSeriale::BitPerCarattere() const
{
    const int parita = parita_ == QSerialPort::NoParity ? 0 : 1;
    const int stop = stop_ == QSerialPort::TwoStop ? 2 : 1;
    return 1 + int(dati_) + parita + stop;
}

}  // namespace Piattaforma
