#include "comunicazioni.h"

#include "caricamento.h"
#include "chiavi.h"
#include "codabus.h"
#include "controlli.h"
#include "dialoghi.h"
#include "file_ini.h"
#include "filecrono.h"
#include "generale.h"
#include "geometria.h"
#include "modo.h"
#include "pagina_apriporta.h"
#include "pagina_ct.h"
#include "pagina_interruttori.h"
#include "pagina_led.h"
#include "pagina_rs232.h"
#include "pagina_stagione.h"
#include "pagina_webcam.h"
#include "pagina_zona_sup.h"
#include "pagina_zone.h"
#include "stampaliste.h"
#include "stampante.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateTime>
#include <QFrame>
#include <QIcon>
#include <QPrinter>
#include <QPushButton>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace {

using Geometria::TwipsPerPixel;
// The frame fits the window's smallest size below the menu bar.
constexpr int LarghezzaCornice = 10200;
constexpr int AltezzaCornice = 8100;


// A radio-style pair or set of menu items in `menu`, named Name(i).
template <std::size_t N>
void voci(QMenu* menu, std::array<QAction*, N>& azioni, const char* nome, std::initializer_list<const char*> testi,
          bool esclusive)
{
    auto* gruppo = esclusive ? new QActionGroup(menu) : nullptr;
    int i = 0;
    for (const char* testo : testi) {
        azioni[i] = menu->addAction(QString::fromUtf8(testo));
        azioni[i]->setObjectName(Controlli::Elemento(nome, i));
        azioni[i]->setCheckable(true);
        if (gruppo)
            gruppo->addAction(azioni[i]);
        ++i;
    }
}

// A picture button: the desktop's icon, or a short text where the desktop has none.
template <typename Pulsante>
void immagine(Pulsante* pulsante, const char* icona, const char* testo)
{
    const QIcon i = QIcon::fromTheme(QString::fromLatin1(icona));
    if (i.isNull())
        pulsante->setText(QString::fromLatin1(testo));
    else
        pulsante->setIcon(i);
}

void spunta(std::array<QAction*, 2>& coppia, bool seconda)
{
    coppia[0]->setChecked(!seconda);
    coppia[1]->setChecked(seconda);
}

}  // namespace

// The settings menu keeps its offer through the enabled changes of its window. Qt gives a
// menu's action the menu's own enabled state at each of them, and the window's come and go on
// their own (its work waiting for the turn, About, a recipe sending): withdrawn through its
// action alone, the menu would be offered again by the first one.
class MenuOfferto final : public QMenu {
public:
    using QMenu::QMenu;

    void Offri(bool offerto)
    {
        offerto_ = offerto;
        applica();
        if (!offerto) {
            // Open when withdrawn (acquisition started under it): nothing is chosen from it.
            for (QMenu* sotto : findChildren<QMenu*>())
                sotto->hide();
            hide();
        }
    }

protected:
    void changeEvent(QEvent* evento) override
    {
        QMenu::changeEvent(evento);
        if (evento->type() == QEvent::EnabledChange)
            applica();
    }

private:
    void applica() { menuAction()->setEnabled(offerto_ && isEnabled()); }
    bool offerto_ = true;
};

Comunicazioni::Comunicazioni(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Comunicazioni"));
    setWindowTitle(QStringLiteral("Impostazioni"));
    auto* colonna = new QVBoxLayout(this);
    createMenus();
    colonna->setMenuBar(BarraMenu);
    colonna->addStretch();

    // The frame keeps its size and stays centred; the pages are laid over it at their places.
    Frm_Com = new QFrame(this);
    Frm_Com->setObjectName(QStringLiteral("Frm_Com"));
    Frm_Com->setFrameShape(QFrame::StyledPanel);
    Frm_Com->setFixedSize(LarghezzaCornice / TwipsPerPixel, AltezzaCornice / TwipsPerPixel);
    for (int i = 0; i < static_cast<int>(Lab_Stat_Gen.size()); ++i) {
        Lab_Stat_Gen[i] = new QLabel(Frm_Com);
        Lab_Stat_Gen[i]->setObjectName(Controlli::Elemento("Lab_Stat_Gen", i));
        Lab_Stat_Gen[i]->hide();
    }
    createLists();
    createPages();
    Geometria::RegolaGeometria(this, Frm_Com, Geometria::MinimoComunicazioni);
}

