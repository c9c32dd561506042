#include "screens/splash_screen.h"

#include "scripted_screens.h"

#include <gtest/gtest.h>

namespace tessaloom {
namespace {

using testing::RecordingLauncher;
using testing::ScriptedApplicationInfo;
using testing::ScriptedCalendar;

class SplashScreenTest : public ::testing::Test {
protected:
    ScriptedApplicationInfo application;
    ScriptedCalendar calendar;
    RecordingLauncher launcher;
    SplashScreen splash{{application, calendar, launcher}};

    const SplashControls& model() const { return splash.controls(); }
    void expectHandedOverOnce() const
    {
        EXPECT_EQ(launcher.launches, 1);
        EXPECT_TRUE(model().Unloaded);
        EXPECT_EQ(model().Timer1Interval, 0);
    }
};

TEST_F(SplashScreenTest, VersionIsWrittenFromTheProgramsNumbersInPlainDecimal)
{
    EXPECT_EQ(model().lblVersion, "Version 1.0");
    struct Case {
        int major;
        int minor;
        const char* text;
    };
    for (const Case& c : {Case{1, 0, "Version 1.0"}, Case{1, 12, "Version 1.12"}, Case{2, 5, "Version 2.5"},
                          Case{10, 100, "Version 10.100"}}) {
        application.major = c.major;
        application.minor = c.minor;
        SplashScreen fresh({application, calendar, launcher});
        fresh.Form_Load();
        EXPECT_EQ(fresh.controls().lblVersion, c.text);
    }
}

TEST_F(SplashScreenTest, CopyrightCoversTheYearsFromTheFirstToTheCurrentOne)
{
    EXPECT_EQ(model().lblCopyright, "\xC2\xA9 2004 Marrowquill Software");
    struct Case {
        int year;
        const char* text;
    };
    for (const Case& c : {Case{2004, "\xC2\xA9 2004 Marrowquill Software"},
                          Case{2005, "\xC2\xA9 2004-2005 Marrowquill Software"},
                          Case{2026, "\xC2\xA9 2004-2026 Marrowquill Software"},
                          // A clock set too early must not give a range that runs backwards.
                          Case{1999, "\xC2\xA9 2004 Marrowquill Software"}}) {
        calendar.year = c.year;
        SplashScreen fresh({application, calendar, launcher});
        fresh.Form_Load();
        EXPECT_EQ(fresh.controls().lblCopyright, c.text) << c.year;
    }
}

TEST_F(SplashScreenTest, TheFirstTickShowsTheGameWindowWhileTheSplashIsStillUp)
{
    splash.Form_Load();
    EXPECT_TRUE(model().Timer1Enabled);
    EXPECT_EQ(model().Timer1Interval, 2000);
    EXPECT_EQ(launcher.launches, 0);

    bool splashUpWhileLoading = false;
    launcher.whileLoading = [&] { splashUpWhileLoading = !model().Unloaded; };
    splash.Timer1_Timer();
    expectHandedOverOnce();
    EXPECT_TRUE(splashUpWhileLoading);
}

TEST_F(SplashScreenTest, AKeyOrAClickHandsOverAtOnceInsteadOfEndingTheProgram)
{
    for (int key : {int('a'), int('7'), int(' '), 13, 27, 8}) {
        RecordingLauncher keyLauncher;
        SplashScreen fresh({application, calendar, keyLauncher});
        fresh.Form_Load();
        fresh.Form_KeyPress(key);
        EXPECT_EQ(keyLauncher.launches, 1) << key;
        EXPECT_TRUE(fresh.controls().Unloaded);
        EXPECT_EQ(fresh.controls().Timer1Interval, 0);
    }
    splash.Form_Load();
    splash.Frame1_Click();
    expectHandedOverOnce();
}

TEST_F(SplashScreenTest, HandsOverOnlyOnceWhateverArrivesAfterwards)
{
    splash.Form_Load();
    splash.Form_KeyPress('x');
    splash.Timer1_Timer();
    splash.Frame1_Click();
    splash.Form_KeyPress(13);
    expectHandedOverOnce();
}

TEST_F(SplashScreenTest, EventsDuringTheGameWindowsLoadDoNotHandOverAgain)
{
    splash.Form_Load();
    // The game window's load may show a message box, whose event loop delivers the splash's
    // tick and the player's keys.
    launcher.whileLoading = [&] {
        splash.Timer1_Timer();
        splash.Form_KeyPress(' ');
        splash.Frame1_Click();
    };
    splash.Form_KeyPress('q');
    expectHandedOverOnce();
}

} // namespace
} // namespace tessaloom
