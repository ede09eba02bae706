#include "support/MainWindowFixture.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTreeWidget>

namespace {

using Kind = RecordingPrompts::Shown::Kind;

QByteArray Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

class ExchangeFileWindowTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        Open(OfficerFile());
        csv = game.filePath("officers.csv");
    }

    void Select(int slot)
    {
        auto* list = Control<QTreeWidget>("ListView_SelPrsn");
        list->setCurrentItem(list->topLevelItem(slot));
        ASSERT_EQ(window->CurrentSlot, slot);
    }

    // File > the named entry, as the menu triggers it.
    void Menu(const char* action)
    {
        auto* file = Control<QMenu>("Menu_File");
        for (QAction* a : file->actions())
            if (a->objectName() == QLatin1String(action)) {
                a->trigger();
                return;
            }
        ADD_FAILURE() << action << " is not in the File menu";
    }

    QString csv;
};

TEST_F(ExchangeFileWindowTest, FileMenuKeepsItsEntriesAndGainsExportAndImport)
{
    QStringList texts;
    for (QAction* a : Control<QMenu>("Menu_File")->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text() + u' ' + a->shortcut().toString());
    EXPECT_EQ(texts, (QStringList{"打开新武将档(&O) Ctrl+O", "重新载入(&R) Ctrl+R", "保存新武将档(&S) Ctrl+S", "-",
                                  "导出武将(&E)… ", "导入武将(&I)… ", "-", "退出(&X) Ctrl+X"}));
}

// Export all, change one cell as a spreadsheet would, import: exactly that field changes, in the
// table, the list and the editor, and after a save in the file.
TEST_F(ExchangeFileWindowTest, OneChangedCellChangesExactlyThatField)
{
    Select(2);
    window->Menu_SaveClick();
    const QByteArray saved = Bytes(OfficerFile());

    prompts.shown.clear();
    prompts.chooseAnswers.push_back(0);
    prompts.saveFileAnswers.push_back(csv);
    Menu("Menu_Export");
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[0].kind, Kind::Choose);
    EXPECT_EQ(prompts.shown[0].caption.split(u'\n'),
              (QStringList{"全部 110 名", QStringLiteral("选中的 652 %1").arg(Control<QComboBox>("ComboBox_Father")->itemText(652))}));
    EXPECT_EQ(prompts.shown[1], (RecordingPrompts::Shown{Kind::SaveFile, "CSV 表格 (*.csv)", game.filePath("My Documents/Koei/San10/TPrsn/新武将.csv")}));

    QString text = QString::fromUtf8(Bytes(csv));
    QStringList lines = text.split(QStringLiteral("\r\n"));
    const qsizetype wuli = lines[0].split(u',').indexOf(QStringLiteral("武力"));
    ASSERT_GT(wuli, 0);
    // Slot 2's row; the sample biographies hold no commas, so cells split plainly.
    qsizetype row = 0;
    while (!lines[row].startsWith("652,"))
        ++row;
    QStringList cells = lines[row].split(u',');
    ASSERT_NE(cells[wuli], "99");
    cells[wuli] = "99";
    lines[row] = cells.join(u',');
    Write(csv, lines.join(QStringLiteral("\r\n")).toUtf8());

    prompts.shown.clear();
    prompts.openFileAnswers.push_back(csv);
    Menu("Menu_Import");
    ASSERT_EQ(prompts.shown.size(), 1u) << prompts.Texts().join(u'\n').toStdString();
    EXPECT_EQ(prompts.shown[0].kind, Kind::OpenFile);
    EXPECT_EQ(window->OfficerTable.Wuli[2], 99);
    EXPECT_TRUE(window->IsModified());
    auto* list = Control<QTreeWidget>("ListView_SelPrsn");
    ASSERT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(list->selectedItems()[0]->text(0), "652");
    EXPECT_EQ(list->selectedItems()[0]->text(3), "99");
    EXPECT_EQ(Control<QLineEdit>("Edit_Wuli")->text(), "99");

    window->Menu_SaveClick();
    const QByteArray after = Bytes(OfficerFile());
    ASSERT_EQ(after.size(), saved.size());
    std::vector<int> differ;
    for (int i = 0; i < saved.size(); ++i)
        if (saved[i] != after[i])
            differ.push_back(i);
    const int wuliAt = 4 + 260 * 2 + 24; // record 2, Wuli at offset 24, little-endian
    EXPECT_EQ(differ, (std::vector<int>{wuliAt})) << "the old value fits the low byte, so the high byte stays 0";
}