void Comunicazioni::createMenus()
{
    BarraMenu = new QMenuBar(this);
    BarraMenu->setObjectName(QStringLiteral("BarraMenu"));
    offerta_ = new MenuOfferto(QStringLiteral("&Settaggi"), BarraMenu);
    MenuImposta = offerta_;
    BarraMenu->addMenu(MenuImposta);
    MenuImposta->setObjectName(QStringLiteral("MenuImposta"));
    auto voce = [&](const char* nome, const char* testo, auto gestore) {
        QAction* a = MenuImposta->addAction(QString::fromUtf8(testo));
        a->setObjectName(QString::fromLatin1(nome));
        connect(a, &QAction::triggered, this, gestore);
        return a;
    };
    auto separatore = [&](const char* nome) {
        QAction* a = MenuImposta->addSeparator();
        a->setObjectName(QString::fromLatin1(nome));
        return a;
    };
    auto sottomenu = [&](const char* nome, const char* testo) {
        QMenu* m = MenuImposta->addMenu(QString::fromUtf8(testo));
        m->setObjectName(QString::fromLatin1(nome));
        return m;
    };
    MenuPorta = voce("MenuPorta", "Porta seriale (COM)", [this] { ApriPagina(Pagine[0]); });
    MenuNull0 = separatore("MenuNull0");
    MenuZone = voce("MenuZone", "Zone rilevamento temperatura", [this] { ApriPagina(Pagine[1]); });
    MenuInterruttori = voce("MenuInterruttori", "Interruttori ON/OFF", [this] { ApriPagina(Pagine[3]); });
    MenuIndicatori = voce("MenuIndicatori", "Indicatori (LED)", [this] { ApriPagina(Pagine[4]); });
    MenuApriPorta = voce("MenuApriPorta", "Apricancello", [this] { ApriPagina(Pagine[5]); });
    MenuWebCam = voce("MenuWebCam", "Webcam", [this] { ApriPagina(Pagine[6]); });
    MenuStagioni = voce("MenuStagioni", "Stagioni", [this] { ApriPagina(Pagine[7]); });
    MenuNull1 = separatore("MenuNull1");
    MenuEditaDati = voce("MenuEditaDati", "Edita file dati", [this] { MenuEditaDati_Click(); });
    MenuEditaFeste = voce("MenuEditaFeste", "Edita file festività", [this] { MenuEditaFeste_Click(); });
    MenuNull2 = separatore("MenuNull2");
    MenuRileggiIni = voce("MenuRileggiIni", "Rileggi file dati", [this] { MenuRileggiIni_Click(); });
    MenuRileggiDati = voce("MenuRileggiDati", "Rileggi file dati e festività", [this] { MenuRileggiDati_Click(); });
    MenuNull3 = separatore("MenuNull3");
    MenuCambiaIni = voce("MenuCambiaIni", "Cambia modalità programma", [this] { MenuCambiaIni_Click(); });

    MenuModalita = sottomenu("MenuModalita", "Modalità di avvio");
    voci(MenuModalita, MenuAvvioAuto, "MenuAvvioAuto", {"Avvio automatico", "Avvio manuale"}, true);
    MenuVediGrafico = sottomenu("MenuVediGrafico", "Visualizzazione grafici");
    voci(MenuVediGrafico, MenuVediGraf, "MenuVediGraf", {"Non visualizzare i grafici", "Visualizzare i grafici"}, true);
    MenuRicette = sottomenu("MenuRicette", "Visualizzazione ricette/stagione");
    voci(MenuRicette, Menu_Vedi_Ricette, "Menu_Vedi_Ricette",
         {"Non visualizzare ricette/cambio stagione", "Visualizzare ricette/cambio stagione"}, true);
    MenuCronoT0 = sottomenu("MenuCronoT0", "Cronotermostato");
    voci(MenuCronoT0, MenuCronoT, "MenuCronoT", {"Non visualizzare il cronotermostato", "Visualizzare il cronotermostato"},
         true);
    MenuMaster0 = sottomenu("MenuMaster0", "Funzione Master/Slave");
    voci(MenuMaster0, MenuMaster, "MenuMaster",
         {"Non utilizzare la funzione Master/Slave", "Utilizzare la funzione Master/Slave"}, true);
    MenuMaster0->addSeparator()->setObjectName(QStringLiteral("MenuNullMS"));
    voci(MenuMaster0, MenuMS_Pan, "MenuMS_Pan",
         {"Primo pannello (PV)", "Secondo pannello (SP)", "Terzo pannello (ALL 1)", "Quarto pannello (ALL 2)",
          "Quinto pannello (ALL 3)"},
         false);

    for (int i = 0; i < 2; ++i) {
        connect(MenuAvvioAuto[i], &QAction::triggered, this, [this, i] { MenuAvvioAuto_Click(i); });
        connect(MenuVediGraf[i], &QAction::triggered, this, [this, i] { MenuVediGraf_Click(i); });
        connect(Menu_Vedi_Ricette[i], &QAction::triggered, this, [this, i] { Menu_Vedi_Ricette_Click(i); });
        connect(MenuCronoT[i], &QAction::triggered, this, [this, i] { MenuCronoT_Click(i); });
        connect(MenuMaster[i], &QAction::triggered, this, [this, i] { MenuMaster_Click(i); });
    }
    for (int i = 0; i < static_cast<int>(MenuMS_Pan.size()); ++i)
        connect(MenuMS_Pan[i], &QAction::triggered, this, [this, i] { MenuMS_Pan_Click(i); });
}

