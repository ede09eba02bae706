#include "WinePrefixes.h"

#include "installdir/CaseInsensitivePath.h"
#include "platform/WineRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

// The game's key as Wine writes it between the brackets of user.reg, backslashes escaped.
const QByteArray kGameKey = QByteArrayLiteral("Software\\\\Koei\\\\San10\\\\Install");
const QString kGameKeyPath = QStringLiteral("Software\\Koei\\San10\\Install");
const QString kShellFolders = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");

// No real user.reg comes near this; anything larger is not worth reading at start-up.
constexpr qint64 kMaxUserRegBytes = 64 * 1024 * 1024;

// A prefix's user.reg, when it is a regular file: a FIFO or a device there would block the read.
// Read rather than mapped: mapping faults page by page and was several times slower.
std::optional<QByteArray> ReadUserReg(const QString& prefix)
{
    const QFileInfo info(QDir(prefix).filePath(QStringLiteral("user.reg")));
    if (!info.isFile() || info.size() > kMaxUserRegBytes)
        return std::nullopt;
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

bool HasUserReg(const QString& prefix)
{
    return QFileInfo(QDir(prefix).filePath(QStringLiteral("user.reg"))).isFile();
}

// The sub-folders of `dir`, by name, each with `below` appended.
QStringList Children(const QString& dir, const QString& below = {})
{
    QStringList found;
    const QDir parent(dir);
    for (const QString& name : parent.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        found << parent.filePath(name) + below;
    return found;
}

QByteArray ReadSmallFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxUserRegBytes)
        return {};
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool AllDigits(const QByteArray& text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

QStringList SteamLibraries(const QByteArray& vdf)
{
    QStringList libraries;
    int depth = 0;
    std::optional<QByteArray> key;
    qsizetype i = 0;
    while (i < vdf.size()) {
        const char c = vdf[i];
        if (c == '"') {
            QByteArray text;
            for (++i; i < vdf.size() && vdf[i] != '"'; ++i) {
                if (vdf[i] == '\\' && i + 1 < vdf.size()) {
                    const char e = vdf[++i];
                    text += e == 'n' ? '\n' : e == 't' ? '\t' : e;
                } else {
                    text += vdf[i];
                }
            }
            ++i;
            if (!key) {
                key = text;
                continue;
            }
            // Current files: "<n>" { "path" "<dir>" ... }. Old ones: "<n>" "<dir>" in the top block.
            if (key->compare("path", Qt::CaseInsensitive) == 0 || (depth == 1 && AllDigits(*key)))
                libraries << QString::fromUtf8(text);
            key.reset();
        } else if (c == '{' || c == '}') {
            depth = c == '{' ? depth + 1 : std::max(0, depth - 1);
            key.reset();
            ++i;
        } else if (c == '/' && i + 1 < vdf.size() && vdf[i + 1] == '/') {
            while (i < vdf.size() && vdf[i] != '\n')
                ++i;
        } else {
            ++i;
        }
    }
    return libraries;
}

QStringList WinePrefixes(const QString& home, const QString& winePrefixVar)
{
    const QDir h(home);
    QStringList candidates;
    if (!winePrefixVar.isEmpty())
        candidates << winePrefixVar;
    candidates << h.filePath(QStringLiteral(".wine"));
    candidates << Children(h.filePath(QStringLiteral("Games")));
    candidates << Children(h.filePath(QStringLiteral(".local/share/bottles/bottles")));
    candidates << Children(h.filePath(QStringLiteral(".var/app/com.usebottles.bottles/data/bottles/bottles")));
    candidates << Children(h.filePath(QStringLiteral(".PlayOnLinux/wineprefix")));
    candidates << Children(h.filePath(QStringLiteral(".cxoffice")));

    const QStringList steamRoots{h.filePath(QStringLiteral(".local/share/Steam")),
                                 h.filePath(QStringLiteral(".steam/steam")),
                                 h.filePath(QStringLiteral(".var/app/com.valvesoftware.Steam/.local/share/Steam"))};
    QStringList libraries = steamRoots;
    for (const QString& root : steamRoots)
        libraries << SteamLibraries(ReadSmallFile(QDir(root).filePath(QStringLiteral("steamapps/libraryfolders.vdf"))));
    for (const QString& library : libraries)
        candidates << Children(QDir(library).filePath(QStringLiteral("steamapps/compatdata")), QStringLiteral("/pfx"));

    // ~/.steam/steam is usually a link to ~/.local/share/Steam, and a library lists its own root:
    // each prefix counts once, where it was first met.
    QStringList prefixes;
    QSet<QString> seen;
    for (const QString& candidate : candidates) {
        if (!HasUserReg(candidate))
            continue;
        const QString canonical = QFileInfo(candidate).canonicalFilePath();
        if (seen.contains(canonical))
            continue;
        seen.insert(canonical);
        prefixes << QDir::cleanPath(candidate);
    }
    return prefixes;
}

bool UserRegHasKey(const QByteArray& userReg, const QByteArray& escapedKey)
{
    const char* data = userReg.constData();
    const qsizetype size = userReg.size();
    const qsizetype keySize = escapedKey.size();
    // Only key lines start with "[": jumping from one "[" to the next skips the values quickly.
    for (qsizetype at = 0; at < size;) {
        const void* found = std::memchr(data + at, '[', size_t(size - at));
        if (!found)
            break;
        at = static_cast<const char*>(found) - data;
        if ((at == 0 || data[at - 1] == '\n') && size - at > keySize + 1 && data[at + 1 + keySize] == ']'
            && qstrnicmp(data + at + 1, escapedKey.constData(), size_t(keySize)) == 0)
            return true;
        ++at;
    }
    return false;
}

WineScan ScanWinePrefixes(const QString& home, const QString& winePrefixVar)
{
    WineScan scan;
#ifndef Q_OS_WIN
    scan.prefixes = WinePrefixes(home, winePrefixVar);
    for (const QString& prefix : scan.prefixes) {
        const std::optional<QByteArray> reg = ReadUserReg(prefix);
        // The byte search rules most prefixes out; the registry reader has the last word.
        if (reg && UserRegHasKey(*reg, kGameKey)
            && FindWineRegValue(*reg, kGameKeyPath, QStringLiteral("InstallInfo")).kind != RegistryValue::Kind::NoKey) {
            scan.gamePrefix = prefix;
            break;
        }
    }
#else
    Q_UNUSED(home);
    Q_UNUSED(winePrefixVar);
#endif
    return scan;
}

QString TPrsnFolder(const QString& prefix)
{
    if (prefix.isEmpty())
        return {};
    const QString below = QStringLiteral("/Koei/San10/TPrsn");
    QStringList documents;
    if (const std::optional<QByteArray> reg = ReadUserReg(prefix)) {
        const RegistryValue personal = FindWineRegValue(*reg, kShellFolders, QStringLiteral("Personal"));
        if (personal.kind == RegistryValue::Kind::Text && !personal.text.isEmpty())
            documents << WineRegistry(prefix).LocalPath(personal.text);
    }
    // The shared Public user last: the game writes below the user who runs it.
    const QString users = QDir(prefix).filePath(QStringLiteral("drive_c/users"));
    QStringList names = QDir(users).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    std::stable_partition(names.begin(), names.end(),
                          [](const QString& name) { return name.compare(u"Public", Qt::CaseInsensitive) != 0; });
    for (const QString& name : names)
        for (const char* folder : {"Documents", "My Documents"})
            documents << users + u'/' + name + u'/' + QLatin1String(folder);

    for (const QString& dir : documents) {
        const QString tprsn = FindPathIgnoringCase(dir + below);
        if (QFileInfo(tprsn).isDir())
            return QDir::cleanPath(tprsn);
    }
    return {};
}

std::unique_ptr<Registry> GamePrefixRegistry(const WineScan& scan)
{
#ifndef Q_OS_WIN
    return std::make_unique<WineRegistry>(scan.gamePrefix.isEmpty() ? WineRegistry::DefaultPrefix() : scan.gamePrefix);
#else
    Q_UNUSED(scan);
    return CurrentUserRegistry();
#endif
}

QString ShownPath(const QString& path, const QString& home)
{
    const QString h = QDir::cleanPath(home);
    if (h.isEmpty() || h == QStringLiteral("/"))
        return path;
    if (path == h)
        return QStringLiteral("~");
    if (path.startsWith(h + u'/'))
        return u'~' + path.mid(h.size());
    return path;
}
