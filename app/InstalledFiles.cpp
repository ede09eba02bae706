#include "InstalledFiles.h"

#include <QDir>
#include <QFileInfo>

QString DesktopFileName()
{
    return QStringLiteral(QM_APP_ID);
}

QIcon ProgramIcon()
{
    // Every size the picture generator drew; QIcon picks the nearest for each use.
    QIcon icon;
    const QDir pictures(QStringLiteral(":/pictures"));
    for (const QString& name : pictures.entryList({QStringLiteral("icon_*.png")}, QDir::Files))
        icon.addFile(pictures.filePath(name));
    return icon;
}

QString ReadmePath(const QString& programDir)
{
    const QDir dir(programDir);
    const QString beside = dir.filePath(QStringLiteral("README.md"));
    if (QFileInfo(beside).isFile())
        return beside;
    // QM_DOC_FROM_BIN is the doc folder relative to the bin folder, as the install rules lay them out.
    return QDir::cleanPath(dir.filePath(QStringLiteral(QM_DOC_FROM_BIN "/README.md")));
}
