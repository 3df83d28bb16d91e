#pragma once

#include <QLineEdit>

class QMenu;

// Password field: nothing can be copied out of it or pasted (or dropped) into it.
class CPasswordLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit CPasswordLineEdit(QWidget* parent = nullptr);

    // The standard edit menu without Cut, Copy, Paste and the separator that
    // led them in. The caller owns the menu.
    QMenu* CreateRestrictedMenu();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // A middle click pastes the selection on X11: refused like any paste.
    void mouseReleaseEvent(QMouseEvent* event) override;
};
