// Draws the synoptic's pictures (assets/sinottico/*.png) and the demo plant's floor plan, zone
// icons and sounds (demo/). Usage: disegna_sinottico <checkout folder>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <vector>
#include <cstdio>
#include <functional>

namespace {

QString radice;

QImage tela(int l, int a)
{
    QImage img(l, a, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

void salva(const QImage& img, const QString& nome)
{
    const QString percorso = QDir(radice).filePath(nome);
    QDir().mkpath(QFileInfo(percorso).absolutePath());
    if (!img.save(percorso))
        std::fprintf(stderr, "non scritto: %s\n", qPrintable(percorso));
}

void disegna(QImage& img, const std::function<void(QPainter&)>& f)
{
    QPainter g(&img);
    g.setRenderHint(QPainter::Antialiasing);
    g.setRenderHint(QPainter::TextAntialiasing);
    f(g);
}

QFont carattere(int pixel, bool grassetto = true)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixel);
    f.setBold(grassetto);
    return f;
}

// ---- Switch: a breaker body with its lever ----------------------------------------------------
void interruttore(const QString& nome, QColor corpo, int leva, const QString& segno)
{
    QImage img = tela(32, 32);
    disegna(img, [&](QPainter& g) {
        QLinearGradient sfondo(0, 0, 0, 32);
        sfondo.setColorAt(0, corpo.lighter(135));
        sfondo.setColorAt(1, corpo.darker(125));
        g.setPen(QPen(QColor(0x20, 0x20, 0x20), 1.5));
        g.setBrush(sfondo);
        g.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 5, 5);
        // Lever slot and lever: up = on, down = off, middle = unknown.
        g.setBrush(QColor(0x28, 0x28, 0x28));
        g.setPen(Qt::NoPen);
        g.drawRoundedRect(QRectF(6, 7, 8, 18), 3, 3);
        g.setBrush(QColor(0xF2, 0xF2, 0xF2));
        g.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
        const double y = leva > 0 ? 8 : leva < 0 ? 17 : 12.5;
        g.drawRoundedRect(QRectF(7, y, 6, 7), 2, 2);
        g.setFont(carattere(14));
        g.setPen(Qt::white);
        g.drawText(QRectF(14, 4, 17, 24), Qt::AlignCenter, segno);
    });
    salva(img, QStringLiteral("assets/sinottico/%1.png").arg(nome));
}

// ---- LED: a round lens, lit or not --------------------------------------------------------------
void led(int k, QColor colore, bool acceso, bool nonLetto)
{
    QImage img = tela(22, 22);
    disegna(img, [&](QPainter& g) {
        g.setPen(QPen(QColor(0x18, 0x18, 0x18), 1.5));
        g.setBrush(QColor(0x50, 0x50, 0x50));
        g.drawEllipse(QRectF(1, 1, 20, 20));  // bezel
        QRadialGradient lente(QPointF(9, 8), 10);
        if (acceso) {
            lente.setColorAt(0, colore.lighter(170));
            lente.setColorAt(0.6, colore);
            lente.setColorAt(1, colore.darker(160));
        } else {
            lente.setColorAt(0, colore.lighter(130));
            lente.setColorAt(1, colore.darker(150));
        }
        g.setPen(Qt::NoPen);
        g.setBrush(lente);
        g.drawEllipse(QRectF(3.5, 3.5, 15, 15));
        g.setBrush(QColor(255, 255, 255, acceso ? 170 : 90));
        g.drawEllipse(QRectF(6.5, 5.5, 5, 3.5));  // reflection
        if (nonLetto) {
            g.setPen(QPen(QColor(0xE0, 0xE0, 0xE0), 1.6));
            g.drawLine(QPointF(8, 14), QPointF(14, 8));
        }
    });
    salva(img, QStringLiteral("assets/sinottico/led_%1.png").arg(k));
}

// ---- Panel markers ------------------------------------------------------------------------------
void marcatore(const QString& nome, const std::function<void(QPainter&)>& f)
{
    QImage img = tela(12, 12);
    disegna(img, f);
    salva(img, QStringLiteral("assets/sinottico/%1.png").arg(nome));
}

