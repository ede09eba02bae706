#pragma once

#include "officers/SlotSnapshot.h"

#include <QByteArray>
#include <QString>
#include <QUndoCommand>
#include <functional>
#include <optional>
#include <vector>

// One change of the officer table for the undo stack: a commit of one slot, or an import that
// covers many. It holds each slot as it was before and after, with the names the window showed
// for it, puts the fields back into the table and lets the window show them; it knows no widgets.

// A slot as the window shows it: its fields, its roster entry in the relation lists and, when
// the slot has a row in the list, that row's name (GBK).
struct SlotState {
    SlotSnapshot fields;
    QString rosterName;
    std::optional<QByteArray> listName;

    bool operator==(const SlotState&) const = default;
};

class TableChange final : public QUndoCommand {
public:
    // Shows one slot after its fields are back in the table.
    using Show = std::function<void(const SlotState&)>;

    // `before` and `after` hold the same slots in the same order. The change has already been
    // made and shown when it is pushed, so the redo that pushing runs does nothing.
    TableChange(const QString& text, OfficerTable& table, std::vector<SlotState> before,
                std::vector<SlotState> after, Show show);

    void undo() override;
    void redo() override;

private:
    void Apply(const std::vector<SlotState>& states) const;

    OfficerTable& table_;
    std::vector<SlotState> before_;
    std::vector<SlotState> after_;
    Show show_;
    bool pushed_ = false;
};
