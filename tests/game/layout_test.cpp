#include "game_fixture.h"

namespace tessaloom::testing {
namespace {

class LayoutTest : public GameFixture {
protected:
    void SetUp() override { game.Form_Load(); }
    void expectRows(int rows, float height, std::vector<float> tops)
    {
        SCOPED_TRACE(rows);
        for (int p = 0; p < 4 * rows; ++p) {
            EXPECT_FLOAT_EQ(card(p).Height, height) << p;
            EXPECT_FLOAT_EQ(card(p).Top, tops[p / 4]) << p;
            EXPECT_FLOAT_EQ(card(p).Left, 120 + 1200 * (p % 4)) << p;
            EXPECT_FLOAT_EQ(card(p).Width, 1215) << p;
            EXPECT_TRUE(card(p).Visible) << p;
        }
        // The rows cover the picture exactly: 240 down to 3840.
        EXPECT_FLOAT_EQ(card(4 * rows - 1).Top + card(4 * rows - 1).Height, 3840);
    }
};

TEST_F(LayoutTest, EveryRowCountCoversThePictureExactly)
{
    game.userSelectsRows(0);
    expectRows(2, 1800, {240, 2040});
    game.userSelectsRows(1);
    expectRows(3, 1200, {240, 1440, 2640});
    game.userSelectsRows(2);
    expectRows(4, 900, {240, 1140, 2040, 2940});
    game.userSelectsRows(3);
    expectRows(5, 720, {240, 960, 1680, 2400, 3120});
    game.userSelectsRows(4);
    expectRows(6, 600, {240, 840, 1440, 2040, 2640, 3240});
}

TEST_F(LayoutTest, SixToTwoToSixRows)
{
    game.userSelectsRows(4);
    game.userSelectsRows(0);
    expectRows(2, 1800, {240, 2040});
    for (int p = 8; p < 24; ++p) {
        EXPECT_FALSE(card(p).Visible) << p;
        EXPECT_FLOAT_EQ(card(p).Height, 600) << p;  // unused cards keep their old places
    }
    EXPECT_FLOAT_EQ(card(23).Top, 3240);
    game.userSelectsRows(4);
    expectRows(6, 600, {240, 840, 1440, 2040, 2640, 3240});
}

TEST_F(LayoutTest, AChangeOfRowsStartsANewGameAndIsStored)
{
    store("Tries3", 17);
    game.Form_Load();
    game.btnButton_Click(0);
    game.btnButton_Click(strangerOf(0));
    game.Timer1_Timer();
    ASSERT_EQ(state().Tries, 1);
    game.userSelectsRows(1);
    EXPECT_EQ(state().NumRows, 3);
    EXPECT_EQ(state().Tries, 0);
    EXPECT_EQ(controls().lblNumTries, " 0");
    EXPECT_EQ(controls().lblNumRecord, " 17");
    EXPECT_EQ(stored("NumRows"), SettingValue(3));
}

} // namespace
} // namespace tessaloom::testing
