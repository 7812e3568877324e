#pragma once
// The serial port of the station, with the properties the Modbus link relies on: port number,
// line settings ("9600,N,8,1"), open/close, bytes waiting, input and output.
//
// Port n is the device <program folder>/COMn whenever the folder has that entry (a symlink to
// /dev/ttyUSB0, to a /dev/serial/by-id name or to a test pty), whether or not it leads to a device
// now; /dev/ttyS<n-1> only where there is no COMn entry and there has been none in this run.
// Which of the two it is, is decided when the port number is applied (the settings load) and
// holds until it is applied again: a COMn that leads nowhere (the adapter pulled out) or that
// disappears (a bridge that removes its link when it ends) is that port, unavailable: it does not
// open, the log names COMn, and it opens again once the name leads to a device. A COMn that
// appears meanwhile is taken when the number is applied again. Once COMn has been port n it stays
// port n for the rest of the run, even at a load that finds it missing: going back to the
// machine's own line takes a restart. The log names the device when the port is first decided and
// whenever a decision changes it. Opening is exclusive: a port held by another program, or by
// another PortaSeriale, does not open.
//
// Built on the terminal interface directly: the port is opened and closed around every bus
// operation, so opening must cost no more than the exchange itself (no lock files).
#include <QByteArray>
#include <QCoro/QCoroTask>
#include <QString>


namespace Piattaforma {

class PortaSeriale {
public:
    PortaSeriale();
    ~PortaSeriale();
    PortaSeriale(const PortaSeriale&) = delete;
    PortaSeriale& operator=(const PortaSeriale&) = delete;

    int CommPort() const { return porta_; }
    // Refused (false) while the port is open or for a number below 1. Decides the device the
    // port opens from now on (see above).
    bool ImpostaCommPort(int porta);
    // The device the port opens: the one decided when the number was applied, or, for a port
    // whose number was never applied, the one decided at its first opening.
    QString Percorso() const { return percorso_; }

    QString Settings() const { return impostazioni_; }
    // "baud,parity,data,stop" with parity N, E, O, M or S, 5 to 8 data bits and 1 or 2 stop
    // bits; false (nothing changed) when the text does not describe a line. Refused while the
    // port is open.
    bool ImpostaSettings(const QString& impostazioni);

    bool PortOpen() const { return fd_ >= 0; }
    // Opens the selected port with the line settings; false when it does not exist, is not a
    // serial line, is held by another opener or refuses the settings. A failure is written on
    // the log with the device and the system's reason, once per outage (see SegnalaGuasto).
    bool Apri();
    void Chiudi();

    // Bytes received and not yet taken.
    qint64 InBufferCount() const;
    // Every received byte not yet taken, removed from the buffer.
    QByteArray Input();
    // Discards what was received and not yet taken.
    void SvuotaIngresso();
    // Sends the bytes at once; false when the port is closed or the write fails.
    bool Output(const QByteArray& dati);

    // Suspends the calling work until bytes arrive or at most `microsecondi` pass; the window
    // thread goes on meanwhile and never spins. False when the port is closed or in error, for
    // example a USB adapter pulled out.
    QCoro::Task<bool> AttendiDati(qint64 microsecondi);
    // True after a read or write error since the port was opened.
    bool InErrore() const { return errore_; }

    // Bits on the wire for one character (start + data + parity + stop) and the baud rate.
    int BitPerCarattere() const;
    int Baud() const { return baud_; }

    // The device port n would be now (see above).
    static QString PercorsoPorta(int porta);

private:
    // Takes the device of the port's number now, and says it on the log when it is another.
    void DecidiPercorso();
    // Takes what the device holds into `ricevuti_`; marks the port in error when it is gone.
    void Raccogli() const;
    // False, after writing the failure on the log unless it is the one written last. The link
    // opens the port for every exchange, so a line that stays down would fill the log: one line
    // while the same device fails for the same reason, until the port opens again.
    bool SegnalaGuasto(const QString& percorso, int errore);

    int fd_ = -1;
    int porta_ = 1;
    QString percorso_;  // empty until the number is applied or the port first opens
    QString impostazioni_ = QStringLiteral("9600,N,8,1");
    int baud_ = 9600;
    char parita_ = 'N';  // N, E, O, M, S
    int dati_ = 8;
    int stop_ = 1;
    mutable QByteArray ricevuti_;
    mutable bool errore_ = false;
    QString guastoPercorso_;  // the failure last written on the log; none since the last opening
    int guastoErrore_ = 0;
};

}  // namespace Piattaforma
