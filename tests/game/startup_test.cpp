#include "game_fixture.h"

namespace tessaloom::testing {
namespace {

class StartupTest : public GameFixture {
protected:
    void SetUp() override { game.setBuiltInPicture(std::make_shared<NamedPicture>("built-in")); }

    void storeSlot(int slot, const std::string& label, const std::string& path, bool exists = true)
    {
        store(valueName(stored::PictureLabel, slot), label);
        store(valueName(stored::PicturePath, slot), path);
        if (exists)
            files.files.insert(path);
    }
    std::string shownPicture() const { return pictureName(controls().imgImage.Picture); }
};

TEST_F(StartupTest, WithNothingStoredTheDefaultsApply)
{
    game.Form_Load();
    EXPECT_EQ(state().NumCards, 16);
    EXPECT_EQ(controls().Timer1.Interval, 3000);
    EXPECT_FALSE(controls().Timer1.running());
    EXPECT_EQ(controls().cboPictures.entries, std::vector<std::string>{"Marrowquill Software Logo"});
    EXPECT_EQ(controls().lstPaths.entries, std::vector<std::string>{"Default Image"});
    EXPECT_EQ(shownPicture(), "built-in");
    EXPECT_EQ(random.seeds, 1);
    EXPECT_EQ(stored("NumRows"), SettingValue(4)); // every start stores the row count again
}

// Stored settings are taken over, but not those the program would not have written: rows outside
// 2..6 give 4, the flip speed is clamped into 500..5000, a record outside 0..32767 gives 50 (a
// stored 0 is no record, not a missing value); a numeric text counts as its number, also one the
// store keeps as text since it passes 32 bits.
TEST_F(StartupTest, StoredSettingsAreTakenOverUnlessTheProgramWouldNotHaveWrittenThem)
{
    const std::tuple<SettingValue, SettingValue, int, int> cases[] = {
        {6, 1200, 6, 1200},      {0, 10, 4, 500},        {7, "99999999999", 4, 5000}, {-1, 700, 4, 700},
        {40000, "abc", 4, 3000}, {"abc", "800", 4, 800}, {"", 5000, 4, 5000},         {"5", 500, 5, 500}};
    store("Tries2", -5);
    store("Tries3", 70000);
    store("Tries4", 0);
    store("Tries5", SettingValue("33"));
    for (const auto& [rows, speed, numRows, interval] : cases) {
        store("NumRows", rows);
        store("FlipSpeed", speed);
        game.Form_Load();
        EXPECT_EQ(state().NumCards, numRows * 4) << rows.text();
        EXPECT_EQ((std::pair{controls().Slider1.Value, controls().Timer1.Interval}), (std::pair{interval, interval}));
    }
    EXPECT_EQ(state().Records, (std::array<std::int16_t, 7>{0, 0, 50, 50, 0, 33, 50}));
    EXPECT_EQ(controls().lblNumRecord, " 33");
}

// The list holds the valid slots in slot order. Each of two equal labels shows its own file, one
// that cannot be read changes nothing, a slot labelled like the built-in picture shows the
// built-in picture, and the game goes on. The listed files are prepared for the device pixels
// once the window is shown, and again, with the chosen picture decoded anew, when it moves to a
// denser screen.
TEST_F(StartupTest, ThePictureListHoldsTheValidSlotsAndChoosingOneKeepsTheGameAndIsPreparedForTheScreen)
{
    storeSlot(7, "Seven", "/p/seven.jpg");
    storeSlot(2, "Two", "/p/two.jpg");
    storeSlot(3, "Twin", "/p/twin-a.jpg");
    storeSlot(9, "Twin", "/p/twin-b.gif");
    storeSlot(4, "Gone", "/p/gone.jpg", false);
    store(valueName(stored::PictureLabel, 5), "Label only");
    storeSlot(6, "", "/p/path-only.jpg");
    storeSlot(10, "2004", "/p/ten.bmp"); // the store keeps a numeric label as a number
    storeSlot(1, "Marrowquill Software Logo", "/p/impostor.jpg");
    game.Form_Load();
    EXPECT_EQ(controls().cboPictures.entries,
              (std::vector<std::string>{"Marrowquill Software Logo", "Marrowquill Software Logo", "Two", "Twin",
                                        "Seven", "Twin", "2004"}));
    const std::vector<std::string>& paths = controls().lstPaths.entries;
    EXPECT_EQ(paths,
              (std::vector<std::string>{"Default Image", "/p/impostor.jpg", "/p/two.jpg", "/p/twin-a.jpg",
                                        "/p/seven.jpg", "/p/twin-b.gif", "/p/ten.bmp"}));
    game.btnButton_Click(0);
    game.btnButton_Click(cardWith(0, true));
    game.Timer1_Timer();
    const auto values = state().CardValue;

    pictures.readable = {"/p/twin-a.jpg", "/p/twin-b.gif", "/p/impostor.jpg"};
    std::vector<std::string> shown;
    for (int entry : {1, 3, 4, 5}) {
        game.userSelectsPicture(entry);
        shown.push_back(shownPicture());
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"built-in", "/p/twin-a.jpg", "/p/twin-a.jpg", "/p/twin-b.gif"}));
    EXPECT_EQ(pictures.lastBox, (PixelSize{321, 240}));
    EXPECT_EQ(state().CardValue, values);
    EXPECT_EQ((std::pair<int, int>{state().PairsFound, state().Tries}), (std::pair{1, 1}));

