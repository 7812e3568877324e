#include "pagina_dispositivi_comune.h"

#include "casellavalore.h"
#include "comunicazioni.h"
#include "controlli.h"
#include "file_ini.h"
#include "generale.h"
#include "geometria.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>

namespace {

using Geometria::TwipsPerPixel;

void numeri(QComboBox* lista, int primo, int ultimo)
{
    Impostazioni::RiempiLista(lista, Impostazioni::Numeri(primo, ultimo));
}

// `w` at the largest size, from its own down to 7 points, at which `campione` takes at most
// `larghezza` pixels.
void adatta(QWidget* w, const QString& campione, int larghezza)
{
    QFont f = w->font();
    for (qreal punti = f.pointSizeF(); punti >= 7.0; punti -= 0.5) {
        f.setPointSizeF(punti);
        if (QFontMetrics(f).horizontalAdvance(campione) <= larghezza)
            break;
    }
    w->setFont(f);
}

void seleziona(QComboBox* lista, int indice)
{
    const QSignalBlocker blocco(lista);
    lista->setCurrentIndex(indice >= 0 && indice < lista->count() ? indice : -1);
}

}  // namespace

PaginaDispositivi::PaginaDispositivi(Comunicazioni* finestra, const Descrizione& d)
    : Pagina(finestra, QString::fromLatin1(d.pagina), 120, 480), d_(d)
{
    // The grid keeps the places of the original form, made for a narrower 8-point face.
    QFont carattere = font();
    carattere.setPointSize(8);
    setFont(carattere);
    titolo_ = Etichetta(QString::fromUtf8(d.titolo), 120, 120, 4300);
    QFont grassetto = titolo_->font();
    grassetto.setBold(true);
    titolo_->setFont(grassetto);

    auto lista = [&](const char* nome, const char* testo, const char* suggerimento, int top) {
        Etichetta(QString::fromUtf8(testo), 120, top + 45, 2280);
        auto* l = new QComboBox(this);
        l->setObjectName(QString::fromLatin1(nome));
        l->setToolTip(QString::fromUtf8(suggerimento));
        Colloca(l, 2520, top, 975, 315);
        return l;
    };
    usati_ = lista(d.usati, d.testoUsati, d.suggerimentoUsati, 600);
    scelta_ = lista(d.scelta, d.testoScelta, d.suggerimentoScelta, 1000);
    Etichetta(QString::fromUtf8(d.testoNome), 120, 1445, 2280);
    nome_ = new QLineEdit(this);
    nome_->setObjectName(QString::fromLatin1(d.nome));
    nome_->setToolTip(QString::fromUtf8(d.suggerimentoNome));
    Colloca(nome_, 2520, 1400, 1815, 315);
    nodo_ = lista(d.nodo, "Indirizzo strumento:", "Indirizzo del nodo modbus", 1800);
    decimaliLista_ = lista(d.decimali, "Numero decimali:", "Numero decimali", 2200);

    caselle_.assign(static_cast<std::size_t>(d.numeroCaselle), nullptr);
    // The boxes' kinds come from the record: a point's code and register boxes, a value's box.
    for (const EditorPunti::Voce& v : d.record) {
        if (v.valore) {
            caselle_[v.casella] =
                new CasellaValore(CasellaValore::Tipo::Valore, QString::fromLatin1(v.suggerimento), this);
            continue;
        }
        caselle_[v.casella] = new CasellaValore(
            CasellaValore::Tipo::Registro,
            QString::fromLatin1(v.scrittura ? Casella::SuggerimentoScrittura : Casella::SuggerimentoLettura), this);
        caselle_[v.casella + 1] =
            new CasellaValore(CasellaValore::Tipo::Registro, QString::fromLatin1(Casella::SuggerimentoRegistro), this);
    }
    for (int i = 0; i < d.numeroCaselle; ++i)
        caselle_[i]->setObjectName(Controlli::Elemento(d.caselle, i));
    editor_ = std::make_unique<EditorPunti::EditorRecord>(d.record, caselle_, [this] { return decimali_; });

    static const char* const suggerimenti[] = {"Salva ed esci dalla configurazione",
                                               "Esci dalla configurazione senza salvare", "Salva i dati"};
    for (int i = 0; i < 3; ++i) {
        auto* p = Impostazioni::PulsanteChiusura(this, Controlli::Elemento(d.pulsanti, i),
                                                 static_cast<Impostazioni::Chiusura>(i), QString::fromUtf8(suggerimenti[i]));
        connect(p, &QToolButton::clicked, this, [this, i] { Chiudi(i); });
        pulsanti_[i] = p;
    }
    // Tab goes down the shared controls, then through the boxes in their index order.
    QWidget* prima = decimaliLista_;
    for (CasellaValore* c : caselle_) {
        setTabOrder(prima, c);
        prima = c;
    }

    connect(usati_, &QComboBox::currentIndexChanged, this, [this] { CambiaConteggio(); });
    connect(scelta_, &QComboBox::currentIndexChanged, this, [this] { MostraScelto(); });
    connect(decimaliLista_, &QComboBox::currentIndexChanged, this, [this] { CambiaDecimali(); });
}

