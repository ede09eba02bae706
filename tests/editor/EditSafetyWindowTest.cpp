// Window tests: typed edits are never dropped without a question, the editor shows only what the
// table holds, and the controls refuse or cut what the file cannot take, saying so.
#include "support/MainWindowFixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolTip>
#include <QTreeWidget>
#include <QWheelEvent>

namespace {

using Kind = RecordingPrompts::Shown::Kind;
using Answer = Prompts::Answer;

class EditSafetyWindowTest : public MainWindowFixture {
protected:
    void Select(int slot)
    {
        auto* list = Control<QTreeWidget>("ListView_SelPrsn");
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            if (list->topLevelItem(row)->text(0) == QString::number(650 + slot))
                list->setCurrentItem(list->topLevelItem(row));
    }

    QLineEdit* Edit(const char* name) const { return Control<QLineEdit>(name); }

    int Asked(Kind kind) const
    {
        return static_cast<int>(std::count_if(prompts.shown.begin(), prompts.shown.end(),
                                               [kind](const RecordingPrompts::Shown& s) { return s.kind == kind; }));
    }

    std::uint16_t WuliOnDisk(int slot) const
    {
        OfficerTable table{};
        EXPECT_FALSE(ReadOfficerFile(OfficerFile(), table));
        return table.Wuli[slot];
    }
};

// 武力 of slot 1 is 35 in the sample; the player types 93 and then acts without committing.
TEST_F(EditSafetyWindowTest, ATypedValueIsAskedAboutBeforeEveryActionThatWouldDropIt)
{
    struct Action {
        const char* name;
        std::function<void()> act;
        // Whether the action went ahead, seen from outside.
        std::function<bool()> wentAhead;
    };
    const Action actions[] = {
        {"save", [this] { window->Menu_SaveClick(); },
         [this] { return QFileInfo(OfficerFile() + ".bak").exists(); }},
        {"exit", [this] { window->close(); }, [this] { return !window->isVisible(); }},
        {"open", [this] { window->Menu_OpenClick(); }, [this] { return Asked(Kind::OpenFile) > 0; }},
        {"reload", [this] { window->R1Click(); }, [this] { return !Edit("Edit_Wuli")->isEnabled(); }},
        {"another row", [this] { Select(9); }, [this] { return window->CurrentSlot == 9; }},
    };
    QFile original(OfficerFile());
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray originalBytes = original.readAll();
    original.close();
    for (const Action& a : actions) {
        for (const Answer answer : {Answer::Commit, Answer::Discard, Answer::Cancel}) {
            SCOPED_TRACE(testing::Message() << a.name << ", answer " << static_cast<int>(answer));
            QFile::remove(OfficerFile() + ".bak");
            QFile file(OfficerFile());
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(originalBytes);
            file.close();
            CreateWindow();
            Open(OfficerFile());
            window->show();
            Select(1);
            Edit("Edit_Wuli")->setText("93");
            prompts.shown.clear();
            prompts.uncommittedAnswers = {answer};
            prompts.unsavedAnswers = {Answer::Discard};

            a.act();
            EXPECT_EQ(Asked(Kind::AskUncommitted), 1);
            EXPECT_EQ(a.wentAhead(), answer != Answer::Cancel);
            if (answer == Answer::Cancel) {
                EXPECT_EQ(Edit("Edit_Wuli")->text(), "93") << "the typed value stays";
                EXPECT_EQ(window->CurrentSlot, 1);
            }
            const std::uint16_t expected = answer == Answer::Commit ? 93 : 35;
            if (std::string_view(a.name) == "save") {
                EXPECT_EQ(WuliOnDisk(1), expected);
            } else if (answer != Answer::Cancel && std::string_view(a.name) != "reload") {
                EXPECT_EQ(window->OfficerTable.Wuli[1], expected);
            }
        }
    }
}

TEST_F(EditSafetyWindowTest, NothingIsAskedWhenTheControlsMatchTheSlot)
{
    Open(OfficerFile());
    window->show();
    Select(1);
    Select(1); // a second click on the shown officer keeps what is typed
    Edit("Edit_Wuli")->setText("93");
    Select(1);
    EXPECT_EQ(Edit("Edit_Wuli")->text(), "93");
    Edit("Edit_Wuli")->setText("35");
    prompts.shown.clear();
    window->Menu_SaveClick();
    Select(9);
    window->R1Click();
    EXPECT_EQ(Asked(Kind::AskUncommitted), 0);
    EXPECT_EQ(Asked(Kind::AskUnsaved), 0);
}

TEST_F(EditSafetyWindowTest, AfterALoadTheEditorShowsNoOfficerAndItsButtonsSayWhy)
{
    Open(OfficerFile());
    Select(5);
    ASSERT_TRUE(Edit("Edit_Wuli")->isEnabled());
    window->R1Click();
    for (const char* name : {"Edit_Wuli", "Edit_Xing", "Memo_Story", "ComboBox_Type", "ComboBox_Father", "CB_S07"}) {
        SCOPED_TRACE(name);
        auto* control = Control<QWidget>(name);
        EXPECT_FALSE(control->isEnabled());
    }
    EXPECT_TRUE(Edit("Edit_Wuli")->text().isEmpty()) << "not the previous officer's value";
    EXPECT_EQ(Control<QComboBox>("ComboBox_Type")->currentIndex(), -1);

    const ::OfficerTable before = window->OfficerTable;
    prompts.shown.clear();
    window->Btn_MConfirmClick();
    window->Btn_MCancelClick();
    EXPECT_EQ(prompts.Texts(), QStringList({"请先在左边的列表中选择一名武将。", "请先在左边的列表中选择一名武将。"}));
    EXPECT_TRUE(window->OfficerTable == before);
    EXPECT_TRUE(Edit("Edit_Wuli")->text().isEmpty()) << "撤销修改 does not show slot 0";
}

TEST_F(EditSafetyWindowTest, OnlyACommitThatChangesTheTableMarksTheFileModified)
{
    Open(OfficerFile());
    Select(1);
    window->Btn_MConfirmClick();
    EXPECT_FALSE(window->IsModified());
    Edit("Edit_Wuli")->setText("035");
    window->Btn_MConfirmClick();
    EXPECT_FALSE(window->IsModified()) << "035 is the stored 35";
    EXPECT_EQ(Edit("Edit_Wuli")->text(), "35") << "the editor shows what is stored";
    Edit("Edit_Wuli")->setText("36");
    window->Btn_MConfirmClick();
    EXPECT_TRUE(window->IsModified());
    Edit("Edit_Wuli")->setText("35");
    window->Btn_MConfirmClick();
    EXPECT_FALSE(window->IsModified()) << "back to what the file holds";
}

TEST_F(EditSafetyWindowTest, ARefusedValueNamesItsFieldAndTakesTheFocus)
{
    Open(OfficerFile());
    window->show();
    Select(1);
    Edit("Edit_Wuli")->setText("abc");
    Edit("Edit_Meili")->setFocus();
    prompts.shown.clear();
    window->Btn_MConfirmClick();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "武力：'abc' is not a valid integer value.");
    EXPECT_EQ(window->focusWidget(), Edit("Edit_Wuli"));
    EXPECT_EQ(Edit("Edit_Wuli")->selectedText(), "abc");
    EXPECT_EQ(window->OfficerTable.Wuli[1], 35);
}

