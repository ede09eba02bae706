#include "installdir/GamePlaces.h"
#include "installdir/WinePrefixes.h"
#include "platform/WineRegistry.h"

#include "InstallDirFixtures.h"

#include <QDeadlineTimer>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

const QByteArray kHeader = "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n";
const QByteArray kGameKey = "[Software\\\\Koei\\\\San10\\\\Install] 1700000000\n#time=1da0000000000000\n"
                            "\"InstallInfo\"=\"C:\\\\Koei\\\\San10\"\n\n";
const QByteArray kOtherKey = "[Software\\\\Wine\\\\Drives] 1700000000\n\"d:\"=\"cdrom\"\n\n";

// A Wine prefix below `home`: user.reg, with or without the game's key, and drive_c.
void MakePrefix(const QString& prefix, bool withGame, const QByteArray& more = {})
{
    WriteFile(prefix + "/user.reg", kHeader + kOtherKey + (withGame ? kGameKey : QByteArray()) + more);
    ASSERT_TRUE(QDir().mkpath(prefix + "/drive_c"));
}

// Each front-end's default place, in the order they are searched. Paths are below the home
// folder; "$WINEPREFIX" stands for wherever that variable points, and "library" for a Steam
// library that libraryfolders.vdf lists outside every Steam root.
const QStringList kLayouts = {
    "$WINEPREFIX",
    ".wine",
    "Games/san10",
    ".local/share/bottles/bottles/San10",
    ".var/app/com.usebottles.bottles/data/bottles/bottles/San10",
    ".PlayOnLinux/wineprefix/San10",
    ".cxoffice/San10",
    ".local/share/Steam/steamapps/compatdata/40960/pfx",
    ".steam/steam/steamapps/compatdata/40960/pfx",
    ".var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/compatdata/40960/pfx",
    "library/steamapps/compatdata/40960/pfx",
};

class FakeHome : public testing::Test {
protected:
    QString Path(const QString& layout) const
    {
        return layout == "$WINEPREFIX" ? other.filePath("custom") : home.filePath(layout);
    }

    // Every layout as a prefix; those from `firstWithGame` on hold the game's key.
    void MakeAll(qsizetype firstWithGame)
    {
        for (qsizetype i = 0; i < kLayouts.size(); ++i)
            MakePrefix(Path(kLayouts[i]), i >= firstWithGame);
        WriteFile(home.filePath(".local/share/Steam/steamapps/libraryfolders.vdf"),
                  "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" + home.filePath(".local/share/Steam").toUtf8()
                      + "\"\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + home.filePath("library").toUtf8()
                      + "\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"40960\"\t\t\"123\"\n\t\t}\n\t}\n}\n");
    }

    QTemporaryDir home;
    QTemporaryDir other;
};

TEST_F(FakeHome, EachFrontEndsPlaceIsSearchedInOrderAndTheFirstWithTheGameWins)
{
    MakeAll(kLayouts.size());
    QStringList expected;
    for (const QString& layout : kLayouts)
        expected << Path(layout);
    EXPECT_EQ(WinePrefixes(home.path(), Path("$WINEPREFIX")), expected);
    EXPECT_EQ(ScanWinePrefixes(home.path(), Path("$WINEPREFIX")).gamePrefix, "") << "no prefix holds the key";

    // The key from position i on: the prefix at i wins over every later one.
    for (qsizetype i = kLayouts.size() - 1; i >= 0; --i) {
        SCOPED_TRACE(kLayouts[i].toStdString());
        MakePrefix(Path(kLayouts[i]), true);
        EXPECT_EQ(ScanWinePrefixes(home.path(), Path("$WINEPREFIX")).gamePrefix, Path(kLayouts[i]));
    }
}

TEST_F(FakeHome, EachFrontEndAloneIsFound)
{
    for (const QString& layout : kLayouts) {
        SCOPED_TRACE(layout.toStdString());
        home.remove();
        ASSERT_TRUE(QDir().mkpath(home.path()));
        MakePrefix(home.filePath(".wine"), false); // a bare ~/.wine does not stop the search
        MakePrefix(Path(layout), true);
        if (layout.startsWith("library"))
            WriteFile(home.filePath(".steam/steam/steamapps/libraryfolders.vdf"),
                      "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\t\"1700000000\"\n\t\"1\"\t\t\""
                          + home.filePath("library").toUtf8() + "\"\n}\n");
        const QString wineprefix = layout == "$WINEPREFIX" ? Path(layout) : QString();
        EXPECT_EQ(ScanWinePrefixes(home.path(), wineprefix).gamePrefix, Path(layout));
    }
}

