#pragma once

#include "installdir/GamePlaces.h"
#include "platform/Prompts.h"
#include "platform/Registry.h"

#include <QString>

#include <functional>

class QWidget;
class TForm_InstallDir;

// Shows the chooser modally and returns when it closes.
void ExecInstallDirDialog(TForm_InstallDir& dialog);

// The directory of the running executable, where tessovar.ini lives.
QString DefaultIniDir();

// What finding the installation directory needs; tests replace the parts.
struct InstallDirEnv {
    const Registry& registry;
    Prompts& prompts;
    QString iniDir = DefaultIniDir();
    std::function<void(TForm_InstallDir&)> showModal = ExecInstallDirDialog;
    // The second place of tessovar.ini, for when iniDir cannot be written; none when empty.
    QString configDir = {};
    // Where the game was found, for the Open dialog and the about box.
    GamePlaces game = {};
};

// The installation directory at start-up: the game's registry entry when its key exists (even
// when the value is empty); otherwise the directory remembered in tessovar.ini, and only when
// that is empty the chooser's answer (empty when the user cancels).
QString ResolveInstallDir(QWidget* owner, const InstallDirEnv& env);

// What start-up would use without asking: the registry's directory when its key exists, else the
// remembered one; empty when neither gives one.
QString KnownInstallDir(const InstallDirEnv& env);

// The chooser, always shown, whatever the registry holds; its answer (empty when cancelled).
QString ChooseInstallDir(QWidget* owner, const InstallDirEnv& env);
