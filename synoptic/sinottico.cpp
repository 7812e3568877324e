#include "sinottico.h"

#include "caselle.h"
#include "cartellaprogramma.h"
#include "chiavi.h"
#include "codabus.h"
#include "comandi.h"
#include "controlli.h"
#include "conversioni.h"
#include "dialoghi.h"
#include "drag.h"
#include "geometria.h"
#include "file_ini.h"
#include "ganci.h"
#include "generale.h"
#include "risorse.h"
#include "testi_sinottico.h"
#include "webcam.h"

#include <QCheckBox>
#include <QFrame>
#include <QHideEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

using namespace Generale;

const QString nessunValore = QStringLiteral("--.-");

// The picture the window is designed with, shown until a plant picture loads.
QPixmap immagineIncorporata()
{
    QPixmap p(800, 600);
    p.fill(QColor(0xF4, 0xF1, 0xE8));
    QPainter g(&p);
    g.setPen(QColor(0xDD, 0xD8, 0xC8));
    for (int x = 0; x < 800; x += 40)
        g.drawLine(x, 0, x, 599);
    for (int y = 0; y < 600; y += 40)
        g.drawLine(0, y, 799, y);
    g.setPen(QPen(QColor(0x9A, 0x93, 0x80), 3));
    g.drawRect(1, 1, 797, 597);
    return p;
}

// The synoptic's own pictures, compiled in (assets/sinottico).
QPixmap arte(const QString& nome)
{
    return QPixmap(QStringLiteral(":/quelvar/sinottico/%1.png").arg(nome));
}

QLabel* immagine(QWidget* genitore, const QString& nome, const QPixmap& p)
{
    auto* l = new QLabel(genitore);
    l->setObjectName(nome);
    l->setPixmap(p);
    l->resize(p.size());
    l->hide();
    return l;
}

// "Img_L3(0)" -> "Img_L3"
QString nomeArray(const QWidget* w) { return w->objectName().section(QLatin1Char('('), 0, 0); }

// A created element starts as element 0 is at that moment, hidden.
QPushButton* copiaDi(const QPushButton* modello, const QString& nome)
{
    auto* b = new QPushButton(modello->parentWidget());
    b->setObjectName(nome);
    b->setGeometry(modello->geometry());
    b->setFont(modello->font());
    b->setText(modello->text());
    b->setToolTip(modello->toolTip());
    b->setIcon(modello->icon());
    b->setIconSize(modello->iconSize());
    b->setStyleSheet(modello->styleSheet());
    b->setFocusPolicy(modello->focusPolicy());
    b->hide();
    return b;
}

QLabel* copiaDi(const QLabel* modello, const QString& nome)
{
    auto* l = new QLabel(modello->parentWidget());
    l->setObjectName(nome);
    l->setGeometry(modello->geometry());
    l->setPixmap(modello->pixmap());
    l->setToolTip(modello->toolTip());
    l->hide();
    return l;
}

// Elements 1 and up go; element 0 stays, hidden.
template <typename W>
void riduciAlPrimo(std::vector<W*>& array)
{
    while (array.size() > 1) {
        delete array.back();
        array.pop_back();
    }
    array.front()->hide();
    array.front()->update();
}

// A tool tip whose text looks like markup is taken for markup: such a name goes as escaped
// text, so it shows as written and a tag in a hand-edited name never loads a file.
QString suggerimento(const QString& nome)
{
    return Qt::mightBeRichText(nome) ? Qt::convertFromPlainText(nome, Qt::WhiteSpacePre) : nome;
}

template <typename W>
void colloca(W* w, const Posizione& p, const QString& nome)
{
    w->move(Sinottico::Pixel(p.X), Sinottico::Pixel(p.Y));
    w->setToolTip(suggerimento(nome));
}

template <typename W>
int indiceIn(const std::vector<W*>& array, const QObject* w)
{
    for (std::size_t i = 0; i < array.size(); ++i)
        if (array[i] == w)
            return static_cast<int>(i);
    return -1;
}

// Left edge in twips, the top kept.
void aSinistra(QWidget* w, int twips)
{
    w->move(Sinottico::Pixel(twips), w->y());
}

// The place the file gives: an edge whose text is not a number stays where it was.
void collocaDalFile(QWidget* w, const QString& sezione, const Chiavi::Chiave& chiaveX, const Chiavi::Chiave& chiaveY)
{
    const auto x = LeggiIntero(File_Ini::LeggiIni(sezione, chiaveX));
    const auto y = LeggiIntero(File_Ini::LeggiIni(sezione, chiaveY));
    w->move(x ? Sinottico::Pixel(static_cast<int>(*x)) : w->x(), y ? Sinottico::Pixel(static_cast<int>(*y)) : w->y());
}

// Info_X / Info_Y of a panel.
void collocaPannello(QWidget* pannello, const QString& sezione)
{
    collocaDalFile(pannello, sezione, Chiavi::Dispositivo::InfoX, Chiavi::Dispositivo::InfoY);
}

// Panel layout, twips.
constexpr int MarcatoreSinistra = 120;
constexpr int MarcatoreAccanto = 210;     // the chrono marker beside a master marker
constexpr int MarcatoreSpostato = 50;     // the master marker, moved for it
constexpr int CronoAccanto = 680;         // Img_Cro beside Img_Master / Img_Slave
constexpr int PrimaRiga = 600;
constexpr int PassoRiga = 360;
constexpr int LarghezzaInfo = 4500;
constexpr int AltezzaInfo = PrimaRiga + 5 * PassoRiga + 150;

