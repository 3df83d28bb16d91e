#pragma once

#include <QBasicTimer>
#include <QLabel>
#include <QRect>

// The one tooltip window that exists at a time (see CToolTip). It stays up
// while the user clicks and types, and goes when the pointer leaves a widget,
// when a window is activated or deactivated, or when its display time ends.
class CToolLabel : public QLabel
{
    Q_OBJECT
public:
    CToolLabel(const QString& text, QWidget* parent = nullptr);
    ~CToolLabel() override;

    static CToolLabel* Instance() { return s_pInstance; }

    void ReuseTip(const QString& text);
    void HideTip();
    void HideTipNow();
    void RestartExpireTimer();
    void setTipRect(QWidget* w, const QRect& rect);
    bool TipChanged(const QPoint& pos, const QString& text, QObject* o) const;
    void PlaceTip(const QPoint& globalPos, QWidget* w);
    // Index into QGuiApplication::screens() of the screen for a tip at globalPos.
    static int TipScreen(const QPoint& globalPos, QWidget* w);

    // Inspection for tests and callers that need to know the tip's timing.
    int ExpireInterval() const { return m_nExpireMs; }
    bool IsHidePending() const { return m_hideTimer.isActive(); }

    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    void timerEvent(QTimerEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    static CToolLabel* s_pInstance;

    QBasicTimer m_hideTimer;
    QBasicTimer m_expireTimer;
    QWidget* m_pWidget = nullptr;
    QRect m_rcTip;
    int m_nExpireMs = 0;
};
