#include "editor/OfficerCsv.h"

#include "editor/Choices.h"
#include "editor/Csv.h"
#include "editor/GbkLimit.h"
#include "editor/RecordForm.h"
#include "officers/Roster.h"
#include "officers/Skills.h"
#include "platform/Gbk.h"
#include "platform/StrToInt.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

enum class Kind { Id, Text, Choice, Number, Relation, Skill }; // Id is 编号

struct Column {
    Kind kind;
    int index; // FormText, FormChoice, FormNumber, FormRelation or kSkills position
    const char* label;
};

// The exchange file's columns in the order an export writes them.
const std::vector<Column>& Columns()
{
    static const std::vector<Column> columns = [] {
        std::vector<Column> c = {
            {Kind::Id, 0, "编号"},
            {Kind::Text, FormText::Xing, "姓"},
            {Kind::Text, FormText::Ming, "名"},
            {Kind::Text, FormText::Zi, "字"},
            {Kind::Text, FormText::Yin, "读音"},
            {Kind::Choice, FormChoice::Gender, "性别"},
            {Kind::Number, FormNumber::Face, "头像"},
            {Kind::Number, FormNumber::BornYear, "诞生年"},
            {Kind::Number, FormNumber::EnterYear, "登场年"},
            {Kind::Number, FormNumber::DeadYear, "死亡年"},
            {Kind::Number, FormNumber::Tongshuai, "统率"},
            {Kind::Number, FormNumber::Wuli, "武力"},
            {Kind::Number, FormNumber::Zhili, "智力"},
            {Kind::Number, FormNumber::Zhengzhi, "政治"},
            {Kind::Number, FormNumber::Meili, "魅力"},
            {Kind::Number, FormNumber::Shengwang, "名声"},
            {Kind::Choice, FormChoice::Type, "类型"},
            {Kind::Choice, FormChoice::Desire, "物欲"},
            {Kind::Choice, FormChoice::Belief, "信念"},
            {Kind::Choice, FormChoice::Character, "性格"},
            {Kind::Choice, FormChoice::Drink, "饮酒"},
            {Kind::Choice, FormChoice::Care, "关心"},
            {Kind::Relation, FormRelation::Father, "父亲"},
            {Kind::Relation, FormRelation::Mother, "母亲"},
            {Kind::Relation, FormRelation::Another, "配偶"},
            {Kind::Relation, FormRelation::Xiangxing, "相性"},
            {Kind::Text, FormText::Story, "列传"},
        };
        for (int n = 0; n < kSkillCount; ++n)
            c.push_back({Kind::Skill, n, kSkills[static_cast<std::size_t>(n)].caption.data()}); // a literal, so terminated
        return c;
    }();
    return columns;
}

QString Label(int column)
{
    return QString::fromUtf8(Columns()[static_cast<std::size_t>(column)].label);
}

// The object name of the control behind a column, as a failed commit names it.
QString ControlName(const Column& c)
{
    switch (c.kind) {
    case Kind::Text: return QString::fromLatin1(TextEditName(c.index));
    case Kind::Choice: return QString::fromLatin1(ChoiceBoxName(c.index));
    case Kind::Number: return QString::fromLatin1(NumberEditName(c.index));
    case Kind::Relation: return QString::fromLatin1(RelationBoxName(c.index));
    case Kind::Skill: {
        const std::string_view box = kSkills[static_cast<std::size_t>(c.index)].box;
        return QString::fromLatin1(box.data(), static_cast<qsizetype>(box.size()));
    }
    case Kind::Id: break;
    }
    return {};
}

constexpr int kIdColumn = 0;
constexpr qsizetype kMaxFileBytes = 4 * 1024 * 1024; // a full export is some 60 KB

QString AtCell(int row, int column, const QString& reason)
{
    return QStringLiteral("第 %1 行“%2”列：%3").arg(row).arg(Label(column), reason);
}