// What the mouse-down of one item stores and brings along.
struct Voce {
    QString sezione;
    Chiavi::Chiave chiaveX = Chiavi::Dispositivo::X;
    Chiavi::Chiave chiaveY = Chiavi::Dispositivo::Y;
    std::vector<QWidget*> compagni;  // the other looks of the same device, in order
    bool ridisegnaDopo = false;      // window redrawn after a drag
    bool ridisegnaSempre = false;    // window redrawn after every press
};

}  // namespace

Sinottico::Sinottico(QWidget* parent)
    : QWidget(parent)
{
    Risorse::Inizializza();
    setObjectName(QStringLiteral("Sinottico"));
    setWindowTitle(QStringLiteral("Sinottico"));
    creaPianta();
    // The plant picture is the frame the window keeps centred.
    Geometria::RegolaGeometria(this, Pic_Pianta, Geometria::MinimoSinottico);
    creaDispositivi();
    creaPannelloInfo();
    creaPannelloWebcam();
}

Sinottico::~Sinottico()
{
    // The end of the program stops the capture.
    if (cattura_)
        cattura_->Ferma();
}

int Sinottico::Pixel(int twips)
{
    return static_cast<int>((static_cast<long long>(twips) + (twips >= 0 ? TwipPerPixel / 2 : -TwipPerPixel / 2)) /
                            TwipPerPixel);
}

std::array<std::vector<QLabel*>*, 7> Sinottico::LookLED()
{
    return {&Img_L0, &Img_L1, &Img_L2, &Img_L3, &Img_L4, &Img_L5, &Img_L6};
}

std::array<std::vector<QLabel*>*, 3> Sinottico::LookInterruttore() { return {&Img_off, &Img_on, &Img_ind}; }

void Sinottico::CollegaGanci()
{
    auto& g = Acquisizione::GanciAttivi();
    // The hooks outlive no window: after it is gone they do nothing.
    QPointer<Sinottico> s(this);
    g.AggiornaSinottico = [s](bool zone, bool interruttori) {
        if (s)
            s->AggiornaSinottico(zone, interruttori);
    };
    g.MostraLED = [s](int led, int stato) {
        if (s)
            s->MostraLED(led, stato);
    };
    g.MostraInterruttore = [s](int i, Acquisizione::IconaInterruttore icona) {
        if (s)
            s->MostraInterruttore(i, icona);
    };
    g.TestoRigaZona = [s](int riga, const QString& testo) {
        if (s && riga >= 0 && riga < static_cast<int>(s->Lab_Temp.size())) {
            s->Lab_Temp[riga]->setText(testo);
        }
    };
    g.FuocoPianta = [s] {
        if (s)
            s->Pic_Pianta->setFocus();
    };
    g.RidisegnaSinottico = [s] {
        if (s)
            s->update();
    };
}

void Sinottico::ImpostaCattura(std::unique_ptr<CatturaVideo> cattura)
{
    if (cattura_)
        cattura_->Ferma();
    cattura_ = std::move(cattura);
    if (cattura_ && cattura_->Vista())
        Video_OCX->layout()->addWidget(cattura_->Vista());
}

CatturaVideo& Sinottico::cattura()
{
    if (!cattura_)
        ImpostaCattura(CreaCatturaVideo());
    return *cattura_;
}

void Sinottico::creaPianta()
{
    Pic_Pianta = new QLabel(this);
    Pic_Pianta->setObjectName(QStringLiteral("Pic_Pianta"));
    Pic_Pianta->setFocusPolicy(Qt::StrongFocus);
    Pic_Pianta->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QPixmap p = immagineIncorporata();
    Pic_Pianta->setPixmap(p);
    Pic_Pianta->resize(p.size());
}

void Sinottico::collega(QPushButton* zona)
{
    ascolta(zona);
    connect(zona, &QPushButton::clicked, this, [this, zona] {
        const int i = indiceIn(Cmd_PuntoMon, zona);
        if (i >= 0)
            Cmd_PuntoMon_Click(i);
    });
}

void Sinottico::ascolta(QWidget* w) { w->installEventFilter(this); }

void Sinottico::creaDispositivi()
{
    auto* zona = new QPushButton(nessunValore, Pic_Pianta);
    zona->setObjectName(QStringLiteral("Cmd_PuntoMon(0)"));
    zona->resize(Pixel(1500), Pixel(570));
    zona->setIconSize(QSize(24, 24));
    QFont f = zona->font();
    f.setBold(true);
    zona->setFont(f);
    zona->hide();
    Cmd_PuntoMon.push_back(zona);
    collega(zona);

    Img_off.push_back(immagine(Pic_Pianta, "Img_off(0)", arte("interruttore_off")));
    Img_on.push_back(immagine(Pic_Pianta, "Img_on(0)", arte("interruttore_on")));
    Img_ind.push_back(immagine(Pic_Pianta, "Img_ind(0)", arte("interruttore_ind")));
    for (auto* look : LookInterruttore())
        ascolta(look->front());

    // L0 not read yet, L1 condition false, L2..L6 lit in colour 1..5.
    const auto looks = LookLED();
    for (int k = 0; k < 7; ++k) {
        looks[k]->push_back(immagine(Pic_Pianta, QStringLiteral("Img_L%1(0)").arg(k), arte(QStringLiteral("led_%1").arg(k))));
        ascolta(looks[k]->front());
    }

    for (int k = 0; k < 2; ++k) {
        Cmd_Apriporta[k] = new QPushButton(QStringLiteral("Apri"), Pic_Pianta);
        Cmd_Apriporta[k]->setObjectName(Controlli::Elemento("Cmd_Apriporta", k));
        Cmd_Apriporta[k]->setIcon(arte(QStringLiteral("apriporta")));
        Cmd_Apriporta[k]->resize(Pixel(1050), Pixel(450));
        Cmd_Apriporta[k]->hide();
        ascolta(Cmd_Apriporta[k]);
        connect(Cmd_Apriporta[k], &QPushButton::clicked, this, [this, k] { Cmd_Apriporta_Click(k); });
    }
    Cmd_Webcam = new QPushButton(QStringLiteral("Webcam"), Pic_Pianta);
    Cmd_Webcam->setObjectName(QStringLiteral("Cmd_Webcam"));
    Cmd_Webcam->setIcon(arte(QStringLiteral("webcam")));
    Cmd_Webcam->resize(Pixel(1350), Pixel(450));
    Cmd_Webcam->hide();
    ascolta(Cmd_Webcam);
    connect(Cmd_Webcam, &QPushButton::clicked, this, &Sinottico::Cmd_Webcam_Click);
}

