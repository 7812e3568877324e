#include "pagina_apriporta.h"

#include "casellavalore.h"
#include "chiavi.h"
#include "comunicazioni.h"
#include "controlli.h"
#include "conversioni.h"
#include "file_ini.h"
#include "generale.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>


namespace PaginaApriportaDati {

namespace {
// Boxes of the ON and OFF read points: the opener is only written there.
constexpr std::array<int, 4> CaselleLettura = {0, 1, 5, 6};
bool casellaLettura(int i) { return std::find(CaselleLettura.begin(), CaselleLettura.end(), i) != CaselleLettura.end(); }
}  // namespace

QString NomeMostrato(const QString& nomeCaricato, bool modoStagioni)
{
    if (!nomeCaricato.isEmpty())
        return nomeCaricato;
    return modoStagioni ? QStringLiteral("Apricancello") : QStringLiteral("Accensione");
}

namespace {
namespace D = Chiavi::Dispositivo;
using namespace Generale;
constexpr char RigaOn[] = "Accensione (ON)";
constexpr char RigaOff[] = "Spegnimento (OFF)";
constexpr char RigaRemoto[] = "Modo < Remoto >";
}  // namespace

const std::array<EditorPunti::Voce, 6> Record = {{
    {&D::REM_r, RigaRemoto, false, false, 10, FunzioneREM},
    {&D::REM_w, RigaRemoto, false, true, 12, FunzioneREM},
    {&D::On_w, RigaOn, false, true, 2, FunzioneON},
    {&D::ValOn, RigaOn, true, true, 4, ValoreON, FunzioneON, 2, Casella::SuggerimentoValoreOn},
    {&D::Off_w, RigaOff, false, true, 7, FunzioneOFF},
    {&D::ValOff, RigaOff, true, true, 9, ValoreOFF, FunzioneOFF, 7, Casella::SuggerimentoValoreOff},
}};

namespace {
QStringList testi(const Valori& v) { return QStringList(v.caselle.begin(), v.caselle.end()); }
}  // namespace

Impostazioni::Scritture ChiaviDaSalvare(const Valori& v)
{
    const QString ap = QString::fromLatin1(Chiavi::Sezione::Apriporta);
    Impostazioni::Scritture chiavi{{QString::fromLatin1(Chiavi::Sezione::Generale), Chiavi::Generale::Apriporta.Nome(),
                                    v.usa ? QStringLiteral("1") : QStringLiteral("0")}};
    // Ticked while the reload is still to come, the fields show nothing of the opener yet.
    if (!v.usa || !v.riempita)
        return chiavi;
    chiavi.append({QString::fromLatin1(Chiavi::Sezione::Sinottico), Chiavi::Sinottico::SuonoPorta.Nome(), v.suono});
    chiavi.append({ap, QString::fromLatin1(D::Nome), Impostazioni::NomeDaSalvare(v.nome)});
    Impostazioni::AggiungiScelta(chiavi, ap, D::Indirizzo.Nome(), v.indirizzo);
    Impostazioni::AggiungiScelta(chiavi, ap, D::Decimali.Nome(), v.decimali);
    Impostazioni::AggiungiScelta(chiavi, ap, D::Tempo.Nome(), v.tempo);
    for (const EditorPunti::Scrittura& s : EditorPunti::ChiaviRecord(Record, testi(v), v.decimaliPagina))
        chiavi.append({ap, s.chiave, s.valore});
    return chiavi;
}

std::optional<EditorPunti::Rifiuto> Verifica(const Valori& v, const Impostazioni::Scritture& cambiate)
{
    if (!v.usa || !v.riempita)
        return std::nullopt;
    // Only what the save writes: a point the file holds in a form the page would refuse stays
    // as it is while nobody touches it.
    return EditorPunti::VerificaRecord(Record, testi(v), v.decimaliPagina, Impostazioni::NomiChiavi(cambiate));
}

int CasellaSuccessiva(int i)
{
    if (i == 4)
        return 7;
    if (i == 13)
        return 2;
    return i + 1;
}

}  // namespace PaginaApriportaDati

using namespace PaginaApriportaDati;

