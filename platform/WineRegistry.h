#pragma once

#include "Registry.h"

#include <QByteArray>

// The current user's hive of a Wine prefix, read from the prefix's user.reg, which holds
// the keys relative to HKEY_CURRENT_USER.
class WineRegistry final : public Registry {
public:
    explicit WineRegistry(QString prefix);

    // $WINEPREFIX, else ~/.wine, as Wine itself chooses.
    static QString DefaultPrefix();

    RegistryValue ReadValue(const QString& key, const QString& name) const override;
    // "C:\Koei\San10" becomes "<prefix>/dosdevices/c:/Koei/San10"; a path that already starts
    // with "/" is left alone; any other path only has its backslashes turned into "/". Drive C
    // falls back to "<prefix>/drive_c" when its link is missing or broken.
    QString LocalPath(const QString& path) const override;

private:
    QString prefix_;
};

// Looks a value up in the text of a user.reg file. Anything that is not a Wine registry file
// counts as a missing key.
RegistryValue FindWineRegValue(const QByteArray& userReg, const QString& key, const QString& name);
