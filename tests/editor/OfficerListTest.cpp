#include "editor/OfficerList.h"
#include "platform/Errors.h"
#include "platform/Gbk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

QByteArray Gbk(const char* utf8)
{
    return StringToGbk(QString::fromUtf8(utf8)).value();
}

template <std::size_t Width>
void SetText(TextField<Width>& field, const char* utf8)
{
    const QByteArray bytes = Gbk(utf8);
    SetFieldText(field, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

ShownFlags AllShown()
{
    ShownFlags shown;
    shown.fill(1);
    return shown;
}

std::vector<int> ShownSlots(const ShownFlags& shown)
{
    std::vector<int> listed;
    for (int slot = 0; slot < kSlotCount; ++slot)
        if (shown[static_cast<std::size_t>(slot)] != 0)
            listed.push_back(slot);
    return listed;
}

std::vector<int> AllSlots()
{
    return ShownSlots(AllShown());
}

// The window's search button: read all six edits, then filter.
void Search(const std::array<QString, kSearchFields>& texts, const OfficerTable& table, ShownFlags& shown)
{
    ApplySearch(ReadSearchCriteria(texts), table, shown);
}

TEST(OfficerListTest, BeforeAnyFileListsTheNewOfficers)
{
    const OfficerTable table;
    const std::vector<ListRow> rows = ListRows(table, AllShown());
    ASSERT_EQ(rows.size(), 110u);
    for (const ListRow& row : rows) {
        const auto cells = ListRowCells(row);
        EXPECT_EQ(cells[0], QString::number(650 + row.slot));
        EXPECT_EQ(cells[1], QStringLiteral("新武将%1").arg(row.slot + 1));
        for (int column = 2; column < kListColumns; ++column)
            EXPECT_EQ(cells[static_cast<std::size_t>(column)], QStringLiteral("0"));
    }
    EXPECT_EQ(rows.front().slot, 0);
    EXPECT_EQ(rows.back().slot, 109);
    EXPECT_EQ(ListRowCells(rows.back())[1], QStringLiteral("新武将110"));
}

TEST(OfficerListTest, ListNames)
{
    OfficerTable table;
    SetText(table.Xing[1], "张");
    SetText(table.Ming[1], "飞");
    SetText(table.Zi[2], "翼德");
    SetText(table.Xing[3], "诸葛");
    SetText(table.Ming[3], "孔明");
    SetText(table.Zi[3], "孔明");
    SetText(table.Ming[4], "飞");

    const struct {
        const char* name;
        int slot;
        const char* listed;
        const char* committed;
    } cases[] = {
        {"empty", 0, "新武将1", " "},
        {"xingmingendsinblank", 1, "张飞 ", "张飞 "},
        {"onlyzistartswithblank", 2, " 翼德", " 翼德"},
        {"allthreefull", 3, "诸葛孔明 孔明", "诸葛孔明 孔明"},
        {"onlyming", 4, "飞 ", "飞 "},
        {"lastempty", 109, "新武将110", " "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ListName(table, c.slot), Gbk(c.listed));
        EXPECT_EQ(CommittedListName(table, c.slot), Gbk(c.committed));
    }
}

TEST(OfficerListTest, RowsFollowTheShownFlagsInSlotOrder)
{
    OfficerTable table;
    table.Tongshuai[7] = 1;
    table.Wuli[7] = 65535;
    table.Zhili[7] = 3;
    table.Zhengzhi[7] = 4;
    table.Meili[7] = 5;
    table.Shengwang[7] = 6;
    ShownFlags shown{};
    shown[109] = 1;
    shown[7] = 0xFF;

    const std::vector<ListRow> rows = ListRows(table, shown);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].slot, 109);
    const std::array<QString, kListColumns> expected = {
        QStringLiteral("657"), QStringLiteral("新武将8"), QStringLiteral("1"), QStringLiteral("65535"),
        QStringLiteral("3"),   QStringLiteral("4"),       QStringLiteral("5"),
    };
    EXPECT_EQ(ListRowCells(rows[0]), expected);
}