QString AtRow(int row, const QString& reason)
{
    return QStringLiteral("第 %1 行：%2").arg(row).arg(reason);
}

std::optional<std::int32_t> ParseInt(const QString& cell)
{
    const QByteArray latin = cell.trimmed().toLatin1();
    if (latin.isEmpty() || QString::fromLatin1(latin) != cell.trimmed())
        return std::nullopt;
    return TryStrToInt(std::string_view(latin.constData(), static_cast<std::size_t>(latin.size())));
}

// 读音: printable ASCII stands for itself, every other byte is escaped.
QString EscapeYin(std::string_view bytes)
{
    static const char hex[] = "0123456789ABCDEF";
    QString out;
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b == '\\') {
            out += QStringLiteral("\\\\");
        } else if (b >= 0x20 && b <= 0x7E) {
            out += QChar(b);
        } else {
            out += QStringLiteral("\\x");
            out += QChar(hex[b >> 4]);
            out += QChar(hex[b & 0xF]);
        }
    }
    return out;
}

int HexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

std::optional<QByteArray> UnescapeYin(const QString& cell, QString& reason)
{
    QByteArray out;
    for (qsizetype i = 0; i < cell.size();) {
        const QChar c = cell[i];
        if (c == u'\\') {
            if (i + 1 < cell.size() && cell[i + 1] == u'\\') {
                out += '\\';
                i += 2;
                continue;
            }
            if (i + 3 < cell.size() && (cell[i + 1] == u'x' || cell[i + 1] == u'X') && HexValue(cell[i + 2]) >= 0
                && HexValue(cell[i + 3]) >= 0) {
                const int b = HexValue(cell[i + 2]) * 16 + HexValue(cell[i + 3]);
                if (b == 0) {
                    reason = QStringLiteral("\\x00 会截断读音");
                    return std::nullopt;
                }
                out += static_cast<char>(b);
                i += 4;
                continue;
            }
            reason = QStringLiteral("“\\”后应是“\\”或“x”加两位十六进制数");
            return std::nullopt;
        }
        if (c == u'\r' || c == u'\n' || c == QChar(u'\0')) {
            reason = QStringLiteral("读音不能换行，也不能有空字符");
            return std::nullopt;
        }
        if (c.unicode() < 0x80) {
            out += static_cast<char>(c.unicode());
            ++i;
            continue;
        }
        // Any other character as the editor would store it when typed: its GBK bytes.
        const qsizetype n = c.isHighSurrogate() && i + 1 < cell.size() ? 2 : 1;
        const std::optional<QByteArray> gbk = StringToGbk(cell.mid(i, n));
        if (!gbk || gbk->contains('\0')) {
            reason = QStringLiteral("“%1”没有 GBK 编码").arg(cell.mid(i, n));
            return std::nullopt;
        }
        out += *gbk;
        i += n;
    }
    return out;
}

QString NormalizeLineBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

QStringList TrimmedEntries(int list)
{
    QStringList entries;
    for (const QString& e : ChoiceEntries(list))
        entries << e.trimmed();
    return entries;
}

// The cells of one slot, in column order.
QStringList ExportRow(const OfficerTable& table, int slot)
{
    const RecordForm form = ShowRecordForm(table, slot);
    QStringList cells;
    for (const Column& c : Columns()) {
        switch (c.kind) {
        case Kind::Id: cells << QString::number(kFirstOfficerNumber + slot); break;
        case Kind::Text:
            cells << (c.index == FormText::Yin ? EscapeYin(FieldText(table.Yin[slot])) : form.texts[c.index]);
            break;
        case Kind::Choice: {
            const int value = (table.*ChoiceField(c.index))[slot];
            const QStringList& entries = ChoiceEntries(c.index);
            cells << (value < entries.size() ? entries[value] : QString::number(value));
            break;
        }
        case Kind::Number: cells << QString::number((table.*NumberField(c.index))[slot]); break;
        case Kind::Relation: {
            const std::uint16_t value = (table.*RelationField(c.index))[slot];
            cells << (value == kNoPerson ? QStringLiteral("无") : QString::number(value));
            break;
        }
        case Kind::Skill:
            cells << (HasSkill(table.Skills[slot], kSkills[static_cast<std::size_t>(c.index)]) ? QStringLiteral("1")
                                                                                              : QString());
            break;
        }
    }
    return cells;
}

