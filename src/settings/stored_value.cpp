#include "settings/stored_value.h"

#include "settings/registry.h"

#include <algorithm>

namespace tessaloom {

std::int32_t answerQuery(const StoredValue& value, std::uint32_t* kind, std::uint8_t* data, std::uint32_t& size)
{
    if (kind)
        *kind = value.kind;
    const auto needed = static_cast<std::uint32_t>(value.bytes.size());
    if (!data) {
        size = needed;
        return kRegistrySuccess;
    }
    if (size < needed) {
        size = needed;
        return kErrorMoreData;
    }
    std::copy(value.bytes.begin(), value.bytes.end(), data);
    size = needed;
    return kRegistrySuccess;
}

namespace {

char foldedChar(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool sameRegistryName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
        std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return foldedChar(x) == foldedChar(y); });
}

std::string foldedRegistryName(std::string_view name)
{
    std::string folded(name);
    std::transform(folded.begin(), folded.end(), folded.begin(), foldedChar);
    return folded;
}

} // namespace tessaloom
