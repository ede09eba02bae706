#pragma once

#include "officers/OfficerTable.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

// The officer list without its widget: which slots it lists, what each row shows, the search
// by exact ability values and the order of a header sort.

inline constexpr int kListColumns = 7;  // 编号 姓名 统率 武力 智力 政治 魅力
inline constexpr int kSearchFields = 6; // 统率 武力 智力 政治 魅力 声望

// Per slot: 0 leaves the slot out of the list, anything else lists it.
using ShownFlags = std::array<std::uint8_t, kSlotCount>;

// A search criterion per field; 0 or less filters nothing.
using SearchCriteria = std::array<std::int32_t, kSearchFields>;

// Xing, Ming, one blank, Zi (GBK); when that is the blank alone, "新武将" + (slot + 1).
QByteArray ListName(const OfficerTable& table, int slot);

// The name a commit gives the row: Xing, Ming, one blank, Zi, with no replacement.
QByteArray CommittedListName(const OfficerTable& table, int slot);

struct ListRow {
    int slot = 0;
    QByteArray name; // GBK
    std::array<std::uint16_t, 5> abilities{}; // Tongshuai, Wuli, Zhili, Zhengzhi, Meili
};

// The rows of the listed slots, in slot order.
std::vector<ListRow> ListRows(const OfficerTable& table, const ShownFlags& shown);

// The seven cell texts of a row: officer number (slot + 650), name, the five abilities.
std::array<QString, kListColumns> ListRowCells(const ListRow& row);

// Reads the six search edits, in the order 统率 武力 智力 政治 魅力 声望. An empty text gives -1;
// any other text must be a number, else ConversionError is thrown before anything is applied.
SearchCriteria ReadSearchCriteria(const std::array<QString, kSearchFields>& texts);

// Lists exactly the slots whose fields equal every positive criterion.
void ApplySearch(const SearchCriteria& criteria, const OfficerTable& table, ShownFlags& shown);

// The column the rows were last sorted by and its direction. Lives for the whole run; listing
// again does not re-apply it.
struct SortState {
    std::int32_t SortColumn = 0;
    bool SortAscending = false;

    // The same column reverses the direction; a new column sorts 编号 and 姓名 ascending and
    // the abilities descending, largest first.
    void ColumnClick(int column);
};

// Byte-wise unsigned comparison of GBK names with ASCII letters folded to upper case: the
// difference of the first differing folded bytes, else the difference of the lengths.
int CompareNames(const QByteArray& a, const QByteArray& b);

// What a row is sorted by: its visible cell texts and the GBK bytes of its name.
struct ListRowKey {
    std::array<QString, kListColumns> cells;
    QByteArray name;
};

// Negative when a goes before b under the sort state, positive when after, 0 when equal.
// Number columns are read from the cell texts and may throw ConversionError.
int CompareListRows(const ListRowKey& a, const ListRowKey& b, const SortState& sort);