// Takes the bytes as text: a byte order mark names the encoding; without one, strict UTF-8,
// then GBK, which a Chinese spreadsheet uses for plain "CSV".
std::optional<QString> DecodeText(const QByteArray& bytes)
{
    auto strictly = [&](QStringDecoder decoder) -> std::optional<QString> {
        if (!decoder.isValid())
            return std::nullopt;
        QString text = decoder.decode(bytes);
        if (decoder.hasError())
            return std::nullopt;
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    };
    if (bytes.startsWith("\xFF\xFE"))
        return strictly(QStringDecoder(QStringConverter::Utf16LE));
    if (bytes.startsWith("\xFE\xFF"))
        return strictly(QStringDecoder(QStringConverter::Utf16BE));
    if (std::optional<QString> text = strictly(QStringDecoder(QStringConverter::Utf8)))
        return text;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return std::nullopt;
    return strictly(QStringDecoder("GBK"));
}

bool Blank(const QStringList& cells)
{
    for (const QString& cell : cells)
        if (!cell.trimmed().isEmpty())
            return false;
    return true;
}

// One row applied to the table through the record editor's commit. The commit cannot keep
// everything the file may hold (a choice byte with no entry, a relation of 860 to 65534, skill
// bits that carry no skill, 读音 bytes that are not GBK), so those fields are settled here
// and put back after it; the commit still checks the numbers and the texts.
class RowImport {
public:
    RowImport(const OfficerCsv& csv, const OfficerCsv::Row& row, OfficerTable& table, int slot)
        : csv_(csv), row_(row), table_(table), slot_(slot), shown_(ShowRecordForm(table, slot)), form_(shown_)
    {
        for (int i = 0; i < FormChoice::Count; ++i)
            choices_[i] = (table.*ChoiceField(i))[slot];
        for (int i = 0; i < FormRelation::Count; ++i)
            relations_[i] = (table.*RelationField(i))[slot];
        skills_ = table.Skills[slot];
    }

    void Run(QStringList& errors)
    {
        const qsizetype before = errors.size();
        for (std::size_t p = 0; p < csv_.columns.size(); ++p) {
            const int column = csv_.columns[p];
            if (column < 0 || column == kIdColumn)
                continue;
            const QString cell = row_.cells.value(static_cast<qsizetype>(p));
            QString reason;
            if (!Read(Columns()[static_cast<std::size_t>(column)], cell, reason))
                errors << AtCell(row_.row, column, reason);
        }
        if (errors.size() > before)
            return; // the commit would only repeat what is already said

        for (int i = 0; i < FormChoice::Count; ++i)
            form_.choices[i] = choices_[i] < ChoiceEntries(i).size() ? choices_[i] : -1;
        for (int i = 0; i < FormRelation::Count; ++i)
            form_.relations[i] = RelationToPosition(relations_[i]);
        form_.skills = skills_;
        if (const auto error = CommitRecordForm(form_, shown_, table_, slot_)) {
            errors << CommitError(*error);
            return;
        }
        for (int i = 0; i < FormChoice::Count; ++i)
            (table_.*ChoiceField(i))[slot_] = choices_[i];
        for (int i = 0; i < FormRelation::Count; ++i)
            (table_.*RelationField(i))[slot_] = relations_[i];
        table_.Skills[slot_] = skills_;
        if (yin_) {
            // As a commit stores a text: the bytes and a terminator; the rest keeps its bytes.
            auto& field = table_.Yin[slot_];
            std::copy(yin_->cbegin(), yin_->cend(), field.begin());
            field[static_cast<std::size_t>(yin_->size())] = '\0';
        }
    }

private:
    bool Read(const Column& c, const QString& cell, QString& reason)
    {
        switch (c.kind) {
        case Kind::Text: return ReadText(c.index, cell, reason);
        case Kind::Choice: return ReadChoice(c.index, cell, reason);
        case Kind::Number:
            if (cell.trimmed().isEmpty()) {
                reason = QStringLiteral("不能为空");
                return false;
            }
            form_.numbers[c.index] = cell; // the commit reads and checks it
            return true;
        case Kind::Relation: return ReadRelation(c.index, cell, reason);
        case Kind::Skill: return ReadSkill(kSkills[static_cast<std::size_t>(c.index)], cell, reason);
        case Kind::Id: break;
        }
        return true;
    }

