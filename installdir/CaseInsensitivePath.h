#pragma once

#include <QString>

// Finds a path the way Wine does on a case-sensitive file system: when the path does not exist
// as written, each component is looked up without regard to letter case. Returns the path as
// written when nothing matches, so that opening it then fails in the ordinary way.
QString FindPathIgnoringCase(const QString& path);
