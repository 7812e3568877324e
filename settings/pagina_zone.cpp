#include "pagina_zone.h"

#include "casellavalore.h"
#include "comunicazioni.h"
#include "controlli.h"
#include "dialoghi.h"
#include "file_ini.h"
#include "generale.h"
#include "pagina_zona_sup.h"
#include "pagina_zone_punti.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Generale;
namespace Z = ChiaviZone;

namespace {

QComboBox* lista(QWidget* genitore, const char* nome, const char* suggerimento)
{
    auto* c = new QComboBox(genitore);
    c->setObjectName(QLatin1String(nome));
    c->setToolTip(QString::fromUtf8(suggerimento));
    return c;
}

QLabel* etichetta(QWidget* genitore, const char* testo)
{
    auto* l = new QLabel(QString::fromUtf8(testo), genitore);
    l->setTextFormat(Qt::PlainText);
    return l;
}

void scegli(QComboBox* c, int indice)
{
    const QSignalBlocker blocco(c);
    c->setCurrentIndex(indice >= 0 && indice < c->count() ? indice : -1);
}

QStringList voci(const QComboBox* c)
{
    QStringList v;
    for (int i = 0; i < c->count(); ++i)
        v << c->itemText(i);
    return v;
}

}  // namespace

PaginaZone::PaginaZone(Comunicazioni* finestra)
    : Pagina(finestra, QStringLiteral("Pic_ZoneMB"), 120, 480)
{
    creaControlli();
}

