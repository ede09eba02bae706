#include "tools/SamplePortraits.h"

#include "portraits/FaceNumbering.h"
#include "portraits/PortraitLocation.h"

#include <QColor>
#include <QString>
#include <array>
#include <cstdlib>
#include <random>

namespace {

// Palette entries shared by every sample portrait; 16..255 hold the background gradient.
enum Entry : std::uint8_t {
    kBlack, kBand, kDigit, kSkin, kSkinShade, kHair, kEye, kMouth, kCloth, kTrim, kGold, kAccent,
    kBackground = 16,
};

constexpr QRgb kBandColour = qRgb(24, 24, 32);
constexpr QRgb kDigitColour = qRgb(255, 255, 255);

// The number band: 3 x 5 digits drawn twice their size, 8 pixels apart, centred.
constexpr int kBandTop = 66;
constexpr int kDigitTop = 68;
constexpr int kDigitScale = 2;
constexpr int kDigitAdvance = 8;
constexpr std::array<std::array<const char*, 5>, 10> kGlyphs{{
    {"###", "#.#", "#.#", "#.#", "###"}, {".#.", "##.", ".#.", ".#.", "###"},
    {"###", "..#", "###", "#..", "###"}, {"###", "..#", "###", "..#", "###"},
    {"#.#", "#.#", "###", "..#", "..#"}, {"###", "#..", "###", "..#", "###"},
    {"###", "#..", "###", "#.#", "###"}, {"###", "..#", ".#.", ".#.", ".#."},
    {"###", "#.#", "###", "#.#", "###"}, {"###", "#.#", "###", "..#", "###"},
}};

using Canvas = std::array<std::uint8_t, kPixelBytes>;

void Put(Canvas& canvas, int x, int y, std::uint8_t entry)
{
    if (x >= 0 && x < kPortraitWidth && y >= 0 && y < kPortraitHeight)
        canvas[y * kPortraitWidth + x] = entry;
}

bool InEllipse(int x, int y, int cx, int cy, int rx, int ry)
{
    const long dx = x - cx;
    const long dy = y - cy;
    return dx * dx * ry * ry + dy * dy * rx * rx < long{rx} * rx * ry * ry;
}

template <typename Inside>
void Paint(Canvas& canvas, std::uint8_t entry, Inside inside)
{
    for (int y = 0; y < kPortraitHeight; ++y)
        for (int x = 0; x < kPortraitWidth; ++x)
            if (inside(x, y))
                canvas[y * kPortraitWidth + x] = entry;
}

int DigitLeft(int digits)
{
    return (kPortraitWidth - (kDigitAdvance * digits - kDigitScale)) / 2;
}

void DrawNumber(Canvas& canvas, int number)
{
    Paint(canvas, kBand, [](int, int y) { return y >= kBandTop; });
    const QString digits = QString::number(number);
    int left = DigitLeft(static_cast<int>(digits.size()));
    for (QChar c : digits) {
        const auto& glyph = kGlyphs[c.digitValue()];
        for (int row = 0; row < 5; ++row)
            for (int col = 0; col < 3; ++col)
                if (glyph[row][col] == '#')
                    for (int s = 0; s < kDigitScale * kDigitScale; ++s)
                        Put(canvas, left + kDigitScale * col + s % kDigitScale,
                            kDigitTop + kDigitScale * row + s / kDigitScale, kDigit);
        left += kDigitAdvance;
    }
}

// Each face's own shapes and colours, from a fixed seed so every run writes the same archives.
struct Looks {
    std::mt19937 random;
    int Pick(int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); }
};

std::array<QRgb, 256> MakePalette(Looks& looks)
{
    static constexpr std::array<QRgb, 4> skins{qRgb(241, 194, 150), qRgb(224, 172, 120),
                                               qRgb(198, 140, 100), qRgb(250, 214, 180)};
    static constexpr std::array<QRgb, 6> hairs{qRgb(30, 25, 20),   qRgb(80, 50, 30),
                                               qRgb(140, 140, 140), qRgb(230, 230, 220),
                                               qRgb(110, 30, 20),  qRgb(40, 40, 70)};
    std::array<QRgb, 256> palette{};
    const QColor skin = QColor::fromRgb(skins[looks.Pick(4)]);
    const int clothHue = looks.Pick(360);
    const int backHue = looks.Pick(360);
    palette[kBand] = kBandColour;
    palette[kDigit] = kDigitColour;
    palette[kSkin] = skin.rgb();
    palette[kSkinShade] = skin.darker(125).rgb();
    palette[kHair] = hairs[looks.Pick(6)];
    palette[kEye] = qRgb(20, 20, 30);
    palette[kMouth] = qRgb(170, 40, 40);
    palette[kCloth] = QColor::fromHsv(clothHue, 180, 170).rgb();
    palette[kTrim] = QColor::fromHsv(clothHue, 80, 240).rgb();
    palette[kGold] = qRgb(220, 180, 40);
    palette[kAccent] = QColor::fromHsv((clothHue + 180) % 360, 200, 200).rgb();
    const QColor top = QColor::fromHsv(backHue, 90, 235);
    const QColor bottom = QColor::fromHsv((backHue + 40) % 360, 170, 110);
    for (int i = kBackground; i < 256; ++i) {
        const double t = (i - kBackground) / 239.0;
        const auto mix = [t](int a, int b) { return static_cast<int>(a + (b - a) * t + 0.5); };
        palette[i] = qRgb(mix(top.red(), bottom.red()), mix(top.green(), bottom.green()),
                          mix(top.blue(), bottom.blue()));
    }
    return palette;
}

