#pragma once

#include "portraits/FaceArchive.h"

#include <QtGlobal>
#include <cstdint>

// Where a portrait record lies in its archive. Both archives hold the same 6144-byte records:
// 80 rows of 64 palette indices, top row first, then 256 palette entries of blue, green, red, x.

inline constexpr int kPortraitWidth = 64;
inline constexpr int kPortraitHeight = 80;
inline constexpr int kPixelBytes = kPortraitWidth * kPortraitHeight; // 5120
inline constexpr int kPaletteEntries = 256;
inline constexpr int kPaletteBytes = 4 * kPaletteEntries;            // 1024
inline constexpr int kRecordBytes = kPixelBytes + kPaletteBytes;     // 6144

// Main archive: the records follow its head one after another.
inline constexpr qint64 kMainRecordsStart = 37260;
// Additional archive: a table of 120-byte entries, whose first 4 bytes give a record's position.
inline constexpr qint64 kAddIndexStart = 316;
inline constexpr qint64 kAddIndexEntryBytes = 120;

// The record position that the index-table entry of an additional portrait index holds, read as
// little-endian signed 32 bits; -1 when the archive does not hold the whole entry.
std::int32_t ReadFaceOffset(std::int32_t index, const FaceArchive& archive);

// The record position of a face's portrait: computed for main-archive indices, otherwise taken
// from the index table of the archive passed.
qint64 RecordPosition(std::int32_t face, const FaceArchive& archive);
