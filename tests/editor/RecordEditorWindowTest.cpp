#include "support/MainWindowFixture.h"

#include "portraits/FaceNumbering.h"
#include "portraits/TfrmPic.h"
#include "tools/SamplePortraits.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeWidget>

namespace {

using Kind = RecordingPrompts::Shown::Kind;

class RecordEditorWindowTest : public MainWindowFixture {
protected:
    void Select(int slot)
    {
        auto* list = Control<QTreeWidget>("ListView_SelPrsn");
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            if (list->topLevelItem(row)->text(0) == QString::number(650 + slot))
                list->setCurrentItem(list->topLevelItem(row));
    }

    QLineEdit* Edit(const char* name) const { return Control<QLineEdit>(name); }

    int FaceOnScreen() const
    {
        auto* image = Control<QLabel>("Image_Face");
        return image->isVisible() ? SampleFaceShown(image->pixmap().toImage()) : -1;
    }
};

TEST_F(RecordEditorWindowTest, SelectingAnotherRowAndDiscardingDropsUncommittedEdits)
{
    Open(OfficerFile());
    window->show();
    Select(1);
    EXPECT_EQ(Edit("Edit_Xing")->text(), QStringLiteral("林"));
    EXPECT_EQ(Control<QPlainTextEdit>("Memo_Story")->toPlainText(),
              QStringLiteral("博览群书，通晓天文地理。\n隐居山中，后出仕。"));
    Edit("Edit_Wuli")->setText("1");
    prompts.uncommittedAnswers = {Prompts::Answer::Discard};
    Select(9);
    EXPECT_EQ(window->OfficerTable.Wuli[1], 35);
    EXPECT_EQ(window->CurrentSlot, 9);
    EXPECT_EQ(Edit("Edit_Xing")->text(), QStringLiteral("刘"));
}

TEST_F(RecordEditorWindowTest, CommitBeforeAnySelectionDoesNothing)
{
    Open(OfficerFile());
    const ::OfficerTable before = window->OfficerTable;
    Edit("Edit_Wuli")->setText("5");
    window->Btn_MConfirmClick();
    EXPECT_EQ(window->OfficerTable.Wuli, before.Wuli);
    EXPECT_FALSE(window->IsModified());
}

TEST_F(RecordEditorWindowTest, ARefusedNumberStoresNothingAndKeepsTheRow)
{
    Open(OfficerFile());
    Select(0);
    const ::OfficerTable before = window->OfficerTable;
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"70000", nullptr},
        {"-1", nullptr},
        {"9a", "智力：'9a' is not a valid integer value."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        prompts.shown.clear();
        Edit("Edit_Tongshuai")->setText("1");
        Edit("Edit_Zhili")->setText(QString::fromLatin1(c.text));
        window->Btn_MConfirmClick();
        ASSERT_EQ(prompts.shown.size(), 1u);
        EXPECT_EQ(prompts.shown[0].kind, Kind::Error);
        if (c.message)
            EXPECT_EQ(prompts.shown[0].text, QString::fromUtf8(c.message));
        else
            EXPECT_TRUE(prompts.shown[0].text.contains(QString::fromLatin1(c.text)));
        EXPECT_EQ(window->OfficerTable.Tongshuai, before.Tongshuai) << "nothing stored";
        EXPECT_EQ(window->OfficerTable.Zhili, before.Zhili);
        EXPECT_EQ(Control<QTreeWidget>("ListView_SelPrsn")->topLevelItem(0)->text(2), "78");
    }
}

TEST_F(RecordEditorWindowTest, CommitRenamesTheRosterEntryAndRefreshesTheRow)
{
    Open(OfficerFile());
    Select(2);
    Edit("Edit_Xing")->setText(QStringLiteral("张"));
    Edit("Edit_Ming")->setText(QStringLiteral("飞"));
    Edit("Edit_Wuli")->setText("99");
    Control<QComboBox>("ComboBox_Father")->setCurrentIndex(497);
    window->Btn_MConfirmClick();
    EXPECT_EQ(window->OfficerTable.Father[2], 497);
    for (const char* box : {"ComboBox_Father", "ComboBox_Mother", "ComboBox_Another", "ComboBox_Xiangxing"})
        EXPECT_EQ(Control<QComboBox>(box)->itemText(652), QStringLiteral("张飞")) << box;
    auto* row = Control<QTreeWidget>("ListView_SelPrsn")->topLevelItem(2);
    EXPECT_EQ(row->text(1), QStringLiteral("张飞 仲华"));
    EXPECT_EQ(row->text(3), "99");
    EXPECT_TRUE(window->IsModified());
}

