#include "ArchivePaths.h"

#include "installdir/CaseInsensitivePath.h"

#include <QtGlobal>

namespace {

#ifdef Q_OS_WIN
constexpr char16_t kSeparator = u'\\';
#else
constexpr char16_t kSeparator = u'/';
#endif

QString Below(const QString& dir, const QString& name)
{
    QString path = dir + name;
#ifndef Q_OS_WIN
    path = FindPathIgnoringCase(path);
#endif
    return path;
}

} // namespace

ArchivePaths ArchivePathsFor(const QString& dir)
{
    QString base = dir;
    // Qt hands out "/" on Windows too, which serves there as well.
    if (!base.endsWith(kSeparator) && !base.endsWith(u'/'))
        base += kSeparator;
    const QString grp = QStringLiteral("grp") + kSeparator;
    return {Below(base, grp + QStringLiteral("grpfaces.s10")), Below(base, grp + QStringLiteral("grpaface.s10"))};
}
