#include "officers/SlotSnapshot.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A table whose every byte differs from its neighbours', texts with bytes after their terminators.
std::unique_ptr<OfficerTable> PatternTable(unsigned char seed)
{
    auto table = std::make_unique<OfficerTable>();
    auto* bytes = reinterpret_cast<unsigned char*>(table.get());
    for (std::size_t i = 0; i < sizeof(OfficerTable); ++i)
        bytes[i] = static_cast<unsigned char>(seed + i * 7);
    return table;
}

TEST(SlotSnapshot, RestoreGivesBackEveryByteOfTheSlotAndNoOther)
{
    for (int slot : {0, 54, 109}) {
        SCOPED_TRACE(slot);
        const auto original = PatternTable(1);
        const SlotSnapshot snapshot = CaptureSlot(*original, slot);

        const auto table = PatternTable(2); // every field of every slot differs from the original
        const auto untouched = std::make_unique<OfficerTable>(*table);
        RestoreSlot(*table, snapshot);

        EXPECT_EQ(CaptureSlot(*table, slot), snapshot);
        EXPECT_EQ(std::memcmp(table->Story[slot].data(), original->Story[slot].data(), kStoryWidth), 0)
            << "the whole field, past the terminator too";
        EXPECT_EQ(table->Wuli[slot], original->Wuli[slot]);
        EXPECT_EQ(table->Skills[slot], original->Skills[slot]);
        for (int other = 0; other < kSlotCount; ++other) {
            if (other != slot) {
                EXPECT_EQ(CaptureSlot(*table, other), CaptureSlot(*untouched, other)) << "slot " << other;
            }
        }
    }
}

TEST(SlotSnapshot, EachFieldChangesTheSnapshot)
{
    const auto table = PatternTable(3);
    const SlotSnapshot before = CaptureSlot(*table, 54);
    table->Yin[54][10] ^= 1; // the last byte of the widest field that is never converted
    EXPECT_NE(CaptureSlot(*table, 54), before);
    table->Yin[54][10] ^= 1;
    table->Gender[54] ^= 1;
    EXPECT_NE(CaptureSlot(*table, 54), before);
}

} // namespace
