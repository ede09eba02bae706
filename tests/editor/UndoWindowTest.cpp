#include "support/MainWindowFixture.h"

#include "officers/SlotSnapshot.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

class UndoWindowTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        window->show();
        QApplication::setActiveWindow(window.get());
        Open(OfficerFile());
        list = Control<QTreeWidget>("ListView_SelPrsn");
    }

    void Select(int slot)
    {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->topLevelItem(slot)).center());
        ASSERT_EQ(window->CurrentSlot, slot);
    }

    // What the window shows of a slot: its fields, list row, roster entry, and the editor's 武力.
    struct Seen {
        SlotSnapshot fields;
        QStringList row;
        QString roster;
        QString wuli;
        bool operator==(const Seen&) const = default;
    };

    Seen SeenOf(int slot)
    {
        Seen seen{CaptureSlot(window->OfficerTable, slot), {}, {}, Control<QLineEdit>("Edit_Wuli")->text()};
        for (int column = 0; column < list->columnCount(); ++column)
            seen.row << list->topLevelItem(slot)->text(column);
        seen.roster = Control<QComboBox>("ComboBox_Mother")->itemText(650 + slot);
        return seen;
    }

    void Commit(const char* xing, const char* wuli)
    {
        auto* edit = Control<QLineEdit>("Edit_Xing");
        edit->setText(QString::fromUtf8(xing));
        Control<QLineEdit>("Edit_Wuli")->setText(QString::fromLatin1(wuli));
        QTest::mouseClick(Control<QPushButton>("Btn_MConfirm"), Qt::LeftButton);
    }

    QAction* Action(const char* name) { return Control<QAction>(name); }

    QTreeWidget* list = nullptr;
};

TEST_F(UndoWindowTest, EditMenuSitsBetweenFileAndPath)
{
    QStringList titles;
    for (QAction* menu : window->menuBar()->actions())
        titles << menu->text();
    EXPECT_EQ(titles, (QStringList{"文件(&F)", "编辑(&E)", "设置路径(&D)", "关于(&A)"}));
    EXPECT_EQ(Action("Menu_Undo")->text(), "撤销(&U)");
    EXPECT_EQ(Action("Menu_Undo")->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(Action("Menu_Redo")->text(), "重做(&Y)");
    EXPECT_EQ(Action("Menu_Redo")->shortcut(), QKeySequence("Ctrl+Y"));
    EXPECT_FALSE(Action("Menu_Undo")->isEnabled()) << "nothing to undo after a load";
}

// Slot 20 of the sample has no name, so the list and the roster show "新武将21" after a load,
// which a commit does not give back by itself.
TEST_F(UndoWindowTest, CtrlZPutsBackFieldsRowRosterAndEditorAndCtrlYRedoes)
{
    const int slot = 20;
    window->OfficerTable.Story[slot][100] = 'q'; // a byte past the terminator, kept by nothing but undo
    Select(slot);
    const Seen before = SeenOf(slot);
    ASSERT_EQ(before.row[1], "新武将21");

    Commit("张", "90");
    const Seen after = SeenOf(slot);
    ASSERT_NE(after.fields, before.fields);
    ASSERT_EQ(after.row[3], "90");
    ASSERT_EQ(after.roster, "张");
    ASSERT_TRUE(Action("Menu_Undo")->isEnabled());

    auto* confirm = Control<QPushButton>("Btn_MConfirm");
    QTest::keyClick(confirm, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(SeenOf(slot), before);
    EXPECT_EQ(window->OfficerTable.Story[slot][100], 'q');
    EXPECT_TRUE(Action("Menu_Redo")->isEnabled());

    QTest::keyClick(confirm, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(SeenOf(slot), after);
}

TEST_F(UndoWindowTest, UndoOfAnotherSlotLeavesTheEditorAlone)
{
    Select(1);
    Commit("刘", "91");
    const Seen slot1After = SeenOf(1);
    Select(2);
    const QString editorOfSlot2 = Control<QLineEdit>("Edit_Wuli")->text();

    window->Menu_UndoClick();
    EXPECT_NE(CaptureSlot(window->OfficerTable, 1), slot1After.fields);
    EXPECT_EQ(window->CurrentSlot, 2);
    EXPECT_EQ(Control<QLineEdit>("Edit_Wuli")->text(), editorOfSlot2);
}

TEST_F(UndoWindowTest, UndoingBackToTheSavedStateClearsModifiedAndTypedEditsAreAskedAbout)
{
    Select(1);
    Commit("刘", "91");
    ASSERT_TRUE(window->IsModified());
    window->Menu_UndoClick();
    EXPECT_FALSE(window->IsModified()) << "the table is the file's again";
    window->Menu_RedoClick();
    EXPECT_TRUE(window->IsModified());

    Control<QLineEdit>("Edit_Wuli")->setText("12");
    window->Menu_UndoClick(); // no answer queued: cancelled
    EXPECT_EQ(Control<QLineEdit>("Edit_Wuli")->text(), "12");
    EXPECT_TRUE(window->IsModified()) << "nothing was undone";
}

TEST_F(UndoWindowTest, ReloadEmptiesTheStack)
{
    Select(1);
    Commit("刘", "91");
    prompts.unsavedAnswers.push_back(Prompts::Answer::Discard);
    window->R1Click();
    EXPECT_FALSE(Action("Menu_Undo")->isEnabled());
    window->Menu_UndoClick();
    EXPECT_NE(list->topLevelItem(1)->text(3), "91") << "the reload's table stays";
}

// An import changes many slots in one step.
TEST_F(UndoWindowTest, ChangeSlotsIsOneStep)
{
    const Seen first = SeenOf(0);
    const Seen last = SeenOf(109);
    window->ChangeSlots(QStringLiteral("导入"), {0, 109}, [](OfficerTable& t) {
        t.Wuli[0] = 77;
        SetFieldText(t.Xing[109], "\xD5\xC5"); // 张
    });
    EXPECT_EQ(list->topLevelItem(0)->text(3), "77");
    EXPECT_EQ(Control<QComboBox>("ComboBox_Father")->itemText(759), "张");
    window->Menu_UndoClick();
    EXPECT_EQ(SeenOf(0), first);
    EXPECT_EQ(SeenOf(109), last);
    EXPECT_FALSE(Action("Menu_Undo")->isEnabled());
}

} // namespace
