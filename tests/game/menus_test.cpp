#include "game_fixture.h"

namespace tessaloom::testing {
namespace {

class MenusTest : public GameFixture {
protected:
    void SetUp() override { game.Form_Load(); }
    std::vector<bool> visibility() const
    {
        std::vector<bool> result;
        for (const CardButton& c : controls().btnButton)
            result.push_back(c.Visible);
        return result;
    }
};

TEST_F(MenusTest, ViewHidesEveryCardAndHideBringsBackExactlyThoseThatWereVisible)
{
    const int a = 0;
    turnPair(a, partnerOf(a));
    game.btnButton_Click(firstVisible());  // a face-up card of an unfinished pair
    const auto before = visibility();

    game.mnuView_Click();
    EXPECT_EQ(controls().mnuViewCaption, "&Hide");
    EXPECT_EQ(visibility(), std::vector<bool>(24, false));

    game.mnuView_Click();
    EXPECT_EQ(controls().mnuViewCaption, "&View");
    EXPECT_EQ(visibility(), before);
}

// Hide never shows a card that is not in play: a pair found while the cards are hidden stays
// found, and a new board made while they are hidden is what Hide brings back.
TEST_F(MenusTest, HideShowsTheBoardAsItIsNowNotAsItWasAtView)
{
    const int a = 0;
    const int b = partnerOf(a);
    game.btnButton_Click(a);
    game.btnButton_Click(b);
    game.mnuView_Click();
    game.Timer1_Timer();
    game.mnuView_Click();
    std::vector<bool> expected(24, false);
    for (int p = 0; p < 16; ++p)
        expected[p] = p != a && p != b;
    EXPECT_EQ(visibility(), expected);

    for (int rows : {6, 2}) {
        game.mnuView_Click();
        game.userSelectsRows(rows - kMinRows);
        EXPECT_EQ(controls().mnuViewCaption, "&Hide");
        game.mnuView_Click();
        for (int p = 0; p < 24; ++p)
            expected[p] = p < 4 * rows;
        EXPECT_EQ(visibility(), expected) << rows;
    }
}

TEST_F(MenusTest, ResetRecordsAskedNoChangesNothing)
{
    store("Tries4", 12);
    game.Form_Load();
    messageBoxes.answers = {false};
    game.mnuReset_Click();
    EXPECT_EQ(messageBoxes.shown, std::vector<std::string>{"Are you sure you want to reset the Records?"});
    EXPECT_EQ(state().Records[4], 12);
    EXPECT_EQ(controls().lblNumRecord, " 12");
    EXPECT_EQ(stored("Tries4"), SettingValue(12));
    EXPECT_TRUE(stored("Tries2").isEmpty());
}

TEST_F(MenusTest, ResetRecordsStoresZerosThatSurviveARestartAndTheNextGameSetsTheRecord)
{
    game.btnButton_Click(0);
    game.mnuReset_Click();
    EXPECT_EQ(controls().lblNumRecord, " 0");
    for (int rows = 2; rows <= 6; ++rows) {
        EXPECT_EQ(state().Records[rows], 0);
        EXPECT_EQ(stored(recordValueName(rows)), SettingValue(0)) << rows;
    }
    // The game in progress goes on.
    EXPECT_EQ(state().FirstOpen, 1);

    game.Form_Load();
    EXPECT_EQ(state().Records[4], 0);
    messageBoxes.shown.clear();
    playGame(30);  // a poor game still sets the record when there is none
    EXPECT_EQ(messageBoxes.shown.back(), "You got the record number of tries!");
    EXPECT_EQ(stored("Tries4"), SettingValue(38));
}

TEST_F(MenusTest, MaintainPicturesRebuildsTheListWithoutANewDealUnlessTheProgramEnded)
{
    turnPair(0, partnerOf(0));
    const auto values = state().CardValue;
    bool exitInside = true;
    host.whilePictureDialogOpen = [&] {
        store(pictureLabelValueName(1), "Fresh");
        store(picturePathValueName(1), "/p/fresh.jpg");
        files.files.insert("/p/fresh.jpg");
        if (exitInside)
            host.endProgram();
    };
    game.mnuImages_Click();
    EXPECT_EQ(controls().cboPictures.entries.size(), 1u);

    exitInside = false;
    host.programEnds = 0;
    game.mnuImages_Click();
    EXPECT_EQ(controls().cboPictures.entries, (std::vector<std::string>{"Marrowquill Software Logo", "Fresh"}));
    EXPECT_EQ(controls().cboPictures.ListIndex, 0);
    EXPECT_EQ(state().CardValue, values);
    EXPECT_EQ(state().PairsFound, 1);
}

TEST_F(MenusTest, ExitAndClosingEndTheProgramWithoutWriting)
{
    const int writes = registry.writes;
    game.mnuExit_Click();
    game.Form_Unload();
    EXPECT_EQ(host.programEnds, 2);
    EXPECT_EQ(registry.writes, writes);
    EXPECT_TRUE(messageBoxes.shown.empty());
}

} // namespace
} // namespace tessaloom::testing
