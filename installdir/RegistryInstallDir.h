#pragma once

#include "platform/Prompts.h"
#include "platform/Registry.h"

#include <QString>

#include <optional>

class QWidget;

// The installation directory from the game's registry entry, as a path this program can open.
// When the key exists its value wins, even a missing or empty one (the empty directory). Nothing
// when the key is absent, or when the value is not text: then the user is told, and the caller
// goes on as if the key were absent instead of giving up.
std::optional<QString> InstallDirFromRegistry(const Registry& registry, Prompts& prompts, QWidget* parent);
