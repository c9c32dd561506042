#include "game_fixture.h"

namespace tessaloom::testing {
namespace {

class LayoutTest : public GameFixture {
protected:
    void SetUp() override { game.Form_Load(); }
};

// The rows of every count cover the picture exactly, 240 down to 3840 twips; cards beyond the
// grid keep the places of the last larger grid.
TEST_F(LayoutTest, EveryRowCountCoversThePictureExactly)
{
    for (int rows : {6, 2, 3, 4, 5}) {
        game.userSelectsRows(rows - kMinRows);
        const float height = 3600.0f / static_cast<float>(rows);
        for (int p = 0; p < kBoardPositions; ++p) {
            SCOPED_TRACE(std::to_string(rows) + " rows, card " + std::to_string(p));
            const bool inGrid = p < 4 * rows;
            EXPECT_FLOAT_EQ(card(p).Height, inGrid ? height : 600);
            EXPECT_FLOAT_EQ(card(p).Top, 240 + (inGrid ? height : 600) * static_cast<float>(p / 4));
            EXPECT_FLOAT_EQ(card(p).Left, 120 + 1200 * (p % 4));
            EXPECT_FLOAT_EQ(card(p).Width, 1215);
        }
    }
}

} // namespace
} // namespace tessaloom::testing
