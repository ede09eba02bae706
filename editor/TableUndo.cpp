#include "TableUndo.h"

TableChange::TableChange(const QString& text, OfficerTable& table, std::vector<SlotState> before,
                         std::vector<SlotState> after, Show show)
    : QUndoCommand(text)
    , table_(table)
    , before_(std::move(before))
    , after_(std::move(after))
    , show_(std::move(show))
{
    // A step that changes nothing would only make the player press undo twice.
    setObsolete(before_ == after_);
}

void TableChange::undo()
{
    Apply(before_);
}

void TableChange::redo()
{
    if (!pushed_) {
        pushed_ = true;
        return;
    }
    Apply(after_);
}

void TableChange::Apply(const std::vector<SlotState>& states) const
{
    for (const SlotState& state : states) {
        RestoreSlot(table_, state.fields);
        if (show_)
            show_(state);
    }
}
