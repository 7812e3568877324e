#pragma once
// What the tests of the settings window's frame and pages share: a temporary program folder,
// scripted message boxes, the station's windows with the main window and the settings window
// shown, and a settings file loaded as the window's own load does it.
#include "cartellatemporanea.h"
#include "comunicazioni.h"
#include "dialoghifinti.h"
#include "finestre.h"
#include "generale.h"
#include "mainform.h"
#include "testo1252.h"
#include "turnotenuto.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <memory>

// `testo` with CRLF line ends, in Windows-1252, as the station writes its files.
inline QByteArray crlf(QString testo)
{
    testo.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return Piattaforma::In1252(testo);
}

// The demo plant's settings file.
inline QByteArray demo()
{
    QFile f(QDir::cleanPath(qEnvironmentVariable("QUELVAR_TEST_DATA") + QStringLiteral("/../../demo/Quelvar1.ini")));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

class BancoFinestra {
public:
    // Before each test: a new folder, new windows, the settings window shown.
    bool prepara()
    {
        cartella = std::make_unique<CartellaTemporanea>();
        dialoghi = std::make_unique<DialoghiFinti>();
        finestre = std::make_unique<Finestre>();
        finestre->mainForm->resize(1100, 800);
        finestre->mainForm->show();
        Generale::MostraComunicazioni(true);
        finestre->mainForm->activateWindow();
        return QTest::qWaitForWindowActive(finestre->mainForm);
    }
    void smonta()
    {
        // Work a failed test left waiting runs while its windows are still there.
        static_cast<void>(QTest::qWaitFor(BusLibero));
        finestre.reset();
        dialoghi.reset();
        cartella.reset();
    }

    // The base file for the program mode, `ini` as the active settings file, then the window's load.
    void carica(const QByteArray& ini, bool stagioni = true) const
    {
        cartella->scrivi(QStringLiteral("Quelvar0.ini"), crlf(stagioni ? "[Generale]\nModo=1\n" : "[Generale]\nModo=0\n"));
        Generale::ModoStagioni = stagioni;
        Generale::FileImpostazioni = stagioni ? QStringLiteral("Quelvar1.ini") : QStringLiteral("Quelvar2.ini");
        cartella->scrivi(Generale::FileImpostazioni, ini);
        comunicazioni()->Form_Load();
    }

    QByteArray file() const { return cartella->leggi(Generale::FileImpostazioni); }
    Comunicazioni* comunicazioni() const { return finestre->comunicazioni; }

    std::unique_ptr<CartellaTemporanea> cartella;
    std::unique_ptr<DialoghiFinti> dialoghi;
    std::unique_ptr<Finestre> finestre;
};
