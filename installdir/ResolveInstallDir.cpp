#include "ResolveInstallDir.h"

#include "installdir/InstallDirDialog.h"
#include "installdir/InstallIni.h"
#include "installdir/RegistryInstallDir.h"

#include <QCoreApplication>

void ExecInstallDirDialog(TForm_InstallDir& dialog)
{
    dialog.exec();
}

QString DefaultIniDir()
{
    return QCoreApplication::applicationDirPath();
}

QString ResolveInstallDir(QWidget* owner, const InstallDirEnv& env)
{
    if (std::optional<QString> dir = InstallDirFromRegistry(env.registry, env.prompts, owner))
        return *dir;
    TForm_InstallDir dialog(owner, env.iniDir, env.prompts, env.configDir);
    if (dialog.InstallPath.isEmpty())
        env.showModal(dialog);
    return dialog.InstallPath;
}

QString KnownInstallDir(const InstallDirEnv& env)
{
    if (std::optional<QString> dir = InstallDirFromRegistry(env.registry, env.prompts, nullptr))
        return *dir;
    return ReadRememberedDir(env.iniDir, env.configDir);
}

QString ChooseInstallDir(QWidget* owner, const InstallDirEnv& env)
{
    TForm_InstallDir dialog(owner, env.iniDir, env.prompts, env.configDir);
    env.showModal(dialog);
    return dialog.InstallPath;
}
