#include "game/stored_settings.h"

#include "settings/numeric_text.h"
#include "settings/round_half_even.h"

#include <algorithm>
#include <optional>

namespace tessaloom {

namespace {

// The whole number a stored value stands for, if any. A numeric text is rounded like a stored
// number but not cut to 32 bits, so the range checks see how far out of range it lies.
std::optional<double> storedNumber(const SettingValue& stored)
{
    if (stored.isNumber())
        return stored.number();
    if (const std::optional<double> value = numericValue(stored.text()))
        return roundHalfEven(*value);
    return std::nullopt;
}

} // namespace

std::int16_t storedRowCount(const SettingValue& stored)
{
    const std::optional<double> rows = storedNumber(stored);
    if (!rows || *rows < 2 || *rows > 6)
        return kDefaultRows;
    return static_cast<std::int16_t>(*rows);
}

int storedFlipSpeed(const SettingValue& stored)
{
    const std::optional<double> speed = storedNumber(stored);
    if (!speed)
        return kDefaultFlipSpeed;
    return static_cast<int>(std::clamp(*speed, double(kMinFlipSpeed), double(kMaxFlipSpeed)));
}

std::int16_t storedRecord(const SettingValue& stored)
{
    const std::optional<double> record = storedNumber(stored);
    if (!record || *record < 0 || *record > 32767)
        return kDefaultRecord;
    return static_cast<std::int16_t>(*record);
}

} // namespace tessaloom
