#pragma once

#include <string>

namespace tessaloom {

// The face label of pair number 1..12 in label set 0 (numbers) or 1 (letters).
std::string cardLabel(int labelSet, int pairNumber);

// How the count labels show a number: the place of the sign (a blank when not negative),
// then the decimal digits, so 0 shows as " 0" and 17 as " 17".
std::string numberLabel(int value);

} // namespace tessaloom
