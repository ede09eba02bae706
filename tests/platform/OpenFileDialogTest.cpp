#include "platform/OpenFileDialog.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(OpenFileDialogTest, TheFilterMatchesTheFileNameInAnyLetterCase)
{
    QTemporaryDir dir;
    for (const char* name : {"tperson.s10", "TPerson.S10", "other.s10"}) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const auto dialog = MakeOpenFileDialog(nullptr, QStringLiteral("三国志X自登陆武将文件 (TPERSON.S10)"));
    dialog->setDirectory(dir.path());
    auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
    ASSERT_NE(view, nullptr);

    QStringList shown;
    const QDeadlineTimer deadline(5000);
    while (shown.size() < 2 && !deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        shown.clear();
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row)
            shown << view->model()->index(row, 0, root).data().toString();
    }
    shown.sort();
    EXPECT_EQ(shown, (QStringList{"TPerson.S10", "tperson.s10"}));
}

} // namespace
