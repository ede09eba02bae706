#include "OfficerFile.h"

#include "RecordLayout.h"
#include "codeconv/Jislib.h"

#include "SafeFile.h"

#include <QFileInfo>
#include <algorithm>
#include <array>
#include <memory>
#include <type_traits>

namespace {

std::uint16_t ReadU16(const char* p)
{
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

void WriteU16(char* p, std::uint16_t v)
{
    p[0] = static_cast<char>(v & 0xFF);
    p[1] = static_cast<char>(v >> 8);
}

using WordField = PerSlot<std::uint16_t> OfficerTable::*;
using ByteField = PerSlot<std::uint8_t> OfficerTable::*;

// The 16-bit and one-byte fields of the table, by their place in the record; null for others.
WordField Word(Field f)
{
    switch (f) {
    case Field::Face: return &OfficerTable::Face;
    case Field::Father: return &OfficerTable::Father;
    case Field::Mother: return &OfficerTable::Mother;
    case Field::Another: return &OfficerTable::Another;
    case Field::BornYear: return &OfficerTable::BornYear;
    case Field::EnterYear: return &OfficerTable::EnterYear;
    case Field::DeadYear: return &OfficerTable::DeadYear;
    case Field::Shengwang: return &OfficerTable::Shengwang;
    case Field::Tongshuai: return &OfficerTable::Tongshuai;
    case Field::Wuli: return &OfficerTable::Wuli;
    case Field::Zhili: return &OfficerTable::Zhili;
    case Field::Zhengzhi: return &OfficerTable::Zhengzhi;
    case Field::Meili: return &OfficerTable::Meili;
    case Field::Xiangxing: return &OfficerTable::Xiangxing;
    default: return nullptr;
    }
}

ByteField Byte(Field f)
{
    switch (f) {
    case Field::Gender: return &OfficerTable::Gender;
    case Field::Character: return &OfficerTable::Character;
    case Field::Drink: return &OfficerTable::Drink;
    case Field::Care: return &OfficerTable::Care;
    case Field::Desire: return &OfficerTable::Desire;
    case Field::Belief: return &OfficerTable::Belief;
    case Field::Type: return &OfficerTable::Type;
    default: return nullptr;
    }
}

// The raw bytes of a text field (or the skill bytes) of one slot, as const as the table.
template <typename Table>
auto Bytes(Table& t, Field f, int slot)
{
    using Char = std::conditional_t<std::is_const_v<Table>, const char, char>;
    using Result = std::pair<Char*, int>;
    switch (f) {
    case Field::Xing: return Result{t.Xing[slot].data(), kXingWidth};
    case Field::Ming: return Result{t.Ming[slot].data(), kMingWidth};
    case Field::Zi: return Result{t.Zi[slot].data(), kZiWidth};
    case Field::Yin: return Result{t.Yin[slot].data(), kYinWidth};
    case Field::Story: return Result{t.Story[slot].data(), kStoryWidth};
    case Field::Skills: return Result{reinterpret_cast<Char*>(t.Skills[slot].data()), kSkillBytes};
    default: return Result{nullptr, 0};
    }
}

bool IsConvertedText(Field f)
{
    return f == Field::Xing || f == Field::Ming || f == Field::Zi || f == Field::Story;
}

// The length of a text in a field: up to its terminator, at most width - 1 bytes.
int TextLength(const char* field, int width)
{
    int n = 0;
    while (n < width - 1 && field[n] != '\0')
        ++n;
    return n;
}

// A field without a terminator is taken as its first width - 1 bytes, cut so that no
// two-byte character is split.
void TerminateAtBoundary(char* field, int width)
{
    if (TextLength(field, width) < width - 1 || field[width - 1] == '\0')
        return;
    int keep = 0;
    while (true) {
        const int step = static_cast<unsigned char>(field[keep]) >= 0x80 ? 2 : 1;
        if (keep + step > width - 1)
            break;
        keep += step;
    }
    std::fill(field + keep, field + width, '\0');
}

// Reads a converted text field of the file into `out` (width bytes) as the editor holds it:
// cut at a character boundary when it has no terminator, then converted to GBK. Returns the
// text's length.
int ReadConvertedText(const char* at, int width, char* out)
{
    std::copy(at, at + width, out);
    TerminateAtBoundary(out, width);
    const int length = TextLength(out, width);
    FromJis(out, static_cast<std::size_t>(length));
    return length;
}

} // namespace

void UnpackOfficerRecords(const QByteArray& file, OfficerTable& table)
{
    if (file.size() < kOfficerFileSize)
        return;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const char* record = file.constData() + kHeaderSize + slot * kRecordSize;
        for (const FieldSpan& span : kRecordLayout) {
            const char* at = record + span.offset;
            if (const WordField w = Word(span.field)) {
                (table.*w)[slot] = ReadU16(at);
            } else if (const ByteField b = Byte(span.field)) {
                (table.*b)[slot] = static_cast<std::uint8_t>(*at);
            } else if (auto [bytes, width] = Bytes(table, span.field, slot); bytes) {
                if (IsConvertedText(span.field))
                    ReadConvertedText(at, width, bytes);
                else
                    std::copy(at, at + width, bytes);
            }
            // Registered is never read.
        }
    }
}

