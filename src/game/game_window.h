#pragma once

#include "game/game_state.h"
#include "game/game_window_controls.h"

namespace tessaloom {

class MessageBoxes;
class PictureLoader;
class FileSystem;
class RandomSource;

struct GameWindowServices {
    MessageBoxes& messageBoxes;
    PictureLoader& pictures;
    FileSystem& files;
    RandomSource& random;
};

// The logic of the game window: its state, the model of its controls and its handlers.
// Handlers change the model; the window that shows it copies the model onto its widgets.
class GameWindow {
public:
    explicit GameWindow(GameWindowServices services);

    const GameState& state() const { return state_; }
    const GameWindowControls& controls() const { return controls_; }

    // What the player does to the lists and the slider: the window reports the new selection
    // or position, then the control's handler runs.
    void userSelectsRows(int entry);

    // Deck and deal.
    void ResetBoard();
    void DealCards();
    void mnuNewGame_Click();

    // Turns and the flip timer.
    void btnButton_Click(int Index);
    void Timer1_Timer();

    // Start-up.
    void Form_Load();

    // Board layout by row count.
    void cboRows_Click();

private:
    void layOutCards();

    GameWindowServices services_;
    GameState state_;
    GameWindowControls controls_;
};

} // namespace tessaloom
