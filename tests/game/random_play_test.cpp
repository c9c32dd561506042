// Ten thousand games of random play through the game window's logic, every action checked
// against what the player relies on. One seed drives the deals and the player, so a failure
// names its action and plays out the same way again.
#include "game_fixture.h"

namespace tessaloom::testing {
namespace {

constexpr unsigned kSeed = 20040615;
constexpr const char* kQuestion = "Are you sure you want to reset the Records?";

class RandomPlay : public GameFixture {
protected:
    // What the player has seen of the current board, kept apart from the logic's own state.
    std::array<bool, kBoardPositions> found{};
    bool hiddenByView = false;
    int tries = 0;
    bool boardEnded = false;
    std::array<int, kMaxRows + 1> records{0, 0, 50, 50, 50, 50, 50};
    int completed = 0;
    int boxesOpen = 0;
    std::string fault;

    int below(int n) { return static_cast<int>(random.engine() % static_cast<unsigned>(n)); }
    void newBoard()
    {
        found.fill(false);
        hiddenByView = false;
        tries = 0;
        boardEnded = false;
    }
    void report(const std::string& what)
    {
        if (fault.empty())
            fault = what;
    }

    // The pair the tick has just judged a match: two turned cards of one pair in the grid, not
    // found before.
    void pairFound()
    {
        const int a = state().FirstCard;
        const int b = state().SecondCard;
        const int v = state().CardValue[a];
        if (a == b || a >= state().NumCards || b >= state().NumCards || found[a] || found[b] || v == 0 ||
            v != state().CardValue[b])
            report("pair " + std::to_string(a) + "," + std::to_string(b) + " found wrongly");
        found[a] = found[b] = true;
    }

    // While a box is open no other handler may run, so no second box can open over it.
    void boxShown(const std::string& text)
    {
        if (boxesOpen > 0)
            report("\"" + text + "\" opened over another box");
        ++boxesOpen;
        const int rows = state().NumRows;
        const std::string done = "You completed the puzzle in ";
        if (text.starts_with(done)) {
            pairFound();
            for (int p = 0; p < state().NumCards; ++p)
                if (!found[p])
                    report("game over with card " + std::to_string(p) + " on the board");
            if (text != done + std::to_string(tries) + " tries.")
                report(text + " after " + std::to_string(tries) + " tries");
            ++completed;
            boardEnded = true;
        } else if (text == "You equalled the record number of tries.") {
            if (records[rows] != tries)
                report("equalled " + std::to_string(records[rows]) + " in " + std::to_string(tries));
        } else if (text == "You got the record number of tries!") {
            if ((records[rows] != 0 && records[rows] <= tries) || tries < 2 * rows ||
                controls().lblNumRecord != " " + std::to_string(tries))
                report("record of " + std::to_string(tries) + " over " + std::to_string(records[rows]));
            records[rows] = tries;
        } else if (text == kQuestion) {
            const bool yes = below(2) == 0;
            messageBoxes.answers = {yes};
            if (yes)
                records.fill(0);
        }
        maybeFallDue();
        --boxesOpen;
    }

    // The flip timer may fall due while a modal window is open; nothing may change until the
    // handler that opened the window has finished.
    void maybeFallDue()
    {
        if (!controls().Timer1.running() || below(2) == 0)
            return;
        const int pairs = state().PairsFound;
        const std::size_t boxes = messageBoxes.shown.size();
        game.Timer1_Timer();
        if (state().PairsFound != pairs || messageBoxes.shown.size() != boxes)
            report("a tick was judged inside a modal window");
    }

    void act()
    {
        const int roll = below(1000);
        const bool running = controls().Timer1.running();
        if (running && roll < 300) {
            const int pairs = state().PairsFound;
            game.Timer1_Timer();
            if (state().PairsFound == pairs + 1)
                pairFound();
        } else if (roll < 900) {
            const int first = state().FirstCard;
            const bool partner = state().FirstOpen == 1 && below(2) == 0;
            const int p = partner ? partnerOf(first) : below(kBoardPositions);
            game.btnButton_Click(p < 0 ? 0 : p);
            if (!running && controls().Timer1.running())
                ++tries;
        } else if (roll < 940) {
            hiddenByView = controls().mnuViewCaption == "&View";
            game.mnuView_Click();
        } else if (roll < 950) {
            game.mnuNewGame_Click();
            newBoard();
        } else if (roll < 960) {
            game.userSelectsRows(below(5));
            newBoard();
        } else if (roll < 975) {
            const int pairs = state().PairsFound;
            game.mnuReset_Click();
            if (state().PairsFound == pairs + 1)
                pairFound();
            checkStoredRecords();
        } else {
            const int pairs = state().PairsFound;
            if (roll < 990)
                game.mnuAbout_Click();
            else
                game.mnuImages_Click();
            if (state().PairsFound == pairs + 1)
                pairFound();
        }
        if (boardEnded) {
            checkStoredRecords();
            newBoard();
        }
    }

    // What was written is what was won: never fewer tries than pairs, never lost to a reset.
    void checkStoredRecords()
    {
        for (int n = kMinRows; n <= kMaxRows; ++n) {
            const SettingValue value = stored(recordValueName(n));
            if (!value.isEmpty() && value.number() != records[n])
                report("stored record " + value.text() + " instead of " + std::to_string(records[n]));
        }
    }

    // A card outside the grid, found or hidden by View never shows; the tries label and the
    // stored records agree with what was played.
    void check()
    {
        for (int p = 0; p < kBoardPositions; ++p)
            if (card(p).Visible != (p < state().NumCards && !found[p] && !hiddenByView))
                report("card " + std::to_string(p) + (card(p).Visible ? " shows" : " is hidden"));
        if (controls().lblNumTries != " " + std::to_string(tries))
            report("tries label " + controls().lblNumTries + " after " + std::to_string(tries) + " tries");
        for (int n = kMinRows; n <= kMaxRows; ++n)
            if (state().Records[n] != records[n])
                report("record " + std::to_string(state().Records[n]) + " instead of " + std::to_string(records[n]));
    }
};

TEST_F(RandomPlay, TenThousandGamesKeepEveryRule)
{
    random.engine.seed(kSeed);
    messageBoxes.whileOpen = [this](const std::string& text) { boxShown(text); };
    host.whileOpen = [this] { maybeFallDue(); };
    game.Form_Load();
    for (long action = 0; completed < 10000; ++action) {
        act();
        check();
        ASSERT_EQ(fault, "") << "seed " << kSeed << ", action " << action;
    }
}

} // namespace
} // namespace tessaloom::testing
