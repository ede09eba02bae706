#include "WineRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace {

const QString kHeader = QStringLiteral("WINE REGISTRY Version 2");

// Wine's data types that a string read accepts: REG_SZ and REG_EXPAND_SZ (read unexpanded).
bool IsStringType(uint type)
{
    return type == 1 || type == 2;
}

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// Reads an escaped text as Wine writes it, from `pos` up to the unescaped `close` character,
// and leaves `pos` after that character. Escapes: \a \b \e \f \n \r \t \v, \x with one to four
// hex digits (one UTF-16 code unit), one to three octal digits, and a backslash before any
// other character for that character itself.
std::optional<QString> Unescape(QStringView line, qsizetype& pos, QChar close)
{
    QString text;
    while (pos < line.size()) {
        const QChar c = line[pos++];
        if (c == close)
            return text;
        if (c != u'\\') {
            text += c;
            continue;
        }
        if (pos >= line.size())
            return std::nullopt;
        const QChar e = line[pos++];
        switch (e.unicode()) {
        case 'a': text += QChar(7); break;
        case 'b': text += QChar(8); break;
        case 'e': text += QChar(27); break;
        case 'f': text += QChar(12); break;
        case 'n': text += QChar(10); break;
        case 'r': text += QChar(13); break;
        case 't': text += QChar(9); break;
        case 'v': text += QChar(11); break;
        case 'x': {
            char16_t unit = 0;
            int digits = 0;
            while (digits < 4 && pos < line.size() && HexDigit(line[pos]) >= 0) {
                unit = char16_t(unit * 16 + HexDigit(line[pos++]));
                ++digits;
            }
            text += digits ? QChar(unit) : QChar(u'x');
            break;
        }
        default:
            if (e >= u'0' && e <= u'7') {
                char16_t unit = char16_t(e.unicode() - '0');
                for (int digits = 1; digits < 3 && pos < line.size() && line[pos] >= u'0' && line[pos] <= u'7'; ++digits)
                    unit = char16_t(unit * 8 + (line[pos++].unicode() - '0'));
                text += QChar(unit);
            } else {
                text += e;
            }
        }
    }
    return std::nullopt;
}

// Reads "<type>)" of "hex(<type>)" or "str(<type>)", a hex number.
std::optional<uint> TypeNumber(QStringView line, qsizetype& pos)
{
    const qsizetype end = line.indexOf(u')', pos);
    if (end < 0)
        return std::nullopt;
    bool ok = false;
    const uint type = line.mid(pos, end - pos).toUInt(&ok, 16);
    pos = end + 1;
    return ok ? std::optional<uint>(type) : std::nullopt;
}

// Comma-separated bytes in hex, as Wine writes binary data.
std::optional<QByteArray> HexBytes(QStringView data)
{
    QByteArray bytes;
    if (data.trimmed().isEmpty())
        return bytes;
    for (QStringView part : data.split(u',')) {
        part = part.trimmed();
        if (part.isEmpty() || part.size() > 2)
            return std::nullopt;
        int value = 0;
        for (QChar c : part) {
            const int d = HexDigit(c);
            if (d < 0)
                return std::nullopt;
            value = value * 16 + d;
        }
        bytes += char(value);
    }
    return bytes;
}

// A string read ends at the first NUL, as the C string it is.
RegistryValue TextValue(QString text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return {RegistryValue::Kind::Text, text};
}

const RegistryValue kNotText{RegistryValue::Kind::NotText, {}};

// The data of a value after its "=". `more` gives the continuation lines of long hex data.
template <typename NextLine>
RegistryValue ParseData(QStringView data, NextLine&& more)
{
    qsizetype pos = 0;
    if (data.startsWith(u'"')) {
        pos = 1;
        const auto text = Unescape(data, pos, u'"');
        return text ? TextValue(*text) : kNotText;
    }
    if (data.startsWith(u"str(")) {
        pos = 4;
        const auto type = TypeNumber(data, pos);
        if (!type || !IsStringType(*type) || data.mid(pos, 2) != u":\"")
            return kNotText;
        pos += 2;
        const auto text = Unescape(data, pos, u'"');
        return text ? TextValue(*text) : kNotText;
    }
    std::optional<uint> type;
    if (data.startsWith(u"hex:")) {
        type = 3; // REG_BINARY
        pos = 4;
    } else if (data.startsWith(u"hex(")) {
        pos = 4;
        type = TypeNumber(data, pos);
        if (!type || data.mid(pos, 1) != u":")
            return kNotText;
        ++pos;
    } else {
        return kNotText; // dword: and anything unknown
    }
    QString hex = data.mid(pos).trimmed().toString();
    while (hex.endsWith(u'\\')) {
        hex.chop(1);
        const std::optional<QStringView> next = more();
        if (!next)
            return kNotText;
        hex += next->trimmed();
    }
    const auto bytes = HexBytes(hex);
    if (!bytes)
        return kNotText;
    // A string read of an empty value gives the empty text whatever its type.
    if (bytes->isEmpty())
        return {RegistryValue::Kind::Text, {}};
    if (!IsStringType(*type))
        return kNotText;
    QString text;
    for (qsizetype i = 0; i + 1 < bytes->size(); i += 2)
        text += QChar(char16_t(uchar(bytes->at(i)) | uchar(bytes->at(i + 1)) << 8));
    return TextValue(text);
}

