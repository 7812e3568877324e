// Memory of the alarm blink: the main window on the real windows, acquisition shown as running
// and the alarm latched, runs N blink phases (toolbar button 8 repainted each phase, the alarm
// sound played each on-phase, as the blink timer does) and prints the resident memory every
// 1,000 phases. A plant blinks for months: after the first thousand phases (the caches' warm-up)
// the growth per 1,000 phases should be nought. Run it without a sound server (the sound is then
// silent): here the phases follow each other without the 700 ms between them, and a sound server
// fed a new play before it has finished the last one holds memory that real timing does not.
#include "banco_shell.h"
#include "cartellatemporanea.h"
#include "finestre.h"
#include "generale.h"
#include "mainform.h"
#include "memoria.h"

#include <QApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int fasi = argc > 1 ? std::max(2000, QByteArray(argv[1]).toInt()) : 10000;
    CartellaTemporanea cartella;
    cartella.scrivi(QStringLiteral("Quelvar0.ini"), "[Generale]\r\nModo=1\r\n");
    cartella.scrivi(QStringLiteral("Quelvar1.ini"), BancoShell::Impostazioni(1, "1"));
    QFile::copy(QStringLiteral(QUELVAR_DEMO "/Allarme.wav"), cartella.percorso(QStringLiteral("Allarme.wav")));
    BancoShell::StatoIniziale();
    Finestre finestre;
    finestre.Carica();
    MainForm* m = finestre.mainForm;
    m->SceltaComunicazione(false);
    m->show();
    QApplication::processEvents();

    Generale::AcquisizioneAttiva = true;
    Generale::SuonoAllarme = QStringLiteral("Allarme.wav");
    Generale::ImpostaLampeggio(true);
    m->Timer_Lampeggio->stop();  // phases are driven here, not by the clock

    std::printf("blink phases  RSS kB  growth kB/1000 phases\n");
    long primo = 0;
    long precedente = 0;
    for (int fase = 1; fase <= fasi; ++fase) {
        m->Timer_Lampeggio_Timer();
        m->Timer_Lampeggio->stop();
        // What the event loop does between two phases, objects deleted later included.
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (fase % 1000)
            continue;
        const long rss = RssKb();
        if (fase == 1000)
            primo = rss;
        std::printf("%12d  %6ld  %+ld\n", fase, rss, fase == 1000 ? 0 : rss - precedente);
        precedente = rss;
    }
    std::printf("after warm-up: %+.1f kB per 1000 phases\n", double(precedente - primo) * 1000.0 / (fasi - 1000));
    Generale::AcquisizioneAttiva = false;
    return 0;
}
