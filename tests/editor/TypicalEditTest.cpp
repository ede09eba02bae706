#include "support/MainWindowFixture.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

class TypicalEditTest : public MainWindowFixture {};

QByteArray Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Record offsets written out by hand: Wuli 24..25, Skills 47..52, Registered 62, Type 71, and the
// texts Xing 81, Ming 86, Zi 91, Yin 96 and Story 107 with their widths.
bool AfterTerminator(const QByteArray& file, int record, int offset)
{
    const std::pair<int, int> texts[] = {{81, 5}, {86, 5}, {91, 5}, {96, 11}, {107, 153}};
    for (auto [start, width] : texts) {
        if (offset < start || offset >= start + width)
            continue;
        for (int i = start; i < offset; ++i)
            if (file[4 + 260 * record + i] == '\0')
                return true;
        return false;
    }
    return false;
}

// Open, select 651, type 90 into 武力, tick two skills, commit, save: through the real window.
TEST_F(TypicalEditTest, OpenEditCommitSave)
{
    const QByteArray before = Bytes(OfficerFile());
    window->show();
    QApplication::setActiveWindow(window.get());
    Open(OfficerFile());

    auto* list = Control<QTreeWidget>("ListView_SelPrsn");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(1)).center());
    ASSERT_EQ(window->CurrentSlot, 1);

    auto* wuli = Control<QLineEdit>("Edit_Wuli");
    wuli->selectAll();
    QTest::keyClicks(wuli, "90");
    int ticked = 0;
    for (const char* name : {"CB_S00", "CB_S01", "CB_S02", "CB_S03", "CB_S10", "CB_S11", "CB_S12", "CB_S13"}) {
        auto* box = Control<QCheckBox>(name);
        if (!box->isChecked() && ticked < 2) {
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
            ++ticked;
        }
    }
    ASSERT_EQ(ticked, 2);
    const std::array<std::uint8_t, 6> skillsBefore = window->OfficerTable.Skills[1];

    QTest::mouseClick(Control<QPushButton>("Btn_MConfirm"), Qt::LeftButton);
    EXPECT_EQ(list->topLevelItem(1)->text(3), "90") << "the row shows the new value at once";
    EXPECT_NE(window->OfficerTable.Skills[1], skillsBefore);

    QTest::keyClick(wuli, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(prompts.shown.size() == 1 && prompts.shown[0].kind == RecordingPrompts::Shown::Kind::OpenFile)
        << "no prompt but the open dialog";
    EXPECT_FALSE(window->IsModified());

    EXPECT_EQ(Bytes(OfficerFile() + ".bak"), before);
    const QByteArray after = Bytes(OfficerFile());
    ASSERT_EQ(after.size(), before.size());
    int changedInRecord1 = 0;
    for (int at = 0; at < before.size(); ++at) {
        if (after[at] == before[at])
            continue;
        ASSERT_GE(at, 4) << "header";
        ASSERT_LT(at, 28604) << "after the last record";
        const int record = (at - 4) / 260;
        const int offset = (at - 4) % 260;
        const bool wuliOrSkills = record == 1 && ((offset >= 24 && offset < 26) || (offset >= 47 && offset < 53));
        const bool registered = offset == 62 && static_cast<unsigned char>(before[4 + 260 * record + 71]) != 0xFF;
        EXPECT_TRUE(wuliOrSkills || registered || AfterTerminator(after, record, offset))
            << "record " << record << " offset " << offset;
        changedInRecord1 += wuliOrSkills;
    }
    EXPECT_GE(changedInRecord1, 2);
    EXPECT_EQ(static_cast<unsigned char>(after[4 + 260 + 24]), 90);
}

} // namespace
