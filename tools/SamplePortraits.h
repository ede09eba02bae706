#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>

// Synthetic portraits for the sample game: a simple drawn face whose shape and colours follow
// from the face number, with that number written in white digits on a dark band at the bottom.

// The 6144-byte archive record of a face: 64 x 80 palette indices, then 256 entries of
// blue, green, red, 0.
QByteArray MakeSamplePortraitRecord(std::int32_t face);

// The face number a sample portrait shows, read back from its pixels; -1 for any other picture.
int SampleFaceShown(const QImage& picture);

// The whole main archive (head, then the 1541 records of faces 0..1593 without the gaps) and the
// whole additional archive (head, index table at byte 316, then the records of faces 2000..2049).
QByteArray MakeSampleMainArchive();
QByteArray MakeSampleAddArchive();
