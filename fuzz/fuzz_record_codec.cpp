// Unpacking an officer file into the table and patching the table back into the file.
//
// Input: one flag byte, then a pattern that is repeated to fill the file (and, in the second
// mode, the table), so that a few records of seed make a whole file.
//   flag bit 7: the pattern itself is the file, whatever its length; a short one must not change
//   flag bit 6: patch the file with a table of arbitrary bytes instead of the unpacked one
//   flag bits 0-3: bytes after the last record
//
// The offsets below are written out by hand from the record layout, apart from the program's
// own layout table, so that a wrong entry there shows up here.

#include "fuzz/FuzzCheck.h"

#include "codeconv/Jislib.h"
#include "officers/OfficerFile.h"

#include <QByteArray>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

constexpr int kFile = 4 + 110 * 260;
int At(int slot, int offset) { return 4 + 260 * slot + offset; }

enum class Byte { Unowned, Kept, Text, Registered };

// What the codec does with each byte of a record.
Byte RoleOf(int offset)
{
    struct Range { int from, to; Byte role; };
    static constexpr Range ranges[] = {
        {0, 8, Byte::Kept},     // Face, Father, Mother, Another
        {14, 32, Byte::Kept},   // BornYear .. Meili
        {35, 40, Byte::Kept},   // Gender .. Desire
        {47, 53, Byte::Kept},   // Skills
        {62, 63, Byte::Registered},
        {64, 66, Byte::Kept},   // Xiangxing
        {70, 72, Byte::Kept},   // Belief, Type
        {81, 96, Byte::Text},   // Xing, Ming, Zi
        {96, 107, Byte::Kept},  // Yin, never converted
        {107, 260, Byte::Text}, // Story
    };
    for (const Range& r : ranges)
        if (offset >= r.from && offset < r.to)
            return r.role;
    return Byte::Unowned;
}

Byte Role(int offset)
{
    static const auto roles = [] {
        std::array<Byte, 260> r{};
        for (int i = 0; i < 260; ++i)
            r[static_cast<std::size_t>(i)] = RoleOf(i);
        return r;
    }();
    return roles[static_cast<std::size_t>(offset)];
}

QByteArray Tiled(const std::uint8_t* pattern, std::size_t length, std::size_t from, std::size_t size)
{
    QByteArray bytes(static_cast<qsizetype>(size), '\0');
    if (length > 0)
        for (std::size_t i = 0; i < size; ++i)
            bytes[static_cast<qsizetype>(i)] = static_cast<char>(pattern[(from + i) % length]);
    return bytes;
}

std::uint16_t U16(const QByteArray& file, int at)
{
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(file[at])
                                      | static_cast<std::uint8_t>(file[at + 1]) << 8);
}

// A short file is neither read nor written.
void CheckShortFile(const QByteArray& file)
{
    auto table = std::make_unique<OfficerTable>();
    table->Wuli.fill(0x5A5A);
    table->Story[7].fill('S');
    const OfficerTable before = *table;
    UnpackOfficerRecords(file, *table);
    FUZZ_CHECK(std::memcmp(table.get(), &before, sizeof before) == 0, "a %lld-byte file changed the table",
               static_cast<long long>(file.size()));
    QByteArray patched = file;
    PatchOfficerRecords(patched, *table);
    FUZZ_CHECK(patched == file, "a %lld-byte file was written", static_cast<long long>(file.size()));
}

// Unpack, then patch the same bytes with the unpacked table.
void CheckRoundTrip(const QByteArray& file)
{
    auto table = std::make_unique<OfficerTable>();
    UnpackOfficerRecords(file, *table);
    QByteArray patched = file;
    PatchOfficerRecords(patched, *table);
    FUZZ_CHECK(patched.size() == file.size(), "size changed");
    for (int i = 0; i < 4; ++i)
        FUZZ_CHECK(patched[i] == file[i], "header byte %d changed", i);
    for (qsizetype i = kFile; i < file.size(); ++i)
        FUZZ_CHECK(patched[i] == file[i], "byte %lld after the records changed", static_cast<long long>(i));
    for (int slot = 0; slot < 110; ++slot) {
        const bool typed = static_cast<std::uint8_t>(file[At(slot, 71)]) != 255;
        for (int offset = 0; offset < 260; ++offset) {
            const char was = file[At(slot, offset)];
            const char now = patched[At(slot, offset)];
            switch (Role(offset)) {
            case Byte::Unowned:
            case Byte::Kept:
                FUZZ_CHECK(now == was, "slot %d byte %d: %02x became %02x", slot, offset, uint8_t(was), uint8_t(now));
                break;
            case Byte::Registered:
                FUZZ_CHECK(now == (typed ? 1 : was), "slot %d byte 62: %02x became %02x (typed %d)", slot,
                           uint8_t(was), uint8_t(now), typed);
                break;
            case Byte::Text:
                // A text nobody edited keeps every byte of its field, whatever the field holds.
                FUZZ_CHECK(now == was, "slot %d text byte %d: %02x became %02x", slot, offset, uint8_t(was),
                           uint8_t(now));
                break;
            }
        }
    }
}

