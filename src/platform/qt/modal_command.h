#pragma once

#include <QAction>
#include <QApplication>
#include <QWidget>

namespace tessaloom {

// Runs a menu entry of `window` that opens a modal window from the event loop rather than
// inside its trigger, so an assistive technology's "press" returns before the modal window's
// own loop starts. One modal window at a time: an entry that comes due while another modal
// window is open over `window` is dropped, as its shortcut would be.
template <typename Command>
void connectModalCommand(QAction* action, QWidget* window, Command command)
{
    QObject::connect(
        action, &QAction::triggered, window,
        [window, command] {
            const QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == window)
                command();
        },
        Qt::QueuedConnection);
}

} // namespace tessaloom
