#include "game/game_window.h"

#include "game/board_geometry.h"

namespace tessaloom {

GameWindow::GameWindow(GameWindowServices services)
    : services_(services)
    , settings_(services.settings, SettingOwner::GameWindow)
    , helpMenu_(services.help, kWelcomeTopic)
{
    // The cards' design places: four fixed columns, rows as the default four-row layout
    // gives them until the layout runs.
    for (int p = 0; p < kBoardPositions; ++p) {
        CardButton& card = controls_.btnButton[p];
        card.Left = kFirstColumnLeft + kColumnStep * static_cast<float>(p % kCardsPerRow);
        card.Width = kCardWidth;
        card.Height = kPictureHeight / 4;
        card.Top = kFirstRowTop + card.Height * static_cast<float>(p / kCardsPerRow);
    }
}

} // namespace tessaloom