PaginaApriporta::PaginaApriporta(Comunicazioni* finestra)
    : Pagina(finestra, QStringLiteral("Pic_Apriporta"), 120, 480)
{
    auto* colonna = new QVBoxLayout(this);
    auto* titolo = new QLabel(QStringLiteral("Impostazione pulsante"), this);
    titolo->setObjectName(QStringLiteral("Lab_Titolo_Apriporta"));
    QFont grassetto = titolo->font();
    grassetto.setBold(true);
    titolo->setFont(grassetto);
    colonna->addWidget(titolo);

    Chk_UsaApriporta = new QCheckBox(QStringLiteral("Utilizza apriporta"), this);
    Chk_UsaApriporta->setObjectName(QStringLiteral("Chk_UsaApriporta"));
    Chk_UsaApriporta->setToolTip(QStringLiteral("Utilizzo/non utilizzo della funzione apriporta"));
    connect(Chk_UsaApriporta, &QCheckBox::clicked, this, [this] { Chk_UsaApriporta_Click(); });
    colonna->addWidget(Chk_UsaApriporta);

    auto* campi = new QGridLayout;
    auto riga = [&](int r, const char* etichetta, QWidget* controllo, const char* unita = nullptr) {
        campi->addWidget(new QLabel(QString::fromUtf8(etichetta), this), r, 0);
        campi->addWidget(controllo, r, 1);
        if (unita)
            campi->addWidget(new QLabel(QString::fromLatin1(unita), this), r, 2);
    };
    Txt_NomeApriporta = new QLineEdit(this);
    Txt_NomeApriporta->setObjectName(QStringLiteral("Txt_NomeApriporta"));
    Txt_NomeApriporta->setToolTip(QStringLiteral("Nome dell'apriporta"));
    riga(0, "Nome apriporta:", Txt_NomeApriporta);
    auto lista = [&](const char* nome, const char* suggerimento) {
        auto* l = new QComboBox(this);
        l->setObjectName(QString::fromLatin1(nome));
        if (suggerimento)
            l->setToolTip(QString::fromLatin1(suggerimento));
        l->setMaxVisibleItems(12);
        return l;
    };
    Cmb_Indirizzo_AP = lista("Cmb_Indirizzo_AP", "Indirizzo del nodo modbus");
    riga(1, "Indirizzo strumento:", Cmb_Indirizzo_AP);
    Cmb_Decimali_AP = lista("Cmb_Decimali_AP", "Numero decimali");
    riga(2, "Numero decimali:", Cmb_Decimali_AP);
    Cmd_Tempo_AP = lista("Cmd_Tempo_AP", nullptr);
    riga(3, "Tempo ON/OFF :", Cmd_Tempo_AP, "[ms]");
    connect(Cmb_Decimali_AP, &QComboBox::currentIndexChanged, this, [this] { Cmb_Decimali_AP_Click(); });
    colonna->addLayout(campi);

    // The grid: read code and register, write code, register and value.
    auto* griglia = new QGridLayout;
    griglia->addWidget(new QLabel(QStringLiteral("Lettura"), this), 0, 1, 1, 2, Qt::AlignCenter);
    griglia->addWidget(new QLabel(QStringLiteral("Scrittura"), this), 0, 3, 1, 3, Qt::AlignCenter);
    static const char* const righe[] = {"Accensione (ON):", "Spegnimento (OFF):", "Modo < Remoto >:"};
    for (int r = 0; r < 3; ++r) {
        griglia->addWidget(new QLabel(QString::fromUtf8(righe[r]), this), r + 1, 0);
        for (int k = 0; k < (r < 2 ? 5 : 4); ++k) {
            const int i = r * 5 + k;
            const char* suggerimento = k == 0   ? Casella::SuggerimentoLettura
                                       : k == 2 ? Casella::SuggerimentoScrittura
                                       : k == 4 ? (r == 0 ? Casella::SuggerimentoValoreOn : Casella::SuggerimentoValoreOff)
                                                : Casella::SuggerimentoRegistro;
            auto* casella = new CasellaValore(k == 4 ? CasellaValore::Tipo::Valore : CasellaValore::Tipo::Registro,
                                              QString::fromLatin1(suggerimento), this);
            casella->setObjectName(Controlli::Elemento("Txt_ZoneMB_AP", i));
            casella->setFixedWidth(k == 4 ? 70 : 50);
            casella->decimali = [this] { return Finestra()->DecimaliPagina; };
            casella->successivo = [this, i] { return static_cast<QWidget*>(Txt_ZoneMB_AP[CasellaSuccessiva(i)]); };
            Txt_ZoneMB_AP[i] = casella;
            griglia->addWidget(casella, r + 1, k + 1);
        }
    }
    colonna->addLayout(griglia);
    // A value box reads and shows its value in its point's decimals: none for a coil.
    editor_ = std::make_unique<EditorPunti::EditorRecord>(
        Record, std::vector<CasellaValore*>(Txt_ZoneMB_AP.begin(), Txt_ZoneMB_AP.end()),
        [this] { return Finestra()->DecimaliPagina; });

    auto* suono = new QHBoxLayout;
    Txt_Suono = new QLineEdit(this);
    Txt_Suono->setObjectName(QStringLiteral("Txt_Suono"));
    Txt_Suono->setToolTip(QStringLiteral("Nome del file audio che evidenzia l'apertura della porta"));
    suono->addWidget(new QLabel(QStringLiteral("Suono:"), this));
    suono->addWidget(Txt_Suono);
    colonna->addLayout(suono);

    auto* pulsanti = new QHBoxLayout;
    using Impostazioni::Chiusura;
    Cmd_Chiudi_AP = Impostazioni::PulsanteChiusura(this, QStringLiteral("Cmd_Chiudi_AP"), Chiusura::SalvaEdEsci,
                                                   QStringLiteral("Salva ed esci dalla configurazione"));
    connect(Cmd_Chiudi_AP, &QToolButton::clicked, this, [this] { Cmd_Chiudi_AP_Click(); });
    Cmd_Chiudi_AP2 = Impostazioni::PulsanteChiusura(this, QStringLiteral("Cmd_Chiudi_AP2"), Chiusura::Esci,
                                                    QStringLiteral("Esci dalla configurazione senza salvare"));
    connect(Cmd_Chiudi_AP2, &QToolButton::clicked, this, [this] { Cmd_Chiudi_AP2_Click(); });
    pulsanti->addWidget(Cmd_Chiudi_AP);
    pulsanti->addWidget(Cmd_Chiudi_AP2);
    pulsanti->addStretch();
    colonna->addLayout(pulsanti);
}