void PaginaZone::creaControlli()
{
    auto* colonna = new QVBoxLayout(this);
    Lab_Titolo = etichetta(this, "Impostazione zone rilevamento temperatura");
    Lab_Titolo->setObjectName(QStringLiteral("Lab_Titolo_Zone"));
    QFont grassetto = Lab_Titolo->font();
    grassetto.setBold(true);
    Lab_Titolo->setFont(grassetto);
    colonna->addWidget(Lab_Titolo);

    auto* alto = new QGridLayout;
    Cmb_ZoneUsate = lista(this, "Cmb_ZoneUsate", "Numero di zone utilizzate");
    Cmb_Zone = lista(this, "Cmb_Zone", "Zona");
    Txt_NomeLoop = new QLineEdit(this);
    Txt_NomeLoop->setObjectName(QStringLiteral("Txt_NomeLoop"));
    Txt_NomeLoop->setToolTip(QStringLiteral("Nome della zona"));
    Cmb_Indirizzo = lista(this, "Cmb_Indirizzo", "Indirizzo del nodo modbus");
    Cmb_Decimali = lista(this, "Cmb_Decimali", "Numero decimali");
    Chk_Master = new QCheckBox(QStringLiteral("Usa funzione Master/Slave (Zona Master)"), this);
    Chk_Master->setObjectName(QStringLiteral("Chk_Master"));
    Chk_Master->setTristate(true);
    Chk_Master->setCheckState(Qt::PartiallyChecked);
    Chk_Slave = new QCheckBox(QStringLiteral("Usa funzione Master/Slave (Zona Slave)"), this);
    Chk_Slave->setObjectName(QStringLiteral("Chk_Slave"));
    Chk_Slave->setToolTip(QStringLiteral("Utilizza la funzione Master/Slave in questa zona"));
    Chk_Slave->hide();
    alto->addWidget(etichetta(this, "Zone utilizzate:"), 0, 0);
    alto->addWidget(Cmb_ZoneUsate, 0, 1);
    alto->addWidget(etichetta(this, "Zona:"), 0, 2);
    alto->addWidget(Cmb_Zone, 0, 3);
    alto->addWidget(etichetta(this, "Nome zona:"), 1, 0);
    alto->addWidget(Txt_NomeLoop, 1, 1, 1, 3);
    alto->addWidget(etichetta(this, "Indirizzo strumento:"), 2, 0);
    alto->addWidget(Cmb_Indirizzo, 2, 1);
    alto->addWidget(etichetta(this, "Numero decimali:"), 2, 2);
    alto->addWidget(Cmb_Decimali, 2, 3);
    // The two boxes share one place: zone 1 shows the master box, the others the slave box.
    alto->addWidget(Chk_Master, 3, 0, 1, 4);
    alto->addWidget(Chk_Slave, 3, 0, 1, 4);
    alto->setColumnStretch(1, 1);
    alto->setColumnStretch(3, 1);
    colonna->addLayout(alto);

    QStringList righe;
    for (int r = 0; r < Z::RighePunti; ++r)
        righe << Z::EtichettaRiga(r);
    Punti = new GrigliaPuntiZona(QStringLiteral("Txt_ZoneMB"), righe, this);
    for (int i = 0; i < Z::NumeroCaselle; ++i)
        Txt_ZoneMB[i] = Punti->Caselle()[i];

    // Beside the five value rows: the caption button and the three display selectors.
    QGridLayout* griglia = Punti->Griglia();
    griglia->setColumnMinimumWidth(5, 16);
    const char* const gruppi[] = {"Sinot.", "Graf.", "Crono"};
    for (int g = 0; g < 3; ++g)
        griglia->addWidget(etichetta(Punti, gruppi[g]), 0, 7 + g, Qt::AlignHCenter);
    static const char* const valori[] = {"PV", "SP", "AL1", "AL2", "AL3"};
    gruppoSin_ = new QButtonGroup(this);
    gruppoGraf_ = new QButtonGroup(this);
    gruppoCrono_ = new QButtonGroup(this);
    for (int i = 0; i < 5; ++i) {
        const QString v = QLatin1String(valori[i]);
        Cmd_ModificaDicitura[i] = new QPushButton(QStringLiteral("..."), Punti);
        Cmd_ModificaDicitura[i]->setObjectName(Controlli::Elemento("Cmd_ModificaDicitura", i));
        Cmd_ModificaDicitura[i]->setToolTip(QStringLiteral("Modifica descrizione %1 (Generale)").arg(v));
        Cmd_ModificaDicitura[i]->setFixedWidth(Cmd_ModificaDicitura[i]->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 12);
        connect(Cmd_ModificaDicitura[i], &QPushButton::clicked, this, [this, i] { Cmd_ModificaDicitura_Click(i); });
        griglia->addWidget(Cmd_ModificaDicitura[i], GrigliaPuntiZona::RigaGriglia(i), 6);

        auto crea = [&](std::array<QRadioButton*, 5>& gruppo, QButtonGroup* bottoni, const char* nome,
                        const QString& suggerimento, int colonnaGriglia) {
            gruppo[i] = new QRadioButton(Punti);
            gruppo[i]->setObjectName(Controlli::Elemento(nome, i));
            gruppo[i]->setToolTip(suggerimento);
            bottoni->addButton(gruppo[i], i);
            griglia->addWidget(gruppo[i], GrigliaPuntiZona::RigaGriglia(i), colonnaGriglia, Qt::AlignHCenter);
        };
        crea(Opt_Sin, gruppoSin_, "Opt_Sin", QStringLiteral("Mostra %1 sul tasto \"Zona\" del sinottico").arg(v), 7);
        crea(Opt_Graf, gruppoGraf_, "Opt_Graf", QStringLiteral("Registra %1 come variabile sul grafico").arg(v), 8);
        crea(Opt_Crono, gruppoCrono_, "Opt_Crono",
             QStringLiteral("Utilizza %1 come variabile per il cronotermostato").arg(v), 9);
    }
    // Only a click runs a selector: the page showing the index in force writes nothing.
    connect(gruppoSin_, &QButtonGroup::idClicked, this, &PaginaZone::Opt_Sin_Click);
    connect(gruppoGraf_, &QButtonGroup::idClicked, this, &PaginaZone::Opt_Graf_Click);
    connect(gruppoCrono_, &QButtonGroup::idClicked, this, &PaginaZone::Opt_Crono_Click);
    colonna->addWidget(Punti);

    auto* basso = new QGridLayout;
    Txt_Immagine = new QLineEdit(this);
    Txt_Immagine->setObjectName(QStringLiteral("Txt_Immagine"));
    Txt_Immagine->setToolTip(QStringLiteral("Immagine del sinottico"));
    Cmb_MinAss = lista(this, "Cmb_MinAss", "Temperatura minima assoluta");
    Cmb_MaxAss = lista(this, "Cmb_MaxAss", "Temperatura massima assoluta");
    Cmd_Umisura = lista(this, "Cmd_Umisura", "Unità di misura");
    basso->addWidget(etichetta(this, "Immagine:"), 0, 0);
    basso->addWidget(Txt_Immagine, 0, 1, 1, 5);
    basso->addWidget(etichetta(this, "Temp. Minima:"), 1, 0);
    basso->addWidget(Cmb_MinAss, 1, 1);
    basso->addWidget(etichetta(this, "Temp. Massima:"), 1, 2);
    basso->addWidget(Cmb_MaxAss, 1, 3);
    basso->addWidget(Cmd_Umisura, 1, 5);
    basso->setColumnStretch(4, 1);
    colonna->addLayout(basso);

    auto* pulsanti = new QHBoxLayout;
    Cmd_ZoneAvanzate = new QToolButton(this);
    Cmd_ZoneAvanzate->setObjectName(QStringLiteral("Cmd_ZoneAvanzate"));
    Cmd_ZoneAvanzate->setToolTip(QStringLiteral("Impostazioni supplementari per la zona"));
    Cmd_ZoneAvanzate->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    Cmd_ZoneAvanzate->setIconSize(QSize(24, 24));
    using Impostazioni::Chiusura;
    Cmd_ChiudiZone[0] = Impostazioni::PulsanteChiusura(this, QStringLiteral("Cmd_ChiudiZone(0)"), Chiusura::SalvaEdEsci,
                                                       QStringLiteral("Salva ed esci dalla configurazione"));
    Cmd_ChiudiZone[1] = Impostazioni::PulsanteChiusura(this, QStringLiteral("Cmd_ChiudiZone(1)"), Chiusura::Esci,
                                                       QStringLiteral("Termine configurazione"));
    Cmd_ChiudiZone[2] = Impostazioni::PulsanteChiusura(this, QStringLiteral("Cmd_ChiudiZone(2)"), Chiusura::Salva,
                                                       QStringLiteral("Salva i dati"));
    for (QToolButton* b : Cmd_ChiudiZone)
        pulsanti->addWidget(b);
    pulsanti->addStretch();
    pulsanti->addWidget(Cmd_ZoneAvanzate);
    colonna->addLayout(pulsanti);

    connect(Cmb_ZoneUsate, &QComboBox::currentIndexChanged, this, [this] { Cmb_ZoneUsate_Click(); });
    connect(Cmb_Zone, &QComboBox::currentIndexChanged, this, [this] { Cmb_Zone_Click(); });
    connect(Chk_Master, &QCheckBox::clicked, this, &PaginaZone::Chk_Master_Click);
    connect(Chk_Slave, &QCheckBox::clicked, this, &PaginaZone::Chk_Slave_Click);
    connect(Cmd_ZoneAvanzate, &QToolButton::clicked, this, &PaginaZone::Cmd_ZoneAvanzate_Click);
    for (int i = 0; i < 3; ++i)
        connect(Cmd_ChiudiZone[i], &QToolButton::clicked, this, [this, i] { Cmd_ChiudiZone_Click(i); });
}

