#include "game/stored_settings.h"

#include "settings/numeric_text.h"
#include "settings/round_half_even.h"
#include "settings/settings_store.h"

#include <algorithm>
#include <cassert>
#include <optional>

namespace tessaloom {

namespace {

// The whole number a stored value stands for, if any. A numeric text is rounded like a stored
// number but not cut to 32 bits, so the range check sees how far out of range it lies.
std::optional<double> storedNumber(const SettingValue& stored)
{
    if (stored.isNumber())
        return stored.number();
    if (const std::optional<double> value = numericValue(stored.text()))
        return roundHalfEven(*value);
    return std::nullopt;
}

} // namespace

std::string valueName(const SettingDeclaration& declaration, int number)
{
    std::string name = declaration.name;
    if (declaration.numbering.last == 0)
        return name;
    assert(number >= declaration.numbering.first && number <= declaration.numbering.last);
    const std::string digits = std::to_string(number);
    if (digits.size() < static_cast<std::size_t>(declaration.numbering.digits))
        name.append(declaration.numbering.digits - digits.size(), '0');
    return name + digits;
}

StoredSettings::StoredSettings(SettingsStore& store, SettingOwner owner)
    : store_(store)
    , owner_(owner)
{
}

SettingValue StoredSettings::value(const SettingDeclaration& setting, int number) const
{
    return store_.ReadRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, valueName(setting, number));
}

int StoredSettings::number(const SettingDeclaration& declaration, int number) const
{
    assert(declaration.kind == SettingKind::Number);
    const std::optional<double> found = storedNumber(value(declaration, number));
    if (!found)
        return declaration.fallback;
    if (declaration.outOfRange == OutOfRange::Clamp)
        return static_cast<int>(std::clamp(*found, double(declaration.min), double(declaration.max)));
    if (*found < declaration.min || *found > declaration.max)
        return declaration.fallback;
    return static_cast<int>(*found);
}

void StoredSettings::write(const SettingDeclaration& setting, int number, const SettingValue& data) const
{
    assert(setting.owner == owner_);
    store_.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, valueName(setting, number), data);
}

} // namespace tessaloom
