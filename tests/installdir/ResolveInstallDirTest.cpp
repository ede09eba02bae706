#include "installdir/InstallIni.h"
#include "installdir/ResolveInstallDir.h"
#include "platform/RecordingPrompts.h"

#include "InstallDirFixtures.h"

#include <QTemporaryDir>

#include <optional>

namespace {

using Kind = RegistryValue::Kind;

const QString kUnusable = "三国志X的注册表安装路径无法读取，请手动选择安装目录。";

void Cancel(TForm_InstallDir& dialog)
{
    Button(dialog, "Btn_Cancel")->click();
}

struct ResolveCase {
    const char* name;
    RegistryValue registry;
    std::optional<QByteArray> ini;
    ModalDriver::Action chooser; // empty: the chooser must not be shown
    QString dir;
    QStringList messages;
};

void PrintTo(const ResolveCase& c, std::ostream* os)
{
    *os << c.name;
}

class ResolveInstallDirOrder : public testing::TestWithParam<ResolveCase> {};

TEST_P(ResolveInstallDirOrder, RegistryThenIniThenChooser)
{
    const ResolveCase& c = GetParam();
    QTemporaryDir iniDir;
    if (c.ini)
        WriteFile(InstallIniPath(iniDir.path()), *c.ini);
    FakeRegistry registry(c.registry);
    RecordingPrompts prompts;
    ModalDriver chooser(c.chooser);

    const QString dir = ResolveInstallDir(nullptr, {registry, prompts, iniDir.path(), chooser.Show()});

    EXPECT_EQ(dir, c.dir);
    EXPECT_EQ(chooser.shown, c.chooser ? 1 : 0);
    EXPECT_EQ(prompts.Texts(), c.messages);
    EXPECT_EQ(registry.lookups, QStringList{"\\Software\\Koei\\San10\\Install|InstallInfo"});
    if (c.ini) {
        EXPECT_EQ(ReadFile(InstallIniPath(iniDir.path())), *c.ini) << "tessovar.ini is only written by OK";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResolveInstallDirOrder,
    testing::Values(
        ResolveCase{"keyWithValue", {Kind::Text, R"(C:\Koei\San10)"}, "/from/ini", {}, R"(/local/C:\Koei\San10)", {}},
        ResolveCase{"keyWithEmptyValue", {Kind::Text, ""}, "/from/ini", {}, "", {}},
        ResolveCase{"keyWithoutValue", {Kind::NoValue, ""}, std::nullopt, {}, "", {}},
        ResolveCase{"noKeyIniHoldsDir", {Kind::NoKey, ""}, "/from/ini", {}, "/from/ini", {}},
        ResolveCase{"noKeyNoIniCancel", {Kind::NoKey, ""}, std::nullopt, Cancel, "", {}},
        ResolveCase{"noKeyEmptyIniCancel", {Kind::NoKey, ""}, QByteArray(), Cancel, "", {}},
        ResolveCase{"valueNotTextFallsBackToIni", {Kind::NotText, ""}, "/from/ini", {}, "/from/ini", {kUnusable}},
        ResolveCase{"valueNotTextNoIni", {Kind::NotText, ""}, std::nullopt, Cancel, "", {kUnusable}}),
    [](const testing::TestParamInfo<ResolveCase>& info) { return std::string(info.param.name); });

TEST(ResolveInstallDir, ChooserAnswerIsUsedAndRemembered)
{
    QTemporaryDir iniDir;
    QTemporaryDir games;
    FakeRegistry registry({Kind::NoKey, {}});
    RecordingPrompts prompts;
    ModalDriver chooser([&](TForm_InstallDir& dialog) {
        SelectDirectory(dialog, games.path());
        Button(dialog, "Btn_Ok")->click();
    });

    EXPECT_EQ(ResolveInstallDir(nullptr, {registry, prompts, iniDir.path(), chooser.Show()}), games.path());
    EXPECT_EQ(chooser.result, QDialog::Accepted);
    EXPECT_EQ(ReadFile(InstallIniPath(iniDir.path())), games.path().toUtf8());
}

// What --print-game-dir reports: start-up's answer without the chooser.
TEST(KnownInstallDir, IsTheRegistryElseTheRememberedDirectoryAndNeverAsks)
{
    const struct {
        const char* name;
        RegistryValue registry;
        QByteArray beside, config; // tessovar.ini contents; empty: none
        QString dir;
    } cases[] = {
        {"key", {Kind::Text, "C:\\Koei"}, "/beside", "/config", "/local/C:\\Koei"},
        {"beside the program", {Kind::NoKey, ""}, "/beside", "/config", "/beside"},
        {"config folder", {Kind::NoKey, ""}, "", "/config", "/config"},
        {"nothing", {Kind::NoKey, ""}, "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir iniDir;
        QTemporaryDir configDir;
        if (!c.beside.isEmpty())
            WriteFile(InstallIniPath(iniDir.path()), c.beside);
        if (!c.config.isEmpty())
            WriteFile(InstallIniPath(configDir.path()), c.config);
        FakeRegistry registry(c.registry);
        RecordingPrompts prompts;
        ModalDriver noChooser;
        InstallDirEnv env{registry, prompts, iniDir.path(), noChooser.Show()};
        env.configDir = configDir.path();
        EXPECT_EQ(KnownInstallDir(env), c.dir);
        EXPECT_EQ(noChooser.shown, 0);
        EXPECT_TRUE(prompts.shown.empty());
    }
}

TEST(ChooseInstallDir, IsAlwaysShownAndTheTitleBarKeepsTheIniValue)
{
    QTemporaryDir iniDir;
    WriteFile(InstallIniPath(iniDir.path()), "/from/ini");
    FakeRegistry registry({Kind::Text, "C:\\Koei"});
    RecordingPrompts prompts;
    ModalDriver chooser([](TForm_InstallDir& dialog) { dialog.close(); });

    EXPECT_EQ(ChooseInstallDir(nullptr, {registry, prompts, iniDir.path(), chooser.Show()}), "/from/ini");
    EXPECT_EQ(chooser.shown, 1);
    EXPECT_TRUE(registry.lookups.isEmpty()) << "the command does not consult the registry";
}

} // namespace
