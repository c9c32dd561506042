// Loading the dialog, selecting a slot and the preview of the shown slot.
#include "pictures/picture_dialog.h"

#include "platform/file_system.h"
#include "settings/trim_spaces.h"

#include <cstdlib>

namespace tessaloom {

PictureDialog::PictureDialog(PictureDialogServices services, PicturePlaceholders placeholders)
    : services_(services)
    , settings_(services.settings, SettingOwner::PictureDialog)
    , helpMenu_(services.help, kCustomizingPicturesTopic)
    , placeholders_(std::move(placeholders))
{
    controls_.imgNoImageSelected.Picture = placeholders_.noImageSelected;
    controls_.imgImageNotFound.Picture = placeholders_.imageNotFound;
}

void PictureDialog::Form_Load()
{
    // Every opening starts afresh; only the count of focus moves goes on, so a window that
    // shows the model sees the first focus request of this opening as new.
    const std::uint32_t focusMoves = controls_.focus.moves;
    controls_ = PictureDialogControls{};
    controls_.focus.moves = focusMoves;
    controls_.imgNoImageSelected.Picture = placeholders_.noImageSelected;
    controls_.imgImageNotFound.Picture = placeholders_.imageNotFound;
    state_ = PictureDialogState{};
    returningSelection_ = false;

    state_.dialogLoaded = false;
    for (int slot = 1; slot <= kPictureSlots; ++slot)
        controls_.cboImage.entries.push_back(std::to_string(slot));
    // Raises cboImage_Click, which does nothing yet but clear applyFailed.
    selectSlotEntry(0);
    controls_.cboImage.Tag = "1";
    preparePreviews();
    readSlot();
    applyPreviewRule();
    state_.dialogLoaded = true;
    controls_.cdbPath.Filter = kPictureFileFilter;
    controls_.focus.setFocus(DialogField::txtLabel);
}

void PictureDialog::userSelectsSlot(int entry)
{
    if (entry < 0 || entry >= static_cast<int>(controls_.cboImage.entries.size()))
        return;
    selectSlotEntry(entry);
}

void PictureDialog::selectSlotEntry(int entry)
{
    controls_.cboImage.ListIndex = entry;
    cboImage_Click();
}

void PictureDialog::cboImage_Click()
{
    // A selection right after a failed Apply is checked like any other, so the selector never
    // shows a slot other than the one in the boxes. Only the selection by which
    // cboImage_Change returns the selector is not the user's, and does nothing.
    if (state_.dialogLoaded && !returningSelection_) {
        btnApply_Click();
        cboImage_Change();
    }
    state_.applyFailed = false;
}

void PictureDialog::cboImage_Change()
{
    if (state_.applyFailed) {
        const int edited = controls_.cboImage.indexOf(controls_.cboImage.Tag);
        if (edited >= 0) {
            returningSelection_ = true;
            selectSlotEntry(edited);
            returningSelection_ = false;
        }
        return;
    }
    const std::string slot = controls_.cboImage.Text();
    controls_.cboImage.Tag = slot;
    readSlot();
    applyPreviewRule();
}

void PictureDialog::readSlot()
{
    state_.storedLabel = settings_.value(stored::PictureLabel, editedSlot());
    state_.storedPath = settings_.value(stored::PicturePath, editedSlot());
    // A numeric label or path comes back as a number and shows as its digits.
    controls_.txtLabel.Text = state_.storedLabel.text();
    controls_.txtPath.Text = state_.storedPath.text();
}

void PictureDialog::applyPreviewRule()
{
    if (controls_.txtLabel.Text.empty() && controls_.txtPath.Text.empty()) {
        controls_.imgImage.Picture = controls_.imgNoImageSelected.Picture;
        return;
    }
    const std::string path = trimSpaces(controls_.txtPath.Text);
    if (services_.files.fileExists(path))
        previewFile(path);
    else
        controls_.imgImage.Picture = controls_.imgImageNotFound.Picture;
}

void PictureDialog::previewFile(const std::string& path)
{
    PictureRef picture = services_.pictures.loadPicture(path, devicePixels(kPreviewBox, devicePixelRatio_));
    controls_.imgImage.Picture = picture ? std::move(picture) : controls_.imgImageNotFound.Picture;
}

void PictureDialog::preparePreviews()
{
    std::vector<std::string> paths;
    for (int slot = 1; slot <= kPictureSlots; ++slot) {
        std::string path = trimSpaces(settings_.value(stored::PicturePath, slot).text());
        if (services_.files.fileExists(path))
            paths.push_back(std::move(path));
    }
    services_.pictures.preparePictures(paths, devicePixels(kPreviewBox, devicePixelRatio_));
}

int PictureDialog::editedSlot() const
{
    return std::atoi(controls_.cboImage.Tag.c_str());
}

} // namespace tessaloom
