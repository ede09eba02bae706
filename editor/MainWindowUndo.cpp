// The main window's undo and redo: each change of the table is one step on the stack, and
// undoing it puts back the slots' fields, list rows, roster names and the editor.
#include "TForm_Main.h"

#include "editor/OfficerList.h"
#include "officers/Roster.h"
#include "platform/Gbk.h"
#include "ui_TForm_Main.h"

#include <QComboBox>
#include <QTreeWidget>
#include <QUndoStack>

SlotState TForm_Main::CaptureSlotState(int slot) const
{
    SlotState state;
    state.fields = CaptureSlot(OfficerTable, slot);
    state.rosterName = relationBoxes_[0]->itemText(kFirstOfficerNumber + slot);
    if (const QTreeWidgetItem* row = RowOfSlot(slot))
        state.listName = ListRowName(row);
    return state;
}

void TForm_Main::ShowSlotState(const SlotState& state)
{
    const int slot = state.fields.slot;
    SetRosterEntry(kFirstOfficerNumber + slot, state.rosterName);
    if (QTreeWidgetItem* row = RowOfSlot(slot))
        ShowListRow(row, state.listName ? *state.listName : ListName(OfficerTable, slot), slot);
    if (selectedSinceLoad_ && CurrentSlot == slot) {
        ShowRecord();
        ShowSkills();
    }
    modified_ = true;
}

// `before` holds the slots as they were; the table already holds the change.
void TForm_Main::PushChange(const QString& text, std::vector<SlotState> before)
{
    std::vector<SlotState> after;
    after.reserve(before.size());
    for (const SlotState& state : before)
        after.push_back(CaptureSlotState(state.fields.slot));
    undoStack_->push(new TableChange(text, OfficerTable, std::move(before), std::move(after),
                                     [this](const SlotState& state) { ShowSlotState(state); }));
}

void TForm_Main::ChangeSlots(const QString& text, const std::vector<int>& changed,
                             const std::function<void(::OfficerTable&)>& change)
{
    std::vector<SlotState> before;
    before.reserve(changed.size());
    for (int slot : changed)
        before.push_back(CaptureSlotState(slot));
    change(OfficerTable);
    for (int slot : changed) {
        SetRosterEntry(kFirstOfficerNumber + slot, GbkToString(RosterName(OfficerTable, slot)));
        if (QTreeWidgetItem* row = RowOfSlot(slot))
            ShowListRow(row, ListName(OfficerTable, slot), slot);
        ShowSlotState(CaptureSlotState(slot)); // the editor too, when it shows the slot
    }
    PushChange(text, std::move(before));
}

void TForm_Main::Menu_UndoClick()
{
    undoStack_->undo();
}

void TForm_Main::Menu_RedoClick()
{
    undoStack_->redo();
}
