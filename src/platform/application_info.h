#pragma once

#include <string>

namespace tessaloom {

// What the program knows of itself.
inline constexpr const char* kApplicationTitle = "Tessaloom";
// The version numbers come from the build (the project's VERSION).
inline constexpr int kVersionMajor = TESSALOOM_VERSION_MAJOR;
inline constexpr int kVersionMinor = TESSALOOM_VERSION_MINOR;

class ApplicationInfo {
public:
    virtual ~ApplicationInfo() = default;

    virtual std::string title() const { return kApplicationTitle; }
    virtual int versionMajor() const { return kVersionMajor; }
    virtual int versionMinor() const { return kVersionMinor; }

    // The folder that holds the program's executable, as the platform reports it, without a
    // trailing separator.
    virtual std::string programFolder() const = 0;
};

} // namespace tessaloom
