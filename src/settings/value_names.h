#pragma once

#include <string>

namespace tessaloom {

// Names of the values the program keeps under its settings key.
inline constexpr const char* kNumRowsValue = "NumRows";
inline constexpr const char* kFlipSpeedValue = "FlipSpeed";
inline constexpr int kPictureSlots = 10;

// "Tries2" .. "Tries6": the record for a row count.
inline std::string recordValueName(int rows)
{
    return "Tries" + std::to_string(rows);
}

// Picture slots 1..10 are numbered with two digits: "ImageLabel01" .. "ImageLabel10".
inline std::string pictureLabelValueName(int slot)
{
    return (slot < 10 ? "ImageLabel0" : "ImageLabel") + std::to_string(slot);
}

inline std::string picturePathValueName(int slot)
{
    return (slot < 10 ? "ImagePath0" : "ImagePath") + std::to_string(slot);
}

} // namespace tessaloom
