#pragma once

#include <array>
#include <cstdint>

#include "OfficerTable.h"

// Where each owned field of an officer record lies in the officer file. Loading, saving and the
// tests all read this one table; the bytes it does not name are never read or written.

inline constexpr int kHeaderSize = 0x04;
inline constexpr int kRecordSize = 0x104; // 260
inline constexpr int kOfficerFileSize = kHeaderSize + kSlotCount * kRecordSize; // 28604

enum class Field : std::uint8_t {
    Face, Father, Mother, Another,
    BornYear, EnterYear, DeadYear, Shengwang,
    Tongshuai, Wuli, Zhili, Zhengzhi, Meili,
    Gender, Character, Drink, Care, Desire,
    Skills,
    Registered, // a byte of the file only: 1 is written for a slot whose Type is not 255
    Xiangxing,
    Belief, Type,
    Xing, Ming, Zi, Yin, Story,
};

struct FieldSpan {
    std::uint16_t offset;
    std::uint8_t size;
    Field field;
};

inline constexpr std::array<FieldSpan, 28> kRecordLayout{{
    {0x00, 2, Field::Face},
    {0x02, 2, Field::Father},
    {0x04, 2, Field::Mother},
    {0x06, 2, Field::Another},
    // 0x08..0x0D unowned
    {0x0E, 2, Field::BornYear},
    {0x10, 2, Field::EnterYear},
    {0x12, 2, Field::DeadYear},
    {0x14, 2, Field::Shengwang},
    {0x16, 2, Field::Tongshuai},
    {0x18, 2, Field::Wuli},
    {0x1A, 2, Field::Zhili},
    {0x1C, 2, Field::Zhengzhi},
    {0x1E, 2, Field::Meili},
    // 0x20..0x22 unowned
    {0x23, 1, Field::Gender},
    {0x24, 1, Field::Character},
    {0x25, 1, Field::Drink},
    {0x26, 1, Field::Care},
    {0x27, 1, Field::Desire},
    // 0x28..0x2E unowned
    {0x2F, 6, Field::Skills},
    // 0x35..0x3D unowned
    {0x3E, 1, Field::Registered},
    // 0x3F unowned
    {0x40, 2, Field::Xiangxing},
    // 0x42..0x45 unowned
    {0x46, 1, Field::Belief},
    {0x47, 1, Field::Type},
    // 0x48..0x50 unowned
    {0x51, 5, Field::Xing},
    {0x56, 5, Field::Ming},
    {0x5B, 5, Field::Zi},
    {0x60, 11, Field::Yin},
    {0x6B, 153, Field::Story},
}};

namespace record_layout_checks {

constexpr bool FieldsFitAndDoNotOverlap()
{
    int end = 0;
    for (const FieldSpan& span : kRecordLayout) {
        if (span.offset < end || span.size == 0)
            return false;
        end = span.offset + span.size;
    }
    return end <= kRecordSize;
}

constexpr int OwnedBytes()
{
    int total = 0;
    for (const FieldSpan& span : kRecordLayout)
        total += span.size;
    return total;
}

static_assert(FieldsFitAndDoNotOverlap(), "record fields must lie inside 260 bytes, in order, apart");
static_assert(OwnedBytes() == 221, "220 bytes of fields plus the Registered byte");

} // namespace record_layout_checks
