#pragma once

#include <string>

namespace tessaloom {

// Modal message boxes titled with the application title and without an icon.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // A box with an OK button only; returns when it is closed.
    virtual void showMessage(const std::string& text) = 0;

    // A box with Yes and No, Yes the default; true when Yes was pressed.
    virtual bool askYesNo(const std::string& text) = 0;
};

} // namespace tessaloom
