#include "editor/RecordForm.h"

#include "editor/GbkLimit.h"
#include "codeconv/Jislib.h"
#include "officers/OfficerFile.h"
#include "officers/Roster.h"
#include "officers/Skills.h"
#include "platform/Errors.h"
#include "platform/Gbk.h"
#include "platform/StrToInt.h"

#include <QByteArray>
#include <stdexcept>
#include <string_view>

namespace {

using ByteFields = PerSlot<std::uint8_t> OfficerTable::*;
using WordFields = PerSlot<std::uint16_t> OfficerTable::*;

constexpr std::array<ByteFields, FormChoice::Count> kChoiceFields = {
    &OfficerTable::Type, &OfficerTable::Belief, &OfficerTable::Character, &OfficerTable::Drink,
    &OfficerTable::Care, &OfficerTable::Desire, &OfficerTable::Gender,
};

constexpr std::array<WordFields, FormNumber::Count> kNumberFields = {
    &OfficerTable::Tongshuai, &OfficerTable::Wuli, &OfficerTable::Zhili, &OfficerTable::Zhengzhi,
    &OfficerTable::Meili, &OfficerTable::Shengwang, &OfficerTable::Face, &OfficerTable::BornYear,
    &OfficerTable::EnterYear, &OfficerTable::DeadYear,
};

constexpr std::array<WordFields, FormRelation::Count> kRelationFields = {
    &OfficerTable::Father, &OfficerTable::Mother, &OfficerTable::Another, &OfficerTable::Xiangxing,
};

constexpr std::array<const char*, FormNumber::Count> kNumberEditNames = {
    "Edit_Tongshuai", "Edit_Wuli", "Edit_Zhili", "Edit_Zhengzhi", "Edit_Meili",
    "Edit_Shengwang", "Edit_Face", "Edit_BornYear", "Edit_EnterYear", "Edit_DeadYear",
};

constexpr std::array<const char*, FormRelation::Count> kRelationBoxNames = {
    "ComboBox_Father", "ComboBox_Mother", "ComboBox_Another", "ComboBox_Xiangxing",
};

constexpr std::array<const char*, FormText::Count> kTextEditNames = {
    "Edit_Xing", "Edit_Ming", "Edit_Zi", "Edit_Yin", "Memo_Story",
};

// The biography is held two bytes under what its field could take.
constexpr std::array<int, FormText::Count> kTextByteLimits = {
    kXingWidth - 1, kMingWidth - 1, kZiWidth - 1, kYinWidth - 1, kStoryWidth - 3,
};

// The fields' labels on the window, for messages.
const std::array<const char*, FormText::Count> kTextLabels = {"姓", "名", "字", "读音", "列传"};
const std::array<const char*, FormNumber::Count> kNumberLabels = {
    "统率", "武力", "智力", "政治", "魅力", "名声", "头像", "诞生年", "登场年", "死亡年",
};

// The texts that go to the game as Shift-JIS; the reading is carried as it is.
constexpr std::array<Field, FormText::Count> kTextFileFields = {
    Field::Xing, Field::Ming, Field::Zi, Field::Yin, Field::Story,
};

bool IsConverted(int text)
{
    return text != FormText::Yin;
}

// The characters the game cannot take, as the player typed them.
QString Characters(const std::vector<std::uint16_t>& codes)
{
    QString shown;
    for (const std::uint16_t code : codes) {
        QByteArray bytes;
        bytes.append(static_cast<char>(code & 0xFF));
        if (code > 0xFF)
            bytes.append(static_cast<char>(code >> 8));
        if (!shown.isEmpty())
            shown += u'、';
        shown += GbkToString(bytes);
    }
    return shown;
}

constexpr int kAbilities[] = {FormNumber::Tongshuai, FormNumber::Wuli, FormNumber::Zhili,
                              FormNumber::Zhengzhi, FormNumber::Meili};

// Calls visit with the text field `text` (a FormText value) of a slot; the fields differ in width.
template <typename Table, typename Visit>
void WithTextField(Table& table, int slot, int text, Visit&& visit)
{
    switch (text) {
    case FormText::Xing: visit(table.Xing[slot]); break;
    case FormText::Ming: visit(table.Ming[slot]); break;
    case FormText::Zi: visit(table.Zi[slot]); break;
    case FormText::Yin: visit(table.Yin[slot]); break;
    case FormText::Story: visit(table.Story[slot]); break;
    default: throw std::out_of_range("no such text field");
    }
}

// The text and its terminator over the start of the field; the bytes after it keep their
// contents. The text is already cut to width - 1.
template <std::size_t Width>
void StoreText(TextField<Width>& field, const QByteArray& text)
{
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(text.size()), Width - 1);
    std::copy_n(text.constData(), n, field.begin());
    field[n] = '\0';
}

QString ShowText(std::string_view bytes, bool multiLine)
{
    QString text = GbkToString(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (multiLine) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(u'\r', u'\n');
    }
    return text;
}

bool ValidSlot(int slot)
{
    return slot >= 0 && slot < kSlotCount;
}

} // namespace

const char* NumberEditName(int number)
{
    return kNumberEditNames.at(static_cast<std::size_t>(number));
}

const char* RelationBoxName(int relation)
{
    return kRelationBoxNames.at(static_cast<std::size_t>(relation));
}

const char* TextEditName(int text)
{
    return kTextEditNames.at(static_cast<std::size_t>(text));
}

QString NumberLabel(int number)
{
    return QString::fromUtf8(kNumberLabels.at(static_cast<std::size_t>(number)));
}

