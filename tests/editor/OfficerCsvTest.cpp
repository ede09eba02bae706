#include "editor/OfficerCsv.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <string_view>
#include <sys/stat.h>
#include <type_traits>

namespace {

static_assert(std::has_unique_object_representations_v<OfficerTable>, "tables compare byte for byte");

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

std::vector<int> AllSlots()
{
    std::vector<int> officers(kSlotCount);
    std::iota(officers.begin(), officers.end(), 0);
    return officers;
}

QByteArray Utf8WithBom(const QString& text)
{
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

OfficerCsvImport Import(const QByteArray& bytes, const OfficerTable& table, std::optional<int> into = {})
{
    const OfficerCsvRead read = ParseOfficerCsv(bytes);
    if (!read.errors.isEmpty())
        return {nullptr, {}, read.errors};
    return ImportOfficerCsv(read.csv, table, into);
}

// Random bytes in every field of every slot, so that anything an import should not touch shows.
class OfficerCsvTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QRandomGenerator random(15);
        auto* raw = reinterpret_cast<unsigned char*>(&table);
        for (std::size_t i = 0; i < sizeof(OfficerTable); ++i)
            raw[i] = static_cast<unsigned char>(random.bounded(256));
    }

    OfficerTable table{};
};

// Export then import changes no byte: random bytes everywhere, slot 0 all zeros, slot 109 all
// ones, and slot 54 with texts that need quoting, line breaks of every kind and raw 读音 bytes.
TEST_F(OfficerCsvTest, ExportThenImportChangesNoByte)
{
    auto setSlot = [&](int slot, unsigned char byte) {
        for (auto* field : {&table.Type, &table.Belief, &table.Character, &table.Drink, &table.Care, &table.Desire,
                            &table.Gender})
            (*field)[slot] = byte;
        for (auto* field : {&table.Tongshuai, &table.Wuli, &table.Zhili, &table.Zhengzhi, &table.Meili,
                            &table.Shengwang, &table.Face, &table.BornYear, &table.EnterYear, &table.DeadYear,
                            &table.Father, &table.Mother, &table.Another, &table.Xiangxing})
            (*field)[slot] = static_cast<std::uint16_t>(byte * 0x101);
        table.Xing[slot].fill(static_cast<char>(byte));
        table.Ming[slot].fill(static_cast<char>(byte));
        table.Zi[slot].fill(static_cast<char>(byte));
        table.Yin[slot].fill(static_cast<char>(byte));
        table.Story[slot].fill(static_cast<char>(byte));
        table.Skills[slot].fill(byte);
    };
    setSlot(0, 0x00);
    setSlot(109, 0xFF);
    PutBytes(table.Xing[54], std::string_view("\"\xD5\xC5\0\x7F", 5));              // "张, a byte after
    PutBytes(table.Ming[54], std::string_view(", \r\0", 4));                         // comma, blank, lone CR
    PutBytes(table.Zi[54], std::string_view("\x81\0\xFF\xFF\xFF", 5));               // a lead byte alone
    PutBytes(table.Yin[54], std::string_view("\\x41\x01\x80\xFF\"\t\0\x99", 11));    // escapes, controls
    PutBytes(table.Story[54], std::string_view("a,\"b\"\r\nc\rd\ne\r\n\r\n \0\x42", 20));
    table.Father[54] = 860;
    table.Mother[54] = 65534;
    table.Another[54] = 859;
    table.Xiangxing[54] = 65535;
    table.Type[54] = 6;
    table.Character[54] = 0; // "小心 ", whose blank a spreadsheet might lose
    table.Skills[54] = {0x00, 0xFF, 0x5A, 0x00, 0x01, 0xFC};

    const QByteArray file = ExportOfficerCsv(table, AllSlots());
    const OfficerCsvImport result = Import(file, table);
    ASSERT_TRUE(result.table) << result.errors.join(u'\n').toStdString();
    EXPECT_EQ(result.officers, AllSlots());
    EXPECT_TRUE(SameTable(*result.table, table));
}

