// The dialog's Exit and About commands; its help entries are the HelpMenu's.
#include "pictures/picture_dialog.h"
#include "pictures/picture_dialog_host.h"

namespace tessaloom {

void PictureDialog::mnuExit_Click()
{
    // Ends the whole program; the edits in the boxes are not saved.
    services_.host.endProgram();
}

void PictureDialog::mnuAbout_Click()
{
    services_.host.showAboutBox();
}

} // namespace tessaloom
