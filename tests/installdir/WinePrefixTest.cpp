#include "installdir/ArchivePaths.h"
#include "installdir/ResolveInstallDir.h"
#include "installdir/WinePrefixes.h"
#include "platform/RecordingPrompts.h"
#include "platform/WineRegistry.h"

#include "InstallDirFixtures.h"

#include <QTemporaryDir>

namespace {

// A Wine prefix as the game's installer leaves it, with the archives in upper case as on the
// game's disc; the registry value with and without a trailing backslash.
TEST(WinePrefix, KeyResolvesToTheArchivesWithoutAnyDialog)
{
    for (const QByteArray value : {R"(C:\\Program Files\\Koei\\San10)", R"(c:\\program files\\koei\\san10\\)"}) {
        SCOPED_TRACE(value.toStdString());
        QTemporaryDir prefix;
        QTemporaryDir iniDir;
        WriteFile(prefix.filePath("user.reg"), "WINE REGISTRY Version 2\n"
                                               ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n"
                                               "[Software\\\\Koei\\\\San10\\\\Install] 1700000000\n"
                                               "#time=1da0000000000000\n"
                                               "\"InstallInfo\"=\"" + value + "\"\n");
        const QString game = prefix.filePath("drive_c/Program Files/Koei/San10/");
        WriteFile(game + "GRP/GRPFACES.S10", "faces");
        WriteFile(game + "GRP/GRPAFACE.S10", "aface");
        ASSERT_TRUE(QDir(prefix.path()).mkdir("dosdevices"));
        ASSERT_TRUE(QFile::link("../drive_c", prefix.filePath("dosdevices/c:")));

        WineRegistry registry(prefix.path());
        RecordingPrompts prompts;
        ModalDriver noChooser;
        const ArchivePaths paths =
            ArchivePathsFor(ResolveInstallDir(nullptr, {registry, prompts, iniDir.path(), noChooser.Show()}));

        const QString viaC = prefix.filePath("dosdevices/c:/Program Files/Koei/San10/GRP/");
        EXPECT_EQ(paths, (ArchivePaths{viaC + "GRPFACES.S10", viaC + "GRPAFACE.S10"}));
        EXPECT_EQ(ReadFile(paths.faceFile), "faces");
        EXPECT_EQ(ReadFile(paths.addFaceFile), "aface");
        EXPECT_EQ(noChooser.shown, 0);
        EXPECT_TRUE(prompts.shown.empty());
        EXPECT_TRUE(QDir(iniDir.path()).isEmpty()) << "tessovar.ini is not touched";
    }
}

// A prefix moved to where Lutris keeps it, whose dosdevices was lost on the way: found with no
// chooser, the archives read from drive_c.
TEST(WinePrefix, ALutrisPrefixWithoutItsCLinkIsFoundWithoutTheChooser)
{
    QTemporaryDir home;
    QTemporaryDir iniDir;
    const QString prefix = home.filePath("Games/sangokushi-10");
    WriteFile(prefix + "/user.reg", "WINE REGISTRY Version 2\n\n[Software\\\\Koei\\\\San10\\\\Install] 1\n"
                                    "\"InstallInfo\"=\"C:\\\\Koei\\\\San10\"\n");
    WriteFile(prefix + "/drive_c/Koei/San10/grp/grpfaces.s10", "faces");
    WriteFile(home.filePath(".wine/user.reg"), "WINE REGISTRY Version 2\n");

    const WineScan scan = ScanWinePrefixes(home.path(), {});
    ASSERT_EQ(scan.gamePrefix, prefix);
    const std::unique_ptr<Registry> registry = GamePrefixRegistry(scan);
    RecordingPrompts prompts;
    ModalDriver noChooser;
    const ArchivePaths paths =
        ArchivePathsFor(ResolveInstallDir(nullptr, {*registry, prompts, iniDir.path(), noChooser.Show()}));
    EXPECT_EQ(paths.faceFile, prefix + "/drive_c/Koei/San10/grp/grpfaces.s10");
    EXPECT_EQ(ReadFile(paths.faceFile), "faces");
    EXPECT_EQ(noChooser.shown, 0);
}

} // namespace
