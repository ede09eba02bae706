// Renders the windows a player sees into PNG files for the README: the splash, the main window
// with a sample officer shown, the list sorted by 武力, and the portrait picker's pages.
// Run by hand:  make_screenshots <output dir>

#include "app/TForm_Help.h"
#include "codeconv/Jislib.h"
#include "editor/TForm_Main.h"
#include "platform/RecordingPrompts.h"
#include "platform/Registry.h"
#include "portraits/TfrmPic.h"
#include "tools/SampleGame.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <cstdio>

namespace {

class SampleRegistry final : public Registry {
public:
    explicit SampleRegistry(QString dir) : dir_(std::move(dir)) {}
    RegistryValue ReadValue(const QString&, const QString&) const override
    {
        return {RegistryValue::Kind::Text, dir_};
    }
    QString LocalPath(const QString& path) const override { return path; }

private:
    QString dir_;
};

bool Shoot(QWidget& widget, const QDir& out, const char* name)
{
    QApplication::processEvents();
    const QString path = out.filePath(QString::fromLatin1(name));
    if (!widget.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2 || !LoadCodeTable()) {
        std::fprintf(stderr, "usage: make_screenshots <output dir>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    QTemporaryDir game;
    QString error;
    if (!MakeSampleGame(game.path(), {}, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }

    bool ok = true;
    TForm_Help splash;
    splash.show();
    ok = Shoot(splash, out, "splash.png") && ok;
    splash.close();

    RecordingPrompts prompts;
    SampleRegistry registry(game.path());
    TForm_Main window(InstallDirEnv{registry, prompts, game.path()});
    window.show();
    prompts.openFileAnswers.push_back(game.filePath(kSampleOfficerFile));
    window.Menu_OpenClick();
    auto* list = window.findChild<QTreeWidget*>(QStringLiteral("ListView_SelPrsn"));
    list->setCurrentItem(list->topLevelItem(0));
    ok = Shoot(window, out, "editor.png") && ok;

    window.ListView_SelPrsnColumnClick(3);
    list->setCurrentItem(list->topLevelItem(0));
    ok = Shoot(window, out, "sorted-by-wuli.png") && ok;

    TfrmPic picker(&window, window.FaceFile, window.AddFaceFile, prompts);
    picker.show();
    ok = Shoot(picker, out, "picker-first.png") && ok;
    picker.Button7Click();
    ok = Shoot(picker, out, "picker-new.png") && ok;
    picker.Button6Click();
    ok = Shoot(picker, out, "picker-last.png") && ok;
    return ok ? 0 : 1;
}
