// Turning cards, judging pairs when the flip timer fires.
#include "game/card_labels.h"
#include "game/game_window.h"

#include <limits>

namespace tessaloom {

void GameWindow::btnButton_Click(int Index)
{
    // The running flip timer is what keeps a third card from being turned.
    if (controls_.Timer1.running())
        return;
    if (Index < 0 || Index >= kBoardPositions || !controls_.btnButton[Index].Visible)
        return;
    CardButton& card = controls_.btnButton[Index];
    if (state_.FirstOpen == 0) {
        state_.FirstOpen = 1;
        state_.FirstCard = static_cast<std::int16_t>(Index);
        card.Caption = state_.CardLabels[state_.LabelSet][state_.CardValue[Index]];
        return;
    }
    if (Index == state_.FirstCard)
        return;
    controls_.Timer1.start();
    state_.FirstOpen = 0;
    state_.SecondCard = static_cast<std::int16_t>(Index);
    card.Caption = state_.CardLabels[state_.LabelSet][state_.CardValue[Index]];
    // The count stops at the largest 16-bit number instead of wrapping to a negative one.
    if (state_.Tries < std::numeric_limits<std::int16_t>::max())
        ++state_.Tries;
    controls_.lblNumTries = numberLabel(state_.Tries);
}

void GameWindow::Timer1_Timer()
{
    CardButton& first = controls_.btnButton[state_.FirstCard];
    CardButton& second = controls_.btnButton[state_.SecondCard];
    if (state_.CardValue[state_.FirstCard] != state_.CardValue[state_.SecondCard]) {
        first.Caption.clear();
        second.Caption.clear();
    } else {
        first.Visible = false;
        second.Visible = false;
        ++state_.PairsFound;
    }
    controls_.Timer1.stop();
}

} // namespace tessaloom
