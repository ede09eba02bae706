#include "InstallIni.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

// A line read with a 255-byte buffer, one byte of which is the terminating zero.
constexpr qint64 kMaxLineBytes = 254;

} // namespace

QString InstallIniPath(const QString& iniDir)
{
    return QDir(iniDir).filePath(QStringLiteral("tessovar.ini"));
}

QString ReadInstallIni(const QString& iniDir)
{
    // Opened for writing as well, as the directory's first reader always did: a file that cannot
    // be written counts as missing.
    QFile file(InstallIniPath(iniDir));
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return {};
    QByteArray line = file.read(kMaxLineBytes);
    const qsizetype lineEnd = line.indexOf('\n');
    if (lineEnd >= 0)
        line.truncate(lineEnd + 1);
    // What was read is a C string: it ends at a NUL byte.
    const qsizetype nul = line.indexOf('\0');
    if (nul >= 0)
        line.truncate(nul);
    // A hand-edited file may end its line; the break is no part of the directory.
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    return QString::fromLocal8Bit(line);
}

bool WriteInstallIni(const QString& iniDir, const QString& dir)
{
    QFile file(InstallIniPath(iniDir));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes = dir.toLocal8Bit();
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

QString DefaultConfigDir()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return config.isEmpty() ? QString() : QDir(config).filePath(QStringLiteral("quillmark"));
}

QString ReadRememberedDir(const QString& iniDir, const QString& configDir)
{
    const QString beside = ReadInstallIni(iniDir);
    if (!beside.isEmpty() || configDir.isEmpty())
        return beside;
    return ReadInstallIni(configDir);
}

bool WriteRememberedDir(const QString& iniDir, const QString& configDir, const QString& dir)
{
    if (WriteInstallIni(iniDir, dir))
        return true;
    return !configDir.isEmpty() && QDir().mkpath(configDir) && WriteInstallIni(configDir, dir);
}