void PaginaZone::RiempiListe(bool)
{
    Impostazioni::RiempiLista(Cmb_ZoneUsate, Impostazioni::Numeri(0, MaxZone));
    Impostazioni::RiempiLista(Cmb_Indirizzo, Impostazioni::Numeri(1, 255));
    Impostazioni::RiempiLista(Cmb_Decimali, Impostazioni::Numeri(0, 3));
    Impostazioni::RiempiLista(Cmb_MinAss, Impostazioni::Numeri(0, -200, -100));
    Impostazioni::RiempiLista(Cmb_MaxAss, Impostazioni::Numeri(100, 1500, 100));
    Impostazioni::RiempiLista(Cmd_Umisura, {QStringLiteral("°C"), QStringLiteral("°F"), QStringLiteral("EU")});
}

void PaginaZone::Apri()
{
    // The count in force is shown, not chosen again: opening the page writes nothing.
    scegli(Cmb_ZoneUsate, NumeroZone);
    mostraConteggio(NumeroZone);
    Mostra();
    update();
}

int PaginaZone::ZonaScelta() const
{
    if (Cmb_Zone->currentIndex() < 0)
        return 0;
    bool ok = false;
    const int z = Cmb_Zone->currentText().toInt(&ok);
    return ok ? z : 0;
}

