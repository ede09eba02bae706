#pragma once

#include <array>
#include <cstdint>

// Face numbers name portraits as the game does; portrait indices count the portraits densely,
// main archive first (faces 0..1593 without the gaps), then the additional one (faces 2000..2049).

inline constexpr std::array<std::int32_t, 53> FaceGaps{
    130, 133, 146, 148, 253, 451, 478, 490, 531, 533, 534, 537, 540, 571, 573, 574, 575, 576,
    577, 578, 580, 581, 584, 585, 586, 587, 589, 591, 592, 593, 599, 604, 610, 615, 623, 624,
    635, 638, 642, 650, 656, 659, 660, 661, 664, 668, 671, 672, 673, 674, 675, 676, 677,
};

inline constexpr std::int32_t kMainPortraitCount = 1541;   // indices 0..1540
inline constexpr std::int32_t kAddPortraitCount = 50;      // indices 1541..1590
inline constexpr std::int32_t kFirstAddIndex = kMainPortraitCount;
inline constexpr std::int32_t kLastMainIndex = kMainPortraitCount - 1;
inline constexpr std::int32_t kFirstAddFace = 2000;

// Faces in a gap give the index of the next portrait; 1594 gives 1541 and 1595..1999 fall back
// to face - 459, as the game's own numbering does. Negative faces come back unchanged.
std::int32_t FaceToIndex(std::int32_t face);

// The inverse for every portrait index; negative indices come back unchanged.
std::int32_t IndexToFace(std::int32_t index);