void freccia(QPainter& g, bool uscente, QColor colore)
{
    g.setPen(QPen(colore.darker(140), 1));
    g.setBrush(colore);
    g.drawEllipse(QRectF(0.5, 0.5, 11, 11));
    QPainterPath p;
    if (uscente) {  // the value goes out to the slaves
        p.moveTo(3, 3.5); p.lineTo(9.5, 6); p.lineTo(3, 8.5);
    } else {        // the value comes in from the master
        p.moveTo(9, 3.5); p.lineTo(2.5, 6); p.lineTo(9, 8.5);
    }
    p.closeSubpath();
    g.setPen(Qt::NoPen);
    g.setBrush(Qt::white);
    g.drawPath(p);
}

void orologio(QPainter& g, QRectF r, QColor colore)
{
    g.setPen(QPen(colore.darker(150), 1));
    g.setBrush(colore);
    g.drawEllipse(r);
    g.setPen(QPen(Qt::white, 1.3, Qt::SolidLine, Qt::RoundCap));
    const QPointF c = r.center();
    g.drawLine(c, c + QPointF(0, -r.height() * 0.32));
    g.drawLine(c, c + QPointF(r.width() * 0.26, 0));
}

void distintivo(const QString& nome, QColor colore, const std::function<void(QPainter&)>& simbolo)
{
    QImage img = tela(32, 16);
    disegna(img, [&](QPainter& g) {
        g.setPen(QPen(colore.darker(150), 1));
        g.setBrush(colore);
        g.drawRoundedRect(QRectF(0.5, 0.5, 31, 15), 4, 4);
        simbolo(g);
    });
    salva(img, QStringLiteral("assets/sinottico/%1.png").arg(nome));
}

void pittogrammi()
{
    QImage chiudi = tela(14, 14);
    disegna(chiudi, [](QPainter& g) {
        g.setPen(QPen(QColor(0xB0, 0x20, 0x20), 2.4, Qt::SolidLine, Qt::RoundCap));
        g.drawLine(QPointF(3, 3), QPointF(11, 11));
        g.drawLine(QPointF(11, 3), QPointF(3, 11));
    });
    salva(chiudi, QStringLiteral("assets/sinottico/chiudi.png"));

    QImage porta = tela(16, 16);
    disegna(porta, [](QPainter& g) {
        g.setPen(QPen(QColor(0x40, 0x2A, 0x10), 1));
        g.setBrush(QColor(0xA8, 0x70, 0x38));
        g.drawRect(QRectF(3.5, 1.5, 9, 13));
        g.setBrush(QColor(0xF0, 0xC0, 0x30));
        g.drawEllipse(QRectF(9.5, 7.5, 2, 2));
        g.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
        g.drawLine(QPointF(1, 14.5), QPointF(15, 14.5));
    });
    salva(porta, QStringLiteral("assets/sinottico/apriporta.png"));

    QImage camera = tela(16, 16);
    disegna(camera, [](QPainter& g) {
        g.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
        g.setBrush(QColor(0x50, 0x58, 0x60));
        g.drawRoundedRect(QRectF(1.5, 4.5, 10, 8), 2, 2);
        QPainterPath obiettivo;
        obiettivo.moveTo(11.5, 7); obiettivo.lineTo(15, 5); obiettivo.lineTo(15, 12); obiettivo.lineTo(11.5, 10);
        obiettivo.closeSubpath();
        g.drawPath(obiettivo);
        g.setBrush(QColor(0xE0, 0x30, 0x30));
        g.setPen(Qt::NoPen);
        g.drawEllipse(QRectF(3, 6, 2.5, 2.5));
    });
    salva(camera, QStringLiteral("assets/sinottico/webcam.png"));
}