void Sinottico::creaPannelloInfo()
{
    Pic_Info = new QFrame(Pic_Pianta);
    Pic_Info->setObjectName(QStringLiteral("Pic_Info"));
    Pic_Info->setFrameShape(QFrame::Panel);
    Pic_Info->setFrameShadow(QFrame::Raised);
    Pic_Info->setAutoFillBackground(true);
    Pic_Info->resize(Pixel(LarghezzaInfo), Pixel(AltezzaInfo));
    ascolta(Pic_Info);

    const QPixmap master = arte(QStringLiteral("master"));
    Img_Master = immagine(Pic_Info, QStringLiteral("Img_Master"), master);
    Img_Slave = immagine(Pic_Info, QStringLiteral("Img_Slave"), arte(QStringLiteral("slave")));
    Img_Cro = immagine(Pic_Info, QStringLiteral("Img_Cro"), arte(QStringLiteral("crono")));
    for (QLabel* l : {Img_Master, Img_Slave, Img_Cro})
        l->move(Pixel(MarcatoreSinistra), Pixel(105));

    // Names and captions from the settings are shown as written, never as markup.
    Lab_Nome = new QLabel(Pic_Info);
    Lab_Nome->setObjectName(QStringLiteral("Lab_Nome"));
    Lab_Nome->setTextFormat(Qt::PlainText);
    QFont grassetto = Lab_Nome->font();
    grassetto.setBold(true);
    Lab_Nome->setFont(grassetto);
    Lab_Nome->setGeometry(Pixel(1200), Pixel(90), Pixel(2850), Pixel(300));

    Cmd_Chiudi = new QPushButton(Pic_Info);
    Cmd_Chiudi->setObjectName(QStringLiteral("Cmd_Chiudi"));
    Cmd_Chiudi->setToolTip(QStringLiteral("Chiudere la visualizzazione"));
    Cmd_Chiudi->setIcon(arte(QStringLiteral("chiudi")));
    Cmd_Chiudi->setGeometry(Pixel(LarghezzaInfo - 420), Pixel(60), Pixel(330), Pixel(330));
    Cmd_Chiudi->setFocusPolicy(Qt::NoFocus);
    connect(Cmd_Chiudi, &QPushButton::clicked, this, &Sinottico::Cmd_Chiudi_Click);

    const QPixmap plain = arte(QStringLiteral("ms"));
    const QPixmap copiato = arte(QStringLiteral("ms_m"));
    const QPixmap copia = arte(QStringLiteral("ms_s"));
    const QPixmap crono = arte(QStringLiteral("cr"));
    for (int k = 0; k < 5; ++k) {
        const int alto = PrimaRiga + k * PassoRiga;
        Img_MS[k] = immagine(Pic_Info, Controlli::Elemento("Img_MS", k), plain);
        Img_MS_M[k] = immagine(Pic_Info, Controlli::Elemento("Img_MS_M", k), copiato);
        Img_MS_S[k] = immagine(Pic_Info, Controlli::Elemento("Img_MS_S", k), copia);
        Img_CR[k] = immagine(Pic_Info, Controlli::Elemento("Img_CR", k), crono);
        for (QLabel* m : {Img_MS[k], Img_MS_M[k], Img_MS_S[k], Img_CR[k]})
            m->move(Pixel(MarcatoreSinistra), Pixel(alto + 60));
        Img_MS[k]->show();

        Lab_Temp_1[k] = new QLabel(Pic_Info);
        Lab_Temp_1[k]->setObjectName(Controlli::Elemento("Lab_Temp_1", k));
        Lab_Temp_1[k]->setTextFormat(Qt::PlainText);
        Lab_Temp_1[k]->setGeometry(Pixel(510), Pixel(alto), Pixel(2520), Pixel(300));

        Lab_Temp[k] = new QLabel(nessunValore, Pic_Info);
        Lab_Temp[k]->setObjectName(Controlli::Elemento("Lab_Temp", k));
        Lab_Temp[k]->setGeometry(Pixel(3060), Pixel(alto), Pixel(1290), Pixel(300));
        Lab_Temp[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Lab_Temp[k]->setFrameShape(QFrame::Panel);
        Lab_Temp[k]->setFrameShadow(QFrame::Sunken);
        Lab_Temp[k]->setFont(grassetto);
        Lab_Temp[k]->setMargin(2);
        ascolta(Lab_Temp[k]);
    }
    Pic_Info->hide();
}

void Sinottico::creaPannelloWebcam()
{
    Pic_WebCam = new QFrame(Pic_Pianta);
    Pic_WebCam->setObjectName(QStringLiteral("Pic_WebCam"));
    Pic_WebCam->setFrameShape(QFrame::Panel);
    Pic_WebCam->setFrameShadow(QFrame::Raised);
    Pic_WebCam->setAutoFillBackground(true);
    Pic_WebCam->resize(Pixel(5100), Pixel(4200));
    ascolta(Pic_WebCam);

    Lab_Nome_WC = new QLabel(Pic_WebCam);
    Lab_Nome_WC->setObjectName(QStringLiteral("Lab_Nome_WC"));
    Lab_Nome_WC->setTextFormat(Qt::PlainText);
    QFont grassetto = Lab_Nome_WC->font();
    grassetto.setBold(true);
    Lab_Nome_WC->setFont(grassetto);
    Lab_Nome_WC->setGeometry(Pixel(120), Pixel(90), Pixel(4350), Pixel(300));

    Cmd_ChiudiWC = new QPushButton(Pic_WebCam);
    Cmd_ChiudiWC->setObjectName(QStringLiteral("Cmd_ChiudiWC"));
    Cmd_ChiudiWC->setToolTip(QStringLiteral("Chiudere la visualizzazione"));
    Cmd_ChiudiWC->setIcon(arte(QStringLiteral("chiudi")));
    Cmd_ChiudiWC->setGeometry(Pixel(5100 - 420), Pixel(60), Pixel(330), Pixel(330));
    Cmd_ChiudiWC->setFocusPolicy(Qt::NoFocus);
    connect(Cmd_ChiudiWC, &QPushButton::clicked, this, &Sinottico::Cmd_ChiudiWC_Click);

    Video_OCX = new QFrame(Pic_WebCam);
    Video_OCX->setObjectName(QStringLiteral("Video_OCX"));
    static_cast<QFrame*>(Video_OCX)->setFrameShape(QFrame::StyledPanel);
    Video_OCX->setStyleSheet(QStringLiteral("#Video_OCX { background: black; }"));
    Video_OCX->setGeometry(Pixel(120), Pixel(450), Pixel(4860), Pixel(3240));
    auto* vista = new QVBoxLayout(Video_OCX);
    vista->setContentsMargins(0, 0, 0, 0);

    Chk_Audio = new QCheckBox(QStringLiteral("Audio"), Pic_WebCam);
    Chk_Audio->setObjectName(QStringLiteral("Chk_Audio"));
    Chk_Audio->setToolTip(QStringLiteral("Attivazione/Disattivazione audio"));
    Chk_Audio->setGeometry(Pixel(120), Pixel(3780), Pixel(2400), Pixel(300));
    connect(Chk_Audio, &QCheckBox::clicked, this, &Sinottico::Chk_Audio_Click);
    Pic_WebCam->hide();
}

// ---- Zone panel --------------------------------------------------------------------------

void Sinottico::ChiudiPannelli()
{
    Pic_Info->hide();
    Pic_Info->update();
    fermaWebcam();
    MostraInfoZona(0);
}

void Sinottico::MostraInfoZona(int zona)
{
    const QString sin = QString::fromLatin1(Chiavi::Sezione::Sinottico);
    const QString predefinito = QString::fromLatin1(Chiavi::Sinottico::PredefinitoCampo);
    const QString sezioneZona = zona > 0 ? SezioneZona(zona - 1) : QString();
    // The name is shown as stored, blanks and all.
    Lab_Nome->setText(zona > 0 ? File_Ini::LeggiIni(sezioneZona, QString::fromLatin1(Chiavi::Dispositivo::Nome),
                                                    sezioneZona)
                               : QString());
    for (int k = 0; k < static_cast<int>(Lab_Temp_1.size()); ++k) {
        const QString campo = Chiavi::Sinottico::NomeCampo(k);
        const QString generale = File_Ini::LeggiIni(sin, campo, predefinito).trimmed();
        const QString proprio = zona > 0 ? File_Ini::LeggiIni(sezioneZona, campo, predefinito).trimmed() : QString();
        Lab_Temp_1[k]->setText(DidascaliaRiga(k, generale, proprio));
        Lab_Temp_1[k]->update();
    }
    Lab_Nome->update();
}

void Sinottico::Cmd_PuntoMon_Click(int indice)
{
    if (indice < 0 || indice >= MaxZone)
        return;
    ZonaSelezionata = indice + 1;
    MostraInfoZona(ZonaSelezionata);
    collocaPannello(Pic_Info, SezioneZona(indice));
    Pic_Info->show();
    Pic_Info->raise();
    Pic_Info->update();
    for (int k = 0; k < 5; ++k) {
        Img_CR[k]->hide();
        for (QLabel* m : {Img_CR[k], Img_MS[k], Img_MS_M[k], Img_MS_S[k]})
            aSinistra(m, MarcatoreSinistra);
    }
    mostraMarcatori(indice);
    AggiornaSinottico(true, false);
    Pic_Pianta->setFocus();
}

void Sinottico::mostraMarcatori(int z)
{
    // Zone 1 is always the master; the others copy the flagged values when they are slaves.
    bool masterMostrato = false;
    bool slaveMostrato = false;
    for (int k = 0; k < 5; ++k) {
        bool plain = true;
        bool copiato = false;
        bool copia = false;
        if (MasterSlaveAbilitato && z == 0) {
            masterMostrato = true;
            plain = !ValoreAllineato[k];
            copiato = ValoreAllineato[k];
        } else if (MasterSlaveAbilitato && z > 0) {
            slaveMostrato = ZonaSlave[z];
            if (ZonaSlave[z]) {
                plain = !ValoreAllineato[k];
                copia = ValoreAllineato[k];
            }
        }
        Img_MS[k]->setVisible(plain);
        Img_MS_M[k]->setVisible(copiato);
        Img_MS_S[k]->setVisible(copia);
    }
    Img_Master->setVisible(masterMostrato);
    Img_Slave->setVisible(slaveMostrato);

    // The chrono programme drives value IndiceCrono; on zone 1 its marker stands beside a
    // master marker, on a slave a copied value is the master's and gets no chrono marker.
    const int c = std::clamp(IndiceCrono, 0, 4);
    bool cronoMostrato = false;
    int xCrono = MarcatoreSinistra;
    int xPlain = MarcatoreSinistra;
    int xMaster = MarcatoreSinistra;
    if (CronoAttivoZona[z] && CronotermostatoAbilitato) {
        if (!Img_MS[c]->isHidden()) {
            Img_MS[c]->hide();
            Img_CR[c]->show();
            cronoMostrato = true;
        } else if (z == 0) {
            Img_CR[c]->show();
            xCrono = MarcatoreAccanto;
            xMaster = MarcatoreSpostato;
            cronoMostrato = true;
        }
    }
    aSinistra(Img_CR[c], xCrono);
    aSinistra(Img_MS[c], xPlain);
    aSinistra(Img_MS_M[c], xMaster);
    aSinistra(Img_MS_S[c], xPlain);

    const bool accanto = cronoMostrato && (z == 0 ? masterMostrato : slaveMostrato);
    aSinistra(Img_Cro, accanto ? CronoAccanto : MarcatoreSinistra);
    Img_Cro->setVisible(cronoMostrato);
    Pic_Info->update();
}

void Sinottico::Cmd_Chiudi_Click()
{
    ZonaSelezionata = -1;
    Pic_Info->hide();
    Pic_Info->update();
    Pic_Pianta->setFocus();
    update();
}

// ---- Live values ---------------------------------------------------------------------------

void Sinottico::AggiornaSinottico(bool zone, bool interruttori)
{
    if (zone) {
        for (int r = 0; r < static_cast<int>(Lab_Temp.size()); ++r) {
            Lab_Temp[r]->setText(ZonaSelezionata >= 1 ? TestoValoreZona(ZonaSelezionata - 1, r, false) : nessunValore);
            Lab_Temp[r]->update();
        }
        const bool indiceValido = IndiceTesto >= 0 && IndiceTesto < NumeroValoriZona;
        for (int i = 0; i < static_cast<int>(Cmd_PuntoMon.size()); ++i) {
            // The unit comes from the settings: shown as written.
            Cmd_PuntoMon[i]->setText(indiceValido ? TestoSuPulsante(TestoValoreZona(i, IndiceTesto, true)) : nessunValore);
            Cmd_PuntoMon[i]->update();
        }
    }
    if (interruttori) {
        for (int i = 0; i < NumeroInterruttori && i < static_cast<int>(Img_off.size()); ++i) {
            const AspettoInterruttore a = AspettoDiInterruttore(i);
            Img_on[i]->setVisible(a == AspettoInterruttore::On);
            Img_off[i]->setVisible(a == AspettoInterruttore::Off);
            Img_ind[i]->setVisible(a == AspettoInterruttore::Indeterminato);
        }
    }
    update();
}

void Sinottico::AzzeraSinottico()
{
    for (auto* l : Lab_Temp) {
        l->setText(nessunValore);
        l->update();
    }
    for (auto* b : Cmd_PuntoMon) {
        b->setText(nessunValore);
        b->update();
    }
}

void Sinottico::RipristinaIcone()
{
    for (int i = 0; i < NumeroInterruttori && i < static_cast<int>(Img_off.size()); ++i) {
        Img_off[i]->show();
        Img_on[i]->hide();
        Img_ind[i]->hide();
    }
    for (int j = 0; j < NumeroLED && j < static_cast<int>(Img_L0.size()); ++j)
        MostraLED(j, 0);
    update();
}

void Sinottico::MostraLED(int led, int stato)
{
    if (led < 0 || led >= static_cast<int>(Img_L0.size()))
        return;
    const auto looks = LookLED();
    for (int k = 0; k < 7; ++k)
        (*looks[k])[led]->setVisible(k == stato + 1);
}

void Sinottico::MostraInterruttore(int i, Acquisizione::IconaInterruttore icona)
{
    if (i < 0 || i >= static_cast<int>(Img_off.size()))
        return;
    using Acquisizione::IconaInterruttore;
    Img_on[i]->setVisible(icona == IconaInterruttore::On);
    Img_off[i]->setVisible(icona == IconaInterruttore::Off);
    Img_ind[i]->setVisible(icona == IconaInterruttore::Indicatore);
}

// ---- Commands --------------------------------------------------------------------------------
// While acquisition runs a command waits in the mailboxes for the next tick, behind those asked
// for before it; while it is stopped it runs at once, or in its turn of the bus. The rights are
// those of who clicks, at the click: a refusal shows at once, and what is accepted runs in its
// turn whoever is logged in by then.

void Sinottico::Cmd_Apriporta_Click(int)
{
    if (!ComandoConsentito(true))
        return;
    if (AcquisizioneAttiva)
        Acquisizione::PostaApriporta();
    else
        Acquisizione::EseguiQuandoLibero(&AzionaApriporta);
}

void Sinottico::Img_on_Click(int indice)
{
    if (TastoMouseInterruttore != 1 || indice < 0 || indice >= MaxInterruttori || !ComandoConsentito(false))
        return;
    if (AcquisizioneAttiva)
        Acquisizione::PostaInterruttore(indice, false);
    else
        Acquisizione::EseguiQuandoLibero([indice] { return ComandaInterruttore(indice, false); });
}

void Sinottico::Img_off_Click(int indice)
{
    if (TastoMouseInterruttore != 1 || indice < 0 || indice >= MaxInterruttori || !ComandoConsentito(false))
        return;
    if (AcquisizioneAttiva)
        Acquisizione::PostaInterruttore(indice, true);
    else
        Acquisizione::EseguiQuandoLibero([indice] { return ComandaInterruttore(indice, true); });
}

void Sinottico::Img_ind_Click(int indice) { Img_off_Click(indice); }

void Sinottico::Lab_Temp_DblClick(int indice)
{
    // Requests already posted stay: each was asked for, and is sent in its turn.
    if (indice < 0 || indice >= 5)
        return;
    // A value copied from the master or driven by the chrono programme is not set by hand.
    if (!AcquisizioneAttiva || !(UtenteTecnico || UtenteAmministratore) || !Img_MS_S[indice]->isHidden() ||
        !Img_CR[indice]->isHidden())
        return;
    const int z = ZonaSelezionata - 1;
    if (z < 0 || z >= MaxZone)
        return;
    Acquisizione::Pannello4(QStringLiteral("Modifica parametro..."));
    // Nothing posted: the message does not stay.
    auto nienteDaInviare = [] { Acquisizione::Pannello4(QString()); };

    const RigaMappaZona& riga = MappaScritturaZone[z];
    const int funzione = riga[CampoFunzioneValore(indice)];
    const int registro = riga[CampoRegistroValore(indice)];
    if (funzione == -1 || registro == -1)
        return nienteDaInviare();

    int valore = 0;
    if (funzione == 6) {
        const QString didascalia = Lab_Temp[indice]->text();
        const auto risposta = Piattaforma::ServizioDialoghi().Input(QStringLiteral("Inserire il valore da impostare:"),
                                                                     Lab_Temp_1[indice]->text(),
                                                                     didascalia == nessunValore ? QString() : didascalia);
        const QString testo = risposta.value_or(QString()).trimmed();
        if (testo.isEmpty())
            return nienteDaInviare();
        // A text that is not a number, or does not fit the 16-bit register, is never sent as 0.
        const auto intero = ConvertiInInteroVerificato(testo, riga[Decimali]);
        if (!intero) {
            Piattaforma::ServizioDialoghi().Messaggio(
                QStringLiteral("Attenzione: Il valore inserito non è valido e non è stato inviato."),
                QStringLiteral("Impostazione Valori"), Piattaforma::PulsantiDialogo::OK,
                Piattaforma::IconaDialogo::Esclamazione);
            return nienteDaInviare();
        }
        valore = *intero;
    } else if (funzione == 5) {
        // A coil row toggles: OFF asks for ON (0xFF00), ON for OFF.
        const QString didascalia = Lab_Temp[indice]->text();
        if (didascalia == TestiStato[0])
            valore = 0xFF00;
        else if (didascalia == TestiStato[1])
            valore = 0;
        else
            return nienteDaInviare();
    } else {
        // No other code writes one value: 0xFF00 sent with it would be some other request.
        return nienteDaInviare();
    }
    Impostazione comando;
    comando.Funzione = funzione;
    comando.Registro = registro;
    comando.Valore = valore;
    comando.Nodo = riga[Nodo];
    comando.Decimali = riga[Decimali];
    comando.Riga = indice;
    comando.Zona = z;
    Acquisizione::PostaImpostazione(comando);
}

// ---- Webcam --------------------------------------------------------------------------------

void Sinottico::Cmd_Webcam_Click()
{
    Acquisizione::ImpostaPuntatore(Acquisizione::Puntatore::Clessidra);
    const QString sezione = QString::fromLatin1(Chiavi::Sezione::Webcam);
    const QString nome = File_Ini::LeggiIni(sezione, QString::fromLatin1(Chiavi::Dispositivo::Nome),
                                            QString::fromLatin1(Chiavi::Dispositivo::NomeWebcam));
    CatturaVideo& c = cattura();
    auto avviso = [this, &c] {
        Piattaforma::ServizioDialoghi().Messaggio(c.UltimoErrore(), NomeWebcam, Piattaforma::PulsantiDialogo::OK,
                                                  Piattaforma::IconaDialogo::Critico);
    };
    bool riuscito = true;
    if (!c.Apri()) {
        avviso();
        riuscito = false;
    }
    if (!c.Avvia(true)) {
        avviso();
        riuscito = false;
    }
    // A camera nobody can see is not left running.
    if (!riuscito)
        c.Ferma();
    Lab_Nome_WC->setText(nome);
    Lab_Nome_WC->update();
    collocaPannello(Pic_WebCam, sezione);
    Pic_WebCam->setVisible(riuscito);
    Pic_WebCam->raise();
    Pic_WebCam->update();
    Acquisizione::ImpostaPuntatore(Acquisizione::Puntatore::Predefinito);
    update();
    Pic_Pianta->setFocus();
}

void Sinottico::fermaWebcam()
{
    if (cattura_)
        cattura_->Ferma();
    Pic_WebCam->hide();
    Pic_WebCam->update();
}

void Sinottico::Cmd_ChiudiWC_Click()
{
    Acquisizione::ImpostaPuntatore(Acquisizione::Puntatore::Clessidra);
    fermaWebcam();
    Acquisizione::ImpostaPuntatore(Acquisizione::Puntatore::Predefinito);
    Pic_Pianta->setFocus();
    update();
}

void Sinottico::Chk_Audio_Click()
{
    cattura().ImpostaAudio(Chk_Audio->isChecked());
    Pic_Pianta->setFocus();
}

// ---- Layout load ---------------------------------------------------------------------------

void Sinottico::RicostruisciDispositivi()
{
    premuto_ = nullptr;
    riduciAlPrimo(Cmd_PuntoMon);
    for (auto* look : LookInterruttore())
        riduciAlPrimo(*look);
    for (auto* look : LookLED())
        riduciAlPrimo(*look);
    Cmd_Webcam->hide();
    for (auto* b : Cmd_Apriporta)
        b->hide();

    QPushButton* apriporta = Cmd_Apriporta[ModoStagioni ? 0 : 1];
    colloca(apriporta, PosizioneApriporta, NomeApriporta);
    apriporta->setVisible(ApriportaPresente != 0);
    apriporta->raise();
    colloca(Cmd_Webcam, PosizioneWebcam, NomeWebcam);
    Cmd_Webcam->setVisible(WebcamPresente != 0);
    Cmd_Webcam->raise();
    QWidget::setTabOrder(apriporta, Cmd_Webcam);

    QWidget* precedente = Cmd_Webcam;
    for (int i = 0; i < NumeroZone; ++i) {
        if (i > 0) {
            Cmd_PuntoMon.push_back(copiaDi(Cmd_PuntoMon.front(), Controlli::Elemento("Cmd_PuntoMon", i)));
            collega(Cmd_PuntoMon.back());
        }
        QPushButton* b = Cmd_PuntoMon[i];
        colloca(b, PosizioniZone[i], NomiZone[i]);
        b->show();
        b->setText(nessunValore);
        QWidget::setTabOrder(precedente, b);
        precedente = b;
        // An icon that does not load keeps the picture the button has: zone 1's from the last
        // load, the others the one copied from zone 1.
        if (!IconeZone[i].isEmpty()) {
            const QPixmap p(Piattaforma::PercorsoProgramma(IconeZone[i]));
            if (!p.isNull())
                b->setIcon(p);
        }
        b->raise();
    }

    const auto looksInterruttore = LookInterruttore();
    for (int i = 0; i < NumeroInterruttori; ++i) {
        for (auto* look : looksInterruttore) {
            if (i > 0) {
                look->push_back(copiaDi(look->front(), Controlli::Elemento(nomeArray(look->front()), i)));
                ascolta(look->back());
            }
            QLabel* l = (*look)[i];
            colloca(l, PosizioniInterruttori[i], NomiInterruttori[i]);
            l->setVisible(look == &Img_off);
            l->raise();
        }
    }

    const auto looksLED = LookLED();
    for (int i = 0; i < NumeroLED; ++i) {
        for (auto* look : looksLED) {
            if (i > 0) {
                look->push_back(copiaDi(look->front(), Controlli::Elemento(nomeArray(look->front()), i)));
                ascolta(look->back());
            }
            QLabel* l = (*look)[i];
            colloca(l, PosizioniLED[i], NomiLED[i]);
            l->setVisible(look == &Img_L1);
            l->raise();
        }
    }

    AzzeraSinottico();
    RipristinaIcone();

    // A picture that does not load keeps the one shown: the last plant picture, or the
    // built-in one.
    const QPixmap pianta(Piattaforma::PercorsoProgramma(ImmaginePianta));
    if (!ImmaginePianta.isEmpty() && !pianta.isNull()) {
        Pic_Pianta->setPixmap(pianta);
        Pic_Pianta->resize(pianta.size());
        Geometria::ApplicaGeometria(this, Pic_Pianta, Geometria::MinimoSinottico);
    }
    // The panels stay above every device control.
    Pic_Info->raise();
    Pic_WebCam->raise();
    if (isVisible())
        Pic_Pianta->setFocus();
    Pic_Pianta->update();
    update();
}

// ---- Window ----------------------------------------------------------------------------------


void Sinottico::hideEvent(QHideEvent* evento)
{
    QWidget::hideEvent(evento);
    // Hiding the window closes its panels and stops the camera; the selected zone stays, and
    // its rows go on following it. A minimised main window is not a hidden synoptic.
    if (evento->spontaneous())
        return;
    Pic_Info->hide();
    fermaWebcam();
}


// ---- Mouse -----------------------------------------------------------------------------------

bool Sinottico::eventFilter(QObject* oggetto, QEvent* evento)
{
    auto* w = qobject_cast<QWidget*>(oggetto);
    if (!w)
        return false;
    switch (evento->type()) {
    case QEvent::MouseButtonPress:
        return pressione(w, static_cast<QMouseEvent*>(evento));
    case QEvent::MouseButtonRelease: {
        // An image has no click of its own: a release over the image the press went down on.
        auto* e = static_cast<QMouseEvent*>(evento);
        if (w != premuto_)
            return false;
        premuto_ = nullptr;
        if (!w->rect().contains(e->position().toPoint()))
            return true;
        if (const int i = indiceIn(Img_on, w); i >= 0)
            Img_on_Click(i);
        else if (const int i = indiceIn(Img_off, w); i >= 0)
            Img_off_Click(i);
        else if (const int i = indiceIn(Img_ind, w); i >= 0)
            Img_ind_Click(i);
        Pic_Pianta->setFocus();
        return true;
    }
    case QEvent::MouseButtonDblClick: {
        const int k = indiceIn(std::vector<QLabel*>(Lab_Temp.begin(), Lab_Temp.end()), w);
        if (k < 0)
            return false;
        if (static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton)
            Lab_Temp_DblClick(k);
        return true;
    }
    default:
        return false;
    }
}

namespace {

template <typename W>
void aggiungi(std::vector<QWidget*>& a, const std::vector<W*>& array, int i)
{
    if (i >= 0 && i < static_cast<int>(array.size()))
        a.push_back(array[i]);
}

}  // namespace

bool Sinottico::pressione(QWidget* w, QMouseEvent* e)
{
    const int tasto = Drag::CodicePulsante(e->button());
    const bool interruttore = indiceIn(Img_on, w) >= 0 || indiceIn(Img_off, w) >= 0 || indiceIn(Img_ind, w) >= 0;
    if (interruttore) {
        // Recorded before anything else, so that a right press never switches.
        TastoMouseInterruttore = tasto;
        premuto_ = w;
    }
    const bool pannello = w == Pic_Info || w == Pic_WebCam;
    const bool voce = pannello || interruttore || w == Cmd_Webcam || indiceIn(Cmd_PuntoMon, w) >= 0 ||
                      w == Cmd_Apriporta[0] || w == Cmd_Apriporta[1] || nomeArray(w).startsWith(QLatin1String("Img_L"));
    if (!voce)
        return false;
    if (tasto == 2 && UtenteAmministratore) {
        trascina(w, e);
        return true;
    }
    if (pannello)
        update();
    // Images have nothing else to do with a press; buttons and panels go on as usual.
    return interruttore || nomeArray(w).startsWith(QLatin1String("Img_L"));
}

void Sinottico::trascina(QWidget* w, QMouseEvent* e)
{
    premuto_ = nullptr;
    QPointer<QWidget> trascinato(w);
    Drag::TrascinaControllo(w, e->buttons(), e->globalPosition().toPoint(), [this, trascinato, prima = w->pos()] {
        if (trascinato)
            collocato(trascinato, prima);
    });
}

// The drop is stored at once, and the other looks of the device join the dragged one. Its two
// edges are one write: a refused one stores neither, and the item goes back where the file has
// it (an edge the file holds no number for, where it was grabbed), so the screen never shows a
// place that is not stored.
void Sinottico::collocato(QWidget* w, QPoint prima)
{
    Voce v;
    if (const int i = indiceIn(Cmd_PuntoMon, w); i >= 0) {
        v.sezione = SezioneZona(i);
    } else if (w == Cmd_Webcam) {
        v.sezione = QString::fromLatin1(Chiavi::Sezione::Webcam);
    } else if (w == Cmd_Apriporta[0] || w == Cmd_Apriporta[1]) {
        v.sezione = QStringLiteral("Apriporta");
    } else if (w == Pic_Info) {
        v.ridisegnaSempre = true;
        if (ZonaSelezionata >= 1 && ZonaSelezionata <= MaxZone)
            v.sezione = SezioneZona(ZonaSelezionata - 1);
    } else if (w == Pic_WebCam) {
        v.ridisegnaSempre = true;
        v.sezione = QString::fromLatin1(Chiavi::Sezione::Webcam);
    } else {
        const auto interruttori = LookInterruttore();
        const std::array<std::vector<QLabel*>*, 3> ordine = {&Img_on, &Img_off, &Img_ind};
        for (auto* look : interruttori) {
            if (const int i = indiceIn(*look, w); i >= 0) {
                v.sezione = SezioneInterruttore(i);
                for (auto* altro : ordine)
                    if (altro != look)
                        aggiungi(v.compagni, *altro, i);
                v.ridisegnaDopo = true;
            }
        }
        for (auto* look : LookLED()) {
            if (const int j = indiceIn(*look, w); j >= 0) {
                v.sezione = SezioneLED(j);
                for (auto* altro : LookLED())
                    if (altro != look)
                        aggiungi(v.compagni, *altro, j);
                v.ridisegnaDopo = true;
            }
        }
    }
    if (w == Pic_Info || w == Pic_WebCam) {
        v.chiaveX = Chiavi::Dispositivo::InfoX;
        v.chiaveY = Chiavi::Dispositivo::InfoY;
    }

    const auto testo = [](int pixel) { return Drag::TestoPosizione(double(pixel) * TwipPerPixel); };
    const bool rifiutata = !v.sezione.isEmpty()
                           && !File_Ini::ScriviIni({{v.sezione, v.chiaveX.Nome(), testo(w->x())},
                                                     {v.sezione, v.chiaveY.Nome(), testo(w->y())}});
    if (rifiutata) {
        w->move(prima);
        collocaDalFile(w, v.sezione, v.chiaveX, v.chiaveY);
    }
    for (QWidget* compagno : v.compagni)
        compagno->move(w->pos());
    if (v.ridisegnaDopo || v.ridisegnaSempre)
        update();
    if (rifiutata)
        File_Ini::AvvisaScritturaRifiutata(windowTitle());
}
