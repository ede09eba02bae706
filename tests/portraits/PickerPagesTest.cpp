#include "portraits/PickerPages.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr std::int32_t kWith = 1592;    // cells with the additional archive
constexpr std::int32_t kWithout = 1542; // cells without it

TEST(PickerPages, GalleryFollowsTheAdditionalArchive)
{
    const PickerGallery with = PickerGalleryFor(true);
    const PickerGallery without = PickerGalleryFor(false);
    EXPECT_EQ(with.FaceCount, kWith);
    EXPECT_EQ(with.LastPageStart, 1575);
    EXPECT_EQ(without.FaceCount, kWithout);
    EXPECT_EQ(without.LastPageStart, 1533);
    EXPECT_EQ(NewOfficersPageStart(), 714);
    EXPECT_EQ(AddedOfficersPageStart(), 1533);
    // The extra cell lies on the last page, which is the page past every other.
    EXPECT_EQ(with.LastPageStart % kPickerCells, 0);
    EXPECT_EQ(without.LastPageStart % kPickerCells, 0);
    EXPECT_GT(with.LastPageStart + kPickerCells, with.FaceCount - 1);
    EXPECT_GT(without.LastPageStart + kPickerCells, without.FaceCount - 1);
}

TEST(PickerPages, WhatEachCellShows)
{
    struct Row {
        const char* name;
        std::int32_t firstIndex;
        int k;
        std::int32_t faceCount;
        CellShows shows;
        std::int32_t face;
        bool fromAdd;
    };
    const Row rows[] = {
        {"first cell", 0, 1, kWith, CellShows::Portrait, 0, false},
        {"gap 130 skipped", 126, 5, kWith, CellShows::Portrait, 131, false},
        {"last main portrait", 1533, 8, kWith, CellShows::Portrait, 1593, false},
        {"first additional portrait", 1533, 9, kWith, CellShows::Portrait, 2000, true},
        {"last additional portrait", 1575, 16, kWith, CellShows::Portrait, 2049, true},
        {"extra cell with the additional archive", 1575, 17, kWith, CellShows::Egg, -1, false},
        {"past the extra cell", 1575, 18, kWith, CellShows::Nothing, -1, false},
        {"extra cell without it", 1533, 9, kWithout, CellShows::Egg, -1, false},
        {"no additional face without it", 1533, 10, kWithout, CellShows::Nothing, -1, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const PickerCell cell = CellOnPage(row.firstIndex, row.k, row.faceCount);
        EXPECT_EQ(cell.index, row.firstIndex + row.k - 1);
        EXPECT_EQ(cell.shows, row.shows);
        if (row.shows == CellShows::Portrait) {
            EXPECT_EQ(cell.face, row.face);
            EXPECT_EQ(cell.fromAddArchive, row.fromAdd);
        }
    }
    EXPECT_EQ(CellAt(-1, kWith).shows, CellShows::Nothing);
}

TEST(PickerPages, ReadsNumbersAsAtolDoes)
{
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    struct Row {
        const char* name;
        const char16_t* text;
        std::int32_t value;
    };
    const Row rows[] = {
        {"empty", u"", 0},
        {"plain", u"130", 130},
        {"leading white space", u" \t\n\v\f\r42", 42},
        {"plus sign", u"+7", 7},
        {"minus sign", u"-1", -1},
        {"stops at the first other character", u"12abc34", 12},
        {"stops at a blank", u"12 34", 12},
        {"letters only", u"abc", 0},
        {"sign without digits", u"-", 0},
        {"blank after the sign", u"- 5", 0},
        {"two signs", u"--5", 0},
        {"full-width digits are no digits", u"１３０", 0},
        {"leading zeros", u"000130", 130},
        {"largest", u"2147483647", kMax},
        {"smallest", u"-2147483648", kMin},
        {"too large sticks at the top", u"99999999999999999999", kMax},
        {"too small sticks at the bottom", u"-99999999999999999999", kMin},
    };
    for (const Row& row : rows)
        EXPECT_EQ(AtolValue(QStringView(row.text)), row.value) << row.name;
}

TEST(PickerPages, GoFindsThePageOfAFaceOrRefuses)
{
    struct Row {
        const char* name;
        const char16_t* text;
        std::int32_t faceCount;
        std::optional<std::int32_t> start;
    };
    const Row rows[] = {
        {"a gap leads to the next portrait's page", u"130", kWith, 126},
        {"last additional face", u"2049", kWith, 1575},
        {"1595 falls back to face 1189's page", u"1595", kWith, 1134},
        {"1594 is face 2000's index", u"1594", kWith, 1533},
        {"empty reads as face 0", u"", kWith, 0},
        {"letters read as face 0", u"abc", kWith, 0},
        {"last main face without the additional archive", u"1593", kWithout, 1533},
        {"negative", u"-1", kWith, std::nullopt},
        {"the extra cell itself", u"2050", kWith, std::nullopt},
        {"additional face without its archive", u"2000", kWithout, std::nullopt},
        {"1594 without the additional archive", u"1594", kWithout, std::nullopt},
        {"far too large", u"99999999999", kWith, std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(GoPageStart(QStringView(row.text), row.faceCount), row.start) << row.name;
}

} // namespace
