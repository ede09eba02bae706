#pragma once

#include "OfficerTable.h"

#include <array>
#include <cstddef>
#include <vector>

// Every field of one slot as it is held in the table, all bytes of each text field included
// (not only up to the terminator), so that restoring it gives back exactly the same table.

// Calls visit(member) for each per-slot field of the table, one member pointer after another.
template <typename Visit>
constexpr void ForEachSlotField(Visit&& visit)
{
    visit(&OfficerTable::Type);
    visit(&OfficerTable::Belief);
    visit(&OfficerTable::Character);
    visit(&OfficerTable::Drink);
    visit(&OfficerTable::Care);
    visit(&OfficerTable::Desire);
    visit(&OfficerTable::Gender);
    visit(&OfficerTable::Tongshuai);
    visit(&OfficerTable::Wuli);
    visit(&OfficerTable::Zhili);
    visit(&OfficerTable::Zhengzhi);
    visit(&OfficerTable::Meili);
    visit(&OfficerTable::Shengwang);
    visit(&OfficerTable::Face);
    visit(&OfficerTable::BornYear);
    visit(&OfficerTable::EnterYear);
    visit(&OfficerTable::DeadYear);
    visit(&OfficerTable::Father);
    visit(&OfficerTable::Mother);
    visit(&OfficerTable::Another);
    visit(&OfficerTable::Xiangxing);
    visit(&OfficerTable::Xing);
    visit(&OfficerTable::Ming);
    visit(&OfficerTable::Zi);
    visit(&OfficerTable::Yin);
    visit(&OfficerTable::Story);
    visit(&OfficerTable::Skills);
}

namespace slot_snapshot_detail {

template <typename T>
constexpr std::size_t ElementSize(PerSlot<T> OfficerTable::*)
{
    return sizeof(T);
}

constexpr std::size_t SlotBytes()
{
    std::size_t total = 0;
    ForEachSlotField([&total](auto member) { total += ElementSize(member); });
    return total;
}

} // namespace slot_snapshot_detail

// The 220 bytes of fields one slot holds.
inline constexpr std::size_t kSlotBytes = slot_snapshot_detail::SlotBytes();
static_assert(kSlotBytes == 220, "every field of a slot, each at its full width");
static_assert(kSlotBytes * kSlotCount == sizeof(OfficerTable), "a field of the table is missing from the list");

struct SlotSnapshot {
    int slot = 0;
    std::array<unsigned char, kSlotBytes> bytes{};

    bool operator==(const SlotSnapshot&) const = default;
};

// The fields of one slot (0..109).
SlotSnapshot CaptureSlot(const OfficerTable& table, int slot);

// Puts captured fields back into their slot; every other slot stays as it is.
void RestoreSlot(OfficerTable& table, const SlotSnapshot& snapshot);

std::vector<SlotSnapshot> CaptureSlots(const OfficerTable& table, const std::vector<int>& slots);
