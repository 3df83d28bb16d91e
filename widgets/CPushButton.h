#pragma once

#include <QPushButton>

// Push button of the toolkit; a distinct class so that style sheets and forms
// can address the toolkit's buttons.
class CPushButton : public QPushButton
{
    Q_OBJECT
public:
    explicit CPushButton(QWidget* parent = nullptr);
    explicit CPushButton(const QString& text, QWidget* parent = nullptr);
    CPushButton(const QIcon& icon, const QString& text, QWidget* parent = nullptr);
};
