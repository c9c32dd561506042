// The dialog's File and Help menus.
#include "help/help_commands.h"
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
    services_.help.showContents(kCustomizingPicturesTopic);
}

void PictureDialog::mnuIndex_Click()
{
    services_.help.showIndex();
}

void PictureDialog::mnuMarrowquill_Click()
{
    services_.help.openWebSite();
}

void PictureDialog::mnuAbout_Click()
{
    services_.host.showAboutBox();
}

} // namespace tessaloom
