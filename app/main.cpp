#include "app/InstalledFiles.h"
#include "app/TForm_Help.h"
#include "codeconv/Jislib.h"
#include "editor/TForm_Main.h"
#include "platform/Errors.h"
#include "platform/Guard.h"
#include "platform/QtPrompts.h"
#include "platform/Registry.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(ProgramIcon());
    QGuiApplication::setDesktopFileName(DesktopFileName());
    // The program speaks Simplified Chinese whatever the locale; so do Qt's own dialogs and buttons.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    QtPrompts prompts;
    // Whatever escapes start-up or the message loop is shown in the error box; the exit code stays 0.
    Guarded(prompts, nullptr, [&prompts] {
        // The code table comes first: no officer file may be read or written without it.
        if (!LoadCodeTable())
            throw PlatformError(QStringLiteral("程序内置的编码对照表无法读取，程序无法运行。"));

        auto splash = std::make_unique<TForm_Help>();
        splash->exec();

        const std::unique_ptr<Registry> registry = CurrentUserRegistry();
        TForm_Main window(InstallDirEnv{*registry, prompts});
        splash.reset();
        window.show();
        QApplication::exec();
    });
    return 0;
}
