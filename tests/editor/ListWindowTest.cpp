#include "support/MainWindowFixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace {

using Kind = RecordingPrompts::Shown::Kind;

class ListWindowTest : public MainWindowFixture {
protected:
    QStringList Column(int column) const
    {
        QStringList cells;
        auto* list = Control<QTreeWidget>("ListView_SelPrsn");
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            cells << list->topLevelItem(row)->text(column);
        return cells;
    }

    void Search(const char* edit, const QString& text)
    {
        Control<QLineEdit>(edit)->setText(text);
        Control<QPushButton>("Btn_ReSearch")->click(); // through the guarded connection, as a user would
    }
};

TEST_F(ListWindowTest, SearchBeforeAnyFileListsTheEmptyTable)
{
    window->Btn_ReSearchClick();
    const QStringList numbers = Column(0);
    ASSERT_EQ(numbers.size(), 110);
    EXPECT_EQ(numbers.first(), "650");
    EXPECT_EQ(numbers.last(), "759");
    EXPECT_EQ(Column(1).first(), QStringLiteral("新武将1"));
    EXPECT_EQ(Column(3).last(), "0");
}

TEST_F(ListWindowTest, ARefusedSearchShowsTheErrorAndChangesNothing)
{
    Open(OfficerFile());
    Search("Edit_SWuli", "92");
    ASSERT_EQ(Column(0), QStringList{"650"});
    prompts.shown.clear();
    Search("Edit_SWuli", "80 ");
    EXPECT_EQ(prompts.shown, (std::vector<RecordingPrompts::Shown>{
                                 {Kind::Error, QStringLiteral("'80 ' is not a valid integer value."), {}}}));
    EXPECT_EQ(Column(0), QStringList{"650"});
}

TEST_F(ListWindowTest, HeaderClicksSortAndASearchListsInSlotOrderAgain)
{
    Open(OfficerFile());
    window->ListView_SelPrsnColumnClick(3); // 武力: largest first
    EXPECT_EQ(Column(3).mid(0, 3), (QStringList{"97", "92", "83"}));
    window->ListView_SelPrsnColumnClick(3); // again: smallest first
    EXPECT_EQ(Column(3).first(), "0");
    EXPECT_EQ(Column(3).last(), "97");
    window->ListView_SelPrsnColumnClick(0); // 编号 ascending
    EXPECT_EQ(Column(0).first(), "650");

    window->ListView_SelPrsnColumnClick(3);
    Search("Edit_STongshuai", "");
    EXPECT_EQ(Column(0).first(), "650") << "a search lists in slot order";
    window->ListView_SelPrsnColumnClick(3);
    EXPECT_EQ(Column(3).first(), "0") << "the next click reverses the remembered direction";
}

TEST_F(ListWindowTest, SortingKeepsTheSelectedRowWithoutReloadingTheEditor)
{
    Open(OfficerFile());
    auto* list = Control<QTreeWidget>("ListView_SelPrsn");
    list->setCurrentItem(list->topLevelItem(5));
    Control<QLineEdit>("Edit_Wuli")->setText("11"); // not committed
    window->ListView_SelPrsnColumnClick(3);
    ASSERT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(list->selectedItems().first()->text(0), "655");
    EXPECT_EQ(Control<QLineEdit>("Edit_Wuli")->text(), "11");
}

} // namespace
