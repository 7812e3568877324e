#include "programmi.h"

#include <QProcess>
#include <QStandardPaths>

namespace Piattaforma {

QList<QStringList> CandidatiProgramma(Programma ruolo)
{
    switch (ruolo) {
    case Programma::Calcolatrice:
        return {{"gnome-calculator"}, {"kcalc"}, {"mate-calc"}, {"galculator"}, {"qalculate-gtk"}, {"xcalc"}};
    case Programma::EditorTesto:
        // The desktop's opener for a file comes last: it opens plain text in whatever editor the
        // desktop prefers, but it cannot start an editor without a file.
        return {{"gnome-text-editor"}, {"gedit"}, {"mousepad"}, {"kate"}, {"kwrite"},
                {"pluma"}, {"xed"}, {"featherpad"}, {"leafpad"}};
    case Programma::RegistratoreSuoni:
        return {{"gnome-sound-recorder"}, {"audacity"}};
    case Programma::ImpostazioniAudio:
        return {{"pavucontrol"}, {"gnome-control-center", "sound"}, {"mate-volume-control"}};
    case Programma::ImpostazioniDataOra:
        return {{"gnome-control-center", "datetime"}, {"mate-time-admin"}, {"time-admin"}};
    }
    return {};
}

bool AvviaProgramma(Programma ruolo, const QStringList& argomenti)
{
    QList<QStringList> candidati = CandidatiProgramma(ruolo);
    if (ruolo == Programma::EditorTesto && !argomenti.isEmpty())
        candidati.append({"xdg-open"});
    for (const QStringList& candidato : candidati) {
        const QString eseguibile = QStandardPaths::findExecutable(candidato.first());
        if (eseguibile.isEmpty())
            continue;
        if (QProcess::startDetached(eseguibile, candidato.mid(1) + argomenti))
            return true;
    }
    return false;
}

}  // namespace Piattaforma
