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

// A game whose last tick falls due while the question is open is judged after the answer: the
// zeros are written first, and the poor result then sets the record, since there is none.
TEST_F(MenusTest, ResetRecordsWritesZerosBeforeATickThatFellDueDuringTheQuestion)
{
    game.userSelectsRows(0);
    for (int i = 0; i < 50; ++i) {
        const int a = firstVisible();
        turnPair(a, strangerOf(a));
    }
    for (int i = 0; i < 4; ++i) {
        const int a = firstVisible();
        game.btnButton_Click(a);
        game.btnButton_Click(partnerOf(a));
        if (i < 3)
            game.Timer1_Timer();
    }
    const std::string question = "Are you sure you want to reset the Records?";
    messageBoxes.whileOpen = [&](const std::string& text) {
        if (text == question)
            game.Timer1_Timer();
    };
    game.mnuReset_Click();
    EXPECT_EQ(messageBoxes.shown, (std::vector<std::string>{question, "You completed the puzzle in 54 tries.",
                                                            "You got the record number of tries!"}));
    for (int rows = 2; rows <= 6; ++rows)
        EXPECT_EQ(stored(recordValueName(rows)), SettingValue(rows == 2 ? 54 : 0)) << rows;
    EXPECT_EQ(controls().lblNumRecord, " 54");
    // Zeros are kept as zeros, not taken for missing values.
    game.Form_Load();
    EXPECT_EQ(state().Records[3], 0);
}

// The list is rebuilt when the dialog has closed, and a tick that fell due inside it is judged
// then; the game goes on. Ended from inside the dialog, the program runs nothing more.
TEST_F(MenusTest, MaintainPicturesRebuildsTheListThenJudgesTheTickUnlessTheProgramEnded)
{
    const auto values = state().CardValue;
    int slot = 0;
    int pairsInside = -1;
    host.whileOpen = [&] {
        ++slot;
        const std::string path = "/p/" + std::to_string(slot) + ".jpg";
        store(pictureLabelValueName(slot), "Fresh");
        store(picturePathValueName(slot), path);
        files.files.insert(path);
        game.Timer1_Timer();
        pairsInside = state().PairsFound;
        if (slot == 2)
            host.endProgram();
    };
    game.btnButton_Click(0);
    game.btnButton_Click(partnerOf(0));
    game.mnuImages_Click();
    EXPECT_EQ(pairsInside, 0);
    EXPECT_EQ(state().PairsFound, 1);
    EXPECT_EQ(controls().cboPictures.entries, (std::vector<std::string>{"Marrowquill Software Logo", "Fresh"}));
    EXPECT_EQ(state().CardValue, values);

    const int a = firstVisible();
    game.btnButton_Click(a);
    game.btnButton_Click(partnerOf(a));
    game.mnuImages_Click();
    EXPECT_EQ(state().PairsFound, 1);
    EXPECT_EQ(controls().cboPictures.entries.size(), 2u);
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
