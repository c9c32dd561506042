#include "settings/settings_store.h"

#include "settings/numeric_text.h"
#include "settings/registry.h"
#include "settings/round_half_even.h"

#include <algorithm>
#include <optional>
#include <limits>
#include <vector>

namespace tessaloom {

SettingsStore::SettingsStore(Registry& registry)
    : registry_(registry)
{
}

SettingValue SettingsStore::ReadRegistryValue(RootKey root, const std::string& keyPath, const std::string& valueName)
{
    Registry::Handle key = 0;
    std::uint32_t kind = kRegNone;
    std::uint32_t size = 0;
    SettingValue result;

    lastRegistryResult_ = registry_.openKey(root, keyPath, key);
    if (key == 0)
        return result;

    lastRegistryResult_ = registry_.queryValue(key, valueName, &kind, nullptr, size);
    if (kind == kRegSz) {
        std::vector<std::uint8_t> buffer(size, ' ');
        lastRegistryResult_ = registry_.queryValue(key, valueName, nullptr, buffer.data(), size);
        if (lastRegistryResult_ == kRegistrySuccess) {
            std::string text(buffer.begin(), buffer.begin() + std::min<std::size_t>(size, buffer.size()));
            const auto nul = text.find('\0');
            if (nul != std::string::npos)
                text.resize(nul);
            result = SettingValue(std::move(text));
        }
    } else if (kind == kRegDword) {
        std::uint8_t bytes[4] = {};
        std::uint32_t length = sizeof bytes;
        lastRegistryResult_ = registry_.queryValue(key, valueName, nullptr, bytes, length);
        if (lastRegistryResult_ == kRegistrySuccess && length == sizeof bytes) {
            const std::uint32_t raw = std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
                                      std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24;
            result = SettingValue(static_cast<std::int32_t>(raw));
        }
    }

    lastRegistryResult_ = registry_.closeKey(key);
    return result;
}

namespace {

std::string trimmedOfSpaces(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The number a value is stored as, or nothing when it is stored as text. A numeric text too
// large for 32 bits is kept as text rather than overflowing.
std::optional<std::int32_t> storedNumber(const SettingValue& data)
{
    if (data.isNumber())
        return data.number();
    const std::optional<double> value = numericValue(data.text());
    if (!value)
        return std::nullopt;
    const double rounded = roundHalfEven(*value);
    if (rounded < std::numeric_limits<std::int32_t>::min() || rounded > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

} // namespace

void SettingsStore::WriteRegistryValue(RootKey root, const std::string& keyPath, const std::string& valueName,
                                       const SettingValue& data)
{
    const std::optional<std::int32_t> number = storedNumber(data);
    Registry::Handle key = 0;
    lastRegistryResult_ = registry_.createKey(root, keyPath, key);

    if (!number) {
        std::string text = trimmedOfSpaces(data.text());
        text.push_back('\0');
        lastRegistryResult_ = registry_.setValue(key, valueName, kRegSz, reinterpret_cast<const std::uint8_t*>(text.data()),
                                                 static_cast<std::uint32_t>(text.size()));
    } else {
        const auto raw = static_cast<std::uint32_t>(*number);
        const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(raw), static_cast<std::uint8_t>(raw >> 8),
                                       static_cast<std::uint8_t>(raw >> 16), static_cast<std::uint8_t>(raw >> 24)};
        lastRegistryResult_ = registry_.setValue(key, valueName, kRegDword, bytes, sizeof bytes);
    }

    lastRegistryResult_ = registry_.closeKey(key);
}

} // namespace tessaloom
