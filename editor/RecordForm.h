#pragma once

#include "editor/Choices.h"
#include "officers/OfficerTable.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

// What the record editor's controls hold for one officer slot, apart from the portrait, and the
// rules that fill it from the table and store it back. The window copies a RecordForm into its
// controls and reads one out of them; everything between is here.

namespace FormNumber {
// Positions in RecordForm::numbers, in the order the editor checks and commits them.
enum : int { Tongshuai, Wuli, Zhili, Zhengzhi, Meili, Shengwang, Face, BornYear, EnterYear, DeadYear, Count };
} // namespace FormNumber

namespace FormRelation {
enum : int { Father, Mother, Another, Xiangxing, Count };
} // namespace FormRelation

namespace FormText {
enum : int { Xing, Ming, Zi, Yin, Story, Count };
} // namespace FormText

struct RecordForm {
    // Selected entry of each choice list (FormChoice order), -1 for none.
    std::array<int, FormChoice::Count> choices{-1, -1, -1, -1, -1, -1, -1};
    // Text of each numeric edit (FormNumber order).
    std::array<QString, FormNumber::Count> numbers;
    // Selected position of each relation list (FormRelation order), -1 for none.
    std::array<int, FormRelation::Count> relations{-1, -1, -1, -1};
    // Text of each text control (FormText order). The biography separates lines by "\n", as a
    // multi-line edit gives them.
    std::array<QString, FormText::Count> texts;
    // The 42 skill boxes as the six bytes of the Skills field: a ticked box sets its bit.
    std::array<std::uint8_t, kSkillBytes> skills{};

    bool operator==(const RecordForm&) const = default;
};

// Why a commit was refused: the message for the player, which names the field, and the object
// name of the control at fault, for the window to put the focus there.
struct FormError {
    QString message;
    QString control;
};

// Object names of the controls, for the window to find them.
const char* NumberEditName(int number);     // "Edit_Tongshuai", ...
const char* RelationBoxName(int relation);  // "ComboBox_Father", ...
const char* TextEditName(int text);         // "Edit_Xing", ..., "Memo_Story"

// How many GBK bytes a text control accepts (4, 4, 4, 10, 150).
int TextByteLimit(int text);

// The form that shows a slot. slot must lie in 0..109.
RecordForm ShowRecordForm(const OfficerTable& table, int slot);

// Stores the form into the slot, all or nothing: when a numeric text is refused, or a changed
// text holds a character GBK lacks or one the game's code cannot take (names, style name and
// biography go to the game as Shift-JIS), nothing is stored and the refusal is returned.
// An empty numeric text leaves its field alone. A text equal to its text in `shown` (the form
// the controls were last filled from) keeps the field's bytes exactly; a changed text is stored
// as GBK, cut at a character boundary to fit, and the bytes after its terminator keep their
// contents. Skill bits that carry no skill are stored as 0.
[[nodiscard]] std::optional<FormError> CommitRecordForm(const RecordForm& current, const RecordForm& shown,
                                                        OfficerTable& table, int slot);

// The labels of the texts a commit would change for the first time while their field in the
// file still holds kanji that the editor shows as "? ": committing replaces those kanji.
QStringList TextsLosingKanji(const RecordForm& current, const RecordForm& shown, const OfficerTable& table,
                             const QByteArray& file, int slot);

// The label of a field on the window ("武力", "姓", ...).
QString NumberLabel(int number);
QString TextLabel(int text);

// "全部技能": every skill box ticked.
void TickAllSkills(RecordForm& form);

// "能力全满": 99 in the five abilities; the reputation stays.
void FillAbilities(RecordForm& form);
