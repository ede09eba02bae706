#include "support/MainWindowFixture.h"

#include "app/TForm_Help.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
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

namespace {

// The focus chain, written out by hand from the window's layout (Edit_Face is disabled and
// takes no focus).
const char* const kTabOrder[] = {
    "Edit_STongshuai", "Edit_SWuli", "Edit_SZhili", "Edit_SZhengzhi", "Edit_SMeili", "Edit_SShengwang",
    "Btn_ReSearch", "ListView_SelPrsn", "ComboBox_Type", "ComboBox_Belief", "ComboBox_Character",
    "ComboBox_Drink", "ComboBox_Care", "ComboBox_Desire", "ComboBox_Gender", "Edit_Tongshuai", "Edit_Wuli",
    "Edit_Zhili", "Edit_Zhengzhi", "Edit_Meili", "Edit_Shengwang", "Edit_BornYear", "Edit_EnterYear",
    "Edit_DeadYear", "ComboBox_Father", "ComboBox_Mother", "ComboBox_Another", "ComboBox_Xiangxing",
    "Edit_Xing", "Edit_Ming", "Edit_Zi", "Edit_Yin", "Memo_Story",
    "CB_S07", "CB_S00", "CB_S11", "CB_S22", "CB_S33", "CB_S44",
    "CB_S06", "CB_S17", "CB_S10", "CB_S21", "CB_S32", "CB_S43",
    "CB_S05", "CB_S16", "CB_S27", "CB_S20", "CB_S31", "CB_S42",
    "CB_S04", "CB_S15", "CB_S26", "CB_S37", "CB_S30", "CB_S41",
    "CB_S03", "CB_S14", "CB_S25", "CB_S36", "CB_S47", "CB_S40",
    "CB_S02", "CB_S13", "CB_S24", "CB_S35", "CB_S46", "CB_S57",
    "CB_S01", "CB_S12", "CB_S23", "CB_S34", "CB_S56",
    "Btn_MConfirm", "Btn_MCancel", "Btn_AllSkills", "CB_S45", "Btn_BT",
};

TEST_F(MainWindowTest, TabWalksTheControlsInTheirOrder)
{
    // With an officer shown, so that every control of the editor takes the focus.
    Open(OfficerFile());
    auto* list = Control<QTreeWidget>("ListView_SelPrsn");
    list->setCurrentItem(list->topLevelItem(0));
    window->show();
    QApplication::setActiveWindow(window.get());
    Control<QLineEdit>("Edit_STongshuai")->setFocus();
    QStringList walked;
    for (std::size_t i = 0; i < std::size(kTabOrder); ++i) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        walked << focus->objectName();
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    QStringList expected;
    for (const char* name : kTabOrder)
        expected << QString::fromLatin1(name);
    EXPECT_EQ(walked, expected);
    EXPECT_FALSE(window->HasUncommittedEdits()) << "Tab moved on, typed nothing";
}

} // namespace