void PaginaZone::mostraConteggio(int n)
{
    const bool zone = n >= 1;
    {
        const QSignalBlocker blocco(Cmb_Zone);
        Cmb_Zone->clear();
        Cmb_Zone->addItems(zone ? Impostazioni::Numeri(1, n) : QStringList{QStringLiteral("0")});
        Cmb_Zone->setCurrentIndex(zone ? 0 : -1);
        Cmb_Zone->setEnabled(zone);
    }
    Cmb_Zone_Click();
    for (int i = 0; i < 5; ++i) {
        Opt_Sin[i]->setEnabled(zone);
        Opt_Graf[i]->setEnabled(zone);
        Opt_Crono[i]->setEnabled(zone);
        Cmd_ModificaDicitura[i]->setEnabled(zone);
    }
    if (zone)
        mostraSelettori();
    Cmb_Zone->update();
}

void PaginaZone::mostraSelettori()
{
    auto segna = [](std::array<QRadioButton*, 5>& gruppo, int indice) {
        if (indice >= 0 && indice < 5)
            gruppo[indice]->setChecked(true);
    };
    segna(Opt_Sin, IndiceTesto);
    segna(Opt_Graf, IndiceGrafico);
    segna(Opt_Crono, IndiceCrono);
}

void PaginaZone::Cmb_ZoneUsate_Click()
{
    const int n = Cmb_ZoneUsate->currentIndex();
    if (n < 0)
        return;
    mostraConteggio(n);
    // The count is written at once; the zone sections beyond it are left as they are.
    const bool scritto = Z::Scrivi({{QString::fromLatin1(Chiavi::Sezione::Generale), Chiavi::Generale::Zone.Nome(),
                                     Cmb_ZoneUsate->currentText(), Chiavi::Generale::Zone.Predefinito()}});
    if (!scritto)
        avvisa(Z::TestoScritturaRifiutata());
    // With no zone the new count waits for the next load; a refused count goes back to the file's.
    if (n == 0 && scritto)
        return;
    QPointer<PaginaZone> pagina(this);
    Finestra()->CaricaImpostazioni([pagina, scritto] {
        if (!pagina)
            return;
        if (scritto) {
            pagina->Cmb_Zone_Click();
        } else {
            scegli(pagina->Cmb_ZoneUsate, NumeroZone);
            pagina->mostraConteggio(NumeroZone);
        }
    });
}

