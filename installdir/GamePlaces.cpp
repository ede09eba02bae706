#include "GamePlaces.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool IsDir(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

} // namespace

GamePlaces FindGamePlaces(const WineScan& scan, const QString& home)
{
    GamePlaces places;
    places.home = home;
    places.prefix = scan.gamePrefix;
    places.tprsn = TPrsnFolder(scan.gamePrefix);
    QStringList prefixes = scan.prefixes;
    if (prefixes.removeOne(scan.gamePrefix))
        prefixes.prepend(scan.gamePrefix);
    for (const QString& prefix : prefixes) {
        const QString driveC = QDir(prefix).filePath(QStringLiteral("drive_c"));
        if (IsDir(driveC))
            places.driveCs << driveC;
    }
    return places;
}

OpenFilePlaces OpenDialogPlaces(const GamePlaces& places, const QString& lastFile)
{
    OpenFilePlaces open;
    const QString lastDir = lastFile.isEmpty() ? QString() : QFileInfo(lastFile).absolutePath();
    if (IsDir(places.tprsn))
        open.startDir = places.tprsn;
    else if (IsDir(lastDir))
        open.startDir = lastDir;
    else
        open.startDir = places.home;

    if (IsDir(places.tprsn))
        open.sidebar << places.tprsn;
    open.sidebar << places.driveCs;
    if (!places.home.isEmpty())
        open.sidebar << places.home;
    open.sidebar << QDir::rootPath();
    return open;
}
