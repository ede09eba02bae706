#include "portraits/PickerPages.h"

#include "portraits/FaceNumbering.h"

#include <limits>

PickerGallery PickerGalleryFor(bool additionalArchiveOpen)
{
    if (additionalArchiveOpen)
        return {kMainPortraitCount + kAddPortraitCount + 1, FaceToIndex(2034)};
    return {kMainPortraitCount + 1, FaceToIndex(1586)};
}

std::int32_t NewOfficersPageStart()
{
    return FaceToIndex(767);
}

std::int32_t AddedOfficersPageStart()
{
    return FaceToIndex(1586);
}

PickerCell CellAt(std::int32_t index, std::int32_t faceCount)
{
    PickerCell cell;
    cell.index = index;
    if (index < 0 || index >= faceCount)
        return cell;
    if (cell.index == faceCount - 1) {
        cell.shows = CellShows::Egg;
        return cell;
    }
    cell.shows = CellShows::Portrait;
    cell.face = IndexToFace(cell.index);
    cell.fromAddArchive = cell.face >= kFirstAddFace;
    return cell;
}

PickerCell CellOnPage(std::int32_t firstIndex, int k, std::int32_t faceCount)
{
    return CellAt(firstIndex + (k - 1), faceCount);
}

std::int32_t AtolValue(QStringView text)
{
    qsizetype i = 0;
    const auto isSpace = [](QChar c) {
        return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
    };
    while (i < text.size() && isSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    // Counted past the 32-bit range only as far as needed to know it was left.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > kLimit)
            value = kLimit;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> GoPageStart(QStringView text, std::int32_t faceCount)
{
    const std::int32_t index = FaceToIndex(AtolValue(text));
    if (index < 0 || index >= faceCount - 1)
        return std::nullopt;
    return index / kPickerCells * kPickerCells;
}
