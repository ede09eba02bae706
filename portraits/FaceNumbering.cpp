#include "portraits/FaceNumbering.h"

#include <cstdint>

std::int32_t FaceToIndex(std::int32_t face)
{
    std::int32_t below = 0;
    for (std::int32_t gap : FaceGaps) {
        if (gap < face)
            ++below;
    }
    std::int32_t index = face - below; // below is 0 for faces under 131, so no overflow
    if (face > 1594)
        index -= 406;
    return index;
}

std::int32_t IndexToFace(std::int32_t index)
{
    // Counted in 64 bits and wrapped back like 32-bit arithmetic, so indices near the top of the
    // range cannot overflow.
    std::int64_t value = index;
    for (std::int32_t gap : FaceGaps) {
        // Compared with the value raised so far, so runs of adjacent gaps are all skipped.
        if (value >= gap)
            ++value;
    }
    if (value >= 1594)
        value += 406;
    return static_cast<std::int32_t>(value);
}