void DrawFace(Canvas& canvas, Looks& looks, bool additional)
{
    // Rows run through the gradient, with a slight step across so all 240 entries are used.
    for (int y = 0; y < kPortraitHeight; ++y)
        for (int x = 0; x < kPortraitWidth; ++x)
            canvas[y * kPortraitWidth + x] = static_cast<std::uint8_t>(kBackground + 3 * y + x / 22);
    const int cx = 32;
    const int cy = 31 + looks.Pick(3);
    const int rx = 13 + looks.Pick(5);
    const int ry = 17 + looks.Pick(4);
    const int hairStyle = looks.Pick(4);
    const int beard = looks.Pick(3);
    const int mouthWidth = 4 + looks.Pick(5);
    const int shoulders = 25 + looks.Pick(6);

    if (hairStyle == 2) // long hair falls behind the head
        Paint(canvas, kHair, [&](int x, int y) { return InEllipse(x, y, cx, cy + 8, rx + 4, ry + 6); });
    Paint(canvas, kCloth, [&](int x, int y) { return InEllipse(x, y, cx, 78, shoulders, 22); });
    Paint(canvas, kTrim, [&](int x, int y) { return y >= 57 && std::abs(x - cx) <= (y - 53) / 2 + 1; });
    Paint(canvas, kSkinShade, [&](int x, int y) { return y >= cy + ry - 6 && y < 57 && std::abs(x - cx) <= 5; });
    Paint(canvas, kSkinShade, [&](int x, int y) { return y >= 57 && std::abs(x - cx) <= (y - 53) / 2 - 1; });
    Paint(canvas, kSkin, [&](int x, int y) { return InEllipse(x, y, cx, cy, rx, ry); });

    const auto onHead = [&](int x, int y) { return InEllipse(x, y, cx, cy, rx, ry); };
    switch (hairStyle) {
    case 0: // topknot
        Paint(canvas, kHair, [&](int x, int y) { return onHead(x, y) && y < cy - ry / 2; });
        Paint(canvas, kHair, [&](int x, int y) { return InEllipse(x, y, cx, cy - ry - 2, 5, 5); });
        break;
    case 1: // helmet with a crest
        Paint(canvas, kAccent, [&](int x, int y) { return InEllipse(x, y, cx, cy - 2, rx + 2, ry + 1) && y < cy - ry / 3; });
        Paint(canvas, kGold, [&](int x, int y) { return y >= cy - ry - 8 && y < cy - ry + 1 && std::abs(x - cx) <= (y - (cy - ry - 8)) / 2; });
        break;
    case 2:
        Paint(canvas, kHair, [&](int x, int y) { return onHead(x, y) && y < cy - ry / 2; });
        break;
    default: // headband
        Paint(canvas, kHair, [&](int x, int y) { return onHead(x, y) && y < cy - ry * 2 / 3; });
        Paint(canvas, kAccent, [&](int x, int y) { return onHead(x, y) && y >= cy - ry * 2 / 3 && y < cy - ry * 2 / 3 + 3; });
        break;
    }

    const int eyeY = cy - 2;
    for (int side : {-7, 5}) {
        for (int i = 0; i < 4; ++i)
            Put(canvas, cx + side + i % 2, eyeY + i / 2, kEye);
        for (int i = -1; i < 3; ++i)
            Put(canvas, cx + side + i, eyeY - 3, kHair);
    }
    for (int y = cy + 1; y <= cy + 4; ++y)
        Put(canvas, cx, y, kSkinShade);
    if (beard == 1)
        Paint(canvas, kHair, [&](int x, int y) { return y > cy + 10 && y <= cy + ry + 5 && std::abs(x - cx) <= (cy + ry + 5 - y) / 2; });
    else if (beard == 2)
        Paint(canvas, kHair, [&](int x, int y) { return onHead(x, y) && y >= cy + 6 && std::abs(x - cx) >= 3 - (y - cy - 6); });
    for (int x = cx - mouthWidth / 2; x <= cx + mouthWidth / 2; ++x)
        Put(canvas, x, cy + 9, kMouth);

    if (additional) { // a gold frame and a diamond mark the additional archive's portraits
        Paint(canvas, kGold, [](int x, int y) { return x < 2 || x > 61 || y < 2; });
        Paint(canvas, kGold, [](int x, int y) { return std::abs(x - 8) + std::abs(y - 8) <= 4; });
    }
}

