#pragma once

#include "settings/number_format.h"
#include "settings/setting_value.h"

#include <cstdint>
#include <string>

namespace tessaloom {

class Registry;

// Root keys as the registry numbers them; the program uses the local machine's only.
using RootKey = std::uint32_t;
inline constexpr RootKey kHkeyCurrentUser = 0x80000001u;
inline constexpr RootKey kHkeyLocalMachine = 0x80000002u;

// The key under which every setting of the program lives.
inline constexpr const char* kSettingsKeyPath = "Software\\Marrowquill Software\\Tessaloom";

// Reads and writes one named value per call. No failure is ever reported or thrown: a value
// that cannot be read is empty text, a value that cannot be written is simply not stored.
class SettingsStore {
public:
    // Texts that are numbers in the user's locale are stored as numbers.
    explicit SettingsStore(Registry& registry);
    SettingsStore(Registry& registry, NumberFormat numberFormat);

    SettingValue ReadRegistryValue(RootKey root, const std::string& keyPath, const std::string& valueName);
    void WriteRegistryValue(RootKey root, const std::string& keyPath, const std::string& valueName,
                            const SettingValue& data);

private:
    Registry& registry_;
    NumberFormat numberFormat_;
    // The return code of the last registry call either operation made; 0 is success. Only a
    // read looks at it, right after its own query.
    std::int32_t lastRegistryResult_ = 0;
};

} // namespace tessaloom
