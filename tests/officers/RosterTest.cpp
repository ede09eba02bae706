#include "officers/Roster.h"
#include "platform/Gbk.h"

#include <gtest/gtest.h>

namespace {

QByteArray Gbk(const char* utf8)
{
    return StringToGbk(QString::fromUtf8(utf8)).value();
}

void SetText(TextField<5>& field, const char* utf8)
{
    const QByteArray bytes = Gbk(utf8);
    SetFieldText(field, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

struct Entry {
    int position;
    const char* name;
};

// Ends of every range, the repeated names, and the names that look like typos but are the game's.
const Entry kEntries[] = {
    {0, "阿会喃"}, {9, "袁遗"}, {50, "温恹"}, {56, "俄何烧戈"}, {97, "恒媘"}, {145, "金稦"},
    {222, "士変"}, {285, "诸葛亮"}, {416, "张飞"}, {496, "马忠"}, {497, "马忠"}, {498, "马超"},
    {591, "李典"}, {592, "李丰"}, {593, "李丰"}, {594, "李丰"}, {595, "刘焉"}, {649, "庐植"},
    {650, "新武将1"}, {700, "新武将51"}, {759, "新武将110"},
    {760, "灵帝"}, {770, "貂蝉"}, {789, "传令"}, {829, "南蛮武将"}, {830, "倭人"}, {831, "异民族"},
    {832, "特殊73"}, {859, "特殊100"}, {860, "无"},
};

TEST(RosterTest, InitialEntriesStandAtTheirRosterNumbers)
{
    const QStringList& roster = InitialRoster();
    ASSERT_EQ(roster.size(), kRosterSize);
    for (const Entry& e : kEntries) {
        SCOPED_TRACE(e.position);
        EXPECT_EQ(roster[e.position], QString::fromUtf8(e.name));
    }
    for (const QString& name : roster)
        EXPECT_FALSE(name.isEmpty() || name.contains(QLatin1Char(' '))) << name.toStdString();
}

TEST(RosterTest, ShowAndStoreRule)
{
    const std::pair<std::uint16_t, int> shown[] = {
        {0, 0}, {496, 496}, {650, 650}, {859, 859}, {860, kRosterNone}, {1000, kRosterNone}, {65535, kRosterNone},
    };
    for (auto [value, position] : shown)
        EXPECT_EQ(RelationToPosition(value), position) << value;

    const std::pair<int, std::uint16_t> stored[] = {
        {kRosterNone, 65535}, {-1, 65535}, {0, 0}, {496, 496}, {497, 497}, {650, 650}, {859, 859},
    };
    for (auto [position, value] : stored)
        EXPECT_EQ(PositionToRelation(position), value) << position;
}

TEST(RosterTest, NamesOfRegisteredOfficers)
{
    OfficerTable table;
    SetText(table.Xing[0], "张");
    SetText(table.Ming[0], "飞");
    SetText(table.Zi[0], "翼德");
    SetText(table.Ming[1], "飞");
    SetText(table.Zi[2], "翼德");
    SetText(table.Xing[109], "诸葛");
    SetText(table.Ming[109], "孔明");

    const struct {
        const char* name;
        int slot;
        const char* loaded;
        const char* committed;
    } cases[] = {
        {"xingming", 0, "张飞", "张飞"},
        {"onlyming", 1, "飞", "飞"},
        {"onlyzicountsasempty", 2, "新武将3", ""},
        {"empty", 9, "新武将10", ""},
        {"fullwidth", 109, "诸葛孔明", "诸葛孔明"},
        {"lastempty", 108, "新武将109", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RosterName(table, c.slot), Gbk(c.loaded));
        EXPECT_EQ(CommittedRosterName(table, c.slot), Gbk(c.committed));
    }
}

} // namespace
