// Maintain Pictures from the game window: the dialog edits the slots, then the game window
// rebuilds its picture list from them.
#include "game/game_fixture.h"
#include "picture_dialog_fixture.h"

namespace tessaloom::testing {
namespace {

class MaintainPicturesTest : public GameFixture {};

TEST_F(MaintainPicturesTest, TheGameWindowListsTheNewSlotWhenItsFileExists)
{
    game.setBuiltInPicture(std::make_shared<NamedPicture>("built-in"));
    files.files.insert("/p/lake.jpg");
    pictures.readable.insert("/p/lake.jpg");
    store(pictureLabelValueName(2), "Old");
    store(picturePathValueName(2), "/p/lake.jpg");
    game.Form_Load();
    game.userSelectsPicture(1);
    ASSERT_EQ(pictureName(controls().imgImage.Picture), "/p/lake.jpg");
    ScriptedFileChooser chooser;
    ScriptedDialogHost dialogHost;
    PictureDialog dialog{{messageBoxes, pictures, files, chooser, settings, dialogHost, help}, {}};

    host.whileOpen = [&] {
        dialog.Form_Load();
        dialog.userTypesLabel("Lake");
        dialog.userTypesPath("/p/lake.jpg");
        dialog.userSelectsSlot(2);  // slot 3
        dialog.userTypesLabel("Nowhere");
        dialog.userTypesPath("/p/missing.jpg");
        dialog.btnOK_Click();
    };
    game.mnuImages_Click();
    EXPECT_EQ(controls().cboPictures.entries, (std::vector<std::string>{"Marrowquill Software Logo", "Lake", "Old"}));
    EXPECT_EQ(controls().lstPaths.entries, (std::vector<std::string>{"Default Image", "/p/lake.jpg", "/p/lake.jpg"}));
    // The picture under the board agrees with the list, which selects the built-in entry again.
    EXPECT_EQ(pictureName(controls().imgImage.Picture), "built-in");
}

} // namespace
} // namespace tessaloom::testing
