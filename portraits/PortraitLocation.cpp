#include "portraits/PortraitLocation.h"

#include "portraits/FaceNumbering.h"

#include <array>

std::int32_t ReadFaceOffset(std::int32_t index, const FaceArchive& archive)
{
    const qint64 entry = kAddIndexStart + kAddIndexEntryBytes * (qint64{index} - kFirstAddIndex);
    std::array<char, 4> bytes{};
    if (archive.ReadAt(entry, bytes) != static_cast<qint64>(bytes.size()))
        return -1; // a missing entry names no record, rather than one at a half-read position
    const auto byte = [&bytes](int i) { return std::uint32_t{static_cast<unsigned char>(bytes[i])}; };
    return static_cast<std::int32_t>(byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24);
}

qint64 RecordPosition(std::int32_t face, const FaceArchive& archive)
{
    const std::int32_t index = FaceToIndex(face);
    if (index <= kLastMainIndex)
        return kMainRecordsStart + qint64{kRecordBytes} * index;
    return ReadFaceOffset(index, archive);
}
