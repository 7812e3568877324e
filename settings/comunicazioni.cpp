#include "comunicazioni.h"

#include "caricamento.h"
#include "codabus.h"
#include "filecrono.h"
#include "generale.h"
#include "pagina_apriporta.h"
#include "pagina_ct.h"
#include "pagina_interruttori.h"
#include "pagina_led.h"
#include "pagina_rs232.h"
#include "pagina_stagione.h"
#include "pagina_webcam.h"
#include "pagina_zona_sup.h"
#include "pagina_zone.h"

#include <QAction>
#include <QActionGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString elemento(const char* nome, int i) { return QStringLiteral("%1(%2)").arg(QLatin1String(nome)).arg(i); }

// A radio-style pair or set of menu items in `menu`, named Name(i).
template <std::size_t N>
void voci(QMenu* menu, std::array<QAction*, N>& azioni, const char* nome, std::initializer_list<const char*> testi,
          bool esclusive)
{
    auto* gruppo = esclusive ? new QActionGroup(menu) : nullptr;
    int i = 0;
    for (const char* testo : testi) {
        azioni[i] = menu->addAction(QString::fromUtf8(testo));
        azioni[i]->setObjectName(elemento(nome, i));
        azioni[i]->setCheckable(true);
        if (gruppo)
            gruppo->addAction(azioni[i]);
        ++i;
    }
}

void spunta(std::array<QAction*, 2>& coppia, bool seconda)
{
    coppia[0]->setChecked(!seconda);
    coppia[1]->setChecked(seconda);
}

}  // namespace

Comunicazioni::Comunicazioni(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Comunicazioni"));
    setWindowTitle(QStringLiteral("Impostazioni"));
    auto* colonna = new QVBoxLayout(this);
    createMenus();
    colonna->setMenuBar(BarraMenu);
    for (int i = 0; i < static_cast<int>(Lab_Stat_Gen.size()); ++i) {
        Lab_Stat_Gen[i] = new QLabel(this);
        Lab_Stat_Gen[i]->setObjectName(QStringLiteral("Lab_Stat_Gen(%1)").arg(i));
        Lab_Stat_Gen[i]->hide();
        colonna->addWidget(Lab_Stat_Gen[i]);
    }
    createLists();
    createPages();
}

void Comunicazioni::createMenus()
{
    BarraMenu = new QMenuBar(this);
    MenuImposta = BarraMenu->addMenu(QStringLiteral("&Settaggi"));
    MenuImposta->setObjectName(QStringLiteral("MenuImposta"));
    auto sottomenu = [&](const char* nome, const char* testo) {
        QMenu* m = MenuImposta->addMenu(QString::fromUtf8(testo));
        m->setObjectName(QString::fromLatin1(nome));
        return m;
    };
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
}

void Comunicazioni::createLists()
{
    auto* griglia = new QGridLayout;
    static const char* const nomi[] = {"Lst_Letture", "Lst_Scritture", "Lst_RemL", "Lst_RemW"};
    static const char* const titoli[] = {"Elenco Parametri - Lettura", "Elenco Parametri - Scrittura",
                                         "Remoto - Lettura", "Remoto - Scrittura"};
    for (int i = 0; i < 4; ++i) {
        Lab_Comunica[i] = new QLabel(QString::fromUtf8(titoli[i]), this);
        Lab_Comunica[i]->setObjectName(elemento("Lab_Comunica", i));
        Liste[i] = new QListWidget(this);
        Liste[i]->setObjectName(QString::fromLatin1(nomi[i]));
        griglia->addWidget(Lab_Comunica[i], 0, i);
        griglia->addWidget(Liste[i], 1, i);
    }
    Lst_Letture = Liste[Generale::ListaLetture];
    Lst_Scritture = Liste[Generale::ListaScritture];
    Lst_RemL = Liste[Generale::ListaRemL];
    Lst_RemW = Liste[Generale::ListaRemW];

    auto* accessori = new QHBoxLayout;
    static const char* const suggerimenti[] = {"Aprire la calcolatrice", "Aprire il blocco note",
                                               "Aprire il registratore di suoni", "Gestione delle proprietà audio",
                                               "Gestione data e ora di sistema", "Cronotermostato"};
    for (int i = 0; i < 6; ++i) {
        Cmd_Accessori[i] = new QToolButton(this);
        Cmd_Accessori[i]->setObjectName(elemento("Cmd_Accessori", i));
        Cmd_Accessori[i]->setToolTip(QString::fromUtf8(suggerimenti[i]));
        Cmd_Accessori[i]->setText(QString::number(i));
        accessori->addWidget(Cmd_Accessori[i]);
    }
    accessori->addStretch();
    auto* colonna = static_cast<QVBoxLayout*>(layout());
    colonna->addLayout(griglia);
    colonna->addLayout(accessori);
}

void Comunicazioni::createPages()
{
    Calendar = new QCalendarWidget(this);
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

void Comunicazioni::CaricaImpostazioni(std::function<void()> dopo)
{
    Acquisizione::EseguiQuandoLibero([dopo = std::move(dopo)] {
        Configurazione::CaricaImpostazioni();
        File_Ini::CaricaCronotermostato();
        if (dopo)
            dopo();
    });
}

void Comunicazioni::NascondiPagine()
{
    for (Pagina* pagina : Pagine)
        if (pagina != Pic_Zona_Sup)
            pagina->hide();
    CaricaImpostazioni();
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
    for (int k = 0; k < static_cast<int>(MenuMS_Pan.size()); ++k) {
        MenuMS_Pan[k]->setChecked(Generale::ValoreAllineato[k]);
        MenuMS_Pan[k]->setEnabled(Generale::MasterSlaveAbilitato);
    }
    update();
}
