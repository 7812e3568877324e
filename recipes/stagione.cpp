#include "stagione.h"

#include "cartellaprogramma.h"
#include "codabus.h"
#include "controlli.h"
#include "conversioni.h"
#include "dialoghi.h"
#include "file_ini.h"
#include "ganci.h"
#include "geometria.h"

#include <QCloseEvent>
#include <QPointer>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolTip>
#include <QTreeView>
#include <QVBoxLayout>

using Piattaforma::IconaDialogo;
using Piattaforma::PulsantiDialogo;
using Piattaforma::RispostaDialogo;

const QString Stagione::Titolo = QStringLiteral("Configurazione strumenti");

namespace {

// The frame's size inside the smallest window (12765 x 7215 twips, 851 x 481 pixels).
constexpr int LarghezzaCornice = 830;
constexpr int AltezzaCornice = 460;

IconaDialogo icona(Ricette::StileMessaggio::Icona i)
{
    switch (i) {
    case Ricette::StileMessaggio::Esclamazione:
        return IconaDialogo::Esclamazione;
    case Ricette::StileMessaggio::Informazione:
        return IconaDialogo::Informazione;
    case Ricette::StileMessaggio::Domanda:
        return IconaDialogo::Domanda;
    case Ricette::StileMessaggio::Stop:
        break;
    }
    return IconaDialogo::Critico;
}

// A cell too narrow for its text (a long parameter or zone name) shows the whole text as its
// tooltip; a cell that fits keeps the column's own tooltip.
class TestoIntero final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* evento, QAbstractItemView* vista, const QStyleOptionViewItem& opzione,
                   const QModelIndex& indice) override
    {
        if (evento && vista && evento->type() == QEvent::ToolTip && indice.isValid()) {
            QStyleOptionViewItem o = opzione;
            initStyleOption(&o, indice);
            const QStyle* stile = vista->style();
            // The cell as seen: a list row may reach past the list's right edge.
            const QRect testo =
                stile->subElementRect(QStyle::SE_ItemViewItemText, &o, vista).intersected(vista->viewport()->rect());
            const int margine = stile->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, vista) + 1;
            if (o.fontMetrics.horizontalAdvance(o.text) > testo.width() - 2 * margine) {
                QToolTip::showText(evento->globalPos(), o.text, vista);
                return true;
            }
        }
        return QStyledItemDelegate::helpEvent(evento, vista, opzione, indice);
    }
};

// The station's file dialog on the folder Ricetta; "*.prg" is matched without regard to case.
QString dialogoRicetta(QWidget* genitore, const QString& cartella)
{
    QFileDialog dialogo(genitore, QString(), cartella);
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.setFileMode(QFileDialog::ExistingFile);
    dialogo.setAcceptMode(QFileDialog::AcceptOpen);
    dialogo.setNameFilters({QStringLiteral("Ricette (*.prg)"), QStringLiteral("Tutti i file (*.*)")});
    dialogo.selectNameFilter(QStringLiteral("Ricette (*.prg)"));
    dialogo.setFilter((dialogo.filter() & ~QDir::CaseSensitive) | QDir::AllEntries | QDir::NoDotAndDotDot);
    // Wide enough for whole names, sizes and dates: the name column takes what the others leave.
    dialogo.resize(820, 480);
    if (auto* dettagli = dialogo.findChild<QTreeView*>()) {
        QHeaderView* intestazione = dettagli->header();
        intestazione->setStretchLastSection(false);
        for (int c = 0; c < intestazione->count(); ++c)
            intestazione->setSectionResizeMode(c, c == 0 ? QHeaderView::Stretch : QHeaderView::ResizeToContents);
    }
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return QString();
    return QDir::toNativeSeparators(dialogo.selectedFiles().first());
}

}  // namespace

Stagione::Stagione(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Stagione"));
    setWindowTitle(Titolo);
    IntervalloRicetta.fill(200);

    Frm_Stagione = new QFrame(this);
    Frm_Stagione->setObjectName(QStringLiteral("Frm_Stagione"));
    Frm_Stagione->setFixedSize(LarghezzaCornice, AltezzaCornice);
    creaPulsanti();
    creaListe();
    creaAvanzamento();

    Cmd_Dialog = [this](const QString& cartella) { return dialogoRicetta(this, cartella); };

    // The window's load.
    Cmd_Cancella_Click();
    Geometria::RegolaGeometria(this, Frm_Stagione, Geometria::MinimoStagione);
}

