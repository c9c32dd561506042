#include "game_fixture.h"

namespace tessaloom::testing {
namespace {

class StartupTest : public GameFixture {
protected:
    void SetUp() override { game.setBuiltInPicture(std::make_shared<NamedPicture>("built-in")); }

    void storeSlot(int slot, const std::string& label, const std::string& path, bool exists = true)
    {
        store(pictureLabelValueName(slot), label);
        store(picturePathValueName(slot), path);
        if (exists)
            files.files.insert(path);
    }
    std::string shownPicture() const { return pictureName(controls().imgImage.Picture); }
};

TEST_F(StartupTest, WithNothingStoredTheDefaultsApplyAndStoredSettingsAreTakenOver)
{
    game.Form_Load();
    EXPECT_EQ(state().NumCards, 16);
    EXPECT_EQ(controls().Timer1.Interval, 3000);
    EXPECT_FALSE(controls().Timer1.running());
    for (int rows = 2; rows <= 6; ++rows)
        EXPECT_EQ(state().Records[rows], 50) << rows;
    EXPECT_EQ(controls().cboRows.Text(), "4");
    EXPECT_EQ(controls().cboPictures.entries, std::vector<std::string>{"Marrowquill Software Logo"});
    EXPECT_EQ(controls().lstPaths.entries, std::vector<std::string>{"Default Image"});
    EXPECT_EQ(shownPicture(), "built-in");
    EXPECT_EQ(random.seeds, 1);
    // Every start stores the row count again.
    EXPECT_EQ(stored("NumRows"), SettingValue(4));

    store("NumRows", 6);
    store("FlipSpeed", 1200);
    store("Tries6", 31);
    store("Tries2", 0);
    game.Form_Load();
    EXPECT_EQ(controls().cboRows.Text(), "6");
    EXPECT_EQ(controls().Slider1.Value, 1200);
    EXPECT_EQ(controls().Timer1.Interval, 1200);
    EXPECT_EQ(controls().lblNumRecord, " 31");
    EXPECT_EQ(state().Records[2], 0);  // a stored 0 means no record, not a missing value
}

TEST_F(StartupTest, StoredValuesTheProgramWouldNotWriteAreNotTrusted)
{
    for (const SettingValue& rows : {SettingValue(0), SettingValue(7), SettingValue(-1), SettingValue(40000),
                                     SettingValue("abc"), SettingValue("")}) {
        SCOPED_TRACE(rows.text());
        store("NumRows", rows);
        game.Form_Load();
        EXPECT_EQ(state().NumCards, 16);
    }
    store("NumRows", SettingValue("5"));  // a numeric text counts as its number
    store("FlipSpeed", 10);
    store("Tries2", -5);
    store("Tries3", 70000);
    store("Tries4", SettingValue("abc"));
    store("Tries5", SettingValue("33"));
    game.Form_Load();
    EXPECT_EQ(state().NumRows, 5);
    EXPECT_EQ(controls().Slider1.Value, 500);
    EXPECT_EQ(state().Records, (std::array<std::int16_t, 7>{0, 0, 50, 50, 50, 33, 50}));
    store("FlipSpeed", 99999);
    game.Form_Load();
    EXPECT_EQ(controls().Slider1.Value, 5000);
    EXPECT_EQ(controls().Timer1.Interval, 5000);
}

TEST_F(StartupTest, ThePictureListHoldsTheValidSlotsInSlotOrder)
{
    storeSlot(7, "Seven", "/p/seven.jpg");
    storeSlot(2, "Two", "/p/two.jpg");
    storeSlot(3, "Twin", "/p/twin-a.jpg");
    storeSlot(9, "Twin", "/p/twin-b.gif");
    storeSlot(4, "Gone", "/p/gone.jpg", false);
    store(pictureLabelValueName(5), "Label only");
    storeSlot(6, "", "/p/path-only.jpg");
    storeSlot(10, "2004", "/p/ten.bmp");
    store(pictureLabelValueName(10), 2004);  // a numeric label comes back as a number
    game.Form_Load();
    EXPECT_EQ(controls().cboPictures.entries,
              (std::vector<std::string>{"Marrowquill Software Logo", "Two", "Twin", "Seven", "Twin", "2004"}));
    EXPECT_EQ(controls().lstPaths.entries, (std::vector<std::string>{"Default Image", "/p/two.jpg", "/p/twin-a.jpg",
                                                                      "/p/seven.jpg", "/p/twin-b.gif", "/p/ten.bmp"}));
    EXPECT_EQ(controls().cboPictures.ListIndex, 0);

    // Each of two equal labels shows its own file.
    pictures.readable = {"/p/twin-a.jpg", "/p/twin-b.gif"};
    game.userSelectsPicture(2);
    EXPECT_EQ(shownPicture(), "/p/twin-a.jpg");
    game.userSelectsPicture(4);
    EXPECT_EQ(shownPicture(), "/p/twin-b.gif");
    EXPECT_EQ(pictures.lastBox, (PixelSize{321, 240}));
}

TEST_F(StartupTest, TheListedPicturesArePreparedForTheDevicePixelsOnceTheWindowIsShown)
{
    storeSlot(2, "Two", "/p/two.jpg");
    storeSlot(5, "Five", "/p/five.gif");
    pictures.readable = {"/p/two.jpg", "/p/five.gif"};
    game.Form_Load();
    EXPECT_TRUE(pictures.prepared.empty());  // start-up itself decodes nothing
    game.shownOnScreen(1.5);
    EXPECT_EQ(pictures.prepared, (std::vector<std::string>{"/p/two.jpg", "/p/five.gif"}));
    EXPECT_EQ(pictures.preparedBox, (PixelSize{482, 360}));
    game.userSelectsPicture(1);
    EXPECT_EQ(pictures.lastBox, (PixelSize{482, 360}));

    // Moved to a denser screen: prepared again, and the chosen picture is decoded for it.
    pictures.loaded.clear();
    game.shownOnScreen(2.0);
    EXPECT_EQ(pictures.preparedBox, (PixelSize{642, 480}));
    EXPECT_EQ(pictures.loaded, std::vector<std::string>{"/p/two.jpg"});
    EXPECT_EQ(pictures.lastBox, (PixelSize{642, 480}));
    EXPECT_EQ(shownPicture(), "/p/two.jpg");
}

TEST_F(StartupTest, ChoosingAPictureKeepsTheGameAndAnUnreadableOneChangesNothing)
{
    storeSlot(1, "Beach", "/p/beach.jpg");
    storeSlot(2, "Broken", "/p/broken.jpg");
    storeSlot(3, "Marrowquill Software Logo", "/p/impostor.jpg");
    pictures.readable = {"/p/beach.jpg", "/p/impostor.jpg"};
    game.Form_Load();
    game.btnButton_Click(0);
    game.btnButton_Click(partnerOf(0));
    game.Timer1_Timer();
    const auto values = state().CardValue;

    game.userSelectsPicture(1);
    EXPECT_EQ(shownPicture(), "/p/beach.jpg");
    game.userSelectsPicture(2);
    EXPECT_EQ(shownPicture(), "/p/beach.jpg");
    // A slot labelled like the built-in picture shows the built-in picture.
    game.userSelectsPicture(3);
    EXPECT_EQ(shownPicture(), "built-in");
    EXPECT_EQ(state().CardValue, values);
    EXPECT_EQ(state().PairsFound, 1);
    EXPECT_EQ(state().Tries, 1);
}

} // namespace
} // namespace tessaloom::testing
