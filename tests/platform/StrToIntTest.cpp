#include "platform/Errors.h"
#include "platform/StrToInt.h"

#include <gtest/gtest.h>

namespace {

struct Accepted {
    const char* name;
    const char* text;
    std::int32_t value;
};

const Accepted kAccepted[] = {
    {"digits", "80", 80},
    {"zero", "0", 0},
    {"leadingblanks", "   80", 80},
    {"plus", "+7", 7},
    {"minus", "-1", -1},
    {"blanksthensign", "  -12", -12},
    {"dollarhex", "$ff", 255},
    {"xhex", "x1A", 26},
    {"upperxhex", "X1a", 26},
    {"zeroxhex", "0x10", 16},
    {"zeroupperxhex", "0X10", 16},
    {"negativehex", "-$10", -16},
    {"leadingzeros", "007", 7},
    {"max", "2147483647", 2147483647},
    {"min", "-2147483648", -2147483647 - 1},
    {"hexmax", "$7FFFFFFF", 2147483647},
    {"u16max", "65535", 65535},
    {"beyond16bits", "70000", 70000},
};

const char* const kRefused[] = {
    "", " ", "80 ", "8 0", "9a", "a9", "+", "-", "$", "0x", "x", "--1", "+-1", "1e3", "\t80",
    "2147483648", "-2147483649", "$80000000", "$FFFFFFFF", "99999999999999999999", "0x-1", "$ 1",
};

TEST(StrToIntTest, AcceptsWhatTheRuleNames)
{
    for (const Accepted& c : kAccepted) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(StrToInt(QString::fromLatin1(c.text)), c.value);
    }
}

TEST(StrToIntTest, RefusesEverythingElseWithTheConversionMessage)
{
    for (const char* text : kRefused) {
        SCOPED_TRACE(text);
        try {
            StrToInt(QString::fromLatin1(text));
            ADD_FAILURE() << "accepted";
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("'%1' is not a valid integer value.").arg(QString::fromLatin1(text)));
        }
    }
}

TEST(StrToIntTest, RefusesNonAsciiDigitsAndWords)
{
    for (const QString& text : {QStringLiteral("无"), QStringLiteral("８０"), QStringLiteral("8é")}) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_THROW(StrToInt(text), ConversionError);
    }
}

} // namespace