QString TextLabel(int text)
{
    return QString::fromUtf8(kTextLabels.at(static_cast<std::size_t>(text)));
}

int TextByteLimit(int text)
{
    return kTextByteLimits.at(static_cast<std::size_t>(text));
}

RecordForm ShowRecordForm(const OfficerTable& table, int slot)
{
    if (!ValidSlot(slot))
        throw std::out_of_range("officer slot out of range");

    RecordForm form;
    for (int i = 0; i < FormChoice::Count; ++i) {
        const int value = (table.*kChoiceFields[i])[slot];
        form.choices[i] = value < ChoiceEntries(i).size() ? value : -1;
    }
    for (int i = 0; i < FormNumber::Count; ++i)
        form.numbers[i] = QString::number((table.*kNumberFields[i])[slot]);
    for (int i = 0; i < FormRelation::Count; ++i)
        form.relations[i] = RelationToPosition((table.*kRelationFields[i])[slot]);
    for (int i = 0; i < FormText::Count; ++i)
        WithTextField(table, slot, i, [&](const auto& field) {
            form.texts[i] = ShowText(FieldText(field), i == FormText::Story);
        });
    form.skills = table.Skills[slot];
    return form;
}

std::optional<FormError> CommitRecordForm(const RecordForm& current, const RecordForm& shown,
                                          OfficerTable& table, int slot)
{
    if (!ValidSlot(slot))
        return FormError{QStringLiteral("武将编号 %1 不在 %2 到 %3 之间，未作修改。")
                             .arg(kFirstOfficerNumber + slot)
                             .arg(kFirstOfficerNumber)
                             .arg(kFirstOfficerNumber + kSlotCount - 1),
                         QString()};

    // Everything is checked before anything is stored.
    std::array<std::optional<std::uint16_t>, FormNumber::Count> numbers;
    for (int i = 0; i < FormNumber::Count; ++i) {
        if (current.numbers[i].isEmpty())
            continue;
        const QString label = NumberLabel(i);
        const QString control = QString::fromLatin1(kNumberEditNames[i]);
        std::int32_t value = 0;
        try {
            value = StrToInt(current.numbers[i]);
        } catch (const ConversionError& e) {
            return FormError{QStringLiteral("%1：%2").arg(label, e.message()), control};
        }
        if (value < 0 || value > 65535)
            return FormError{QStringLiteral("%1：数值 %2 超出范围，应在 0 到 65535 之间。").arg(label).arg(value),
                             control};
        numbers[i] = static_cast<std::uint16_t>(value);
    }

    std::array<std::optional<QByteArray>, FormText::Count> texts;
    for (int i = 0; i < FormText::Count; ++i) {
        // An unchanged text keeps the stored bytes, which may have no faithful Unicode form.
        if (current.texts[i] == shown.texts[i])
            continue;
        WithTextField(table, slot, i, [&](const auto& field) {
            texts[i] = GbkFieldBytes(current.texts[i], static_cast<int>(field.size()) - 1);
        });
        const QString control = QString::fromLatin1(kTextEditNames[i]);
        if (!texts[i])
            return FormError{QStringLiteral("“%1”中有 GBK 无法表示的字符，请删去后再确认修改。").arg(TextLabel(i)),
                             control};
        if (!IsConverted(i))
            continue;
        const std::vector<std::uint16_t> unmappable =
            UnmappableCharacters(std::string_view(texts[i]->constData(), static_cast<std::size_t>(texts[i]->size())));
        if (!unmappable.empty())
            return FormError{QStringLiteral("“%1”中的“%2”无法写入游戏的文件：游戏的字库里没有对应的字。"
                                            "请换用别的字后再确认修改。")
                                 .arg(TextLabel(i), Characters(unmappable)),
                             control};
    }

    for (int i = 0; i < FormChoice::Count; ++i)
        (table.*kChoiceFields[i])[slot] = static_cast<std::uint8_t>(current.choices[i] & 0xFF);
    for (int i = 0; i < FormNumber::Count; ++i)
        if (numbers[i])
            (table.*kNumberFields[i])[slot] = *numbers[i];
    for (int i = 0; i < FormRelation::Count; ++i)
        (table.*kRelationFields[i])[slot] = PositionToRelation(current.relations[i]);
    for (int i = 0; i < FormText::Count; ++i)
        if (texts[i])
            WithTextField(table, slot, i, [&](auto& field) { StoreText(field, *texts[i]); });
    for (int b = 0; b < kSkillBytes; ++b)
        table.Skills[slot][b] = current.skills[b] & kSkillBitsInUse[b];
    return std::nullopt;
}

QStringList TextsLosingKanji(const RecordForm& current, const RecordForm& shown, const OfficerTable& table,
                             const QByteArray& file, int slot)
{
    QStringList labels;
    if (!ValidSlot(slot))
        return labels;
    for (int i = 0; i < FormText::Count; ++i) {
        if (!IsConverted(i) || current.texts[i] == shown.texts[i]
            || UnshownCharacters(file, slot, kTextFileFields[i]) == 0)
            continue;
        // Once the stored text differs from the file's, the question has been answered for it.
        WithTextField(table, slot, i, [&](const auto& field) {
            const std::string_view stored = FieldText(field);
            if (FileText(file, slot, kTextFileFields[i]) == QByteArrayView(stored.data(), static_cast<qsizetype>(stored.size())))
                labels << TextLabel(i);
        });
    }
    return labels;
}

void TickAllSkills(RecordForm& form)
{
    form.skills = kSkillBitsInUse;
}

void FillAbilities(RecordForm& form)
{
    for (int i : kAbilities)
        form.numbers[i] = QStringLiteral("99");
}
