#include "pagina_rs232.h"

#include "chiavi.h"
#include "comunicazioni.h"
#include "controlli.h"
#include "conversioni.h"
#include "file_ini.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace PaginaSeriale {

namespace {
QString com() { return QString::fromLatin1(Chiavi::Sezione::COM); }
}  // namespace

QStringList Voci(int lista)
{
    switch (lista) {
    case Porta: return Impostazioni::Numeri(1, 255);
    case Formato:
        return {QStringLiteral("1200,N,8,1"), QStringLiteral("2400,N,8,1"), QStringLiteral("4800,N,8,1"),
                QStringLiteral("9600,N,8,1"), QStringLiteral("19200,N,8,1")};
    case Retry: return Impostazioni::Numeri(1, 5);
    case TimeOut: return Impostazioni::Numeri(50, 1000, 50);
    case CicloRem: return Impostazioni::Numeri(2, 30);
    case CicloMisura: return Impostazioni::Numeri(5, 300);
    case CicloLED: return Impostazioni::Numeri(1, 30);
    default: return {};
    }
}

Chiavi::Chiave ChiaveLista(int lista)
{
    namespace C = Chiavi::COM;
    static const Chiavi::Chiave chiavi[] = {C::Porta,      C::Formato,     C::Retry,  C::TimeOut,
                                            C::BaseRemoto, C::BaseMisura,  C::BaseLED};
    return chiavi[std::clamp(lista, 0, NumeroListe - 1)];
}

Impostazioni::Scritture ChiaviDaSalvare(const Valori& v)
{
    Impostazioni::Scritture chiavi;
    for (int k = 0; k < NumeroListe; ++k)
        Impostazioni::AggiungiScelta(chiavi, com(), ChiaveLista(k).Nome(), v.liste[k]);
    chiavi.append({com(), Chiavi::COM::Remoto.Nome(), v.remoto ? QStringLiteral("1") : QStringLiteral("0")});
    chiavi.append({com(), Chiavi::COM::Attivita.Nome(), v.attivita ? QStringLiteral("1") : QStringLiteral("0")});
    chiavi.append({QString::fromLatin1(Chiavi::Sezione::Sinottico), Chiavi::Sinottico::SuonoAllarme.Nome(),
                   v.suonoAllarme});
    return chiavi;
}

}  // namespace PaginaSeriale

using namespace PaginaSeriale;

PaginaRS232::PaginaRS232(Comunicazioni* finestra)
    : Pagina(finestra, QStringLiteral("Pic_RS232"), 120, 480)
{
    auto* colonna = new QVBoxLayout(this);
    auto* titolo = new QLabel(QStringLiteral("Impostazione linea seriale RS232"), this);
    titolo->setObjectName(QStringLiteral("Lab_Titolo_RS232"));
    QFont grassetto = titolo->font();
    grassetto.setBold(true);
    titolo->setFont(grassetto);
    colonna->addWidget(titolo);

    auto* griglia = new QGridLayout;
    static const char* const nomi[] = {"Cmb_RS232",    "Cmb_ImpRS232",    "Cmb_Retry",   "Cmb_TimeOut",
                                       "Cmb_CicloRem", "Cmb_CicloMisura", "Cmb_CicloLED"};
    static const char* const etichette[] = {"Numero porta:",  "Impostazione porta:", "Retry:",
                                            "Time-Out [ms]:", "Ciclo remoto:",       "Ciclo acquisizione:",
                                            "Ciclo indicatori:"};
    static const char* const suggerimenti[] = {
        "Porta seriale",
        "Impostazione della porta",
        "Tentativi di comunicazione",
        "Time-out [ms]",
        "Frequenza di verifica / impostazione dello stato di remoto [s]",
        "Frequenza di acquisizione dei dati [s]",
        "Frequenza di acquisizione degli indicatori (LED) [s]"};
    for (int k = 0; k < NumeroListe; ++k) {
        Liste[k] = new QComboBox(this);
        Liste[k]->setObjectName(QString::fromLatin1(nomi[k]));
        Liste[k]->setToolTip(QString::fromUtf8(suggerimenti[k]));
        Liste[k]->setMaxVisibleItems(12);
        griglia->addWidget(new QLabel(QString::fromUtf8(etichette[k]), this), k, 0);
        griglia->addWidget(Liste[k], k, 1);
    }
    Cmb_RS232 = Liste[Porta];
    Cmb_ImpRS232 = Liste[Formato];
    Cmb_Retry = Liste[Retry];
    Cmb_TimeOut = Liste[TimeOut];
    Cmb_CicloRem = Liste[CicloRem];
    Cmb_CicloMisura = Liste[CicloMisura];
    Cmb_CicloLED = Liste[CicloLED];
    colonna->addLayout(griglia);

    Chk_Remoto = new QCheckBox(QStringLiteral("Mantieni strumenti in < Remoto >"), this);
    Chk_Remoto->setObjectName(QStringLiteral("Chk_Remoto"));
    Chk_Remoto->setToolTip(QStringLiteral("Mantenere la strumentazione in modalità <Remoto>"));
    Chk_Attivita_Linea = new QCheckBox(QStringLiteral("Mantieni attività di linea"), this);
    Chk_Attivita_Linea->setObjectName(QStringLiteral("Chk_Attivita_Linea"));
    Chk_Attivita_Linea->setToolTip(QStringLiteral("Mantenimento dell'attività di linea ogni secondo"));
    colonna->addWidget(Chk_Remoto);
    colonna->addWidget(Chk_Attivita_Linea);

    auto* suono = new QHBoxLayout;
    Txt_SuonoAllarme = new QLineEdit(this);
    Txt_SuonoAllarme->setObjectName(QStringLiteral("Txt_SuonoAllarme"));
    Txt_SuonoAllarme->setToolTip(QStringLiteral("Nome del file sonoro che evidenzia errori di comunicazione"));
    suono->addWidget(new QLabel(QStringLiteral("Suono allarme:"), this));
    suono->addWidget(Txt_SuonoAllarme);
    colonna->addLayout(suono);

    auto* pulsanti = new QHBoxLayout;
    static const char* const suggerimentiChiudi[] = {"Salva ed esci dalla configurazione",
                                                     "Esci dalla configurazione senza salvare"};
    for (int i = 0; i < 2; ++i) {
        Cmd_Chiudi_RS232[i] = Impostazioni::PulsanteChiusura(this, Controlli::Elemento("Cmd_Chiudi_RS232", i),
                                                             static_cast<Impostazioni::Chiusura>(i),
                                                             QString::fromLatin1(suggerimentiChiudi[i]));
        connect(Cmd_Chiudi_RS232[i], &QToolButton::clicked, this, [this, i] { Cmd_Chiudi_RS232_Click(i); });
        pulsanti->addWidget(Cmd_Chiudi_RS232[i]);
    }
    pulsanti->addStretch();
    colonna->addLayout(pulsanti);
}