class SearchTest : public ::testing::Test {
protected:
    SearchTest()
    {
        auto set = [this](int slot, std::uint16_t tongshuai, std::uint16_t shengwang) {
            table.Tongshuai[static_cast<std::size_t>(slot)] = tongshuai;
            table.Shengwang[static_cast<std::size_t>(slot)] = shengwang;
        };
        set(3, 80, 90);
        set(5, 80, 10);
        set(7, 10, 90);
        set(9, 80, 90);
        table.Wuli[8] = 65535;
        table.Wuli[20] = 64;
        table.Zhili[21] = 61;
        table.Zhengzhi[22] = 62;
        table.Meili[23] = 63;
    }

    OfficerTable table;
    ShownFlags shown = AllShown();
};

TEST_F(SearchTest, KeepsExactlyTheSlotsEqualToEveryPositiveCriterion)
{
    const QString e;
    const struct {
        const char* name;
        std::array<QString, kSearchFields> texts;
        std::vector<int> listed;
    } cases[] = {
        {"allempty", {e, e, e, e, e, e}, AllSlots()},
        {"zerofiltersnothing", {"0", "0", "0", "0", "0", "0"}, AllSlots()},
        {"negativefiltersnothing", {"-80", e, e, e, e, e}, AllSlots()},
        {"tongshuai", {"80", e, e, e, e, e}, {3, 5, 9}},
        {"leadingblank", {" 80", e, e, e, e, e}, {3, 5, 9}},
        {"hex", {"$50", e, e, e, e, e}, {3, 5, 9}},
        {"withshengwang", {"80", e, e, e, e, "90"}, {3, 9}},
        {"shengwangalone", {e, e, e, e, e, "90"}, {3, 7, 9}},
        {"unsignedmax", {e, "65535", e, e, e, e}, {8}},
        {"beyond16bits", {e, "70000", e, e, e, e}, {}},
        {"wuli", {e, "64", e, e, e, e}, {20}},
        {"zhili", {e, e, "61", e, e, e}, {21}},
        {"zhengzhi", {e, e, e, "62", e, e}, {22}},
        {"meili", {e, e, e, e, "63", e}, {23}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        shown.fill(0);
        Search(c.texts, table, shown);
        EXPECT_EQ(ShownSlots(shown), c.listed);
    }
}

TEST_F(SearchTest, RefusedTextChangesNothing)
{
    const QString e;
    Search({"80", e, e, e, e, e}, table, shown);
    const ShownFlags before = shown;

    const struct {
        const char* name;
        std::array<QString, kSearchFields> texts;
        QString offending;
    } cases[] = {
        {"trailingblank", {"80 ", e, e, e, e, e}, "80 "},
        {"word", {e, "无", e, e, e, e}, "无"},
        {"beyond32bits", {e, e, "2147483648", e, e, e}, "2147483648"},
        {"lastafterfirstgood", {"10", e, e, e, e, "x"}, "x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            Search(c.texts, table, shown);
            ADD_FAILURE() << "accepted";
        } catch (const ConversionError& error) {
            EXPECT_EQ(error.message(), QStringLiteral("'%1' is not a valid integer value.").arg(c.offending));
        }
        EXPECT_EQ(shown, before);
    }
}

TEST(CompareNamesTest, FoldsAsciiLettersAndComparesBytesUnsigned)
{
    const struct {
        const char* name;
        QByteArray a;
        QByteArray b;
        int result;
    } cases[] = {
        {"equal", "Cao", "Cao", 0},
        {"caseonly", "abc", "ABC", 0},
        {"mixedcase", "zHaO", "ZhAo", 0},
        {"prefixfirst", "AB", "ABC", -1},
        {"longerafter", "ABCD", "ab", 2},
        {"emptyfirst", "", "A", -1},
        {"foldedbytedifference", "b", "A", 1},
        {"foldedbeforeunderscore", "a", "_", 'A' - '_'},
        {"braceisnotfolded", "{", "[", '{' - '['},
        {"gbkafterascii", "\xD5\xC5", "z", 0xD5 - 'Z'},
        {"gbkbytes", "\xD0\xC2", "\xD5\xC5", 0xD0 - 0xD5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CompareNames(c.a, c.b), c.result);
    }
}

// Five listed slots with distinct abilities and names that need folding and unsigned bytes:
// by name ascending the order is an, Li, zhao, 新武将4, 张飞.
class SortTest : public ::testing::Test {
protected:
    SortTest()
    {
        const std::uint16_t wuli[] = {50, 99, 7, 65535, 80};
        for (std::size_t slot = 0; slot < 5; ++slot) {
            table.Wuli[slot] = wuli[slot];
            shown[slot] = 1;
        }
        SetText(table.Xing[0], "zhao");
        SetText(table.Xing[1], "Li");
        SetText(table.Xing[2], "张");
        SetText(table.Ming[2], "飞");
        SetText(table.Xing[4], "an");
        Fill();
    }

    // What the window's FillList does: rows in slot order, the sort state left alone.
    void Fill()
    {
        keys.clear();
        for (const ListRow& row : ListRows(table, shown))
            keys.push_back({ListRowCells(row), row.name});
    }

    void Click(int column)
    {
        sort.ColumnClick(column);
        std::stable_sort(keys.begin(), keys.end(),
                         [this](const ListRowKey& a, const ListRowKey& b) { return CompareListRows(a, b, sort) < 0; });
    }

    std::vector<int> Numbers() const
    {
        std::vector<int> numbers;
        for (const ListRowKey& key : keys)
            numbers.push_back(key.cells[0].toInt());
        return numbers;
    }

    OfficerTable table;
    ShownFlags shown{};
    SortState sort;
    std::vector<ListRowKey> keys;
};

TEST_F(SortTest, NumberTwice)
{
    Click(0);
    EXPECT_TRUE(sort.SortAscending);
    EXPECT_EQ(Numbers(), (std::vector<int>{650, 651, 652, 653, 654}));
    Click(0);
    EXPECT_EQ(Numbers(), (std::vector<int>{654, 653, 652, 651, 650}));
}

TEST_F(SortTest, WuliTwiceThenName)
{
    Click(3);
    EXPECT_EQ(Numbers(), (std::vector<int>{653, 651, 654, 650, 652})); // 65535 99 80 50 7
    Click(3);
    EXPECT_EQ(Numbers(), (std::vector<int>{652, 650, 654, 651, 653}));
    Click(1);
    EXPECT_TRUE(sort.SortAscending);
    EXPECT_EQ(Numbers(), (std::vector<int>{654, 651, 650, 653, 652}));
}

TEST_F(SortTest, SearchListsInSlotOrderAndKeepsTheRememberedDirection)
{
    Click(3);
    shown[1] = 0; // the search left slot 1 out
    Fill();
    EXPECT_EQ(Numbers(), (std::vector<int>{650, 652, 653, 654}));
    EXPECT_EQ(sort.SortColumn, 3);
    EXPECT_FALSE(sort.SortAscending);
    Click(3);
    EXPECT_TRUE(sort.SortAscending);
    EXPECT_EQ(Numbers(), (std::vector<int>{652, 650, 654, 653}));
}

TEST(SortStateTest, NewColumnChoosesItsDirection)
{
    for (int column = 0; column < kListColumns; ++column) {
        SortState sort;
        sort.SortColumn = column == 6 ? 5 : 6;
        sort.ColumnClick(column);
        EXPECT_EQ(sort.SortColumn, column);
        EXPECT_EQ(sort.SortAscending, column <= 1) << column;
    }
}

TEST(CompareListRowsTest, ExtremeNumbersKeepTheirSign)
{
    ListRowKey low;
    ListRowKey high;
    low.cells[2] = QStringLiteral("-2147483648");
    high.cells[2] = QStringLiteral("2147483647");
    SortState sort{2, true};
    EXPECT_LT(CompareListRows(low, high, sort), 0);
    EXPECT_GT(CompareListRows(high, low, sort), 0);
    sort.SortAscending = false;
    EXPECT_GT(CompareListRows(low, high, sort), 0);
    EXPECT_LT(CompareListRows(high, low, sort), 0);
}

} // namespace
