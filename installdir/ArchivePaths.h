#pragma once

#include <QString>

// The paths of the game's two portrait archives below its installation directory.
struct ArchivePaths {
    QString faceFile;    // grp/grpfaces.s10
    QString addFaceFile; // grp/grpaface.s10

    bool operator==(const ArchivePaths&) const = default;
};

// Ensures a trailing separator on `dir` (an empty one becomes the root) and appends the archive
// names; on Linux each path is then looked up without regard to letter case, as Wine would.
ArchivePaths ArchivePathsFor(const QString& dir);