TEST_F(OfficerCsvTest, ExportWritesReadableCells)
{
    PutBytes(table.Xing[2], std::string_view("\xD5\xC5\0", 3)); // 张
    PutBytes(table.Ming[2], std::string_view("\xB7\xC9\0", 3)); // 飞
    PutBytes(table.Zi[2], std::string_view("\0", 1));
    PutBytes(table.Yin[2], std::string_view("Zhang\\\x82\0", 8));
    PutBytes(table.Story[2], std::string_view("\xD1\xE0\xC8\xCB\r\n\"\xCE\xE4\"\0", 11)); // 燕人 / "武"
    table.Gender[2] = 0;
    table.Face[2] = 2049;
    table.Tongshuai[2] = 0;
    table.Wuli[2] = 65535;
    table.Type[2] = 1;
    table.Desire[2] = 2;
    table.Belief[2] = 9;
    table.Character[2] = 0;
    table.Drink[2] = 255;
    table.Care[2] = 2;
    table.Father[2] = 0;
    table.Mother[2] = 65535;
    table.Another[2] = 1000;
    table.Xiangxing[2] = 652;
    table.Skills[2] = {0x81, 0, 0, 0, 0, 0xFE}; // 农业, 突击, 仙人 and six bits with no skill

    const QByteArray file = ExportOfficerCsv(table, {2});
    ASSERT_TRUE(file.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(file.mid(3)).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 3); // header, the row (its biography's break is a lone LF), and nothing after
    EXPECT_EQ(lines[2], QString());
    EXPECT_TRUE(lines[0].startsWith("编号,姓,名,字,读音,性别,头像,诞生年,登场年,死亡年,统率,武力,智力,政治,魅力,名声,"
                                    "类型,物欲,信念,性格,饮酒,关心,父亲,母亲,配偶,相性,列传,农业,商业,技术,"));
    EXPECT_TRUE(lines[0].endsWith(",间谍,酒豪,医者,仙人"));
    const QString row = lines[1];
    EXPECT_TRUE(row.startsWith(QStringLiteral("652,张,飞,,Zhang\\\\\\x82,男,2049,%1,%2,%3,0,65535,")
                                   .arg(table.BornYear[2])
                                   .arg(table.EnterYear[2])
                                   .arg(table.DeadYear[2])))
        << row.toStdString();
    EXPECT_TRUE(row.contains(",猛将,强欲,9,\"小心 \",255,读书,0,无,1000,652,\"燕人\n\"\"武\"\"\",1,,,,,,,1,"))
        << row.toStdString();
    EXPECT_TRUE(row.endsWith(",,1")) << row.toStdString();
}

