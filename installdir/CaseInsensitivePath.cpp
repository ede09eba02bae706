#include "CaseInsensitivePath.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

QString FindPathIgnoringCase(const QString& path)
{
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;

    // `found` is always a directory prefix ending in "/", or empty for a relative path.
    QString found = path.startsWith(u'/') ? QStringLiteral("/") : QString();
    for (const QString& part : path.split(u'/', Qt::SkipEmptyParts)) {
        if (QFileInfo::exists(found + part)) {
            found += part + u'/';
            continue;
        }
        const QStringList names = QDir(found.isEmpty() ? QStringLiteral(".") : found)
                                      .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        const auto match = std::find_if(names.begin(), names.end(), [&](const QString& name) {
            return name.compare(part, Qt::CaseInsensitive) == 0;
        });
        if (match == names.end())
            return path;
        found += *match + u'/';
    }
    found.chop(1);
    return found;
}
