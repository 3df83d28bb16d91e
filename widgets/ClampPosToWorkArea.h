#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

// One screen as the clamp sees it: its full geometry and its work area (the
// screen without reserved strips such as a taskbar).
struct ScreenArea
{
    QRect geometry;
    QRect workArea;
};

// Keeps a dragged frameless window's grab point out of reserved screen strips:
// a point inside some screen's work area is returned as it is; a point in a
// strip is pulled onto the work area's edge, unless another screen continues
// beyond that strip. Works on the screens given.
QPoint ClampPosToWorkArea(const QPoint& globalPos, const QList<ScreenArea>& screens);

// The same over the screens of the running application.
QPoint ClampPosToWorkArea(const QPoint& globalPos);

QList<ScreenArea> CurrentScreenAreas();
