#pragma once

#include <QStringList>

// The seven fixed choice lists of the record editor. An entry's index is the byte stored in its
// field; a stored byte with no entry shows as no selection.

namespace FormChoice {
// Positions of the lists in RecordForm::choices, in the order the editor shows and commits them.
enum : int { Type, Belief, Character, Drink, Care, Desire, Gender, Count };
} // namespace FormChoice

// The entries of one list (a FormChoice value), index 0 first.
const QStringList& ChoiceEntries(int list);

// The object name of the list's combo box ("ComboBox_Type", ...).
const char* ChoiceBoxName(int list);
