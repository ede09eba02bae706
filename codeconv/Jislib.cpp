#include "Jislib.h"

#include <QFile>
#include <memory>

std::array<std::uint16_t, kCodeTableRows> GbkCodes{};
std::array<std::uint16_t, kCodeTableRows> JisCodes{};
bool CodeTableLoaded = false;

namespace {

// Direct lookup tables built once from the rows: for each key the value of its first row.
// They hold exactly what the first-match scans return (a test compares all 65536 keys).
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
    auto index = std::make_unique<CodeIndex>();
    std::array<bool, 65536> seenGbk{};
    std::array<bool, 65536> seenJis{};
    for (int row = 0; row < kCodeTableRows; ++row) {
        const std::uint16_t gbk = GbkCodes[row];
        const std::uint16_t jis = JisCodes[row];
        if (!seenGbk[gbk]) {
            seenGbk[gbk] = true;
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
