#pragma once

#include "settings/number_format.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessaloom {

// A number read from text, kept exactly: its value is (negative ? -1 : 1) * digits * 10^exponent.
// Digits carry no leading zeros; no digits at all is zero.
struct DecimalNumber {
    bool negative = false;
    std::string digits;
    std::int64_t exponent = 0;
};

// Reads a text as the user's locale reads a number: surrounding blanks, a leading sign, digits
// grouped by the thousands separator, the decimal separator and an exponent ("1.5E3"). Nothing for
// empty, blank or any other text.
std::optional<DecimalNumber> parseNumericText(std::string_view text, const NumberFormat& format);

// The nearest signed 32-bit integer, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4);
// nothing when that lies outside the 32-bit range.
std::optional<std::int32_t> roundedToInt32(const DecimalNumber& number);

// The value of a numeric text as a double (infinite when too large for one); nothing for a text
// that is not numeric.
std::optional<double> numericValue(const std::string& text, const NumberFormat& format = userNumberFormat());

} // namespace tessaloom
