#include "OfficerList.h"

#include "officers/Roster.h"
#include "platform/Gbk.h"
#include "platform/StrToInt.h"

#include <algorithm>
#include <limits>
#include <string_view>

namespace {

using Field16 = PerSlot<std::uint16_t> OfficerTable::*;

// The searched fields, in the order of the search edits; the first five are the list's
// ability columns.
constexpr std::array<Field16, kSearchFields> kSearchedFields = {
    &OfficerTable::Tongshuai, &OfficerTable::Wuli, &OfficerTable::Zhili,
    &OfficerTable::Zhengzhi, &OfficerTable::Meili, &OfficerTable::Shengwang,
};

constexpr int kNameColumn = 1;

std::size_t Index(int slot) { return static_cast<std::size_t>(slot); }

void Append(QByteArray& bytes, std::string_view text)
{
    bytes.append(text.data(), static_cast<qsizetype>(text.size()));
}

unsigned char Folded(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

} // namespace

QByteArray CommittedListName(const OfficerTable& table, int slot)
{
    QByteArray name;
    Append(name, FieldText(table.Xing.at(Index(slot))));
    Append(name, FieldText(table.Ming.at(Index(slot))));
    name.append(' ');
    Append(name, FieldText(table.Zi.at(Index(slot))));
    return name;
}

QByteArray ListName(const OfficerTable& table, int slot)
{
    QByteArray name = CommittedListName(table, slot);
    return name == " " ? NewOfficerName(slot) : name;
}

std::vector<ListRow> ListRows(const OfficerTable& table, const ShownFlags& shown)
{
    std::vector<ListRow> rows;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (shown[Index(slot)] == 0)
            continue;
        ListRow row;
        row.slot = slot;
        row.name = ListName(table, slot);
        for (std::size_t i = 0; i < row.abilities.size(); ++i)
            row.abilities[i] = (table.*kSearchedFields[i])[Index(slot)];
        rows.push_back(std::move(row));
    }
    return rows;
}

std::array<QString, kListColumns> ListRowCells(const ListRow& row)
{
    std::array<QString, kListColumns> cells;
    cells[0] = QString::number(row.slot + kFirstOfficerNumber);
    cells[kNameColumn] = GbkToString(row.name);
    for (std::size_t i = 0; i < row.abilities.size(); ++i)
        cells[i + 2] = QString::number(row.abilities[i]);
    return cells;
}

SearchCriteria ReadSearchCriteria(const std::array<QString, kSearchFields>& texts)
{
    SearchCriteria criteria{};
    for (std::size_t i = 0; i < texts.size(); ++i)
        criteria[i] = texts[i].isEmpty() ? -1 : StrToInt(texts[i]);
    return criteria;
}

void ApplySearch(const SearchCriteria& criteria, const OfficerTable& table, ShownFlags& shown)
{
    for (int slot = 0; slot < kSlotCount; ++slot) {
        bool match = true;
        for (std::size_t i = 0; i < criteria.size(); ++i) {
            const std::int32_t c = criteria[i];
            if (c > 0 && c != (table.*kSearchedFields[i])[Index(slot)])
                match = false;
        }
        shown[Index(slot)] = match ? 1 : 0;
    }
}

void SortState::ColumnClick(int column)
{
    if (column == SortColumn) {
        SortAscending = !SortAscending;
        return;
    }
    SortColumn = column;
    SortAscending = column <= kNameColumn;
}

int CompareNames(const QByteArray& a, const QByteArray& b)
{
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const int fa = Folded(a[i]);
        const int fb = Folded(b[i]);
        if (fa != fb)
            return fa - fb;
    }
    return static_cast<int>(a.size() - b.size());
}

int CompareListRows(const ListRowKey& a, const ListRowKey& b, const SortState& sort)
{
    const auto column = static_cast<std::size_t>(sort.SortColumn);
    std::int64_t result = 0;
    if (sort.SortColumn == kNameColumn)
        result = CompareNames(a.name, b.name);
    else
        result = std::int64_t{StrToInt(a.cells.at(column))} - StrToInt(b.cells.at(column));
    if (!sort.SortAscending)
        result = -result;
    // Cells hold 32-bit numbers, so their difference may not fit an int; only the sign matters.
    constexpr std::int64_t kMax = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(result, -kMax, kMax));
}
