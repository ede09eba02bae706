#include "installdir/ArchivePaths.h"
#include "installdir/CaseInsensitivePath.h"

#include "InstallDirFixtures.h"

#include <QTemporaryDir>

namespace {

TEST(ArchivePaths, EnsureOneSeparatorBeforeGrp)
{
    const struct {
        QString dir;
        ArchivePaths paths;
    } cases[] = {
        {"/nonexistent/San10", {"/nonexistent/San10/grp/grpfaces.s10", "/nonexistent/San10/grp/grpaface.s10"}},
        {"/nonexistent/San10/", {"/nonexistent/San10/grp/grpfaces.s10", "/nonexistent/San10/grp/grpaface.s10"}},
        {"", {"/grp/grpfaces.s10", "/grp/grpaface.s10"}},
        {"/", {"/grp/grpfaces.s10", "/grp/grpaface.s10"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ArchivePathsFor(c.dir), c.paths) << '"' << c.dir.toStdString() << '"';
}

struct CaseTree {
    const char* name;
    QStringList files; // below the temporary directory
    QString dir;       // the directory given, below the temporary directory
    QString faces;     // the expected archive paths, below the temporary directory
    QString aface;
};

void PrintTo(const CaseTree& c, std::ostream* os)
{
    *os << c.name;
}

class ArchivePathsIgnoringCase : public testing::TestWithParam<CaseTree> {};

TEST_P(ArchivePathsIgnoringCase, FindsTheFilesAsWineWould)
{
    const CaseTree& c = GetParam();
    QTemporaryDir root;
    for (const QString& file : c.files)
        WriteFile(root.filePath(file), "x");
    const QString base = root.path() + u'/';
    EXPECT_EQ(ArchivePathsFor(base + c.dir), (ArchivePaths{base + c.faces, base + c.aface}));
}

INSTANTIATE_TEST_SUITE_P(
    Trees, ArchivePathsIgnoringCase,
    testing::Values(
        CaseTree{"exactCase", {"San10/grp/grpfaces.s10", "San10/grp/grpaface.s10"}, "San10", "San10/grp/grpfaces.s10",
                 "San10/grp/grpaface.s10"},
        CaseTree{"upperCaseTree", {"San10/GRP/GRPFACES.S10", "San10/GRP/GRPAFACE.S10"}, "San10/",
                 "San10/GRP/GRPFACES.S10", "San10/GRP/GRPAFACE.S10"},
        CaseTree{"directoryCaseToo", {"Koei/San10/Grp/GrpFaces.s10", "Koei/San10/Grp/grpaface.S10"}, "koei/SAN10",
                 "Koei/San10/Grp/GrpFaces.s10", "Koei/San10/Grp/grpaface.S10"},
        CaseTree{"onlyOneArchive", {"San10/GRP/GRPFACES.S10"}, "San10", "San10/GRP/GRPFACES.S10",
                 "San10/grp/grpaface.s10"},
        CaseTree{"nothingMatches", {"San10/GRP/other"}, "San10", "San10/grp/grpfaces.s10", "San10/grp/grpaface.s10"}),
    [](const testing::TestParamInfo<CaseTree>& info) { return std::string(info.param.name); });

TEST(FindPathIgnoringCase, FollowsLinksAndLeavesMissingPathsAlone)
{
    QTemporaryDir root;
    WriteFile(root.filePath("drive_c/Koei/San10/x"), "x");
    ASSERT_TRUE(QDir(root.path()).mkdir("dosdevices"));
    ASSERT_TRUE(QFile::link("../drive_c", root.filePath("dosdevices/c:")));

    EXPECT_EQ(FindPathIgnoringCase(root.filePath("dosdevices/C:/KOEI/san10")), root.filePath("dosdevices/c:/Koei/San10"));
    EXPECT_EQ(FindPathIgnoringCase(root.filePath("dosdevices/d:/Koei")), root.filePath("dosdevices/d:/Koei"));
    EXPECT_EQ(FindPathIgnoringCase(""), "");
}

} // namespace
