#pragma once

#include <QBasicTimer>

#include "widgets/CPushButton.h"

// Button that reports a release only after a quiet period: SignalDelayRelease()
// fires once, 2 s after the last release, and not while the button is checked.
class CDelayButton : public CPushButton
{
    Q_OBJECT
public:
    static constexpr int kDelayMs = 2000;

    explicit CDelayButton(QWidget* parent = nullptr);
    explicit CDelayButton(const QString& text, QWidget* parent = nullptr);
    CDelayButton(const QIcon& icon, const QString& text, QWidget* parent = nullptr);

    bool IsDelayPending() const { return m_delayTimer.isActive(); }

signals:
    void SignalDelayRelease();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    QBasicTimer m_delayTimer;
};
