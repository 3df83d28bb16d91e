#pragma once

#include <QLabel>

// Label that reports double clicks and shows its own text as tooltip when it
// has none of its own (useful for elided captions).
class CLabel : public QLabel
{
    Q_OBJECT
public:
    explicit CLabel(QWidget* parent = nullptr);

signals:
    void SignalDoubleClicked();

protected:
    bool event(QEvent* event) override;
};