void arteSinottico()
{
    interruttore(QStringLiteral("interruttore_off"), QColor(0x70, 0x74, 0x78), -1, QStringLiteral("0"));
    interruttore(QStringLiteral("interruttore_on"), QColor(0x2A, 0x9A, 0x40), 1, QStringLiteral("I"));
    interruttore(QStringLiteral("interruttore_ind"), QColor(0xD8, 0x8C, 0x10), 0, QStringLiteral("?"));

    // Look 0: not read; 1: condition false; 2..6: lit in colour 1..5.
    led(0, QColor(0x30, 0x30, 0x34), false, true);
    led(1, QColor(0x8A, 0x8A, 0x8A), false, false);
    led(2, QColor(0x20, 0xD0, 0x40), true, false);
    led(3, QColor(0xF0, 0x20, 0x20), true, false);
    led(4, QColor(0xF4, 0xF4, 0xF0), true, false);
    led(5, QColor(0x30, 0x70, 0xF0), true, false);
    led(6, QColor(0xF8, 0xD8, 0x10), true, false);

    marcatore(QStringLiteral("ms"), [](QPainter& g) {
        g.setPen(QPen(QColor(0x80, 0x80, 0x80), 1.2));
        g.setBrush(QColor(0xE8, 0xE8, 0xE8));
        g.drawEllipse(QRectF(2.5, 2.5, 7, 7));
    });
    marcatore(QStringLiteral("ms_m"), [](QPainter& g) { freccia(g, true, QColor(0x20, 0x60, 0xC8)); });
    marcatore(QStringLiteral("ms_s"), [](QPainter& g) { freccia(g, false, QColor(0xE0, 0x80, 0x10)); });
    marcatore(QStringLiteral("cr"), [](QPainter& g) { orologio(g, QRectF(0.5, 0.5, 11, 11), QColor(0x20, 0x90, 0x50)); });

    auto lettera = [](const QString& t) {
        return [t](QPainter& g) {
            g.setFont(carattere(11));
            g.setPen(Qt::white);
            g.drawText(QRectF(2, 0, 16, 16), Qt::AlignCenter, t);
        };
    };
    auto conFreccia = [&](const QString& t, bool uscente, QColor colore) {
        return [=](QPainter& g) {
            lettera(t)(g);
            g.save();
            g.translate(18, 2);
            freccia(g, uscente, colore.lighter(130));
            g.restore();
        };
    };
    distintivo(QStringLiteral("master"), QColor(0x20, 0x60, 0xC8), conFreccia(QStringLiteral("M"), true, QColor(0x20, 0x60, 0xC8)));
    distintivo(QStringLiteral("slave"), QColor(0xE0, 0x80, 0x10), conFreccia(QStringLiteral("S"), false, QColor(0xE0, 0x80, 0x10)));
    distintivo(QStringLiteral("crono"), QColor(0x20, 0x90, 0x50), [&](QPainter& g) {
        orologio(g, QRectF(9.5, 1.5, 13, 13), QColor(0x20, 0x90, 0x50).lighter(125));
    });
    pittogrammi();
}

// ---- Demo plant ---------------------------------------------------------------------------------
const QColor Muro(0x4A, 0x4A, 0x50);
const QColor Pavimento(0xF3, 0xEF, 0xE4);
const QColor Arredo(0xB8, 0xA8, 0x8C);

void stanza(QPainter& g, QRectF r, QColor pavimento, const QString& nome)
{
    g.fillRect(r, pavimento);
    g.setFont(carattere(12));
    g.setPen(QColor(0x60, 0x5A, 0x50));
    g.drawText(r.adjusted(10, 8, -10, -8), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, nome.toUpper());
}

void muro(QPainter& g, QPointF a, QPointF b, double spessore = 8)
{
    g.setPen(QPen(Muro, spessore, Qt::SolidLine, Qt::SquareCap));
    g.drawLine(a, b);
}

// A gap in a wall with its door leaf and swing.
void porta(QPainter& g, QPointF cardine, double larghezza, double angoloMuro, double verso)
{
    g.save();
    g.translate(cardine);
    g.rotate(angoloMuro);
    g.setPen(Qt::NoPen);
    g.setBrush(Pavimento);
    g.drawRect(QRectF(0, -5, larghezza, 10));
    g.setPen(QPen(QColor(0x70, 0x60, 0x50), 1.5));
    g.drawLine(QPointF(0, 0), QPointF(0, verso * larghezza));
    g.setPen(QPen(QColor(0x90, 0x88, 0x78), 1, Qt::DashLine));
    g.drawArc(QRectF(-larghezza, -larghezza, 2 * larghezza, 2 * larghezza), 0, verso > 0 ? -90 * 16 : 90 * 16);
    g.restore();
}

void finestra(QPainter& g, QRectF r)
{
    g.fillRect(r, QColor(0xD8, 0xEC, 0xF8));
    g.setPen(QPen(QColor(0x50, 0x80, 0xA0), 1));
    g.drawRect(r);
    if (r.width() > r.height())
        g.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
    else
        g.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
}

