#include "settings/platform_registry.h"

#ifdef _WIN32
#include "settings/win32_registry.h"
#else
#include "settings/reg_file_registry.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#endif

namespace tessaloom {

std::string settingsFilePath(const char* xdgConfigHome, const char* home)
{
    std::string folder;
    if (xdgConfigHome && xdgConfigHome[0] == '/')
        folder = xdgConfigHome;
    else if (home && home[0] != '\0')
        folder = std::string(home) + "/.config";
    else
        return {};
    if (folder.back() != '/')
        folder.push_back('/');
    return folder + "Marrowquill Software/Tessaloom.reg";
}

std::unique_ptr<Registry> makePlatformRegistry()
{
#ifdef _WIN32
    return std::make_unique<Win32Registry>();
#else
    const char* home = std::getenv("HOME");
    if (!home || home[0] == '\0') {
        const passwd* user = ::getpwuid(::getuid());
        home = user ? user->pw_dir : nullptr;
    }
    return std::make_unique<RegFileRegistry>(settingsFilePath(std::getenv("XDG_CONFIG_HOME"), home));
#endif
}

} // namespace tessaloom
