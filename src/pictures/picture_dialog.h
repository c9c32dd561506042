#pragma once

#include "game/stored_settings.h"
#include "help/help_menu.h"
#include "pictures/picture_dialog_controls.h"
#include "platform/picture.h"
#include "settings/setting_value.h"

#include <string>

namespace tessaloom {

class FileChooser;
class FileSystem;
class MessageBoxes;
class PictureDialogHost;
class PictureLoader;
class SettingsStore;

struct PictureDialogServices {
    MessageBoxes& messageBoxes;
    PictureLoader& pictures;
    FileSystem& files;
    FileChooser& fileChooser;
    SettingsStore& settings;
    PictureDialogHost& host;
    HelpCommands& help;
};

// The two stand-in pictures of the dialog: for a slot with neither label nor path, and for a
// path that names no existing file or a file that is no picture.
struct PicturePlaceholders {
    PictureRef noImageSelected;
    PictureRef imageNotFound;
};

// The preview box, in logical pixels: previews are decoded for its device pixels.
inline constexpr PixelSize kPreviewBox{240, 200};

// The filter list of the open-file dialog, JPEG first.
inline constexpr const char* kPictureFileFilter =
    "JPEG (*.jpg; *.jpe; *.jpeg)|*.jpg; *.jpe; *.jpeg|BMP (*.bmp)|*.bmp|GIF (*.gif)|*.gif|All files (*.*)|*.*";

inline constexpr const char* kPathBlankMessage = "The Path field cannot be blank.";
inline constexpr const char* kLabelBlankMessage = "The Label field cannot be blank.";

// The dialog's state besides its controls, kept while it is loaded.
// The edited slot, whose label and path values the boxes belong to, is the Tag of cboImage.
struct PictureDialogState {
    SettingValue storedLabel; // last read for the edited slot
    SettingValue storedPath;
    bool applyFailed = false;  // the last Apply stopped at a blank field
    bool dialogLoaded = false; // until loading has finished, slot selections are ignored
};

// The logic of the picture maintenance dialog, in which the user edits the ten picture slots
// one at a time. Handlers change the model of the controls; the window that shows it copies the
// model onto its widgets. The edited slot is the Tag of cboImage.
class PictureDialog {
public:
    PictureDialog(PictureDialogServices services, PicturePlaceholders placeholders);

    const PictureDialogControls& controls() const { return controls_; }
    const PictureDialogState& state() const { return state_; }

    // What the user does to the controls: the window reports the new text or selection; a
    // selection then runs the list's handler.
    void userTypesLabel(std::string text) { controls_.txtLabel.Text = std::move(text); }
    void userTypesPath(std::string text) { controls_.txtPath.Text = std::move(text); }
    void userSelectsSlot(int entry);

    // The device pixel ratio of the screen the dialog opens on; previews are decoded for it.
    void setDevicePixelRatio(double ratio) { devicePixelRatio_ = ratio; }

    void Form_Load();
    void cboImage_Click();
    void cboImage_Change();
    void btnApply_Click();
    void btnOK_Click();
    void btnCancel_Click();
    void btnBrowse_Click();

    // Menus. Contents opens the help at kCustomizingPicturesTopic.
    void mnuExit_Click();
    const HelpMenu& helpMenu() const { return helpMenu_; }
    void mnuAbout_Click();

private:
    // Selects an entry of cboImage from code; like a selection by the user it raises the
    // list's handler at once.
    void selectSlotEntry(int entry);
    void applyPreviewRule();
    // Shows the picture of an existing file in the preview; one that cannot be read as a
    // picture shows as not found, never as the picture shown before.
    void previewFile(const std::string& path);
    // Decodes the previews of the stored slots in the background, so choosing a slot shows its
    // picture at once.
    void preparePreviews();
    void readSlot();
    // The edited slot's number, 1 to 10.
    int editedSlot() const;

    PictureDialogServices services_;
    StoredSettings settings_;
    HelpMenu helpMenu_;
    PicturePlaceholders placeholders_;
    PictureDialogControls controls_;
    PictureDialogState state_;
    // Set while cboImage_Change returns the selector to the edited slot, so the selection
    // that raises is not taken for the user's.
    bool returningSelection_ = false;
    double devicePixelRatio_ = 1.0;
};

} // namespace tessaloom