QString WithoutLeadingBackslashes(QString key)
{
    while (key.startsWith(u'\\'))
        key.remove(0, 1);
    return key;
}

} // namespace

RegistryValue FindWineRegValue(const QByteArray& userReg, const QString& key, const QString& name)
{
    // Wine writes the file in ASCII with escapes; reading it as UTF-8 also takes hand-edited files.
    const QString content = QString::fromUtf8(userReg);
    QStringList lines = content.split(u'\n');
    for (QString& line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    if (lines.isEmpty() || lines.first() != kHeader)
        return {};

    const QString wantedKey = WithoutLeadingBackslashes(key);
    bool keyFound = false;
    bool inKey = false;
    std::optional<RegistryValue> found;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringView line = lines[i];
        qsizetype pos = 1;
        if (line.startsWith(u'[')) {
            const auto path = Unescape(line, pos, u']');
            inKey = path && path->compare(wantedKey, Qt::CaseInsensitive) == 0;
            keyFound = keyFound || inKey;
            continue;
        }
        if (!inKey)
            continue;
        std::optional<QString> valueName;
        if (line.startsWith(u'"'))
            valueName = Unescape(line, pos, u'"');
        else if (line.startsWith(u'@'))
            valueName = QString();
        if (!valueName || valueName->compare(name, Qt::CaseInsensitive) != 0)
            continue;
        // Wine writes name=data with nothing around "="; blanks there come from hand edits.
        const QStringView rest = line.mid(pos).trimmed();
        if (!rest.startsWith(u'='))
            continue;
        // Later definitions of a value replace earlier ones, as when Wine loads the file.
        found = ParseData(rest.mid(1).trimmed(), [&]() -> std::optional<QStringView> {
            if (i + 1 >= lines.size())
                return std::nullopt;
            return QStringView(lines[++i]);
        });
    }
    if (!keyFound)
        return {};
    return found ? *found : RegistryValue{RegistryValue::Kind::NoValue, {}};
}

WineRegistry::WineRegistry(QString prefix)
    : prefix_(std::move(prefix))
{
}

QString WineRegistry::DefaultPrefix()
{
    const QString prefix = qEnvironmentVariable("WINEPREFIX");
    return prefix.isEmpty() ? QDir::homePath() + QStringLiteral("/.wine") : prefix;
}

RegistryValue WineRegistry::ReadValue(const QString& key, const QString& name) const
{
    // Only a regular file: reading a FIFO or a device there would block.
    const QString path = QDir(prefix_).filePath(QStringLiteral("user.reg"));
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    return FindWineRegValue(file.readAll(), key, name);
}

QString WineRegistry::LocalPath(const QString& path) const
{
    if (path.startsWith(u'/'))
        return path;
    QString unixPath = path;
    unixPath.replace(u'\\', u'/');
    const bool drive = path.size() >= 2 && path[1] == u':' && path[0].isLetter() && path[0].unicode() < 128;
    if (!drive)
        return unixPath;
    // Wine reaches drive X: through the link dosdevices/x: of the prefix.
    QString rest = unixPath.mid(2);
    if (!rest.isEmpty() && !rest.startsWith(u'/'))
        rest.prepend(u'/');
    const QDir prefix(prefix_);
    const QChar letter = path[0].toLower();
    const QString link = prefix.filePath(QStringLiteral("dosdevices/") + letter + u':');
    // Without a working c: link Wine still finds drive C in the prefix's drive_c.
    if (letter == u'c' && !QFileInfo::exists(link))
        return prefix.filePath(QStringLiteral("drive_c")) + rest;
    return link + rest;
}

#ifndef Q_OS_WIN
std::unique_ptr<Registry> CurrentUserRegistry()
{
    return std::make_unique<WineRegistry>(WineRegistry::DefaultPrefix());
}
#endif
