#pragma once

#include "platform/picture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tessaloom {

// The picture dialog's controls as its logic sees them. The Qt dialog copies this model onto
// its widgets after every event it forwards.

// A drop-down list of fixed entries; Tag is free text that the dialog keeps with it.
struct SlotListControl {
    std::vector<std::string> entries;
    int ListIndex = -1;
    std::string Tag;

    // The selected entry's text, or empty text when nothing is selected.
    std::string Text() const
    {
        return ListIndex >= 0 && ListIndex < static_cast<int>(entries.size()) ? entries[ListIndex] : std::string();
    }
    // The index of the entry with this text, or -1.
    int indexOf(const std::string& text) const
    {
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (entries[i] == text)
                return static_cast<int>(i);
        return -1;
    }
};

struct TextBoxControl {
    std::string Text;
};

struct PictureControl {
    PictureRef Picture;
};

// The open-file dialog component: its filter list and the last file chosen.
struct FileDialogControl {
    std::string Filter;
    std::string FileName;
};

// The fields the logic sends the focus to.
enum class DialogField { none, txtLabel, txtPath };

// A request to move the focus. `moves` counts the requests, so the window moves the focus only
// when the logic asked for it and leaves it where the user put it otherwise.
struct FocusRequest {
    DialogField field = DialogField::none;
    std::uint32_t moves = 0;

    void setFocus(DialogField to)
    {
        field = to;
        ++moves;
    }
};

struct PictureDialogControls {
    SlotListControl cboImage;
    TextBoxControl txtLabel;
    TextBoxControl txtPath;
    PictureControl imgImage;
    PictureControl imgNoImageSelected;
    PictureControl imgImageNotFound;
    FileDialogControl cdbPath;
    FocusRequest focus;
    // The dialog has been closed (unloaded); the window hides and returns to its opener.
    bool Unloaded = false;
};

} // namespace tessaloom
