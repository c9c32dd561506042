// Stretching the card rows over the picture for the current row count; moving across the grid.
#include "game/board_geometry.h"
#include "game/game_window.h"

namespace tessaloom {

void GameWindow::userSelectsRows(int entry)
{
    if (entry < 0 || entry >= static_cast<int>(controls_.cboRows.entries.size()))
        return;
    controls_.cboRows.ListIndex = entry;
    cboRows_Click();
}

void GameWindow::cboRows_Click()
{
    const std::string text = controls_.cboRows.Text();
    for (int rows = kMinRows; rows <= kMaxRows; ++rows) {
        if (text == std::to_string(rows)) {
            state_.NumRows = static_cast<std::int16_t>(rows);
            break;
        }
    }
    layOutCards();
    mnuNewGame_Click();
    settings_.write(stored::NumRows, controls_.cboRows.Text());
}

void GameWindow::layOutCards()
{
    state_.NumCards = static_cast<std::int16_t>(state_.NumRows * kCardsPerRow);
    for (int p = 0; p < state_.NumCards; ++p)
        controls_.btnButton[p].Height = kPictureHeight / static_cast<float>(state_.NumRows);
    const float h = controls_.btnButton[0].Height;
    const float t0 = controls_.btnButton[0].Top;
    for (int r = 1; r < state_.NumRows; ++r)
        for (int c = 0; c < kCardsPerRow; ++c)
            controls_.btnButton[r * kCardsPerRow + c].Top = t0 + static_cast<float>(r) * h;
}

int GameWindow::cardToward(int position, int rowStep, int columnStep) const
{
    int row = position / kCardsPerRow + rowStep;
    int column = position % kCardsPerRow + columnStep;
    for (; row >= 0 && row < kMaxRows && column >= 0 && column < kCardsPerRow; row += rowStep, column += columnStep) {
        if (controls_.btnButton[row * kCardsPerRow + column].Visible)
            return row * kCardsPerRow + column;
    }
    return position;
}

} // namespace tessaloom
