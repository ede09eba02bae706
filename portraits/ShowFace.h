#pragma once

#include "portraits/FaceArchive.h"

#include <cstdint>

class QLabel;

// Puts the portrait of a face number into an image label; the label's visibility is the
// caller's business.
void ShowFace(std::int32_t face, QLabel* image, const FaceArchive& archive);
