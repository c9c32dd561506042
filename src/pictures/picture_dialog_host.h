#pragma once

namespace tessaloom {

// What the picture dialog's menus ask of the program around the dialog.
class PictureDialogHost {
public:
    virtual ~PictureDialogHost() = default;

    // Shows the About box modally, owned by the picture dialog.
    virtual void showAboutBox() = 0;

    // Ends the program at once: every window closes, the dialog's own buttons do not run and
    // nothing more is stored.
    virtual void endProgram() = 0;
};

} // namespace tessaloom
