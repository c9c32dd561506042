#include "screens/splash_screen.h"

#include "platform/application_info.h"
#include "platform/calendar.h"
#include "screens/copyright_notice.h"
#include "screens/game_window_launcher.h"
#include "screens/version_text.h"

namespace tessaloom {

SplashScreen::SplashScreen(SplashServices services)
    : services_(services)
{
    controls_.lblCopyright = kDesignedCopyrightNotice;
}

void SplashScreen::Form_Load()
{
    controls_.lblVersion = versionText(services_.application.versionMajor(), services_.application.versionMinor());
    controls_.lblCopyright = copyrightNotice(services_.calendar.currentYear());
}

void SplashScreen::Timer1_Timer()
{
    handOver();
}

void SplashScreen::Form_KeyPress(int /*KeyAscii*/)
{
    handOver();
}

void SplashScreen::Frame1_Click()
{
    handOver();
}

void SplashScreen::Form_Unload()
{
    handOver();
}

// Loading the game window may run a nested event loop (a message box in its Form_Load), in
// which another tick, key or click can arrive: the flag makes every later one do nothing.
void SplashScreen::handOver()
{
    if (handingOver_)
        return;
    handingOver_ = true;
    services_.gameWindow.loadAndShowGameWindow();
    controls_.Timer1Interval = 0;
    controls_.Unloaded = true;
}

} // namespace tessaloom
