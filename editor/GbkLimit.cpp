#include "editor/GbkLimit.h"

#include <QStringEncoder>
#include <limits>

namespace {

bool IsLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r';
}

int Saturated(qsizetype n)
{
    return n > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max() : static_cast<int>(n);
}

// Length of the code point at i: 2 for a surrogate pair, otherwise 1.
qsizetype CodePointLength(const QString& text, qsizetype i)
{
    return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
}

// Walks a text one character at a time: a line break ("\r\n", "\r" or "\n") is one character
// stored as CR LF; every other character is its GBK bytes, or nothing when it has none.
template <typename Visit>
void ForEachGbkCharacter(const QString& text, Visit&& visit)
{
    static const QByteArray crlf("\r\n");
    std::optional<QStringEncoder> encoder(std::in_place, "GBK");
    for (qsizetype i = 0; i < text.size();) {
        if (IsLineBreak(text[i])) {
            i += text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n' ? 2 : 1;
            if (!visit(std::optional<QByteArray>(crlf)))
                return;
            continue;
        }
        const qsizetype n = CodePointLength(text, i);
        std::optional<QByteArray> bytes;
        if (text[i] != QChar(u'\0') && !(n == 1 && text[i].isSurrogate())) {
            QByteArray encoded = encoder->encode(QStringView(text).mid(i, n));
            if (encoder->hasError())
                encoder.emplace("GBK"); // the error sticks; resetState() does not clear it
            else
                bytes = std::move(encoded);
        }
        i += n;
        if (!visit(bytes))
            return;
    }
}

// The whole text encoded at once with line breaks made CR LF, or nothing when any character
// has no GBK form. The common case; the character walk is only needed to cut or count.
std::optional<QByteArray> EncodeWhole(const QString& text)
{
    if (text.contains(QChar(u'\0')) || !QStringView(text).isValidUtf16())
        return std::nullopt;
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(u'\r', u'\n');
    lines.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    QStringEncoder encoder("GBK");
    QByteArray bytes = encoder.encode(lines);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

} // namespace

GbkMeasure MeasureGbk(const QString& text)
{
    if (const std::optional<QByteArray> whole = EncodeWhole(text))
        return {Saturated(whole->size()), 0};
    qsizetype bytes = 0;
    int unencodable = 0;
    ForEachGbkCharacter(text, [&](const std::optional<QByteArray>& c) {
        if (c)
            bytes += c->size();
        else
            ++unencodable;
        return true;
    });
    return {Saturated(bytes), unencodable};
}

int GbkByteLength(const QString& text)
{
    const GbkMeasure m = MeasureGbk(text);
    return m.unencodable > 0 ? -1 : m.bytes;
}

std::optional<QByteArray> GbkFieldBytes(const QString& text, int maxBytes)
{
    std::optional<QByteArray> whole = EncodeWhole(text);
    if (!whole)
        return std::nullopt;
    if (whole->size() <= maxBytes)
        return whole;

    // Too long: keep whole characters only. A byte count alone cannot find the boundaries,
    // since GBK has one-byte characters of 0x80 and above (the euro sign is 0x80).
    QByteArray kept;
    ForEachGbkCharacter(text, [&](const std::optional<QByteArray>& c) {
        if (kept.size() + c->size() > maxBytes)
            return false;
        kept += *c;
        return true;
    });
    return kept;
}

GbkLengthValidator::GbkLengthValidator(int maxBytes, QObject* parent)
    : QValidator(parent), maxBytes_(maxBytes)
{
}

QValidator::State GbkLengthValidator::validate(QString& input, int&) const
{
    const int length = GbkByteLength(input);
    return length >= 0 && length <= maxBytes_ ? Acceptable : Invalid;
}