void Comunicazioni::createLists()
{
    auto* colonna = new QVBoxLayout(Frm_Com);
    auto* griglia = new QGridLayout;
    static const char* const nomi[] = {"Lst_Letture", "Lst_Scritture", "Lst_RemL", "Lst_RemW"};
    static const char* const titoli[] = {"Elenco Parametri - Lettura", "Elenco Parametri - Scrittura",
                                         "Remoto - Lettura", "Remoto - Scrittura"};
    for (int i = 0; i < 4; ++i) {
        Lab_Comunica[i] = new QLabel(QString::fromUtf8(titoli[i]), Frm_Com);
        Lab_Comunica[i]->setObjectName(Controlli::Elemento("Lab_Comunica", i));
        Liste[i] = new QListWidget(Frm_Com);
        Liste[i]->setObjectName(QString::fromLatin1(nomi[i]));
        griglia->addWidget(Lab_Comunica[i], 0, i);
        griglia->addWidget(Liste[i], 1, i);
    }
    Lst_Letture = Liste[Generale::ListaLetture];
    Lst_Scritture = Liste[Generale::ListaScritture];
    Lst_RemL = Liste[Generale::ListaRemL];
    Lst_RemW = Liste[Generale::ListaRemW];

    auto* pulsanti = new QHBoxLayout;
    Cmd_Stampa = new QPushButton(Frm_Com);
    Cmd_Stampa->setObjectName(QStringLiteral("Cmd_Stampa"));
    Cmd_Stampa->setToolTip(QStringLiteral("Stampa le liste di comunicazione"));
    immagine(Cmd_Stampa, "document-print", "Stampa");
    connect(Cmd_Stampa, &QPushButton::clicked, this, [this] { Cmd_Stampa_Click(); });
    pulsanti->addWidget(Cmd_Stampa);
    pulsanti->addStretch();
    static const char* const suggerimenti[] = {"Aprire la calcolatrice", "Aprire il blocco note",
                                               "Aprire il registratore di suoni", "Gestione delle proprietà audio",
                                               "Gestione data e ora di sistema", "Cronotermostato"};
    static const char* const icone[] = {"accessories-calculator", "accessories-text-editor", "audio-input-microphone",
                                        "audio-volume-high", "preferences-system-time", "appointment-new"};
    static const char* const testi[] = {"Calc", "Note", "Rec", "Audio", "Ora", "Crono"};
    for (int i = 0; i < 6; ++i) {
        Cmd_Accessori[i] = new QToolButton(Frm_Com);
        Cmd_Accessori[i]->setObjectName(Controlli::Elemento("Cmd_Accessori", i));
        Cmd_Accessori[i]->setToolTip(QString::fromUtf8(suggerimenti[i]));
        immagine(Cmd_Accessori[i], icone[i], testi[i]);
        connect(Cmd_Accessori[i], &QToolButton::clicked, this, [this, i] { Cmd_Accessori_Click(i); });
        pulsanti->addWidget(Cmd_Accessori[i]);
    }
    colonna->addLayout(griglia);
    colonna->addLayout(pulsanti);
}

