#include "settings/settings_store.h"

#include "settings/numeric_text.h"
#include "settings/registry.h"
#include "settings/trim_spaces.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace tessaloom {

SettingsStore::SettingsStore(Registry& registry)
    : SettingsStore(registry, userNumberFormat())
{
}

SettingsStore::SettingsStore(Registry& registry, NumberFormat numberFormat)
    : registry_(registry)
    , numberFormat_(std::move(numberFormat))
{
}

namespace {

// The value under an open key: a text up to its first NUL, a 32-bit number, or empty text for a
// missing value, a failed query or any other kind.
SettingValue readOpenValue(Registry& registry, Registry::Handle key, const std::string& valueName,
                           std::int32_t& lastResult)
{
    std::uint32_t kind = kRegNone;
    std::uint32_t size = 0;
    lastResult = registry.queryValue(key, valueName, &kind, nullptr, size);
    if (kind == kRegSz) {
        std::vector<std::uint8_t> buffer(std::max<std::uint32_t>(size, 1), ' ');
        lastResult = registry.queryValue(key, valueName, nullptr, buffer.data(), size);
        if (lastResult != kRegistrySuccess)
            return {};
        std::string text(buffer.begin(), buffer.begin() + std::min<std::size_t>(size, buffer.size()));
        if (const auto nul = text.find('\0'); nul != std::string::npos)
            text.resize(nul);
        return SettingValue(std::move(text));
    }
    if (kind == kRegDword) {
        std::uint8_t bytes[4] = {};
        std::uint32_t length = sizeof bytes;
        lastResult = registry.queryValue(key, valueName, nullptr, bytes, length);
        if (lastResult != kRegistrySuccess || length != sizeof bytes)
            return {};
        const std::uint32_t raw = std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
            std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24;
        return SettingValue(static_cast<std::int32_t>(raw));
    }
    return {};
}

// The number a value is stored as, or nothing when it is stored as text. A numeric text outside
// the 32-bit range is kept as text rather than overflowing.
std::optional<std::int32_t> storedNumber(const SettingValue& data, const NumberFormat& format)
{
    if (data.isNumber())
        return data.number();
    const std::optional<DecimalNumber> number = parseNumericText(data.text(), format);
    if (!number)
        return std::nullopt;
    return roundedToInt32(*number);
}

} // namespace

SettingValue SettingsStore::ReadRegistryValue(RootKey root, const std::string& keyPath, const std::string& valueName)
{
    Registry::Handle key = 0;
    SettingValue result;
    try {
        lastRegistryResult_ = registry_.openKey(root, keyPath, key);
        if (key != 0)
            result = readOpenValue(registry_, key, valueName, lastRegistryResult_);
    } catch (...) {
        // A value too large to hold in memory is a value that cannot be had.
        result = SettingValue();
    }
    // Closed even when nothing was opened, so the last code tells of a failed open.
    lastRegistryResult_ = registry_.closeKey(key);
    return result;
}

void SettingsStore::WriteRegistryValue(RootKey root, const std::string& keyPath, const std::string& valueName,
                                       const SettingValue& data)
{
    Registry::Handle key = 0;
    try {
        const std::optional<std::int32_t> number = storedNumber(data, numberFormat_);
        lastRegistryResult_ = registry_.createKey(root, keyPath, key);
        if (!number) {
            std::string text = trimSpaces(data.text());
            text.push_back('\0');
            lastRegistryResult_ =
                registry_.setValue(key, valueName, kRegSz, reinterpret_cast<const std::uint8_t*>(text.data()),
                                   static_cast<std::uint32_t>(text.size()));
        } else {
            const auto raw = static_cast<std::uint32_t>(*number);
            const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(raw), static_cast<std::uint8_t>(raw >> 8),
                                           static_cast<std::uint8_t>(raw >> 16), static_cast<std::uint8_t>(raw >> 24)};
            lastRegistryResult_ = registry_.setValue(key, valueName, kRegDword, bytes, sizeof bytes);
        }
    } catch (...) {
        // Out of memory while preparing the data: the value is simply not stored.
    }
    lastRegistryResult_ = registry_.closeKey(key);
}

} // namespace tessaloom
