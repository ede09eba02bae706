#include "app/TForm_Help.h"
#include "codeconv/Jislib.h"
#include "editor/TForm_Main.h"
#include "platform/Errors.h"
#include "platform/QtPrompts.h"
#include "platform/Registry.h"

#include <QApplication>
#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Quillmark"));
    QtPrompts prompts;
    try {
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
    } catch (const PlatformError& e) {
        prompts.ErrorBox(nullptr, e.message());
    } catch (const std::exception& e) {
        prompts.ErrorBox(nullptr, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        prompts.ErrorBox(nullptr, QString());
    }
    return 0;
}
