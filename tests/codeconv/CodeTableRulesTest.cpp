// Checks the committed code table (resources/codetable.bin, made by tools/make_code_table.py)
// against its fixed rules, read through the program's own loader. The character sets come
// from Qt's converters (ICU), an implementation independent of the generator's codecs.

#include "codeconv/Jislib.h"

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

constexpr int kFirstCodedRow = 180;
constexpr std::uint16_t kQuestion = 0x3F + 256 * 0x20; // "? " as the GBK column holds it

bool IsJisLead(int b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The one character a double-byte code page 932 code stands for, or an empty string.
QString JisChar(std::uint16_t jis)
{
    const char bytes[2] = {static_cast<char>(jis >> 8), static_cast<char>(jis & 0xFF)};
    QStringDecoder decoder("windows-31j");
    const QString text = decoder.decode(QByteArrayView(bytes, 2));
    if (decoder.hasError() || text.size() != 1 || text[0] == QChar::ReplacementCharacter)
        return {};
    return text;
}

QString GbkChar(std::uint16_t gbk)
{
    const char bytes[2] = {static_cast<char>(gbk & 0xFF), static_cast<char>(gbk >> 8)};
    QStringDecoder decoder("GBK");
    const QString text = decoder.decode(QByteArrayView(bytes, 2));
    return decoder.hasError() ? QString() : text;
}

// The GBK code of a character as the GBK column stores it (lead + 256 * trail).
std::optional<std::uint16_t> GbkCode(const QString& ch)
{
    QStringEncoder encoder("GBK");
    const QByteArray bytes = encoder.encode(ch);
    if (encoder.hasError() || bytes.size() != 2)
        return std::nullopt;
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[0])
                                      + 256 * static_cast<unsigned char>(bytes[1]));
}

// GB2312 is the two-byte range A1 A1 to F7 FE of GBK.
bool InGb2312(std::uint16_t gbk)
{
    const int lead = gbk & 0xFF;
    const int trail = gbk >> 8;
    return lead >= 0xA1 && lead <= 0xF7 && trail >= 0xA1 && trail <= 0xFE;
}

bool HasNoRow(int jis)
{
    return (jis >= 0x874A && jis <= 0x8753) || (jis >= 0x875F && jis <= 0x876E) || jis == 0x877E
        || jis == 0x8781 || jis == 0x8783 || (jis >= 0x8785 && jis <= 0x878F);
}

// Characters outside GB2312 that keep their own GBK code.
const QString kKeepOwnCode = QStringLiteral("㎜㎝㎞㎎㎏㏄㎡℡≒∟⊿鯵扱鰯噂榎樫橿梶椛鞄");

class CodeTableRulesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(LoadCodeTable()); }
};

TEST_F(CodeTableRulesTest, RowsHoldEveryCodeOnceInAscendingOrder)
{
    const std::uint16_t punctuation[4][2] = {
        {0xA1A1, 0x8140}, // full-width space
        {0xA2A1, 0x8141}, // 、
        {0xA3A1, 0x8142}, // 。
        {0xACA3, 0x8143}, // ，
    };
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(GbkCodes[row], punctuation[row][0]) << "row " << row;
        EXPECT_EQ(JisCodes[row], punctuation[row][1]) << "row " << row;
    }
    for (int row = 4; row < kFirstCodedRow; ++row)
        EXPECT_TRUE(GbkCodes[row] == 0 && JisCodes[row] == 0) << "row " << row;

    std::vector<std::uint16_t> expected;
    for (int jis = 0x829F; jis <= 0xEEB7; ++jis) {
        const int trail = jis & 0xFF;
        if (IsJisLead(jis >> 8) && trail >= 0x40 && trail <= 0xFC && trail != 0x7F && !HasNoRow(jis)
            && !JisChar(static_cast<std::uint16_t>(jis)).isEmpty())
            expected.push_back(static_cast<std::uint16_t>(jis));
    }
    const std::vector<std::uint16_t> actual(JisCodes.begin() + kFirstCodedRow, JisCodes.end());
    const auto [got, want] = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    EXPECT_TRUE(got == actual.end() && want == expected.end())
        << "first difference at row " << kFirstCodedRow + (got - actual.begin()) << std::hex << ": holds "
        << (got == actual.end() ? 0 : *got) << ", expected " << (want == expected.end() ? 0 : *want);

    for (int row = 0; row < kCodeTableRows; ++row) {
        const std::uint16_t g = GbkCodes[row];
        const std::uint16_t j = JisCodes[row];
        if (g == 0 && j == 0)
            continue;
        EXPECT_TRUE((g & 0xFF) && (g >> 8) && (j & 0xFF) && (j >> 8))
            << "row " << row << " has a zero byte: " << std::hex << g << " " << j;
    }
}

