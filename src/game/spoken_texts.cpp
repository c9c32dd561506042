#include "game/spoken_texts.h"

#include "game/game_state.h"

namespace tessaloom {

std::string spokenCardName(int position, const std::string& caption)
{
    return "row " + std::to_string(position / kCardsPerRow + 1) + ", column " +
        std::to_string(position % kCardsPerRow + 1) + ", " + (caption.empty() ? "face down" : caption);
}

std::string pairFoundText(const std::string& label, int pairsLeft)
{
    const std::string left =
        (pairsLeft == 0 ? "no" : std::to_string(pairsLeft)) + (pairsLeft == 1 ? " pair" : " pairs");
    return "pair of " + label + " found; " + left + " left";
}

std::string turnedBackText(const std::string& first, const std::string& second)
{
    return first + " and " + second + " turned back";
}

} // namespace tessaloom
