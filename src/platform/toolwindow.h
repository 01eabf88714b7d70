#pragma once

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace platform {

// A small tool window over the main one closes on Escape. The key is claimed
// before the shortcuts are tried: while a tool window is active the main
// window's shortcuts still apply, and the main window's own Escape would take
// it. True when `event` was Escape's, and so taken.
inline bool closeOnEscape(QWidget &window, QEvent *event)
{
    if ((event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        || static_cast<QKeyEvent *>(event)->key() != Qt::Key_Escape)
        return false;
    event->accept();
    if (event->type() == QEvent::KeyPress)
        window.close();
    return true;
}

} // namespace platform
