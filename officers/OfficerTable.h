#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

// The 110 officer slots of the officer file as parallel arrays, one per field, indexed by slot.
// Slot k is record k of the file and officer number 650 + k.

inline constexpr int kSlotCount = 110;
inline constexpr int kFirstOfficerNumber = 650;

inline constexpr int kXingWidth = 5;
inline constexpr int kMingWidth = 5;
inline constexpr int kZiWidth = 5;
inline constexpr int kYinWidth = 11;
inline constexpr int kStoryWidth = 153;
inline constexpr int kSkillBytes = 6;

inline constexpr std::uint8_t kNoType = 255;
inline constexpr std::uint16_t kNoPerson = 65535;

template <std::size_t Width>
using TextField = std::array<char, Width>;

template <typename T>
using PerSlot = std::array<T, kSlotCount>;

struct OfficerTable {
    PerSlot<std::uint8_t> Type{};
    PerSlot<std::uint8_t> Belief{};
    PerSlot<std::uint8_t> Character{};
    PerSlot<std::uint8_t> Drink{};
    PerSlot<std::uint8_t> Care{};
    PerSlot<std::uint8_t> Desire{};
    PerSlot<std::uint8_t> Gender{};

    PerSlot<std::uint16_t> Tongshuai{};
    PerSlot<std::uint16_t> Wuli{};
    PerSlot<std::uint16_t> Zhili{};
    PerSlot<std::uint16_t> Zhengzhi{};
    PerSlot<std::uint16_t> Meili{};
    PerSlot<std::uint16_t> Shengwang{};
    PerSlot<std::uint16_t> Face{};
    PerSlot<std::uint16_t> BornYear{};
    PerSlot<std::uint16_t> EnterYear{};
    PerSlot<std::uint16_t> DeadYear{};
    PerSlot<std::uint16_t> Father{};
    PerSlot<std::uint16_t> Mother{};
    PerSlot<std::uint16_t> Another{};
    PerSlot<std::uint16_t> Xiangxing{};

    // Texts as zero-terminated bytes: GBK in memory (Yin: whatever the file held).
    PerSlot<TextField<kXingWidth>> Xing{};
    PerSlot<TextField<kMingWidth>> Ming{};
    PerSlot<TextField<kZiWidth>> Zi{};
    PerSlot<TextField<kYinWidth>> Yin{};
    PerSlot<TextField<kStoryWidth>> Story{};

    PerSlot<std::array<std::uint8_t, kSkillBytes>> Skills{};

    bool operator==(const OfficerTable&) const = default;
};

// The text of a field: its bytes up to the first zero, at most width - 1 of them, so that a
// field without a terminator is never read past its end.
template <std::size_t Width>
std::string_view FieldText(const TextField<Width>& field)
{
    std::size_t n = 0;
    while (n < Width - 1 && field[n] != '\0')
        ++n;
    return {field.data(), n};
}

// Stores a text into a field: cut at a character boundary to at most width - 1 bytes (a byte of
// 0x80 or more starts a two-byte character), then zeros to the end of the field.
template <std::size_t Width>
void SetFieldText(TextField<Width>& field, std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    std::size_t keep = 0;
    while (keep < text.size()) {
        std::size_t step = static_cast<unsigned char>(text[keep]) >= 0x80 ? 2 : 1;
        step = std::min(step, text.size() - keep); // a lone lead byte at the end stays alone
        if (keep + step > Width - 1)
            break;
        keep += step;
    }
    field.fill('\0');
    for (std::size_t i = 0; i < keep; ++i)
        field[i] = text[i];
}
