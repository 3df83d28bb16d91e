#include "widgets/ToolTipRules.h"

int ToolTipExpireMs(int textLength)
{
    return 8000 + 40 * (textLength > 100 ? textLength - 100 : 0);
}

QPoint PlaceToolTip(const QPoint& globalPos, const QSize& tipSize, const QRect& screen)
{
    const int w = tipSize.width();
    const int h = tipSize.height();
    const int screenRight = screen.x() + screen.width();
    const int screenBottom = screen.y() + screen.height();
    QPoint p = globalPos + QPoint(2, 21);
    if (p.x() + w > screenRight)
        p.rx() -= w + 4;
    if (p.y() + h > screenBottom)
        p.ry() -= h + 24;
    if (p.y() < screen.y())
        p.setY(screen.y());
    if (p.x() + w > screenRight)
        p.setX(screenRight - w);
    if (p.x() < screen.x())
        p.setX(screen.x());
    if (p.y() + h > screenBottom)
        p.setY(screenBottom - h);
    return p;
}