void scrivania(QPainter& g, QRectF r)
{
    g.setPen(QPen(Arredo.darker(140), 1));
    g.setBrush(Arredo);
    g.drawRect(r);
    g.setBrush(QColor(0x90, 0x90, 0x98));
    const QRectF sedia(r.center().x() - 7, r.bottom() + 3, 14, 12);
    g.drawRoundedRect(sedia, 3, 3);
}

void pianta()
{
    QImage img(800, 600, QImage::Format_RGB32);
    img.fill(QColor(0xDC, 0xE4, 0xD2));  // the yard
    disegna(img, [](QPainter& g) {
        // Yard: paving along the entrance, a hedge.
        g.fillRect(QRectF(0, 140, 22, 130), QColor(0xC8, 0xC4, 0xB8));
        g.setPen(Qt::NoPen);
        g.setBrush(QColor(0x9C, 0xB8, 0x88));
        for (int y = 300; y < 590; y += 22)
            g.drawEllipse(QRectF(2, y, 14, 16));

        const QRectF edificio(24, 18, 756, 564);
        g.fillRect(edificio, Pavimento);
        // Rooms, top row then bottom row, with the corridor between.
        stanza(g, QRectF(24, 18, 236, 272), QColor(0xF5, 0xEE, 0xDC), QStringLiteral("Ingresso"));
        stanza(g, QRectF(260, 18, 260, 272), QColor(0xEE, 0xF2, 0xE6), QStringLiteral("Ufficio"));
        stanza(g, QRectF(520, 18, 260, 272), QColor(0xEC, 0xEE, 0xF4), QStringLiteral("Sala riunioni"));
        g.fillRect(QRectF(24, 290, 756, 44), QColor(0xE6, 0xE0, 0xD2));
        g.setFont(carattere(10, false));
        g.setPen(QColor(0x8A, 0x84, 0x78));
        g.drawText(QRectF(24, 294, 756, 20), Qt::AlignCenter, QStringLiteral("CORRIDOIO"));
        stanza(g, QRectF(24, 334, 276, 248), QColor(0xEF, 0xEA, 0xE0), QStringLiteral("Magazzino"));
        stanza(g, QRectF(300, 334, 150, 248), QColor(0xF0, 0xE4, 0xE0), QStringLiteral("Centrale termica"));
        stanza(g, QRectF(450, 334, 330, 248), QColor(0xE8, 0xF0, 0xF0), QStringLiteral("Laboratorio"));

        // Furniture, kept light so the devices stand out.
        g.setPen(QPen(Arredo.darker(140), 1));
        g.setBrush(Arredo);
        QPainterPath banco;  // reception counter
        banco.moveTo(150, 60); banco.lineTo(230, 60); banco.lineTo(230, 140); banco.lineTo(210, 140);
        banco.lineTo(210, 80); banco.lineTo(150, 80); banco.closeSubpath();
        g.drawPath(banco);
        for (int i = 0; i < 3; ++i)  // waiting chairs
            g.drawRoundedRect(QRectF(40 + i * 24, 250, 18, 18), 4, 4);
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 2; ++c)
                scrivania(g, QRectF(290 + c * 120, 180 + r * 0 + 0, 80, 38));
        scrivania(g, QRectF(290, 60, 80, 38));
        g.setBrush(QColor(0xA0, 0x9A, 0x8A));
        g.drawRect(QRectF(470, 40, 30, 100));  // filing cabinet
        g.setBrush(Arredo);
        g.drawRoundedRect(QRectF(580, 180, 150, 60), 28, 28);  // meeting table
        g.setBrush(QColor(0x90, 0x90, 0x98));
        for (int i = 0; i < 4; ++i) {
            g.drawRoundedRect(QRectF(596 + i * 32, 164, 14, 12), 3, 3);
            g.drawRoundedRect(QRectF(596 + i * 32, 244, 14, 12), 3, 3);
        }
        g.setBrush(QColor(0xC8, 0xB8, 0x98));
        for (int i = 0; i < 3; ++i)  // storage racks
            g.drawRect(QRectF(60 + i * 70, 470, 40, 100));
        g.setPen(QPen(Arredo.darker(170), 1));
        for (int i = 0; i < 3; ++i)
            for (int s = 1; s < 5; ++s)
                g.drawLine(QPointF(60 + i * 70, 470 + s * 20), QPointF(100 + i * 70, 470 + s * 20));
        // Boiler room: boiler, expansion vessel and the pipes of the circuit.
        g.setPen(QPen(QColor(0x70, 0x40, 0x30), 1.5));
        g.setBrush(QColor(0xD8, 0x90, 0x70));
        g.drawRoundedRect(QRectF(320, 510, 56, 56), 6, 6);
        g.setBrush(QColor(0xE0, 0xC0, 0x50));
        g.drawEllipse(QRectF(400, 380, 30, 30));
        g.setPen(QPen(QColor(0xC0, 0x30, 0x30), 3));
        g.drawLine(QPointF(376, 525), QPointF(440, 525));
        g.drawLine(QPointF(440, 525), QPointF(440, 320));
        g.drawLine(QPointF(440, 320), QPointF(760, 320));
        g.setPen(QPen(QColor(0x30, 0x60, 0xC0), 3));
        g.drawLine(QPointF(376, 550), QPointF(434, 550));
        g.drawLine(QPointF(434, 550), QPointF(434, 327));
        g.drawLine(QPointF(434, 327), QPointF(40, 327));
        // Laboratory benches and the fume hood.
        g.setPen(QPen(Arredo.darker(140), 1));
        g.setBrush(QColor(0xC0, 0xC8, 0xCC));
        g.drawRect(QRectF(470, 520, 200, 40));
        g.drawRect(QRectF(740, 380, 30, 120));
        g.setBrush(QColor(0xA8, 0xB4, 0xB8));
        g.drawRect(QRectF(470, 360, 60, 40));

        // Walls: outside, then the partitions, then the door gaps over them.
        g.setBrush(Qt::NoBrush);
        g.setPen(QPen(Muro, 10, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        g.drawRect(edificio);
        muro(g, {260, 18}, {260, 290});
        muro(g, {520, 18}, {520, 290});
        muro(g, {24, 290}, {780, 290}, 6);
        muro(g, {24, 334}, {780, 334}, 6);
        muro(g, {300, 334}, {300, 582});
        muro(g, {450, 334}, {450, 582});
        porta(g, {22, 170}, 60, 90, -1);  // main entrance, in the left wall
        g.setPen(QPen(QColor(0x30, 0x30, 0x30), 2));
        for (int y = 172; y < 230; y += 6)  // the gate bars
            g.drawLine(QPointF(4, y), QPointF(18, y));
        porta(g, {150, 290}, 36, 0, -1);
        porta(g, {380, 290}, 36, 0, -1);
        porta(g, {640, 290}, 36, 0, -1);
        porta(g, {200, 334}, 36, 0, 1);
        porta(g, {340, 334}, 36, 0, 1);
        porta(g, {560, 334}, 36, 0, 1);
        porta(g, {780, 300}, 30, 90, 1);  // emergency exit
        // Windows in the outer walls.
        for (double x : {70.0, 330.0, 430.0, 580.0, 690.0})
            finestra(g, QRectF(x, 14, 50, 8));
        for (double x : {500.0, 620.0})
            finestra(g, QRectF(x, 578, 60, 8));
        finestra(g, QRectF(776, 80, 8, 60));
        finestra(g, QRectF(776, 200, 8, 60));

        // North arrow and scale.
        g.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.5));
        g.setBrush(QColor(0x40, 0x40, 0x40));
        QPainterPath nord;
        nord.moveTo(700, 395); nord.lineTo(708, 420); nord.lineTo(700, 414); nord.lineTo(692, 420); nord.closeSubpath();
        g.drawPath(nord);
        g.setFont(carattere(11));
        g.drawText(QRectF(690, 376, 20, 16), Qt::AlignCenter, QStringLiteral("N"));
        g.setBrush(Qt::NoBrush);
        g.drawLine(QPointF(620, 450), QPointF(720, 450));
        for (int x = 620; x <= 720; x += 50)
            g.drawLine(QPointF(x, 446), QPointF(x, 454));
        g.setFont(carattere(9, false));
        g.drawText(QRectF(600, 456, 140, 14), Qt::AlignCenter, QStringLiteral("0      2,5      5 m"));
    });
    salva(img, QStringLiteral("demo/Pianta.jpg"));
}

