#include "platform/qt/window_placement.h"

#include <gtest/gtest.h>

namespace tessaloom {
namespace {

// A second screen right of the first, below a panel; the window system's frame has a title bar.
TEST(WindowPlacement, AWindowLiesInsideTheAreaFrameIncludedShrunkOnlyWhereItDoesNotFit)
{
    const QRect area(1280, 24, 1024, 744);
    const QMargins frame(1, 22, 1, 4);
    EXPECT_EQ(placedInside({400, 300}, frame, area.center(), area), QRect(1592, 255, 400, 300));
    EXPECT_EQ(placedInside({820, 1000}, frame, area.center(), area), QRect(1382, 46, 820, 718));
    // A box centred over an owner in the bottom right corner.
    EXPECT_EQ(placedInside({200, 100}, frame, area.bottomRight(), area), QRect(2103, 664, 200, 100));
}

} // namespace
} // namespace tessaloom
