#include "game/card_labels.h"

namespace tessaloom {

std::string cardLabel(int labelSet, int pairNumber)
{
    if (labelSet == 0)
        return std::to_string(pairNumber);
    return std::string(1, static_cast<char>('A' + pairNumber - 1));
}

std::string numberLabel(int value)
{
    return (value < 0 ? "" : " ") + std::to_string(value);
}

} // namespace tessaloom
