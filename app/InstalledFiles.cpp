#include "InstalledFiles.h"

#include <QDir>
#include <QFileInfo>

QString DesktopFileName()
{
    return QStringLiteral(QM_APP_ID);
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256, 512})
        icon.addFile(QStringLiteral(":/pictures/icon_%1.png").arg(size), QSize(size, size));
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
