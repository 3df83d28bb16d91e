#include "CKelmoStyle.h"

#include <QPainter>
#include <QPixmap>
#include <QStyleFactory>
#include <QStyleOption>

CKelmoStyle::CKelmoStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows")))
{
}

CKelmoStyle::~CKelmoStyle() = default;

QString CKelmoStyle::SelectedItemImage()
{
    return QStringLiteral(":images/ControlPanel/ListView-hover.png");
}

void CKelmoStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                QPainter *painter, const QWidget *widget) const
{
    switch (element) {
    case PE_FrameFocusRect:
    case PE_FrameTabBarBase:
    case PE_IndicatorTabTear:
    case PE_PanelItemViewRow:
        return;
    case PE_PanelItemViewItem:
        if (const auto *item = qstyleoption_cast<const QStyleOptionViewItem *>(option)) {
            // Selected items get the skin's image over the whole cell; others
            // get no background from the style at all.
            if (item->state & State_Selected) {
                const QPixmap image(SelectedItemImage());
                if (!image.isNull())
                    painter->drawPixmap(item->rect, image);
            }
            return;
        }
        break;
    default:
        break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void CKelmoStyle::drawControl(ControlElement element, const QStyleOption *option,
                              QPainter *painter, const QWidget *widget) const
{
    if (element == CE_ShapedFrame) {
        if (const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option)) {
            if (frame->frameShape == QFrame::StyledPanel) {
                QStyleOptionFrame plain(*frame);
                plain.frameShape = QFrame::NoFrame;
                plain.lineWidth = 0;
                QProxyStyle::drawControl(element, &plain, painter, widget);
                return;
            }
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

QRect CKelmoStyle::subElementRect(SubElement element, const QStyleOption *option,
                                  const QWidget *widget) const
{
    QRect rect = QProxyStyle::subElementRect(element, option, widget);
    switch (element) {
    case SE_TabBarTabRightButton:
        rect.setLeft(rect.left() + pixelMetric(PM_TabBarTabVSpace, option, widget) + 1);
        rect.setTop(2);
        break;
    case SE_TabBarTabLeftButton:
        rect.setHeight(0);
        break;
    case SE_ItemViewItemCheckIndicator:
        rect.setSize(QSize(16, 16));
        break;
    case SE_ProgressBarGroove:
        rect.setTop(10);
        break;
    default:
        break;
    }
    return rect;
}

void CKelmoStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                     QPainter *painter, const QWidget *widget) const
{
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

QRect CKelmoStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                                  SubControl subControl, const QWidget *widget) const
{
    return QProxyStyle::subControlRect(control, option, subControl, widget);
}

int CKelmoStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                             const QWidget *widget) const
{
    // Buttons with a menu show no indicator beside their text.
    if (metric == PM_MenuButtonIndicator)
        return 0;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

QSize CKelmoStyle::sizeFromContents(ContentsType type, const QStyleOption *option,
                                    const QSize &size, const QWidget *widget) const
{
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}
