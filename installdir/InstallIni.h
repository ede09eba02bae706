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

// The user's own configuration folder for tessovar.ini, $XDG_CONFIG_HOME/quillmark: used when
// the program's folder cannot be written, as once the program is installed.
QString DefaultConfigDir();

// The remembered directory: tessovar.ini beside the program first, then the one in `configDir`
// (none when empty).
QString ReadRememberedDir(const QString& iniDir, const QString& configDir);

// Stores `dir` beside the program when that can be written, else in `configDir` (created when
// missing); false when neither could be written.
bool WriteRememberedDir(const QString& iniDir, const QString& configDir, const QString& dir);
