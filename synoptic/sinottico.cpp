#include "sinottico.h"

#include "cartellaprogramma.h"
#include "chiavi.h"
#include "file_ini.h"
#include "generale.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>

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

QPixmap icona(int lato, QColor fondo, QColor bordo, const QString& segno, bool tonda)
{
    QPixmap p(lato, lato);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(bordo, 2));
    g.setBrush(fondo);
    const QRectF r(1.5, 1.5, lato - 3, lato - 3);
    if (tonda)
        g.drawEllipse(r);
    else
        g.drawRoundedRect(r, 5, 5);
    if (!segno.isEmpty()) {
        QFont f = g.font();
        f.setBold(true);
        f.setPixelSize(lato / 2);
        g.setFont(f);
        g.setPen(Qt::white);
        g.drawText(r, Qt::AlignCenter, segno);
    }
    return p;
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

QString elemento(const QString& nome, std::size_t i) { return QStringLiteral("%1(%2)").arg(nome).arg(i); }
QString elemento(const char* nome, std::size_t i) { return elemento(QString::fromLatin1(nome), i); }
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

template <typename W>
void colloca(W* w, const Posizione& p, const QString& nome)
{
    w->move(Sinottico::Pixel(p.X), Sinottico::Pixel(p.Y));
    w->setToolTip(nome);
}

}  // namespace

