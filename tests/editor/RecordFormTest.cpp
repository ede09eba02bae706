#include "codeconv/Jislib.h"
#include "editor/RecordForm.h"
#include "officers/Roster.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <cstring>
#include <string_view>
#include <type_traits>

namespace {

static_assert(std::has_unique_object_representations_v<OfficerTable>, "tables compare byte for byte");

// The message of a refused commit, or "" when it was stored.
QString Refusal(const std::optional<FormError>& error)
{
    return error ? error->message : QString();
}

bool SameTable(const OfficerTable& a, const OfficerTable& b)
{
    return std::memcmp(&a, &b, sizeof(OfficerTable)) == 0;
}

template <std::size_t Width>
void PutBytes(TextField<Width>& field, std::string_view bytes)
{
    ASSERT_LE(bytes.size(), Width);
    std::memcpy(field.data(), bytes.data(), bytes.size());
}

template <std::size_t Width>
std::string_view Bytes(const TextField<Width>& field)
{
    return {field.data(), Width};
}

constexpr int kSlot = 54;

std::string_view TextBytes(const OfficerTable& table, int text)
{
    switch (text) {
    case FormText::Xing: return Bytes(table.Xing[kSlot]);
    case FormText::Ming: return Bytes(table.Ming[kSlot]);
    case FormText::Zi: return Bytes(table.Zi[kSlot]);
    case FormText::Yin: return Bytes(table.Yin[kSlot]);
    default: return Bytes(table.Story[kSlot]);
    }
}

// A table of random bytes everywhere, so that a write to the wrong slot or past a field shows,
// with slot 54 set to plain values.
class RecordFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(LoadCodeTable());
        QRandomGenerator random(20260);
        auto* raw = reinterpret_cast<unsigned char*>(&table);
        for (std::size_t i = 0; i < sizeof(OfficerTable); ++i)
            raw[i] = static_cast<unsigned char>(random.bounded(256));

        table.Type[kSlot] = 1;
        table.Belief[kSlot] = 4;
        table.Character[kSlot] = 0;
        table.Drink[kSlot] = 2;
        table.Care[kSlot] = 1;
        table.Desire[kSlot] = 0;
        table.Gender[kSlot] = 1;
        table.Tongshuai[kSlot] = 80;
        table.Wuli[kSlot] = 65535;
        table.Zhili[kSlot] = 0;
        table.Zhengzhi[kSlot] = 12;
        table.Meili[kSlot] = 70;
        table.Shengwang[kSlot] = 1000;
        table.Face[kSlot] = 2049;
        table.BornYear[kSlot] = 160;
        table.EnterYear[kSlot] = 180;
        table.DeadYear[kSlot] = 230;
        table.Father[kSlot] = 496;
        table.Mother[kSlot] = 65535;
        table.Another[kSlot] = 650;
        table.Xiangxing[kSlot] = 0;
        PutBytes(table.Xing[kSlot], std::string_view("\xD5\xC5\0\x11\x22", 5));   // 张, old bytes after
        PutBytes(table.Ming[kSlot], std::string_view("\xB7\xC9\0\0\0", 5));       // 飞
        PutBytes(table.Zi[kSlot], std::string_view("\xD2\xED\xB5\xC2\0", 5));     // 翼德
        PutBytes(table.Yin[kSlot], std::string_view("abc\0\x7F\x7F\x7F\x7F\x7F\x7F\x7F", 11));
        PutBytes(table.Story[kSlot], std::string_view("one\0", 4));
        table.Skills[kSlot] = {0x81, 0x00, 0x10, 0x00, 0x00, 0x02};
    }

    RecordForm Shown() const { return ShowRecordForm(table, kSlot); }

    OfficerTable table;
};

TEST_F(RecordFormTest, ShowsEveryFieldOfTheSlot)
{
    const RecordForm form = Shown();
    EXPECT_EQ(form.choices, (std::array<int, 7>{1, 4, 0, 2, 1, 0, 1}));
    EXPECT_EQ(form.numbers, (std::array<QString, 10>{"80", "65535", "0", "12", "70", "1000", "2049", "160",
                                                     "180", "230"}));
    EXPECT_EQ(form.relations, (std::array<int, 4>{496, 860, 650, 0}));
    EXPECT_EQ(form.texts, (std::array<QString, 5>{"张", "飞", "翼德", "abc", "one"}));
    EXPECT_EQ(form.skills, (std::array<std::uint8_t, 6>{0x81, 0x00, 0x10, 0x00, 0x00, 0x02}));
}

