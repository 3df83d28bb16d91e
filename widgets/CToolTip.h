#pragma once

#include <QFont>
#include <QPalette>
#include <QPoint>
#include <QRect>
#include <QString>

class QWidget;

// Field hints: a short text in a tooltip window below a field. The callers pass
// the field's top-left corner in global coordinates, the text and no widget.
class CToolTip
{
public:
    CToolTip() = delete;

    static void ShowText(const QPoint& globalPos, const QString& text, QWidget* w, const QRect& rect);
    static void ShowText(const QPoint& globalPos, const QString& text, QWidget* w = nullptr);
    static void HideText();
    static bool IsVisible();
    static QString Text();

    static QPalette Palette();
    static void SetPalette(const QPalette& palette);
    // The application font registered for the class name "CToolLabel".
    static QFont Font();
    static void SetFont(const QFont& font);
};