void PatchOfficerRecords(QByteArray& file, const OfficerTable& table)
{
    if (file.size() < kOfficerFileSize)
        return;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        char* record = file.data() + kHeaderSize + slot * kRecordSize;
        for (const FieldSpan& span : kRecordLayout) {
            char* at = record + span.offset;
            if (span.field == Field::Registered) {
                if (table.Type[slot] != kNoType)
                    *at = 1;
            } else if (const WordField w = Word(span.field)) {
                WriteU16(at, (table.*w)[slot]);
            } else if (const ByteField b = Byte(span.field)) {
                *at = static_cast<char>((table.*b)[slot]);
            } else if (auto [bytes, width] = Bytes(table, span.field, slot); bytes) {
                if (IsConvertedText(span.field)) {
                    const int length = TextLength(bytes, width);
                    // A text the editor shows as the file holds it keeps every byte of its field:
                    // converting back could pick another variant of a kanji or lose one that
                    // came in as "? ", and the bytes after the terminator are the game's.
                    std::array<char, kStoryWidth> onDisk{};
                    if (ReadConvertedText(at, width, onDisk.data()) == length
                        && std::equal(bytes, bytes + length, onDisk.data()))
                        continue;
                    // A changed text at full width: converted, then zeros to the end of the field.
                    std::fill(at, at + width, '\0');
                    std::copy(bytes, bytes + length, at);
                    ToJis(at, static_cast<std::size_t>(length));
                } else {
                    std::copy(bytes, bytes + width, at); // Yin and Skills, byte for byte
                }
            }
        }
    }
}

namespace {

// The bytes of a converted text field of a slot in a whole file, or null.
const char* FieldBytes(const QByteArray& file, int slot, Field field, int& width)
{
    if (file.size() < kOfficerFileSize || slot < 0 || slot >= kSlotCount || !IsConvertedText(field))
        return nullptr;
    for (const FieldSpan& span : kRecordLayout) {
        if (span.field == field) {
            width = span.size;
            return file.constData() + kHeaderSize + slot * kRecordSize + span.offset;
        }
    }
    return nullptr;
}

} // namespace

QByteArray FileText(const QByteArray& file, int slot, Field field)
{
    int width = 0;
    const char* at = FieldBytes(file, slot, field, width);
    if (!at)
        return {};
    std::array<char, kStoryWidth> text{};
    const int length = ReadConvertedText(at, width, text.data());
    return QByteArray(text.data(), length);
}

int UnshownCharacters(const QByteArray& file, int slot, Field field)
{
    int width = 0;
    const char* at = FieldBytes(file, slot, field, width);
    if (!at)
        return 0;
    std::array<char, kStoryWidth> text{};
    std::copy(at, at + width, text.data());
    TerminateAtBoundary(text.data(), width);
    return CountUnshownJis(std::string_view(text.data(), static_cast<std::size_t>(TextLength(text.data(), width))));
}

namespace {

QString TooShort(const QString& path, qsizetype size)
{
    return QStringLiteral("文件“%1”只有 %2 字节，不足 %3 字节，不是完整的新武将登陆文件。")
        .arg(path)
        .arg(size)
        .arg(kOfficerFileSize);
}

OfficerFileSave Failed(const QString& message)
{
    return {message, false, {}};
}

} // namespace

std::optional<QString> ReadOfficerFile(const QString& path, OfficerTable& table, QByteArray* loaded)
{
    FileContents file;
    if (const std::optional<FileFailure> failure = ReadRegularFile(path, file))
        return QStringLiteral("无法打开文件“%1”：%2").arg(path, failure->reason);
    if (file.bytes.size() < kOfficerFileSize)
        return TooShort(path, file.bytes.size());
    auto read = std::make_unique<OfficerTable>();
    UnpackOfficerRecords(file.bytes, *read);
    table = *read;
    if (loaded)
        *loaded = std::move(file.bytes);
    return std::nullopt;
}

std::optional<QString> WriteOfficerFile(const QString& path, const OfficerTable& table)
{
    return WriteOfficerFileIfUnchanged(path, table, std::nullopt).error;
}

OfficerFileSave WriteOfficerFileIfUnchanged(const QString& path, const OfficerTable& table,
                                            const std::optional<QByteArray>& expected)
{
    // Through a link the file it points to is replaced, so the link stays; the backup stays
    // beside the name the player chose.
    const QString canonical = QFileInfo(path).canonicalFilePath();
    const QString target = canonical.isEmpty() ? path : canonical;
    const QString backup = path + QStringLiteral(".bak");

    // Patch the file as it is on disk now, so that bytes the editor does not own stay current.
    // Nothing is touched before the file has been read whole and found sound.
    FileContents current;
    if (const std::optional<FileFailure> failure = ReadRegularFile(target, current))
        return Failed(QStringLiteral("无法保存文件“%1”：%2文件未保存。").arg(path, failure->reason));
    if (current.bytes.size() < kOfficerFileSize) {
        if (expected && expected->size() >= kOfficerFileSize)
            return Failed(QStringLiteral("文件“%1”在打开之后被其他程序截短了，现在只有 %2 字节。"
                                         "请关闭正在写它的程序（例如游戏）后再保存。文件和备份“%3”都未改动。")
                              .arg(path)
                              .arg(current.bytes.size())
                              .arg(backup));
        return Failed(TooShort(path, current.bytes.size()) + QStringLiteral("文件未保存。"));
    }
    if (expected && current.bytes != *expected)
        return {std::nullopt, true, {}};

    QByteArray patched = current.bytes;
    PatchOfficerRecords(patched, table);

    // The backup is the very bytes just checked, with the file's own permissions.
    if (const std::optional<FileFailure> failure =
            ReplaceFile(backup, current.bytes, current.mode, current.owner, current.group))
        return Failed(QStringLiteral("无法写入备份“%1”：%2文件“%3”未改动。").arg(backup, failure->reason, path));
    if (const std::optional<FileFailure> failure =
            ReplaceFile(target, patched, current.mode, current.owner, current.group))
        return Failed(QStringLiteral("无法保存文件“%1”：%2文件未改动，备份“%3”是它的完整副本。")
                          .arg(path, failure->reason, backup));
    return {std::nullopt, false, std::move(patched)};
}