TEST_F(RecordEditorWindowTest, ButtonsFillTheControlsAndRevertBringsTheSlotBack)
{
    Open(OfficerFile());
    Select(5);
    window->Btn_AllSkillsClick();
    window->Btn_BTClick();
    for (QCheckBox* box : window->findChildren<QCheckBox*>())
        EXPECT_TRUE(box->isChecked()) << box->objectName().toStdString();
    EXPECT_EQ(Edit("Edit_Meili")->text(), "99");
    EXPECT_EQ(Edit("Edit_Shengwang")->text(), "1600") << "reputation is not an ability";

    window->Btn_MCancelClick();
    EXPECT_EQ(Edit("Edit_Meili")->text(), "75");
    int ticked = 0;
    for (QCheckBox* box : window->findChildren<QCheckBox*>())
        ticked += box->isChecked();
    int bits = 0;
    for (std::uint8_t b : window->OfficerTable.Skills[5])
        bits += std::popcount(b);
    EXPECT_EQ(ticked, bits);
}

TEST_F(RecordEditorWindowTest, PortraitsFollowTheArchivesRules)
{
    Open(OfficerFile());
    window->show();
    Select(4); // face 2049, additional archive
    EXPECT_EQ(FaceOnScreen(), 2049);
    Select(3); // face 1593, the main archive's last record
    EXPECT_EQ(FaceOnScreen(), 1593);
    Select(9); // face 573, a gap: the next portrait
    EXPECT_EQ(FaceOnScreen(), 579);

    window->OfficerTable.Face[9] = 2050;
    prompts.uncommittedAnswers = {Prompts::Answer::Discard}; // the table changed under the editor
    Select(0);
    Select(9);
    EXPECT_FALSE(Control<QLabel>("Image_Face")->isVisible());
    EXPECT_TRUE(Control<QLabel>("Image_NoFace")->isVisible());
    EXPECT_EQ(Edit("Edit_Face")->text(), "2050");
}

class WithoutAdditionalArchive : public RecordEditorWindowTest {
protected:
    void SetUp() override
    {
        options.additionalArchive = false;
        RecordEditorWindowTest::SetUp();
    }
};

TEST_F(WithoutAdditionalArchive, AnAdditionalFaceDrawsFace775)
{
    Open(OfficerFile());
    window->show();
    Select(2); // face 2000
    EXPECT_EQ(FaceOnScreen(), 775);
    EXPECT_EQ(Edit("Edit_Face")->text(), "2000");
}

TEST_F(RecordEditorWindowTest, ThePickerSetsTheFaceAndTheSameFaceRedrawsNothing)
{
    Open(OfficerFile());
    window->show();
    Select(0); // face 131, index 130: page 126, cell 5
    const qint64 drawn = Control<QLabel>("Image_Face")->pixmap().cacheKey();

    auto pick = [](int k) {
        return [k](QWidget* modal) {
            auto* picker = qobject_cast<TfrmPic*>(modal);
            ASSERT_NE(picker, nullptr);
            picker->findChild<QLineEdit*>("Edit1")->setText("131");
            picker->Button1Click();
            picker->ImageClick(k);
        };
    };
    {
        const auto watch = WhenModal(pick(5));
        window->Image_FaceClick();
    }
    EXPECT_EQ(Edit("Edit_Face")->text(), "131");
    EXPECT_EQ(Control<QLabel>("Image_Face")->pixmap().cacheKey(), drawn) << "nothing redrawn";

    {
        const auto watch = WhenModal(pick(6)); // index 131: face 132
        window->Image_FaceClick();
    }
    EXPECT_EQ(Edit("Edit_Face")->text(), "132");
    EXPECT_EQ(FaceOnScreen(), 132);
    EXPECT_EQ(window->OfficerTable.Face[0], 131) << "only a commit stores it";
}

TEST_F(RecordEditorWindowTest, NoPickerWithoutASelectedRow)
{
    Open(OfficerFile());
    Select(0);
    window->Btn_ReSearchClick(); // rebuilds the list: no row selected
    bool opened = false;
    const auto watch = WhenModal([&opened](QWidget* modal) {
        opened = true;
        modal->close();
    });
    window->Image_FaceClick();
    EXPECT_FALSE(opened);
}

TEST_F(RecordEditorWindowTest, CommitAfterASearchUpdatesTheTableAndTheOfficersRow)
{
    Open(OfficerFile());
    Select(0);
    window->Btn_ReSearchClick();
    Edit("Edit_Wuli")->setText("50");
    window->Btn_MConfirmClick();
    EXPECT_EQ(window->OfficerTable.Wuli[0], 50);
    EXPECT_EQ(Control<QTreeWidget>("ListView_SelPrsn")->topLevelItem(0)->text(3), "50")
        << "the list shows what the table holds";
}

} // namespace