void Comunicazioni::createPages()
{
    Calendar = new QCalendarWidget(Frm_Com);
    Calendar->setObjectName(QStringLiteral("Calendar"));
    Calendar->hide();

    Pagine = {Pic_RS232 = new PaginaRS232(this),
              Pic_ZoneMB = new PaginaZone(this),
              Pic_Zona_Sup = new PaginaZonaSup(this),
              Pic_InterruttoriMB = new PaginaInterruttori(this),
              Pic_LED = new PaginaLED(this),
              Pic_Apriporta = new PaginaApriporta(this),
              Pic_WebCam = new PaginaWebcam(this),
              Pic_Stagione = new PaginaStagione(this),
              Pic_CT = new PaginaCT(this)};
    Chk_Remoto = Pic_RS232->Chk_Remoto;
    Chk_Attivita_Linea = Pic_RS232->Chk_Attivita_Linea;
    Lab_CT_UM = Pic_CT->Lab_CT_UM;
}

// ---- Life of the window ------------------------------------------------------------------------

void Comunicazioni::Form_Load()
{
    Calendar->setSelectedDate(QDate::currentDate());
    Calendar->update();
    CaricaImpostazioni([this] {
        RiempiListe(false);
        update();
    });
}

void Comunicazioni::Form_QueryUnload()
{
    // The chrono page disables its button while it is open.
    Cmd_Accessori[5]->setEnabled(true);
    if (NascondiFinestra)
        NascondiFinestra();
}

void Comunicazioni::CaricaImpostazioni(std::function<void()> dopo)
{
    // The load changes the plant model and tests the port: it waits for its turn, and the pass
    // under way ends at its next exchange.
    nelTurno(
        [] {
            Configurazione::CaricaImpostazioni();
            File_Ini::CaricaCronotermostato();
            return true;
        },
        std::move(dopo));
}

void Comunicazioni::nelTurno(std::function<bool()> lavoro, std::function<void()> dopo)
{
    // Behind other work, what the operator ticked, typed or chose here meanwhile would be
    // overwritten by this work's reload, or act on a page or a file it is about to change: the
    // window takes no input until the work has had its turn. With the bus free the work runs
    // now, inside the click, and the window is never disabled.
    const bool attende = Acquisizione::LavoroInCorso();
    if (attende && inAttesa_++ == 0) {
        QWidget* const fuoco = QApplication::focusWidget();
        fuoco_ = fuoco && isAncestorOf(fuoco) ? fuoco : nullptr;
        setEnabled(false);
    }
    [](QPointer<Comunicazioni> io, bool attende, std::function<bool()> lavoro,
       std::function<void()> dopo) -> QCoro::Task<> {
        // The window takes input again however the work ends, an exception included.
        struct Ripresa {
            QPointer<Comunicazioni> io;
            bool attende;
            void operator()()
            {
                if (std::exchange(attende, false) && io && --io->inAttesa_ == 0) {
                    io->setEnabled(true);
                    if (io->fuoco_ && io->fuoco_->isVisible() && io->fuoco_->isEnabled())
                        io->fuoco_->setFocus();
                }
            }
            ~Ripresa() { (*this)(); }
        } ripresa{io, attende};
        bool scritto = true;
        {
            const Acquisizione::Turno turno = co_await Acquisizione::PrendiTurno(true);
            scritto = lavoro();
            // Enabled before `dopo`, which shows and focuses a page.
            ripresa();
            if (io && dopo)
                dopo();
        }
        if (!scritto)
            Impostazioni::AvvisaScritturaRifiutata();
    }(this, attende, std::move(lavoro), std::move(dopo));
}

void Comunicazioni::NascondiPagine(std::function<void()> dopo)
{
    // Back at their places too: a page dragged away opens where it belongs.
    for (Pagina* pagina : Pagine)
        if (pagina != Pic_Zona_Sup)
            pagina->Posiziona();
    CaricaImpostazioni(std::move(dopo));
}

void Comunicazioni::ApriPagina(Pagina* pagina)
{
    NascondiPagine([pagina] { pagina->Apri(); });
}