TEST_F(FakeHome, ALinkedSteamRootAndTheLibraryOfItselfCountOnce)
{
    MakePrefix(home.filePath(".local/share/Steam/steamapps/compatdata/40960/pfx"), true);
    ASSERT_TRUE(QDir().mkpath(home.filePath(".steam")));
    ASSERT_TRUE(QFile::link(home.filePath(".local/share/Steam"), home.filePath(".steam/steam")));
    WriteFile(home.filePath(".local/share/Steam/steamapps/libraryfolders.vdf"),
              "\"libraryfolders\" { \"0\" { \"path\" \"" + home.filePath(".local/share/Steam").toUtf8() + "\" } }");
    EXPECT_EQ(WinePrefixes(home.path(), {}), QStringList{home.filePath(".local/share/Steam/steamapps/compatdata/40960/pfx")});
}

// A FIFO or a folder where user.reg belongs is no prefix, and reading it must not block.
TEST_F(FakeHome, AUserRegThatIsNoRegularFileIsPassedOver)
{
    ASSERT_TRUE(QDir().mkpath(home.filePath(".wine")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(home.filePath(".wine/user.reg")).constData(), 0600), 0);
    ASSERT_TRUE(QDir().mkpath(home.filePath("Games/dir/user.reg")));
    MakePrefix(home.filePath("Games/san10"), true);

    const QDeadlineTimer deadline(2000);
    EXPECT_EQ(ScanWinePrefixes(home.path(), {}).prefixes, QStringList{home.filePath("Games/san10")});
    EXPECT_EQ(WineRegistry(home.filePath(".wine")).ReadValue("Software\\Koei\\San10\\Install", "InstallInfo").kind,
              RegistryValue::Kind::NoKey);
    EXPECT_FALSE(deadline.hasExpired());
}