void PaginaZone::Cmb_Zone_Click()
{
    const int k = Cmb_Zone->currentIndex();
    QComboBox* const liste[] = {Cmb_Indirizzo, Cmb_Decimali, Cmb_MinAss, Cmb_MaxAss, Cmd_Umisura};
    if (k < 0 || ZonaScelta() < 1) {
        for (QComboBox* c : liste) {
            scegli(c, -1);
            c->setEnabled(false);
        }
        for (QPushButton* b : Cmd_ModificaDicitura)
            b->setEnabled(false);
        for (CasellaValore* c : Txt_ZoneMB) {
            c->clear();
            c->setEnabled(false);
        }
        for (QLineEdit* t : {Txt_NomeLoop, Txt_Immagine}) {
            t->clear();
            t->setEnabled(false);
        }
        // The panel edits a zone, and here there is none.
        Cmd_ZoneAvanzate->setEnabled(false);
        mostrateZona_.clear();
        update();
        return;
    }

    Z::Zona zona = Z::DaModello(ZonaScelta() - 1);
    Z::PuntiDelFile(zona, [sezione = Z::Sezione(zona.numero)](const Chiavi::Chiave& c) {
        return File_Ini::LeggiIni(sezione, c.Nome(), QString());
    });
    Chk_Master->setVisible(zona.numero == 1);
    Chk_Slave->setVisible(zona.numero != 1);
    Chk_Slave->setChecked(zona.slave);
    Chk_Slave->update();
    // An unconfigured zone shows no node and no decimals, never those of the zone shown before.
    scegli(Cmb_Indirizzo, zona.nodo - 1);
    scegli(Cmb_Decimali, zona.decimali);
    Txt_NomeLoop->setText(zona.nome);
    Txt_Immagine->setText(ImmaginePianta);
    for (int i = 0; i < Z::NumeroCaselle; ++i)
        Txt_ZoneMB[i]->setText(zona.caselle[i]);
    scegli(Cmb_MinAss, Z::IndiceScelto(voci(Cmb_MinAss), Z::TestoLimite(TemperaturaMinimaAssoluta)));
    scegli(Cmb_MaxAss, Z::IndiceScelto(voci(Cmb_MaxAss), Z::TestoLimite(TemperaturaMassimaAssoluta)));
    scegli(Cmd_Umisura, Z::IndiceScelto(voci(Cmd_Umisura), UnitaMisura));
    for (QWidget* w : std::initializer_list<QWidget*>{Cmb_Indirizzo, Cmb_Decimali, Txt_NomeLoop, Txt_Immagine,
                                                      Cmb_MinAss, Cmb_MaxAss, Cmd_Umisura, Cmd_ZoneAvanzate})
        w->setEnabled(true);
    for (CasellaValore* c : Txt_ZoneMB)
        c->setEnabled(true);
    for (QPushButton* b : Cmd_ModificaDicitura)
        b->setEnabled(true);
    mostrateZona_ = Z::Salvataggio(Valori());
    update();
}

void PaginaZone::Chk_Master_Click()
{
    // Zone 1 is always the master: the box only says so.
    Chk_Master->setCheckState(Qt::PartiallyChecked);
}

void PaginaZone::Chk_Slave_Click() { update(); }

Z::Pagina PaginaZone::Valori() const
{
    Z::Pagina p;
    p.zona = ZonaScelta();
    p.immagine = Txt_Immagine->text();
    p.nome = Txt_NomeLoop->text();
    p.indirizzo = Impostazioni::TestoSelezionato(Cmb_Indirizzo);
    p.minimo = Impostazioni::TestoSelezionato(Cmb_MinAss);
    p.massimo = Impostazioni::TestoSelezionato(Cmb_MaxAss);
    p.unita = Impostazioni::TestoSelezionato(Cmd_Umisura);
    p.decimali = Impostazioni::TestoSelezionato(Cmb_Decimali);
    p.slave = Chk_Slave->isChecked();
    for (int i = 0; i < Z::NumeroCaselle; ++i)
        p.caselle[i] = Txt_ZoneMB[i]->text();
    return p;
}

