#pragma once

#include <string>

namespace tessaloom {

class ApplicationInfo;
class Calendar;
class GameWindowLauncher;

struct SplashServices {
    const ApplicationInfo& application;
    const Calendar& calendar;
    GameWindowLauncher& gameWindow;
};

// The splash window's controls that its handlers change. The window copies them onto its
// widgets after every event it forwards, and closes itself once `Unloaded` is set.
struct SplashControls {
    std::string lblVersion = "Version 1.0";
    std::string lblCopyright;
    bool Timer1Enabled = true; // the timer runs from the moment the window is loaded
    int Timer1Interval = 2000; // milliseconds; 0 stops it
    bool Unloaded = false;
};

// The logic of the start-up window: it shows the version and copyright, and hands over to the
// game window on the timer's first tick, or at once on a key, a click on its frame or a close.
class SplashScreen {
public:
    explicit SplashScreen(SplashServices services);

    const SplashControls& controls() const { return controls_; }

    void Form_Load();
    void Timer1_Timer();
    // Any key that produces a character; which key does not matter.
    void Form_KeyPress(int KeyAscii);
    void Frame1_Click();
    // The window is being closed (its close box, Alt+F4): that hands over too, so the program
    // is never left without a window.
    void Form_Unload();

private:
    void handOver();

    SplashServices services_;
    SplashControls controls_;
    bool handingOver_ = false;
};

} // namespace tessaloom