void PaginaApriporta::RiempiListe(bool)
{
    Impostazioni::RiempiLista(Cmb_Indirizzo_AP, Impostazioni::Numeri(1, 255));
    Impostazioni::RiempiLista(Cmb_Decimali_AP, Impostazioni::Numeri(0, 3));
    Impostazioni::RiempiLista(Cmd_Tempo_AP, Impostazioni::Numeri(100, 2000, 100));
}

void PaginaApriporta::Apri()
{
    // The opener in use is shown as the load just left it: its use is in force already, so
    // opening the page writes nothing and reloads nothing again.
    {
        const QSignalBlocker blocco(Chk_UsaApriporta);
        Chk_UsaApriporta->setChecked(Generale::ApriportaPresente == 1);
    }
    if (Chk_UsaApriporta->isChecked())
        riempi();
    else
        svuota();
    mostrate_ = ChiaviDaSalvare(ValoriPagina());
    Finestra()->update();
    Mostra();
}

void PaginaApriporta::Chk_UsaApriporta_Click()
{
    if (!Chk_UsaApriporta->isChecked()) {
        svuota();
        Finestra()->update();
        return;
    }
    // The opener is in use from now on: in the file, in the plant model and on the synoptic.
    if (!Impostazioni::ScriviChiavi({{QString::fromLatin1(Chiavi::Sezione::Generale),
                                      Chiavi::Generale::Apriporta.Nome(), QStringLiteral("1")}}))
        Impostazioni::AvvisaScritturaRifiutata();
    Finestra()->CaricaImpostazioni([this] {
        // A refused write leaves the opener out, as the file says.
        if (Generale::ApriportaPresente != 1) {
            const QSignalBlocker blocco(Chk_UsaApriporta);
            Chk_UsaApriporta->setChecked(false);
            svuota();
        } else {
            riempi();
            // The page now shows what the file holds, its use included.
            mostrate_ = ChiaviDaSalvare(ValoriPagina());
        }
        Finestra()->update();
    });
}

void PaginaApriporta::svuota()
{
    Txt_Suono->clear();
    Txt_Suono->setEnabled(false);
    Txt_NomeApriporta->clear();
    Txt_NomeApriporta->setEnabled(false);
    // The lists first: the decimals list's change reformats value boxes that are emptied next.
    for (QComboBox* l : {Cmb_Indirizzo_AP, Cmb_Decimali_AP, Cmd_Tempo_AP}) {
        l->setCurrentIndex(-1);
        l->setEnabled(false);
    }
    editor_->Svuota(false);
    riempita_ = false;
}

