#include "WindowPlacement.h"

#include <algorithm>

QPoint PlaceOnScreen(QSize frame, QRect available)
{
    const QPoint centred = available.center() - QPoint(frame.width() / 2, frame.height() / 2);
    return {std::max(centred.x(), available.left()), std::max(centred.y(), available.top())};
}
