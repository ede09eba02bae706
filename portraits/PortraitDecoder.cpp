#include "portraits/PortraitDecoder.h"

#include <QList>
#include <array>
#include <cstring>

QImage DecodePortraitRecord(std::span<const char, kRecordBytes> record)
{
    QImage image(kPortraitWidth, kPortraitHeight, QImage::Format_Indexed8);
    QList<QRgb> colours(kPaletteEntries);
    const auto byte = [&record](int i) { return static_cast<unsigned char>(record[i]); };
    for (int p = 0; p < kPaletteEntries; ++p) {
        const int entry = kPixelBytes + 4 * p;
        colours[p] = qRgb(byte(entry + 2), byte(entry + 1), byte(entry));
    }
    image.setColorTable(colours);
    for (int y = 0; y < kPortraitHeight; ++y)
        std::memcpy(image.scanLine(y), record.data() + y * kPortraitWidth, kPortraitWidth);
    return image;
}

QImage DecodePortrait(std::int32_t face, const FaceArchive& archive)
{
    std::array<char, kRecordBytes> record{};
    archive.ReadAt(RecordPosition(face, archive), record);
    return DecodePortraitRecord(record);
}
