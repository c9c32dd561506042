// The dialog's buttons: Apply, OK, Cancel and Browse.
#include "pictures/picture_dialog.h"

#include "platform/file_chooser.h"
#include "platform/file_system.h"
#include "platform/message_boxes.h"
#include "settings/trim_spaces.h"

namespace tessaloom {

void PictureDialog::btnApply_Click()
{
    state_.applyFailed = false;
    controls_.txtLabel.Text = trimSpaces(controls_.txtLabel.Text);
    controls_.txtPath.Text = trimSpaces(controls_.txtPath.Text);
    const std::string& label = controls_.txtLabel.Text;
    const std::string& path = controls_.txtPath.Text;

    if (label.empty() && path.empty()) {
        // The store trims the blank away: both values become empty text and the slot is empty.
        settings_.write(stored::PictureLabel, editedSlot(), " ");
        settings_.write(stored::PicturePath, editedSlot(), " ");
        return;
    }
    if (label.empty() || path.empty()) {
        if (path.empty()) {
            services_.messageBoxes.showMessage(kPathBlankMessage);
            controls_.focus.setFocus(DialogField::txtPath);
        } else {
            services_.messageBoxes.showMessage(kLabelBlankMessage);
            controls_.focus.setFocus(DialogField::txtLabel);
        }
        state_.applyFailed = true;
        return;
    }
    settings_.write(stored::PictureLabel, editedSlot(), label);
    settings_.write(stored::PicturePath, editedSlot(), path);
    // The path is kept whether or not its file exists; the preview tells the user.
    applyPreviewRule();
}

void PictureDialog::btnOK_Click()
{
    btnApply_Click();
    if (!state_.applyFailed)
        controls_.Unloaded = true;
}

void PictureDialog::btnCancel_Click()
{
    // What was applied before stays stored; only the unapplied edits are dropped.
    controls_.Unloaded = true;
}

void PictureDialog::btnBrowse_Click()
{
    const std::optional<std::string> chosen = services_.fileChooser.chooseFile(controls_.cdbPath.Filter);
    // A cancelled chooser leaves the path box as it was.
    if (!chosen)
        return;
    controls_.cdbPath.FileName = *chosen;
    controls_.txtPath.Text = controls_.cdbPath.FileName;
    if (services_.files.fileExists(controls_.txtPath.Text))
        previewFile(trimSpaces(controls_.txtPath.Text));
}

} // namespace tessaloom
