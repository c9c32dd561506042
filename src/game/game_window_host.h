#pragma once

namespace tessaloom {

// What the game window's commands ask of the windows around it.
class GameWindowHost {
public:
    virtual ~GameWindowHost() = default;

    // Shows the picture maintenance dialog modally over the game window. False when the
    // program was ended from inside the dialog, so the caller must do nothing more.
    virtual bool showPictureDialog() = 0;

    // Shows the About box modally over the game window.
    virtual void showAboutBox() = 0;

    // Ends the program at once: every window closes, no handler runs after this one.
    virtual void endProgram() = 0;
};

} // namespace tessaloom
