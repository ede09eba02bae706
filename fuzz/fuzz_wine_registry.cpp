// The user.reg reader on any bytes, and on files that hold the game's value among noise.
//
// Input byte 0 chooses the mode:
//   bit 0 clear: the rest is the whole file (bit 1 set: after Wine's header line). Anything may
//     come back, but a file without the header is no registry at all.
//   bit 0 set: a file is written here the way Wine writes one, with the value's text taken from
//     the input and escaped as Wine escapes it, in one of four forms, among noise lines from the
//     input. The reader must give back exactly that text.
//     bit 1: CR LF line ends; bit 2: key in capitals; bit 3: value name in small letters;
//     bits 4-5: "text", str(2):"text", hex(1): one line, hex(2): continued lines.
//   byte 1: number of UTF-16 code units of the text, which follow two bytes each; the rest is noise.

#include "fuzz/FuzzCheck.h"

#include "platform/WineRegistry.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>

namespace {

const QByteArray kHeader = "WINE REGISTRY Version 2";
const QString kKey = QStringLiteral("\\Software\\Koei\\San10\\Install");
const QString kName = QStringLiteral("InstallInfo");

QByteArray Escaped(const QString& text)
{
    QByteArray out;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '"')
            out += '\\';
        if (u >= 0x20 && u < 0x7F)
            out += static_cast<char>(u);
        else
            out += QByteArray("\\x") + QByteArray::number(u, 16).rightJustified(4, '0');
    }
    return out;
}

// Comma-separated hex bytes, and with `continued` broken after every 8 bytes as Wine wraps them.
QByteArray HexData(const QString& text, bool continued, const QByteArray& eol)
{
    QByteArray bytes;
    for (QChar c : text) {
        bytes += static_cast<char>(c.unicode() & 0xFF);
        bytes += static_cast<char>(c.unicode() >> 8);
    }
    bytes += QByteArray(2, '\0'); // the terminating NUL Wine stores with a string
    QByteArray out;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (i > 0) {
            out += ',';
            if (continued && i % 8 == 0)
                out += "\\" + eol + "  ";
        }
        out += QByteArray::number(static_cast<std::uint8_t>(bytes[i]), 16).rightJustified(2, '0');
    }
    return out;
}

// Noise may say anything except open a key or define a value, which would change the answer.
QByteArray Harmless(QByteArray line)
{
    if (line.startsWith('[') || line.startsWith('"') || line.startsWith('@'))
        line.prepend(';');
    return line;
}

void CheckAnyFile(std::uint8_t flags, const std::uint8_t* data, std::size_t size)
{
    QByteArray file(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (flags & 0x02)
        file.prepend(kHeader + "\n");
    const RegistryValue value = FindWineRegValue(file, kKey, kName);
    QByteArray first = file.left(file.indexOf('\n') < 0 ? file.size() : file.indexOf('\n'));
    if (first.endsWith('\r'))
        first.chop(1);
    if (first != kHeader)
        FUZZ_CHECK(value.kind == RegistryValue::Kind::NoKey, "a file without the header gave a value");
    if (value.kind != RegistryValue::Kind::Text)
        FUZZ_CHECK(value.text.isEmpty(), "a value that is not a text carries one");
}

void CheckWrittenFile(std::uint8_t flags, const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return;
    const std::size_t units = std::min<std::size_t>(data[0], (size - 1) / 2);
    QString text;
    for (std::size_t i = 0; i < units; ++i) {
        const char16_t u = static_cast<char16_t>(data[1 + 2 * i] | data[2 + 2 * i] << 8);
        text += QChar(u == 0 ? u'A' : u); // a NUL would end the text early
    }
    const std::size_t used = 1 + 2 * units;
    const QList<QByteArray> noise =
        QByteArray(reinterpret_cast<const char*>(data + used), static_cast<qsizetype>(size - used)).split('\n');

    const QByteArray eol = (flags & 0x02) ? "\r\n" : "\n";
    const QByteArray key = (flags & 0x04) ? "[SOFTWARE\\\\KOEI\\\\SAN10\\\\INSTALL]" : "[Software\\\\Koei\\\\San10\\\\Install]";
    const QByteArray name = (flags & 0x08) ? "\"installinfo\"=" : "\"InstallInfo\"=";
    QByteArray written;
    switch ((flags >> 4) & 3) {
    case 0: written = '"' + Escaped(text) + '"'; break;
    case 1: written = "str(2):\"" + Escaped(text) + '"'; break;
    case 2: written = "hex(1):" + HexData(text, false, eol); break;
    case 3: written = "hex(2):" + HexData(text, true, eol); break;
    }

    QByteArray file = kHeader + eol + ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000" + eol + eol;
    const qsizetype half = noise.size() / 2;
    for (qsizetype i = 0; i < half; ++i)
        file += Harmless(noise[i]) + eol;
    file += eol + key + " 1700000000" + eol + "#time=1da0000000000000" + eol;
    for (qsizetype i = half; i < noise.size(); ++i)
        file += Harmless(noise[i]) + eol;
    file += name + written + eol + eol + "[Software\\\\Wine] 1700000000" + eol + "\"Version\"=\"win10\"" + eol;

    const RegistryValue value = FindWineRegValue(file, kKey, kName);
    FUZZ_CHECK(value.kind == RegistryValue::Kind::Text && value.text == text,
               "kind %d, %lld units back of %lld written\n%s", static_cast<int>(value.kind),
               static_cast<long long>(value.text.size()), static_cast<long long>(text.size()), file.constData());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    if (data[0] & 0x01)
        CheckWrittenFile(data[0], data + 1, size - 1);
    else
        CheckAnyFile(data[0], data + 1, size - 1);
    return 0;
}