// Patch with any table at all: texts without terminators, values of every kind.
void CheckAnyTable(const QByteArray& file, const QByteArray& tableBytes)
{
    auto table = std::make_unique<OfficerTable>();
    std::memcpy(table.get(), tableBytes.constData(), sizeof(OfficerTable));
    QByteArray patched = file;
    PatchOfficerRecords(patched, *table);
    FUZZ_CHECK(patched.size() == file.size(), "size changed");
    for (int i = 0; i < 4; ++i)
        FUZZ_CHECK(patched[i] == file[i], "header byte %d changed", i);
    for (qsizetype i = kFile; i < file.size(); ++i)
        FUZZ_CHECK(patched[i] == file[i], "byte %lld after the records changed", static_cast<long long>(i));

    using Word = std::uint16_t;
    const OfficerTable& t = *table;
    for (int slot = 0; slot < 110; ++slot) {
        for (int offset = 0; offset < 260; ++offset)
            if (Role(offset) == Byte::Unowned)
                FUZZ_CHECK(patched[At(slot, offset)] == file[At(slot, offset)], "slot %d unowned byte %d changed",
                           slot, offset);
        const struct { int offset; Word value; } words[] = {
            {0, t.Face[slot]},       {2, t.Father[slot]},    {4, t.Mother[slot]},    {6, t.Another[slot]},
            {14, t.BornYear[slot]},  {16, t.EnterYear[slot]}, {18, t.DeadYear[slot]}, {20, t.Shengwang[slot]},
            {22, t.Tongshuai[slot]}, {24, t.Wuli[slot]},     {26, t.Zhili[slot]},    {28, t.Zhengzhi[slot]},
            {30, t.Meili[slot]},     {64, t.Xiangxing[slot]},
        };
        for (const auto& w : words)
            FUZZ_CHECK(U16(patched, At(slot, w.offset)) == w.value, "slot %d word at %d", slot, w.offset);
        const struct { int offset; std::uint8_t value; } bytes[] = {
            {35, t.Gender[slot]}, {36, t.Character[slot]}, {37, t.Drink[slot]}, {38, t.Care[slot]},
            {39, t.Desire[slot]}, {70, t.Belief[slot]},    {71, t.Type[slot]},
        };
        for (const auto& b : bytes)
            FUZZ_CHECK(static_cast<std::uint8_t>(patched[At(slot, b.offset)]) == b.value, "slot %d byte at %d", slot,
                       b.offset);
        for (int i = 0; i < 6; ++i)
            FUZZ_CHECK(static_cast<std::uint8_t>(patched[At(slot, 47 + i)]) == t.Skills[slot][i], "slot %d skill %d",
                       slot, i);
        FUZZ_CHECK(std::memcmp(patched.constData() + At(slot, 96), t.Yin[slot].data(), 11) == 0, "slot %d Yin", slot);
        const char registered = t.Type[slot] != 255 ? 1 : file[At(slot, 62)];
        FUZZ_CHECK(patched[At(slot, 62)] == registered, "slot %d byte 62", slot);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (!LoadCodeTable())
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::uint8_t flags = data[0];
    const std::uint8_t* pattern = data + 1;
    const std::size_t length = size - 1;
    if (flags & 0x80) {
        const QByteArray file(reinterpret_cast<const char*>(pattern), static_cast<qsizetype>(length));
        if (file.size() < kFile)
            CheckShortFile(file);
        else
            CheckRoundTrip(file);
        return 0;
    }
    const std::size_t fileSize = kFile + (flags & 0x0F);
    const QByteArray file = Tiled(pattern, length, 0, fileSize);
    if (flags & 0x40)
        CheckAnyTable(file, Tiled(pattern, length, fileSize, sizeof(OfficerTable)));
    else
        CheckRoundTrip(file);
    return 0;
}