Sinottico::Sinottico(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Sinottico"));
    setWindowTitle(QStringLiteral("Sinottico"));
    // 12195 x 9570 twips.
    setMinimumSize(Pixel(12195), Pixel(9570));
    creaPianta();
    creaDispositivi();
    creaPannelloInfo();
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

void Sinottico::creaDispositivi()
{
    auto* zona = new QPushButton(nessunValore, Pic_Pianta);
    zona->setObjectName(QStringLiteral("Cmd_PuntoMon(0)"));
    zona->resize(Pixel(1290), Pixel(570));
    zona->setIconSize(QSize(24, 24));
    QFont f = zona->font();
    f.setBold(true);
    zona->setFont(f);
    zona->hide();
    Cmd_PuntoMon.push_back(zona);

    Img_off.push_back(immagine(Pic_Pianta, "Img_off(0)", icona(32, QColor(0x6E, 0x6E, 0x6E), Qt::black, "0", false)));
    Img_on.push_back(immagine(Pic_Pianta, "Img_on(0)", icona(32, QColor(0x2E, 0x9E, 0x3E), Qt::black, "I", false)));
    Img_ind.push_back(immagine(Pic_Pianta, "Img_ind(0)", icona(32, QColor(0xE0, 0x9A, 0x20), Qt::black, "?", false)));

    // L0 not read yet, L1 condition false, L2..L6 lit in colour 1..5 (green, red, white, blue, yellow).
    const QColor coloriLED[] = {QColor(0x30, 0x30, 0x30), QColor(0x80, 0x80, 0x80), QColor(0x20, 0xC0, 0x30),
                                QColor(0xE0, 0x20, 0x20), QColor(0xFA, 0xFA, 0xFA), QColor(0x20, 0x50, 0xE0),
                                QColor(0xF0, 0xD0, 0x10)};
    const auto looks = LookLED();
    for (int k = 0; k < 7; ++k)
        looks[k]->push_back(immagine(Pic_Pianta, QStringLiteral("Img_L%1(0)").arg(k),
                                     icona(22, coloriLED[k], QColor(0x20, 0x20, 0x20), QString(), true)));

    for (int k = 0; k < 2; ++k) {
        Cmd_Apriporta[k] = new QPushButton(QStringLiteral("Apri"), Pic_Pianta);
        Cmd_Apriporta[k]->setObjectName(elemento("Cmd_Apriporta", k));
        Cmd_Apriporta[k]->resize(Pixel(900), Pixel(450));
        Cmd_Apriporta[k]->hide();
    }
    Cmd_Webcam = new QPushButton(QStringLiteral("Webcam"), Pic_Pianta);
    Cmd_Webcam->setObjectName(QStringLiteral("Cmd_Webcam"));
    Cmd_Webcam->resize(Pixel(1050), Pixel(450));
    Cmd_Webcam->hide();

    Pic_WebCam = new QFrame(Pic_Pianta);
    Pic_WebCam->setObjectName(QStringLiteral("Pic_WebCam"));
    Pic_WebCam->setFrameShape(QFrame::Panel);
    Pic_WebCam->setFrameShadow(QFrame::Raised);
    Pic_WebCam->resize(Pixel(5100), Pixel(4200));
    Pic_WebCam->hide();
}

void Sinottico::creaPannelloInfo()
{
    Pic_Info = new QFrame(Pic_Pianta);
    Pic_Info->setObjectName(QStringLiteral("Pic_Info"));
    Pic_Info->setFrameShape(QFrame::Panel);
    Pic_Info->setFrameShadow(QFrame::Raised);
    Pic_Info->setAutoFillBackground(true);
    auto* griglia = new QGridLayout(Pic_Info);
    Lab_Nome = new QLabel(Pic_Info);
    Lab_Nome->setObjectName(QStringLiteral("Lab_Nome"));
    griglia->addWidget(Lab_Nome, 0, 0, 1, 2);
    Cmd_Chiudi = new QPushButton(QStringLiteral("X"), Pic_Info);
    Cmd_Chiudi->setObjectName(QStringLiteral("Cmd_Chiudi"));
    Cmd_Chiudi->setToolTip(QStringLiteral("Chiudere la visualizzazione"));
    griglia->addWidget(Cmd_Chiudi, 0, 2);
    for (int k = 0; k < 5; ++k) {
        Lab_Temp_1[k] = new QLabel(Pic_Info);
        Lab_Temp_1[k]->setObjectName(elemento("Lab_Temp_1", k));
        Lab_Temp[k] = new QLabel(nessunValore, Pic_Info);
        Lab_Temp[k]->setObjectName(elemento("Lab_Temp", k));
        griglia->addWidget(Lab_Temp_1[k], k + 1, 0);
        griglia->addWidget(Lab_Temp[k], k + 1, 1, 1, 2, Qt::AlignRight);
    }
    Pic_Info->resize(Pixel(3600), Pixel(2700));
    Pic_Info->hide();
}

void Sinottico::ChiudiPannelli()
{
    Pic_Info->hide();
    Pic_WebCam->hide();
    Pic_Info->update();
    Pic_WebCam->update();
    MostraInfoZona(0);
}

void Sinottico::MostraInfoZona(int zona)
{
    const QString sin = QString::fromLatin1(Chiavi::Sezione::Sinottico);
    const QString predefinito = QString::fromLatin1(Chiavi::Sinottico::PredefinitoCampo);
    const QString sezioneZona = zona > 0 ? SezioneZona(zona - 1) : QString();
    Lab_Nome->setText(zona > 0 ? File_Ini::LeggiIni(sezioneZona, QString::fromLatin1(Chiavi::Dispositivo::Nome),
                                                    sezioneZona)
                               : QString());
    for (int k = 0; k < static_cast<int>(Lab_Temp_1.size()); ++k) {
        const QString campo = Chiavi::Sinottico::NomeCampo(k);
        const QString generale = File_Ini::LeggiIni(sin, campo, predefinito).trimmed();
        const QString proprio = zona > 0 ? File_Ini::LeggiIni(sezioneZona, campo, predefinito).trimmed() : QString();
        if (!proprio.isEmpty())
            Lab_Temp_1[k]->setText(proprio);
        else if (k < 2)
            Lab_Temp_1[k]->setText(generale + QStringLiteral(" [") + UnitaMisura + QStringLiteral("]:"));
        else
            Lab_Temp_1[k]->setText(generale + QLatin1Char(':'));
    }
}

void Sinottico::RicostruisciDispositivi()
{
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
        if (i > 0)
            Cmd_PuntoMon.push_back(copiaDi(Cmd_PuntoMon.front(), elemento("Cmd_PuntoMon", i)));
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
            if (i > 0)
                look->push_back(copiaDi(look->front(), elemento(nomeArray(look->front()), i)));
            QLabel* l = (*look)[i];
            colloca(l, PosizioniInterruttori[i], NomiInterruttori[i]);
            l->setVisible(look == &Img_off);
            l->raise();
        }
    }

    const auto looksLED = LookLED();
    for (int i = 0; i < NumeroLED; ++i) {
        for (auto* look : looksLED) {
            if (i > 0)
                look->push_back(copiaDi(look->front(), elemento(nomeArray(look->front()), i)));
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
        centraPianta();
    }
    // The panels stay above every device control.
    Pic_Info->raise();
    Pic_WebCam->raise();
    if (isVisible())
        Pic_Pianta->setFocus();
    Pic_Pianta->update();
    update();
}

void Sinottico::AzzeraSinottico()
{
    for (auto* l : Lab_Temp)
        l->setText(nessunValore);
    for (auto* b : Cmd_PuntoMon)
        b->setText(nessunValore);
}

void Sinottico::RipristinaIcone()
{
    for (int i = 0; i < NumeroInterruttori && i < static_cast<int>(Img_off.size()); ++i) {
        Img_off[i]->show();
        Img_on[i]->hide();
        Img_ind[i]->hide();
    }
    const auto looks = LookLED();
    for (int j = 0; j < NumeroLED && j < static_cast<int>(Img_L0.size()); ++j)
        for (int k = 0; k < 7; ++k)
            (*looks[k])[j]->setVisible(k == 1);
    update();
}

void Sinottico::resizeEvent(QResizeEvent* evento)
{
    QWidget::resizeEvent(evento);
    centraPianta();
}

void Sinottico::centraPianta()
{
    Pic_Pianta->move((width() - Pic_Pianta->width()) / 2, (height() - Pic_Pianta->height()) / 2);
}
