#pragma once

#include "portraits/FaceArchive.h"
#include "portraits/PortraitLocation.h"

#include <QImage>
#include <cstdint>
#include <span>

// A 64 x 80 indexed picture from one record: pixel byte p shows palette entry p, and each entry
// stored as blue, green, red, x becomes the colour (red, green, blue).
QImage DecodePortraitRecord(std::span<const char, kRecordBytes> record);

// The portrait of a face number from the archive passed. Whatever the archive lacks (a short
// record, a position before or beyond the file, no archive at all) reads as zero bytes, so the
// picture is always complete.
QImage DecodePortrait(std::int32_t face, const FaceArchive& archive);