void Stagione::creaPulsanti()
{
    auto* colonna = new QVBoxLayout(Frm_Stagione);
    auto* riga = new QHBoxLayout;
    colonna->addLayout(riga);
    struct Voce {
        const char* testo;
        const char* suggerimento;
        QStyle::StandardPixmap immagine;
    };
    const Voce voci[] = {
        {"Estate", "Carica una ricetta per configurare la stagione estiva", QStyle::SP_ArrowUp},
        {"Inverno", "Carica una ricetta per configurare la stagione invernale", QStyle::SP_ArrowDown},
        {"Ricetta", "Carica una ricetta da inviare all'impianto", QStyle::SP_DialogOpenButton},
        {"Cancella", "Cancella i dati presenti nelle liste", QStyle::SP_DialogResetButton},
        {"Invia", "Invia la ricetta selezionata all'impianto", QStyle::SP_DialogApplyButton},
    };
    std::array<QPushButton*, 5> pulsanti{};
    for (int i = 0; i < 5; ++i) {
        pulsanti[i] = new QPushButton(style()->standardIcon(voci[i].immagine), QString::fromUtf8(voci[i].testo),
                                      Frm_Stagione);
        pulsanti[i]->setToolTip(QString::fromUtf8(voci[i].suggerimento));
        pulsanti[i]->setMinimumHeight(36);
        riga->addWidget(pulsanti[i]);
        if (i == 2)
            riga->addStretch();
    }
    for (int i = 0; i < 3; ++i) {
        Cmd_Stagione[i] = pulsanti[i];
        Cmd_Stagione[i]->setObjectName(Controlli::Elemento("Cmd_Stagione", i));
        connect(Cmd_Stagione[i], &QPushButton::clicked, this, [this, i] { Cmd_Stagione_Click(i); });
    }
    Cmd_Cancella = pulsanti[3];
    Cmd_Cancella->setObjectName(QStringLiteral("Cmd_Cancella"));
    connect(Cmd_Cancella, &QPushButton::clicked, this, &Stagione::Cmd_Cancella_Click);
    Cmd_Invio_Stagione = pulsanti[4];
    Cmd_Invio_Stagione->setObjectName(QStringLiteral("Cmd_Invio_Stagione"));
    connect(Cmd_Invio_Stagione, &QPushButton::clicked, this, &Stagione::Cmd_Invio_Stagione_Click);
}

