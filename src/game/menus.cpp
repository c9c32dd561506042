// The menus' commands and the window's shutdown.
#include "game/card_labels.h"
#include "game/game_window.h"
#include "game/game_window_host.h"
#include "platform/message_boxes.h"

namespace tessaloom {

void GameWindow::mnuView_Click()
{
    if (controls_.mnuViewCaption == "&View") {
        for (int p = 0; p < kBoardPositions; ++p) {
            state_.SavedVisible[p] = controls_.btnButton[p].Visible ? 1 : 0;
            controls_.btnButton[p].Visible = false;
        }
        controls_.mnuViewCaption = "&Hide";
    } else {
        for (int p = 0; p < kBoardPositions; ++p)
            controls_.btnButton[p].Visible = state_.SavedVisible[p] == 1;
        controls_.mnuViewCaption = "&View";
    }
}

void GameWindow::mnuReset_Click()
{
    oneHandler([this] {
        if (!services_.messageBoxes.askYesNo("Are you sure you want to reset the Records?"))
            return;
        for (int n = kMinRows; n <= kMaxRows; ++n) {
            state_.Records[n] = 0;
            settings_.write(stored::Record, n, std::int16_t{0});
        }
        controls_.lblNumRecord = numberLabel(0);
    });
}

void GameWindow::mnuImages_Click()
{
    oneHandler([this] {
        if (!services_.host.showPictureDialog()) {
            programEnded_ = true;
            return;
        }
        LoadPictureList();
        preparePictures();
    });
}

void GameWindow::mnuAbout_Click()
{
    oneHandler([this] { services_.host.showAboutBox(); });
}

void GameWindow::mnuExit_Click()
{
    programEnded_ = true;
    services_.host.endProgram();
}

void GameWindow::Form_Unload()
{
    mnuExit_Click();
}

} // namespace tessaloom
