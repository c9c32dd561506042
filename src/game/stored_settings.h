#pragma once

#include "settings/setting_value.h"

#include <string>

namespace tessaloom {

class SettingsStore;

enum class SettingKind {
    Number, // a number; a numeric text counts as its number
    Text,   // a text; a number counts as its decimal digits
};

// What a read makes of a stored number outside the range the program writes.
enum class OutOfRange { UseDefault, Clamp };

// The window whose handlers write the value; any window may read it.
enum class SettingOwner { GameWindow, PictureDialog };

// A family of values numbered in their names: "Tries2" .. "Tries6", "ImageLabel01" ..
// "ImageLabel10". A single value has no numbering (first and last 0).
struct Numbering {
    int first = 0;
    int last = 0;
    int digits = 0; // the number is written with at least this many, leading zeros added
};

struct SettingDeclaration {
    const char* name;
    SettingKind kind;
    Numbering numbering;
    int min; // the range the program writes, for a number
    int max;
    int fallback; // what a read gives for an absent or unusable number
    OutOfRange outOfRange;
    SettingOwner owner;
};

// Every value the program keeps under its settings key, each declared once here; adding a
// setting is one line plus its use. Stored values are only trusted within what the program
// itself writes: a hand-edited file must never put the board or the records out of range.
namespace stored {
using enum SettingKind;
using enum OutOfRange;
using enum SettingOwner;
// clang-format off
//                                                name          kind    numbering   range        default  outside the range  written by
inline constexpr SettingDeclaration NumRows      {"NumRows",    Number, {},         2,   6,      4,       UseDefault,        GameWindow};
inline constexpr SettingDeclaration FlipSpeed    {"FlipSpeed",  Number, {},         500, 5000,   3000,    Clamp,             GameWindow};
inline constexpr SettingDeclaration Record       {"Tries",      Number, {2, 6, 1},  0,   32767,  50,      UseDefault,        GameWindow};
inline constexpr SettingDeclaration PictureLabel {"ImageLabel", Text,   {1, 10, 2}, 0,   0,      0,       UseDefault,        PictureDialog};
inline constexpr SettingDeclaration PicturePath  {"ImagePath",  Text,   {1, 10, 2}, 0,   0,      0,       UseDefault,        PictureDialog};
// clang-format on
} // namespace stored

// The rows of the board and the ten picture slots, as the table gives them.
inline constexpr int kMinRows = stored::NumRows.min;
inline constexpr int kMaxRows = stored::NumRows.max;
inline constexpr int kPictureSlots = stored::PictureLabel.numbering.last;

static_assert(stored::Record.numbering.first == kMinRows && stored::Record.numbering.last == kMaxRows,
              "one record for each row count");

// The value name of a setting, with its number for a numbered family ("Tries4", "ImagePath07").
std::string valueName(const SettingDeclaration& setting, int number = 0);

// The settings as one window sees them: reads apply the table's default and range, writes go
// under the table's names.
class StoredSettings {
public:
    StoredSettings(SettingsStore& store, SettingOwner owner);

    // A number setting: the stored number within its range, or its default.
    int number(const SettingDeclaration& setting, int number = 0) const;
    // A text setting as stored: empty text when absent, a number when stored as one.
    SettingValue value(const SettingDeclaration& setting, int number = 0) const;

    // Only the owner writes a value.
    void write(const SettingDeclaration& setting, const SettingValue& data) const { write(setting, 0, data); }
    void write(const SettingDeclaration& setting, int number, const SettingValue& data) const;

private:
    SettingsStore& store_;
    [[maybe_unused]] SettingOwner owner_; // checked in debug builds
};

} // namespace tessaloom
