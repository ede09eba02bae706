#include "installdir/InstallDirDialog.h"
#include "installdir/InstallIni.h"
#include "platform/RecordingPrompts.h"

#include "InstallDirFixtures.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <optional>

namespace {

class InstallDirDialog : public testing::Test {
protected:
    QString Ini() const { return InstallIniPath(iniDir.path()); }

    QTemporaryDir iniDir;
    QTemporaryDir games;
    RecordingPrompts prompts;
};

TEST_F(InstallDirDialog, HasTheLayoutOfTheChooser)
{
    TForm_InstallDir dialog(nullptr, iniDir.path(), prompts);
    EXPECT_EQ(dialog.windowTitle(), "选择三国志X的安装目录");
    EXPECT_EQ(dialog.size(), QSize(265, 302));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "fixed size";

    QTreeView* tree = Tree(dialog);
    QPushButton* ok = Button(dialog, "Btn_Ok");
    QPushButton* cancel = Button(dialog, "Btn_Cancel");
    ASSERT_TRUE(tree && ok && cancel);
    EXPECT_EQ(tree->geometry(), QRect(0, 0, 265, 265));
    EXPECT_EQ(ok->geometry(), QRect(32, 272, 80, 25));
    EXPECT_EQ(cancel->geometry(), QRect(152, 272, 80, 25));
    EXPECT_EQ(ok->text(), "确  定");
    EXPECT_EQ(cancel->text(), "取 消");
    EXPECT_EQ(tree->indentation(), 19);

    QList<QWidget*> tabOrder;
    QWidget* w = tree;
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            tabOrder << w;
        w = w->nextInFocusChain();
    } while (w != tree);
    EXPECT_EQ(tabOrder, (QList<QWidget*>{tree, ok, cancel}));
}

TEST_F(InstallDirDialog, OpensWithTheRootExpandedAndSelected)
{
    TForm_InstallDir dialog(nullptr, iniDir.path(), prompts);
    QTreeView* tree = Tree(dialog);
    EXPECT_TRUE(tree->isExpanded(tree->currentIndex()));
    EXPECT_EQ(dialog.SelectedPath(), QDir::rootPath());

    tree->clearSelection();
    EXPECT_EQ(dialog.SelectedPath(), "");
}

TEST_F(InstallDirDialog, OkStoresTheSelectedDirectoryWithoutLineBreak)
{
    const QString chosen = games.filePath("三国志X");
    ASSERT_TRUE(QDir().mkpath(chosen));
    WriteFile(Ini(), "/previous/choice/that/was/longer");

    TForm_InstallDir dialog(nullptr, iniDir.path(), prompts);
    dialog.show();
    SelectDirectory(dialog, chosen);
    Button(dialog, "Btn_Ok")->click();

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.InstallPath, chosen);
    EXPECT_EQ(ReadFile(Ini()), chosen.toUtf8());
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(InstallDirDialog, OkWithNothingSelectedWritesAnEmptyFile)
{
    WriteFile(Ini(), "/previous");
    TForm_InstallDir dialog(nullptr, iniDir.path(), prompts);
    Tree(dialog)->clearSelection();
    Button(dialog, "Btn_Ok")->click();

    EXPECT_EQ(dialog.InstallPath, "");
    EXPECT_EQ(ReadFile(Ini()), "");
}