    bool ReadText(int text, const QString& cell, QString& reason)
    {
        if (text == FormText::Yin)
            return ReadYin(cell, reason);
        const QString value = text == FormText::Story ? NormalizeLineBreaks(cell) : cell;
        if (value == shown_.texts[text])
            return true; // unchanged: the stored bytes stay, whatever they are
        if (text != FormText::Story && (value.contains(u'\n') || value.contains(u'\r'))) {
            reason = QStringLiteral("不能换行");
            return false;
        }
        const int bytes = GbkByteLength(value);
        if (bytes > TextByteLimit(text)) {
            reason = QStringLiteral("有 %1 字节，最多 %2 字节（汉字和换行各算 2 字节）").arg(bytes).arg(TextByteLimit(text));
            return false;
        }
        form_.texts[text] = value; // the commit refuses characters it cannot store
        return true;
    }

    bool ReadYin(const QString& cell, QString& reason)
    {
        const std::optional<QByteArray> bytes = UnescapeYin(cell, reason);
        if (!bytes)
            return false;
        const std::string_view stored = FieldText(table_.Yin[slot_]);
        if (std::string_view(bytes->constData(), static_cast<std::size_t>(bytes->size())) == stored)
            return true;
        if (bytes->size() > TextByteLimit(FormText::Yin)) {
            reason = QStringLiteral("有 %1 字节，最多 %2 字节").arg(bytes->size()).arg(TextByteLimit(FormText::Yin));
            return false;
        }
        yin_ = *bytes;
        return true;
    }

    bool ReadChoice(int list, const QString& cell, QString& reason)
    {
        const QStringList entries = TrimmedEntries(list);
        const qsizetype entry = entries.indexOf(cell.trimmed());
        if (entry >= 0) {
            choices_[list] = static_cast<std::uint8_t>(entry);
            return true;
        }
        // A number is what an export writes for a byte with no entry; 255 is no choice at all.
        const std::optional<std::int32_t> value = ParseInt(cell);
        if (value && (*value == 255 || *value == choices_[list])) {
            choices_[list] = static_cast<std::uint8_t>(*value);
            return true;
        }
        reason = QStringLiteral("“%1”不是可选的一项（%2）").arg(cell, entries.join(QStringLiteral("、")));
        return false;
    }

    bool ReadRelation(int relation, const QString& cell, QString& reason)
    {
        if (cell.trimmed() == QStringLiteral("无")) {
            relations_[relation] = kNoPerson;
            return true;
        }
        // Roster numbers are 0..859; any other value is taken only where it is stored already.
        const std::optional<std::int32_t> value = ParseInt(cell);
        if (value && ((*value >= 0 && *value < kRosterNone) || *value == kNoPerson || *value == relations_[relation])) {
            relations_[relation] = static_cast<std::uint16_t>(*value);
            return true;
        }
        reason = QStringLiteral("“%1”不是人物编号（0 到 %2，或“无”）").arg(cell, QString::number(kRosterNone - 1));
        return false;
    }

