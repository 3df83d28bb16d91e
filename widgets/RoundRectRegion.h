#pragma once

#include <QRect>
#include <QRegion>

// Window masks with rounded corners of the given radius for frameless windows.

// All four corners rounded.
QRegion RoundRectRegion(const QRect& rect, int radius);
// Only the top-left and bottom-left corners rounded.
QRegion RoundLeftRectRegion(const QRect& rect, int radius);
// Only the top-right and bottom-right corners rounded.
QRegion RoundRightRectRegion(const QRect& rect, int radius);
// Only the top-left and top-right corners rounded (pop-ups hanging below a field).
QRegion RoundTopRectRegion(const QRect& rect, int radius);
