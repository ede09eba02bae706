#include "app/InstalledFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

namespace {

struct Layout {
    const char* name;
    std::vector<const char*> files; // READMEs present, relative to the prefix
    const char* found;              // what ReadmePath answers for the prefix's bin folder
};

TEST(InstalledFilesTest, ReadmeBesideTheProgramElseUnderShareDoc)
{
    const Layout layouts[] = {
        {"build tree", {"bin/README.md"}, "bin/README.md"},
        {"installed", {"share/doc/quillmark/README.md"}, "share/doc/quillmark/README.md"},
        {"both: the one beside wins", {"bin/README.md", "share/doc/quillmark/README.md"}, "bin/README.md"},
        {"neither", {}, "share/doc/quillmark/README.md"},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        QTemporaryDir prefix;
        ASSERT_TRUE(prefix.isValid());
        const QDir root(prefix.path());
        ASSERT_TRUE(root.mkpath("bin"));
        for (const char* file : layout.files) {
            ASSERT_TRUE(root.mkpath(QFileInfo(root.filePath(file)).path()));
            QFile readme(root.filePath(file));
            ASSERT_TRUE(readme.open(QIODevice::WriteOnly));
        }
        EXPECT_EQ(ReadmePath(root.filePath("bin")), root.filePath(layout.found));
    }
}

TEST(InstalledFilesTest, IconCarriesEveryDrawnSizeFromTheResources)
{
    const QIcon icon = ProgramIcon();
    for (const int size : {16, 32, 48, 256, 512}) {
        SCOPED_TRACE(size);
        EXPECT_EQ(icon.pixmap(size).size(), QSize(size, size));
        EXPECT_NE(icon.pixmap(size).toImage().pixelColor(size / 2, size / 2).alpha(), 0)
            << "a drawn picture, not a blank one";
    }
}

} // namespace
