#include "editor/Csv.h"

#include <gtest/gtest.h>

namespace {

struct ReadCase {
    const char* name;
    QString text;
    std::vector<QStringList> cells;
    std::vector<int> lines;
};

class CsvReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(CsvReadTest, SplitsRecords)
{
    const ReadCase& c = GetParam();
    const CsvParse parse = ReadCsv(c.text);
    ASSERT_FALSE(parse.error) << parse.error->toStdString();
    ASSERT_EQ(parse.records.size(), c.cells.size());
    for (std::size_t r = 0; r < c.cells.size(); ++r) {
        EXPECT_EQ(parse.records[r].cells, c.cells[r]) << r;
        EXPECT_EQ(parse.records[r].line, c.lines[r]) << r;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CsvReadTest,
    ::testing::Values(
        ReadCase{"crlf", "a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}, {1, 2}},
        ReadCase{"lf_and_no_final_break", "a,b\nc,d", {{"a", "b"}, {"c", "d"}}, {1, 2}},
        ReadCase{"lone_cr", "a\rb\r", {{"a"}, {"b"}}, {1, 2}},
        ReadCase{"empty_cells", ",,\r\n", {{"", "", ""}}, {1}},
        ReadCase{"empty_line_between", "a\r\n\r\nb\r\n", {{"a"}, {""}, {"b"}}, {1, 2, 3}},
        ReadCase{"quoted_separator_and_quote", "\"a,b\",\"say \"\"hi\"\"\"\r\n", {{"a,b", "say \"hi\""}}, {1}},
        ReadCase{"break_inside_quotes_kept_as_written", "\"x\r\ny\nz\",w\r\nnext\r\n",
                 {{"x\r\ny\nz", "w"}, {"next"}}, {1, 4}},
        ReadCase{"empty_quoted", "\"\",a\r\n", {{"", "a"}}, {1}},
        ReadCase{"chinese", "姓,名\r\n张,飞\r\n", {{"姓", "名"}, {"张", "飞"}}, {1, 2}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CsvTest, RefusesMalformedTextNamingItsLine)
{
    const std::pair<QString, QString> cases[] = {
        {"a\r\n\"open,b\r\nc", "第 2 行开始的引号没有结束。"},
        {"a\r\nb\"c\r\n", "第 2 行：未加引号的格子里有引号。"},
        {"a\r\n\"x\"y\r\n", "第 2 行：引号结束后应是分隔符或换行。"},
    };
    for (const auto& [text, error] : cases) {
        const CsvParse parse = ReadCsv(text);
        ASSERT_TRUE(parse.error) << text.toStdString();
        EXPECT_EQ(*parse.error, error);
    }
}

TEST(CsvTest, WrittenRecordsReadBackAndQuoteOnlyWhatNeedsIt)
{
    const QStringList cells = {"plain", "a,b", "q\"q", "line\nbreak", "cr\r\nlf", " blank ", "", "张飞"};
    const QString line = WriteCsvRecord(cells);
    EXPECT_EQ(line, "plain,\"a,b\",\"q\"\"q\",\"line\nbreak\",\"cr\r\nlf\",\" blank \",,张飞\r\n");
    const CsvParse parse = ReadCsv(line + WriteCsvRecord({"x"}));
    ASSERT_FALSE(parse.error);
    ASSERT_EQ(parse.records.size(), 2u);
    EXPECT_EQ(parse.records[0].cells, cells);
}

TEST(CsvTest, SeparatorComesFromTheFirstLine)
{
    EXPECT_EQ(GuessCsvSeparator("编号;姓\r\n1,2"), u';');
    EXPECT_EQ(GuessCsvSeparator("编号\t姓"), u'\t');
    EXPECT_EQ(GuessCsvSeparator("\"a;b\",c"), u',');
    EXPECT_EQ(GuessCsvSeparator("编号\r\na;b"), u',');
}

} // namespace
