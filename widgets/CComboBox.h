#pragma once

#include <QComboBox>

// Combo box whose enabled state can be driven by signals carrying a bool.
class CComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit CComboBox(QWidget* parent = nullptr);

public slots:
    void setUserDisabled(bool bDisabled);
    void setUserEnabled(bool bEnabled);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
