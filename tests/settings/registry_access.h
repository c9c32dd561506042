#pragma once

#include "settings/registry.h"
#include "settings/settings_store.h"
#include "settings/stored_value.h"

#include <optional>

namespace tessaloom::testing {

// A value as a registry holds it, looked up without the store; nothing when it or its key is missing.
inline std::optional<StoredValue> rawValue(Registry& registry, RootKey root, const std::string& path,
                                           const std::string& name)
{
    Registry::Handle key = 0;
    StoredValue value{0, std::vector<std::uint8_t>(4096)};
    std::uint32_t size = 4096;
    const bool found = registry.openKey(root, path, key) == 0 &&
        registry.queryValue(key, name, &value.kind, value.bytes.data(), size) == 0;
    registry.closeKey(key);
    value.bytes.resize(size);
    return found ? std::optional(value) : std::nullopt;
}

// A setting read and written through the store, as the program does, in an English locale.
inline SettingValue readFrom(Registry& registry, const std::string& name)
{
    return SettingsStore(registry, NumberFormat{".", ","}).ReadRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, name);
}
inline void writeTo(Registry& registry, const std::string& name, const SettingValue& data)
{
    SettingsStore(registry, NumberFormat{".", ","}).WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, name, data);
}

} // namespace tessaloom::testing
