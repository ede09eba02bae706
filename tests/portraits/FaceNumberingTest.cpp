#include "portraits/FaceNumbering.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace {

struct FaceIndexPair {
    std::int32_t face;
    std::int32_t index;
};

TEST(FaceNumbering, WorkedPairsConvertBothWays)
{
    const FaceIndexPair pairs[] = {
        {0, 0},       {129, 129},   {131, 130},   {132, 131},   {134, 132},
        {766, 713},   {767, 714},   {775, 722},   {1586, 1533}, {1593, 1540},
        {2000, 1541}, {2034, 1575}, {2049, 1590}, {2050, 1591}, {-1, -1},
    };
    for (const FaceIndexPair& p : pairs) {
        EXPECT_EQ(FaceToIndex(p.face), p.index) << "face " << p.face;
        EXPECT_EQ(IndexToFace(p.index), p.face) << "index " << p.index;
    }
}

TEST(FaceNumbering, EveryIndexRoundTrips)
{
    for (std::int32_t i = -2000; i <= 1600; ++i)
        ASSERT_EQ(FaceToIndex(IndexToFace(i)), i) << "index " << i;
}

bool IsGap(std::int32_t face)
{
    return std::find(FaceGaps.begin(), FaceGaps.end(), face) != FaceGaps.end();
}

TEST(FaceNumbering, EveryFaceWithAPortraitRoundTrips)
{
    int portraits = 0;
    for (std::int32_t f = -2000; f <= 2100; ++f) {
        const bool hasIndexOfItsOwn = f < 0 || (f <= 1593 && !IsGap(f)) || f >= 2000;
        if (!hasIndexOfItsOwn)
            continue;
        if (f >= 0 && f <= 1593)
            ++portraits;
        ASSERT_EQ(IndexToFace(FaceToIndex(f)), f) << "face " << f;
    }
    EXPECT_EQ(portraits, kMainPortraitCount);
    EXPECT_EQ(IndexToFace(kLastMainIndex), 1593);
}

TEST(FaceNumbering, GapsConvertToTheNextPortrait)
{
    struct Run {
        std::int32_t first, last, index, nextFace;
    };
    const Run runs[] = {
        {130, 130, 130, 131}, {573, 578, 559, 579}, {584, 587, 562, 588},
        {659, 661, 618, 662}, {671, 677, 625, 678},
    };
    for (const Run& r : runs) {
        for (std::int32_t f = r.first; f <= r.last; ++f)
            EXPECT_EQ(FaceToIndex(f), r.index) << "face " << f;
        EXPECT_EQ(IndexToFace(r.index), r.nextFace);
    }
    for (std::int32_t gap : FaceGaps)
        EXPECT_EQ(FaceToIndex(gap), FaceToIndex(gap + 1)) << "gap " << gap;
}

TEST(FaceNumbering, FacesFrom1594To1999FallBackIntoTheMainArchive)
{
    EXPECT_EQ(FaceToIndex(1594), kFirstAddIndex);
    for (std::int32_t f = 1595; f <= 1999; ++f) {
        ASSERT_EQ(FaceToIndex(f), f - 459) << "face " << f;
        ASSERT_EQ(IndexToFace(FaceToIndex(f)), f - 406) << "face " << f;
    }
    // The one place where the index falls as the face rises.
    for (std::int32_t f = -100; f <= 2100; ++f) {
        if (f != 1594) {
            ASSERT_LE(FaceToIndex(f), FaceToIndex(f + 1)) << "face " << f;
        }
    }
    EXPECT_EQ(FaceToIndex(1595), 1136);
}

TEST(FaceNumbering, ExtremeValuesStaySigned32Bit)
{
    constexpr std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t highest = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(FaceToIndex(lowest), lowest);
    EXPECT_EQ(IndexToFace(lowest), lowest);
    EXPECT_EQ(FaceToIndex(highest), highest - 53 - 406);
    EXPECT_EQ(IndexToFace(highest - 53 - 406), highest);
    // Past the top the value wraps as 32-bit arithmetic does, without undefined behaviour.
    EXPECT_EQ(IndexToFace(highest), lowest + 53 + 406 - 1);
}

} // namespace
