#include "editor/GbkLimit.h"

#include "codeconv/Jislib.h"

#include <QStringEncoder>
#include <QStringList>
#include <limits>
#include <string_view>

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
// stored as CR LF; every other character is its GBK bytes, or nothing when it has none. The visit
// gets the bytes and the character as the text holds it.
template <typename Visit>
void ForEachGbkCharacter(const QString& text, Visit&& visit)
{
    static const QByteArray crlf("\r\n");
    std::optional<QStringEncoder> encoder(std::in_place, "GBK");
    for (qsizetype i = 0; i < text.size();) {
        if (IsLineBreak(text[i])) {
            const qsizetype n = text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n' ? 2 : 1;
            const QStringView character = QStringView(text).mid(i, n);
            i += n;
            if (!visit(std::optional<QByteArray>(crlf), character))
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
        const QStringView character = QStringView(text).mid(i, n);
        i += n;
        if (!visit(bytes, character))
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

// Whether the GBK bytes of a text go to the game: every character below 0x80 or held by a row.
bool GameCanTake(const QByteArray& gbk)
{
    return UnmappableCharacters(std::string_view(gbk.constData(), static_cast<std::size_t>(gbk.size()))).empty();
}

// The bytes of one character, or nothing when its field cannot store it.
std::optional<QByteArray> Storable(std::optional<QByteArray> c, TextCode code)
{
    if (c && code == TextCode::Game && !GameCanTake(*c))
        return std::nullopt;
    return c;
}

} // namespace

GbkMeasure MeasureGbk(const QString& text, TextCode code)
{
    if (const std::optional<QByteArray> whole = EncodeWhole(text); whole && (code == TextCode::Gbk || GameCanTake(*whole)))
        return {Saturated(whole->size()), 0};
    qsizetype bytes = 0;
    int unencodable = 0;
    ForEachGbkCharacter(text, [&](const std::optional<QByteArray>& c, QStringView) {
        if (const std::optional<QByteArray> kept = Storable(c, code))
            bytes += kept->size();
        else
            ++unencodable;
        return true;
    });
    return {Saturated(bytes), unencodable};
}

std::optional<LimitedEdit> LimitEdit(const QString& before, const QString& after, int maxBytes, TextCode code,
                                     const QString& label)
{
    const GbkMeasure whole = MeasureGbk(after, code);
    if (whole.unencodable == 0 && whole.bytes <= maxBytes)
        return std::nullopt;
    // The part the edit inserted lies between what the two texts share at each end.
    qsizetype prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix
           && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    // Keep surrogate pairs and CR LF whole at the edges.
    while (prefix > 0 && prefix < after.size() && (after[prefix].isLowSurrogate() || (after[prefix] == u'\n' && after[prefix - 1] == u'\r')))
        --prefix;
    const QString inserted = after.mid(prefix, after.size() - prefix - suffix);
    if (inserted.isEmpty())
        return std::nullopt;
    const QString head = after.left(prefix);
    const QString tail = after.right(suffix);

    const GbkMeasure rest = MeasureGbk(head + tail, code);
    // Beside a character the field cannot store the text may shrink but not grow.
    qsizetype room = rest.unencodable > 0 ? 0 : std::max(0, maxBytes - rest.bytes);
    QString kept;
    QString refused;
    bool full = false;
    ForEachGbkCharacter(inserted, [&](const std::optional<QByteArray>& c, QStringView character) {
        const std::optional<QByteArray> bytes = Storable(c, code);
        if (!bytes) {
            if (!refused.contains(character))
                refused += character;
            return true;
        }
        if (bytes->size() > room) {
            full = true;
            return false;
        }
        room -= bytes->size();
        kept += character;
        return true;
    });

    LimitedEdit edit{head + kept + tail, prefix + kept.size(), QString()};
    QStringList notes;
    if (!refused.isEmpty())
        notes << (code == TextCode::Game
                      ? QStringLiteral("“%1”无法写入游戏的文件（游戏的字库里没有对应的字），已略去。")
                      : QStringLiteral("“%1”无法存入武将档（GBK 中没有这个字），已略去。"))
                     .arg(refused);
    if (full)
        notes << QStringLiteral("“%1”最多 %2 字节，放不下的部分已略去。").arg(label).arg(maxBytes);
    edit.note = notes.join(u'\n');
    return edit;
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
    ForEachGbkCharacter(text, [&](const std::optional<QByteArray>& c, QStringView) {
        if (kept.size() + c->size() > maxBytes)
            return false;
        kept += *c;
        return true;
    });
    return kept;
}

GbkLengthValidator::GbkLengthValidator(int maxBytes, QObject* parent, TextCode code, QString label)
    : QValidator(parent), maxBytes_(maxBytes), code_(code), label_(std::move(label))
{
}

QValidator::State GbkLengthValidator::validate(QString& input, int& pos) const
{
    const GbkMeasure m = MeasureGbk(input, code_);
    if (m.unencodable == 0 && m.bytes <= maxBytes_)
        return Acceptable;
    if (showing_)
        return Invalid; // a stored text is shown as it is
    const std::optional<LimitedEdit> edit = LimitEdit(current_, input, maxBytes_, code_, label_);
    if (!edit)
        return Acceptable; // only shortened
    emit limited(edit->note);
    if (edit->text == current_)
        return Invalid;
    input = edit->text;
    pos = static_cast<int>(edit->cursor);
    return Acceptable;
}