std::uint8_t RandomByte(std::mt19937& random)
{
    return static_cast<std::uint8_t>(random() & 0xFF);
}

void FillRandom(QByteArray& bytes, qint64 from, qint64 to, std::mt19937& random)
{
    for (qint64 i = from; i < to; ++i)
        bytes[i] = static_cast<char>(RandomByte(random));
}

// The additional archive places its records after its index table, with a small gap between
// them, so only the table says where each one lies.
constexpr qint64 kAddRecordsStart = 6400;
constexpr qint64 kAddRecordStride = kRecordBytes + 32;

} // namespace

QByteArray MakeSamplePortraitRecord(std::int32_t face)
{
    Looks looks{std::mt19937(0x5A10u + static_cast<std::uint32_t>(face))};
    const std::array<QRgb, 256> palette = MakePalette(looks);
    Canvas canvas{};
    DrawFace(canvas, looks, face >= kFirstAddFace);
    DrawNumber(canvas, face);

    QByteArray record(kRecordBytes, '\0');
    for (int i = 0; i < kPixelBytes; ++i)
        record[i] = static_cast<char>(canvas[i]);
    for (int p = 0; p < kPaletteEntries; ++p) {
        const int e = kPixelBytes + 4 * p;
        record[e] = static_cast<char>(qBlue(palette[p]));
        record[e + 1] = static_cast<char>(qGreen(palette[p]));
        record[e + 2] = static_cast<char>(qRed(palette[p]));
    }
    return record;
}

int SampleFaceShown(const QImage& picture)
{
    if (picture.size() != QSize(kPortraitWidth, kPortraitHeight))
        return -1;
    const auto isDigit = [&picture](int x, int y) { return picture.pixel(x, y) == kDigitColour; };
    for (int count = 1; count <= 4; ++count) {
        int number = 0;
        bool read = true;
        for (int d = 0; d < count && read; ++d) {
            const int left = DigitLeft(count) + kDigitAdvance * d;
            int value = -1;
            for (int g = 0; g < 10 && value < 0; ++g) {
                bool same = true;
                for (int row = 0; row < 5 && same; ++row)
                    for (int col = 0; col < 3 && same; ++col)
                        same = (kGlyphs[g][row][col] == '#')
                            == isDigit(left + kDigitScale * col, kDigitTop + kDigitScale * row);
                if (same)
                    value = g;
            }
            read = value >= 0;
            number = number * 10 + value;
        }
        if (!read || (count > 1 && QString::number(number).size() != count))
            continue;
        // The whole band must be exactly this number, so a stray match cannot pass.
        Canvas expected{};
        DrawNumber(expected, number);
        bool same = true;
        for (int y = kBandTop; y < kPortraitHeight && same; ++y)
            for (int x = 0; x < kPortraitWidth && same; ++x)
                same = picture.pixel(x, y)
                    == (expected[y * kPortraitWidth + x] == kDigit ? kDigitColour : kBandColour);
        if (same)
            return number;
    }
    return -1;
}

QByteArray MakeSampleMainArchive()
{
    QByteArray archive(kMainRecordsStart + qint64{kRecordBytes} * kMainPortraitCount, '\0');
    std::mt19937 random(0x5A10u);
    FillRandom(archive, 0, kMainRecordsStart, random);
    for (std::int32_t index = 0; index < kMainPortraitCount; ++index)
        archive.replace(kMainRecordsStart + qint64{kRecordBytes} * index, kRecordBytes,
                        MakeSamplePortraitRecord(IndexToFace(index)));
    return archive;
}

QByteArray MakeSampleAddArchive()
{
    QByteArray archive(kAddRecordsStart + kAddRecordStride * kAddPortraitCount, '\0');
    std::mt19937 random(0xADDu);
    FillRandom(archive, 0, archive.size(), random);
    for (std::int32_t k = 0; k < kAddPortraitCount; ++k) {
        const qint64 entry = kAddIndexStart + kAddIndexEntryBytes * k;
        const auto position = static_cast<std::uint32_t>(kAddRecordsStart + kAddRecordStride * k);
        for (int i = 0; i < 4; ++i)
            archive[entry + i] = static_cast<char>(position >> (8 * i));
        archive.replace(position, kRecordBytes, MakeSamplePortraitRecord(kFirstAddFace + k));
    }
    return archive;
}
