#pragma once

// Stand-ins for what the screens ask of the platform, for tests to script and inspect.
#include "platform/application_info.h"
#include "platform/calendar.h"
#include "screens/game_window_launcher.h"

#include <functional>

namespace tessaloom::testing {

class ScriptedCalendar final : public Calendar {
public:
    int year = 2004;
    mutable int reads = 0;
    int currentYear() const override
    {
        ++reads;
        return year;
    }
};

class ScriptedApplicationInfo final : public ApplicationInfo {
public:
    int major = 1;
    int minor = 0;
    int versionMajor() const override { return major; }
    int versionMinor() const override { return minor; }
    std::string programFolder() const override { return "C:\\Program Files\\Tessaloom"; }
};

// Counts hand-overs; `whileLoading` runs inside one, where the game window's Form_Load would.
class RecordingLauncher final : public GameWindowLauncher {
public:
    int launches = 0;
    std::function<void()> whileLoading;
    void loadAndShowGameWindow() override
    {
        ++launches;
        if (whileLoading)
            whileLoading();
    }
};

} // namespace tessaloom::testing
