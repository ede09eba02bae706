#pragma once

#include <QString>

#include <memory>

// What a registry lookup found.
struct RegistryValue {
    enum class Kind {
        NoKey,   // the key does not exist, or the hive cannot be read
        NoValue, // the key exists but has no value of that name
        Text,    // a string value (plain or expandable), in `text`
        NotText, // a value of another type, which a string read cannot use
    };
    Kind kind = Kind::NoKey;
    QString text;

    bool operator==(const RegistryValue&) const = default;
};

// The current user's registry hive, read only.
class Registry {
public:
    virtual ~Registry() = default;

    // `key` is a path from the hive's root with "\" separators, with or without a leading "\";
    // key and value names compare without regard to letter case.
    virtual RegistryValue ReadValue(const QString& key, const QString& name) const = 0;
    // Turns a path as the registry holds it into a path this program can open.
    virtual QString LocalPath(const QString& path) const = 0;
};

// The current user's hive of this system: the Wine prefix's on Linux, the real one on Windows.
std::unique_ptr<Registry> CurrentUserRegistry();