void PaginaDispositivi::Colloca(QWidget* w, int left, int top, int larghezza, int altezza)
{
    w->setGeometry(left / TwipsPerPixel, top / TwipsPerPixel, larghezza / TwipsPerPixel, altezza / TwipsPerPixel);
}

QLabel* PaginaDispositivi::Etichetta(const QString& testo, int left, int top, int larghezza)
{
    auto* l = new QLabel(testo, this);
    l->setTextFormat(Qt::PlainText);
    Colloca(l, left, top, larghezza, 285);
    etichette_.push_back(l);
    return l;
}

void PaginaDispositivi::AdattaCaratteri()
{
    for (QLabel* l : etichette_)
        if (l != titolo_)
            adatta(l, l->text(), l->width());
    // A box's frame and margins take 4 pixels each side; the widest text is a register of five
    // digits, or a value of five digits with its sign and separator.
    for (CasellaValore* c : caselle_) {
        const QString campione = c->eValore() ? QStringLiteral("-327,68")
                               : c->ruolo() == CasellaValore::Ruolo::Indirizzo ? QStringLiteral("32767")
                                                                               : QStringLiteral("6");
        adatta(c, campione, c->width() - 8);
    }
}

void PaginaDispositivi::RiempiListe(bool)
{
    numeri(usati_, 0, d_.massimo);
    numeri(nodo_, 1, 255);
    numeri(decimaliLista_, 0, 3);
}

void PaginaDispositivi::Apri()
{
    // The count in force is shown, not chosen again: opening the page writes nothing.
    seleziona(usati_, Conteggio());
    RiempiScelta(Conteggio());
    MostraScelto();
    Mostra();
}

void PaginaDispositivi::CambiaConteggio()
{
    const int n = usati_->currentIndex();
    if (n < 0)
        return;
    RiempiScelta(n);
    if (!File_Ini::ScriviIni(QString::fromLatin1(Chiavi::Sezione::Generale), *d_.chiaveUsati, usati_->currentText())) {
        // A count the file refused is not in force: the page goes back to what the file says.
        Impostazioni::AvvisaScritturaRifiutata();
        Finestra()->CaricaImpostazioni([this] {
            seleziona(usati_, Conteggio());
            RiempiScelta(Conteggio());
            MostraScelto();
        });
        return;
    }
    if (n == 0) {
        // The plant model keeps the previous devices until the next load.
        MostraScelto();
        return;
    }
    // Until the reload has run, the boxes go on showing the device they were filled with; the
    // window takes no input while the reload waits for its turn.
    Finestra()->CaricaImpostazioni([this] { MostraScelto(); });
}

void PaginaDispositivi::RiempiScelta(int n)
{
    const QSignalBlocker blocco(scelta_);
    scelta_->clear();
    if (n == 0) {
        scelta_->addItem(QStringLiteral("0"));
        scelta_->setCurrentIndex(-1);
    } else {
        for (int k = 1; k <= n; ++k)
            scelta_->addItem(QString::number(k));
        scelta_->setCurrentIndex(0);
    }
    scelta_->setEnabled(n > 0);
}

