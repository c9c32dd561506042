// Turning cards, judging pairs when the flip timer fires, finishing a game, the flip delay.
#include "game/card_labels.h"
#include "game/game_window.h"
#include "game/spoken_texts.h"
#include "platform/message_boxes.h"

#include <limits>

namespace tessaloom {

void GameWindow::showFace(int position)
{
    controls_.btnButton[position].Caption = state_.CardLabels[state_.LabelSet][state_.CardValue[position]];
}

void GameWindow::btnButton_Click(int Index)
{
    // The running flip timer is what keeps a third card from being turned.
    if (controls_.Timer1.running())
        return;
    if (Index < 0 || Index >= kBoardPositions || !controls_.btnButton[Index].Visible)
        return;
    if (state_.FirstOpen == 0) {
        state_.FirstOpen = 1;
        state_.FirstCard = static_cast<std::int16_t>(Index);
        showFace(Index);
        return;
    }
    if (Index == state_.FirstCard)
        return;
    controls_.Timer1.start();
    state_.FirstOpen = 0;
    state_.SecondCard = static_cast<std::int16_t>(Index);
    showFace(Index);
    // The count stops at the largest 16-bit number instead of wrapping to a negative one.
    if (state_.Tries < std::numeric_limits<std::int16_t>::max())
        ++state_.Tries;
    controls_.lblNumTries = numberLabel(state_.Tries);
}

void GameWindow::Timer1_Timer()
{
    if (handlersWaiting_ > 0) {
        tickHeld_ = true;
        return;
    }
    // A tick of a timer that was stopped meanwhile (New Game, the end of the program) is stale.
    if (programEnded_ || !controls_.Timer1.running())
        return;
    oneHandler([this] { judgeOpenPair(); });
}

void GameWindow::judgeOpenPair()
{
    CardButton& first = controls_.btnButton[state_.FirstCard];
    CardButton& second = controls_.btnButton[state_.SecondCard];
    if (state_.CardValue[state_.FirstCard] != state_.CardValue[state_.SecondCard]) {
        controls_.turnOutcome.announce(turnedBackText(first.Caption, second.Caption));
        first.Caption.clear();
        second.Caption.clear();
    } else {
        first.Visible = false;
        second.Visible = false;
        // Also while View has the cards hidden: Hide must not bring a found pair back.
        state_.SavedVisible[state_.FirstCard] = 0;
        state_.SavedVisible[state_.SecondCard] = 0;
        ++state_.PairsFound;
        controls_.turnOutcome.announce(pairFoundText(first.Caption, state_.NumPairs - state_.PairsFound));
        if (state_.PairsFound == state_.NumPairs)
            completeGame();
    }
    controls_.Timer1.stop();
}

void GameWindow::completeGame()
{
    MessageBoxes& boxes = services_.messageBoxes;
    std::int16_t& record = state_.Records[state_.NumRows];
    boxes.showMessage("You completed the puzzle in " + std::to_string(state_.Tries) + " tries.");
    // Another running instance may have stored a record, or reset them, since this one read them
    // at start-up: the record as stored now is the one to beat.
    record = static_cast<std::int16_t>(settings_.number(stored::Record, state_.NumRows));
    controls_.lblNumRecord = numberLabel(record);
    if (record == state_.Tries)
        boxes.showMessage("You equalled the record number of tries.");
    if (record == 0 || record > state_.Tries) {
        record = state_.Tries;
        controls_.lblNumRecord = numberLabel(record);
        // Stored before its box opens: a record another instance stores while the box waits
        // is never overwritten by this one.
        settings_.write(stored::Record, state_.NumRows, state_.Tries);
        boxes.showMessage("You got the record number of tries!");
    }
    state_.LabelSet = static_cast<std::int16_t>(state_.LabelSet == 0 ? 1 : 0);
    mnuNewGame_Click();
}

void GameWindow::userScrollsSlider(int value)
{
    controls_.Slider1.Value = value;
    Slider1_Scroll();
}

void GameWindow::userChangesSlider(int value)
{
    controls_.Slider1.Value = value;
    Slider1_Change();
}

void GameWindow::Slider1_Scroll()
{
    flipSpeedChanged();
}

void GameWindow::Slider1_Change()
{
    flipSpeedChanged();
}

void GameWindow::flipSpeedChanged()
{
    controls_.Timer1.setInterval(controls_.Slider1.Value);
    settings_.write(stored::FlipSpeed, static_cast<std::int32_t>(controls_.Slider1.Value));
}

} // namespace tessaloom
