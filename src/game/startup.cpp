// Bringing the game window up: the lists, the sequence, the first deal.
#include "game/game_window.h"
#include "platform/random_source.h"

namespace tessaloom {

void GameWindow::Form_Load()
{
    for (const char* rows : {"2", "3", "4", "5", "6"})
        controls_.cboRows.AddItem(rows);
    controls_.cboRows.ListIndex = state_.NumRows - kMinRows;
    state_.LabelSet = 0;
    services_.random.seedFromClock();
    ResetBoard();
    cboRows_Click();
}

} // namespace tessaloom
