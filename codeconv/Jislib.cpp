#include "Jislib.h"

#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <bitset>
#include <memory>

std::array<std::uint16_t, kCodeTableRows> GbkCodes{};
std::array<std::uint16_t, kCodeTableRows> JisCodes{};
bool CodeTableLoaded = false;

namespace {

// Rows whose Shift-JIS code and GBK code stand for the same character. A GBK code held by
// several rows converts through such a row when it has one, so that 秋 is written as 秋 and not
// as its variant 穐: what the player sees is what the game shows. Only rows of a repeated GBK
// code are looked at; for the others the first match is the only match.
std::bitset<kCodeTableRows>& SelfRows()
{
    static std::bitset<kCodeTableRows> rows;
    return rows;
}

QString DecodePair(QStringDecoder& decoder, char first, char second)
{
    const char bytes[2] = {first, second};
    return decoder.decode(QByteArrayView(bytes, 2));
}

void FindSelfRows()
{
    std::array<std::uint16_t, 65536> count{};
    for (const std::uint16_t gbk : GbkCodes)
        ++count[gbk];
    SelfRows().reset();
    // Both are ICU's converters, which Debian's Qt carries; without them the first match holds.
    QStringDecoder jisDecoder("windows-31j");
    QStringDecoder gbkDecoder("GBK");
    if (!jisDecoder.isValid() || !gbkDecoder.isValid())
        return;
    for (int row = 0; row < kCodeTableRows; ++row) {
        const std::uint16_t gbk = GbkCodes[row];
        const std::uint16_t jis = JisCodes[row];
        if (gbk == 0 || jis == 0 || count[gbk] < 2 || (gbk & 0xFF) < 0x80)
            continue;
        const QString fromJis = DecodePair(jisDecoder, static_cast<char>(jis >> 8), static_cast<char>(jis & 0xFF));
        const QString fromGbk = DecodePair(gbkDecoder, static_cast<char>(gbk & 0xFF), static_cast<char>(gbk >> 8));
        if (!jisDecoder.hasError() && !gbkDecoder.hasError() && fromJis.size() == 1 && fromJis == fromGbk)
            SelfRows().set(row);
        if (jisDecoder.hasError())
            jisDecoder = QStringDecoder("windows-31j"); // the error sticks otherwise
        if (gbkDecoder.hasError())
            gbkDecoder = QStringDecoder("GBK");
    }
}

// Direct lookup tables built once from the rows: for each key the value its scan returns.
// They hold exactly what the scans return (a test compares all 65536 keys).
struct CodeIndex {
    std::array<std::uint16_t, 65536> jisOfGbk{};
    std::array<std::uint16_t, 65536> gbkOfJis{};
};

std::unique_ptr<CodeIndex>& Index()
{
    static std::unique_ptr<CodeIndex> index;
    return index;
}

void BuildIndex()
{
    FindSelfRows();
    auto index = std::make_unique<CodeIndex>();
    std::array<bool, 65536> seenGbk{};
    std::array<bool, 65536> selfGbk{};
    std::array<bool, 65536> seenJis{};
    for (int row = 0; row < kCodeTableRows; ++row) {
        const std::uint16_t gbk = GbkCodes[row];
        const std::uint16_t jis = JisCodes[row];
        const bool self = SelfRows().test(row);
        if (!seenGbk[gbk] || (self && !selfGbk[gbk])) {
            seenGbk[gbk] = true;
            selfGbk[gbk] = self;
            index->jisOfGbk[gbk] = jis;
        }
        if (!seenJis[jis]) {
            seenJis[jis] = true;
            index->gbkOfJis[jis] = gbk;
        }
    }
    Index() = std::move(index);
}

std::uint16_t ReadLe16(const unsigned char* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

} // namespace

void LoadCodeTableFrom(const unsigned char* bytes)
{
    for (int row = 0; row < kCodeTableRows; ++row) {
        GbkCodes[row] = ReadLe16(bytes + 2 * row);
        JisCodes[row] = ReadLe16(bytes + 2 * kCodeTableRows + 2 * row);
    }
    BuildIndex();
    CodeTableLoaded = true;
}

bool LoadCodeTable()
{
    if (CodeTableLoaded)
        return true;
    QFile resource(QStringLiteral(":/codetable.bin"));
    if (!resource.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = resource.readAll();
    if (bytes.size() != kCodeTableBytes)
        return false;
    LoadCodeTableFrom(reinterpret_cast<const unsigned char*>(bytes.constData()));
    return true;
}

std::uint16_t FindJisLinear(std::uint16_t gbk)
{
    for (int row = 0; row < kCodeTableRows; ++row)
        if (GbkCodes[row] == gbk && SelfRows().test(row))
            return JisCodes[row];
    for (int row = 0; row < kCodeTableRows; ++row)
        if (GbkCodes[row] == gbk)
            return JisCodes[row];
    return 0;
}

std::uint16_t FindGbkLinear(std::uint16_t jis)
{
    for (int row = 0; row < kCodeTableRows; ++row)
        if (JisCodes[row] == jis)
            return GbkCodes[row];
    return 0;
}

std::uint16_t FindJis(std::uint16_t gbk)
{
    const auto& index = Index();
    return index ? index->jisOfGbk[gbk] : 0;
}

std::uint16_t FindGbk(std::uint16_t jis)
{
    const auto& index = Index();
    return index ? index->gbkOfJis[jis] : 0;
}

namespace {

// The walk both conversions share: a byte below 0x80 passes alone; any other byte starts a
// two-byte character, which `convert` may replace. A lead byte in the last position would pair
// with the terminator; no pair holds a zero byte, so it stays as it is.
template <typename Convert>
void Walk(char* text, std::size_t length, Convert convert)
{
    auto* s = reinterpret_cast<unsigned char*>(text);
    std::size_t i = 0;
    while (i < length) {
        if (s[i] < 0x80) {
            ++i;
            continue;
        }
        if (i + 1 < length)
            convert(s[i], s[i + 1]);
        i += 2;
    }
}

} // namespace

void ToJis(char* text, std::size_t length)
{
    Walk(text, length, [](unsigned char& first, unsigned char& second) {
        const std::uint16_t v = FindJis(static_cast<std::uint16_t>(first + 256 * second));
        if (v != 0) {
            first = static_cast<unsigned char>(v >> 8);
            second = static_cast<unsigned char>(v & 0xFF);
        }
    });
}

void FromJis(char* text, std::size_t length)
{
    Walk(text, length, [](unsigned char& first, unsigned char& second) {
        const std::uint16_t v = FindGbk(static_cast<std::uint16_t>(256 * first + second));
        if (v != 0) {
            first = static_cast<unsigned char>(v & 0xFF);
            second = static_cast<unsigned char>(v >> 8);
        }
    });
}

bool MapsToJis(std::uint16_t gbk)
{
    return gbk != 0 && FindJis(gbk) != 0;
}

std::vector<std::uint16_t> UnmappableCharacters(std::string_view gbk)
{
    std::vector<std::uint16_t> found;
    const auto note = [&found](std::uint16_t code) {
        if (std::find(found.begin(), found.end(), code) == found.end())
            found.push_back(code);
    };
    const auto* s = reinterpret_cast<const unsigned char*>(gbk.data());
    for (std::size_t i = 0; i < gbk.size();) {
        if (s[i] < 0x80) {
            ++i;
            continue;
        }
        // A lead byte with nothing after it is no character at all.
        const std::uint16_t code = i + 1 < gbk.size() ? static_cast<std::uint16_t>(s[i] + 256 * s[i + 1]) : s[i];
        if (i + 1 >= gbk.size() || !MapsToJis(code))
            note(code);
        i += 2;
    }
    return found;
}

int CountUnshownJis(std::string_view jis)
{
    int count = 0;
    const auto* s = reinterpret_cast<const unsigned char*>(jis.data());
    for (std::size_t i = 0; i < jis.size();) {
        if (s[i] < 0x80) {
            ++i;
            continue;
        }
        if (i + 1 < jis.size() && FindGbk(static_cast<std::uint16_t>(256 * s[i] + s[i + 1])) == kUnshownGbk)
            ++count;
        i += 2;
    }
    return count;
}

char* ToJis(char* text)
{
    ToJis(text, std::char_traits<char>::length(text));
    return text;
}

char* FromJis(char* text)
{
    FromJis(text, std::char_traits<char>::length(text));
    return text;
}
