// Draws the station's art into PNG files: the maker's logo, the four toolbar pictures and the
// program icon. Run it by hand after changing a drawing and commit the files it writes:
//   cmake --build <build> --target disegna_arte && QT_QPA_PLATFORM=offscreen <build>/assets/disegna_arte assets/
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>

namespace {

QImage Tela(int larghezza, int altezza)
{
    QImage img(larghezza, altezza, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

// The maker's mark: a flame in a blue disc, filling the square `quadro`.
void Fiamma(QPainter& p, QRectF quadro)
{
    const qreal s = quadro.width();
    const QPointF o = quadro.topLeft();
    auto punto = [&](qreal x, qreal y) { return o + QPointF(x * s, y * s); };

    QRadialGradient sfondo(punto(0.5, 0.45), s * 0.55);
    sfondo.setColorAt(0, QColor(0x1f, 0x5f, 0xa8));
    sfondo.setColorAt(1, QColor(0x0b, 0x2a, 0x55));
    p.setPen(QPen(QColor(0xd8, 0xe4, 0xf2), s * 0.035));
    p.setBrush(sfondo);
    p.drawEllipse(quadro.adjusted(s * 0.03, s * 0.03, -s * 0.03, -s * 0.03));

    QPainterPath esterna;
    esterna.moveTo(punto(0.50, 0.14));
    esterna.cubicTo(punto(0.62, 0.32), punto(0.78, 0.42), punto(0.74, 0.62));
    esterna.cubicTo(punto(0.71, 0.78), punto(0.60, 0.86), punto(0.50, 0.86));
    esterna.cubicTo(punto(0.38, 0.86), punto(0.27, 0.78), punto(0.26, 0.63));
    esterna.cubicTo(punto(0.25, 0.50), punto(0.34, 0.42), punto(0.38, 0.30));
    esterna.cubicTo(punto(0.42, 0.40), punto(0.44, 0.46), punto(0.47, 0.48));
    esterna.cubicTo(punto(0.50, 0.38), punto(0.52, 0.27), punto(0.50, 0.14));
    QLinearGradient fuoco(punto(0.5, 0.14), punto(0.5, 0.86));
    fuoco.setColorAt(0, QColor(0xff, 0xd2, 0x3f));
    fuoco.setColorAt(0.6, QColor(0xf5, 0x7c, 0x1f));
    fuoco.setColorAt(1, QColor(0xc8, 0x2a, 0x14));
    p.setPen(Qt::NoPen);
    p.setBrush(fuoco);
    p.drawPath(esterna);

    QPainterPath interna;
    interna.moveTo(punto(0.50, 0.50));
    interna.cubicTo(punto(0.58, 0.60), punto(0.62, 0.68), punto(0.60, 0.74));
    interna.cubicTo(punto(0.58, 0.81), punto(0.42, 0.81), punto(0.40, 0.74));
    interna.cubicTo(punto(0.38, 0.66), punto(0.45, 0.60), punto(0.50, 0.50));
    p.setBrush(QColor(0xff, 0xf3, 0xc4));
    p.drawPath(interna);
}

QImage Logo()
{
    QImage img = Tela(220, 84);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    Fiamma(p, QRectF(4, 4, 76, 76));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(40);
    p.setFont(f);
    p.setPen(QColor(0x0b, 0x2a, 0x55));
    p.drawText(QRectF(88, 0, 132, 84), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Fenlo"));
    p.setPen(QPen(QColor(0xc8, 0x2a, 0x14), 3));
    p.drawLine(QPointF(90, 66), QPointF(210, 66));
    return img;
}

QImage Icona(int lato)
{
    QImage img = Tela(lato, lato);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    Fiamma(p, QRectF(0, 0, lato, lato));
    return img;
}

// Toolbar pictures, 21 x 28: an indicator light in a bezel (white: window hidden, blue: shown)
// and a lamp (dark red: acquisition stopped, bright red: running, the two alternate on alarm).
QImage Indicatore(QColor centro, QColor bordo)
{
    QImage img = Tela(21, 28);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x50, 0x50, 0x50), 1));
    p.setBrush(QColor(0xa0, 0xa0, 0xa0));
    p.drawRoundedRect(QRectF(2.5, 2.5, 16, 23), 4, 4);
    QRadialGradient luce(QPointF(9, 11), 9);
    luce.setColorAt(0, centro);
    luce.setColorAt(1, bordo);
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    p.setBrush(luce);
    p.drawEllipse(QRectF(4.5, 6.5, 12, 15));
    return img;
}

QImage Lampada(QColor centro, QColor bordo, bool accesa)
{
    QImage img = Tela(21, 28);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    if (accesa) {
        QRadialGradient alone(QPointF(10.5, 10), 10.5);
        alone.setColorAt(0, QColor(0xff, 0x40, 0x30, 150));
        alone.setColorAt(1, QColor(0xff, 0x40, 0x30, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(alone);
        p.drawEllipse(QRectF(0, 0, 21, 21));
    }
    QRadialGradient vetro(QPointF(8.5, 7.5), 8);
    vetro.setColorAt(0, centro);
    vetro.setColorAt(1, bordo);
    p.setPen(QPen(QColor(0x40, 0x10, 0x10), 1));
    p.setBrush(vetro);
    p.drawEllipse(QRectF(4.5, 2.5, 12, 14));
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    p.setBrush(QColor(0x90, 0x90, 0x90));
    p.drawRect(QRectF(6.5, 17.5, 8, 3));
    p.setBrush(QColor(0x60, 0x60, 0x60));
    p.drawRect(QRectF(5.5, 20.5, 10, 5));
    return img;
}

}  // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "uso: disegna_arte <cartella assets>\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const struct {
        const char* nome;
        QImage img;
    } disegni[] = {
        {"logo_fenlo.png", Logo()},
        {"icona.png", Icona(256)},
        {"icona_32.png", Icona(32)},
        {"toolbar_1.png", Indicatore(QColor(0xff, 0xff, 0xff), QColor(0xc8, 0xc8, 0xc8))},
        {"toolbar_2.png", Indicatore(QColor(0x9c, 0xcc, 0xff), QColor(0x10, 0x48, 0xc0))},
        {"toolbar_3.png", Lampada(QColor(0x90, 0x20, 0x20), QColor(0x4a, 0x08, 0x08), false)},
        {"toolbar_4.png", Lampada(QColor(0xff, 0xc0, 0xa8), QColor(0xf0, 0x10, 0x10), true)},
    };
    for (const auto& d : disegni) {
        const QString file = dir.filePath(QString::fromLatin1(d.nome));
        if (!d.img.save(file)) {
            std::fprintf(stderr, "impossibile scrivere %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