TEST_F(CodeTableRulesTest, EachCharacterPairsWithItselfOrAStandIn)
{
    int gb2312Rows = 0;
    int keptRows = 0;
    int unshownRows = 0;
    int extensionStandIns = 0;
    for (int row = kFirstCodedRow; row < kCodeTableRows; ++row) {
        SCOPED_TRACE(testing::Message() << "row " << row << ", Shift-JIS " << std::hex << JisCodes[row]);
        const QString japanese = JisChar(JisCodes[row]);
        ASSERT_FALSE(japanese.isEmpty());
        const std::optional<std::uint16_t> own = GbkCode(japanese);

        if (own && InGb2312(*own)) {
            ++gb2312Rows;
            EXPECT_EQ(GbkCodes[row], *own) << "a GB2312 character pairs only with itself";
        } else if (kKeepOwnCode.contains(japanese)) {
            ++keptRows;
            ASSERT_TRUE(own.has_value());
            EXPECT_EQ(GbkCodes[row], *own);
        } else if (GbkCodes[row] == kQuestion) {
            ++unshownRows;
            EXPECT_EQ(japanese[0].category(), QChar::Letter_Other) << "only kanji go without a counterpart";
        } else {
            const QString standIn = GbkChar(GbkCodes[row]);
            EXPECT_EQ(standIn.size(), 1);
            EXPECT_NE(standIn, japanese);
            // A stand-in outside GB2312 is a simplified form that GBK's extension holds (鎔 -> 镕).
            EXPECT_TRUE(GbkCode(standIn) == GbkCodes[row]) << std::hex << GbkCodes[row];
            if (!InGb2312(GbkCodes[row]))
                ++extensionStandIns;
        }
    }
    EXPECT_EQ(gb2312Rows, 3722);
    EXPECT_EQ(keptRows, 21);
    EXPECT_LE(unshownRows, 755);
    EXPECT_LE(extensionStandIns, 60);
}

TEST_F(CodeTableRulesTest, NamedPairs)
{
    struct Pair {
        const char* name;
        std::uint16_t jis;
        unsigned char gbkLead;
        unsigned char gbkTrail;
    };
    const Pair pairs[] = {
        {"曹", 0x9182, 0xB2, 0xDC}, // shared form
        {"満", 0x969E, 0xC2, 0xFA}, // 满
        {"頭", 0x93AA, 0xCD, 0xB7}, // 头
        {"劉", 0x97AB, 0xC1, 0xF5}, // 刘
        {"穐", 0x88AA, 0xC7, 0xEF}, // 秋
        {"秋", 0x8F48, 0xC7, 0xEF}, // itself, and the row 秋 converts through
        {"連", 0x9841, 0xC1, 0xAC}, // 连, not 联
        {"姫", 0x9550, 0xBC, 0xA7}, // 姬
        {"嶋", 0x9388, 0xB5, 0xBA}, // 岛
        {"邉", 0xE7B3, 0xB1, 0xDF}, // 边
        {"薗", 0x8992, 0xD4, 0xB0}, // 园
        {"苅", 0x8AA1, 0xD8, 0xD7}, // 刈
        {"冨", 0x9579, 0xB8, 0xBB}, // 富
        {"紘", 0x8D68, 0xC0, 0x80}, // 纮, from GBK's extension
        {"辻", 0x92D2, 0x3F, 0x20}, // made in Japan: "? "
        {"畑", 0x94A8, 0x3F, 0x20},
        {"峠", 0x93BB, 0x3F, 0x20},
        {"込", 0x8D9E, 0x3F, 0x20},
        {"榊", 0x8DE5, 0x3F, 0x20},
        {"笹", 0x8DF9, 0x3F, 0x20},
        {"吋", 0x8944, 0xB4, 0xE7}, // 寸
        {"姶", 0x88A6, 0xE5, 0xFB}, // 妍
        {"鎔", 0xE84F, 0xE9, 0x46}, // 镕
        {"柾", 0x968F, 0x3F, 0x20}, // "? "
        {"麿", 0x969B, 0x3F, 0x20},
        {"﨧", 0xEEB7, 0x3F, 0x20},
        {"㎜", 0x876F, 0xA9, 0x4C},
        {"㎝", 0x8770, 0xA9, 0x4D},
        {"㎞", 0x8771, 0xA9, 0x4E},
        {"㎎", 0x8772, 0xA9, 0x4A},
        {"㎏", 0x8773, 0xA9, 0x4B},
        {"㏄", 0x8774, 0xA9, 0x50},
        {"㎡", 0x8775, 0xA9, 0x4F},
        {"℡", 0x8784, 0xA9, 0x59},
        {"≒", 0x8790, 0xA8, 0x50},
        {"∟", 0x8798, 0xA8, 0x4E},
        {"⊿", 0x8799, 0xA8, 0x53},
        {"鯵", 0x88B1, 0xF6, 0x59},
        {"扱", 0x88B5, 0x92, 0x51},
        {"鰯", 0x88F1, 0xF6, 0x94},
        {"噂", 0x895C, 0x87, 0x67},
        {"榎", 0x897C, 0x98, 0x5C},
        {"樫", 0x8A7E, 0x98, 0xD9},
        {"橿", 0x8A80, 0x99, 0x5E},
        {"梶", 0x8A81, 0x97, 0x7C},
        {"椛", 0x8A91, 0x97, 0xC9},
        {"鞄", 0x8A93, 0xEC, 0x8E},
    };
    for (const Pair& p : pairs) {
        SCOPED_TRACE(p.name);
        int row = kFirstCodedRow;
        while (row < kCodeTableRows && JisCodes[row] != p.jis)
            ++row;
        ASSERT_LT(row, kCodeTableRows) << "no row for " << std::hex << p.jis;
        EXPECT_EQ(GbkCodes[row], p.gbkLead + 256 * p.gbkTrail) << std::hex << GbkCodes[row];
    }
}

} // namespace