// A file as a spreadsheet saves it: byte order mark, CR LF, quoted cells, columns reordered
// and left out. Exactly the given fields change.
TEST_F(OfficerCsvTest, SpreadsheetSavedFileChangesOnlyItsCells)
{
    PutBytes(table.Story[54], std::string_view("old\0tail", 8));
    const QString text = QStringLiteral(
        "武力,\"编号\",列传,姓,类型,父亲,突击,读音\r\n"
        "90,704,\"第一行\n第二行, 有逗号\",\"关\",猛将,无,1,\"a\\x82\"\r\n"
        "\"7\",652,,张,\"  将军 \",496,,\r\n"
        ",,,,,,,\r\n");
    OfficerTable expected = table;
    expected.Wuli[54] = 90;
    PutBytes(expected.Story[54], std::string_view("\xB5\xDA\xD2\xBB\xD0\xD0\r\n" // 第一行
                                                  "\xB5\xDA\xB6\xFE\xD0\xD0, "   // 第二行,
                                                  "\xD3\xD0\xB6\xBA\xBA\xC5\0", // 有逗号
                                                  23));
    PutBytes(expected.Xing[54], std::string_view("\xB9\xD8\0", 3));
    expected.Type[54] = 1;
    expected.Father[54] = 65535;
    expected.Skills[54][0] |= 0x80;
    PutBytes(expected.Yin[54], std::string_view("a\x82\0", 3));
    expected.Wuli[2] = 7;
    PutBytes(expected.Story[2], std::string_view("\0", 1));
    PutBytes(expected.Xing[2], std::string_view("\xD5\xC5\0", 3));
    expected.Type[2] = 4;
    expected.Father[2] = 496;
    expected.Skills[2][0] &= 0x7F;
    PutBytes(expected.Yin[2], std::string_view("\0", 1));

    // The same file in the other forms a spreadsheet may save it in.
    QStringEncoder gbk("GBK");
    QString tabs = text;
    tabs.replace(u',', u'\t');
    tabs.replace(QStringLiteral("第二行\t 有逗号"), QStringLiteral("第二行, 有逗号"));
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    QString semicolons = text;
    semicolons.replace(u',', u';');
    semicolons.replace(QStringLiteral("第二行; 有逗号"), QStringLiteral("第二行, 有逗号"));
    const std::pair<const char*, QByteArray> files[] = {
        {"utf-8 with bom", Utf8WithBom(text)},
        {"utf-8", text.toUtf8()},
        {"gbk", gbk.encode(text)},
        {"utf-16 with tabs", utf16.encode(tabs)},
        {"semicolons", Utf8WithBom(semicolons)},
    };
    for (const auto& [name, bytes] : files) {
        const OfficerCsvImport result = Import(bytes, table);
        ASSERT_TRUE(result.table) << name << ": " << result.errors.join(u'\n').toStdString();
        EXPECT_EQ(result.officers, (std::vector<int>{54, 2})) << name;
        EXPECT_TRUE(SameTable(*result.table, expected)) << name;
    }
}

struct BadCell {
    const char* name;
    QString column;
    QString cell;
    QString error; // the whole message for row 2
};

class OfficerCsvBadCellTest : public OfficerCsvTest, public ::testing::WithParamInterface<BadCell> {};

