// Draws the program's own pictures into resources/pictures: the placeholder portrait, and the
// corner pictures and ornamental strips of the splash window. Run by hand; the PNGs are committed.
//
//   make_pictures <resources/pictures>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

const QColor kInk(70, 40, 20);
const QColor kGold(196, 152, 64);
const QColor kRed(150, 30, 30);
const QColor kPaper(236, 224, 196);

// A grey silhouette with a question mark: the face of an officer without a portrait.
QImage NoFace()
{
    QImage image(64, 80, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 80);
    sky.setColorAt(0, QColor(120, 134, 150));
    sky.setColorAt(1, QColor(70, 80, 96));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 44, 54));
    p.drawEllipse(QPointF(32, 30), 14, 17);                   // head
    QPainterPath shoulders;
    shoulders.moveTo(4, 80);
    shoulders.cubicTo(6, 56, 20, 50, 32, 50);
    shoulders.cubicTo(44, 50, 58, 56, 60, 80);
    p.drawPath(shoulders);
    p.setPen(QPen(QColor(230, 230, 236), 3, Qt::SolidLine, Qt::RoundCap));
    QFont font;
    font.setPixelSize(22);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(18, 13, 28, 34), Qt::AlignCenter, QStringLiteral("?"));
    p.setPen(QPen(QColor(30, 30, 36), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 63, 79));
    return image;
}

// A square of fretwork in one corner, turned so that its open side faces the window's middle.
QImage Corner(int quarterTurns)
{
    const int size = 250;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(size / 2.0, size / 2.0);
    p.rotate(90.0 * quarterTurns);
    p.translate(-size / 2.0, -size / 2.0);

    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawRect(0, 0, size, size);
    // Nested L-shaped bands, as on a carved window frame.
    for (int band = 0; band < 4; ++band) {
        const qreal inset = 12 + band * 26;
        const qreal width = band % 2 == 0 ? 12 : 6;
        p.setBrush(band % 2 == 0 ? kRed : kGold);
        QPainterPath path;
        path.moveTo(inset, size);
        path.lineTo(inset, inset);
        path.lineTo(size, inset);
        path.lineTo(size, inset + width);
        path.lineTo(inset + width, inset + width);
        path.lineTo(inset + width, size);
        path.closeSubpath();
        p.drawPath(path);
    }
    // An old round coin with its square hole in the corner's heart.
    p.setBrush(kGold);
    p.drawEllipse(QPointF(150, 150), 46, 46);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(150, 150), 38, 38);
    p.setBrush(kGold);
    p.drawEllipse(QPointF(150, 150), 34, 34);
    p.setBrush(kRed);
    p.drawRect(QRectF(136, 136, 28, 28));
    p.setBrush(kPaper);
    p.drawRect(QRectF(142, 142, 16, 16));
    p.setPen(QPen(kInk, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1.5, 1.5, size - 3, size - 3));
    return image;
}

// A band of small lozenges between two gold lines; vertical strips are the same turned.
QImage Strip(bool vertical)
{
    const int length = 418;
    const int thickness = 18;
    QImage image(length, thickness, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(image.rect(), kPaper);
    p.fillRect(QRect(0, 0, length, 3), kGold);
    p.fillRect(QRect(0, thickness - 3, length, 3), kGold);
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    for (int x = 6; x < length; x += 14) {
        QPolygonF lozenge;
        lozenge << QPointF(x, thickness / 2.0) << QPointF(x + 5, 4) << QPointF(x + 10, thickness / 2.0)
                << QPointF(x + 5, thickness - 4);
        p.drawPolygon(lozenge);
    }
    p.end();
    if (!vertical)
        return image;
    return image.transformed(QTransform().rotate(90));
}

bool Save(const QImage& image, const QString& dir, const QString& name)
{
    const QString path = QDir(dir).filePath(name);
    if (!image.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pictures <resources/pictures>\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);
    bool ok = Save(NoFace(), dir, QStringLiteral("noface.png"));
    const char* corners[] = {"corner_tl.png", "corner_tr.png", "corner_br.png", "corner_bl.png"};
    for (int i = 0; i < 4; ++i)
        ok = Save(Corner(i), dir, QString::fromLatin1(corners[i])) && ok;
    ok = Save(Strip(false), dir, QStringLiteral("strip_h.png")) && ok;
    ok = Save(Strip(true), dir, QStringLiteral("strip_v.png")) && ok;
    return ok ? 0 : 1;
}
