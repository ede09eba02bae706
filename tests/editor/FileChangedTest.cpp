#include "support/MainWindowFixture.h"

#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>
#include <cstdio>

namespace {

using Kind = RecordingPrompts::Shown::Kind;

// Where Wuli of a slot lies in the file, written out apart from the layout table.
int WuliAt(int slot) { return 4 + 260 * slot + 0x18; }

QByteArray Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class FileChangedTest : public MainWindowFixture {
protected:
    // The game registers an officer: Wuli of a slot changes, in place or by replacing the file.
    void GameWrites(int slot, char wuli, bool replace)
    {
        QByteArray bytes = Bytes(OfficerFile());
        ASSERT_FALSE(bytes.isEmpty());
        bytes[WuliAt(slot)] = wuli;
        bytes[WuliAt(slot) + 1] = 0;
        const QString written = replace ? OfficerFile() + ".game" : OfficerFile();
        QFile f(written);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(bytes), bytes.size());
        f.close();
        if (replace) {
            ASSERT_EQ(std::rename(QFile::encodeName(written).constData(), QFile::encodeName(OfficerFile()).constData()), 0);
        }
    }

    void CommitWuli(int slot, const char* value)
    {
        auto* list = Control<QTreeWidget>("ListView_SelPrsn");
        list->setCurrentItem(list->topLevelItem(slot));
        Control<QLineEdit>("Edit_Wuli")->setText(value);
        window->Btn_MConfirmClick();
        ASSERT_TRUE(window->IsModified());
    }

    // Long enough for the watch to have seen and compared any change.
    static void Settle() { QTest::qWait(4 * FileOnDisk::kSettleMs); }

    bool PromptsReach(std::size_t count)
    {
        return QTest::qWaitFor([&] { return prompts.shown.size() >= count; }, 5000);
    }
};

TEST_F(FileChangedTest, SaveOverTheGamesChangesAsksOverwriteReloadOrCancel)
{
    const QByteArray sample = Bytes(OfficerFile());
    const int sampleWuli5 = static_cast<unsigned char>(sample[WuliAt(5)]);
    struct Row {
        const char* name;
        Prompts::DiskAnswer answer;
        int fileWuli1, fileWuli5; // in the file afterwards
        int tableWuli1, tableWuli5;
        bool modified;
    };
    const int sampleWuli1 = static_cast<unsigned char>(sample[WuliAt(1)]);
    const Row rows[] = {
        {"overwrite", Prompts::DiskAnswer::Overwrite, 90, sampleWuli5, 90, sampleWuli5, false},
        {"reload", Prompts::DiskAnswer::Reload, sampleWuli1, 77, sampleWuli1, 77, false},
        {"cancel", Prompts::DiskAnswer::Cancel, sampleWuli1, 77, 90, sampleWuli5, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QFile::remove(OfficerFile());
        QFile f(OfficerFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(sample);
        f.close();
        prompts.unsavedAnswers = {Prompts::Answer::Discard};
        Open(OfficerFile());
        CommitWuli(1, "90");
        GameWrites(5, 77, false);

        prompts.shown.clear();
        prompts.fileChangedAnswers = {row.answer};
        window->Menu_SaveClick();
        ASSERT_EQ(prompts.shown.size(), 1u);
        EXPECT_EQ(prompts.shown[0].kind, Kind::AskFileChanged);
        EXPECT_EQ(prompts.shown[0].caption, "overwrite") << "overwrite is offered";
        EXPECT_TRUE(prompts.shown[0].text.contains(OfficerFile()));

        const QByteArray now = Bytes(OfficerFile());
        EXPECT_EQ(static_cast<unsigned char>(now[WuliAt(1)]), row.fileWuli1);
        EXPECT_EQ(static_cast<unsigned char>(now[WuliAt(5)]), row.fileWuli5);
        EXPECT_EQ(window->OfficerTable.Wuli[1], row.tableWuli1);
        EXPECT_EQ(window->OfficerTable.Wuli[5], row.tableWuli5);
        EXPECT_EQ(window->IsModified(), row.modified);

        if (row.answer != Prompts::DiskAnswer::Cancel) {
            prompts.shown.clear();
            window->Menu_SaveClick();
            EXPECT_TRUE(prompts.shown.empty()) << "after overwriting or reloading, the file is ours again";
        }
    }
}

TEST_F(FileChangedTest, AChangeOnDiskOffersToReloadWhileNothingIsUnsaved)
{
    Open(OfficerFile());
    prompts.shown.clear();

    window->Menu_SaveClick();
    Settle();
    EXPECT_TRUE(prompts.shown.empty()) << "our own save is no change";

    prompts.fileChangedAnswers = {Prompts::DiskAnswer::Reload};
    GameWrites(5, 77, false);
    ASSERT_TRUE(PromptsReach(1));
    EXPECT_EQ(prompts.shown[0].kind, Kind::AskFileChanged);
    EXPECT_EQ(prompts.shown[0].caption, "") << "nothing to overwrite with";
    EXPECT_EQ(window->OfficerTable.Wuli[5], 77) << "reloaded";

    // A replaced file is a new file to watch; declining keeps the table and is not asked again.
    prompts.fileChangedAnswers = {Prompts::DiskAnswer::Cancel};
    GameWrites(5, 78, true);
    ASSERT_TRUE(PromptsReach(2));
    EXPECT_EQ(window->OfficerTable.Wuli[5], 77);
    Settle();
    EXPECT_EQ(prompts.shown.size(), 2u);

    // The file changed by replacement is still watched: the game writes again in place.
    GameWrites(5, 79, false);
    ASSERT_TRUE(PromptsReach(3));

    // With unsaved edits nothing is offered; Save asks instead.
    CommitWuli(2, "56");
    GameWrites(5, 80, false);
    Settle();
    ASSERT_EQ(prompts.shown.size(), 3u);
    window->Menu_SaveClick();
    ASSERT_EQ(prompts.shown.size(), 4u);
    EXPECT_EQ(prompts.shown[3].caption, "overwrite");
}

} // namespace
