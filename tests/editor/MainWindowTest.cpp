#include "support/MainWindowFixture.h"

#include "app/TForm_Help.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

namespace {

using Kind = RecordingPrompts::Shown::Kind;

class MainWindowTest : public MainWindowFixture {};

TEST_F(MainWindowTest, StartsEmptyWithThePlaceholderAndTheFocusInTheFirstSearchBox)
{
    window->show();
    QApplication::setActiveWindow(window.get());
    EXPECT_EQ(Control<QTreeWidget>("ListView_SelPrsn")->topLevelItemCount(), 0);
    EXPECT_FALSE(Control<QLabel>("Image_Face")->isVisible());
    EXPECT_TRUE(Control<QLabel>("Image_NoFace")->isVisible());
    EXPECT_FALSE(Control<QLabel>("Image_NoFace")->pixmap().isNull());
    EXPECT_EQ(QApplication::focusWidget(), Control<QLineEdit>("Edit_STongshuai"));
    EXPECT_EQ(window->centralWidget()->size(), QSize(778, 492));
    EXPECT_TRUE(window->FaceFile.IsOpen());
    EXPECT_TRUE(window->AddFaceFile.IsOpen());
    EXPECT_TRUE(prompts.shown.empty());
    for (QComboBox* box : window->findChildren<QComboBox*>())
        EXPECT_EQ(box->currentIndex(), -1) << "no officer shown yet: " << box->objectName().toStdString();
}

TEST_F(MainWindowTest, OpenCancelledChangesNothing)
{
    window->Menu_OpenClick();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].kind, Kind::OpenFile);
    EXPECT_TRUE(prompts.shown[0].text.contains("TPERSON.S10"));
    EXPECT_TRUE(window->FileName.isEmpty());
    EXPECT_EQ(Control<QTreeWidget>("ListView_SelPrsn")->topLevelItemCount(), 0);
}

TEST_F(MainWindowTest, ReloadAndSaveWithoutAFileSayTheirMessageThenOfferOpen)
{
    struct Case {
        const char* name;
        void (TForm_Main::*command)();
        QString message;
    };
    const Case cases[] = {
        {"reload", &TForm_Main::R1Click, QStringLiteral("请先打开一个存档文件！")},
        {"save", &TForm_Main::Menu_SaveClick, QStringLiteral("请先打开新武将登陆文件！")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompts.shown.clear();
        (window.get()->*c.command)();
        ASSERT_EQ(prompts.shown.size(), 2u);
        EXPECT_EQ(prompts.shown[0], (RecordingPrompts::Shown{Kind::Message, c.message, {}}));
        EXPECT_EQ(prompts.shown[1].kind, Kind::OpenFile);
        EXPECT_TRUE(window->FileName.isEmpty());
    }
}

TEST_F(MainWindowTest, OpenFillsTheListAndTheRoster)
{
    Open(OfficerFile());
    EXPECT_EQ(window->FileName, OfficerFile());
    auto* list = Control<QTreeWidget>("ListView_SelPrsn");
    ASSERT_EQ(list->topLevelItemCount(), 110);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "650");
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("赵飞 子翔"));
    EXPECT_EQ(list->topLevelItem(0)->text(3), "92");
    EXPECT_EQ(list->topLevelItem(109)->text(1), QStringLiteral("新武将110"));
    EXPECT_TRUE(list->selectedItems().isEmpty());
    for (const char* box : {"ComboBox_Father", "ComboBox_Mother", "ComboBox_Another", "ComboBox_Xiangxing"}) {
        EXPECT_EQ(Control<QComboBox>(box)->itemText(650), QStringLiteral("赵飞")) << box;
        EXPECT_EQ(Control<QComboBox>(box)->count(), 861) << box;
    }
}

TEST_F(MainWindowTest, AFailedLoadKeepsThePreviousFileAndItsOfficers)
{
    Open(OfficerFile());
    const QString shortFile = game.filePath("short.s10");
    {
        QFile f(shortFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(100, 'x'));
    }
    prompts.shown.clear();
    Open(shortFile);
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[1].kind, Kind::Error);
    EXPECT_TRUE(prompts.shown[1].text.contains(shortFile));
    EXPECT_EQ(window->FileName, OfficerFile());
    EXPECT_EQ(Control<QTreeWidget>("ListView_SelPrsn")->topLevelItem(0)->text(1), QStringLiteral("赵飞 子翔"));
    EXPECT_EQ(window->OfficerTable.Wuli[0], 92);
}

TEST_F(MainWindowTest, CtrlXInsideAnEditBoxClosesTheWindow)
{
    window->show();
    QApplication::setActiveWindow(window.get());
    auto* edit = Control<QLineEdit>("Edit_Wuli");
    edit->setFocus();
    edit->setText("12");
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(edit->text(), "12") << "nothing was cut";
    EXPECT_FALSE(window->FaceFile.IsOpen()) << "closing closes the archives";
}

TEST_F(MainWindowTest, CtrlHInsideAnEditBoxOpensTheAboutBox)
{
    window->show();
    QApplication::setActiveWindow(window.get());
    auto* edit = Control<QLineEdit>("Edit_Xing");
    edit->setFocus();
    edit->setText("AB");
    QString seen;
    const auto watch = WhenModal([&seen](QWidget* modal) {
        seen = modal->metaObject()->className();
        modal->close();
    });
    QTest::keyClick(edit, Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(seen, "TForm_Help");
    EXPECT_EQ(edit->text(), "AB") << "no character was deleted";
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, TheDirectoryCommandReopensOrClosesTheArchives)
{
    chooser = [](TForm_InstallDir& d) { d.Btn_CancelClick(); };
    CreateWindow();
    window->X1Click();
    EXPECT_EQ(prompts.Texts(), QStringList{QStringLiteral("无法定位安装路径,可能无法显示头像!")});
    EXPECT_FALSE(window->FaceFile.IsOpen());
    EXPECT_FALSE(window->AddFaceFile.IsOpen());

    const QString dir = game.path();
    chooser = [dir](TForm_InstallDir& d) { d.InstallPath = dir; };
    CreateWindow(); // a window whose chooser answers the game directory
    window->FaceFile.Close();
    prompts.shown.clear();
    window->X1Click();
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_TRUE(window->FaceFile.IsOpen());
    EXPECT_TRUE(window->AddFaceFile.IsOpen());
}

TEST_F(MainWindowTest, UnsavedEditsAreAskedAboutBeforeTheyAreDropped)
{
    Open(OfficerFile());
    auto* list = Control<QTreeWidget>("ListView_SelPrsn");
    list->setCurrentItem(list->topLevelItem(1));
    Control<QLineEdit>("Edit_Wuli")->setText("90");
    window->Btn_MConfirmClick();
    ASSERT_TRUE(window->IsModified());

    prompts.shown.clear();
    prompts.unsavedAnswers = {Prompts::Answer::Cancel};
    window->R1Click();
    EXPECT_EQ(window->OfficerTable.Wuli[1], 90) << "cancel keeps the edit";

    window->show();
    prompts.unsavedAnswers = {Prompts::Answer::Cancel};
    window->close();
    EXPECT_TRUE(window->isVisible()) << "cancel keeps the window open";

    prompts.unsavedAnswers = {Prompts::Answer::Save};
    window->close();
    EXPECT_FALSE(window->isVisible());
    OfficerTable reread;
    ASSERT_FALSE(ReadOfficerFile(OfficerFile(), reread));
    EXPECT_EQ(reread.Wuli[1], 90) << "save on exit wrote the edit";
}

} // namespace
