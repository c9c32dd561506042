// Two running instances of the game on one settings file: each finished game is judged against
// the record as stored at that moment, never against a copy read at start-up.
#include "game_fixture.h"

namespace tessaloom::testing {
namespace {

class RecordsTest : public GameFixture {
protected:
    ScriptedMessageBoxes otherBoxes;
    SettingsStore otherSettings{registry};
    GameWindow other{{otherBoxes, pictures, files, random, otherSettings, host, help}};

    // Plays the dealt game to its end in this many tries: the misses first, then each pair at
    // its first try.
    static void finishIn(GameWindow& window, int tries)
    {
        for (int turn = 0; turn < tries; ++turn) {
            int first = 0;
            while (!window.controls().btnButton[first].Visible)
                ++first;
            window.btnButton_Click(first);
            window.btnButton_Click(cardWith(window, first, turn >= tries - window.state().NumPairs));
            window.Timer1_Timer();
        }
    }
};

TEST_F(RecordsTest, AFinishedGameIsJudgedByTheRecordStoredThenAndNeverOverwritesABetterOne)
{
    store("NumRows", 2);
    store("Tries2", 8);
    game.Form_Load();
    other.Form_Load();

    // The other instance resets the records: this one's game in 9 tries sets the record.
    other.mnuReset_Click();
    finishIn(game, 9);
    EXPECT_EQ(
        messageBoxes.shown,
        (std::vector<std::string>{"You completed the puzzle in 9 tries.", "You got the record number of tries!"}));
    EXPECT_EQ(stored("Tries2"), SettingValue(9));

    // A better record stored by the other instance stands against a worse game here, the label
    // shows it, and an equal game is told so.
    finishIn(other, 5);
    messageBoxes.shown.clear();
    finishIn(game, 7);
    EXPECT_EQ(messageBoxes.shown, std::vector<std::string>{"You completed the puzzle in 7 tries."});
    EXPECT_EQ(controls().lblNumRecord, " 5");
    finishIn(game, 5);
    EXPECT_EQ(messageBoxes.shown.back(), "You equalled the record number of tries.");

    // A better record stored while this one's record box waits is not overwritten.
    messageBoxes.whileOpen = [this](const std::string& text) {
        if (text == "You got the record number of tries!")
            store("Tries2", 3);
    };
    finishIn(game, 4);
    EXPECT_EQ(stored("Tries2"), SettingValue(3));
}

} // namespace
} // namespace tessaloom::testing
