#include "codeconv/Jislib.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

std::string Convert(const Bytes& in, char* (*convert)(char*))
{
    std::string text(in.begin(), in.end());
    text.push_back('\0');
    char* result = convert(text.data());
    EXPECT_EQ(result, text.data()) << "converts in place";
    EXPECT_EQ(text.back(), '\0') << "the terminator stays";
    text.pop_back();
    return text;
}

std::string Str(const Bytes& b)
{
    return std::string(b.begin(), b.end());
}

class ConversionTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(LoadCodeTable()); }
};

struct Case {
    const char* name;
    bool toJis;
    Bytes in;
    Bytes out;
};

TEST_F(ConversionTest, WorkedExamples)
{
    const Case cases[] = {
        {"liubei_to_jis", true, {0xC1, 0xF5, 0xB1, 0xB8}, {0x97, 0xAB, 0x94, 0xF5}},     // 刘备 -> 劉備
        {"liubei_from_jis", false, {0x97, 0xAB, 0x94, 0xF5}, {0xC1, 0xF5, 0xB1, 0xB8}},
        {"ascii_stays", true, {0x41, 0xD5, 0xC5, 0x42}, {0x41, 0x92, 0xA3, 0x42}},       // A张B -> A張B
        {"qiu_own_row", true, {0xC7, 0xEF}, {0x8F, 0x48}},                                // 秋 -> 秋, not 穐
        {"qiu_from_variant", false, {0x88, 0xAA}, {0xC7, 0xEF}},
        {"qiu_from_own", false, {0x8F, 0x48}, {0xC7, 0xEF}},
        {"cun_own_row", true, {0xB4, 0xE7}, {0x90, 0xA1}},                                // 寸 -> 寸, not 吋
        {"yan_own_row", true, {0xD1, 0xD2}, {0x8A, 0xE2}},                                // 岩 -> 岩, not 巌
        {"man_first_match", true, {0xC2, 0xFA}, {0x96, 0x9E}},                            // 满 -> 満
        {"tou_simplified", false, {0x93, 0xAA}, {0xCD, 0xB7}},                            // 頭 -> 头
        {"no_substitute", false, {0x96, 0x8F, 0x96, 0xD8}, {0x3F, 0x20, 0xC4, 0xBE}},     // 柾木 -> "? "木
        {"question_mark_stays", true, {0x3F, 0x20, 0xC4, 0xBE}, {0x3F, 0x20, 0x96, 0xD8}},
        {"lone_lead_to_jis", true, {0x41, 0xC1}, {0x41, 0xC1}},
        {"lone_lead_from_jis", false, {0x41, 0x97}, {0x41, 0x97}},
        {"empty", true, {}, {}},
        {"no_row_keeps_bytes", false, {0x82, 0x57}, {0x82, 0x57}},                        // full-width digit
        {"crlf_passes", false, {0x97, 0xAB, 0x0D, 0x0A, 0x93, 0xAA}, {0xC1, 0xF5, 0x0D, 0x0A, 0xCD, 0xB7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Convert(c.in, c.toJis ? static_cast<char* (*)(char*)>(ToJis) : static_cast<char* (*)(char*)>(FromJis)),
                  Str(c.out));
    }
}

TEST_F(ConversionTest, BoundedConversionNeverTouchesBytesBeyondItsLength)
{
    // 刘 followed by a lead byte at the edge of the range and a guard byte that must not be read.
    unsigned char buffer[] = {0xC1, 0xF5, 0xC1, 0xF5};
    ToJis(reinterpret_cast<char*>(buffer), 3);
    EXPECT_EQ(buffer[0], 0x97);
    EXPECT_EQ(buffer[1], 0xAB);
    EXPECT_EQ(buffer[2], 0xC1) << "a lead byte in the last position stays alone";
    EXPECT_EQ(buffer[3], 0xF5);
}

// What the editor shows is what the game gets: a Shift-JIS character that comes in as itself
// goes back as itself, and any character the editor lets through reads back unchanged.
TEST_F(ConversionTest, EveryCharacterSurvivesTheRoundTrip)
{
    int sameCharacterRows = 0;
    for (int row = 0; row < kCodeTableRows; ++row) {
        const std::uint16_t gbk = GbkCodes[row];
        const std::uint16_t jis = JisCodes[row];
        if (gbk == 0 || gbk == kUnshownGbk)
            continue;
        std::string text{static_cast<char>(gbk & 0xFF), static_cast<char>(gbk >> 8)};
        ASSERT_TRUE(MapsToJis(gbk));
        ToJis(text.data(), text.size());
        FromJis(text.data(), text.size());
        ASSERT_EQ(text, std::string({static_cast<char>(gbk & 0xFF), static_cast<char>(gbk >> 8)})) << "row " << row;

        // A row that pairs a character with itself is the one its GBK code converts through.
        std::string jisText{static_cast<char>(jis >> 8), static_cast<char>(jis & 0xFF)};
        FromJis(jisText.data(), jisText.size());
        ToJis(jisText.data(), jisText.size());
        if (jisText == std::string({static_cast<char>(jis >> 8), static_cast<char>(jis & 0xFF)}))
            ++sameCharacterRows;
    }
    // The 3747 rows whose GBK code is the same character, and substitutes no other row shares.
    EXPECT_GE(sameCharacterRows, 3747);
}

TEST_F(ConversionTest, UnmappableCharactersAreNamedOnceInOrder)
{
    // 涿 (E4 C3) and 诩 (DA BC) have no row; 张 has; a lone lead byte ends the text.
    const std::string text = "\xE4\xC3" "a" "\xD5\xC5" "\xDA\xBC" "\xE4\xC3" "\x80";
    EXPECT_EQ(UnmappableCharacters(text), (std::vector<std::uint16_t>{0xC3E4, 0xBCDA, 0x80}));
    EXPECT_TRUE(UnmappableCharacters("ab\xD5\xC5").empty());
    // 柾 (96 8F) comes in as "? "; 木 (96 D8) as itself.
    EXPECT_EQ(CountUnshownJis("\x96\x8F\x96\xD8\x96\x8F"), 2);
}

TEST_F(ConversionTest, IndexedLookupsEqualTheScansForEveryKey)
{
    for (int key = 0; key < 65536; ++key) {
        const auto k = static_cast<std::uint16_t>(key);
        ASSERT_EQ(FindJis(k), FindJisLinear(k)) << "gbk key " << key;
        ASSERT_EQ(FindGbk(k), FindGbkLinear(k)) << "jis key " << key;
    }
}

} // namespace
