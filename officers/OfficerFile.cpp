#include "OfficerFile.h"

#include "RecordLayout.h"
#include "codeconv/Jislib.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>
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

std::optional<QByteArray> ReadWholeFile(const QString& path, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("无法打开文件“%1”：%2").arg(path, file.errorString());
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("无法读取文件“%1”：%2").arg(path, file.errorString());
        return std::nullopt;
    }
    if (bytes.size() < kOfficerFileSize) {
        error = QStringLiteral("文件“%1”只有 %2 字节，不足 %3 字节，不是完整的新武将登陆文件。")
                    .arg(path)
                    .arg(bytes.size())
                    .arg(kOfficerFileSize);
        return std::nullopt;
    }
    return bytes;
}

} // namespace

std::optional<QString> ReadOfficerFile(const QString& path, OfficerTable& table, QByteArray* fileBytes)
{
    QString error;
    const std::optional<QByteArray> bytes = ReadWholeFile(path, error);
    if (!bytes)
        return error;
    auto loaded = std::make_unique<OfficerTable>();
    UnpackOfficerRecords(*bytes, *loaded);
    table = *loaded;
    if (fileBytes)
        *fileBytes = *bytes;
    return std::nullopt;
}

std::optional<QString> WriteOfficerFile(const QString& path, const OfficerTable& table, QByteArray* written)
{
    // The backup comes first; without it nothing is written.
    const QString backup = path + QStringLiteral(".bak");
    std::error_code ec;
    std::filesystem::copy_file(QFile::encodeName(path).toStdString(), QFile::encodeName(backup).toStdString(),
                               std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) {
        return QStringLiteral("无法备份文件“%1”到“%2”：%3。文件未保存。")
            .arg(path, backup, QString::fromLocal8Bit(ec.message()));
    }

    // Patch the file as it is on disk now, so that bytes the editor does not own stay current.
    QString error;
    std::optional<QByteArray> bytes = ReadWholeFile(path, error);
    if (!bytes)
        return error + QStringLiteral("文件未保存。");
    PatchOfficerRecords(*bytes, table);

    QSaveFile out(path);
    const QFileDevice::Permissions permissions = QFileInfo(path).permissions();
    if (!out.open(QIODevice::WriteOnly) || out.write(*bytes) != bytes->size()
        || !out.setPermissions(permissions) || !out.commit()) {
        const QString reason = out.errorString();
        out.cancelWriting();
        return QStringLiteral("无法保存文件“%1”：%2。文件未改动。").arg(path, reason);
    }
    if (written)
        *written = *bytes;
    return std::nullopt;
}
