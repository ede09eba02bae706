#include "app/CommandLine.h"
#include "app/InstalledFiles.h"
#include "app/TForm_Help.h"
#include "codeconv/Jislib.h"
#include "editor/TForm_Main.h"
#include "installdir/GamePlaces.h"
#include "installdir/InstallIni.h"
#include "installdir/WinePrefixes.h"
#include "platform/ConsolePrompts.h"
#include "platform/Errors.h"
#include "platform/Guard.h"
#include "platform/QtPrompts.h"
#include "platform/Registry.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <memory>

namespace {

// The program speaks Simplified Chinese whatever the locale; so do Qt's own dialogs and buttons.
void InstallQtTexts(QTranslator& qtTexts)
{
    if (qtTexts.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
}

// Where the game is, found before any window exists: the Wine prefixes, and the hive of the one
// that holds the game's key.
struct GameSearch {
    QString home = QDir::homePath();
    WineScan scan = ScanWinePrefixes(home, qEnvironmentVariable("WINEPREFIX"));
    std::unique_ptr<Registry> registry = GamePrefixRegistry(scan);

    InstallDirEnv Env(Prompts& prompts) const
    {
        InstallDirEnv env{*registry, prompts};
        env.configDir = DefaultConfigDir();
        env.game = FindGamePlaces(scan, home);
        return env;
    }
};

// The directory start-up would use, without the chooser; exit code 1 when there is none.
int PrintGameDir()
{
    ConsolePrompts prompts;
    const GameSearch game;
    const QString dir = KnownInstallDir(game.Env(prompts));
    if (dir.isEmpty()) {
        std::fputs("未找到三国志X的安装目录。\n", stderr);
        return 1;
    }
    std::fputs((dir + u'\n').toLocal8Bit().constData(), stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setApplicationVersion(QStringLiteral(QM_VERSION));
    {
        // Options that only print are served before the GUI exists, so they need no display.
        QCoreApplication console(argc, argv);
        QTranslator qtTexts;
        InstallQtTexts(qtTexts);
        const CommandLine line = ParseCommandLine(QCoreApplication::arguments(), false);
        if (line.action == CommandLine::Action::Print) {
            std::fputs(line.text.toLocal8Bit().constData(), stdout);
            return 0;
        }
        if (line.action == CommandLine::Action::PrintGameDir)
            return PrintGameDir();
    }

    QApplication app(argc, argv);
    QApplication::setWindowIcon(ProgramIcon());
    QGuiApplication::setDesktopFileName(DesktopFileName());
    QTranslator qtTexts;
    InstallQtTexts(qtTexts);
    // Qt has taken its own options (-platform, -style) off the line by now.
    const CommandLine line = ParseCommandLine(QApplication::arguments(), true);
    if (line.action == CommandLine::Action::Error) {
        std::fputs(line.text.toLocal8Bit().constData(), stderr);
        return 2;
    }
    QtPrompts prompts;
    // Whatever escapes start-up or the message loop is shown in the error box; the exit code stays 0.
    Guarded(prompts, nullptr, [&prompts, &line] {
        // The code table comes first: no officer file may be read or written without it.
        if (!LoadCodeTable())
            throw PlatformError(QStringLiteral("程序内置的编码对照表无法读取，程序无法运行。"));

        const GameSearch game;
        const InstallDirEnv env = game.Env(prompts);
        auto splash = std::make_unique<TForm_Help>(nullptr, ShownPath(env.game.prefix, env.game.home));
        splash->exec();

        TForm_Main window(env);
        splash.reset();
        window.show();
        if (!line.file.isEmpty())
            window.OpenFile(line.file);
        QApplication::exec();
    });
    return 0;
}
