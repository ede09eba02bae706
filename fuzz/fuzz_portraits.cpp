// Every face of a fuzzed portrait archive decodes into a complete 64 x 80 picture holding exactly
// the archive's bytes at the record's place, zeros where the archive has none.
//
// Input: 4 bytes (little-endian) give where the rest lies in the archive; everything before it
// is zero (a sparse file, so the far records of the main archive cost nothing). Each face is
// read from this one archive, whichever archive its callers would pass.
//
// Where a record lies is worked out here from the archive rules, apart from the program's code:
// main-archive indices at 37260 + 6144 * index, later ones from the first 4 bytes of their entry
// in the 120-byte table at 316.

#include "fuzz/FuzzCheck.h"

#include "portraits/FaceArchive.h"
#include "portraits/PortraitDecoder.h"

#include <QImage>
#include <QString>
#include <algorithm>
#include <array>
#include <cstring>
#include <cstdint>
#include <optional>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::int64_t kRecord = 6144;
constexpr std::int64_t kFarthest = 9600000; // past the main archive's last record and every entry of face 65535

constexpr std::array<std::int32_t, 53> kGaps{
    130, 133, 146, 148, 253, 451, 478, 490, 531, 533, 534, 537, 540, 571, 573, 574, 575, 576,
    577, 578, 580, 581, 584, 585, 586, 587, 589, 591, 592, 593, 599, 604, 610, 615, 623, 624,
    635, 638, 642, 650, 656, 659, 660, 661, 664, 668, 671, 672, 673, 674, 675, 676, 677,
};

std::int64_t CountedIndex(std::int32_t face)
{
    std::int64_t index = face;
    for (std::int32_t gap : kGaps)
        if (gap < face)
            --index;
    if (face > 1594)
        index -= 406;
    return index;
}

// The same, looked up for the faces a record can hold.
std::int64_t IndexOf(std::int32_t face)
{
    static const std::vector<std::int64_t> indices = [] {
        std::vector<std::int64_t> v(65536);
        for (std::int32_t f = 0; f < 65536; ++f)
            v[static_cast<std::size_t>(f)] = CountedIndex(f);
        return v;
    }();
    return face >= 0 && face < 65536 ? indices[static_cast<std::size_t>(face)] : CountedIndex(face);
}

struct Archive {
    std::int64_t start = 0;            // where the input's bytes begin
    std::vector<std::uint8_t> bytes;   // the input's bytes
    std::int64_t size() const { return start + static_cast<std::int64_t>(bytes.size()); }
    std::uint8_t At(std::int64_t pos) const
    {
        return pos >= start && pos < size() ? bytes[static_cast<std::size_t>(pos - start)] : 0;
    }
};

// The record position of a face, or nothing when its index entry is not all in the archive.
std::optional<std::int64_t> RecordAt(std::int32_t face, const Archive& a)
{
    const std::int64_t index = IndexOf(face);
    if (index <= 1540)
        return 37260 + kRecord * index;
    const std::int64_t entry = 316 + 120 * (index - 1541);
    if (entry < 0 || entry + 4 > a.size())
        return std::nullopt;
    return static_cast<std::int32_t>(a.At(entry) | a.At(entry + 1) << 8 | a.At(entry + 2) << 16
                                     | static_cast<std::uint32_t>(a.At(entry + 3)) << 24);
}

void CheckFace(std::int32_t face, const Archive& a, const FaceArchive& archive)
{
    std::array<std::uint8_t, kRecord> want{};
    if (const std::optional<std::int64_t> at = RecordAt(face, a); at && *at >= 0) {
        // The part of [at, at + kRecord) that holds the input's bytes; the rest stays zero.
        const std::int64_t from = std::max(*at, a.start);
        const std::int64_t to = std::min(*at + kRecord, a.size());
        for (std::int64_t pos = from; pos < to; ++pos)
            want[static_cast<std::size_t>(pos - *at)] = a.At(pos);
    }
    const QImage image = DecodePortrait(face, archive);
    FUZZ_CHECK(image.width() == 64 && image.height() == 80 && image.format() == QImage::Format_Indexed8
                   && image.colorCount() == 256,
               "face %d: %dx%d, format %d, %d colours", face, image.width(), image.height(),
               static_cast<int>(image.format()), static_cast<int>(image.colorCount()));
    for (int y = 0; y < 80; ++y)
        FUZZ_CHECK(std::memcmp(image.constScanLine(y), want.data() + 64 * y, 64) == 0, "face %d row %d", face, y);
    for (int p = 0; p < 256; ++p) {
        const std::size_t e = 5120 + 4 * static_cast<std::size_t>(p);
        FUZZ_CHECK(image.color(p) == qRgb(want[e + 2], want[e + 1], want[e]), "face %d palette entry %d", face, p);
    }
}

// Whether the record of a face touches the input's bytes; elsewhere the archive is all zeros.
bool Touches(std::int32_t face, const Archive& a)
{
    // Main-archive records lie where they lie; only those near the input are worth the look.
    const std::int64_t index = IndexOf(face);
    if (index <= 1540) {
        const std::int64_t at = 37260 + kRecord * index;
        if (at >= a.size() || at + kRecord <= a.start)
            return false;
    }
    const std::optional<std::int64_t> at = RecordAt(face, a);
    return at && *at >= 0 && *at < a.size() && *at + kRecord > a.start;
}

int ArchiveFd()
{
    static const int fd = memfd_create("portrait-archive", 0);
    return fd;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    Archive a;
    a.start = (data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24) % kFarthest;
    a.bytes.assign(data + 4, data + size);

    const int fd = ArchiveFd();
    if (fd < 0 || ftruncate(fd, 0) != 0 || ftruncate(fd, a.size()) != 0
        || pwrite(fd, a.bytes.data(), a.bytes.size(), a.start) != static_cast<ssize_t>(a.bytes.size()))
        std::abort();
    FaceArchive archive;
    if (!archive.Open(QStringLiteral("/proc/self/fd/%1").arg(fd)))
        std::abort();

    for (std::int32_t face : {INT32_MIN, -1, 0, 130, 1593, 1594, 1595, 1999, 2000, 2049, 2050, 65535, INT32_MAX})
        CheckFace(face, a, archive);
    for (std::int32_t face = 0; face <= 65535; ++face)
        if (Touches(face, a))
            CheckFace(face, a, archive);
    return 0;
}
