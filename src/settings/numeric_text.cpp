#include "settings/numeric_text.h"

#include <cerrno>
#include <cstdlib>

namespace tessaloom {

std::optional<double> numericValue(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::nullopt;
    const auto last = text.find_last_not_of(" \t");
    const std::string trimmed = text.substr(first, last - first + 1);
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(trimmed.c_str(), &end);
    if (end != trimmed.c_str() + trimmed.size() || errno == ERANGE)
        return std::nullopt;
    return value;
}

} // namespace tessaloom
