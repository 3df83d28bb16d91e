#include "widgets/RoundRectRegion.h"

namespace {

QRegion Corner(const QRect& rect, int radius, Qt::Corner corner)
{
    QRect ellipse(0, 0, 2 * radius, 2 * radius);
    switch (corner) {
    case Qt::TopLeftCorner: ellipse.moveTopLeft(rect.topLeft()); break;
    case Qt::TopRightCorner: ellipse.moveTopRight(rect.topRight()); break;
    case Qt::BottomLeftCorner: ellipse.moveBottomLeft(rect.bottomLeft()); break;
    case Qt::BottomRightCorner: ellipse.moveBottomRight(rect.bottomRight()); break;
    }
    return QRegion(ellipse, QRegion::Ellipse);
}

} // namespace

QRegion RoundRectRegion(const QRect& rect, int radius)
{
    QRegion region(rect.adjusted(radius, 0, -radius, 0));
    region += rect.adjusted(0, radius, 0, -radius);
    region += Corner(rect, radius, Qt::TopLeftCorner);
    region += Corner(rect, radius, Qt::TopRightCorner);
    region += Corner(rect, radius, Qt::BottomLeftCorner);
    region += Corner(rect, radius, Qt::BottomRightCorner);
    return region;
}

QRegion RoundLeftRectRegion(const QRect& rect, int radius)
{
    QRegion region(rect.adjusted(radius, 0, 0, 0));
    region += rect.adjusted(0, radius, 0, -radius);
    region += Corner(rect, radius, Qt::TopLeftCorner);
    region += Corner(rect, radius, Qt::BottomLeftCorner);
    return region;
}

QRegion RoundRightRectRegion(const QRect& rect, int radius)
{
    QRegion region(rect.adjusted(0, 0, -radius, 0));
    region += rect.adjusted(0, radius, 0, -radius);
    region += Corner(rect, radius, Qt::TopRightCorner);
    region += Corner(rect, radius, Qt::BottomRightCorner);
    return region;
}

QRegion RoundTopRectRegion(const QRect& rect, int radius)
{
    QRegion region(rect.adjusted(0, radius, 0, 0));
    region += rect.adjusted(radius, 0, -radius, 0);
    region += Corner(rect, radius, Qt::TopLeftCorner);
    region += Corner(rect, radius, Qt::TopRightCorner);
    return region;
}