    bool ReadSkill(const SkillInfo& skill, const QString& cell, QString& reason)
    {
        const QString value = cell.trimmed();
        if (value == QStringLiteral("1")) {
            skills_[skill.byte] |= skill.mask;
            return true;
        }
        if (value.isEmpty() || value == QStringLiteral("0")) {
            skills_[skill.byte] &= static_cast<std::uint8_t>(~skill.mask);
            return true;
        }
        reason = QStringLiteral("“%1”应为 1（有此技能）或空白").arg(cell);
        return false;
    }

    // A failed commit names the control at fault, and so the column.
    QString CommitError(const FormError& error) const
    {
        for (std::size_t k = 0; k < Columns().size(); ++k) {
            if (ControlName(Columns()[k]) != error.control)
                continue;
            // The cell's place names the field already.
            QString message = error.message;
            const QString label = QString::fromUtf8(Columns()[k].label) + QStringLiteral("：");
            if (message.startsWith(label))
                message.remove(0, label.size());
            return AtCell(row_.row, static_cast<int>(k), message);
        }
        return AtRow(row_.row, error.message);
    }

    const OfficerCsv& csv_;
    const OfficerCsv::Row& row_;
    OfficerTable& table_;
    const int slot_;
    const RecordForm shown_;
    RecordForm form_;
    std::array<std::uint8_t, FormChoice::Count> choices_{};
    std::array<std::uint16_t, FormRelation::Count> relations_{};
    std::array<std::uint8_t, kSkillBytes> skills_{};
    std::optional<QByteArray> yin_;
};

} // namespace

QStringList OfficerCsvLabels()
{
    QStringList labels;
    for (int k = 0; k < static_cast<int>(Columns().size()); ++k)
        labels << Label(k);
    return labels;
}

QByteArray ExportOfficerCsv(const OfficerTable& table, const std::vector<int>& officers)
{
    QString text = WriteCsvRecord(OfficerCsvLabels());
    for (const int slot : officers)
        text += WriteCsvRecord(ExportRow(table, slot));
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

OfficerCsvRead ParseOfficerCsv(const QByteArray& bytes)
{
    OfficerCsvRead result;
    const std::optional<QString> text = DecodeText(bytes);
    if (!text) {
        result.errors << QStringLiteral("文件不是 UTF-8 或 GBK 编码的文本。");
        return result;
    }
    const CsvParse parse = ReadCsv(*text, GuessCsvSeparator(*text));
    if (parse.error) {
        result.errors << *parse.error;
        return result;
    }
    if (parse.records.empty()) {
        result.errors << QStringLiteral("文件是空的，没有标题行。");
        return result;
    }

    const QStringList labels = OfficerCsvLabels();
    const QStringList& header = parse.records.front().cells;
    for (qsizetype k = 0; k < header.size(); ++k) {
        const QString label = header[k].trimmed();
        const int column = label.isEmpty() ? -1 : static_cast<int>(labels.indexOf(label));
        if (!label.isEmpty() && column < 0)
            result.errors << AtRow(1, QStringLiteral("不认识的列“%1”。").arg(label));
        else if (column >= 0 && std::find(result.csv.columns.begin(), result.csv.columns.end(), column)
                                    != result.csv.columns.end())
            result.errors << AtRow(1, QStringLiteral("“%1”列出现了不止一次。").arg(label));
        result.csv.columns.push_back(column);
    }

    if (!result.errors.isEmpty())
        return result; // the rows' cells mean nothing under a header that is not understood
    for (std::size_t r = 1; r < parse.records.size(); ++r) {
        const QStringList& cells = parse.records[r].cells;
        if (Blank(cells))
            continue;
        const int row = static_cast<int>(r) + 1;
        for (qsizetype k = 0; k < cells.size(); ++k) {
            if (cells[k].trimmed().isEmpty() || (k < header.size() && result.csv.columns[k] >= 0))
                continue;
            result.errors << AtRow(row, k < header.size() ? QStringLiteral("第 %1 格所在的列没有列名。").arg(k + 1)
                                                          : QStringLiteral("格子比标题行多。"));
            break;
        }
        result.csv.rows.push_back({row, cells});
    }
    return result;
}

OfficerCsvRead ReadOfficerCsvFile(const QString& path)
{
    OfficerCsvRead result;
    std::error_code ec;
    const std::filesystem::path where(QFile::encodeName(path).toStdString());
    const std::filesystem::file_status status = std::filesystem::status(where, ec);
    if (ec || !std::filesystem::exists(status)) {
        result.errors << QStringLiteral("找不到文件“%1”。").arg(path);
        return result;
    }
    if (!std::filesystem::is_regular_file(status)) {
        result.errors << QStringLiteral("“%1”不是普通文件，无法导入。").arg(path);
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.errors << QStringLiteral("无法打开文件“%1”：%2").arg(path, file.errorString());
        return result;
    }
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        result.errors << QStringLiteral("无法读取文件“%1”：%2").arg(path, file.errorString());
        return result;
    }
    if (bytes.size() > kMaxFileBytes) {
        result.errors << QStringLiteral("文件“%1”超过 %2 MB，不是武将表格。").arg(path, QString::number(kMaxFileBytes / (1024 * 1024)));
        return result;
    }
    return ParseOfficerCsv(bytes);
}

