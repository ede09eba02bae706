#include "WindowsRegistry.h"

#ifdef Q_OS_WIN

#include <QSettings>
#include <QStringList>

RegistryValue WindowsRegistry::ReadValue(const QString& key, const QString& name) const
{
    QString path = key;
    while (path.startsWith(u'\\'))
        path.remove(0, 1);
    const QString hive = QStringLiteral("HKEY_CURRENT_USER");

    // QSettings would show a missing key as an empty one, so look for it in its parent.
    const qsizetype cut = path.lastIndexOf(u'\\');
    const QString parentPath = cut < 0 ? hive : hive + u'\\' + path.left(cut);
    const QString leaf = cut < 0 ? path : path.mid(cut + 1);
    QSettings parent(parentPath, QSettings::NativeFormat);
    if (!parent.childGroups().contains(leaf, Qt::CaseInsensitive))
        return {};

    QSettings settings(hive + u'\\' + path, QSettings::NativeFormat);
    if (!settings.contains(name))
        return {RegistryValue::Kind::NoValue, {}};
    const QVariant value = settings.value(name);
    // REG_SZ and REG_EXPAND_SZ come as text; other types as numbers, lists or bytes.
    if (value.typeId() != QMetaType::QString)
        return {RegistryValue::Kind::NotText, {}};
    QString text = value.toString();
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return {RegistryValue::Kind::Text, text};
}

std::unique_ptr<Registry> CurrentUserRegistry()
{
    return std::make_unique<WindowsRegistry>();
}

#endif
