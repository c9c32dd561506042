#include "screens/version_text.h"

namespace tessaloom {

std::string versionText(int major, int minor)
{
    return "Version " + std::to_string(major) + "." + std::to_string(minor);
}

} // namespace tessaloom
