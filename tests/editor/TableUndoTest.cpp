#include "editor/TableUndo.h"

#include <QUndoStack>
#include <gtest/gtest.h>
#include <memory>

namespace {

class TableUndoTest : public ::testing::Test {
protected:
    SlotState State(int slot) const { return {CaptureSlot(*table, slot), QStringLiteral("名%1").arg(slot), {}}; }

    std::unique_ptr<OfficerTable> table = std::make_unique<OfficerTable>();
    std::vector<int> shown; // the slots handed to the window, in order
    TableChange::Show show = [this](const SlotState& s) { shown.push_back(s.fields.slot); };
    QUndoStack stack;
};

TEST_F(TableUndoTest, OneStepCoversManySlots)
{
    const std::vector<SlotState> before{State(0), State(54), State(109)};
    table->Wuli[0] = 90;
    table->Xing[54] = {'A', 0, 'x', 'y', 'z'};
    table->Skills[109][5] = 0xFF;
    const std::vector<SlotState> after{State(0), State(54), State(109)};
    const auto changed = std::make_unique<OfficerTable>(*table);

    stack.push(new TableChange(QStringLiteral("导入"), *table, before, after, show));
    EXPECT_EQ(stack.count(), 1);
    EXPECT_TRUE(shown.empty()) << "pushing shows nothing again";

    stack.undo();
    for (const SlotState& s : before)
        EXPECT_EQ(CaptureSlot(*table, s.fields.slot), s.fields);
    EXPECT_EQ(shown, (std::vector<int>{0, 54, 109}));

    stack.redo();
    EXPECT_EQ(CaptureSlot(*table, 54), CaptureSlot(*changed, 54));
    EXPECT_EQ(table->Xing[54], (TextField<5>{'A', 0, 'x', 'y', 'z'})) << "bytes after the terminator too";
    EXPECT_EQ(shown.size(), 6u);
}

TEST_F(TableUndoTest, AStepThatChangesNothingIsNotKept)
{
    const std::vector<SlotState> same{State(3)};
    stack.push(new TableChange(QStringLiteral("确认修改"), *table, same, same, show));
    EXPECT_EQ(stack.count(), 0);
    EXPECT_FALSE(stack.canUndo());
}

TEST_F(TableUndoTest, ANameAloneIsAChange)
{
    SlotState renamed = State(3);
    renamed.rosterName = QStringLiteral("新武将4");
    stack.push(new TableChange(QStringLiteral("确认修改"), *table, {State(3)}, {renamed}, show));
    EXPECT_EQ(stack.count(), 1);
}

} // namespace
