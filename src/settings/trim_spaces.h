#pragma once

#include <string>
#include <string_view>

namespace tessaloom {

// The text without its leading and trailing space characters; other blanks stay. The store
// trims what it writes so, and the picture dialog trims its boxes the same way.
inline std::string trimSpaces(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

} // namespace tessaloom
