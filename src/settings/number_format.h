#pragma once

#include <string>

namespace tessaloom {

// How the user writes numbers: the separators of the user's locale, as UTF-8.
struct NumberFormat {
    std::string decimalSeparator = ".";
    std::string thousandsSeparator; // empty where the locale groups no digits
};

// The user's locale as the platform reports it; "." and no grouping when it reports nothing.
NumberFormat userNumberFormat();

} // namespace tessaloom
