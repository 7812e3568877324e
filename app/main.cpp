#include "avvio.h"
#include "dialoghi_qt.h"
#include "mainform.h"
#include "finestre.h"
#include "risorse.h"
#include "cartellaprogramma.h"
#include "istanza.h"
#include "lingua.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    Piattaforma::ImpostaLinguaItaliana();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quelvar"));
    QApplication::setApplicationVersion(QStringLiteral(QUELVAR_VERSIONE));
    Piattaforma::InstallaTraduzioniQt();
    Risorse::Inizializza();
    QApplication::setWindowIcon(QIcon(Risorse::Icona));
    DialoghiQt dialoghiQt;
    Piattaforma::ImpostaServizioDialoghi(&dialoghiQt);

    // Held until the program ends.
    Piattaforma::Istanza istanza(Piattaforma::CartellaProgramma());
    if (!Avvio::PrendiCartella(istanza)) {
        Piattaforma::ImpostaServizioDialoghi(nullptr);
        return 1;
    }

    Avvio avvio;
    const int esito = app.exec();
    Piattaforma::ImpostaServizioDialoghi(nullptr);
    return esito;
}
