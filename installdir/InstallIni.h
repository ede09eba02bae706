#pragma once

#include <QString>

// tessovar.ini remembers the directory the user chose: the whole file is the directory, with no
// line break. It is kept in the local 8-bit encoding: the ANSI code page on Windows, UTF-8 on Linux.

QString InstallIniPath(const QString& iniDir);

// The first line of tessovar.ini, at most 254 bytes, without a line break at its end. Empty when
// the file is missing or cannot be opened for both reading and writing.
QString ReadInstallIni(const QString& iniDir);

// Replaces tessovar.ini by `dir`; false when the file cannot be created or written.
bool WriteInstallIni(const QString& iniDir, const QString& dir);