std::optional<QString> WriteOfficerCsvFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        const QString reason = out.errorString();
        out.cancelWriting();
        return QStringLiteral("无法写入文件“%1”：%2。").arg(path, reason);
    }
    return std::nullopt;
}

std::optional<int> RowSlot(const OfficerCsv& csv, const OfficerCsv::Row& row)
{
    const auto at = std::find(csv.columns.begin(), csv.columns.end(), kIdColumn);
    if (at == csv.columns.end())
        return std::nullopt;
    const std::optional<std::int32_t> number = ParseInt(row.cells.value(at - csv.columns.begin()));
    if (!number || *number < kFirstOfficerNumber || *number >= kFirstOfficerNumber + kSlotCount)
        return std::nullopt;
    return *number - kFirstOfficerNumber;
}

OfficerCsvImport ImportOfficerCsv(const OfficerCsv& csv, const OfficerTable& table, std::optional<int> intoSlot)
{
    OfficerCsvImport result;
    if (csv.rows.empty()) {
        result.errors << QStringLiteral("文件里没有武将。");
        return result;
    }
    if (intoSlot && (*intoSlot < 0 || *intoSlot >= kSlotCount || csv.rows.size() != 1)) {
        result.errors << QStringLiteral("文件里有 %1 名武将；导入到选中的武将时文件里只能有一名。").arg(csv.rows.size());
        return result;
    }
    const bool numbered = std::find(csv.columns.begin(), csv.columns.end(), kIdColumn) != csv.columns.end();
    if (!intoSlot && !numbered) {
        result.errors << AtRow(1, QStringLiteral("缺少“编号”列，不知道每行是哪一名武将。"));
        return result;
    }

    auto scratch = std::make_unique<OfficerTable>(table);
    std::array<int, kSlotCount> rowOfSlot{};
    for (const OfficerCsv::Row& row : csv.rows) {
        std::optional<int> slot = intoSlot ? intoSlot : RowSlot(csv, row);
        if (!slot) {
            result.errors << AtCell(row.row, kIdColumn,
                                    QStringLiteral("应为 %1 到 %2 的武将编号")
                                        .arg(kFirstOfficerNumber)
                                        .arg(kFirstOfficerNumber + kSlotCount - 1));
            continue;
        }
        int& seen = rowOfSlot[static_cast<std::size_t>(*slot)];
        if (seen != 0) {
            result.errors << AtCell(row.row, kIdColumn, QStringLiteral("与第 %1 行是同一名武将").arg(seen));
            continue;
        }
        seen = row.row;
        RowImport(csv, row, *scratch, *slot).Run(result.errors);
        result.officers.push_back(*slot);
    }
    if (result.errors.isEmpty())
        result.table = std::move(scratch);
    else
        result.officers.clear();
    return result;
}