void PaginaRS232::RiempiListe(bool)
{
    for (int k = 0; k < NumeroListe; ++k)
        Impostazioni::RiempiLista(Liste[k], Voci(k));
}

void PaginaRS232::Apri()
{
    const QString com = QString::fromLatin1(Chiavi::Sezione::COM);
    auto leggi = [&](const Chiavi::Chiave& c) { return File_Ini::LeggiIni(com, c).trimmed(); };

    // The entry shown is the stored port number. A port that is not an entry (0, beyond 255, not
    // a number) shows none, and the save leaves the stored one as it is.
    const auto porta = Generale::LeggiIntero(leggi(Chiavi::COM::Porta));
    Impostazioni::SelezionaIndice(Cmb_RS232, porta ? static_cast<int>(std::clamp<long long>(*porta, 0, 256)) - 1 : -1);
    // A stored value that is none of a list's entries shows none, likewise.
    for (int k = Formato; k < NumeroListe; ++k)
        Impostazioni::SelezionaTesto(Liste[k], leggi(ChiaveLista(k)));

    // Ticked for what the load runs as on, a whole 1, and for nothing else: a stored 2 runs off,
    // so it shows off (and, untouched, stays 2 in the file).
    auto spunta = [&](QCheckBox* box, const Chiavi::Chiave& c) {
        const auto v = Generale::LeggiIntero(leggi(c));
        box->setChecked(v && *v == 1);
    };
    spunta(Chk_Attivita_Linea, Chiavi::COM::Attivita);
    spunta(Chk_Remoto, Chiavi::COM::Remoto);

    Txt_SuonoAllarme->setText(
        File_Ini::LeggiIni(QString::fromLatin1(Chiavi::Sezione::Sinottico), Chiavi::Sinottico::SuonoAllarme).trimmed());
    Txt_SuonoAllarme->update();
    mostrate_ = PaginaSeriale::ChiaviDaSalvare(ValoriPagina());
    Mostra();
}

PaginaSeriale::Valori PaginaRS232::ValoriPagina() const
{
    PaginaSeriale::Valori v;
    for (int k = 0; k < NumeroListe; ++k)
        v.liste[k] = Impostazioni::TestoSelezionato(Liste[k]);
    v.remoto = Chk_Remoto->isChecked();
    v.attivita = Chk_Attivita_Linea->isChecked();
    v.suonoAllarme = Txt_SuonoAllarme->text();
    return v;
}

void PaginaRS232::Cmd_Chiudi_RS232_Click(int indice)
{
    // The reload applies the line settings and tests the port again.
    if (indice == 0) {
        hide();
        SalvaERicarica(Impostazioni::Cambiate(mostrate_, PaginaSeriale::ChiaviDaSalvare(ValoriPagina())), [this] {
            update();
            Finestra()->update();
        });
    } else {
        EsciSenzaSalvare();
    }
}
