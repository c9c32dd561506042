#pragma once

#include <string>

namespace tessaloom {

// "Version " and the major and minor numbers in plain decimal, as the splash window shows them.
std::string versionText(int major, int minor);

} // namespace tessaloom
