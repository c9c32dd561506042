#pragma once

#include <string>

namespace tessaloom {

// What the picture dialog's menus ask of the program around the dialog.
class PictureDialogHost {
public:
    virtual ~PictureDialogHost() = default;

    // Opens the help file at a topic, or at its index with no keyword selected.
    virtual void showHelpContents(const std::string& topic) = 0;
    virtual void showHelpIndex() = 0;

    // Opens the maker's web site in the default browser.
    virtual void openWebSite() = 0;

    // Shows the About box modally, owned by the picture dialog.
    virtual void showAboutBox() = 0;

    // Ends the program at once: every window closes, the dialog's own buttons do not run and
    // nothing more is stored.
    virtual void endProgram() = 0;
};

} // namespace tessaloom
