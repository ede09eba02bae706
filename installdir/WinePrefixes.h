#pragma once

#include "platform/Registry.h"

#include <QString>
#include <QStringList>

#include <memory>

// Finding the Wine prefix the game was installed into. Front-ends each keep their prefixes in a
// place of their own; the home folder and $WINEPREFIX come in as parameters, so that nothing here
// looks at the real ones unless asked to.

struct WineScan {
    QStringList prefixes; // every prefix found (a folder holding user.reg), in search order
    QString gamePrefix;   // the first of them whose user.reg holds the game's key; empty when none
};

// The places searched, in order: $WINEPREFIX, ~/.wine, Lutris (~/Games/*), Bottles (native and
// Flatpak), PlayOnLinux, CrossOver, then Steam's compatdata/*/pfx in each Steam root and in every
// library its libraryfolders.vdf lists. Only folders that hold a user.reg are returned, each once.
QStringList WinePrefixes(const QString& home, const QString& winePrefixVar);

// The first prefix whose user.reg holds the game's key. Only user.reg files are read.
WineScan ScanWinePrefixes(const QString& home, const QString& winePrefixVar);

// The libraries a Steam libraryfolders.vdf lists (new and old formats), as written there.
QStringList SteamLibraries(const QByteArray& vdf);

// Whether the text of a user.reg holds the key, compared without regard to letter case. A byte
// search, cheap enough to run over every prefix at start-up.
bool UserRegHasKey(const QByteArray& userReg, const QByteArray& escapedKey);

// The folder the game keeps its officer file in, Koei/San10/TPrsn below the Windows user's
// documents of `prefix`: the "Personal" shell folder of user.reg when it is set, otherwise
// drive_c/users/*/Documents or My Documents. Empty when no such folder exists.
QString TPrsnFolder(const QString& prefix);

// The current user's hive the game's key is read from: the scan's game prefix, or Wine's own
// default prefix when none holds the key (Windows: the real registry).
std::unique_ptr<Registry> GamePrefixRegistry(const WineScan& scan);

// `path` with the home folder shown as "~", for showing to the player.
QString ShownPath(const QString& path, const QString& home);