void Stagione::creaListe()
{
    Pic_Ricette = new QFrame(Frm_Stagione);
    Pic_Ricette->setObjectName(QStringLiteral("Pic_Ricette"));
    Pic_Ricette->setFrameShape(QFrame::StyledPanel);
    Pic_Ricette->setFocusPolicy(Qt::StrongFocus);
    static_cast<QVBoxLayout*>(Frm_Stagione->layout())->addWidget(Pic_Ricette, 1);
    auto* griglia = new QGridLayout(Pic_Ricette);
    griglia->setHorizontalSpacing(2);
    struct Colonna {
        const char* nome;
        const char* titolo;
        const char* suggerimento;
        int larghezza;
    };
    const Colonna colonne[] = {
        {"Lst_Dev", "Nome Zona", "Nome della zona", 3},
        {"Lst_Sadd", "Nodo", "Numero del nodo modbus", 1},
        {"Lst_FC", "Cod. Funz", "Codice funzione", 1},
        {"Lst_MB", "Parametro", "Indirizzo del parametro", 2},
        {"Lst_MBVal", "Valore", "Valore da assegnare al parametro", 2},
        {"Lst_NomePar", "Nome Parametro", "Nome del parametro", 5},
    };
    for (int i = 0; i < 6; ++i) {
        Lab_Stagioni[i] = new QLabel(QString::fromUtf8(colonne[i].titolo), Pic_Ricette);
        Lab_Stagioni[i]->setObjectName(Controlli::Elemento("Lab_Stagioni", i));
        Lab_Stagioni[i]->setTextFormat(Qt::PlainText);
        auto* lista = new QListWidget(Pic_Ricette);
        lista->setObjectName(QString::fromLatin1(colonne[i].nome));
        lista->setToolTip(QString::fromUtf8(colonne[i].suggerimento));
        lista->setSelectionMode(QAbstractItemView::SingleSelection);
        lista->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        lista->setVerticalScrollBarPolicy(i == 5 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        lista->setItemDelegate(new TestoIntero(lista));
        griglia->addWidget(Lab_Stagioni[i], 0, i);
        griglia->addWidget(lista, 1, i);
        griglia->setColumnStretch(i, colonne[i].larghezza);
        visibili_[i] = lista;
    }
    Lst_Dev = visibili_[0];
    Lst_Sadd = visibili_[1];
    Lst_FC = visibili_[2];
    Lst_MB = visibili_[3];
    Lst_MBVal = visibili_[4];
    Lst_NomePar = visibili_[5];
    void (Stagione::*clic[])() = {&Stagione::Lst_Dev_Click, &Stagione::Lst_Sadd_Click,  &Stagione::Lst_FC_Click,
                                  &Stagione::Lst_MB_Click,  &Stagione::Lst_MBVal_Click, &Stagione::Lst_NomePar_Click};
    for (int i = 0; i < 6; ++i)
        connect(visibili_[i], &QListWidget::currentRowChanged, this, clic[i]);
    // The columns read as one table: they scroll together, by the last column's bar.
    for (int i = 0; i < 5; ++i) {
        connect(Lst_NomePar->verticalScrollBar(), &QScrollBar::valueChanged, visibili_[i]->verticalScrollBar(),
                &QScrollBar::setValue);
        connect(visibili_[i]->verticalScrollBar(), &QScrollBar::valueChanged, Lst_NomePar->verticalScrollBar(),
                &QScrollBar::setValue);
    }
    Lst_nDev = new QListWidget(Pic_Ricette);
    Lst_nDev->setObjectName(QStringLiteral("Lst_nDev"));
    Lst_nDev->hide();
}

void Stagione::creaAvanzamento()
{
    Pic_Avanzamento = new QFrame(Frm_Stagione);
    Pic_Avanzamento->setObjectName(QStringLiteral("Pic_Avanzamento"));
    Pic_Avanzamento->setFrameShape(QFrame::Panel);
    Pic_Avanzamento->setFrameShadow(QFrame::Raised);
    Pic_Avanzamento->setAutoFillBackground(true);
    auto* riga = new QHBoxLayout(Pic_Avanzamento);
    ProgBar = new QProgressBar(Pic_Avanzamento);
    ProgBar->setObjectName(QStringLiteral("ProgBar"));
    ProgBar->setTextVisible(false);
    Lab_Avanzamento = new QLabel(QStringLiteral("0%"), Pic_Avanzamento);
    Lab_Avanzamento->setObjectName(QStringLiteral("Lab_Avanzamento"));
    Lab_Avanzamento->setMinimumWidth(48);
    Lab_Avanzamento->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The panel shows while the windows are disabled: it keeps the colours of an enabled one, so
    // the bar and the percentage stay readable instead of greyed out.
    QPalette tavolozza = Pic_Avanzamento->palette();
    for (int ruolo = 0; ruolo < QPalette::NColorRoles; ++ruolo) {
        const auto r = QPalette::ColorRole(ruolo);
        tavolozza.setBrush(QPalette::Disabled, r, tavolozza.brush(QPalette::Active, r));
    }
    Pic_Avanzamento->setPalette(tavolozza);
    riga->addWidget(ProgBar, 1);
    riga->addWidget(Lab_Avanzamento);
    // Over the lists, in the middle of the frame.
    Pic_Avanzamento->setGeometry(LarghezzaCornice / 2 - 220, AltezzaCornice / 2 - 25, 440, 50);
    Pic_Avanzamento->hide();
}

// ---- Lists -----------------------------------------------------------------------------------

void Stagione::svuotaListe()
{
    AllineamentoInCorso = true;
    for (QListWidget* lista : visibili_)
        lista->clear();
    Lst_nDev->clear();
    AllineamentoInCorso = false;
}

void Stagione::aggiungiRiga(const Ricette::RigaLista& riga)
{
    Lst_nDev->addItem(riga.nDev);
    Lst_Dev->addItem(riga.Dev);
    Lst_Sadd->addItem(riga.Sadd);
    Lst_FC->addItem(riga.FC);
    Lst_MB->addItem(riga.MB);
    Lst_MBVal->addItem(riga.MBVal);
    Lst_NomePar->addItem(riga.NomePar);
}

QList<Ricette::RigaLista> Stagione::righe() const
{
    QList<Ricette::RigaLista> tutte;
    auto testo = [](QListWidget* lista, int i) { return i < lista->count() ? lista->item(i)->text() : QString(); };
    for (int i = 0; i < Lst_Dev->count(); ++i)
        tutte.append({testo(Lst_nDev, i), testo(Lst_Dev, i), testo(Lst_Sadd, i), testo(Lst_FC, i), testo(Lst_MB, i),
                      testo(Lst_MBVal, i), testo(Lst_NomePar, i)});
    return tutte;
}

void Stagione::Cmd_Cancella_Click()
{
    if (invioInCorso_)
        return;
    svuotaListe();
    ricettaCompleta_ = false;
    abilitaInvio();
    Pic_Ricette->setFocus();
}

void Stagione::AllineaSelezione(int index)
{
    AllineamentoInCorso = true;
    for (QListWidget* lista : visibili_) {
        if (index >= 0 && index < lista->count())
            lista->setCurrentRow(index);
        lista->update();
    }
    AllineamentoInCorso = false;
}

void Stagione::listaCliccata(QListWidget* lista)
{
    if (!AllineamentoInCorso && lista->currentRow() >= 0)
        AllineaSelezione(lista->currentRow());
}

void Stagione::Lst_Dev_Click() { listaCliccata(Lst_Dev); }
void Stagione::Lst_Sadd_Click() { listaCliccata(Lst_Sadd); }
void Stagione::Lst_FC_Click() { listaCliccata(Lst_FC); }
void Stagione::Lst_MB_Click() { listaCliccata(Lst_MB); }
void Stagione::Lst_MBVal_Click() { listaCliccata(Lst_MBVal); }
void Stagione::Lst_NomePar_Click() { listaCliccata(Lst_NomePar); }

void Stagione::AbilitaComandi(bool diritti)
{
    for (QPushButton* b : Cmd_Stagione)
        b->setEnabled(diritti);
    Cmd_Cancella->setEnabled(diritti);
    Cmd_Invio_Stagione->setEnabled(diritti && ricettaCompleta_);
}

void Stagione::abilitaInvio()
{
    // Rows of a recipe refused half-way stay in view, but are never sent.
    Cmd_Invio_Stagione->setEnabled(ricettaCompleta_ && !Cmd_Cancella->testAttribute(Qt::WA_ForceDisabled));
}

// ---- Loading ---------------------------------------------------------------------------------

QString Stagione::ScegliRicetta()
{
    if (!Cmd_Dialog)
        return QString();
    return Cmd_Dialog(Ricette::PercorsoRicetta(QString()));
}

void Stagione::Cmd_Stagione_Click(int Index)
{
    if (Index < 0 || Index > 2 || invioInCorso_)
        return;
    Pic_Ricette->setFocus();
    svuotaListe();
    ricettaCompleta_ = false;
    abilitaInvio();
    // A long recipe takes a while to read: the emptied lists show meanwhile, not the old rows.
    Pic_Ricette->repaint();
    QString nome;
    if (Index == 0)
        nome = File_Ini::LeggiIni(QString::fromLatin1(Chiavi::Sezione::Stagione), Chiavi::Stagione::Estate).trimmed();
    else if (Index == 1)
        nome = File_Ini::LeggiIni(QString::fromLatin1(Chiavi::Sezione::Stagione), Chiavi::Stagione::Inverno).trimmed();
    else {
        // Only the name counts: the recipe is always the one of that name in Ricetta.
        nome = Ricette::NomeDaPercorso(ScegliRicetta());
        Pic_Ricette->setFocus();
    }
    Acquisizione::ImpostaPuntatore(Acquisizione::Puntatore::Clessidra);
    const Ricette::Caricamento esito = Ricette::CaricaRicetta(nome, Index, IntervalloRicetta);
    for (const Ricette::RigaLista& riga : esito.righe)
        aggiungiRiga(riga);
    for (QListWidget* lista : visibili_)
        lista->update();
    ricettaCompleta_ = esito.stadio == Ricette::StadioCaricata;
    abilitaInvio();
    Acquisizione::ImpostaPuntatore(Acquisizione::Puntatore::Predefinito);
    Pic_Ricette->setFocus();
    const Ricette::Messaggio messaggio = Ricette::MessaggioCaricamento(esito);
    if (!messaggio.testo.isEmpty())
        Piattaforma::ServizioDialoghi().Messaggio(messaggio.testo, Titolo, PulsantiDialogo::OK,
                                                  messaggio.informazione ? IconaDialogo::Informazione
                                                                         : IconaDialogo::Esclamazione);
}

// ---- Sending ---------------------------------------------------------------------------------

void Stagione::Cmd_Invio_Stagione_Click()
{
    // Rows of a recipe that did not load whole are never sent.
    if (Lst_Dev->count() == 0 || invioInCorso_ || !ricettaCompleta_)
        return;
    const auto attuale = Generale::LeggiIntero(
        File_Ini::LeggiIni(QString::fromLatin1(Chiavi::Sezione::Stagione), Chiavi::Stagione::Attuale).trimmed());
    const bool eraUno = attuale && *attuale >= -32768 && *attuale <= 32767 && *attuale != 0;
    const QString prossimo = eraUno ? QStringLiteral("0") : QStringLiteral("1");
    const RispostaDialogo risposta = Piattaforma::ServizioDialoghi().Messaggio(
        QStringLiteral("Modificare le impostazioni sugli strumenti ?"), Titolo, PulsantiDialogo::SiNo,
        IconaDialogo::Domanda);
    Pic_Ricette->setFocus();
    if (risposta != RispostaDialogo::Si) {
        update();
        return;
    }
    std::optional<Confermata> confermata = avviaInvio();
    if (!confermata)
        return;
    [](QPointer<Stagione> io, Confermata confermata, QString prossimo) -> QCoro::Task<> {
        bool inviata = false;
        {
            // The whole sending is one piece of bus work: nothing else reaches the line until its
            // last row or its failure. The closing box comes after it, out of the turn.
            const Acquisizione::Turno turno = co_await Acquisizione::PrendiTurno();
            if (!io)
                co_return;
            inviata = co_await io->inviaConfermata(std::move(confermata));
        }
        if (!io)
            co_return;
        Stagione* const s = io;
        if (inviata) {
            // The instruments have the new season; a mark the file refused is not a completed change.
            if (File_Ini::ScriviIni(QString::fromLatin1(Chiavi::Sezione::Stagione), Chiavi::Stagione::Attuale, prossimo))
                Piattaforma::ServizioDialoghi().Messaggio(
                    QStringLiteral("Il cambio delle impostazioni è stato completato correttamente."), Titolo,
                    PulsantiDialogo::OK, IconaDialogo::Informazione);
            else
                File_Ini::AvvisaScritturaRifiutata(Titolo);
        } else {
            Piattaforma::ServizioDialoghi().Messaggio(
                QStringLiteral("Attenzione: Un errore occorso durante l'invio della procedura ha impedito il "
                               "completamento del cambio di stagione.\rVerificare il file e la linea di "
                               "trasmissione dati."),
                Titolo, PulsantiDialogo::OK, IconaDialogo::Esclamazione);
        }
        if (!io)
            co_return;
        s->Pic_Ricette->setFocus();
        s->repaint();
    }(this, std::move(*confermata), prossimo);
}

void Stagione::abilitaFinestre(bool abilita)
{
    // The main window is the frame of every work window: disabled, the whole station takes no
    // input.
    setEnabled(abilita);
    if (window() != this)
        window()->setEnabled(abilita);
}

std::optional<Stagione::Confermata> Stagione::avviaInvio()
{
    // Rows of a recipe that did not load whole are never sent, and a sending of no row is no
    // season change.
    if (invioInCorso_ || !ricettaCompleta_ || Lst_Dev->count() == 0)
        return std::nullopt;
    invioInCorso_ = true;
    // In the main window the close box belongs to the window's frame: its close is refused from
    // here, ahead of the frame's own handling (the filter installed last runs first).
    if (auto* cornice = qobject_cast<QMdiSubWindow*>(parentWidget()))
        cornice->installEventFilter(this);
    abilitaFinestre(false);
    Confermata confermata{righe(), IntervalloRicetta};
    ProgBar->setRange(0, int(confermata.righe.size()) + 1);
    ProgBar->setValue(0);
    Lab_Avanzamento->setText(QStringLiteral("0%"));
    Pic_Avanzamento->show();
    Pic_Avanzamento->raise();
    repaint();
    Acquisizione::ImpostaPuntatore(Acquisizione::Puntatore::Clessidra);
    return confermata;
}

void Stagione::concludiInvio()
{
    Pic_Avanzamento->hide();
    repaint();
    Acquisizione::ImpostaPuntatore(Acquisizione::Puntatore::Predefinito);
    abilitaFinestre(true);
    invioInCorso_ = false;
}

QCoro::Task<bool> Stagione::InviaProcedura()
{
    std::optional<Confermata> confermata = avviaInvio();
    if (!confermata)
        co_return false;
    co_return co_await inviaConfermata(std::move(*confermata));
}

QCoro::Task<bool> Stagione::inviaConfermata(Confermata confermata)
{
    // The rows go on to the instruments whatever happens to the window: they were confirmed. What
    // the sending does to the window after a wait goes through `io`, so a window destroyed
    // meanwhile (the test fixtures destroy theirs) is never touched.
    const QPointer<Stagione> io(this);
    // Idle again on every path out.
    struct Ripristino {
        QPointer<Stagione> s;
        ~Ripristino()
        {
            if (s)
                s->concludiInvio();
        }
    } ripristino{io};

    Ricette::ServiziInvio servizi;
    // Empty: the sending really pauses, suspended, while the windows stay painted.
    servizi.Pausa = Pausa;
    servizi.Avanzamento = [io](int valore, int massimo, const QString& percentuale) {
        if (!io)
            return;
        io->ProgBar->setRange(0, massimo);
        io->ProgBar->setValue(valore);
        io->Lab_Avanzamento->setText(percentuale);
        io->ProgBar->repaint();
        io->Lab_Avanzamento->repaint();
    };
    servizi.Messaggio = [io](const QString& testo, const QString& stile) {
        if (!io)
            return false;  // nobody to answer the recipe's question: the sending stops there
        const Ricette::StileMessaggio s = Ricette::StileDa(stile);
        // A box belonging to a disabled window could not be answered; it is modal anyway.
        io->abilitaFinestre(true);
        Acquisizione::ImpostaPuntatore(Acquisizione::Puntatore::Predefinito);
        const RispostaDialogo r = Piattaforma::ServizioDialoghi().Messaggio(
            testo, Titolo, s.annulla ? PulsantiDialogo::OKAnnulla : PulsantiDialogo::OK, icona(s.icona));
        if (!io)
            return false;
        io->abilitaFinestre(false);
        Acquisizione::ImpostaPuntatore(Acquisizione::Puntatore::Clessidra);
        return r != RispostaDialogo::Annulla;
    };
    co_return co_await Ricette::InviaRighe(std::move(confermata.righe), confermata.intervalli, servizi);
}

// ---- Closing ---------------------------------------------------------------------------------

void Stagione::closeEvent(QCloseEvent* evento)
{
    // Closing only hides the window; never while it sends.
    evento->ignore();
    if (!invioInCorso_)
        hide();
}

bool Stagione::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (invioInCorso_ && evento->type() == QEvent::Close && oggetto == parentWidget()) {
        evento->ignore();
        return true;
    }
    return QWidget::eventFilter(oggetto, evento);
}
