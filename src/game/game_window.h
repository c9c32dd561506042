#pragma once

#include "game/game_state.h"
#include "game/game_window_controls.h"
#include "game/stored_settings.h"
#include "help/help_menu.h"
#include "platform/picture.h"
#include "settings/setting_value.h"

#include <string>

namespace tessaloom {

class FileSystem;
class GameWindowHost;
class MessageBoxes;
class PictureLoader;
class RandomSource;
class SettingsStore;

struct GameWindowServices {
    MessageBoxes& messageBoxes;
    PictureLoader& pictures;
    FileSystem& files;
    RandomSource& random;
    SettingsStore& settings;
    GameWindowHost& host;
    HelpCommands& help;
};

// The built-in picture's entry in the picture list.
inline constexpr const char* kBuiltInPictureLabel = "Marrowquill Software Logo";
inline constexpr const char* kBuiltInPicturePath = "Default Image";

// The size of the picture box under the board, in logical pixels: pictures are decoded for its
// device pixels.
inline constexpr PixelSize kBoardPictureBox{321, 240};

// The logic of the game window: its state, the model of its controls and its handlers.
// Handlers change the model; the window that shows it copies the model onto its widgets.
class GameWindow {
public:
    explicit GameWindow(GameWindowServices services);

    const GameState& state() const { return state_; }
    const GameWindowControls& controls() const { return controls_; }

    // The picture resource that the hidden built-in image control holds.
    void setBuiltInPicture(PictureRef picture) { controls_.imgMarrowquill.Picture = std::move(picture); }

    // What the player does to the lists and the slider: the window reports the new selection
    // or position, then the control's handler runs.
    void userSelectsRows(int entry);
    void userSelectsPicture(int entry);
    void userScrollsSlider(int value);
    void userChangesSlider(int value);

    // Start-up and picture selection.
    void Form_Load();
    void LoadSettings();
    void LoadPictureList();
    void cboPictures_Click();

    // The window is on the screen with this device pixel ratio, for the first time or after a
    // move to another screen: pictures are decoded for it, and those of the listed slots are
    // prepared in the background.
    void shownOnScreen(double devicePixelRatio);

    // Board layout by row count.
    void cboRows_Click();
    // The nearest card on the board from `position` one step after another (rowStep and
    // columnStep each -1, 0 or 1, not both 0); `position` itself when there is none.
    int cardToward(int position, int rowStep, int columnStep) const;

    // Deck and deal.
    void ResetBoard();
    void DealCards();

    // Turns, the flip timer, tries and records.
    void btnButton_Click(int Index);
    // The flip timer's tick. One handler at a time: a tick that falls due while a handler waits
    // on a modal window is judged once that handler has finished, if the timer still runs.
    void Timer1_Timer();
    void Slider1_Scroll();
    void Slider1_Change();

    // File menu and shutdown.
    void mnuNewGame_Click();
    void mnuView_Click();
    void mnuReset_Click();
    void mnuImages_Click();
    void mnuExit_Click();
    void Form_Unload();

    // Help menu: Contents opens the help at kWelcomeTopic.
    const HelpMenu& helpMenu() const { return helpMenu_; }
    void mnuAbout_Click();

private:
    // Runs the body of a handler that may wait on a modal window (a message box, a dialog).
    template <typename Body>
    void oneHandler(Body body);
    void judgeOpenPair();
    void layOutCards();
    void showFace(int position);
    void completeGame();
    void flipSpeedChanged();
    void preparePictures();

    GameWindowServices services_;
    StoredSettings settings_;
    HelpMenu helpMenu_;
    GameState state_;
    GameWindowControls controls_;
    bool shown_ = false;
    double devicePixelRatio_ = 1.0;
    int handlersWaiting_ = 0;
    bool tickHeld_ = false;
    bool programEnded_ = false;
};

template <typename Body>
void GameWindow::oneHandler(Body body)
{
    ++handlersWaiting_;
    body();
    if (--handlersWaiting_ == 0 && tickHeld_) {
        tickHeld_ = false;
        Timer1_Timer();
    }
}

} // namespace tessaloom
