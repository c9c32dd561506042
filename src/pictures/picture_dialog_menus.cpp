// The dialog's File and Help menus: each hands its command to the program around the dialog.
#include "pictures/picture_dialog.h"
#include "pictures/picture_dialog_host.h"

namespace tessaloom {

void PictureDialog::mnuExit_Click()
{
    // Ends the whole program; the edits in the boxes are not saved.
    services_.host.endProgram();
}

void PictureDialog::mnuContents_Click()
{
    services_.host.showHelpContents(kPictureDialogHelpTopic);
}

void PictureDialog::mnuIndex_Click()
{
    services_.host.showHelpIndex();
}

void PictureDialog::mnuMarrowquill_Click()
{
    services_.host.openWebSite();
}

void PictureDialog::mnuAbout_Click()
{
    services_.host.showAboutBox();
}

} // namespace tessaloom