void PaginaDispositivi::MostraScelto()
{
    const int i = scelta_->isEnabled() ? scelta_->currentIndex() : -1;
    if (i < 0 || i >= d_.massimo) {
        seleziona(nodo_, -1);
        seleziona(decimaliLista_, -1);
        nome_->clear();
        editor_->Svuota(false);
        for (QWidget* w : {static_cast<QWidget*>(nodo_), static_cast<QWidget*>(decimaliLista_), static_cast<QWidget*>(nome_)})
            w->setEnabled(false);
        mostrato_.reset();
        mostrate_.clear();
        return;
    }
    const EditorPunti::Riga lettura = Lettura(i);
    // An unconfigured device (no valid node) shows no node, so a save never gives it another
    // device's; its decimals are the load's default, the ones its values are read with.
    const int nodo = lettura[Generale::Nodo];
    const bool configurato = nodo >= 1 && nodo <= 255;
    seleziona(nodo_, configurato ? nodo - 1 : -1);
    seleziona(decimaliLista_, configurato ? lettura[Generale::Decimali] : 0);
    nodo_->setEnabled(true);
    decimaliLista_->setEnabled(true);
    CambiaDecimali();
    nome_->setText(i < Conteggio() ? NomeModello(i)
                                   : QString::fromLatin1(d_.ripiego) + QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0')));
    nome_->setEnabled(true);
    MostraAltro(i, configurato);
    editor_->Mostra(lettura, Scrittura(i));
    // A point the load could not take, and a value that goes with one, shown as the file holds it.
    if (configurato) {
        const QString sezione = Sezione(i);
        editor_->MostraDalFile(
            [&sezione](const Chiavi::Chiave& c) { return File_Ini::LeggiIni(sezione, c.Nome(), QString()); });
    }
    mostrato_ = i;
    mostrate_ = ChiaviMostrate();
}

void PaginaDispositivi::CambiaDecimali()
{
    // With no entry chosen the page keeps its decimals.
    if (decimaliLista_->currentIndex() >= 0) {
        bool ok = false;
        const int d = decimaliLista_->currentText().toInt(&ok);
        if (ok)
            decimali_ = d;
    }
    DecimaliFinestra() = decimali_;
    // An empty value box stands for a point not configured: a change of decimals leaves it empty.
    editor_->Riformatta(true);
}

Impostazioni::Scritture PaginaDispositivi::ChiaviMostrate() const
{
    if (!mostrato_)
        return {};
    namespace D = Chiavi::Dispositivo;
    QList<EditorPunti::Scrittura> chiavi = {{QString::fromLatin1(D::Nome), Impostazioni::NomeDaSalvare(nome_->text())}};
    if (nodo_->currentIndex() >= 0)
        chiavi += {D::Indirizzo.Nome(), nodo_->currentText()};
    if (decimaliLista_->currentIndex() >= 0)
        chiavi += {D::Decimali.Nome(), decimaliLista_->currentText()};
    chiavi += EditorPunti::ChiaviRecord(d_.record, editor_->Testi(), decimali_);
    chiavi += ChiaviAltre();
    const QString sezione = Sezione(*mostrato_);
    Impostazioni::Scritture scritture;
    for (const EditorPunti::Scrittura& s : chiavi)
        scritture.append({sezione, s.chiave, s.valore});
    return scritture;
}

bool PaginaDispositivi::Salva()
{
    // No device shown: nothing of any device's section is written.
    if (!mostrato_)
        return true;
    // What is saved is what the boxes will show once left: the values in their points' format.
    editor_->Riformatta(true);
    const Impostazioni::Scritture ora = ChiaviMostrate();
    const Impostazioni::Scritture cambiate = Impostazioni::Cambiate(mostrate_, ora);
    if (cambiate.isEmpty())
        return true;
    // Only what the save writes is checked: a point the file holds in a form the page would
    // refuse stays as it is while nobody touches it.
    if (const auto rifiuto =
            EditorPunti::VerificaRecord(d_.record, editor_->Testi(), decimali_, Impostazioni::NomiChiavi(cambiate))) {
        Impostazioni::Avvisa(EditorPunti::TestoRifiuto(rifiuto->messaggio));
        Casella::DaiFuoco(caselle_[rifiuto->casella]);
        return false;
    }
    if (Impostazioni::ScriviChiavi(cambiate))
        mostrate_ = ora;  // the page stays on what the file now holds
    else
        Impostazioni::AvvisaScritturaRifiutata();
    return true;
}

void PaginaDispositivi::Chiudi(int indice)
{
    if (indice == 1) {
        Finestra()->CaricaImpostazioni([this] {
            hide();
            Finestra()->update();
        });
        return;
    }
    if (!Salva())
        return;
    if (indice == 0)
        Finestra()->CaricaImpostazioni([this] {
            hide();
            Finestra()->update();
        });
    else
        Finestra()->CaricaImpostazioni([this] { update(); });
}