TEST_F(InstallDirDialog, UnwritableIniIsReportedAndTheChoiceStillHolds)
{
    const QString chosen = games.path();
    const struct {
        const char* why;
        QString iniDir;
        bool iniIsDirectory;
    } cases[] = {
        {"tessovar.ini is a directory", iniDir.path(), true},
        {"the directory does not exist", iniDir.filePath("missing"), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        if (c.iniIsDirectory) {
            ASSERT_TRUE(QDir().mkpath(InstallIniPath(c.iniDir)));
        }
        RecordingPrompts seen;
        TForm_InstallDir dialog(nullptr, c.iniDir, seen);
        EXPECT_EQ(dialog.InstallPath, "");
        SelectDirectory(dialog, chosen);
        Button(dialog, "Btn_Ok")->click();

        EXPECT_EQ(seen.Texts(), QStringList{"无法创建配置文件"});
        EXPECT_EQ(dialog.InstallPath, chosen);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
}

// Once installed, the program's folder cannot be written: the answer goes to the user's config
// folder, and the next start finds it there.
TEST_F(InstallDirDialog, AnUnwritableProgramFolderKeepsTheAnswerInTheConfigFolder)
{
    const QString chosen = games.path();
    const struct {
        const char* why;
        QString programDir;
    } cases[] = {
        {"a system folder", "/proc"},
        {"tessovar.ini is a directory", iniDir.filePath("dir-ini")},
        {"below a file", iniDir.filePath("file/bin")},
    };
    ASSERT_TRUE(QDir().mkpath(InstallIniPath(iniDir.filePath("dir-ini"))));
    WriteFile(iniDir.filePath("file"), "");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        QTemporaryDir config;
        const QString configDir = config.filePath("quillmark");
        {
            TForm_InstallDir dialog(nullptr, c.programDir, prompts, configDir);
            SelectDirectory(dialog, chosen);
            Button(dialog, "Btn_Ok")->click();
            EXPECT_EQ(dialog.InstallPath, chosen);
        }
        EXPECT_TRUE(prompts.shown.empty());
        EXPECT_EQ(ReadFile(InstallIniPath(configDir)), chosen.toUtf8());
        TForm_InstallDir next(nullptr, c.programDir, prompts, configDir);
        EXPECT_EQ(next.InstallPath, chosen);
    }

    // Nowhere to write at all: the player is told, and the choice holds for this run.
    TForm_InstallDir dialog(nullptr, "/proc", prompts, "/proc/quillmark");
    SelectDirectory(dialog, chosen);
    Button(dialog, "Btn_Ok")->click();
    EXPECT_EQ(prompts.Texts(), QStringList{"无法创建配置文件"});
    EXPECT_EQ(dialog.InstallPath, chosen);
}

TEST_F(InstallDirDialog, TheIniBesideTheProgramIsReadBeforeTheOneInTheConfigFolder)
{
    QTemporaryDir config;
    WriteFile(InstallIniPath(config.path()), "/from/config");
    EXPECT_EQ(ReadRememberedDir(iniDir.path(), config.path()), "/from/config") << "none beside the program";
    WriteFile(Ini(), "");
    EXPECT_EQ(ReadRememberedDir(iniDir.path(), config.path()), "/from/config") << "an empty one beside it";
    WriteFile(Ini(), "/beside");
    EXPECT_EQ(ReadRememberedDir(iniDir.path(), config.path()), "/beside");

    // A writable program folder keeps the answer, and the config folder is left alone.
    EXPECT_TRUE(WriteRememberedDir(iniDir.path(), config.path(), "/chosen"));
    EXPECT_EQ(ReadFile(Ini()), "/chosen");
    EXPECT_EQ(ReadFile(InstallIniPath(config.path())), "/from/config");
}

// Cancel and Escape empty the answer; the title bar keeps what tessovar.ini gave.
TEST_F(InstallDirDialog, WaysOfLeavingWithoutOk)
{
    const struct {
        const char* how;
        std::function<void(TForm_InstallDir&)> leave;
        QString answer;
    } cases[] = {
        {"cancel button", [](TForm_InstallDir& d) { Button(d, "Btn_Cancel")->click(); }, ""},
        {"escape in the tree",
         [](TForm_InstallDir& d) {
             QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
             QCoreApplication::sendEvent(Tree(d), &escape);
         },
         ""},
        {"title bar", [](TForm_InstallDir& d) { d.close(); }, "/from/ini"},
    };
    WriteFile(Ini(), "/from/ini");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        TForm_InstallDir dialog(nullptr, iniDir.path(), prompts);
        EXPECT_EQ(dialog.InstallPath, "/from/ini");
        dialog.show();
        Tree(dialog)->setFocus();
        c.leave(dialog);

        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(dialog.InstallPath, c.answer);
        EXPECT_EQ(ReadFile(Ini()), "/from/ini");
    }
    EXPECT_TRUE(prompts.shown.empty());
}

struct IniCase {
    const char* name;
    std::optional<QByteArray> content; // none: no file
    QString expected;
};

void PrintTo(const IniCase& c, std::ostream* os)
{
    *os << c.name;
}

class InstallIniRead : public testing::TestWithParam<IniCase> {};

TEST_P(InstallIniRead, TakesTheFirstLineUpTo254Bytes)
{
    const IniCase& c = GetParam();
    QTemporaryDir dir;
    if (c.content)
        WriteFile(InstallIniPath(dir.path()), *c.content);
    EXPECT_EQ(ReadInstallIni(dir.path()), c.expected);
}

const QByteArray k254 = "/" + QByteArray(253, 'a');

INSTANTIATE_TEST_SUITE_P(
    Files, InstallIniRead,
    testing::Values(IniCase{"missing", std::nullopt, ""}, IniCase{"empty", QByteArray(), ""},
                    IniCase{"plain", "/games/San10", "/games/San10"},
                    IniCase{"exactly254Bytes", k254, QString::fromUtf8(k254)},
                    IniCase{"longerLineIsCut", k254 + "bcdef", QString::fromUtf8(k254)},
                    IniCase{"lineBreakRemoved", "/games/San10\n", "/games/San10"},
                    IniCase{"crlfRemoved", "/games/San10\r\nsecond line", "/games/San10"},
                    IniCase{"254BytesThenBreak", k254 + "\n", QString::fromUtf8(k254)},
                    IniCase{"endsAtNul", QByteArray("/games\0/San10", 13), "/games"},
                    IniCase{"utf8", "/游戏/三国志X", QStringLiteral(u"/游戏/三国志X")}),
    [](const testing::TestParamInfo<IniCase>& info) { return std::string(info.param.name); });

} // namespace
