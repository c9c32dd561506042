#pragma once

#include <optional>
#include <string>

namespace tessaloom {

// The value of a text when the user's locale reads it as a number (surrounding blanks, a sign,
// decimal and thousands separators, an exponent); nothing for empty, blank or other text.
std::optional<double> numericValue(const std::string& text);

} // namespace tessaloom