// One officer shared from another file goes into the selected slot, after a question.
TEST_F(ExchangeFileWindowTest, OneRowGoesIntoTheSelectedSlotAfterAsking)
{
    Select(5);
    prompts.chooseAnswers.push_back(1); // the selected officer
    prompts.saveFileAnswers.push_back(csv);
    Menu("Menu_Export");
    const OfficerTable before = window->OfficerTable;
    const QString name5 = Control<QComboBox>("ComboBox_Father")->itemText(655);
    const QString name7 = Control<QComboBox>("ComboBox_Father")->itemText(657);
    Select(7);

    prompts.shown.clear();
    prompts.openFileAnswers.push_back(csv);
    Menu("Menu_Import"); // no answer queued: cancelled
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[1].kind, Kind::Choose);
    EXPECT_EQ(prompts.shown[1].caption.split(u'\n'),
              (QStringList{QStringLiteral("按编号替换 655 %1").arg(name5), QStringLiteral("替换选中的 657 %1").arg(name7)}));
    EXPECT_FALSE(window->IsModified());
    EXPECT_EQ(window->OfficerTable.Wuli[7], before.Wuli[7]);

    prompts.openFileAnswers.push_back(csv);
    prompts.chooseAnswers.push_back(1);
    Menu("Menu_Import");
    EXPECT_TRUE(window->IsModified());
    EXPECT_EQ(window->OfficerTable.Wuli[7], before.Wuli[5]);
    EXPECT_EQ(window->OfficerTable.Xing[7], before.Xing[5]);
    EXPECT_EQ(window->OfficerTable.Skills[7], before.Skills[5]);
    EXPECT_EQ(window->OfficerTable.Wuli[5], before.Wuli[5]);
    for (const char* box : {"ComboBox_Father", "ComboBox_Mother", "ComboBox_Another", "ComboBox_Xiangxing"})
        EXPECT_EQ(Control<QComboBox>(box)->itemText(657), name5) << box;
    EXPECT_EQ(Control<QLineEdit>("Edit_Wuli")->text(), QString::number(before.Wuli[5]));

    // The import is one step: undoing it brings back every byte, the name and the editor.
    Control<QAction>("Menu_Undo")->trigger();
    EXPECT_EQ(std::memcmp(&before, &window->OfficerTable, sizeof before), 0);
    EXPECT_EQ(Control<QComboBox>("ComboBox_Father")->itemText(657), name7);
    EXPECT_EQ(Control<QLineEdit>("Edit_Wuli")->text(), QString::number(before.Wuli[7]));
}

TEST_F(ExchangeFileWindowTest, ABadCellIsReportedAndNothingChanges)
{
    Write(csv, "\xEF\xBB\xBF编号,武力,类型\r\n650,1,平凡\r\n651,2,神将\r\n");
    const OfficerTable before = window->OfficerTable;
    prompts.shown.clear();
    prompts.openFileAnswers.push_back(csv);
    Menu("Menu_Import");
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[1],
              (RecordingPrompts::Shown{Kind::Error,
                                       "导入未完成，没有改动任何武将：\n"
                                       "第 3 行“类型”列：“神将”不是可选的一项（平凡、猛将、识者、策士、将军、万能）",
                                       {}}));
    EXPECT_EQ(std::memcmp(&before, &window->OfficerTable, sizeof before), 0);
    EXPECT_FALSE(window->IsModified());
}

TEST_F(ExchangeFileWindowTest, WithoutAFileNothingIsAsked)
{
    CreateWindow();
    prompts.shown.clear();
    Menu("Menu_Export");
    Menu("Menu_Import");
    EXPECT_EQ(prompts.Texts(), (QStringList{"请先打开一个存档文件！", "请先打开一个存档文件！"}));
}

} // namespace
