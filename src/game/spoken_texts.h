#pragma once

#include <string>

namespace tessaloom {

// What a screen reader says about the board, where a sighted player just looks.

// A card by its place (rows and columns counted from 1) and its state: "row 2, column 3, face
// down", or its face label while it is face up, "row 2, column 3, 7".
std::string spokenCardName(int position, const std::string& caption);

// The outcome of a turn: "pair of 7 found; 3 pairs left", or "7 and 4 turned back".
std::string pairFoundText(const std::string& label, int pairsLeft);
std::string turnedBackText(const std::string& first, const std::string& second);

} // namespace tessaloom