    EXPECT_TRUE(pictures.prepared.empty()); // start-up itself decodes nothing
    game.shownOnScreen(1.5);
    EXPECT_EQ(pictures.prepared, std::vector(paths.begin() + 1, paths.end())); // all but the built-in
    EXPECT_EQ(pictures.preparedBox, (PixelSize{482, 360}));
    pictures.loaded.clear();
    game.shownOnScreen(2.0);
    EXPECT_EQ(pictures.preparedBox, (PixelSize{642, 480}));
    EXPECT_EQ(pictures.loaded, std::vector<std::string>{"/p/twin-b.gif"});
    EXPECT_EQ(pictures.lastBox, (PixelSize{642, 480}));
}

// The list is rebuilt when the dialog has closed, and a tick that fell due inside it is judged
// then; the game goes on. Ended from inside the dialog, the program runs nothing more.
TEST_F(StartupTest, MaintainPicturesRebuildsTheListThenJudgesTheTickUnlessTheProgramEnded)
{
    game.Form_Load();
    const auto values = state().CardValue;
    int slot = 0;
    host.whileOpen = [&] { // a tick falls due inside, which the game judges once the dialog has closed
        ++slot;
        storeSlot(slot, "Fresh", "/p/" + std::to_string(slot) + ".jpg");
        game.Timer1_Timer();
        if (slot == 2)
            host.endProgram();
    };
    game.btnButton_Click(0);
    game.btnButton_Click(cardWith(0, true));
    game.mnuImages_Click();
    EXPECT_EQ(state().PairsFound, 1);
    EXPECT_EQ(controls().cboPictures.entries, (std::vector<std::string>{"Marrowquill Software Logo", "Fresh"}));
    EXPECT_EQ(controls().cboPictures.ListIndex, 0); // on the built-in picture, which shows
    EXPECT_EQ(pictures.prepared, std::vector<std::string>{"/p/1.jpg"});
    EXPECT_EQ(state().CardValue, values);

    const int a = cardWith(0, true) == 1 ? 2 : 1; // a card still on the board
    game.btnButton_Click(a);
    game.btnButton_Click(cardWith(a, true));
    game.mnuImages_Click();
    EXPECT_EQ(state().PairsFound, 1);
    EXPECT_EQ(controls().cboPictures.entries.size(), 2u);
}

} // namespace
} // namespace tessaloom::testing
