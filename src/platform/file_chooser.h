#pragma once

#include <optional>
#include <string>

namespace tessaloom {

// The platform's open-file dialog.
class FileChooser {
public:
    virtual ~FileChooser() = default;

    // Shows the dialog with a filter list of the form "Shown name|patterns|Shown name|patterns",
    // patterns separated by semicolons, the first entry offered first. Returns the full path of
    // the chosen file, or nothing when the user cancels.
    virtual std::optional<std::string> chooseFile(const std::string& filter) = 0;
};

} // namespace tessaloom
