#include "game_fixture.h"

namespace tessaloom::testing {
namespace {

class DealTest : public GameFixture {
protected:
    void SetUp() override { game.Form_Load(); } // four rows: x = r * 7 + 1
};

TEST_F(DealTest, DrawRoundsHalvesToEvenAndRedrawsAFullPairNumber)
{
    // r = 1/14 lands on 1.5 and gives 2; r = 3/14 lands on 2.5 and gives 2 as well, which makes
    // pair 2 full, so the third draw of 2 (r = 1/7, exactly 2) is thrown away and 0.0 gives 1;
    // 13/14 * 7 + 1 = 7.5 rounds to the even 8, and just below 1 gives 7.9999996, nearest 8.
    random.numbers = {1.0f / 14, 3.0f / 14, 1.0f / 7, 0.0f, 1.0f / 14 * 13, 0.99999994f};
    game.mnuNewGame_Click();
    EXPECT_EQ(std::vector<int>(state().CardValue.begin(), state().CardValue.begin() + 5),
              (std::vector<int>{2, 2, 1, 8, 8}));
}

TEST_F(DealTest, TriesStopAtTheLargestSixteenBitNumber)
{
    for (int i = 0; i < 32800; ++i) {
        game.btnButton_Click(0);
        game.btnButton_Click(cardWith(0, false));
        game.Timer1_Timer();
    }
    EXPECT_EQ(state().Tries, 32767);
    EXPECT_EQ(controls().lblNumTries, " 32767");
}

} // namespace
} // namespace tessaloom::testing
