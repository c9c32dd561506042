// Playing the game through its window's logic: the deal's rounding, the count of tries, and ten
// thousand games of random play with every action checked against what the player relies on,
// while another instance of the game stores and resets records on the same settings. One seed
// drives the deals and the player, so a failure names its action and plays out the same way again.
#include "game_fixture.h"

namespace tessaloom::testing {
namespace {

constexpr unsigned kSeed = 20040615;

class RandomPlay : public GameFixture {
protected:
    // What the player has seen, kept apart from the logic's own state.
    std::array<bool, kBoardPositions> found{};
    bool hiddenByView = false;
    int tries = 0;
    int labelSet = 0;
    bool boardEnded = false;
    bool recordDue = false, equalDue = false; // the record messages the finished game has still to show
    bool recordsWritten = false;
    std::array<int, kMaxRows + 1> records{0, 0, 50, 50, 50, 50, 50}; // as the game holds them
    std::array<int, kMaxRows + 1> storedRecords = records;           // as the settings hold them
    int completed = 0;
    int boxesOpen = 0;
    std::string outcome; // what a screen reader should hear of the pair just judged
    std::string fault;

    int below(int n) { return static_cast<int>(random.engine() % static_cast<unsigned>(n)); }
    // The other instance stores a record for these rows.
    void storeRecord(int rows, int value)
    {
        storedRecords[rows] = value;
        store(valueName(stored::Record, rows), value);
        recordsWritten = true;
    }
    void report(const std::string& what, int detail = 0)
    {
        if (fault.empty())
            fault = what + " " + std::to_string(detail);
    }

    // A fresh deal: each pair number of the grid on two face-down cards that cover the picture
    // (240 down to 3840 twips), nothing beyond the grid.
    void newBoard()
    {
        found.fill(false);
        hiddenByView = boardEnded = false;
        tries = 0;
        if (recordDue || equalDue)
            report("a record message is missing");
        std::array<int, kMaxPairs + 1> dealt{};
        const float height = 3600.0f / static_cast<float>(state().NumRows);
        for (int p = 0; p < kBoardPositions; ++p) {
            const int v = state().CardValue[p];
            const CardButton& c = card(p);
            if (p < state().NumCards ? v < 1 || v > state().NumPairs || !c.Caption.empty() || c.Height != height ||
                        c.Top != 240 + height * static_cast<float>(p / 4) ||
                        c.Left != static_cast<float>(120 + 1200 * (p % 4)) || c.Width != 1215
                                     : v != 0)
                report("dealt or placed wrongly at", p);
            ++dealt[v];
        }
        for (int v = 1; v <= state().NumPairs; ++v)
            if (dealt[v] != 2)
                report("cards dealt with pair number", v);
    }

    // The pair the tick has just judged a match: two cards of one pair in the grid, both turned
    // and neither found before.
    void pairFound()
    {
        const int a = state().FirstCard;
        const int b = state().SecondCard;
        const int v = state().CardValue[a];
        if (a == b || a >= state().NumCards || b >= state().NumCards || found[a] || found[b] || v == 0 ||
            v != state().CardValue[b] || card(a).Caption.empty() || card(b).Caption.empty())
            report("found a pair that is none at", a);
        found[a] = found[b] = true;
        const int left = state().NumPairs - state().PairsFound;
        outcome = "pair of " + face(v) + " found; " +
            (left == 0 ? "no pairs left" : std::to_string(left) + (left == 1 ? " pair left" : " pairs left"));
    }
    std::string face(int pair) const
    {
        return labelSet == 0 ? std::to_string(pair) : std::string(1, static_cast<char>('A' + pair - 1));
    }

