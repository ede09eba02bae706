#include "platform/OpenFileDialog.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// The names the dialog lists, sorted, once it has listed `count` of them (it lists in the background).
QStringList Listed(QFileDialog& dialog, qsizetype count)
{
    auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
    if (!view)
        return {QStringLiteral("<no list view>")};
    QStringList shown;
    const QDeadlineTimer deadline(5000);
    while (shown.size() < count && !deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        shown.clear();
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row)
            shown << view->model()->index(row, 0, root).data().toString();
    }
    shown.sort();
    return shown;
}

TEST(OpenFileDialogTest, TheFilterMatchesTheFileNameInAnyLetterCase)
{
    QTemporaryDir dir;
    for (const char* name : {"tperson.s10", "TPerson.S10", "other.s10"}) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const auto dialog = MakeOpenFileDialog(nullptr, QStringLiteral("三国志X自登陆武将文件 (TPERSON.S10)"));
    dialog->setDirectory(dir.path());
    EXPECT_EQ(Listed(*dialog, 2), (QStringList{"TPerson.S10", "tperson.s10"}));
}

// Wine prefixes mostly sit below a dot-folder: the dialog shows them, starts where it is told
// and lists the given folders in its sidebar.
TEST(OpenFileDialogTest, StartsInTheGivenFolderAndShowsHiddenFolders)
{
    QTemporaryDir home;
    ASSERT_TRUE(QDir(home.path()).mkpath(".wine/drive_c"));
    ASSERT_TRUE(QDir(home.path()).mkpath("Games"));
    const OpenFilePlaces places{home.path(), {home.filePath(".wine/drive_c"), home.path()}};
    const auto dialog = MakeOpenFileDialog(nullptr, QStringLiteral("三国志X自登陆武将文件 (TPERSON.S10)"), places);
    EXPECT_EQ(dialog->directory().absolutePath(), home.path());
    EXPECT_EQ(dialog->sidebarUrls(),
              (QList<QUrl>{QUrl::fromLocalFile(home.filePath(".wine/drive_c")), QUrl::fromLocalFile(home.path())}));
    EXPECT_EQ(Listed(*dialog, 2), (QStringList{".wine", "Games"}));
}

} // namespace
