#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a window of the given frame size goes: centred on the available area, but never with
// its top or left edge, and so its title bar, outside it when the screen is small.
QPoint PlaceOnScreen(QSize frame, QRect available);