// Every kind of bad cell names its row and column, and gives no table.
TEST_P(OfficerCsvBadCellTest, NamesRowAndColumnAndStoresNothing)
{
    const BadCell& c = GetParam();
    table.Type[2] = 0;
    table.Father[2] = 0;
    QString cell = c.cell;
    if (cell.contains(u'"') || cell.contains(u',') || cell.contains(u'\n'))
        cell = u'"' + cell.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
    const QString text = QStringLiteral("编号,%1\r\n652,%2\r\n").arg(c.column, cell);
    const OfficerCsvImport result = Import(Utf8WithBom(text), table);
    EXPECT_FALSE(result.table);
    EXPECT_TRUE(result.officers.empty());
    EXPECT_EQ(result.errors, QStringList{c.error});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OfficerCsvBadCellTest,
    ::testing::Values(
        BadCell{"number_not_a_number", "武力", "9a", "第 2 行“武力”列：'9a' is not a valid integer value."},
        BadCell{"number_too_big", "统率", "70000", "第 2 行“统率”列：数值 70000 超出范围，应在 0 到 65535 之间。"},
        BadCell{"number_negative", "头像", "-1", "第 2 行“头像”列：数值 -1 超出范围，应在 0 到 65535 之间。"},
        BadCell{"number_empty", "名声", "", "第 2 行“名声”列：不能为空"},
        BadCell{"choice_unknown", "类型", "神将", "第 2 行“类型”列：“神将”不是可选的一项（平凡、猛将、识者、策士、将军、万能）"},
        BadCell{"choice_byte_not_stored", "类型", "6", "第 2 行“类型”列：“6”不是可选的一项（平凡、猛将、识者、策士、将军、万能）"},
        BadCell{"choice_empty", "性别", "", "第 2 行“性别”列：“”不是可选的一项（男、女）"},
        BadCell{"relation_beyond_roster", "父亲", "860", "第 2 行“父亲”列：“860”不是人物编号（0 到 859，或“无”）"},
        BadCell{"relation_name", "母亲", "张飞", "第 2 行“母亲”列：“张飞”不是人物编号（0 到 859，或“无”）"},
        BadCell{"text_too_long", "姓", "诸葛亮", "第 2 行“姓”列：有 6 字节，最多 4 字节（汉字和换行各算 2 字节）"},
        BadCell{"text_line_break", "名", "a\nb", "第 2 行“名”列：不能换行"},
        BadCell{"text_not_gbk", "字", "😀", "第 2 行“字”列：“字”中有 GBK 无法表示的字符，请删去后再确认修改。"},
        BadCell{"story_too_long", "列传", QString(76, u'传'), "第 2 行“列传”列：有 152 字节，最多 150 字节（汉字和换行各算 2 字节）"},
        BadCell{"reading_bad_escape", "读音", "a\\q", "第 2 行“读音”列：“\\”后应是“\\”或“x”加两位十六进制数"},
        BadCell{"reading_short_escape", "读音", "\\x4", "第 2 行“读音”列：“\\”后应是“\\”或“x”加两位十六进制数"},
        BadCell{"reading_zero", "读音", "\\x00", "第 2 行“读音”列：\\x00 会截断读音"},
        BadCell{"reading_too_long", "读音", "abcdef\\xFF\\xFEghi", "第 2 行“读音”列：有 11 字节，最多 10 字节"},
        BadCell{"reading_not_gbk", "读音", "😀", "第 2 行“读音”列：“😀”没有 GBK 编码"},
        BadCell{"skill", "突击", "有", "第 2 行“突击”列：“有”应为 1（有此技能）或空白"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OfficerCsvTest, RefusesBadRowsAndHeaders)
{
    const std::pair<QString, QStringList> cases[] = {
        {"编号,武力\r\n649,1\r\n", {"第 2 行“编号”列：应为 650 到 759 的武将编号"}},
        {"编号,武力\r\nabc,1\r\n", {"第 2 行“编号”列：应为 650 到 759 的武将编号"}},
        {"编号,武力\r\n700,1\r\n701,2\r\n700,3\r\n", {"第 4 行“编号”列：与第 2 行是同一名武将"}},
        {"武力\r\n1\r\n", {"第 1 行：缺少“编号”列，不知道每行是哪一名武将。"}},
        {"编号,武カ\r\n700,1\r\n", {"第 1 行：不认识的列“武カ”。"}},
        {"编号,武力,武力\r\n700,1,2\r\n", {"第 1 行：“武力”列出现了不止一次。"}},
        {"编号,武力\r\n700,1,2\r\n", {"第 2 行：格子比标题行多。"}},
        {"编号,,武力\r\n700,5,2\r\n", {"第 2 行：第 2 格所在的列没有列名。"}},
        {"编号,列传\r\n700,\"open\r\n", {"第 2 行开始的引号没有结束。"}},
        {"编号,武力\r\n", {"文件里没有武将。"}},
        {"", {"文件是空的，没有标题行。"}},
        // Errors in several rows are all reported.
        {"编号,武力,类型\r\n700,x,平凡\r\n701,1,无\r\n",
         {"第 2 行“武力”列：'x' is not a valid integer value.", "第 3 行“类型”列：“无”不是可选的一项（平凡、猛将、识者、策士、将军、万能）"}},
    };
    for (const auto& [text, errors] : cases) {
        const OfficerCsvImport result = Import(Utf8WithBom(text), table);
        EXPECT_FALSE(result.table) << text.toStdString();
        EXPECT_EQ(result.errors, errors) << text.toStdString();
    }
    EXPECT_EQ(Import(QByteArray("\x81\x20\x81"), table).errors, QStringList{"文件不是 UTF-8 或 GBK 编码的文本。"});
}

// Trailing empty cells a spreadsheet adds, and empty header cells over empty columns, are fine;
// a column of its own ("备注") is not.
TEST_F(OfficerCsvTest, ToleratesWhatSpreadsheetsAdd)
{
    const OfficerCsvImport result = Import(Utf8WithBom("编号,武力,\r\n700,12,,,\r\n"), table);
    ASSERT_TRUE(result.table) << result.errors.join(u'\n').toStdString();
    EXPECT_EQ(result.table->Wuli[50], 12);
}

// One officer into a chosen slot: its 编号 is ignored, the row's fields replace the slot's,
// and no other slot changes.
TEST_F(OfficerCsvTest, ImportsOneRowIntoAChosenSlot)
{
    // Values any slot may take: a changed choice or relation must be one the editor offers.
    table.Type[3] = 2;
    table.Belief[3] = 0;
    table.Character[3] = 3;
    table.Drink[3] = 1;
    table.Care[3] = 0;
    table.Desire[3] = 255;
    table.Gender[3] = 1;
    table.Father[3] = 0;
    table.Mother[3] = 859;
    table.Another[3] = 65535;
    table.Xiangxing[3] = 653;
    // and texts with a GBK form: random bytes may decode to characters that cannot be stored
    PutBytes(table.Xing[3], std::string_view("\xD5\xC5\0", 3));
    PutBytes(table.Ming[3], std::string_view("\xB7\xC9\0", 3));
    PutBytes(table.Zi[3], std::string_view("\0", 1));
    PutBytes(table.Yin[3], std::string_view("\x01\xFFz\0", 4));
    PutBytes(table.Story[3], std::string_view("a\r\nb\0", 5));
    const QByteArray one = ExportOfficerCsv(table, {3});
    const OfficerCsvImport result = Import(one, table, 80);
    ASSERT_TRUE(result.table) << result.errors.join(u'\n').toStdString();
    EXPECT_EQ(result.officers, std::vector<int>{80});

    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (slot == 80)
            continue;
        EXPECT_EQ(ExportOfficerCsv(*result.table, {slot}), ExportOfficerCsv(table, {slot})) << slot;
    }
    QByteArray moved = ExportOfficerCsv(*result.table, {80});
    moved.replace("\r\n730,", "\r\n653,");
    EXPECT_EQ(moved, one);

    EXPECT_EQ(Import(ExportOfficerCsv(table, {3, 4}), table, 80).errors,
              QStringList{"文件里有 2 名武将；导入到选中的武将时文件里只能有一名。"});
    EXPECT_TRUE(Import(Utf8WithBom("武力\r\n5\r\n"), table, 80).table) << "no 编号 is needed";
}

TEST_F(OfficerCsvTest, FilesThatAreNotRegularOrCannotBeWrittenAreRefused)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString fifo = dir.filePath("pipe.csv");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(ReadOfficerCsvFile(fifo).errors, QStringList{QStringLiteral("“%1”不是普通文件，无法导入。").arg(fifo)});
    EXPECT_EQ(ReadOfficerCsvFile(dir.path()).errors,
              QStringList{QStringLiteral("“%1”不是普通文件，无法导入。").arg(dir.path())});
    const QString missing = dir.filePath("missing.csv");
    EXPECT_EQ(ReadOfficerCsvFile(missing).errors, QStringList{QStringLiteral("找不到文件“%1”。").arg(missing)});

    const QString big = dir.filePath("big.csv");
    {
        QFile f(big);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(5 * 1024 * 1024));
    }
    ASSERT_EQ(ReadOfficerCsvFile(big).errors.size(), 1);
    EXPECT_TRUE(ReadOfficerCsvFile(big).errors[0].contains("超过 4 MB"));

    const QString written = dir.filePath("out.csv");
    EXPECT_FALSE(WriteOfficerCsvFile(written, ExportOfficerCsv(table, AllSlots())));
    const OfficerCsvRead read = ReadOfficerCsvFile(written);
    ASSERT_TRUE(read.errors.isEmpty());
    EXPECT_EQ(read.csv.rows.size(), 110u);

    // A folder that cannot be made, whoever runs the test: its parent is a file.
    const QString nowhere = big + "/out.csv";
    const std::optional<QString> error = WriteOfficerCsvFile(nowhere, "x");
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->startsWith(QStringLiteral("无法写入文件“%1”：").arg(nowhere))) << error->toStdString();
}

} // namespace
