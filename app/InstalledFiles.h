#pragma once

#include <QIcon>
#include <QString>

// What the program finds of its own installation: the names desktops know it by, its icon, and
// the README that the install rules put under share/doc beside the bin folder.

// The desktop entry's name without ".desktop"; desktops match the program's windows by it.
QString DesktopFileName();

// The program's icon, drawn for each of the sizes desktops ask for.
QIcon ProgramIcon();

// The README in or under programDir: beside the program when it runs from a build tree, else where
// the install rules put it. When neither is there, the installed path, which then opens nothing.
QString ReadmePath(const QString& programDir);
