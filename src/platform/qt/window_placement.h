#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QShowEvent>
#include <QSize>

class QWidget;

namespace tessaloom {

// Where a window is centred: on its screen, or over its owner as the toolkit places a dialog.
enum class WindowCentre { Screen, Owner };

// The geometry, frame excluded, that puts a window of this size and frame wholly inside the
// area: the size kept where it fits and shrunk to fit where not, centred on `centre`, then moved
// inside.
QRect placedInside(QSize size, const QMargins& frame, QPoint centre, const QRect& area);

// Places a window inside the available area of the screen its owner is on. A window without
// an owner goes on the screen of the window that is active as it opens, else the one under the
// mouse pointer, else the primary one.
void placeWindow(QWidget& window, const QWidget* owner, WindowCentre centre = WindowCentre::Screen);

// A dialog that sizes itself, and is placed over its owner by the toolkit, only as it is shown
// (a message box, the file chooser); then kept inside its owner's screen like every window.
template <typename Dialog>
class PlacedDialog final : public Dialog {
public:
    using Dialog::Dialog;

protected:
    void showEvent(QShowEvent* event) override
    {
        Dialog::showEvent(event);
        if (!event->spontaneous())
            placeWindow(*this, this->parentWidget(), WindowCentre::Owner);
    }
};

} // namespace tessaloom
