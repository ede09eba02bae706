#pragma once

#include <QStringView>
#include <cstdint>
#include <optional>

// The picker's gallery as numbers: which portrait index each of the 21 cells of a page shows,
// how far the pages go, and where "Go" leads. Nothing here knows about widgets.

inline constexpr int kPickerCells = 21; // 7 columns by 3 rows, left to right, then top to bottom

// The gallery runs over portrait indices 0..FaceCount - 1; the last of them is the extra cell,
// which shows the egg picture in place of a portrait.
struct PickerGallery {
    std::int32_t FaceCount = 0;
    std::int32_t LastPageStart = 0; // the first index of the last page
};

// Without the additional archive the gallery ends after face 1593.
PickerGallery PickerGalleryFor(bool additionalArchiveOpen);

// The first indices of the two fixed pages: faces from 767 ("新武将") and from 1586 ("追加武将").
std::int32_t NewOfficersPageStart();
std::int32_t AddedOfficersPageStart();

enum class CellShows { Portrait, Egg, Nothing };

struct PickerCell {
    CellShows shows = CellShows::Nothing;
    std::int32_t index = -1;  // the portrait index the cell stands for
    std::int32_t face = -1;   // for a portrait: its face number
    bool fromAddArchive = false; // for a portrait: read from the additional archive
};

// What the cell standing for a portrait index shows.
PickerCell CellAt(std::int32_t index, std::int32_t faceCount);

// Cell k (1..21) of the page that starts at firstIndex.
PickerCell CellOnPage(std::int32_t firstIndex, int k, std::int32_t faceCount);

// The number C's atol reads from a text: leading white space, an optional sign, then decimal
// digits up to the first other character; 0 when no digit follows. Values beyond 32 bits stick
// at the nearest end of the range instead of wrapping.
std::int32_t AtolValue(QStringView text);

// The first index of the page holding the face typed for "Go", or nothing when the face lies
// outside the gallery's portraits (negative, past the last portrait, or the extra cell itself).
std::optional<std::int32_t> GoPageStart(QStringView text, std::int32_t faceCount);
