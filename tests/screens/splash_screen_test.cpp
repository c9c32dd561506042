#include "screens/game_window_launcher.h"
#include "screens/splash_screen.h"

#include "support/scripted_platform.h"

#include <gtest/gtest.h>

#include <functional>

namespace tessaloom {
namespace {

// Counts hand-overs; `whileLoading` runs inside one, where the game window's Form_Load would.
struct RecordingLauncher final : GameWindowLauncher {
    int launches = 0;
    std::function<void()> whileLoading;
    void loadAndShowGameWindow() override
    {
        ++launches;
        if (whileLoading)
            whileLoading();
    }
};

// Loading writes the version and the copyright years. The game window's load may show a
// message box, whose event loop delivers the splash's tick and the player's keys, clicks and
// close: none of them hands over a second time, nor do later ones.
TEST(SplashScreen, LoadsItsTextsAndTheTickAKeyAFrameClickOrACloseHandsOverExactlyOnce)
{
    testing::ScriptedApplicationInfo application;
    testing::ScriptedCalendar calendar;
    calendar.year = 2026;
    for (int first = 0; first < 4; ++first) {
        SCOPED_TRACE(first);
        RecordingLauncher launcher;
        SplashScreen splash({application, calendar, launcher});
        splash.Form_Load();
        EXPECT_EQ(splash.controls().lblVersion, "Version 1.0");
        EXPECT_EQ(splash.controls().lblCopyright, "\xC2\xA9 2004-2026 Marrowquill Software");
        const auto everyEvent = [&] {
            splash.Timer1_Timer();
            splash.Form_KeyPress(' ');
            splash.Frame1_Click();
            splash.Form_Unload();
        };
        bool splashUpWhileLoading = false;
        launcher.whileLoading = [&] {
            splashUpWhileLoading = !splash.controls().Unloaded;
            if (launcher.launches == 1) // so that a second hand-over fails the test, not the stack
                everyEvent();
        };
        if (first == 0)
            splash.Timer1_Timer();
        else if (first == 1)
            splash.Form_KeyPress(27);
        else if (first == 2)
            splash.Frame1_Click();
        else
            splash.Form_Unload();
        everyEvent();
        EXPECT_EQ(launcher.launches, 1);
        EXPECT_TRUE(splashUpWhileLoading);
        EXPECT_TRUE(splash.controls().Unloaded);
        EXPECT_EQ(splash.controls().Timer1Interval, 0);
    }
}

} // namespace
} // namespace tessaloom
