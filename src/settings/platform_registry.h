#pragma once

#include "settings/registry.h"

#include <memory>
#include <string>

namespace tessaloom {

// The registry the program keeps its settings in: the Windows registry on Windows, elsewhere
// the text file at settingsFilePath() of the environment.
std::unique_ptr<Registry> makePlatformRegistry();

// $XDG_CONFIG_HOME/Marrowquill Software/Tessaloom.reg, or under ~/.config when that variable is
// unset, empty or not an absolute path (as the base-directory rules say); empty text when
// neither names a folder.
std::string settingsFilePath(const char* xdgConfigHome, const char* home);

} // namespace tessaloom
