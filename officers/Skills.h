#pragma once

#include "OfficerTable.h"

#include <array>
#include <cstdint>
#include <string_view>

// The 42 skills of an officer's six Skills bytes, in ascending n = 8 × byte + bit, the order in
// which their check boxes stand on the window. A box is named "CB_S" followed by the byte number
// and 7 − bit.

struct SkillInfo {
    std::string_view box;     // the check box's object name
    std::string_view caption; // UTF-8
    int byte;
    std::uint8_t mask;
};

inline constexpr int kSkillCount = 42;

inline constexpr std::array<SkillInfo, kSkillCount> kSkills = {{
    {"CB_S07", "农业", 0, 0x01},
    {"CB_S06", "商业", 0, 0x02},
    {"CB_S05", "技术", 0, 0x04},
    {"CB_S04", "修改", 0, 0x08},
    {"CB_S03", "治安", 0, 0x10},
    {"CB_S02", "征兵", 0, 0x20},
    {"CB_S01", "训练", 0, 0x40},
    {"CB_S00", "突击", 0, 0x80},
    {"CB_S17", "火矢", 1, 0x01},
    {"CB_S16", "一齐", 1, 0x02},
    {"CB_S15", "镇静", 1, 0x04},
    {"CB_S14", "鼓舞", 1, 0x08},
    {"CB_S13", "奇袭", 1, 0x10},
    {"CB_S12", "隐密", 1, 0x20},
    {"CB_S11", "同讨", 1, 0x40},
    {"CB_S10", "足止", 1, 0x80},
    {"CB_S27", "引诱", 2, 0x01},
    {"CB_S26", "混乱", 2, 0x02},
    {"CB_S25", "天文", 2, 0x04},
    {"CB_S24", "地理", 2, 0x08},
    {"CB_S23", "石阵", 2, 0x10},
    {"CB_S22", "回复", 2, 0x20},
    {"CB_S21", "气合", 2, 0x40},
    {"CB_S20", "气炎", 2, 0x80},
    {"CB_S37", "受返", 3, 0x01},
    {"CB_S36", "弹返", 3, 0x02},
    {"CB_S35", "三段", 3, 0x04},
    {"CB_S34", "螺旋", 3, 0x08},
    {"CB_S33", "威压", 3, 0x10},
    {"CB_S32", "抗弁", 3, 0x20},
    {"CB_S31", "反论", 3, 0x40},
    {"CB_S30", "扬足", 3, 0x80},
    {"CB_S47", "论破", 4, 0x01},
    {"CB_S46", "挑拨", 4, 0x02},
    {"CB_S45", "面骂", 4, 0x04},
    {"CB_S44", "军师", 4, 0x08},
    {"CB_S43", "名士", 4, 0x10},
    {"CB_S42", "提督", 4, 0x20},
    {"CB_S41", "间谍", 4, 0x40},
    {"CB_S40", "酒豪", 4, 0x80},
    {"CB_S57", "医者", 5, 0x01},
    {"CB_S56", "仙人", 5, 0x02},
}};

// The bits that carry a skill; bits 7 to 2 of byte 5 carry none.
inline constexpr std::array<std::uint8_t, kSkillBytes> kSkillBitsInUse = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x03};

inline constexpr bool HasSkill(const std::array<std::uint8_t, kSkillBytes>& skills, const SkillInfo& skill)
{
    return (skills[skill.byte] & skill.mask) != 0;
}

namespace skills_detail {

// Every entry's box name agrees with its byte and mask, entries run in ascending n, and
// together they cover exactly the bits in use.
constexpr bool TableIsConsistent()
{
    std::array<std::uint8_t, kSkillBytes> covered{};
    int previous = -1;
    for (const SkillInfo& s : kSkills) {
        int bit = 0;
        while (bit < 8 && s.mask != (1u << bit))
            ++bit;
        if (bit == 8 || s.byte < 0 || s.byte >= kSkillBytes)
            return false;
        if (s.box.size() != 6 || s.box.substr(0, 4) != "CB_S" || s.box[4] != '0' + s.byte
            || s.box[5] != '0' + (7 - bit))
            return false;
        const int n = 8 * s.byte + bit;
        if (n <= previous || (covered[s.byte] & s.mask) != 0)
            return false;
        previous = n;
        covered[s.byte] |= s.mask;
    }
    return covered == kSkillBitsInUse;
}

static_assert(TableIsConsistent());

} // namespace skills_detail
