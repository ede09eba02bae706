#include "SlotSnapshot.h"

#include <cstring>

SlotSnapshot CaptureSlot(const OfficerTable& table, int slot)
{
    SlotSnapshot snapshot;
    snapshot.slot = slot;
    std::size_t at = 0;
    ForEachSlotField([&](auto member) {
        const auto& value = (table.*member)[static_cast<std::size_t>(slot)];
        std::memcpy(snapshot.bytes.data() + at, &value, sizeof value);
        at += sizeof value;
    });
    return snapshot;
}

void RestoreSlot(OfficerTable& table, const SlotSnapshot& snapshot)
{
    std::size_t at = 0;
    ForEachSlotField([&](auto member) {
        auto& value = (table.*member)[static_cast<std::size_t>(snapshot.slot)];
        std::memcpy(&value, snapshot.bytes.data() + at, sizeof value);
        at += sizeof value;
    });
}

std::vector<SlotSnapshot> CaptureSlots(const OfficerTable& table, const std::vector<int>& slots)
{
    std::vector<SlotSnapshot> snapshots;
    snapshots.reserve(slots.size());
    for (int slot : slots)
        snapshots.push_back(CaptureSlot(table, slot));
    return snapshots;
}