    // While a box is open no other handler may run, so no second box can open over it.
    void boxShown(const std::string& text)
    {
        if (boxesOpen++ > 0)
            report("a box opened over another: " + text);
        int& record = records[state().NumRows];
        const std::string done = "You completed the puzzle in ";
        if (text.starts_with(done)) {
            pairFound();
            for (int p = 0; p < state().NumCards; ++p)
                if (!found[p])
                    report("the game ended with a card on the board at", p);
            if (text != done + std::to_string(tries) + " tries.")
                report(text + " after", tries);
            record = storedRecords[state().NumRows]; // a finished game is judged by the record stored now
            equalDue = record == tries;
            recordDue = record == 0 || record > tries;
            labelSet = 1 - labelSet;
            boardEnded = true;
            ++completed;
        } else if (text == "You equalled the record number of tries.") {
            if (!equalDue || controls().lblNumRecord != " " + std::to_string(tries))
                report("equalled in", tries);
            equalDue = false;
        } else if (text == "You got the record number of tries!") {
            if (!recordDue || tries < state().NumPairs || controls().lblNumRecord != " " + std::to_string(tries))
                report("a record in", tries);
            recordDue = false;
            record = storedRecords[state().NumRows] = tries;
            recordsWritten = true;
            if (below(4) == 0) // the other instance stores a better one, or none, while this box waits
                storeRecord(state().NumRows, below(tries));
        } else if (text == "Are you sure you want to reset the Records?") {
            const bool yes = below(2) == 0;
            messageBoxes.answer = yes;
            if (yes)
                records = storedRecords = {};
            recordsWritten = recordsWritten || yes;
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
        const int pairs = state().PairsFound;
        const std::uint32_t announced = controls().turnOutcome.count;
        if (running && roll < 500) {
            game.Timer1_Timer();
        } else if (roll < 960) {
            const int partner = state().FirstOpen == 1 && below(2) == 0 ? cardWith(state().FirstCard, true) : -1;
            game.btnButton_Click(partner >= 0 ? partner : below(kBoardPositions));
            if (!running && controls().Timer1.running())
                ++tries;
        } else if (roll < 980) {
            hiddenByView = controls().mnuViewCaption == "&View";
            game.mnuView_Click();
        } else if (roll < 984) {
            roll < 982 ? game.mnuNewGame_Click() : game.userSelectsRows(below(kMaxRows - kMinRows + 1));
            newBoard();
        } else if (roll < 990) {
            game.mnuReset_Click();
        } else if (roll < 994) {
            storeRecord(kMinRows + below(kMaxRows - kMinRows + 1), below(60));
        } else if (roll < 998) {
            game.mnuAbout_Click();
        } else {
            game.mnuImages_Click();
        }
        if (state().PairsFound == pairs + 1)
            pairFound();
        if (controls().turnOutcome.count != announced) {
            if (outcome.empty())
                outcome = face(state().CardValue[state().FirstCard]) + " and " +
                    face(state().CardValue[state().SecondCard]) + " turned back";
            if (controls().turnOutcome.Text != outcome)
                report("announced " + controls().turnOutcome.Text + " for", state().FirstCard);
        }
        outcome.clear();
        if (boardEnded)
            newBoard();
    }

    // Found cards, cards hidden by View and cards beyond the grid never show; at most the open
    // pair shows its faces, in the game's label set; the menu reads "&Hide" exactly while View
    // hides the cards; the labels and the stored records agree with what was played.
    void check()
    {
        int faces = 0;
        for (int p = 0; p < kBoardPositions; ++p) {
            if (card(p).Visible != (p < state().NumCards && !found[p] && !hiddenByView))
                report(card(p).Visible ? "shows the card at" : "hides the card at", p);
            const int v = state().CardValue[p];
            if (p >= state().NumCards || found[p] || card(p).Caption.empty())
                continue;
            ++faces;
            if (card(p).Caption != face(v))
                report("a wrong face at", p);
        }
        if (faces > (controls().Timer1.running() ? 2 : 1))
            report("faces up:", faces);
        if ((controls().mnuViewCaption == "&Hide") != hiddenByView)
            report("the menu does not offer what F8 does next: " + controls().mnuViewCaption);
        if (controls().lblNumTries != " " + std::to_string(tries))
            report("tries label " + controls().lblNumTries + " after", tries);
        if (controls().lblNumRecord != " " + std::to_string(records[state().NumRows]))
            report("record label " + controls().lblNumRecord + " for", records[state().NumRows]);
        for (int n = kMinRows; n <= kMaxRows; ++n) {
            const SettingValue value = recordsWritten ? stored(valueName(stored::Record, n)) : SettingValue();
            if (state().Records[n] != records[n] || (!value.isEmpty() && value.number() != storedRecords[n]))
                report("a wrong record for rows", n);
        }
        recordsWritten = false;
    }
};

TEST_F(RandomPlay, TenThousandGamesKeepEveryRule)
{
    random.engine.seed(kSeed);
    messageBoxes.whileOpen = [this](const std::string& text) { boxShown(text); };
    host.whileOpen = [this] { maybeFallDue(); };
    game.Form_Load();
    newBoard();
    for (long action = 0; completed < 10000; ++action) {
        act();
        check();
        ASSERT_EQ(fault, "") << "seed " << kSeed << ", action " << action;
        ASSERT_LT(action, 5000000) << "the games stopped coming to an end";
    }
}

using DealTest = GameFixture;

TEST_F(DealTest, DrawRoundsHalvesToEvenAndRedrawsAFullPairNumber)
{
    game.Form_Load(); // four rows: x = r * 7 + 1
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
    game.Form_Load();
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
