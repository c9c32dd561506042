#include "game/card_labels.h"
#include "game_fixture.h"

namespace tessaloom::testing {
namespace {

class TurnsTest : public GameFixture {
protected:
    void SetUp() override { game.Form_Load(); }  // four rows, eight pairs, records 50
};

TEST_F(TurnsTest, ClicksOnTheOpenCardAndDuringTheFlipDelayAreIgnored)
{
    const int a = 0;
    const int b = strangerOf(a);
    game.btnButton_Click(a);
    game.btnButton_Click(a);
    EXPECT_EQ(state().FirstOpen, 1);
    EXPECT_EQ(state().Tries, 0);
    EXPECT_FALSE(controls().Timer1.running());

    game.btnButton_Click(b);
    // The try counts when the second card turns, before the pair is judged.
    EXPECT_EQ(state().Tries, 1);
    EXPECT_EQ(controls().lblNumTries, " 1");
    ASSERT_TRUE(controls().Timer1.running());

    const int third = strangerOf(b) == a ? partnerOf(a) : strangerOf(b);
    for (int p : {a, b, third})
        game.btnButton_Click(p);
    EXPECT_EQ(card(third).Caption, "");
    EXPECT_EQ(state().Tries, 1);

    game.Timer1_Timer();
    EXPECT_EQ(card(a).Caption, "");
    EXPECT_EQ(card(b).Caption, "");
    EXPECT_TRUE(card(a).Visible);
    EXPECT_FALSE(controls().Timer1.running());
    game.btnButton_Click(third);
    EXPECT_NE(card(third).Caption, "");
}

TEST_F(TurnsTest, AMatchedPairVanishesAtTheTickAndAGameWithoutAMissTakesOneTryPerPair)
{
    const int a = 0;
    const int b = partnerOf(a);
    game.btnButton_Click(a);
    game.btnButton_Click(b);
    EXPECT_TRUE(card(a).Visible);
    EXPECT_EQ(card(b).Caption, card(a).Caption);
    game.Timer1_Timer();
    EXPECT_FALSE(card(a).Visible);
    EXPECT_FALSE(card(b).Visible);
    EXPECT_EQ(state().PairsFound, 1);

    game.mnuNewGame_Click();
    playGame(0);
    ASSERT_FALSE(messageBoxes.shown.empty());
    EXPECT_EQ(messageBoxes.shown[0], "You completed the puzzle in 8 tries.");
    // A fresh deal follows at once.
    EXPECT_EQ(state().Tries, 0);
    EXPECT_EQ(state().PairsFound, 0);
    EXPECT_EQ(firstVisible(), 0);
}

TEST_F(TurnsTest, TheDefaultRecordOfFiftyIsBeatenEqualledOrMissed)
{
    playGame(41);  // 49 tries
    EXPECT_EQ(messageBoxes.shown,
              (std::vector<std::string>{"You completed the puzzle in 49 tries.", "You got the record number of tries!"}));
    EXPECT_EQ(stored("Tries4"), SettingValue(49));

    messageBoxes.shown.clear();
    const int writes = registry.writes;
    playGame(41);  // equals the new record of 49, and writes nothing
    EXPECT_EQ(messageBoxes.shown, (std::vector<std::string>{"You completed the puzzle in 49 tries.",
                                                            "You equalled the record number of tries."}));
    EXPECT_EQ(registry.writes, writes);

    messageBoxes.shown.clear();
    playGame(42);  // 50 tries: worse
    EXPECT_EQ(messageBoxes.shown, (std::vector<std::string>{"You completed the puzzle in 50 tries."}));
    EXPECT_EQ(stored("Tries4"), SettingValue(49));
    EXPECT_EQ(state().Records[4], 49);
}

TEST_F(TurnsTest, ANewRecordShowsBeforeItsMessageAndIsStoredForItsRowCountOnly)
{
    const int writes = registry.writes;
    std::string recordWhileOpen;
    messageBoxes.whileOpen = [&](const std::string& text) {
        if (text == "You got the record number of tries!")
            recordWhileOpen = controls().lblNumRecord;
    };
    playGame(2);
    EXPECT_EQ(recordWhileOpen, " 10");
    EXPECT_EQ(stored("Tries4"), SettingValue(10));
    EXPECT_EQ(registry.writes, writes + 1);
    for (int rows : {2, 3, 5, 6})
        EXPECT_TRUE(stored(recordValueName(rows)).isEmpty()) << rows;
}

TEST_F(TurnsTest, LabelSetsAlternateOnlyAfterACompletedGame)
{
    EXPECT_EQ(state().LabelSet, 0);
    game.mnuNewGame_Click();
    game.userSelectsRows(0);
    EXPECT_EQ(state().LabelSet, 0);
    playGame(0);
    EXPECT_EQ(state().LabelSet, 1);
    const int a = firstVisible();
    game.btnButton_Click(a);
    EXPECT_EQ(card(a).Caption, cardLabel(1, state().CardValue[a]));
    game.mnuNewGame_Click();
    EXPECT_EQ(state().LabelSet, 1);
    playGame(0);
    EXPECT_EQ(state().LabelSet, 0);
}

TEST_F(TurnsTest, TheSliderSetsTheRunningTimerAtOnceAndIsStored)
{
    const int a = 0;
    game.btnButton_Click(a);
    game.btnButton_Click(strangerOf(a));
    const auto restarts = controls().Timer1.restarts;
    game.userScrollsSlider(500);
    EXPECT_TRUE(controls().Timer1.running());
    EXPECT_EQ(controls().Timer1.Interval, 500);
    EXPECT_GT(controls().Timer1.restarts, restarts);
    EXPECT_EQ(stored("FlipSpeed"), SettingValue(500));
    game.userChangesSlider(5000);
    EXPECT_EQ(controls().Timer1.Interval, 5000);
    EXPECT_EQ(stored("FlipSpeed"), SettingValue(5000));
}

TEST_F(TurnsTest, TriesStopAtTheLargestSixteenBitNumber)
{
    for (int i = 0; i < 32800; ++i) {
        const int a = firstVisible();
        turnPair(a, strangerOf(a));
    }
    EXPECT_EQ(state().Tries, 32767);
    EXPECT_EQ(controls().lblNumTries, " 32767");
}

} // namespace
} // namespace tessaloom::testing
