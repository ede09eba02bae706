#pragma once

#include "Registry.h"

#include <QtGlobal>

#ifdef Q_OS_WIN

// The current user's hive of the Windows registry, through QSettings' native format.
class WindowsRegistry final : public Registry {
public:
    RegistryValue ReadValue(const QString& key, const QString& name) const override;
    // Windows paths are opened as they are.
    QString LocalPath(const QString& path) const override { return path; }
};

#endif
