#pragma once

#include <string>

namespace tessaloom {

// The year the program first came out; the notice always starts there.
inline constexpr int kFirstCopyrightYear = 2004;

// The notice as the windows are designed with it, for the first year alone. Texts are UTF-8;
// \xC2\xA9 is the copyright sign.
inline constexpr const char* kDesignedCopyrightNotice = "\xC2\xA9 2004 Marrowquill Software";

// The notice for a program running in `year`: the first year alone in that year, otherwise the
// years from the first to `year`. A clock set before the first year gives the designed notice,
// since a range that runs backwards would be wrong.
std::string copyrightNotice(int year);

} // namespace tessaloom
