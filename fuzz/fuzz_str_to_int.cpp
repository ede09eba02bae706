// The strict text-to-integer conversion against a reference parser of its rule: an optional run
// of leading blanks, an optional "+" or "-", then decimal digits or a hexadecimal number after
// "$", "x" or "0x" (either case of x); the value must fit a signed 32-bit integer; anything else
// is refused. The reference decides the range by comparing digit strings, not by arithmetic.

#include "fuzz/FuzzCheck.h"

#include "platform/Errors.h"
#include "platform/StrToInt.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace {

bool IsDigit(char c, bool hex)
{
    if (c >= '0' && c <= '9')
        return true;
    return hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'));
}

// Digits without leading zeros, letters in upper case.
std::string Canonical(std::string_view digits)
{
    std::string out;
    for (char c : digits) {
        if (out.empty() && c == '0')
            continue;
        out += (c >= 'a' && c <= 'f') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return out;
}

// a <= b for canonical digit strings of one base.
bool NotGreater(const std::string& a, const std::string& b)
{
    return a.size() != b.size() ? a.size() < b.size() : a <= b;
}

std::optional<std::int64_t> Reference(std::string_view text)
{
    std::size_t i = text.find_first_not_of(' ');
    if (i == std::string_view::npos)
        return std::nullopt;
    text.remove_prefix(i);
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    bool hex = false;
    for (std::string_view prefix : {"$", "x", "X", "0x", "0X"}) {
        if (text.substr(0, prefix.size()) == prefix) {
            hex = true;
            text.remove_prefix(prefix.size());
            break;
        }
    }
    if (text.empty())
        return std::nullopt;
    for (char c : text)
        if (!IsDigit(c, hex))
            return std::nullopt;
    const std::string digits = Canonical(text);
    const std::string limit = hex ? (negative ? "80000000" : "7FFFFFFF") : (negative ? "2147483648" : "2147483647");
    if (!NotGreater(digits, limit))
        return std::nullopt;
    std::int64_t magnitude = 0;
    for (char c : digits)
        magnitude = magnitude * (hex ? 16 : 10) + (c <= '9' ? c - '0' : c - 'A' + 10);
    return negative ? -magnitude : magnitude;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<std::int64_t> want = Reference(text);
    const std::optional<std::int32_t> got = TryStrToInt(text);
    FUZZ_CHECK(got.has_value() == want.has_value() && (!got || *got == *want), "\"%.*s\": got %s, want %s",
               static_cast<int>(size), text.data(), got ? std::to_string(*got).c_str() : "refused",
               want ? std::to_string(*want).c_str() : "refused");

    // The QString form agrees, and a refusal names the text.
    const QString qtext = QString::fromLatin1(text.data(), static_cast<qsizetype>(size));
    try {
        const std::int32_t value = StrToInt(qtext);
        FUZZ_CHECK(want && value == *want, "StrToInt accepted \"%.*s\"", static_cast<int>(size), text.data());
    } catch (const ConversionError& e) {
        FUZZ_CHECK(!want, "StrToInt refused \"%.*s\"", static_cast<int>(size), text.data());
        FUZZ_CHECK(e.message() == QStringLiteral("'%1' is not a valid integer value.").arg(qtext), "message");
    }
    return 0;
}