TEST_F(EditSafetyWindowTest, TheWheelChangesOnlyAFocusedListAndDeleteClearsAChoice)
{
    Open(OfficerFile());
    window->show();
    Select(8); // 杨谦: type 0, 平凡
    auto* type = Control<QComboBox>("ComboBox_Type");
    ASSERT_EQ(type->currentIndex(), 0);
    Control<QTreeWidget>("ListView_SelPrsn")->setFocus();
    const QPointF at(type->width() / 2.0, type->height() / 2.0);
    QWheelEvent notch(at, type->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(type, &notch);
    EXPECT_EQ(type->currentIndex(), 0) << "a stray wheel over a closed list";

    type->setFocus();
    QTest::keyClick(type, Qt::Key_Delete);
    EXPECT_EQ(type->currentIndex(), -1);
    window->Btn_MConfirmClick();
    EXPECT_EQ(window->OfficerTable.Type[8], kNoType);
}

TEST_F(EditSafetyWindowTest, APasteOverTheLimitKeepsWhatFitsAndSaysSo)
{
    Open(OfficerFile());
    window->show();
    Select(1);
    QLineEdit* xing = Edit("Edit_Xing");
    xing->setFocus();
    xing->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("张飞关羽"));
    xing->paste();
    EXPECT_EQ(xing->text(), QStringLiteral("张飞"));
    EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("“姓”最多 4 字节"))) << QToolTip::text().toStdString();

    auto* memo = Control<QPlainTextEdit>("Memo_Story");
    memo->setFocus();
    memo->selectAll();
    QApplication::clipboard()->setText(QString(100, u'史'));
    memo->paste();
    EXPECT_EQ(memo->toPlainText(), QString(75, u'史')) << "150 bytes";
    window->Btn_MConfirmClick();
    EXPECT_EQ(std::string_view(window->OfficerTable.Story[1].data()).size(), 150u);
}

