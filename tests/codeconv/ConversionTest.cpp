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
        {"qiu_first_row", true, {0xC7, 0xEF}, {0x88, 0xAA}},                              // 秋 -> 穐
        {"qiu_from_variant", false, {0x88, 0xAA}, {0xC7, 0xEF}},
        {"qiu_from_own", false, {0x8F, 0x48}, {0xC7, 0xEF}},
        {"cun_first_row", true, {0xB4, 0xE7}, {0x89, 0x44}},                              // 寸 -> 吋
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

TEST_F(ConversionTest, IndexedLookupsEqualTheFirstMatchScanForEveryKey)
{
    for (int key = 0; key < 65536; ++key) {
        const auto k = static_cast<std::uint16_t>(key);
        ASSERT_EQ(FindJis(k), FindJisLinear(k)) << "gbk key " << key;
        ASSERT_EQ(FindGbk(k), FindGbkLinear(k)) << "jis key " << key;
    }
}

} // namespace