TEST_F(RecordFormTest, ChoiceWithoutEntryShowsNoneAndCommitsNone)
{
    struct Case {
        const char* name;
        PerSlot<std::uint8_t> OfficerTable::*field;
        int list;
        std::uint8_t stored;
        int shown;
        std::uint8_t committed;
    } const cases[] = {
        {"type none", &OfficerTable::Type, FormChoice::Type, 0xFF, -1, 0xFF},
        {"type past last", &OfficerTable::Type, FormChoice::Type, 6, -1, 0xFF},
        {"type last", &OfficerTable::Type, FormChoice::Type, 5, 5, 5},
        {"belief past last", &OfficerTable::Belief, FormChoice::Belief, 5, -1, 0xFF},
        {"character last", &OfficerTable::Character, FormChoice::Character, 3, 3, 3},
        {"character past last", &OfficerTable::Character, FormChoice::Character, 4, -1, 0xFF},
        {"drink past last", &OfficerTable::Drink, FormChoice::Drink, 3, -1, 0xFF},
        {"care past last", &OfficerTable::Care, FormChoice::Care, 200, -1, 0xFF},
        {"desire last", &OfficerTable::Desire, FormChoice::Desire, 2, 2, 2},
        {"gender past last", &OfficerTable::Gender, FormChoice::Gender, 2, -1, 0xFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        (table.*c.field)[kSlot] = c.stored;
        const RecordForm form = Shown();
        EXPECT_EQ(form.choices[c.list], c.shown);
        ASSERT_EQ(CommitRecordForm(form, form, table, kSlot), std::nullopt);
        EXPECT_EQ((table.*c.field)[kSlot], c.committed);
    }
}

TEST_F(RecordFormTest, ChosenEntriesCommitTheirIndex)
{
    RecordForm form = Shown();
    form.choices = {0, 1, 3, -1, 2, 1, 0};
    ASSERT_EQ(CommitRecordForm(form, Shown(), table, kSlot), std::nullopt);
    EXPECT_EQ(table.Type[kSlot], 0);
    EXPECT_EQ(table.Belief[kSlot], 1);
    EXPECT_EQ(table.Character[kSlot], 3);
    EXPECT_EQ(table.Drink[kSlot], 0xFF);
    EXPECT_EQ(table.Care[kSlot], 2);
    EXPECT_EQ(table.Desire[kSlot], 1);
    EXPECT_EQ(table.Gender[kSlot], 0);
}

TEST_F(RecordFormTest, RelationsShowAndCommitByTheRosterRule)
{
    struct Case {
        const char* name;
        std::uint16_t stored;
        int shown;
        std::uint16_t committed;
    } const cases[] = {
        {"none", 0xFFFF, 860, 0xFFFF},
        {"first past roster", 860, 860, 0xFFFF},
        {"far past roster", 1000, 860, 0xFFFF},
        {"registered officer", 650, 650, 650},
        {"last person", 859, 859, 859},
        {"first person", 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        table.Father[kSlot] = table.Mother[kSlot] = table.Another[kSlot] = table.Xiangxing[kSlot] = c.stored;
        const RecordForm form = Shown();
        EXPECT_EQ(form.relations, (std::array<int, 4>{c.shown, c.shown, c.shown, c.shown}));
        ASSERT_EQ(CommitRecordForm(form, form, table, kSlot), std::nullopt);
        EXPECT_EQ(table.Father[kSlot], c.committed);
        EXPECT_EQ(table.Xiangxing[kSlot], c.committed);
    }

    RecordForm form = Shown();
    form.relations = {497, 860, -1, 496}; // the second and the first 马忠
    ASSERT_EQ(CommitRecordForm(form, Shown(), table, kSlot), std::nullopt);
    EXPECT_EQ(table.Father[kSlot], 497);
    EXPECT_EQ(table.Mother[kSlot], 0xFFFF);
    EXPECT_EQ(table.Another[kSlot], 0xFFFF);
    EXPECT_EQ(table.Xiangxing[kSlot], 496);
}

TEST_F(RecordFormTest, NumbersCommitAndEmptyTextKeepsTheField)
{
    RecordForm form = Shown();
    form.numbers = {"", "", "$63", "0x10", "+7", "65535", "0", "  184", "", "-0"};
    ASSERT_EQ(CommitRecordForm(form, Shown(), table, kSlot), std::nullopt);
    EXPECT_EQ(table.Tongshuai[kSlot], 80);
    EXPECT_EQ(table.Wuli[kSlot], 65535);
    EXPECT_EQ(table.Zhili[kSlot], 99);
    EXPECT_EQ(table.Zhengzhi[kSlot], 16);
    EXPECT_EQ(table.Meili[kSlot], 7);
    EXPECT_EQ(table.Shengwang[kSlot], 65535);
    EXPECT_EQ(table.Face[kSlot], 0);
    EXPECT_EQ(table.BornYear[kSlot], 184);
    EXPECT_EQ(table.EnterYear[kSlot], 180);
    EXPECT_EQ(table.DeadYear[kSlot], 0);
}

TEST_F(RecordFormTest, RefusedNumberStoresNothingAtAll)
{
    struct Case {
        const char* name;
        int number;
        QString text;
        QString message;
        QString control;
    } const cases[] = {
        {"too large", FormNumber::Wuli, "70000", "武力：数值 70000 超出范围，应在 0 到 65535 之间。", "Edit_Wuli"},
        {"just too large", FormNumber::Tongshuai, "65536", "统率：数值 65536 超出范围，应在 0 到 65535 之间。",
         "Edit_Tongshuai"},
        {"negative", FormNumber::Wuli, "-1", "武力：数值 -1 超出范围，应在 0 到 65535 之间。", "Edit_Wuli"},
        {"hex too large", FormNumber::Face, "$10000", "头像：数值 65536 超出范围，应在 0 到 65535 之间。", "Edit_Face"},
        {"not a number", FormNumber::Zhili, "9a", "智力：'9a' is not a valid integer value.", "Edit_Zhili"},
        {"trailing blank", FormNumber::DeadYear, "230 ", "死亡年：'230 ' is not a valid integer value.",
         "Edit_DeadYear"},
        {"past 32 bits", FormNumber::BornYear, "4294967296", "诞生年：'4294967296' is not a valid integer value.",
         "Edit_BornYear"},
        {"full-width digits", FormNumber::Meili, "９９", "魅力：'９９' is not a valid integer value.", "Edit_Meili"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Every other control holds a change that would be stored.
        RecordForm form = Shown();
        form.choices = {2, 2, 2, 2, 2, 2, 0};
        form.numbers = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
        form.numbers[c.number] = c.text;
        form.relations = {1, 2, 3, 4};
        form.texts = {"关", "羽", "云长", "x", "changed"};
        TickAllSkills(form);
        const OfficerTable before = table;
        const std::optional<FormError> error = CommitRecordForm(form, Shown(), table, kSlot);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->message, c.message);
        EXPECT_EQ(error->control, c.control);
        EXPECT_TRUE(SameTable(table, before));
    }
}

TEST_F(RecordFormTest, FirstRefusedNumberInCommitOrderIsReported)
{
    RecordForm form = Shown();
    form.numbers[FormNumber::DeadYear] = "x";
    form.numbers[FormNumber::Face] = "70000";
    form.numbers[FormNumber::Shengwang] = "-5";
    EXPECT_EQ(Refusal(CommitRecordForm(form, Shown(), table, kSlot)), "名声：数值 -5 超出范围，应在 0 到 65535 之间。");
}

TEST_F(RecordFormTest, SkillsCommitOnlyTheBitsThatCarrySkills)
{
    table.Skills[kSlot] = {0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF};
    RecordForm form = Shown();
    EXPECT_EQ(form.skills[5], 0xFF) << "both 仙人 and 医者 are shown";
    ASSERT_EQ(CommitRecordForm(form, form, table, kSlot), std::nullopt);
    EXPECT_EQ(table.Skills[kSlot], (std::array<std::uint8_t, 6>{0x00, 0xFF, 0x00, 0x00, 0x00, 0x03}));

    TickAllSkills(form);
    ASSERT_EQ(CommitRecordForm(form, form, table, kSlot), std::nullopt);
    EXPECT_EQ(table.Skills[kSlot], (std::array<std::uint8_t, 6>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x03}));
}

TEST_F(RecordFormTest, FillAbilitiesLeavesReputation)
{
    RecordForm form = Shown();
    FillAbilities(form);
    EXPECT_EQ(form.numbers, (std::array<QString, 10>{"99", "99", "99", "99", "99", "1000", "2049", "160",
                                                     "180", "230"}));
}

TEST_F(RecordFormTest, UnchangedTextsKeepTheirBytesWhileAnotherFieldChanges)
{
    // Bytes with no faithful Unicode form: Shift-JIS in Yin, a lead byte with a bad trail byte
    // in Xing, a lone LF in Story; old bytes after every terminator.
    PutBytes(table.Xing[kSlot], std::string_view("\x81\x30\0\x55\x66", 5));
    PutBytes(table.Zi[kSlot], std::string_view("\xFF\0\xAA\xBB\xCC", 5));
    PutBytes(table.Yin[kSlot], std::string_view("\x82\xA0\x82\xA2\x83\x41\0\x01\x02\x03\x04", 11));
    PutBytes(table.Story[kSlot], std::string_view("a\nb\rc\0\x99\x98", 8));
    const OfficerTable before = table;

    RecordForm form = Shown();
    form.numbers[FormNumber::Wuli] = "90";
    ASSERT_EQ(CommitRecordForm(form, Shown(), table, kSlot), std::nullopt);
    EXPECT_EQ(table.Wuli[kSlot], 90);
    table.Wuli[kSlot] = before.Wuli[kSlot];
    EXPECT_TRUE(SameTable(table, before));
}

TEST_F(RecordFormTest, ChangedTextStoresGbkAndKeepsTheBytesAfterItsTerminator)
{
    PutBytes(table.Yin[kSlot], std::string_view("0123456789", 10));
    RecordForm form = Shown();
    form.texts = {"", "羽", "云长", "yun", "a\nb"};
    ASSERT_EQ(CommitRecordForm(form, Shown(), table, kSlot), std::nullopt);
    EXPECT_EQ(Bytes(table.Xing[kSlot]), std::string_view("\0\xC5\0\x11\x22", 5)) << "emptied";
    EXPECT_EQ(Bytes(table.Ming[kSlot]), std::string_view("\xD3\xF0\0\0\0", 5));
    EXPECT_EQ(Bytes(table.Zi[kSlot]), std::string_view("\xD4\xC6\xB3\xA4\0", 5));
    EXPECT_EQ(Bytes(table.Yin[kSlot]), std::string_view("yun\0" "456789\x7F", 11));
    EXPECT_EQ(Bytes(table.Story[kSlot]).substr(0, 5), std::string_view("a\r\nb\0", 5));
}

TEST_F(RecordFormTest, StoryLineBreaksShowAsNewlines)
{
    struct Case {
        const char* name;
        std::string_view stored;
        QString shown;
    } const cases[] = {
        {"cr lf", std::string_view("a\r\nb\0", 5), "a\nb"},
        {"lone cr", std::string_view("a\rb\0", 4), "a\nb"},
        {"lone lf", std::string_view("a\nb\0", 4), "a\nb"},
        {"cr cr lf", std::string_view("a\r\r\nb\0", 6), "a\n\nb"},
        {"lf cr", std::string_view("a\n\rb\0", 5), "a\n\nb"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PutBytes(table.Story[kSlot], c.stored);
        EXPECT_EQ(Shown().texts[FormText::Story], c.shown);
    }
}

TEST_F(RecordFormTest, OverLongTextIsCutAtACharacterBoundary)
{
    struct Case {
        const char* name;
        int text;
        QString typed;
        std::size_t at;          // where in the field the check starts
        std::string_view stored; // the field's bytes from there after the commit
    } const cases[] = {
        {"three characters in a name", FormText::Xing, "张飞关", 0, std::string_view("\xD5\xC5\xB7\xC9\0", 5)},
        {"half a character left over", FormText::Ming, "a张飞", 0, std::string_view("a\xD5\xC5\0", 4)},
        {"one-byte euro signs", FormText::Yin, "€€€€€€€€€€€", 0, std::string_view("\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80\0", 11)},
        {"reading", FormText::Yin, "abcdefghijkl", 0, std::string_view("abcdefghij\0", 11)},
        // 150 bytes of 张 and "a" fit; the CR LF pair would need 153.
        {"line break not split", FormText::Story, QString(75, u'张') + "a\nb", 148,
         std::string_view("\xD5\xC5" "a\0", 4)},
    };
    const OfficerTable fresh = table;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        table = fresh;
        RecordForm form = Shown();
        form.texts[c.text] = c.typed;
        ASSERT_EQ(CommitRecordForm(form, Shown(), table, kSlot), std::nullopt);
        EXPECT_EQ(TextBytes(table, c.text).substr(c.at, c.stored.size()), c.stored);
    }
}

TEST_F(RecordFormTest, TextWithoutGbkFormIsRefusedAndNothingStored)
{
    RecordForm form = Shown();
    form.numbers[FormNumber::Wuli] = "1";
    form.texts[FormText::Story] = "ok 😀";
    const OfficerTable before = table;
    EXPECT_EQ(Refusal(CommitRecordForm(form, Shown(), table, kSlot)), "“列传”中有 GBK 无法表示的字符，请删去后再确认修改。");
    EXPECT_TRUE(SameTable(table, before));
}

// Names and biography go to the game as Shift-JIS: a character no row of the table holds would
// reach the game as its GBK bytes, another kanji or broken half-width letters there.
TEST_F(RecordFormTest, TextTheGameCannotTakeIsRefusedNamingFieldAndCharacters)
{
    struct Case {
        const char* name;
        int text;
        QString typed;
        QString message;
    } const cases[] = {
        {"surname", FormText::Xing, "涿", "“姓”中的“涿”无法写入游戏的文件：游戏的字库里没有对应的字。请换用别的字后再确认修改。"},
        {"each once, in order", FormText::Story, "诩郝a诩€",
         "“列传”中的“诩、郝、€”无法写入游戏的文件：游戏的字库里没有对应的字。请换用别的字后再确认修改。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordForm form = Shown();
        form.numbers[FormNumber::Wuli] = "1";
        form.texts[c.text] = c.typed;
        const OfficerTable before = table;
        const std::optional<FormError> error = CommitRecordForm(form, Shown(), table, kSlot);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->message, c.message);
        EXPECT_EQ(error->control, TextEditName(c.text));
        EXPECT_TRUE(SameTable(table, before));
    }

    // The reading is carried as it is, so any GBK text goes.
    RecordForm form = Shown();
    form.texts[FormText::Yin] = "涿";
    EXPECT_EQ(CommitRecordForm(form, Shown(), table, kSlot), std::nullopt);
}

TEST_F(RecordFormTest, SlotOutsideTheTableIsNeverTouched)
{
    const RecordForm form = Shown();
    const OfficerTable before = table;
    for (int slot : {-1, kSlotCount}) {
        EXPECT_NE(CommitRecordForm(form, form, table, slot), std::nullopt);
        EXPECT_THROW(ShowRecordForm(table, slot), std::out_of_range);
    }
    EXPECT_TRUE(SameTable(table, before));
}

TEST_F(RecordFormTest, FieldWithoutTerminatorShowsOnlyItsTextBytes)
{
    PutBytes(table.Xing[kSlot], std::string_view("abcde", 5));
    PutBytes(table.Yin[kSlot], std::string_view("0123456789X", 11));
    const RecordForm form = Shown();
    EXPECT_EQ(form.texts[FormText::Xing], "abcd");
    EXPECT_EQ(form.texts[FormText::Yin], "0123456789");
}

} // namespace