void PaginaZone::Cmd_ChiudiZone_Click(int indice)
{
    if (indice == 1) {
        EsciSenzaSalvare();
        return;
    }
    if (indice != 0 && indice != 2)
        return;
    const Z::Pagina valori = Valori();
    // What nobody touched stays as the file holds it (a point the load could not take too), and
    // is not checked either: only what the save writes is.
    const QList<Z::Scrittura> cambiate = Impostazioni::Cambiate(mostrateZona_, Z::Salvataggio(valori));
    // A changed point the plant could not use is refused whole: nothing is written.
    if (const auto rifiuto = Z::Verifica(valori.caselle, Impostazioni::NomiChiavi(cambiate))) {
        avvisa(rifiuto->testo);
        Casella::DaiFuoco(Txt_ZoneMB[rifiuto->casella]);
        return;
    }
    QPointer<PaginaZone> pagina(this);
    SalvaERicarica(
        [&] {
            if (!Z::Scrivi(cambiate))
                avvisa(Z::TestoScritturaRifiutata());
        },
        [pagina, indice] {
            if (!pagina)
                return;
            if (indice == 0) {
                pagina->hide();
                pagina->Finestra()->update();
            } else {
                // The page shows what the file now holds.
                pagina->Cmb_Zone_Click();
            }
        });
}

void PaginaZone::Cmd_ModificaDicitura_Click(int indice)
{
    if (indice < 0 || indice >= Z::NumeroDiciture)
        return;
    const QString sinottico = QString::fromLatin1(Chiavi::Sezione::Sinottico);
    const QString chiave = Z::ChiaveDicitura(indice);
    const QString attuale = File_Ini::LeggiIni(sinottico, chiave, Z::DicituraPredefinita(indice));
    const auto risposta = Piattaforma::ServizioDialoghi().Input(
        QStringLiteral("Inserire il nome del parametro (impostazione generale)"), QStringLiteral("Definizione Parametri"),
        attuale);
    const auto dicitura = Z::DicituraComune(risposta.value_or(QString()));
    if (!dicitura)
        return;
    if (!Z::Scrivi({{sinottico, chiave, *dicitura, Z::DicituraPredefinita(indice)}})) {
        avvisa(Z::TestoScritturaRifiutata());
        return;
    }
    if (MostraDicitura)
        MostraDicitura(indice, *dicitura);
}

void PaginaZone::Cmd_ZoneAvanzate_Click()
{
    const int zona = ZonaScelta();
    if (zona < 1)
        return;
    Finestra()->Pic_Zona_Sup->ApriZona(zona);
    update();
}

void PaginaZone::selettore(QButtonGroup* gruppo, const Chiavi::Chiave& chiave, int& indice, int scelto)
{
    if (scelto < 0 || scelto >= NumeroValoriZona)
        return;
    if (!Z::Scrivi({{QString::fromLatin1(Chiavi::Sezione::Generale), chiave.Nome(), QString::number(scelto),
                     chiave.Predefinito()}})) {
        avvisa(Z::TestoScritturaRifiutata());
        // The choice in force stays shown.
        if (QAbstractButton* b = gruppo->button(indice))
            b->setChecked(true);
        return;
    }
    indice = scelto;
}

void PaginaZone::Opt_Sin_Click(int indice) { selettore(gruppoSin_, Chiavi::Generale::ZoneTesto, IndiceTesto, indice); }
void PaginaZone::Opt_Graf_Click(int indice)
{
    selettore(gruppoGraf_, Chiavi::Generale::ZoneGrafico, IndiceGrafico, indice);
}
void PaginaZone::Opt_Crono_Click(int indice)
{
    selettore(gruppoCrono_, Chiavi::Generale::ZoneCrono, IndiceCrono, indice);
}

void PaginaZone::setVisible(bool visibile)
{
    Pagina::setVisible(visibile);
    if (!visibile && Finestra()->Pic_Zona_Sup)
        Finestra()->Pic_Zona_Sup->hide();
}

void PaginaZone::avvisa(const QString& testo) { Impostazioni::Avvisa(testo); }