void Comunicazioni::RiempiListe(bool saltaCrono)
{
    // The pages in the order their lists are filled; the supplementary panel follows the zones,
    // the webcam and season pages the LEDs, the chrono page comes last.
    for (Pagina* pagina : {static_cast<Pagina*>(Pic_RS232), static_cast<Pagina*>(Pic_ZoneMB),
                           static_cast<Pagina*>(Pic_Zona_Sup), static_cast<Pagina*>(Pic_InterruttoriMB),
                           static_cast<Pagina*>(Pic_Apriporta), static_cast<Pagina*>(Pic_LED),
                           static_cast<Pagina*>(Pic_WebCam), static_cast<Pagina*>(Pic_Stagione)}) {
        pagina->RiempiListe(saltaCrono);
        pagina->Posiziona();
    }
    Pic_CT->RiempiListe(saltaCrono);
    Calendar->hide();
    Calendar->update();
    Pic_CT->Posiziona();
    update();
}

void Comunicazioni::OffriMenuImposta(bool offerto)
{
    offerta_->Offri(offerto);
    update();
}

// ---- Option menus ------------------------------------------------------------------------------

void Comunicazioni::scriviOpzione(const QString& chiave, const QString& valore, void (*caricatore)())
{
    // The box of a refused write is shown here, never inside the turn: no box holds the polling.
    if (!Impostazioni::ScriviChiavi({{QString::fromLatin1(Chiavi::Sezione::Generale), chiave, valore}}))
        Impostazioni::AvvisaScritturaRifiutata();
    // The loader reads the key back: the check marks show what the file holds.
    nelTurno([caricatore] {
        caricatore();
        return true;
    });
}

void Comunicazioni::MenuAvvioAuto_Click(int indice)
{
    scriviOpzione(Chiavi::Generale::AutoAvvio.Nome(), QString::number(indice), &Configurazione::CaricaAvvio);
}

void Comunicazioni::MenuVediGraf_Click(int indice)
{
    scriviOpzione(Chiavi::Generale::Grafico.Nome(), QString::number(indice), &Configurazione::CaricaOpzioneGrafici);
}

void Comunicazioni::Menu_Vedi_Ricette_Click(int indice)
{
    scriviOpzione(Chiavi::Generale::Ricette.Nome(), QString::number(indice), &Configurazione::CaricaOpzioneRicette);
}

void Comunicazioni::MenuCronoT_Click(int indice)
{
    scriviOpzione(Chiavi::Generale::Cronotermostato.Nome(), QString::number(indice),
                  &Configurazione::CaricaOpzioneCrono);
}

void Comunicazioni::MenuMaster_Click(int indice)
{
    scriviOpzione(Chiavi::Generale::Master.Nome(), QString::number(indice), &Configurazione::CaricaOpzioneMaster);
}

void Comunicazioni::MenuMS_Pan_Click(int indice)
{
    if (indice < 0 || indice >= static_cast<int>(MenuMS_Pan.size()))
        return;
    scriviOpzione(Chiavi::Generale::NomeMaster(indice),
                  MenuMS_Pan[indice]->isChecked() ? QStringLiteral("1") : QStringLiteral("0"),
                  &Configurazione::CaricaOpzioneMaster);
}

// ---- Program mode, edit and re-read menus --------------------------------------------------

void Comunicazioni::MenuCambiaIni_Click()
{
    // The mode chooses the settings file the pass under way reads its plant from: changed in the
    // turn, and the reload right after it. The other mode is the other of the one that turn
    // finds: a click still waiting before this one switches it too. The mode is a stopped
    // station's: a switch chosen while a Start still waited or read finds acquisition running
    // in its turn, and leaves the mode as it is.
    nelTurno([] {
        if (Generale::AcquisizioneAttiva)
            return true;
        const QString altro = Generale::ModoStagioni ? QStringLiteral("0") : QStringLiteral("1");
        const bool scritto =
            File_Ini::ScriviIniBase(QString::fromLatin1(Chiavi::Sezione::Generale), Chiavi::Modo.Nome(), altro) != 0;
        Generale::ImpostaModo();
        return scritto;
    });
    rileggi(true);
}

void Comunicazioni::MenuEditaDati_Click()
{
    avvia(Piattaforma::Programma::EditorTesto, {File_Ini::PercorsoImpostazioni()});
}

void Comunicazioni::MenuEditaFeste_Click()
{
    avvia(Piattaforma::Programma::EditorTesto, {Crono::PercorsoFestivita()});
}

void Comunicazioni::MenuRileggiIni_Click() { rileggi(true); }

