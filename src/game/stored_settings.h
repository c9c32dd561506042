#pragma once

#include "settings/setting_value.h"
#include "settings/value_names.h"

#include <cstdint>
#include <string>

namespace tessaloom {

inline constexpr int kDefaultRows = 4;
inline constexpr int kDefaultFlipSpeed = 3000;
inline constexpr int kMinFlipSpeed = 500;
inline constexpr int kMaxFlipSpeed = 5000;
inline constexpr std::int16_t kDefaultRecord = 50;

// Stored values are only trusted within what the program itself writes: a hand-edited file
// must never put the board or the records out of range. A numeric text counts as its number.
std::int16_t storedRowCount(const SettingValue& stored);
int storedFlipSpeed(const SettingValue& stored);
std::int16_t storedRecord(const SettingValue& stored);

} // namespace tessaloom
