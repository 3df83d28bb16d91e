#include "widgets/CPasswordLineEdit.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

CPasswordLineEdit::CPasswordLineEdit(QWidget* parent)
    : QLineEdit(parent)
{
    setEchoMode(QLineEdit::Password);
    setAcceptDrops(false);   // a drop is a paste by mouse
}

void CPasswordLineEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Copy)
        || event->matches(QKeySequence::Cut)) {
        return;
    }
    QLineEdit::keyPressEvent(event);
}

namespace {

// The standard menu entries carry their shortcut after a tab ("Cu&t\tCtrl+X"),
// which identifies them whatever language their text is in.
bool HasStandardShortcut(const QAction* action, QKeySequence::StandardKey key)
{
    const QString text = action->text();
    const int tab = text.lastIndexOf(QLatin1Char('\t'));
    if (tab < 0)
        return false;
    return text.mid(tab + 1) == QKeySequence(key).toString(QKeySequence::NativeText);
}

bool IsClipboardEntry(const QAction* action)
{
    const QString name = action->objectName();
    return name == QLatin1String("edit-cut") || name == QLatin1String("edit-copy")
        || name == QLatin1String("edit-paste") || HasStandardShortcut(action, QKeySequence::Cut)
        || HasStandardShortcut(action, QKeySequence::Copy)
        || HasStandardShortcut(action, QKeySequence::Paste);
}

} // namespace

QMenu* CPasswordLineEdit::CreateRestrictedMenu()
{
    QMenu* menu = createStandardContextMenu();
    const QList<QAction*> actions = menu->actions();
    // Undo, Redo, separator, Cut, Copy, Paste, Delete, separator, Select All:
    // drop the clipboard entries and the separator that leads them.
    QAction* previous = nullptr;
    bool removedAny = false;
    for (QAction* action : actions) {
        if (IsClipboardEntry(action)) {
            if (!removedAny && previous && previous->isSeparator())
                menu->removeAction(previous);
            menu->removeAction(action);
            removedAny = true;
        }
        previous = action;
    }
    return menu;
}

void CPasswordLineEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton)
        return;
    QLineEdit::mouseReleaseEvent(event);
}

void CPasswordLineEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = CreateRestrictedMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}
