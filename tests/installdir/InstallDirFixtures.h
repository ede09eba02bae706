#pragma once

#include "installdir/ArchivePaths.h"
#include "installdir/InstallDirDialog.h"
#include "platform/Registry.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

// Readable failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const ArchivePaths& paths, std::ostream* os)
{
    *os << '{' << paths.faceFile.toStdString() << ", " << paths.addFaceFile.toStdString() << '}';
}

// Writes a file, creating the directories above it.
inline void WriteFile(const QString& path, const QByteArray& bytes)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path())) << path.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// A registry that answers every lookup with one prepared value.
class FakeRegistry final : public Registry {
public:
    explicit FakeRegistry(RegistryValue answer) : answer_(std::move(answer)) {}

    RegistryValue ReadValue(const QString& key, const QString& name) const override
    {
        lookups.push_back(key + u'|' + name);
        return answer_;
    }
    QString LocalPath(const QString& path) const override { return QStringLiteral("/local/") + path; }

    mutable QStringList lookups;

private:
    RegistryValue answer_;
};

// The chooser's controls, found by name as a user would find them.
inline QPushButton* Button(TForm_InstallDir& dialog, const char* name)
{
    return dialog.findChild<QPushButton*>(name);
}

inline QTreeView* Tree(TForm_InstallDir& dialog)
{
    return dialog.findChild<QTreeView*>("ShellTreeView_InstallDir");
}

inline void SelectDirectory(TForm_InstallDir& dialog, const QString& dir)
{
    QTreeView* tree = Tree(dialog);
    const QModelIndex index = static_cast<QFileSystemModel*>(tree->model())->index(dir);
    ASSERT_TRUE(index.isValid()) << dir.toStdString();
    tree->setCurrentIndex(index);
}

// Shows the chooser modally, as the program does, and does `action` inside its modal loop.
class ModalDriver {
public:
    using Action = std::function<void(TForm_InstallDir&)>;

    explicit ModalDriver(Action action = {}) : action_(std::move(action)) {}

    std::function<void(TForm_InstallDir&)> Show()
    {
        return [this](TForm_InstallDir& dialog) {
            ++shown;
            if (!action_) {
                ADD_FAILURE() << "the chooser was shown";
                return;
            }
            QTimer::singleShot(0, &dialog, [this, &dialog] { action_(dialog); });
            QTimer::singleShot(5000, &dialog, [&dialog] {
                ADD_FAILURE() << "the chooser was left open";
                dialog.done(QDialog::Rejected);
            });
            result = dialog.exec();
        };
    }

    int shown = 0;
    int result = -1;

private:
    Action action_;
};
