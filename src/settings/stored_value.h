#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessaloom {

// One value as a registry keeps it: its kind and its bytes (texts as UTF-8).
struct StoredValue {
    std::uint32_t kind = 0;
    std::vector<std::uint8_t> bytes;

    friend bool operator==(const StoredValue&, const StoredValue&) = default;
};

// Answers a value query the way the registry does: without a data buffer, the kind and the size
// in bytes; with one, the bytes when size is enough, else kErrorMoreData and the size needed.
std::int32_t answerQuery(const StoredValue& value, std::uint32_t* kind, std::uint8_t* data, std::uint32_t& size);

// Value names and key paths are compared as the registry does, ignoring case (ASCII letters).
bool sameRegistryName(std::string_view a, std::string_view b);
std::string foldedRegistryName(std::string_view name);

} // namespace tessaloom