void PaginaApriporta::riempi()
{
    using namespace Generale;
    const RigaMappaInterruttore& lettura = MappaLetturaApriporta[0];
    const RigaMappaInterruttore& scrittura = MappaScritturaApriporta[0];

    // A field that is not configured (-1) selects nothing.
    Impostazioni::SelezionaIndice(Cmb_Indirizzo_AP, lettura[Nodo] - 1);
    Cmb_Indirizzo_AP->setEnabled(true);
    Impostazioni::SelezionaIndice(Cmb_Decimali_AP, lettura[Decimali]);
    Cmb_Decimali_AP->setEnabled(true);
    // Run also when the selection did not change: the switches page shares the page decimals.
    Cmb_Decimali_AP_Click();

    Txt_NomeApriporta->setText(NomeMostrato(NomeApriporta, ModoStagioni));
    Txt_NomeApriporta->setEnabled(true);
    Txt_Suono->setText(SuonoPorta);
    Txt_Suono->setEnabled(true);

    // Each box its field; a field not configured (-1) shows empty, a value in the decimals of
    // its point, so that saving it back gives the same register value. A point the load could
    // not take, and its value, show as the file holds them.
    editor_->Mostra(lettura, scrittura);
    if (lettura[Nodo] >= 1)
        editor_->MostraDalFile([](const Chiavi::Chiave& c) {
            return File_Ini::LeggiIni(QString::fromLatin1(Chiavi::Sezione::Apriporta), c.Nome(), QString());
        });
    for (int i = 0; i < static_cast<int>(Txt_ZoneMB_AP.size()); ++i) {
        Txt_ZoneMB_AP[i]->setEnabled(!casellaLettura(i));
        Txt_ZoneMB_AP[i]->update();
    }

    // A time edited by hand to a value the list lacks shows none; the save then keeps it.
    Impostazioni::SelezionaTesto(Cmd_Tempo_AP, QString::number(TempoApriporta));
    Cmd_Tempo_AP->setEnabled(true);
    riempita_ = true;
}

void PaginaApriporta::Cmb_Decimali_AP_Click()
{
    bool ok = false;
    const int d = Impostazioni::TestoSelezionato(Cmb_Decimali_AP).toInt(&ok);
    if (ok)
        Finestra()->DecimaliPagina = d;
    // An empty value box stands for a point not configured: it stays empty.
    editor_->Riformatta(true);
}

PaginaApriportaDati::Valori PaginaApriporta::ValoriPagina() const
{
    PaginaApriportaDati::Valori v;
    v.usa = Chk_UsaApriporta->isChecked();
    v.riempita = riempita_;
    v.suono = Txt_Suono->text();
    v.nome = Txt_NomeApriporta->text();
    v.indirizzo = Impostazioni::TestoSelezionato(Cmb_Indirizzo_AP);
    v.decimali = Impostazioni::TestoSelezionato(Cmb_Decimali_AP);
    v.tempo = Impostazioni::TestoSelezionato(Cmd_Tempo_AP);
    v.decimaliPagina = Finestra()->DecimaliPagina;
    for (int i = 0; i < static_cast<int>(v.caselle.size()); ++i)
        v.caselle[i] = Txt_ZoneMB_AP[i]->text();
    return v;
}

void PaginaApriporta::Cmd_Chiudi_AP_Click()
{
    // What is saved is what the boxes show once left: the values in their points' format.
    if (riempita_ && Chk_UsaApriporta->isChecked())
        editor_->Riformatta(true);
    const PaginaApriportaDati::Valori valori = ValoriPagina();
    const Impostazioni::Scritture cambiate = Impostazioni::Cambiate(mostrate_, ChiaviDaSalvare(valori));
    if (!cambiate.isEmpty()) {
        if (const auto rifiuto = Verifica(valori, cambiate)) {
            Impostazioni::Avvisa(EditorPunti::TestoRifiuto(rifiuto->messaggio));
            Casella::DaiFuoco(Txt_ZoneMB_AP[rifiuto->casella]);
            return;
        }
    }
    hide();
    SalvaERicarica(cambiate, [this] {
        update();
        Finestra()->update();
    });
}

void PaginaApriporta::Cmd_Chiudi_AP2_Click()
{
    // The opener page only hides: what the use box wrote stays, the rest is dropped when the
    // page next opens.
    hide();
    update();
    Finestra()->update();
}