void Comunicazioni::MenuRileggiDati_Click() { rileggi(false); }

void Comunicazioni::rileggi(bool saltaCrono)
{
    CaricaImpostazioni([this, saltaCrono] {
        RiempiListe(saltaCrono);
        Cmd_Accessori[5]->setEnabled(Generale::UtenteAmministratore || Generale::UtenteTecnico);
        Cmd_Accessori[5]->update();
        update();
    });
}

// ---- Accessories and printout ------------------------------------------------------------------

void Comunicazioni::avvia(Piattaforma::Programma ruolo, const QStringList& argomenti)
{
    // A program the desktop does not have is silently not started.
    if (AvviaProgramma)
        AvviaProgramma(ruolo, argomenti);
}

void Comunicazioni::Cmd_Accessori_Click(int indice)
{
    using Piattaforma::Programma;
    switch (indice) {
    case 0: avvia(Programma::Calcolatrice); break;
    case 1: avvia(Programma::EditorTesto); break;
    case 2: avvia(Programma::RegistratoreSuoni); break;
    case 3: avvia(Programma::ImpostazioniAudio); break;
    case 4: avvia(Programma::ImpostazioniDataOra); break;
    case 5:
        NascondiPagine([this] {
            Cmd_Accessori[5]->setEnabled(false);
            Pic_CT->Apri();
        });
        break;
    default: break;
    }
}

void Comunicazioni::Cmd_Stampa_Click()
{
    const auto risposta = Piattaforma::ServizioDialoghi().Messaggio(
        QStringLiteral("Stampare le liste di comunicazione sulla stampate predefinita ?"),
        QStringLiteral("Stampa elenco comunicazione"), Piattaforma::PulsantiDialogo::SiNo,
        Piattaforma::IconaDialogo::Domanda);
    if (risposta == Piattaforma::RispostaDialogo::Si) {
        std::array<QStringList, 4> liste;
        for (int i = 0; i < 4; ++i)
            for (int r = 0; r < Liste[i]->count(); ++r)
                liste[i] << Liste[i]->item(r)->text();
        // No printer, or a printer that fails: nothing is printed and nothing is said.
        if (std::unique_ptr<QPrinter> stampante = Stampante::Nuova())
            StampaListe::Stampa(*stampante, Stampante::Prodotto().trimmed(), liste, QDateTime::currentDateTime());
    }
    update();
}

void Comunicazioni::MostraListe()
{
    for (int i = 0; i < 4; ++i) {
        QListWidget* lista = Liste[i];
        lista->clear();
        lista->addItems(Generale::ListeComunicazione[i]);
        lista->setCurrentRow(lista->count() > 0 ? 0 : -1);
        lista->update();
    }
    update();
}

void Comunicazioni::MostraUnitaCrono(const QString& unita)
{
    Lab_CT_UM->setText(unita);
    Lab_CT_UM->update();
}

void Comunicazioni::MostraOpzioneCrono()
{
    // The option exists in season mode only.
    MenuCronoT0->menuAction()->setVisible(Generale::ModoStagioni);
    spunta(MenuCronoT, Generale::CronotermostatoAbilitato);
    Cmd_Accessori[5]->setVisible(Generale::CronotermostatoAbilitato);
    Cmd_Accessori[5]->update();
    update();
}

void Comunicazioni::MostraOpzioniRemoto()
{
    Chk_Remoto->setChecked(Generale::ModoRemoto);
    Chk_Attivita_Linea->setChecked(Generale::AttivitaLinea);
    update();
}

void Comunicazioni::MostraOpzioneAvvio()
{
    // Item 0 is the automatic start.
    spunta(MenuAvvioAuto, !Generale::AvvioAutomatico);
}

void Comunicazioni::MostraOpzioneGrafici() { spunta(MenuVediGraf, Generale::GraficiAbilitati); }

void Comunicazioni::MostraOpzioneRicette(bool attiva) { spunta(Menu_Vedi_Ricette, attiva); }

void Comunicazioni::MostraOpzioneMaster()
{
    spunta(MenuMaster, Generale::MasterSlaveAbilitato);
    // The five panels are chosen whether or not the function is in use.
    for (int k = 0; k < static_cast<int>(MenuMS_Pan.size()); ++k)
        MenuMS_Pan[k]->setChecked(Generale::ValoreAllineato[k]);
    update();
}
