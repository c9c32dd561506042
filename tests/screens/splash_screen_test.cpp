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
    const std::function<void(SplashScreen&)> events[] = {
        [](SplashScreen& s) { s.Timer1_Timer(); }, [](SplashScreen& s) { s.Form_KeyPress(27); },
        [](SplashScreen& s) { s.Frame1_Click(); }, [](SplashScreen& s) { s.Form_Unload(); }};
    for (std::size_t first = 0; first < std::size(events); ++first) {
        SCOPED_TRACE(first);
        RecordingLauncher launcher;
        SplashScreen splash({application, calendar, launcher});
        splash.Form_Load();
        EXPECT_EQ(splash.controls().lblVersion, "Version 1.0");
        EXPECT_EQ(splash.controls().lblCopyright, "\xC2\xA9 2004-2026 Marrowquill Software");
        const auto everyEvent = [&] {
            for (const auto& event : events)
                event(splash);
        };
        bool splashUpWhileLoading = false;
        launcher.whileLoading = [&] {
            splashUpWhileLoading = !splash.controls().Unloaded;
            if (launcher.launches == 1) // so that a second hand-over fails the test, not the stack
                everyEvent();
        };
        events[first](splash);
        const int launchesByTheFirst = launcher.launches;
        everyEvent();
        EXPECT_EQ((std::pair{launchesByTheFirst, launcher.launches}), (std::pair{1, 1}));
        // Up while the game window loads, gone after, its timer stopped.
        EXPECT_TRUE(splashUpWhileLoading && splash.controls().Unloaded && splash.controls().Timer1Interval == 0);
    }
}

} // namespace
} // namespace tessaloom
