#include "widgets/ClampPosToWorkArea.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

bool AnyWorkAreaSpansRow(const QList<ScreenArea>& screens, int y)
{
    for (const ScreenArea& s : screens) {
        if (s.workArea.top() <= y && y <= s.workArea.bottom())
            return true;
    }
    return false;
}

bool AnyWorkAreaSpansColumn(const QList<ScreenArea>& screens, int x)
{
    for (const ScreenArea& s : screens) {
        if (s.workArea.left() <= x && x <= s.workArea.right())
            return true;
    }
    return false;
}

} // namespace

QPoint ClampPosToWorkArea(const QPoint& p, const QList<ScreenArea>& screens)
{
    if (screens.isEmpty())
        return p;
    for (const ScreenArea& s : screens) {
        if (s.workArea.contains(p))
            return p;
    }

    // The screen at p; a point on no screen at all counts as on the first.
    ScreenArea screen = screens.first();
    for (const ScreenArea& s : screens) {
        if (s.geometry.contains(p)) {
            screen = s;
            break;
        }
    }
    const QRect& a = screen.workArea;
    const QRect& g = screen.geometry;

    if (a.contains(g.topLeft()) && a.contains(g.topRight())) {
        // Strip at the bottom.
        return AnyWorkAreaSpansRow(screens, g.bottom() + 1) ? p : QPoint(p.x(), a.bottom());
    }
    if (a.contains(g.topLeft()) && a.contains(g.bottomLeft())) {
        // Strip at the right.
        return AnyWorkAreaSpansColumn(screens, g.right() + 1) ? p : QPoint(a.right(), p.y());
    }
    if (a.contains(g.topRight()) && a.contains(g.bottomRight())) {
        // Strip at the left.
        return AnyWorkAreaSpansColumn(screens, g.left() - 1) ? p : QPoint(a.left(), p.y());
    }
    // Strip at the top.
    return AnyWorkAreaSpansRow(screens, g.top() - 1) ? p : QPoint(p.x(), a.top());
}

QList<ScreenArea> CurrentScreenAreas()
{
    QList<ScreenArea> areas;
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (const QScreen* screen : screens)
        areas.append({screen->geometry(), screen->availableGeometry()});
    return areas;
}

QPoint ClampPosToWorkArea(const QPoint& globalPos)
{
    return ClampPosToWorkArea(globalPos, CurrentScreenAreas());
}
