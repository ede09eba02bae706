#include "support/MainWindowFixture.h"

#include "installdir/GamePlaces.h"

#include <QDir>
#include <QLabel>

namespace {

// The window as start-up builds it after finding the game in a Wine prefix.
class OpenPlacesWindowTest : public MainWindowFixture {
protected:
    void WithGamePlaces(const GamePlaces& places)
    {
        window.reset();
        env = std::make_unique<InstallDirEnv>(InstallDirEnv{registry, prompts, iniDir.path(), chooser});
        env->game = places;
        window = std::make_unique<TForm_Main>(*env);
    }

    QTemporaryDir home;
};

TEST_F(OpenPlacesWindowTest, OpenStartsInTheGamesFolderElseBesideTheLastFileElseAtHome)
{
    const QString tprsn = home.filePath("Games/san10/drive_c/users/player/Documents/Koei/San10/TPrsn");
    ASSERT_TRUE(QDir().mkpath(tprsn));
    WithGamePlaces({home.path(), home.filePath("Games/san10"), tprsn, {home.filePath("Games/san10/drive_c")}});
    Open(OfficerFile());
    window->Menu_OpenClick();
    ASSERT_EQ(prompts.openFilePlaces.size(), 2u);
    EXPECT_EQ(prompts.openFilePlaces[0].startDir, tprsn);
    EXPECT_EQ(prompts.openFilePlaces[1].startDir, tprsn) << "the game's folder even after another file";
    EXPECT_TRUE(prompts.openFilePlaces[0].sidebar.contains(home.filePath("Games/san10/drive_c")));

    WithGamePlaces({home.path(), {}, {}, {}});
    window->Menu_OpenClick();
    Open(OfficerFile());
    window->Menu_OpenClick();
    ASSERT_EQ(prompts.openFilePlaces.size(), 5u);
    EXPECT_EQ(prompts.openFilePlaces[2].startDir, home.path()) << "no game, no file yet";
    EXPECT_EQ(prompts.openFilePlaces[4].startDir, QFileInfo(OfficerFile()).absolutePath());
}

TEST_F(OpenPlacesWindowTest, TheAboutBoxNamesThePrefix)
{
    WithGamePlaces({home.path(), home.filePath("Games/san10"), {}, {}});
    QString shown;
    const auto watch = WhenModal([&shown](QWidget* modal) {
        shown = modal->findChild<QLabel*>("Label_Prefix")->toolTip();
        modal->close();
    });
    window->Menu_HelpClick();
    EXPECT_EQ(shown, "Wine 前缀：~/Games/san10");
}

} // namespace
