// ToJis and FromJis on any bytes, and the round trip of texts whose every character has a row.
//
// The expected results come from a walk written here after the rule: a byte below 0x80 passes
// alone, any other byte takes the next one with it, and a pair is replaced by the first row that
// holds it or left alone; to Shift-JIS, a row that pairs a character with itself comes before
// the first row. The rows are scanned here, not looked up through the program's index.

#include "fuzz/FuzzCheck.h"

#include "codeconv/Jislib.h"

#include <QStringDecoder>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Reference {
    std::array<std::uint16_t, 65536> jisOfGbk{}; // key lead + 256 * trail, value 256 * lead + trail
    std::array<std::uint16_t, 65536> gbkOfJis{}; // key 256 * lead + trail, value lead + 256 * trail
    std::vector<std::uint16_t> mappedGbk;        // double-byte GBK characters some row holds
};

Reference& Ref()
{
    static Reference ref;
    return ref;
}

void BuildReference()
{
    Reference& ref = Ref();
    // From the last row to the first, so that the first row holding a code is what stays.
    for (int row = kCodeTableRows - 1; row >= 0; --row) {
        ref.jisOfGbk[GbkCodes[row]] = JisCodes[row];
        ref.gbkOfJis[JisCodes[row]] = GbkCodes[row];
    }
    ref.jisOfGbk[0] = ref.gbkOfJis[0] = 0;
    // The same character on both sides, told by Qt's own converters; the first such row wins.
    std::array<bool, 65536> self{};
    for (int row = 0; row < kCodeTableRows; ++row) {
        const std::uint16_t gbk = GbkCodes[row];
        const std::uint16_t jis = JisCodes[row];
        if (gbk == 0 || jis == 0 || (gbk & 0xFF) < 0x80 || self[gbk])
            continue;
        const char jisBytes[2] = {static_cast<char>(jis >> 8), static_cast<char>(jis & 0xFF)};
        const char gbkBytes[2] = {static_cast<char>(gbk & 0xFF), static_cast<char>(gbk >> 8)};
        QStringDecoder fromJis("windows-31j");
        QStringDecoder fromGbk("GBK");
        const QString a = fromJis.decode(QByteArrayView(jisBytes, 2));
        const QString b = fromGbk.decode(QByteArrayView(gbkBytes, 2));
        if (!fromJis.hasError() && !fromGbk.hasError() && a.size() == 1 && a == b) {
            self[gbk] = true;
            ref.jisOfGbk[gbk] = jis;
        }
    }
    for (int code = 0; code < 65536; ++code)
        if ((code & 0xFF) >= 0x80 && ref.jisOfGbk[code] != 0)
            ref.mappedGbk.push_back(static_cast<std::uint16_t>(code));
}

enum class Direction { ToJis, FromJis };

// What converting `in` (the bytes of a text of `length`) must give, by the rule.
std::string Expected(const std::string& in, std::size_t length, Direction direction)
{
    std::string out = in;
    std::size_t i = 0;
    while (i < length) {
        const auto lead = static_cast<std::uint8_t>(in[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        if (i + 1 < length) {
            const auto trail = static_cast<std::uint8_t>(in[i + 1]);
            if (direction == Direction::ToJis) {
                if (const std::uint16_t v = Ref().jisOfGbk[lead + 256 * trail]) {
                    out[i] = static_cast<char>(v >> 8);
                    out[i + 1] = static_cast<char>(v & 0xFF);
                }
            } else if (const std::uint16_t v = Ref().gbkOfJis[256 * lead + trail]) {
                out[i] = static_cast<char>(v & 0xFF);
                out[i + 1] = static_cast<char>(v >> 8);
            }
        }
        i += 2;
    }
    return out;
}

std::string Hex(const std::string& bytes)
{
    std::string out;
    char buf[4];
    for (char c : bytes) {
        std::snprintf(buf, sizeof buf, "%02x ", static_cast<std::uint8_t>(c));
        out += buf;
    }
    return out;
}

// The zero-terminated form, in a buffer just long enough for the input and one more zero.
void CheckTerminated(const std::string& input, Direction direction)
{
    const std::size_t n = input.size();
    auto buffer = std::make_unique<char[]>(n + 1);
    std::memcpy(buffer.get(), input.data(), n);
    buffer[n] = '\0';
    const std::size_t length = std::strlen(buffer.get());
    char* result = direction == Direction::ToJis ? ToJis(buffer.get()) : FromJis(buffer.get());
    FUZZ_CHECK(result == buffer.get(), "the same pointer comes back");
    FUZZ_CHECK(std::strlen(buffer.get()) == length, "length changed");
    const std::string got(buffer.get(), n + 1);
    const std::string want = Expected(input + '\0', length, direction);
    FUZZ_CHECK(got == want, "%s of %s\n  gave %s\n  want %s", direction == Direction::ToJis ? "ToJis" : "FromJis",
               Hex(input).c_str(), Hex(got).c_str(), Hex(want).c_str());
}

// The counted form, in a buffer of exactly that many bytes and no terminator.
void CheckCounted(const std::string& input, Direction direction)
{
    const std::size_t n = input.size();
    auto buffer = std::make_unique<char[]>(n);
    std::memcpy(buffer.get(), input.data(), n);
    if (direction == Direction::ToJis)
        ToJis(buffer.get(), n);
    else
        FromJis(buffer.get(), n);
    const std::string got(buffer.get(), n);
    const std::string want = Expected(input, n, direction);
    FUZZ_CHECK(got == want, "counted %s of %s\n  gave %s\n  want %s",
               direction == Direction::ToJis ? "ToJis" : "FromJis", Hex(input).c_str(), Hex(got).c_str(),
               Hex(want).c_str());
}

// A text of ASCII and characters that have a row: bytes below 0x80 are taken as they are, any
// other byte picks a character with the two bytes after it.
std::string MappableText(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint16_t>& mapped = Ref().mappedGbk;
    std::string text;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] < 0x80) {
            if (data[i] != 0)
                text += static_cast<char>(data[i]);
            continue;
        }
        std::size_t pick = 0;
        if (i + 2 < size) {
            pick = data[i + 1] | data[i + 2] << 8;
            i += 2;
        }
        const std::uint16_t code = mapped[pick % mapped.size()];
        text += static_cast<char>(code & 0xFF);
        text += static_cast<char>(code >> 8);
    }
    return text;
}

void CheckRoundTrip(const std::string& text)
{
    std::string bytes = text;
    ToJis(bytes.data());
    FromJis(bytes.data());
    FUZZ_CHECK(bytes == text, "FromJis(ToJis(x)) != x\n  x    %s\n  gave %s", Hex(text).c_str(), Hex(bytes).c_str());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (!LoadCodeTable())
        std::abort();
    BuildReference();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    for (Direction direction : {Direction::ToJis, Direction::FromJis}) {
        CheckTerminated(input, direction);
        CheckCounted(input, direction);
    }
    CheckRoundTrip(MappableText(data, size));
    return 0;
}