TEST_F(EditSafetyWindowTest, ACharacterTheGameLacksCannotBeTypedOrPasted)
{
    Open(OfficerFile());
    window->show();
    Select(1);
    QLineEdit* ming = Edit("Edit_Ming");
    ming->setFocus();
    ming->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("涿鹿"));
    ming->paste();
    EXPECT_EQ(ming->text(), QStringLiteral("鹿"));
    EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("“涿”无法写入游戏的文件"))) << QToolTip::text().toStdString();

    // The reading is carried as it is: any GBK character goes there.
    Edit("Edit_Yin")->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("涿"));
    Edit("Edit_Yin")->paste();
    EXPECT_EQ(Edit("Edit_Yin")->text(), QStringLiteral("涿"));
}

TEST_F(EditSafetyWindowTest, TypingFindsAPersonInARelationList)
{
    Open(OfficerFile());
    window->show();
    Select(1);
    auto* father = Control<QComboBox>("ComboBox_Father");
    father->setFocus();
    father->lineEdit()->selectAll();
    // Chinese comes through the input method, which the box takes.
    ASSERT_TRUE(father->lineEdit()->testAttribute(Qt::WA_InputMethodEnabled));
    QInputMethodEvent typed;
    typed.setCommitString(QStringLiteral("张"));
    QApplication::sendEvent(father->lineEdit(), &typed);
    QAbstractItemView* popup = father->completer()->popup();
    ASSERT_TRUE(popup->isVisible());
    ASSERT_GT(popup->model()->rowCount(), 1);
    for (int row = 0; row < popup->model()->rowCount(); ++row)
        EXPECT_TRUE(popup->model()->index(row, 0).data().toString().contains(u'张'));
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
    const int chosen = father->currentIndex();
    ASSERT_GE(chosen, 0);
    EXPECT_TRUE(father->itemText(chosen).contains(u'张'));
    EXPECT_EQ(father->toolTip(), father->itemText(chosen));
    EXPECT_EQ(father->itemText(860), QStringLiteral("无"));
    window->Btn_MConfirmClick();
    EXPECT_EQ(window->OfficerTable.Father[1], chosen);
}

TEST_F(EditSafetyWindowTest, TheNameColumnFitsTheLongestName)
{
    Open(OfficerFile());
    window->show();
    auto* list = Control<QTreeWidget>("ListView_SelPrsn");
    int widest = 0;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        widest = std::max(widest, list->fontMetrics().horizontalAdvance(list->topLevelItem(row)->text(1)));
    EXPECT_GT(list->columnWidth(1), widest);
}

// A text whose kanji come in as "? " loses them when it is changed: the player is asked first.
TEST_F(EditSafetyWindowTest, ChangingATextThatHoldsUnshownKanjiAsksFirst)
{
    QFile file(OfficerFile());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    const char masaki[] = {'\x96', '\x8F', '\x96', '\xD8', '\0'}; // 柾木
    bytes.replace(4 + 260 * 3 + 0x51, 5, masaki, 5);
    file.seek(0);
    file.write(bytes);
    file.close();

    Open(OfficerFile());
    Select(3);
    EXPECT_EQ(Edit("Edit_Xing")->text(), QStringLiteral("? 木"));
    Edit("Edit_Zi")->setText(QStringLiteral("子"));
    window->Btn_MConfirmClick();
    EXPECT_EQ(Asked(Kind::Confirm), 0) << "the surname is not touched";

    Edit("Edit_Xing")->setText(QStringLiteral("? 林"));
    prompts.confirmAnswers = {false};
    window->Btn_MConfirmClick();
    EXPECT_EQ(Asked(Kind::Confirm), 1);
    EXPECT_EQ(std::string_view(window->OfficerTable.Xing[3].data()), "? \xC4\xBE") << "nothing stored";
    prompts.confirmAnswers = {true};
    window->Btn_MConfirmClick();
    EXPECT_EQ(std::string_view(window->OfficerTable.Xing[3].data()), "? \xC1\xD6");
}

} // namespace