// Zone icons: a thermometer on the zone's trace colour.
void iconaZona(int n, QColor colore)
{
    QImage img(24, 24, QImage::Format_RGB32);
    img.fill(QColor(0xF0, 0xF0, 0xF0));
    disegna(img, [&](QPainter& g) {
        g.setPen(QPen(colore.darker(150), 1));
        g.setBrush(colore);
        g.drawRoundedRect(QRectF(0.5, 0.5, 23, 23), 5, 5);
        g.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
        g.setBrush(Qt::white);
        g.drawRoundedRect(QRectF(9.5, 3.5, 5, 13), 2.5, 2.5);
        g.drawEllipse(QRectF(7.5, 13.5, 9, 8));
        g.setPen(Qt::NoPen);
        g.setBrush(QColor(0xD0, 0x20, 0x20));
        g.drawRect(QRectF(11, 8, 2, 8));
        g.drawEllipse(QRectF(9, 15, 6, 5));
    });
    salva(img, QStringLiteral("demo/T%1.bmp").arg(n));
}

// ---- Sounds: 16-bit mono PCM ----------------------------------------------------------------
constexpr int Campioni = 22050;

void wav(const QString& nome, const std::vector<double>& suono)
{
    QFile f(QDir(radice).filePath(nome));
    if (!f.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "non scritto: %s\n", qPrintable(f.fileName()));
        return;
    }
    QDataStream o(&f);
    o.setByteOrder(QDataStream::LittleEndian);
    const quint32 dati = quint32(suono.size() * 2);
    o.writeRawData("RIFF", 4);
    o << quint32(36 + dati);
    o.writeRawData("WAVEfmt ", 8);
    o << quint32(16) << quint16(1) << quint16(1) << quint32(Campioni) << quint32(Campioni * 2) << quint16(2)
      << quint16(16);
    o.writeRawData("data", 4);
    o << dati;
    for (double v : suono)
        o << qint16(std::lround(std::clamp(v, -1.0, 1.0) * 30000));
}

