#include "widgets/CLabel.h"

#include <QHelpEvent>
#include <QToolTip>

CLabel::CLabel(QWidget* parent)
    : QLabel(parent)
{
}

bool CLabel::event(QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        emit SignalDoubleClicked();
    } else if (event->type() == QEvent::ToolTip && toolTip().isEmpty() && !text().isEmpty()) {
        const auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(), text(), this);
        event->ignore();
        return true;
    }
    return QLabel::event(event);
}
