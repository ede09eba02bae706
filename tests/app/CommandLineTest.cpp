#include "app/CommandLine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Action = CommandLine::Action;

TEST(CommandLine, OneFileIsOpenedAnythingElseIsRefused)
{
    const struct {
        const char* name;
        QStringList args;
        bool strict;
        Action action;
        QString file;
    } cases[] = {
        {"no arguments", {}, true, Action::Run, ""},
        {"a file", {"TPERSON.S10"}, true, Action::Run, QDir::current().absoluteFilePath("TPERSON.S10")},
        {"an absolute file", {"/games/TPERSON.S10"}, true, Action::Run, "/games/TPERSON.S10"},
        {"two files", {"a", "b"}, true, Action::Error, ""},
        {"unknown option", {"--frobnicate"}, true, Action::Error, ""},
        {"unknown option, left for Qt", {"--frobnicate"}, false, Action::Run, ""},
        {"version wins", {"--frobnicate", "x", "y", "--version"}, false, Action::Print, ""},
        {"short help", {"-h"}, true, Action::Print, ""},
        {"game directory", {"--print-game-dir"}, true, Action::PrintGameDir, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CommandLine line = ParseCommandLine(QStringList{"quillmark"} + c.args, c.strict);
        EXPECT_EQ(line.action, c.action);
        EXPECT_EQ(line.file, c.file);
        if (c.action == Action::Error) {
            EXPECT_TRUE(line.text.startsWith("quillmark：")) << line.text.toStdString();
        }
    }
    EXPECT_TRUE(ParseCommandLine({"quillmark", "--help"}, true).text.contains("--print-game-dir"));
}

// The program itself, as a script or a packager runs it: no display, and a home folder of our own.
class Program : public testing::Test {
protected:
    struct Result {
        int exitCode;
        QString out, err;
    };

    Result Run(const QStringList& args)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "WINEPREFIX"})
            env.remove(name);
        env.insert("HOME", home.path());
        env.insert("XDG_CONFIG_HOME", home.filePath(".config"));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(QUILLMARK_EXE), args);
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
    }

    QTemporaryDir home;
};

TEST_F(Program, VersionAndHelpNeedNoDisplay)
{
    const Result version = Run({"--version"});
    EXPECT_EQ(version.exitCode, 0) << version.err.toStdString();
    EXPECT_EQ(version.out, "quillmark " QM_VERSION "\n");

    const Result help = Run({"--help"});
    EXPECT_EQ(help.exitCode, 0) << help.err.toStdString();
    EXPECT_TRUE(help.out.contains("--print-game-dir")) << help.out.toStdString();
}

TEST_F(Program, PrintsTheGameDirectoryItWouldUse)
{
    if (QFileInfo::exists(QFileInfo(QStringLiteral(QUILLMARK_EXE)).dir().filePath("tessovar.ini")))
        GTEST_SKIP() << "a tessovar.ini beside the test build's program answers first";
    const Result none = Run({"--print-game-dir"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_FALSE(none.err.isEmpty());

    const QString prefix = home.filePath("Games/san10");
    ASSERT_TRUE(QDir().mkpath(prefix + "/drive_c"));
    QFile reg(prefix + "/user.reg");
    ASSERT_TRUE(reg.open(QIODevice::WriteOnly));
    reg.write("WINE REGISTRY Version 2\n\n[Software\\\\Koei\\\\San10\\\\Install] 1\n"
              "\"InstallInfo\"=\"C:\\\\Koei\\\\San10\"\n");
    reg.close();
    const Result found = Run({"--print-game-dir"});
    EXPECT_EQ(found.exitCode, 0) << found.err.toStdString();
    EXPECT_EQ(found.out, prefix + "/drive_c/Koei/San10\n");
}

} // namespace
