#pragma once
// A small file system of its own for one test (a tmpfs in a temporary folder), to meet a full
// disk for real. Mounting needs root; where it cannot be mounted the test says why and skips.
#include "cartellatemporanea.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <memory>

#include <sys/mount.h>

// Unmounted when the test ends.
class DiscoPiccolo {
public:
    explicit DiscoPiccolo(int kilobyte)
    {
        const QByteArray opzioni = "size=" + QByteArray::number(kilobyte) + "k";
        montato_ = ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                           opzioni.constData()) == 0;
        if (!montato_)
            errore_ = QString::fromLocal8Bit(std::strerror(errno));
    }
    ~DiscoPiccolo()
    {
        if (montato_)
            ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
    }
    bool montato() const { return montato_; }
    QString errore() const { return errore_; }
    QString percorso() const { return dir_.path(); }

    // Fills what is free: the next block any file asks for is refused (what is left in the last
    // block of a file still takes bytes).
    void riempi() const
    {
        QFile f(dir_.filePath(QStringLiteral("riempimento")));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray blocco(4096, 'r');
        while (f.write(blocco) == blocco.size()) {
        }
        const QByteArray byte(1, 'r');
        while (f.write(byte) == 1) {
        }
    }
    void libera() const { QFile::remove(dir_.filePath(QStringLiteral("riempimento"))); }

private:
    QTemporaryDir dir_;
    bool montato_ = false;
    QString errore_;
};


// The program folder of a test that runs once in an ordinary temporary folder and once on a small
// disk of its own (`kilobyte`), which it may fill. The test skips when `errore()` says the disk could
// not be mounted.
class CartellaDiProva {
public:
    CartellaDiProva(bool suDisco, int kilobyte)
    {
        if (!suDisco) {
            temporanea_ = std::make_unique<CartellaTemporanea>();
            return;
        }
        disco_ = std::make_unique<DiscoPiccolo>(kilobyte);
        if (disco_->montato())
            Piattaforma::ImpostaCartellaProgramma(disco_->percorso());
    }
    // Empty when the folder is ready.
    QString errore() const
    {
        return !disco_ || disco_->montato() ? QString()
                                            : QStringLiteral("no tmpfs can be mounted here (%1)").arg(disco_->errore());
    }
    QString percorso() const { return disco_ ? disco_->percorso() : temporanea_->percorso(); }
    // The small disk; null in an ordinary folder.
    const DiscoPiccolo* disco() const { return disco_.get(); }

private:
    std::unique_ptr<DiscoPiccolo> disco_;
    std::unique_ptr<CartellaTemporanea> temporanea_;
};
