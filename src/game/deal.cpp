// Starting a game: clearing the board and dealing the pairs.
#include "game/card_labels.h"
#include "game/game_window.h"
#include "platform/random_source.h"
#include "settings/round_half_even.h"

namespace tessaloom {

void GameWindow::ResetBoard()
{
    for (int pair = 1; pair <= kMaxPairs; ++pair) {
        state_.CardLabels[0][pair] = cardLabel(0, pair);
        state_.CardLabels[1][pair] = cardLabel(1, pair);
    }
    state_.Tries = 0;
    state_.NumCards = static_cast<std::int16_t>(state_.NumRows * kCardsPerRow);
    state_.FirstOpen = 0;
    state_.PairsFound = 0;
    state_.NumPairs = static_cast<std::int16_t>(state_.NumCards / 2);
    controls_.lblNumTries = numberLabel(state_.Tries);
    controls_.lblNumRecord = numberLabel(state_.Records[state_.NumRows]);
    for (int p = 0; p < kBoardPositions; ++p) {
        controls_.btnButton[p].Visible = false;
        state_.CardValue[p] = 0;
    }
    state_.PairDealt.fill(0);
    for (int p = 0; p < state_.NumCards; ++p)
        controls_.btnButton[p].Visible = true;
    // A new board made while View has the cards hidden is what the next Hide must show, never
    // the flags of the old board; its cards show, so View is over and the menu offers it again.
    for (int p = 0; p < kBoardPositions; ++p)
        state_.SavedVisible[p] = p < state_.NumCards ? 1 : 0;
    controls_.mnuViewCaption = "&View";
}

void GameWindow::DealCards()
{
    for (int p = 0; p < state_.NumCards; ++p) {
        int v = 0;
        do {
            // Single precision as the sequence gives it; the rounding makes 1 and NumPairs
            // half as likely in one draw as the numbers between them.
            const float x = services_.random.next() * static_cast<float>(state_.NumPairs - 1) + 1.0f;
            v = static_cast<int>(roundHalfEven(x));
        } while (state_.PairDealt[v] == 2);
        ++state_.PairDealt[v];
        state_.CardValue[p] = static_cast<std::int16_t>(v);
        controls_.btnButton[p].Caption.clear();
    }
}

void GameWindow::mnuNewGame_Click()
{
    // A pair still open belongs to the old deal: stop its timer so the tick never judges
    // two positions of the new deal that nobody turned.
    controls_.Timer1.stop();
    ResetBoard();
    DealCards();
}

} // namespace tessaloom
