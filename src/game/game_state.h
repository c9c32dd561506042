#pragma once

#include "game/stored_settings.h"

#include <array>
#include <cstdint>
#include <string>

namespace tessaloom {

inline constexpr int kBoardPositions = 24;
inline constexpr int kCardsPerRow = 4;
inline constexpr int kMaxPairs = 12;

// The game window's state. Counters are 16-bit like the stored records they are compared with.
struct GameState {
    std::int16_t NumRows = 4;
    std::int16_t NumCards = 16;
    std::int16_t NumPairs = 8;
    std::array<std::int16_t, kBoardPositions> CardValue{};              // pair number per position, 0 where not dealt
    std::array<std::int16_t, kMaxPairs + 1> PairDealt{};                // index 1..12: cards dealt with that number
    std::array<std::array<std::string, kMaxPairs + 1>, 2> CardLabels{}; // [set][pair number 1..12]
    std::int16_t LabelSet = 0;
    std::int16_t Tries = 0;
    std::int16_t PairsFound = 0;
    std::int16_t FirstOpen = 0;
    std::int16_t FirstCard = 0;
    std::int16_t SecondCard = 0;
    std::array<std::int16_t, kMaxRows + 1> Records{};         // index 2..6: fewest tries, 0 for none
    std::array<std::int16_t, kBoardPositions> SavedVisible{}; // which cards Hide shows again
};

} // namespace tessaloom
