#pragma once

#include "codeconv/Jislib.h"
#include "editor/TForm_Main.h"
#include "installdir/InstallDirDialog.h"
#include "officers/OfficerFile.h"
#include "platform/RecordingPrompts.h"
#include "platform/Registry.h"
#include "tools/SampleGame.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// A registry whose game key holds one directory, or that has no key at all.
class FakeRegistry final : public Registry {
public:
    std::optional<QString> installInfo;
    RegistryValue ReadValue(const QString&, const QString&) const override
    {
        if (!installInfo)
            return {RegistryValue::Kind::NoKey, {}};
        return {RegistryValue::Kind::Text, *installInfo};
    }
    QString LocalPath(const QString& path) const override { return path; }
};

// A main window over a generated sample game, with every prompt answered by the fake.
class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(LoadCodeTable());
        ASSERT_TRUE(game.isValid() && iniDir.isValid());
        QString error;
        ASSERT_TRUE(MakeSampleGame(game.path(), options, &error)) << error.toStdString();
        registry.installInfo = game.path();
        CreateWindow();
    }

    void CreateWindow()
    {
        env = std::make_unique<InstallDirEnv>(InstallDirEnv{registry, prompts, iniDir.path(), chooser});
        window = std::make_unique<TForm_Main>(*env);
    }

    QString OfficerFile() const { return game.filePath(kSampleOfficerFile); }

    template <typename T>
    T* Control(const char* name) const
    {
        T* control = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    // Opens a file through File > Open with the dialog answering `path`.
    void Open(const QString& path)
    {
        prompts.openFileAnswers.push_back(path);
        window->Menu_OpenClick();
    }

    // Acts on the next modal window once it is up (for dialogs that block in exec()). The watch
    // ends with the returned object, so it never reaches into a later test.
    static std::unique_ptr<QTimer> WhenModal(std::function<void(QWidget*)> act)
    {
        auto timer = std::make_unique<QTimer>();
        timer->setInterval(5);
        QTimer* t = timer.get();
        QObject::connect(t, &QTimer::timeout, [t, act] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                t->stop();
                act(modal);
            }
        });
        timer->start();
        return timer;
    }

    SampleGameOptions options;
    QTemporaryDir game;
    QTemporaryDir iniDir;
    FakeRegistry registry;
    RecordingPrompts prompts;
    std::function<void(TForm_InstallDir&)> chooser = [](TForm_InstallDir& d) { d.Btn_CancelClick(); };
    std::unique_ptr<InstallDirEnv> env;
    std::unique_ptr<TForm_Main> window;
};
