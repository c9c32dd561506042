#pragma once

// Stand-ins for what the screens ask of the platform, for tests to script and inspect.
#include "platform/application_info.h"
#include "platform/calendar.h"

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

} // namespace tessaloom::testing
