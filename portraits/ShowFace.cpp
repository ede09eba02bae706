#include "portraits/ShowFace.h"

#include "portraits/PortraitDecoder.h"

#include <QLabel>
#include <QPixmap>

void ShowFace(std::int32_t face, QLabel* image, const FaceArchive& archive)
{
    if (image == nullptr)
        return;
    image->setPixmap(QPixmap::fromImage(DecodePortrait(face, archive)));
}
