#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Timing and placement of the field-hint tooltip, free of any window.

// Display time: 8 s, plus 40 ms for every character beyond the 100th.
int ToolTipExpireMs(int textLength);

// Top-left corner for a tip of tipSize requested at globalPos on a screen
// whose full geometry is screen: below and right of the point, flipped to the
// left near the right edge and above near the bottom edge, kept on the screen.
QPoint PlaceToolTip(const QPoint& globalPos, const QSize& tipSize, const QRect& screen);
