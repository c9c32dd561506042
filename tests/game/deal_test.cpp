#include "game/card_labels.h"
#include "game_fixture.h"

namespace tessaloom::testing {
namespace {

class DealTest : public GameFixture {
protected:
    void startWithRows(int rows)
    {
        game.Form_Load();
        game.userSelectsRows(rows - kMinRows);
    }
};

TEST_F(DealTest, EveryRowCountDealsEachPairOnTwoFaceDownCardsAndHidesTheRest)
{
    for (int rows = kMinRows; rows <= kMaxRows; ++rows) {
        SCOPED_TRACE(rows);
        startWithRows(rows);
        ASSERT_EQ(state().NumRows, rows);
        ASSERT_EQ(state().NumCards, 4 * rows);
        ASSERT_EQ(state().NumPairs, 2 * rows);
        std::array<int, kMaxPairs + 1> count{};
        for (int p = 0; p < kBoardPositions; ++p) {
            if (p < state().NumCards) {
                const int v = state().CardValue[p];
                ASSERT_GE(v, 1);
                ASSERT_LE(v, state().NumPairs);
                ++count[v];
                EXPECT_TRUE(card(p).Visible) << p;
                EXPECT_EQ(card(p).Caption, "") << p;
            } else {
                EXPECT_FALSE(card(p).Visible) << p;
                EXPECT_EQ(state().CardValue[p], 0) << p;
            }
        }
        for (int v = 1; v <= state().NumPairs; ++v) {
            EXPECT_EQ(count[v], 2) << v;
            EXPECT_EQ(state().PairDealt[v], 2) << v;
        }
    }
}

TEST_F(DealTest, DrawRoundsHalvesToEvenAndRedrawsAFullPairNumber)
{
    game.Form_Load();  // four rows: x = r * 7 + 1
    // r = 1/14 lands on 1.5 and gives 2; r = 3/14 lands on 2.5 and gives 2 as well, which
    // makes pair 2 full, so the third draw of 2 (r = 1/7, exactly 2) is thrown away.
    random.numbers = {1.0f / 14, 3.0f / 14, 1.0f / 7, 0.0f, 1.0f / 14 * 13, 0.99999994f};
    game.mnuNewGame_Click();
    EXPECT_EQ(state().CardValue[0], 2);
    EXPECT_EQ(state().CardValue[1], 2);
    EXPECT_EQ(state().CardValue[2], 1);   // the 1/7 draw was rejected, 0.0 gave 1
    EXPECT_EQ(state().CardValue[3], 8);   // 13/14 * 7 + 1 = 7.5 rounds to the even 8
    EXPECT_EQ(state().CardValue[4], 8);   // just below 1 gives 7.9999996, nearest 8
}

TEST_F(DealTest, LabelSetsAndNumberLabels)
{
    EXPECT_EQ(cardLabel(0, 10), "10");
    EXPECT_EQ(cardLabel(1, 10), "J");
    EXPECT_EQ(cardLabel(0, 1), "1");
    EXPECT_EQ(cardLabel(1, 12), "L");
    EXPECT_EQ(numberLabel(0), " 0");
    EXPECT_EQ(numberLabel(17), " 17");
    EXPECT_EQ(numberLabel(-5), "-5");
}

TEST_F(DealTest, NewGameWithACardOrAPairOpenTurnsEverythingDownAndCountsNothing)
{
    game.Form_Load();
    game.btnButton_Click(3);
    game.mnuNewGame_Click();
    // The next click opens a new first card rather than completing a pair.
    game.btnButton_Click(5);
    EXPECT_EQ(state().FirstOpen, 1);
    EXPECT_EQ(state().FirstCard, 5);
    EXPECT_FALSE(controls().Timer1.running());

    game.btnButton_Click(partnerOf(5));
    ASSERT_TRUE(controls().Timer1.running());
    game.mnuNewGame_Click();
    // The pair's timer stops, so no pair of the new deal is found without being turned.
    EXPECT_FALSE(controls().Timer1.running());
    EXPECT_EQ(state().FirstOpen, 0);
    EXPECT_EQ(state().PairsFound, 0);
    EXPECT_EQ(controls().lblNumTries, " 0");
    for (int p = 0; p < state().NumCards; ++p) {
        EXPECT_TRUE(card(p).Visible) << p;
        EXPECT_EQ(card(p).Caption, "") << p;
    }
    game.btnButton_Click(2);
    EXPECT_EQ(card(2).Caption, cardLabel(0, state().CardValue[2]));
}

} // namespace
} // namespace tessaloom::testing
