#include "platform/qt/window_placement.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace tessaloom {

namespace {

// The window system's frame around the window: its own where the window system tells it before
// the window is shown, else that of the window it opens from, which the window system frames alike.
QMargins frameOf(QWidget& window, const QWidget* reference)
{
    if (window.windowFlags().testFlag(Qt::FramelessWindowHint))
        return {};
    window.winId();
    for (const QWidget* framed : {static_cast<const QWidget*>(&window), reference}) {
        if (framed && framed->windowHandle() && !framed->windowHandle()->frameMargins().isNull())
            return framed->windowHandle()->frameMargins();
    }
    return {};
}

int movedInside(int start, int length, int areaStart, int areaLength)
{
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

} // namespace

QRect placedInside(QSize size, const QMargins& frame, QPoint centre, const QRect& area)
{
    QRect framed(QPoint(), size.boundedTo(area.size().shrunkBy(frame)).grownBy(frame));
    framed.moveCenter(centre);
    framed.moveTo(movedInside(framed.left(), framed.width(), area.left(), area.width()),
                  movedInside(framed.top(), framed.height(), area.top(), area.height()));
    return framed.marginsRemoved(frame);
}

void placeWindow(QWidget& window, const QWidget* owner, WindowCentre centre)
{
    const QWidget* reference = owner ? owner->window() : QApplication::activeWindow();
    if (reference == &window)
        reference = nullptr;
    QScreen* screen = reference ? reference->screen() : QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen->availableGeometry();
    const QPoint middle =
        centre == WindowCentre::Owner && reference ? reference->frameGeometry().center() : area.center();
    window.setScreen(screen);
    window.setGeometry(placedInside(window.size(), frameOf(window, reference), middle, area));
}

} // namespace tessaloom
