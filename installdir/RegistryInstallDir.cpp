#include "RegistryInstallDir.h"

std::optional<QString> InstallDirFromRegistry(const Registry& registry, Prompts& prompts, QWidget* parent)
{
    const RegistryValue value =
        registry.ReadValue(QStringLiteral("\\Software\\Koei\\San10\\Install"), QStringLiteral("InstallInfo"));
    switch (value.kind) {
    case RegistryValue::Kind::NoKey:
        return std::nullopt;
    case RegistryValue::Kind::NotText:
        prompts.ShowMessage(parent, QStringLiteral("三国志X的注册表安装路径无法读取，请手动选择安装目录。"));
        return std::nullopt;
    case RegistryValue::Kind::NoValue:
        return QString();
    case RegistryValue::Kind::Text:
        break;
    }
    return value.text.isEmpty() ? QString() : registry.LocalPath(value.text);
}
