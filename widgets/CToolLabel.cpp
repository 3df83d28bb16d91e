#include "widgets/CToolLabel.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <QStylePainter>
#include <QTextDocument>
#include <QTimerEvent>

#include "widgets/CToolTip.h"
#include "widgets/ToolTipRules.h"

CToolLabel* CToolLabel::s_pInstance = nullptr;

CToolLabel::CToolLabel(const QString& text, QWidget* parent)
    : QLabel(parent, Qt::ToolTip)
{
    delete s_pInstance;
    s_pInstance = this;

    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setPalette(CToolTip::Palette());
    ensurePolished();
    setMargin(1 + style()->pixelMetric(QStyle::PM_ToolTipLabelFrameWidth, nullptr, this));
    setFrameStyle(QFrame::NoFrame);
    setAlignment(Qt::AlignLeft);
    setIndent(1);
    qApp->installEventFilter(this);
    setWindowOpacity(style()->styleHint(QStyle::SH_ToolTipLabel_Opacity, nullptr, this) / 255.0);
    setMouseTracking(true);
    ReuseTip(text);
}

CToolLabel::~CToolLabel()
{
    if (s_pInstance == this)
        s_pInstance = nullptr;
}

void CToolLabel::ReuseTip(const QString& text)
{
    setWordWrap(Qt::mightBeRichText(text));
    setText(text);
    const QFontMetrics fm(font());
    QSize extra(1, 0);
    // Fonts with a small descent get one more pixel so the text is not clipped.
    if (fm.descent() == 2 && fm.ascent() >= 11)
        extra.setHeight(1);
    resize(sizeHint() + extra);
    RestartExpireTimer();
}

void CToolLabel::RestartExpireTimer()
{
    m_nExpireMs = ToolTipExpireMs(int(text().size()));
    m_expireTimer.start(m_nExpireMs, this);
    m_hideTimer.stop();
}

void CToolLabel::HideTip()
{
    if (!m_hideTimer.isActive())
        m_hideTimer.start(300, this);
}

void CToolLabel::HideTipNow()
{
    close();
    deleteLater();
}

void CToolLabel::setTipRect(QWidget* w, const QRect& rect)
{
    if (!m_rcTip.isNull() && !w) {
        qWarning("CToolTip::setTipRect: Cannot pass null widget if rect is set");
        return;
    }
    m_pWidget = w;
    m_rcTip = rect;
}

bool CToolLabel::TipChanged(const QPoint& pos, const QString& text, QObject* o) const
{
    if (text != this->text() || o != m_pWidget)
        return true;
    if (!m_rcTip.isNull())
        return !m_rcTip.contains(pos);
    return false;
}

int CToolLabel::TipScreen(const QPoint& globalPos, QWidget* w)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    QScreen* screen = QGuiApplication::screenAt(globalPos);
    if (!screen && w)
        screen = w->screen();
    const int index = screen ? int(screens.indexOf(screen)) : -1;
    return index >= 0 ? index : 0;
}

void CToolLabel::PlaceTip(const QPoint& globalPos, QWidget* w)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    const int index = TipScreen(globalPos, w);
    const QRect screen = index < screens.size() ? screens.at(index)->geometry() : QRect();
    move(screen.isNull() ? globalPos + QPoint(2, 21) : PlaceToolTip(globalPos, size(), screen));
}

bool CToolLabel::eventFilter(QObject* watched, QEvent* event)
{
    Q_UNUSED(watched);
    switch (event->type()) {
    case QEvent::Leave:
        HideTip();
        break;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        HideTipNow();
        break;
    default:
        break;
    }
    return false;
}

void CToolLabel::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_hideTimer.timerId() || event->timerId() == m_expireTimer.timerId()) {
        m_hideTimer.stop();
        m_expireTimer.stop();
        HideTipNow();
    }
}

void CToolLabel::mouseMoveEvent(QMouseEvent* event)
{
    if (m_rcTip.isNull())
        return;
    QPoint pos = event->globalPosition().toPoint();
    if (m_pWidget)
        pos = m_pWidget->mapFromGlobal(pos);
    if (!m_rcTip.contains(pos))
        HideTip();
    QLabel::mouseMoveEvent(event);
}

void CToolLabel::paintEvent(QPaintEvent* event)
{
    {
        QStylePainter painter(this);
        painter.setPen(Qt::red);
        QStyleOptionFrame option;
        option.initFrom(this);
        painter.drawPrimitive(QStyle::PE_PanelTipLabel, option);
    }
    QLabel::paintEvent(event);
}

void CToolLabel::resizeEvent(QResizeEvent* event)
{
    QStyleHintReturnMask frameMask;
    QStyleOption option;
    option.initFrom(this);
    if (style()->styleHint(QStyle::SH_ToolTip_Mask, &option, this, &frameMask))
        setMask(frameMask.region);
    QLabel::resizeEvent(event);
}
