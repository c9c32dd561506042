#include "picture_dialog_fixture.h"

namespace tessaloom::testing {
namespace {

using Slot = std::pair<std::string, std::string>;

class PictureDialogTest : public PictureDialogFixture {};

TEST_F(PictureDialogTest, OpeningWithNothingStoredShowsAnEmptySlotOne)
{
    dialog.Form_Load();
    const std::vector<std::string> slots{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    EXPECT_EQ(controls().cboImage.entries, slots);
    EXPECT_EQ(selectedSlot(), "1");
    EXPECT_EQ(controls().cboImage.Tag, "1");
    EXPECT_EQ(state().labelValueName, "ImageLabel01");
    EXPECT_EQ(state().pathValueName, "ImagePath01");
    EXPECT_EQ(boxes(), Slot("", ""));
    EXPECT_EQ(preview(), "no image selected");
    EXPECT_EQ(controls().focus.field, DialogField::txtLabel);
    EXPECT_EQ(controls().cdbPath.Filter, kPictureFileFilter);
    EXPECT_TRUE(state().dialogLoaded);
    EXPECT_FALSE(state().applyFailed);
    // Opening neither writes nor asks anything.
    EXPECT_EQ(registry.writes, 0);
    EXPECT_TRUE(messageBoxes.shown.empty());
}

TEST_F(PictureDialogTest, ThePreviewFollowsTheShownSlot)
{
    storeSlot(1, "Beach", "/p/beach.jpg");
    storeSlot(2, "Label only", "");
    storeSlot(3, "Missing", "/p/missing.jpg");
    storeSlot(5, "Not a picture", "/p/notes.txt");
    addPicture("/p/beach.jpg");
    files.files.insert("/p/notes.txt");
    dialog.Form_Load();
    EXPECT_EQ(boxes(), Slot("Beach", "/p/beach.jpg"));
    EXPECT_EQ(preview(), "/p/beach.jpg");
    EXPECT_EQ(pictures.lastBox, kPreviewBox);

    selectSlot(3);
    EXPECT_EQ(preview(), "image not found");
    selectSlot(1);
    EXPECT_EQ(preview(), "/p/beach.jpg");
    // A file that exists but is no picture leaves the preview as it was.
    selectSlot(5);
    EXPECT_EQ(boxes(), Slot("Not a picture", "/p/notes.txt"));
    EXPECT_EQ(preview(), "/p/beach.jpg");
    selectSlot(7);
    EXPECT_EQ(preview(), "no image selected");
    // The placeholder for an empty slot needs both boxes empty.
    selectSlot(2);
    EXPECT_EQ(boxes(), Slot("Label only", ""));
    EXPECT_EQ(preview(), "image not found");
}

TEST_F(PictureDialogTest, SwitchingSlotsSavesTheEditedSlotFirst)
{
    storeSlot(4, "Forest", "/p/forest.jpg");
    storeSlot(10, "Ten", "/p/ten.jpg");
    dialog.Form_Load();
    type("Lake", "/p/lake.jpg");
    selectSlot(4);
    EXPECT_EQ(storedSlot(1), Slot("Lake", "/p/lake.jpg"));
    EXPECT_EQ(selectedSlot(), "4");
    EXPECT_EQ(controls().cboImage.Tag, "4");
    EXPECT_EQ(state().labelValueName, "ImageLabel04");
    EXPECT_EQ(state().pathValueName, "ImagePath04");
    EXPECT_EQ(boxes(), Slot("Forest", "/p/forest.jpg"));

    selectSlot(10);
    EXPECT_EQ(state().labelValueName, "ImageLabel10");
    EXPECT_EQ(state().pathValueName, "ImagePath10");
    EXPECT_EQ(boxes(), Slot("Ten", "/p/ten.jpg"));

    // Cancel drops only the edits not yet applied.
    type("Changed", "/p/changed.jpg");
    dialog.btnCancel_Click();
    EXPECT_TRUE(controls().Unloaded);
    EXPECT_EQ(storedSlot(1), Slot("Lake", "/p/lake.jpg"));
    EXPECT_EQ(storedSlot(4), Slot("Forest", "/p/forest.jpg"));
    EXPECT_EQ(storedSlot(10), Slot("Ten", "/p/ten.jpg"));
}

TEST_F(PictureDialogTest, ABlankFieldReturnsTheSelectorAndKeepsTheTypedText)
{
    storeSlot(6, "Six", "/p/six.jpg");
    dialog.Form_Load();
    selectSlot(3);
    type("  Typed label ", "");
    selectSlot(6);
    EXPECT_EQ(messageBoxes.shown, std::vector<std::string>{kPathBlankMessage});
    EXPECT_EQ(selectedSlot(), "3");
    EXPECT_EQ(controls().cboImage.Tag, "3");
    EXPECT_EQ(state().labelValueName, "ImageLabel03");
    EXPECT_EQ(boxes(), Slot("Typed label", ""));
    EXPECT_EQ(controls().focus.field, DialogField::txtPath);
    EXPECT_EQ(storedSlot(3), Slot("", ""));
    EXPECT_FALSE(state().applyFailed);

    type("", "/p/typed.jpg");
    selectSlot(6);
    EXPECT_EQ(messageBoxes.shown.back(), kLabelBlankMessage);
    EXPECT_EQ(selectedSlot(), "3");
    EXPECT_EQ(boxes(), Slot("", "/p/typed.jpg"));
    EXPECT_EQ(controls().focus.field, DialogField::txtLabel);
    EXPECT_EQ(storedSlot(3), Slot("", ""));
}

TEST_F(PictureDialogTest, TheFirstSwitchAfterOpeningIsCheckedToo)
{
    dialog.Form_Load();
    type("Only a label", "");
    selectSlot(2);
    EXPECT_EQ(messageBoxes.shown, std::vector<std::string>{kPathBlankMessage});
    EXPECT_EQ(selectedSlot(), "1");
    EXPECT_EQ(boxes(), Slot("Only a label", ""));
    EXPECT_EQ(registry.writes, 0);
}

TEST_F(PictureDialogTest, ASelectionAfterAFailedApplyIsCheckedAgain)
{
    storeSlot(5, "Five", "/p/five.jpg");
    dialog.Form_Load();
    type("Lake", "");
    dialog.btnApply_Click();
    ASSERT_TRUE(state().applyFailed);
    ASSERT_EQ(messageBoxes.shown.size(), 1u);

    // Not skipped: the selector must not show slot 5 over the boxes of slot 1.
    selectSlot(5);
    EXPECT_EQ(messageBoxes.shown, (std::vector<std::string>{kPathBlankMessage, kPathBlankMessage}));
    EXPECT_EQ(selectedSlot(), "1");
    EXPECT_EQ(state().labelValueName, "ImageLabel01");
    EXPECT_EQ(boxes(), Slot("Lake", ""));

    // The same after OK has stopped at the blank field; once it is filled the switch goes on.
    dialog.btnOK_Click();
    EXPECT_FALSE(controls().Unloaded);
    type("Lake", "/p/lake.jpg");
    selectSlot(5);
    EXPECT_EQ(messageBoxes.shown.size(), 3u);
    EXPECT_EQ(storedSlot(1), Slot("Lake", "/p/lake.jpg"));
    EXPECT_EQ(selectedSlot(), "5");
    EXPECT_EQ(boxes(), Slot("Five", "/p/five.jpg"));
}

TEST_F(PictureDialogTest, ApplyStoresTheTrimmedTextsWhetherOrNotTheFileExists)
{
    addPicture("/p/word.jpg");
    dialog.Form_Load();
    type("  Word  ", "  /p/word.jpg  ");
    dialog.btnApply_Click();
    EXPECT_EQ(stored("ImageLabel01"), SettingValue("Word"));
    EXPECT_EQ(stored("ImagePath01"), SettingValue("/p/word.jpg"));
    EXPECT_EQ(boxes(), Slot("Word", "/p/word.jpg"));
    EXPECT_EQ(preview(), "/p/word.jpg");
    EXPECT_TRUE(messageBoxes.shown.empty());

    type("Gone", "/p/gone.jpg");
    dialog.btnApply_Click();
    EXPECT_EQ(storedSlot(1), Slot("Gone", "/p/gone.jpg"));
    EXPECT_EQ(preview(), "image not found");
}

TEST_F(PictureDialogTest, ApplyWithBothBoxesEmptyClearsTheSlot)
{
    storeSlot(1, "Old", "/p/old.jpg");
    addPicture("/p/old.jpg");
    dialog.Form_Load();
    type("   ", "");
    dialog.btnApply_Click();
    EXPECT_EQ(stored("ImageLabel01"), SettingValue(""));
    EXPECT_EQ(stored("ImagePath01"), SettingValue(""));
    EXPECT_EQ(boxes(), Slot("", ""));
    // The preview is not changed by clearing.
    EXPECT_EQ(preview(), "/p/old.jpg");
    EXPECT_FALSE(state().applyFailed);
}

TEST_F(PictureDialogTest, DigitsAreStoredAsANumberAndComeBackAsTheSameDigits)
{
    dialog.Form_Load();
    type("2004", "12");
    selectSlot(2);
    EXPECT_EQ(stored("ImageLabel01"), SettingValue(2004));
    EXPECT_EQ(stored("ImagePath01"), SettingValue(12));
    type("1.5", "/p/half.jpg");
    selectSlot(1);
    EXPECT_EQ(boxes(), Slot("2004", "12"));
    selectSlot(2);
    EXPECT_EQ(boxes(), Slot("2", "/p/half.jpg"));
}

TEST_F(PictureDialogTest, OkClosesOnlyAfterASuccessfulApply)
{
    dialog.Form_Load();
    type("", "/p/lake.jpg");
    dialog.btnOK_Click();
    EXPECT_EQ(messageBoxes.shown, std::vector<std::string>{kLabelBlankMessage});
    EXPECT_FALSE(controls().Unloaded);
    EXPECT_EQ(controls().focus.field, DialogField::txtLabel);
    EXPECT_EQ(storedSlot(1), Slot("", ""));

    type("Lake", "/p/lake.jpg");
    dialog.btnOK_Click();
    EXPECT_TRUE(controls().Unloaded);
    EXPECT_EQ(storedSlot(1), Slot("Lake", "/p/lake.jpg"));
}

TEST_F(PictureDialogTest, BrowseFillsThePathWithoutStoring)
{
    addPicture("/p/cat.gif");
    dialog.Form_Load();
    type("Cat", "/p/old.jpg");
    chooser.answers = {"/p/cat.gif"};
    dialog.btnBrowse_Click();
    EXPECT_EQ(chooser.filters, std::vector<std::string>{kPictureFileFilter});
    EXPECT_EQ(boxes(), Slot("Cat", "/p/cat.gif"));
    EXPECT_EQ(controls().cdbPath.FileName, "/p/cat.gif");
    EXPECT_EQ(preview(), "/p/cat.gif");
    EXPECT_EQ(pictures.lastBox, kPreviewBox);
    EXPECT_EQ(registry.writes, 0);
}

TEST_F(PictureDialogTest, BrowseLeavesWhatItCannotShow)
{
    files.files.insert("/p/notes.txt");
    dialog.Form_Load();
    type("Keep", "/p/typed.jpg");

    // A cancel leaves the path box as it was, also before any file was chosen.
    chooser.answers = {std::nullopt};
    dialog.btnBrowse_Click();
    EXPECT_EQ(boxes(), Slot("Keep", "/p/typed.jpg"));
    EXPECT_EQ(preview(), "no image selected");

    chooser.answers = {"/p/notes.txt", "/p/missing.jpg"};
    dialog.btnBrowse_Click();
    EXPECT_EQ(controls().txtPath.Text, "/p/notes.txt");
    EXPECT_EQ(preview(), "no image selected");
    dialog.btnBrowse_Click();
    EXPECT_EQ(controls().txtPath.Text, "/p/missing.jpg");
    EXPECT_EQ(preview(), "no image selected");
    EXPECT_EQ(pictures.loaded, std::vector<std::string>{"/p/notes.txt"});
    EXPECT_EQ(registry.writes, 0);
}

TEST_F(PictureDialogTest, TheMenusOpenHelpAndAskTheProgramAroundTheDialog)
{
    dialog.Form_Load();
    type("Unsaved", "/p/unsaved.jpg");
    dialog.mnuContents_Click();
    dialog.mnuContents_Click();
    dialog.mnuIndex_Click();
    dialog.mnuMarrowquill_Click();
    dialog.mnuAbout_Click();
    EXPECT_EQ(helpTopics(), (std::vector<std::string>{"Customizing_Pictures.htm", "Customizing_Pictures.htm"}));
    EXPECT_EQ(helpIndexes(), 1);
    EXPECT_EQ(static_cast<int>(webBrowser.opened.size()), 1);
    EXPECT_EQ(host.aboutBoxes, 1);
    EXPECT_FALSE(controls().Unloaded);

    // Exit ends the program without saving the boxes.
    dialog.mnuExit_Click();
    EXPECT_EQ(host.programEnds, 1);
    EXPECT_EQ(registry.writes, 0);
}

} // namespace
} // namespace tessaloom::testing
