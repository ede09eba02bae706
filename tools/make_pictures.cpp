// Draws the program's own pictures into resources/pictures: the placeholder portrait, the corner
// pictures and ornamental strips of the splash window, and the program's icon (PNGs of the sizes
// desktops ask for, and the same drawing as SVG). Run by hand; the files are committed.
//
//   make_pictures <resources/pictures>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QSaveFile>
#include <cstdio>
#include <vector>

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

// The icon is a list of filled outlines on a 512-unit square, so that every PNG and the SVG are
// one drawing: a red lacquer tile with a gold rim, an old coin as on the splash corners, and a
// quill across it leaving a stroke of ink.
struct Layer {
    QPainterPath path;
    QColor colour;
};

QPainterPath Stroke(const QPainterPath& line, qreal width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(line).simplified();
}

// Small sizes leave out the thin lines, which would only blur at a few pixels.
std::vector<Layer> IconLayers(bool detailed)
{
    std::vector<Layer> layers;
    QPainterPath tile;
    tile.addRoundedRect(QRectF(24, 24, 464, 464), 92, 92);
    layers.push_back({tile, kRed});
    QPainterPath rim; // two outlines filled odd-even: a ring
    rim.addRoundedRect(QRectF(44, 44, 424, 424), 74, 74);
    rim.addRoundedRect(QRectF(62, 62, 388, 388), 58, 58);
    layers.push_back({rim, kGold});

    const QPointF centre(226, 236);
    QPainterPath coin;
    coin.addEllipse(centre, 150, 150);
    coin.addRect(QRectF(centre.x() - 46, centre.y() - 46, 92, 92));
    layers.push_back({coin, kGold});
    if (detailed) {
        QPainterPath groove;
        groove.addEllipse(centre, 126, 126);
        groove.addEllipse(centre, 116, 116);
        layers.push_back({groove, kInk});
    }

    // The quill lies along the x axis of its own frame, nib at the origin, then is turned into place.
    QPainterPath vane;
    vane.moveTo(96, 0);
    vane.cubicTo(150, -60, 300, -80, 430, -6);
    vane.lineTo(430, 0);
    vane.cubicTo(330, 46, 170, 44, 96, 0);
    vane.closeSubpath();
    QPainterPath shaft;
    shaft.moveTo(18, 0);
    shaft.lineTo(400, 0);
    QPainterPath nib;
    nib.moveTo(0, 0);
    nib.lineTo(34, -11);
    nib.lineTo(34, 11);
    nib.closeSubpath();
    QTransform place;
    place.translate(112, 404);
    place.rotate(-45);
    layers.push_back({place.map(Stroke(vane, 16)), kInk});
    layers.push_back({place.map(vane), kPaper});
    layers.push_back({place.map(Stroke(shaft, detailed ? 9 : 16)), kInk});
    layers.push_back({place.map(nib), kInk});
    if (detailed) {
        for (const qreal x : {170.0, 250.0, 330.0}) {
            QPainterPath barb;
            barb.moveTo(x, 0);
            barb.lineTo(x + 40, -30);
            layers.push_back({place.map(Stroke(barb, 5)), kGold});
        }
    }

    QPainterPath ink; // the mark the quill has just made
    ink.moveTo(92, 440);
    ink.cubicTo(160, 420, 230, 452, 300, 428);
    layers.push_back({Stroke(ink, detailed ? 18 : 28), kInk});
    return layers;
}

QImage Icon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 512.0, size / 512.0);
    p.setPen(Qt::NoPen);
    for (const Layer& layer : IconLayers(size >= 48)) {
        p.setBrush(layer.colour);
        p.drawPath(layer.path);
    }
    return image;
}

QString SvgNumber(qreal v)
{
    return QString::number(v, 'f', 2).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

// One path element per layer; Qt's outlines hold only moves, lines and cubic curves.
QString IconSvg()
{
    QString svg = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"512\" height=\"512\" "
                                 "viewBox=\"0 0 512 512\">\n");
    for (const Layer& layer : IconLayers(true)) {
        QString d;
        for (int i = 0; i < layer.path.elementCount(); ++i) {
            const QPainterPath::Element e = layer.path.elementAt(i);
            if (e.type == QPainterPath::MoveToElement)
                d += i == 0 ? QStringLiteral("M") : QStringLiteral("Z M");
            else if (e.type == QPainterPath::LineToElement)
                d += QStringLiteral(" L");
            else if (e.type == QPainterPath::CurveToElement)
                d += QStringLiteral(" C");
            d += QLatin1Char(' ') + SvgNumber(e.x) + QLatin1Char(' ') + SvgNumber(e.y);
        }
        svg += QStringLiteral("  <path fill=\"%1\" fill-rule=\"%2\" d=\"%3 Z\"/>\n")
                   .arg(layer.colour.name(),
                        layer.path.fillRule() == Qt::OddEvenFill ? QStringLiteral("evenodd")
                                                                 : QStringLiteral("nonzero"),
                        d);
    }
    return svg + QStringLiteral("</svg>\n");
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

bool SaveText(const QString& text, const QString& dir, const QString& name)
{
    const QString path = QDir(dir).filePath(name);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUtf8()) < 0 || !file.commit()) {
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
    // The sizes of the hicolor theme's PNG folders; the window icon and the install rules take
    // whatever is drawn here.
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256, 512})
        ok = Save(Icon(size), dir, QStringLiteral("icon_%1.png").arg(size)) && ok;
    ok = SaveText(IconSvg(), dir, QStringLiteral("icon.svg")) && ok;
    return ok ? 0 : 1;
}