TEST(UserRegHasKey, MatchesOnlyAKeyLineInAnyLetterCase)
{
    const QByteArray key = "Software\\\\Koei\\\\San10\\\\Install";
    const struct {
        const char* name;
        QByteArray text;
        bool found;
    } cases[] = {
        {"as Wine writes it", kHeader + kGameKey, true},
        {"other case, CR LF", kHeader + "[software\\\\KOEI\\\\san10\\\\install] 1\r\n", true},
        {"first line", "[Software\\\\Koei\\\\San10\\\\Install]", true},
        {"a longer key", kHeader + "[Software\\\\Koei\\\\San10\\\\Installer] 1\n", false},
        {"a parent key", kHeader + "[Software\\\\Koei\\\\San10] 1\n", false},
        {"inside a value", kHeader + "[A] 1\n\"x\"=\"[Software\\\\Koei\\\\San10\\\\Install]\"\n", false},
        {"cut short", "WINE\n[Software\\\\Koei\\\\San10\\\\Inst", false},
        {"empty", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UserRegHasKey(c.text, key), c.found) << c.name;
}

TEST(SteamLibraries, ReadsBothFormatsOfLibraryfoldersVdf)
{
    const QByteArray current = "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"/home/p/.local/share/Steam\"\n"
                               "\t\t\"label\"\t\t\"\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"228980\"\t\t\"1\"\n\t\t}\n\t}\n"
                               "\t\"1\"\n\t{\n\t\t\"path\"\t\t\"/mnt/Steam \\\"Games\\\"\"\n\t}\n}\n";
    EXPECT_EQ(SteamLibraries(current), (QStringList{"/home/p/.local/share/Steam", "/mnt/Steam \"Games\""}));
    const QByteArray old = "// written by Steam\n\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\t\"1\"\n"
                           "\t\"ContentStatsID\"\t\t\"-5\"\n\t\"1\"\t\t\"/mnt/old\"\n}\n";
    EXPECT_EQ(SteamLibraries(old), QStringList{"/mnt/old"});
    EXPECT_EQ(SteamLibraries("\"libraryfolders\" { \"0\" { \"path\" \"/cut"), QStringList{"/cut"});
    EXPECT_TRUE(SteamLibraries("").isEmpty());
}

// The officer file's folder: the Personal shell folder of user.reg, mapped through the
// prefix's drives, else drive_c/users/*/Documents or My Documents.
TEST_F(FakeHome, TheTPrsnFolderComesFromThePersonalShellFolderOrTheUsersDocuments)
{
    const QByteArray shellFolders = "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell Folders] 1\n"
                                    "\"Personal\"=\"C:\\\\users\\\\bob\\\\Eigene Dateien\"\n\n";
    const struct {
        const char* name;
        QByteArray more;   // more of user.reg
        bool cLink;        // dosdevices/c: exists
        QString folder;    // made below drive_c
        QString expected;  // below drive_c; empty: none
    } cases[] = {
        {"Personal", shellFolders, true, "users/bob/Eigene Dateien/Koei/San10/TPrsn",
         "dosdevices/c:/users/bob/Eigene Dateien/Koei/San10/TPrsn"},
        {"Personal without the c: link", shellFolders, false, "users/bob/Eigene Dateien/Koei/San10/TPrsn",
         "drive_c/users/bob/Eigene Dateien/Koei/San10/TPrsn"},
        {"Proton's Documents", {}, true, "users/steamuser/Documents/Koei/San10/TPrsn",
         "drive_c/users/steamuser/Documents/Koei/San10/TPrsn"},
        {"CrossOver's My Documents", {}, false, "users/crossover/My Documents/Koei/San10/TPrsn",
         "drive_c/users/crossover/My Documents/Koei/San10/TPrsn"},
        {"any letter case", {}, true, "users/p/documents/KOEI/san10/tprsn", "drive_c/users/p/documents/KOEI/san10/tprsn"},
        {"Personal names a folder without it", shellFolders, true, "users/bob/Documents/Koei/San10/TPrsn",
         "drive_c/users/bob/Documents/Koei/San10/TPrsn"},
        {"not there", shellFolders, true, "users/bob/Documents/Koei/San10", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir prefix;
        MakePrefix(prefix.path(), true, c.more);
        if (c.cLink) {
            ASSERT_TRUE(QDir().mkpath(prefix.filePath("dosdevices")));
            ASSERT_TRUE(QFile::link("../drive_c", prefix.filePath("dosdevices/c:")));
        }
        ASSERT_TRUE(QDir().mkpath(prefix.filePath("drive_c/" + c.folder)));
        EXPECT_EQ(TPrsnFolder(prefix.path()), c.expected.isEmpty() ? "" : prefix.filePath(c.expected));
    }
}

TEST_F(FakeHome, TheUserWhoPlaysComesBeforePublic)
{
    MakePrefix(home.filePath(".wine"), true);
    for (const char* user : {"Public", "player"})
        ASSERT_TRUE(QDir().mkpath(home.filePath(QString(".wine/drive_c/users/%1/Documents/Koei/San10/TPrsn").arg(user))));
    EXPECT_EQ(TPrsnFolder(home.filePath(".wine")), home.filePath(".wine/drive_c/users/player/Documents/Koei/San10/TPrsn"));
}

TEST_F(FakeHome, TheOpenDialogStartsInTPrsnElseBesideTheLastFileElseAtHome)
{
    MakePrefix(home.filePath(".wine"), false);
    MakePrefix(home.filePath("Games/san10"), true);
    const QString tprsn = home.filePath("Games/san10/drive_c/users/player/Documents/Koei/San10/TPrsn");
    ASSERT_TRUE(QDir().mkpath(tprsn));
    const QString elsewhere = other.filePath("backup/TPERSON.S10");
    WriteFile(elsewhere, "x");

    const GamePlaces places = FindGamePlaces(ScanWinePrefixes(home.path(), {}), home.path());
    EXPECT_EQ(places.prefix, home.filePath("Games/san10"));
    EXPECT_EQ(places.tprsn, tprsn);
    const QStringList driveCs{home.filePath("Games/san10/drive_c"), home.filePath(".wine/drive_c")};
    EXPECT_EQ(places.driveCs, driveCs) << "the game's prefix first";

    const OpenFilePlaces open = OpenDialogPlaces(places, elsewhere);
    EXPECT_EQ(open.startDir, tprsn) << "the game's folder wins over the last file";
    EXPECT_EQ(open.sidebar, (QStringList{tprsn} + driveCs + QStringList{home.path(), QDir::rootPath()}));

    GamePlaces noGame = places;
    noGame.tprsn.clear();
    EXPECT_EQ(OpenDialogPlaces(noGame, elsewhere).startDir, other.filePath("backup"));
    EXPECT_EQ(OpenDialogPlaces(noGame, other.filePath("gone/TPERSON.S10")).startDir, home.path());
    EXPECT_EQ(OpenDialogPlaces(noGame, {}).startDir, home.path());
}

TEST(ShownPath, ShowsTheHomeFolderAsTilde)
{
    EXPECT_EQ(ShownPath("/home/p/Games/san10", "/home/p"), "~/Games/san10");
    EXPECT_EQ(ShownPath("/home/pq/x", "/home/p"), "/home/pq/x");
    EXPECT_EQ(ShownPath("/srv/wine", "/home/p/"), "/srv/wine");
    EXPECT_EQ(ShownPath("", "/home/p"), "");
}

} // namespace