// A struck bell tone: fundamental and two partials, fading out.
void rintocco(std::vector<double>& s, double inizio, double durata, double frequenza, double volume)
{
    const int da = int(inizio * Campioni);
    const int n = int(durata * Campioni);
    if (int(s.size()) < da + n)
        s.resize(da + n, 0.0);
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / Campioni;
        const double inviluppo = std::exp(-3.2 * t / durata) * std::min(1.0, t / 0.005);
        const double w = 2 * M_PI * frequenza * t;
        s[da + i] += volume * inviluppo * (std::sin(w) + 0.35 * std::sin(2 * w) + 0.12 * std::sin(3.01 * w));
    }
}

// A beep with soft edges, so it does not click.
void bip(std::vector<double>& s, double inizio, double durata, double frequenza, double volume)
{
    const int da = int(inizio * Campioni);
    const int n = int(durata * Campioni);
    if (int(s.size()) < da + n)
        s.resize(da + n, 0.0);
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / Campioni;
        const double bordo = std::min({1.0, t / 0.01, (durata - t) / 0.01});
        const double w = 2 * M_PI * frequenza * t;
        s[da + i] += volume * bordo * (0.8 * std::sin(w) + 0.2 * std::sin(3 * w));
    }
}

void suoni()
{
    std::vector<double> porta;  // ding-dong
    rintocco(porta, 0.0, 0.7, 659.25, 0.45);
    rintocco(porta, 0.45, 1.0, 523.25, 0.45);
    wav(QStringLiteral("demo/Porta.wav"), porta);

    std::vector<double> allarme;  // three two-tone beeps
    for (int i = 0; i < 3; ++i) {
        bip(allarme, i * 0.36, 0.14, 988.0, 0.55);
        bip(allarme, i * 0.36 + 0.15, 0.14, 784.0, 0.55);
    }
    allarme.resize(allarme.size() + Campioni / 10, 0.0);
    wav(QStringLiteral("demo/Allarme.wav"), allarme);
}

}  // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "uso: disegna_sinottico <cartella del checkout>\n");
        return 2;
    }
    radice = QString::fromLocal8Bit(argv[1]);
    arteSinottico();
    pianta();
    const QColor colori[] = {QColor(0xFF, 0x00, 0x00), QColor(0x00, 0xA0, 0x00), QColor(0x00, 0x00, 0xFF),
                             QColor(0xFF, 0x80, 0x00), QColor(0xC0, 0x00, 0xC0)};
    for (int n = 1; n <= 5; ++n)
        iconaZona(n, colori[n - 1]);
    suoni();
    return 0;
}
